#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <ostream>
#include <string>

#include "geometry/CutMesh.h"
#include "geometry/WeldVertices.h"
#include "import/ModelLoader.h"
#include "import/P3gWriter.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliModel.h"
#include "tools/cli/GeometryCommandSupport.h"

namespace {

struct CutArguments {
    std::string in;
    std::string out;
    CutPlane plane{0, 0, 0, 0};
    bool weld = false;
    bool timings = false;
};

bool ParseNumber(const std::string& text, float& value) {
    char* end = nullptr;
    value = std::strtof(text.c_str(), &end);
    return !text.empty() && *end == '\0' && std::isfinite(value);
}

bool Parse(const CliArguments& arguments, CutArguments& parsed) {
    int paths = 0;
    bool plane = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--weld") {
            parsed.weld = true;
        } else if (argument == "--timings") {
            parsed.timings = true;
        } else if (argument == "--plane") {
            if (plane || i + 4 >= arguments.size()) return false;
            float* values[4] = {&parsed.plane.a, &parsed.plane.b, &parsed.plane.c, &parsed.plane.d};
            for (float* value : values)
                if (!ParseNumber(arguments[++i], *value)) return false;
            plane = true;
        } else if (paths < 2 && !argument.starts_with("--")) {
            (paths++ == 0 ? parsed.in : parsed.out) = argument;
        } else {
            return false;
        }
    }
    const CutPlane& p = parsed.plane;
    return paths == 2 && plane && (p.a != 0 || p.b != 0 || p.c != 0);
}

// The mesh followed by every cap's triangles as facets.
bool MeshWithCaps(const SceneObject& record, Poly3gon& combined) {
    uint64_t facets = record.mesh->facetCount;
    for (const CutCap* cap = record.caps; cap != nullptr; cap = cap->next)
        facets += static_cast<uint64_t>(cap->triangleCount);
    try {
        combined = Poly3gon(record.mesh->vertexCount, facets);
    } catch (const std::bad_alloc&) {
        return false;
    }
    std::copy_n(record.mesh->vertices, record.mesh->vertexCount * 3, combined.vertices);
    int64_t* out = std::copy_n(record.mesh->facets, record.mesh->facetCount * 3, combined.facets);
    for (const CutCap* cap = record.caps; cap != nullptr; cap = cap->next)
        out = std::copy_n(cap->triangles, cap->triangleCount * 3, out);
    return true;
}

}  // namespace

int RunCutCommand(const CliArguments& arguments, std::ostream& out, std::ostream& err) {
    CutArguments parsed;
    if (!Parse(arguments, parsed)) {
        err << "usage: pexora-cli cut IN OUT.p3g --plane A B C D [--weld] [--timings]\n";
        return 2;
    }

    auto scene = std::make_unique<Scene>();
    PhaseClock clock;
    const int index = LoadCliModel(*scene, parsed.in, err);
    const double readSeconds = clock.Lap();
    if (index == 0) return 1;
    SceneObject& record = scene->objects[index];
    NoSceneGraphics graphics;
    double weldSeconds = 0;
    if (parsed.weld) {
        record.optimized = 1;
        if (record.fileType != kP3gFile && !WeldVertices(record, graphics)) {
            err << "error: " << parsed.in << ": the mesh cannot be welded (bad index or no memory)\n";
            return 1;
        }
        weldSeconds = clock.Lap();
    }
    CutStatistics statistics;
    CutMesh(record, parsed.plane, &statistics);
    const double cutSeconds = clock.Lap();
    Poly3gon combined;
    if (statistics.refused || !MeshWithCaps(record, combined)) {
        err << "error: " << parsed.in << ": the mesh cannot be cut (bad index or no memory)\n";
        return 1;
    }
    if (!WriteP3g(combined, parsed.out)) {
        err << "error: " << parsed.out << ": cannot write the .p3g file\n";
        return 1;
    }
    const double writeSeconds = clock.Lap();
    PrintCount(out, "vertices", static_cast<int64_t>(combined.vertexCount));
    PrintCount(out, "facets", static_cast<int64_t>(combined.facetCount));
    PrintCount(out, "cap_triangles", statistics.capTriangles);
    PrintCount(out, "contours", statistics.cap.contours);
    PrintCount(out, "holes", statistics.cap.holes);
    if (parsed.timings) {
        PrintSeconds(out, "time_read", readSeconds);
        if (parsed.weld) PrintSeconds(out, "time_weld", weldSeconds);
        PrintSeconds(out, "time_cut", cutSeconds);
        PrintSeconds(out, "time_write", writeSeconds);
    }
    return 0;
}
