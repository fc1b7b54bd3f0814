#pragma once
// The generated specimen files a benchmark runs on: "<name>-<N>m.<ext>" in the folder given as
// --data=FOLDER, in name order.

#include <algorithm>
#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "bench/FlagValue.h"

struct SpecimenFile {
    std::string path;
    std::string millions;   // facet count in millions, as in the name
    std::string extension;  // "stl", "ctm" or "p3g"
};

// The folder named by --data=FOLDER among the arguments; empty when none is given.
inline std::string DataFolder(int argc, char** argv) {
    return FlagValue(argc, argv, "--data=");
}

// Specimen files of the folder whose extension is one of `extensions`; none when it is no folder.
inline std::vector<SpecimenFile> SpecimenFiles(const std::string& folder,
                                               const std::vector<std::string>& extensions) {
    std::vector<SpecimenFile> found;
    if (folder.empty() || !std::filesystem::is_directory(folder)) return found;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    const std::regex name(".*-([0-9]+)m\\.([a-z0-9]+)");
    std::smatch match;
    for (const auto& file : files) {
        const std::string fileName = file.filename().string();
        if (!std::regex_match(fileName, match, name)) continue;
        if (std::find(extensions.begin(), extensions.end(), match[2].str()) == extensions.end()) continue;
        found.push_back({file.string(), match[1], match[2]});
    }
    return found;
}
