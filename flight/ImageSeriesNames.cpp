#include "flight/ImageSeriesNames.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/MessageBoxes.h"

namespace {

constexpr size_t kDigits = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EndsInDigits(const std::string& text) {
    return text.size() >= kDigits && std::all_of(text.end() - kDigits, text.end(), IsDigit);
}

// The name part of `path`, after its last "/".
std::string NameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// `name` without the extension that follows its last dot.
std::string TitleOf(const std::string& name) {
    const size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}

}  // namespace

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string SeriesBase(const std::string& chosenPath) {
    std::string base = FolderOf(chosenPath) + "/" + TitleOf(NameOf(chosenPath));
    if (EndsInDigits(base)) base.resize(base.size() - kDigits);
    return base;
}

std::string SeriesFrameName(const std::string& base, int frame, const std::string& extension) {
    char number[16];
    std::snprintf(number, sizeof number, "%04d", frame);
    return base + number + "." + extension;
}

std::vector<std::string> ExistingSeriesFiles(const std::string& base, const std::string& extension) {
    const std::string prefix = NameOf(base);
    const std::string folder = base.substr(0, base.size() - prefix.size());  // with its separator
    const std::string suffix = "." + extension;
    const size_t nameLength = prefix.size() + kDigits + suffix.size();

    std::vector<std::string> found;
    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "." : folder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() != nameLength || name.compare(0, prefix.size(), prefix) != 0 ||
            name.compare(nameLength - suffix.size(), suffix.size(), suffix) != 0)
            continue;
        const std::string title = TitleOf(name);
        if (title.size() <= kDigits || !EndsInDigits(title)) continue;
        std::error_code kindError;
        if (!entry->is_regular_file(kindError)) continue;
        found.push_back(folder + name);
    }
    std::sort(found.begin(), found.end());
    return found;
}

bool CheckImageNames(const std::string& base, const std::string& extension, MessageBoxes& messages) {
    const std::vector<std::string> existing = ExistingSeriesFiles(base, extension);
    if (existing.empty()) return true;
    if (messages.ShowCaptioned("Delete Files", "Files with <" + base + "> name already exist! Delete?",
                               MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes)
        return false;
    for (const std::string& path : existing) {
        std::error_code error;
        std::filesystem::remove(path, error);  // one that cannot go is overwritten or left, as it may
    }
    return true;
}
