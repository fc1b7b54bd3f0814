#include <cstdio>
#include <ostream>
#include <string>

#include "persistence/SceneFile.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliNumbers.h"

int RunSceneCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1 || arguments[0].empty()) {
        err << "usage: pexora-cli scene FILE.psc\n";
        return 2;
    }
    const std::string& path = arguments[0];
    SceneFileContent content;
    std::string reason;
    if (!ReadSceneFile(path, content, reason)) {
        err << "error: " << path << ": " << reason << "\n";
        return 1;
    }
    out << "count: " << content.state.count << "\n"
        << "field_of_view: " << content.state.fieldOfView << "\n"
        << "fog_intensity: " << content.state.fogIntensity << "\n"
        << "bg_mode: " << content.stage.bgMode << "\n"
        << "stage_size: " << content.stage.stageSize << "\n";
    for (size_t i = 0; i < content.records.size(); ++i) {
        const SceneObject& record = content.records[i];
        out << "record " << i << ": " << record.name << " | " << record.location << " | visible "
            << record.visible << " | scale " << FormatNumber(record.scale) << " | position "
            << FormatNumber(record.position[0]) << " " << FormatNumber(record.position[1]) << " "
            << FormatNumber(record.position[2]) << "\n";
    }
    return 0;
}
