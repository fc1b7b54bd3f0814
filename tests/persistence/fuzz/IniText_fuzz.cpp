// libFuzzer entry point of the settings text: any bytes must be split into lines that give the same
// bytes back, and a value set must read back as set, also after the changed text is split again.
// The input is the text; its first line, when it holds "section\tkey\tvalue" names that are valid as
// written, is also the entry that is set.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "persistence/IniText.h"

namespace {

bool Trimmed(std::string_view text) {
    return !text.empty() && text.front() != ' ' && text.front() != '\t' && text.back() != ' ' &&
           text.back() != '\t';
}

// Names the text format can hold: a header ends at the first ']', a key at the first '=', and a line
// opening with ';', '#' or '[' is no entry.
bool ValidEntry(std::string_view section, std::string_view key, std::string_view value) {
    if (!Trimmed(section) || section.find(']') != std::string_view::npos) return false;
    if (!Trimmed(key) || key.find('=') != std::string_view::npos || key.front() == ';' ||
        key.front() == '#' || key.front() == '[')
        return false;
    return value.empty() || Trimmed(value);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    IniText ini(text);
    if (ini.Text() != text) __builtin_trap();

    const std::string_view first = text.substr(0, text.find_first_of("\r\n"));
    const size_t tab1 = first.find('\t');
    const size_t tab2 = tab1 == std::string_view::npos ? tab1 : first.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos) return 0;
    const std::string_view section = first.substr(0, tab1);
    const std::string_view key = first.substr(tab1 + 1, tab2 - tab1 - 1);
    const std::string_view value = first.substr(tab2 + 1);
    if (!ValidEntry(section, key, value)) return 0;

    ini.SetValue(section, key, value);
    if (ini.Value(section, key) != value) __builtin_trap();
    if (IniText(ini.Text()).Value(section, key) != value) __builtin_trap();
    return 0;
}
