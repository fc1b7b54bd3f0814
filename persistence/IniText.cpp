#include "persistence/IniText.h"

#include <unistd.h>

#include <cerrno>

#include "import/RegularFile.h"
#include "import/SafeFileWriter.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// The name of a "[name]" header line; nothing for any other line.
std::optional<std::string_view> HeaderName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[') return std::nullopt;
    const size_t close = line.find(']');
    if (close == std::string_view::npos) return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

struct Entry {
    std::string_view key;
    std::string_view value;
};

// The key and value of a "key=value" line; nothing for headers, comments and lines without a key.
std::optional<Entry> EntryOf(std::string_view line) {
    const std::string_view trimmed = Trim(line);
    if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#' || trimmed.front() == '[')
        return std::nullopt;
    const size_t equals = trimmed.find('=');
    if (equals == std::string_view::npos) return std::nullopt;
    const std::string_view key = Trim(trimmed.substr(0, equals));
    if (key.empty()) return std::nullopt;
    return Entry{key, Trim(trimmed.substr(equals + 1))};
}

std::string EntryLine(std::string_view key, std::string_view value) {
    std::string line(key);
    line += '=';
    line += value;
    return line;
}

std::string SectionHeader(std::string_view section) {
    std::string line;
    line.reserve(section.size() + 2);
    line += '[';
    line += section;
    line += ']';
    return line;
}

}  // namespace

IniText::IniText(std::string_view text) {
    size_t start = 0;
    while (start < text.size()) {
        const size_t stop = text.find_first_of("\r\n", start);
        if (stop == std::string_view::npos) {
            lines_.push_back({std::string(text.substr(start)), {}});
            break;
        }
        const size_t endLength = text.compare(stop, 2, "\r\n") == 0 ? 2 : 1;
        lines_.push_back(
            {std::string(text.substr(start, stop - start)), std::string(text.substr(stop, endLength))});
        start = stop + endLength;
    }
}

std::optional<IniText::SectionSpan> IniText::FindSection(std::string_view section) const {
    for (size_t i = 0; i < lines_.size(); ++i) {
        const auto name = HeaderName(lines_[i].content);
        if (!name || !SameName(*name, section)) continue;
        size_t end = i + 1;
        while (end < lines_.size() && !HeaderName(lines_[end].content))
            ++end;
        return SectionSpan{i, end};
    }
    return std::nullopt;
}

std::optional<size_t> IniText::FindKey(const SectionSpan& span, std::string_view key) const {
    for (size_t i = span.header + 1; i < span.end; ++i) {
        const auto entry = EntryOf(lines_[i].content);
        if (entry && SameName(entry->key, key)) return i;
    }
    return std::nullopt;
}

std::optional<std::string> IniText::Value(std::string_view section, std::string_view key) const {
    const auto span = FindSection(section);
    if (!span) return std::nullopt;
    const auto index = FindKey(*span, key);
    if (!index) return std::nullopt;
    return std::string(EntryOf(lines_[*index].content)->value);
}

void IniText::SetValue(std::string_view section, std::string_view key, std::string_view value) {
    const std::string lineEnd = NewLineEnd();
    const auto span = FindSection(section);
    if (!span) {
        if (!lines_.empty() && lines_.back().end.empty()) lines_.back().end = lineEnd;
        lines_.push_back({SectionHeader(section), lineEnd});
        lines_.push_back({EntryLine(key, value), lineEnd});
        return;
    }
    if (const auto index = FindKey(*span, key)) {
        lines_[*index].content = EntryLine(key, value);
        return;
    }
    // After the section's last entry, so comments and blank lines before the next section stay there.
    size_t insertAt = span->header + 1;
    for (size_t i = span->header + 1; i < span->end; ++i)
        if (EntryOf(lines_[i].content)) insertAt = i + 1;
    Line& before = lines_[insertAt - 1];
    if (before.end.empty()) before.end = lineEnd;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insertAt),
                  Line{EntryLine(key, value), lineEnd});
}

std::string IniText::NewLineEnd() const {
    for (const Line& line : lines_)
        if (!line.end.empty()) return line.end;
    return "\n";
}

std::string IniText::Text() const {
    std::string text;
    for (const Line& line : lines_) {
        text += line.content;
        text += line.end;
    }
    return text;
}

IniFileContent ReadIniFile(const std::string& path) {
    RegularFile file;
    std::string reason;
    if (!file.Open(path, reason))
        return {file.Missing() ? IniFileStatus::Missing : IniFileStatus::Unreadable, {}};
    if (file.Size() > kMaxIniFileBytes) return {IniFileStatus::Unreadable, {}};
    // One byte more than the size: a file that grew since it was opened is refused rather than cut.
    std::string text(static_cast<size_t>(file.Size()) + 1, '\0');
    size_t filled = 0;
    while (filled < text.size()) {
        const ssize_t got = read(file.Descriptor(), text.data() + filled, text.size() - filled);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {IniFileStatus::Unreadable, {}};
        if (got == 0) break;
        filled += static_cast<size_t>(got);
    }
    if (filled == text.size()) return {IniFileStatus::Unreadable, {}};
    text.resize(filled);
    return {IniFileStatus::Read, std::move(text)};
}

bool WriteIniFile(const std::string& path, std::string_view text) {
    return SaveWholeFile(path, text.data(), text.size());
}
