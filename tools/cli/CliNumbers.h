#pragma once
// Numbers given as command arguments.

#include <optional>
#include <string>

// A whole argument as a number; nullopt when it is not one. Infinities and NaN do scan.
std::optional<float> ScanNumber(const std::string& text);
// `value` as printed by the commands: "%.6g".
std::string FormatNumber(double value);
// A whole argument as a decimal integer of the int range; nullopt otherwise.
std::optional<int> ScanInteger(const std::string& text);
