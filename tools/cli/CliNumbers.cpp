#include "tools/cli/CliNumbers.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>

std::optional<float> ScanNumber(const std::string& text) {
    char* end = nullptr;
    const float value = std::strtof(text.c_str(), &end);
    if (text.empty() || *end != '\0') return std::nullopt;
    return value;
}

std::optional<int> ScanInteger(const std::string& text) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || errno == ERANGE || value < INT_MIN || value > INT_MAX)
        return std::nullopt;
    return static_cast<int>(value);
}

std::string FormatNumber(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}
