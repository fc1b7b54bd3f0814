#pragma once
// Reading a benchmark's own arguments ("--model=FILE") beside the benchmark library's.

#include <cstring>
#include <string>

// The value of the argument starting with `flag` ("--model="); empty when there is none.
inline std::string FlagValue(int argc, char** argv, const char* flag) {
    const size_t length = std::strlen(flag);
    for (int i = 1; i < argc; ++i)
        if (std::strncmp(argv[i], flag, length) == 0) return argv[i] + length;
    return std::string();
}
