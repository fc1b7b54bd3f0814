#include <memory>
#include <ostream>
#include <string>

#include "geometry/WeldVertices.h"
#include "import/ModelLoader.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliModel.h"
#include "tools/cli/GeometryCommandSupport.h"

int RunWeldCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    std::string paths[2];
    int pathCount = 0;
    bool timings = false;
    for (const std::string& argument : arguments) {
        if (argument == "--timings") {
            timings = true;
        } else if (pathCount < 2 && !argument.starts_with("--")) {
            paths[pathCount++] = argument;
        } else {
            pathCount = 3;
            break;
        }
    }
    if (pathCount != 2) {
        err << "usage: pexora-cli weld IN OUT.p3g [--timings]\n";
        return 2;
    }

    auto scene = std::make_unique<Scene>();
    PhaseClock clock;
    const int index = LoadCliModel(*scene, paths[0], err);
    const double readSeconds = clock.Lap();
    if (index == 0) return 1;
    SceneObject& record = scene->objects[index];
    NoSceneGraphics graphics;
    record.optimized = 1;
    // A .p3g model is indexed already and stays as it is; a refused weld leaves the mesh unchanged.
    if (record.fileType != kP3gFile && !WeldVertices(record, graphics)) {
        err << "error: " << paths[0] << ": the mesh cannot be welded (bad index or no memory)\n";
        return 1;
    }
    const double weldSeconds = clock.Lap();
    if (!WriteCliModel(*record.mesh, paths[1], err)) return 1;
    const double writeSeconds = clock.Lap();
    PrintCount(out, "vertices", static_cast<int64_t>(record.mesh->vertexCount));
    PrintCount(out, "facets", static_cast<int64_t>(record.mesh->facetCount));
    if (timings) {
        PrintSeconds(out, "time_read", readSeconds);
        PrintSeconds(out, "time_weld", weldSeconds);
        PrintSeconds(out, "time_write", writeSeconds);
    }
    return 0;
}
