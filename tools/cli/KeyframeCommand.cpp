#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "flight/KeyframeStore.h"
#include "flight/SceneBlock.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliNumbers.h"

int RunKeyframeCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1 || arguments[0].empty() || arguments[0][0] == '-') {
        err << "usage: pexora-cli keyframe FILE\n";
        return 2;
    }
    const std::string& path = arguments[0];
    const auto block = std::make_unique<SceneBlock>();
    if (!ReadKeyframeAt(path, *block)) {
        err << "error: " << path << ": not a readable keyframe file\n";
        return 1;
    }
    out << "count: " << block->state.count << "\n"
        << "field_of_view: " << block->state.fieldOfView << "\n"
        << "fog_intensity: " << block->state.fogIntensity << "\n";
    for (int i = 0; i <= block->state.count; ++i) {
        const SceneObject& head = block->heads[i];
        out << "record " << i << ": visible " << head.visible << " scale " << FormatNumber(head.scale)
            << " position " << FormatNumber(head.position[0]) << " " << FormatNumber(head.position[1]) << " "
            << FormatNumber(head.position[2]) << " backup " << head.backupPath << "\n";
    }
    return 0;
}
