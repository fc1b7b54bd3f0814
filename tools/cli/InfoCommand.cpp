#include <chrono>
#include <cstdio>
#include <memory>
#include <ostream>
#include <string>

#include "scene/Scene.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliModel.h"

namespace {

const char* FormatName(int fileType) {
    static const char* const kNames[] = {"p3g", "ctm", "stl"};
    return fileType >= 0 && fileType < 3 ? kNames[fileType] : "unknown";
}

std::string Triple(const float values[3]) {
    char text[96];
    std::snprintf(text, sizeof text, "%.6g %.6g %.6g", double(values[0]), double(values[1]),
                  double(values[2]));
    return text;
}

}  // namespace

int RunInfoCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    std::string path;
    bool timings = false;
    for (const std::string& argument : arguments) {
        if (argument == "--timings") {
            timings = true;
        } else if (path.empty()) {
            path = argument;
        } else {
            path.clear();
            break;
        }
    }
    if (path.empty()) {
        err << "usage: pexora-cli info FILE [--timings]\n";
        return 2;
    }

    auto scene = std::make_unique<Scene>();
    const auto start = std::chrono::steady_clock::now();
    const int index = LoadCliModel(*scene, path, err);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (index == 0) return 1;

    const SceneObject& record = scene->objects[index];
    out << "format: " << FormatName(record.fileType) << "\n"
        << "vertices: " << record.vertexCount << "\n"
        << "facets: " << record.facetCount << "\n"
        << "normals: " << (record.normals != nullptr ? "yes" : "no") << "\n"
        << "box_min: " << Triple(record.boxMin) << "\n"
        << "box_max: " << Triple(record.boxMax) << "\n";
    if (timings) {
        char seconds[32];
        std::snprintf(seconds, sizeof seconds, "%.6f", elapsed.count());
        out << "time_read: " << seconds << "\n";
    }
    return 0;
}
