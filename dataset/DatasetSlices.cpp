#include "dataset/DatasetSlices.h"

#include <algorithm>
#include <cctype>
#include <cmath>
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

std::pair<size_t, size_t> SlicesReaching(const std::vector<DatasetSlice>& slices,
                                         std::span<const float> depths, double reach) {
    double low = INFINITY, high = -INFINITY;
    for (float depth : depths) {
        if (std::isnan(depth)) return {0, slices.size()};
        low = std::min(low, static_cast<double>(depth));
        high = std::max(high, static_cast<double>(depth));
    }
    const double margin = reach + 2.0 + std::max(std::fabs(low), std::fabs(high)) * 0x1p-20;
    auto first = std::partition_point(slices.begin(), slices.end(),
                                      [&](const DatasetSlice& s) { return s.number < low - margin; });
    auto last = std::partition_point(first, slices.end(),
                                     [&](const DatasetSlice& s) { return s.number <= high + margin; });
    return {static_cast<size_t>(first - slices.begin()), static_cast<size_t>(last - slices.begin())};
}
