#pragma once
// Running a pexora-cli command in a test: its exit status and what it printed.

#include <sstream>
#include <string>

#include "tools/cli/CliCommands.h"

struct CliRun {
    int status;
    std::string out;
    std::string err;
};

// Runs `command` (the whole program by default) with `arguments`.
inline CliRun RunCommand(const CliArguments& arguments,
                         int (*command)(const CliArguments&, std::ostream&, std::ostream&) = RunCli) {
    std::ostringstream out, err;
    const int status = command(arguments, out, err);
    return {status, out.str(), err.str()};
}
