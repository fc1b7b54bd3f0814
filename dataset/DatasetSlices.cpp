#include "dataset/DatasetSlices.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

namespace {

bool SameIgnoringCase(const std::string& a, size_t at, const std::string& b) {
    if (a.size() < at + b.size()) return false;
    return std::equal(b.begin(), b.end(), a.begin() + static_cast<std::ptrdiff_t>(at), [](char x, char y) {
        return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
    });
}

}  // namespace

std::vector<DatasetSlice> ListDatasetSlices(const std::string& datasetPath, int postfixLength) {
    std::vector<DatasetSlice> slices;
    // Numbers of more than 9 digits would not fit the slice number.
    if (postfixLength < 1 || postfixLength > 9 || datasetPath.size() < static_cast<size_t>(postfixLength) + 4)
        return slices;
    const std::string pattern = datasetPath.substr(0, datasetPath.size() - postfixLength - 4);
    const std::string extension = datasetPath.substr(datasetPath.size() - 4);
    const std::filesystem::path prefix(pattern);
    const std::filesystem::path folder = prefix.parent_path();
    const std::string stem = prefix.filename().string();

    std::error_code error;
    for (std::filesystem::directory_iterator entry(folder.empty() ? "." : folder, error), end;
         !error && entry != end; entry.increment(error)) {
        const std::string name = entry->path().filename().string();
        if (name.size() != stem.size() + static_cast<size_t>(postfixLength) + 4) continue;
        if (!SameIgnoringCase(name, 0, stem) || !SameIgnoringCase(name, name.size() - 4, extension)) continue;
        const std::string digits = name.substr(stem.size(), static_cast<size_t>(postfixLength));
        if (!std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) continue;
        slices.push_back({folder.empty() ? name : (folder / name).string(), std::stoi(digits)});
    }
    std::sort(slices.begin(), slices.end(), [](const DatasetSlice& a, const DatasetSlice& b) {
        return a.number != b.number ? a.number < b.number : a.path < b.path;
    });
    return slices;
}
