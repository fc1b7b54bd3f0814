// pexora-cli: batch work on model files over the core library, without a window.
//   pexora-cli COMMAND ARGUMENTS...
#include <cstring>
#include <iostream>
#include <string>

#include "tools/cli/CliCommands.h"

namespace {

struct CliCommand {
    const char* name;
    const char* usage;
    int (*run)(const CliArguments& arguments, std::ostream& out, std::ostream& err);
};

constexpr CliCommand kCommands[] = {
    {"info", "info FILE [--timings]      facts about a .p3g, .ctm or .stl model", RunInfoCommand},
    {"weld", "weld IN OUT.p3g [--timings]      weld a model's vertices", RunWeldCommand},
    {"cut", "cut IN OUT.p3g --plane A B C D [--weld] [--timings]      cut and cap a model", RunCutCommand},
};

int Usage() {
    std::cerr << "usage: pexora-cli COMMAND ARGUMENTS...\ncommands:\n";
    for (const CliCommand& command : kCommands)
        std::cerr << "  " << command.usage << "\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return Usage();
    for (const CliCommand& command : kCommands) {
        if (std::strcmp(argv[1], command.name) == 0)
            return command.run(CliArguments(argv + 2, argv + argc), std::cout, std::cerr);
    }
    return Usage();
}
