#include "platform/NumberText.h"

#include <charconv>
#include <cmath>
#include <system_error>

namespace {

// Skips leading white space and an optional sign; returns the rest and whether the sign was '-'.
std::string_view SkipSpaceAndSign(std::string_view text, bool& negative) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    return text.substr(i);
}

}  // namespace

std::optional<float> ScanFloat(std::string_view text) {
    bool negative = false;
    const std::string_view rest = SkipSpaceAndSign(text, negative);
    // from_chars refuses a second sign itself, so "+-1" fails as it does for scanf.
    if (!rest.empty() && (rest.front() == '+' || rest.front() == '-')) return std::nullopt;
    float value = 0.0f;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), value);
    if (error != std::errc() || !std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

std::optional<int32_t> ScanInt(std::string_view text) {
    bool negative = false;
    const std::string_view rest = SkipSpaceAndSign(text, negative);
    if (rest.empty() || rest.front() < '0' || rest.front() > '9') return std::nullopt;
    int64_t magnitude = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), magnitude);
    if (error != std::errc()) return std::nullopt;
    const int64_t value = negative ? -magnitude : magnitude;
    if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
    return static_cast<int32_t>(value);
}

std::string FormatFixed4(float value) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 4);
    if (error != std::errc()) return "0.0000";
    return std::string(buffer, end);
}
