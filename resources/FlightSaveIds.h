#pragma once
// Identifiers of the file dialog a flight export asks with (dialog 186) and of the check box it adds.

inline constexpr int kIdFlightSaveDialog = 186;
inline constexpr int kIdLaunchPlayerCheck = 1117;  // "Launch associated player to show movie"
