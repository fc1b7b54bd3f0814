// pexora-cli: batch work on model files and CT datasets over the core library, without a window.
//   pexora-cli COMMAND ARGUMENTS...
#include <iostream>

#include "tools/cli/CliCommands.h"

int main(int argc, char** argv) {
    return RunCli(CliArguments(argv + 1, argv + argc), std::cout, std::cerr);
}
