#pragma once
// Locale-independent number scanning and formatting for settings texts and command-line values.
// The C library's scanf/atof follow the process locale, which Qt sets from the environment, so a
// German desktop would read "12.5" as 12: these functions always use the C conventions.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// Scans a floating-point number at the start of `text` as "%f" does (leading white space, optional sign,
// trailing characters ignored); nothing when no number starts there, it is out of range or not finite.
std::optional<float> ScanFloat(std::string_view text);

// Scans a decimal integer at the start of `text` as "%d" does; nothing when no number starts there
// or it does not fit in 32 bits.
std::optional<int32_t> ScanInt(std::string_view text);

// Formats `value` as "%4.4f" does in the C locale ("12.5000").
std::string FormatFixed4(float value);
