#include "app/ManualLocation.h"

#include <filesystem>

std::string FindManual(const std::string& programPath) {
    const std::filesystem::path program(programPath);
    const std::filesystem::path folder = program.parent_path();
    const std::filesystem::path name = program.stem().string() + ".html";
    const std::filesystem::path beside = folder / name;
    std::error_code error;
    if (std::filesystem::is_regular_file(beside, error)) return beside.string();
    if (folder.filename() == "bin") {
        const std::filesystem::path installed = folder.parent_path() / "share" / "doc" / "pexora" / name;
        if (std::filesystem::is_regular_file(installed, error)) return installed.string();
    }
    return beside.string();
}
