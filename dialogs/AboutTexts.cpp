#include "dialogs/AboutTexts.h"

#include <cstdio>

std::string VersionLine(int major, int minor, int patch, int tweak) {
    char line[96];
    std::snprintf(line, sizeof line, "Version: %d.%d.%d.%d (64-bit)", major, minor, patch, tweak);
    return line;
}

std::string ProgramVersionLine() {
    return VersionLine(PEXORA_VERSION_MAJOR, PEXORA_VERSION_MINOR, PEXORA_VERSION_PATCH,
                       PEXORA_VERSION_TWEAK);
}
