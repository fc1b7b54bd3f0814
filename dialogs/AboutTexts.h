#pragma once
// The texts of the about box: the version line of the running program and the maker's addresses.

#include <string>

inline constexpr char kAboutProductLine[] = "Pexora : Realistic 3D-Visualization";
inline constexpr char kAboutLegalNotice[] = "Copyright (C) 2026 The Pexora developers";
inline constexpr char kAboutEmail[] = "pexora@example.org";
inline constexpr char kAboutWebSite[] = "https://www.example.org/pexora";

// "Version: major.minor.patch.tweak (64-bit)".
std::string VersionLine(int major, int minor, int patch, int tweak);

// The version line of this program, from its build version.
std::string ProgramVersionLine();
