#include "platform/TexturePath.h"

#include <filesystem>
#include <system_error>

std::string ProgramDataDirectory(const std::string& programPath) {
    const std::filesystem::path program(programPath);
    const std::filesystem::path folder = program.parent_path();
    if (folder.filename() == "bin") {
        const std::filesystem::path data = folder.parent_path() / "share" / "pexora";
        std::error_code error;
        if (std::filesystem::is_directory(data, error)) return data.string();
    }
    return folder.string();
}

std::string CubeFacePath(const std::string& programDirectory, const std::string& texture,
                         const std::string& faceFile) {
    std::string prefix = texture;
    if (!prefix.empty() && prefix.back() == '\\') prefix.back() = '/';
    if (!prefix.empty() && prefix.front() == '/') return prefix + faceFile;
    return programDirectory + "/" + prefix + faceFile;
}
