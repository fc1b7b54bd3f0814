#include <cstddef>
#include <ostream>
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
    {"resample", "resample SLICE PREFIX [OPTIONS]      resample a CT dataset along a plate",
     RunResampleCommand},
    {"slices", "slices SLICE [-n DIGITS]      facts about a CT dataset and one of its slices",
     RunSlicesCommand},
    {"keyframe", "keyframe FILE      the scene header and record heads of a keyframe file",
     RunKeyframeCommand},
    {"snapshot", "snapshot FILE      the counts of a keyframe mesh snapshot", RunSnapshotCommand},
    {"scene", "scene FILE.psc      the header, stage and records of a scene file", RunSceneCommand},
};

void PrintUsage(std::ostream& stream) {
    stream << "usage: pexora-cli COMMAND ARGUMENTS...\ncommands:\n";
    for (const CliCommand& command : kCommands)
        stream << "  " << command.usage << "\n";
}

}  // namespace

int RunCli(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    if (!arguments.empty() && (arguments[0] == "--help" || arguments[0] == "-h")) {
        PrintUsage(out);
        return 0;
    }
    if (!arguments.empty()) {
        for (const CliCommand& command : kCommands) {
            if (arguments[0] == command.name)
                return command.run(CliArguments(arguments.begin() + 1, arguments.end()), out, err);
        }
    }
    PrintUsage(err);
    return 2;
}
