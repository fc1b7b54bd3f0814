#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>
#include <optional>
#include <ostream>
#include <string>

#include "geometry/CutMesh.h"
#include "geometry/WeldVertices.h"
#include "import/ModelLoader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "tools/cli/CliCommands.h"
#include "tools/cli/CliModel.h"
#include "tools/cli/CliNumbers.h"
#include "tools/cli/GeometryCommandSupport.h"

namespace {

struct CutArguments {
    std::string in;
    std::string out;
    CutPlane plane{0, 0, 0, 0};
    bool weld = false;
    bool timings = false;
};

enum class ArgumentsOutcome { Parsed, Usage, BadPlane };

// Arguments that do not fit the command's form give the usage; a plane that is well formed but cannot
// cut anything (a coefficient that is not finite, or no normal) is an error of its own, told in
// `problem`.
ArgumentsOutcome Parse(const CliArguments& arguments, CutArguments& parsed, std::string& problem) {
    int paths = 0;
    bool plane = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--weld") {
            parsed.weld = true;
        } else if (argument == "--timings") {
            parsed.timings = true;
        } else if (argument == "--plane") {
            if (plane || i + 4 >= arguments.size()) return ArgumentsOutcome::Usage;
            float* values[4] = {&parsed.plane.a, &parsed.plane.b, &parsed.plane.c, &parsed.plane.d};
            for (float* value : values) {
                const std::string& text = arguments[++i];
                const std::optional<float> number = ScanNumber(text);
                if (!number) return ArgumentsOutcome::Usage;
                if (!std::isfinite(*number) && problem.empty())
                    problem = "the plane coefficient " + text + " is not a finite number";
                *value = *number;
            }
            plane = true;
        } else if (paths < 2 && !argument.starts_with("--")) {
            (paths++ == 0 ? parsed.in : parsed.out) = argument;
        } else {
            return ArgumentsOutcome::Usage;
        }
    }
    if (paths != 2 || !plane) return ArgumentsOutcome::Usage;
    const CutPlane& p = parsed.plane;
    if (problem.empty() && p.a == 0 && p.b == 0 && p.c == 0)
        problem = "the plane has no normal: A, B and C are all 0";
    return problem.empty() ? ArgumentsOutcome::Parsed : ArgumentsOutcome::BadPlane;
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
    std::string problem;
    switch (Parse(arguments, parsed, problem)) {
        case ArgumentsOutcome::Usage:
            err << "usage: pexora-cli cut IN OUT.p3g --plane A B C D [--weld] [--timings]\n";
            return 2;
        case ArgumentsOutcome::BadPlane:
            err << "error: " << problem << "\n";
            return 1;
        case ArgumentsOutcome::Parsed:
            break;
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
            err << "error: " << parsed.in
                << ": the mesh cannot be welded (bad index, too many vertices or no memory)\n";
            return 1;
        }
        weldSeconds = clock.Lap();
    }
    CutStatistics statistics;
    CutMesh(record, parsed.plane, &statistics);
    const double cutSeconds = clock.Lap();
    Poly3gon combined;
    if (statistics.refused || !MeshWithCaps(record, combined)) {
        err << "error: " << parsed.in
            << ": the mesh cannot be cut (bad index, too many vertices or no memory)\n";
        return 1;
    }
    if (!WriteCliModel(combined, parsed.out, err)) return 1;
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
