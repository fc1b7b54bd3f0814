#pragma once
// The text of an initialisation file ("[Section]" headers and "key=value" lines) as the classic
// profile services treat it: section and key names are matched without regard to ASCII case, blanks
// around names and values are ignored, the first of two equal sections or keys counts, and lines that
// are neither (comments starting with ';' or '#', blank lines, anything else) are kept untouched.
// Every line keeps its own line end, so text that is changed nowhere is written back byte for byte.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniText {
public:
    // Splits `text` into lines ending in "\n", "\r\n" or a lone "\r"; the last line may have no end.
    // Safe on any bytes.
    explicit IniText(std::string_view text = {});

    // The value of `key` in `section`, blanks around it removed; nothing when either is missing.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    // Replaces the first entry of `key` in `section` by "key=value", or adds it after the section's
    // last entry; a missing section is appended at the end. New lines take the text's first line end
    // ("\n" when it has none).
    void SetValue(std::string_view section, std::string_view key, std::string_view value);

    // The whole text with its changes.
    std::string Text() const;

private:
    struct Line {
        std::string content;  // without its line end
        std::string end;      // "\n", "\r\n", "\r" or empty for an unterminated last line
    };
    // The lines of the first section named `section`, from its header up to the next header.
    struct SectionSpan {
        size_t header;
        size_t end;  // one past its last line (the next header or the end of the text)
    };

    std::optional<SectionSpan> FindSection(std::string_view section) const;
    // Index of the first entry line of `key` in `span`; nothing when absent.
    std::optional<size_t> FindKey(const SectionSpan& span, std::string_view key) const;
    std::string NewLineEnd() const;

    std::vector<Line> lines_;
};

// The largest file ReadIniFile accepts: far beyond any settings text, small enough to refuse data files.
inline constexpr size_t kMaxIniFileBytes = 1 << 20;

enum class IniFileStatus {
    Read,        // the text was read
    Missing,     // no file of that name
    Unreadable,  // exists but cannot be read, is not a regular file or is larger than kMaxIniFileBytes
};

struct IniFileContent {
    IniFileStatus status = IniFileStatus::Missing;
    std::string text;  // the file's bytes when status is Read, else empty
};

// Reads a whole initialisation file. Never throws; safe on any path.
IniFileContent ReadIniFile(const std::string& path);

// Writes `text` to `path` through a temporary file renamed over it, so a failed write leaves any old
// file intact; a symbolic link is followed and the old file's permissions are kept. False when nothing
// was written: the directory is not writable, or the file exists and is read-only.
bool WriteIniFile(const std::string& path, std::string_view text);
