#pragma once
// Numbers typed into dialog edits, taken as the whole text: blanks around the number are allowed,
// anything else makes the text no number. Always in the C conventions ('.' as the decimal point).

#include <optional>
#include <string_view>

inline constexpr const char* kEnterNumberMessage = "Enter a number.";

// A finite decimal floating-point number ("12", "-0.5", "1e-3", "+.5"); nothing for any other text.
std::optional<double> ReadWholeNumber(std::string_view text);

// ReadWholeNumber for a single-precision value: nothing also when the number is beyond float's range.
std::optional<float> ReadWholeFloat(std::string_view text);
