#pragma once
// The command line: one model path and the switches f (dataset slice), v (voxel size), n (digits of the
// slice index) and u (unit), each led by "/" or "-" with its value directly after the letter
// ("-v12.5", "/n4", "-f/data/scan/rec/slice0000.bmp").

#include <cstdint>
#include <string>
#include <vector>

#include "app/HandOff.h"

class CPexoraCommandLine {
public:
    std::string modelPath;      // full path of the last plain argument that names an existing file
    std::string datasetPath;    // full path named by switch "f", when that file exists
    float pixelSize = 0.0f;     // switch "v"
    int32_t postfixLength = 4;  // switch "n"; below 1 becomes 4
    int32_t unit = 0;           // switch "u"; outside 0..4 becomes 0

    // Takes one argument; a switch comes without its leading "/" or "-". The switch letter is compared
    // without regard to case; values that do not scan leave the field as it was (then clamped).
    // `isLast` tells that no argument follows. Safe on any text.
    void ParseParam(const std::string& text, bool isSwitch, bool isLast);

    // Parses the arguments after the program name. An argument that names an existing file is always the
    // plain argument (an absolute path starts with "/" too); other arguments starting with "/" or "-"
    // are switches; the rest are plain arguments.
    void ParseArguments(const std::vector<std::string>& arguments);

    // The five values a second instance hands to the running one.
    HandOff AsHandOff() const;
};

// Whether `path` names an existing regular file (symbolic links followed).
bool IsExistingFile(const std::string& path);
