#include "app/CPexoraCommandLine.h"

#include <filesystem>
#include <optional>
#include <system_error>

#include "platform/NumberText.h"

namespace {

// The full path of an existing file as the file system reports it, or nothing.
std::optional<std::string> FullPathOfFile(const std::string& path) {
    if (!IsExistingFile(path)) return std::nullopt;
    std::error_code error;
    const std::filesystem::path full = std::filesystem::canonical(path, error);
    if (error) return std::nullopt;
    return full.string();
}

char LowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool IsExistingFile(const std::string& path) {
    if (path.empty()) return false;
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

void CPexoraCommandLine::ParseParam(const std::string& text, bool isSwitch, [[maybe_unused]] bool isLast) {
    if (!isSwitch) {
        if (const auto full = FullPathOfFile(text)) modelPath = *full;
        return;
    }
    if (text.empty()) return;
    const std::string value = text.substr(1);
    switch (LowerAscii(text.front())) {
        case 'f':
            if (const auto full = FullPathOfFile(value)) datasetPath = *full;
            break;
        case 'v':
            if (const auto size = ScanFloat(value)) pixelSize = *size;
            break;
        case 'n':
            if (const auto digits = ScanInt(value)) postfixLength = *digits;
            if (postfixLength < 1) postfixLength = 4;
            break;
        case 'u':
            if (const auto code = ScanInt(value)) unit = *code;
            if (unit < 0 || unit > 4) unit = 0;
            break;
        default:
            break;
    }
}

void CPexoraCommandLine::ParseArguments(const std::vector<std::string>& arguments) {
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const bool isLast = i + 1 == arguments.size();
        const bool isSwitch =
            !IsExistingFile(argument) && !argument.empty() && (argument[0] == '/' || argument[0] == '-');
        ParseParam(isSwitch ? argument.substr(1) : argument, isSwitch, isLast);
    }
}

HandOff CPexoraCommandLine::AsHandOff() const {
    return HandOff{modelPath, datasetPath, pixelSize, postfixLength, unit};
}
