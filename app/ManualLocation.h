#pragma once
// Where the HTML manual of a program is: beside the executable (a build tree, or a program unpacked in
// one folder), or in the documentation folder of an installed tree (<prefix>/share/doc/pexora, the
// folder the install rules put it in, when the executable lies in <prefix>/bin).

#include <string>

// The manual of the executable `programPath`: "<folder>/<base name>.html" when that file exists,
// else the installed tree's "<prefix>/share/doc/pexora/<base name>.html" when that exists, else the
// path beside the executable (so that a message can name where it was looked for).
std::string FindManual(const std::string& programPath);
