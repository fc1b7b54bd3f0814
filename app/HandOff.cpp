#include "app/HandOff.h"

#include <bit>
#include <cmath>
#include <vector>

#include "platform/MessageBoxes.h"
#include "platform/SettingsStore.h"

namespace {

constexpr char kPrefix[] = "prefix";
constexpr char kDatasetPath[] = "cs_set";
constexpr char kPostfixLength[] = "postfix_len";
constexpr char kUnit[] = "unit";
constexpr char kPixelSize[] = "pix_size";

std::vector<uint8_t> FloatBytes(float value) {
    const uint32_t bits = std::bit_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8), static_cast<uint8_t>(bits >> 16),
            static_cast<uint8_t>(bits >> 24)};
}

float BytesFloat(const std::vector<uint8_t>& bytes) {
    const uint32_t bits =
        uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 | uint32_t{bytes[3]} << 24;
    return std::bit_cast<float>(bits);
}

}  // namespace

bool WriteHandOff(SettingsStore& store, const HandOff& handOff) {
    bool ok = store.WriteString(kHandOffSection, kPrefix, handOff.modelPath);
    ok = store.WriteString(kHandOffSection, kDatasetPath, handOff.datasetPath) && ok;
    ok = store.WriteInt(kHandOffSection, kPostfixLength, static_cast<uint32_t>(handOff.postfixLength)) && ok;
    ok = store.WriteInt(kHandOffSection, kUnit, static_cast<uint32_t>(handOff.unit)) && ok;
    // A hand-off without a pixel size must not inherit the one a declined hand-off left behind.
    if (handOff.pixelSize > 0.0f)
        ok = store.WriteBytes(kHandOffSection, kPixelSize, FloatBytes(handOff.pixelSize)) && ok;
    else
        ok = store.RemoveValue(kHandOffSection, kPixelSize) && ok;
    return store.Sync() && ok;
}

HandOff ReadHandOff(SettingsStore& store) {
    store.Sync();
    HandOff h;
    h.modelPath = store.StringOr(kHandOffSection, kPrefix, "");
    h.datasetPath = store.StringOr(kHandOffSection, kDatasetPath, "");
    h.postfixLength = static_cast<int32_t>(store.IntOr(kHandOffSection, kPostfixLength, 4));
    if (h.postfixLength < 1) h.postfixLength = 4;
    h.unit = static_cast<int32_t>(store.IntOr(kHandOffSection, kUnit, 0));
    if (h.unit < 0 || h.unit > 4) h.unit = 0;
    if (const auto bytes = store.ReadBytes(kHandOffSection, kPixelSize); bytes && bytes->size() >= 4) {
        const float value = BytesFloat(*bytes);
        if (std::isfinite(value) && value > 0.0f) h.pixelSize = value;
    }
    return h;
}

void DeclineHandOff(SettingsStore& store, const HandOff& read) {
    store.WriteString(kHandOffSection, kPrefix, "");
    store.WriteString(kHandOffSection, kDatasetPath, "");
    store.WriteString(kHandOffSection, kPostfixLength, "");
    store.WriteString(kHandOffSection, kUnit, "");
    if (read.pixelSize > 0.0f) store.WriteBytes(kHandOffSection, kPixelSize, FloatBytes(read.pixelSize));
    store.Sync();
}

void ClearHandOff(SettingsStore& store) {
    store.WriteString(kHandOffSection, kPrefix, "");
    store.WriteString(kHandOffSection, kDatasetPath, "");
    store.Sync();
}

void RemoveHandOff(SettingsStore& store) {
    for (const char* name : {kPrefix, kDatasetPath, kPostfixLength, kUnit, kPixelSize})
        store.RemoveValue(kHandOffSection, name);
    store.Sync();
}

HandOffOutcome AnswerHandOff(const HandOff& handOff, SettingsStore& store, MessageBoxes& boxes,
                             bool startedWithModel, const std::function<void()>& bringToFront,
                             const std::function<void(const HandOff&)>& load) {
    if (!startedWithModel) {
        bringToFront();
        if (!boxes.AskYesNo(kHandOffQuestion)) {
            DeclineHandOff(store, handOff);
            return HandOffOutcome::Declined;
        }
    }
    RemoveHandOff(store);
    load(handOff);
    return HandOffOutcome::Loaded;
}
