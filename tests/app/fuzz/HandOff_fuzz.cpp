// libFuzzer entry point of the hand-off values: whatever another instance (or anyone editing the
// settings file) left in the section, the values read must be in range, and writing them back must
// read the same. The input is settings text; the section's values go into the store as strings, as
// an edited file gives them, "pix_size" as the bytes of its text.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/HandOff.h"
#include "persistence/IniText.h"
#include "support/MemorySettingsStore.h"

namespace {

bool SameHandOff(const HandOff& a, const HandOff& b) {
    return a.modelPath == b.modelPath && a.datasetPath == b.datasetPath &&
           a.postfixLength == b.postfixLength && a.unit == b.unit && a.pixelSize == b.pixelSize;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const IniText ini(std::string_view(reinterpret_cast<const char*>(data), size));
    MemorySettingsStore store;
    for (const char* name : {"prefix", "cs_set", "postfix_len", "unit"})
        if (const auto value = ini.Value(kHandOffSection, name))
            store.sections[kHandOffSection][name] = *value;
    if (const auto value = ini.Value(kHandOffSection, "pix_size"))
        store.sections[kHandOffSection]["pix_size"] = std::vector<uint8_t>(value->begin(), value->end());

    const HandOff read = ReadHandOff(store);
    if (read.postfixLength < 1 || read.unit < 0 || read.unit > 4) __builtin_trap();
    if (!std::isfinite(read.pixelSize) || read.pixelSize < 0.0f) __builtin_trap();

    MemorySettingsStore written;
    if (!WriteHandOff(written, read) || !SameHandOff(ReadHandOff(written), read)) __builtin_trap();

    DeclineHandOff(written, read);
    const HandOff declined = ReadHandOff(written);
    if (!declined.modelPath.empty() || declined.pixelSize != read.pixelSize) __builtin_trap();
    return 0;
}
