// Welding, cutting and cap triangulation on the sample specimen and on synthetic cross-sections:
//   weld/stl/<M>    WeldMesh of the facet soup NAME-<M>m.stl
//   stl_read_weld/<M>  reading NAME-<M>m.stl and welding it, as loading and optimising the model does
//   cut/p3g/<M>     CutMesh of the closed mesh NAME-<M>m.p3g by an oblique plane through its middle
//   cap/p3g/<M>     BuildCapTriangles alone for that cut's cross-section
//   cap/disc/<N>    BuildCapTriangles of a wavy disc of N contour vertices around 16 holes
//   cap/porous/<H>  BuildCapTriangles of a disc of 20000 contour vertices with H holes
//   pexora_bench_geometry --data=FOLDER [benchmark flags]
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/QuietServices.h"
#include "bench/SpecimenFiles.h"
#include "geometry/CapTriangulation.h"
#include "geometry/CutMesh.h"
#include "geometry/WeldVertices.h"
#include "import/ByteSource.h"
#include "import/MeshArrays.h"
#include "import/P3gReader.h"
#include "import/ParsedModel.h"
#include "import/StlReader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"
#include "scene/SceneObject.h"

namespace {

// Every run reports the same counters (the CSV report needs that); 0 where one does not apply.
void SetCounters(benchmark::State& state, double facets, double vertices, double segments,
                 double capTriangles) {
    state.counters["facets"] = facets;
    state.counters["vertices"] = vertices;
    state.counters["segments"] = segments;
    state.counters["cap_triangles"] = capTriangles;
}

bool ReadMesh(const std::string& path, Poly3gon& mesh) {
    FileSource source;
    std::string error;
    ParsedModel model;
    if (!source.Open(path, error)) return false;
    ParseOutcome outcome = path.ends_with(".stl") ? ParseStl(source, model) : ParseP3g(source, model);
    if (outcome.status != ParseStatus::kParsed) return false;
    mesh = std::move(model.mesh);
    return true;
}

// The plane with normal (1, 2, 3) through the centre of the mesh's bounding box.
CutPlane ObliquePlane(const Poly3gon& mesh) {
    float low[3] = {INFINITY, INFINITY, INFINITY}, high[3] = {-INFINITY, -INFINITY, -INFINITY};
    for (uint64_t i = 0; i < mesh.vertexCount * 3; ++i) {
        low[i % 3] = std::min(low[i % 3], mesh.vertices[i]);
        high[i % 3] = std::max(high[i % 3], mesh.vertices[i]);
    }
    const float n[3] = {1 / std::sqrt(14.0f), 2 / std::sqrt(14.0f), 3 / std::sqrt(14.0f)};
    float d = 0;
    for (int axis = 0; axis < 3; ++axis)
        d -= n[axis] * (low[axis] + high[axis]) / 2;
    return {n[0], n[1], n[2], d};
}

void Weld(benchmark::State& state, const std::string& path) {
    Poly3gon soup;
    if (!ReadMesh(path, soup)) {
        state.SkipWithError("cannot read");
        return;
    }
    NoGraphics graphics;
    uint64_t vertices = 0;
    for (auto _ : state) {
        // A copy in arrays like those the readers make (huge pages asked for), not Poly3gon's copy.
        state.PauseTiming();
        Poly3gon mesh;
        if (!AllocateMeshArrays(mesh, soup.vertexCount, soup.facetCount)) {
            state.SkipWithError("no memory");
            return;
        }
        std::memcpy(mesh.vertices, soup.vertices, soup.vertexCount * 3 * sizeof(float));
        std::memcpy(mesh.facets, soup.facets, soup.facetCount * 3 * sizeof(int64_t));
        state.ResumeTiming();
        if (!WeldMesh(mesh, nullptr, graphics)) state.SkipWithError("refused");
        vertices = mesh.vertexCount;
        state.PauseTiming();
        mesh = Poly3gon();
        state.ResumeTiming();
    }
    SetCounters(state, double(soup.facetCount), double(vertices), 0, 0);
}

void ReadAndWeld(benchmark::State& state, const std::string& path) {
    NoGraphics graphics;
    uint64_t facets = 0, vertices = 0;
    for (auto _ : state) {
        Poly3gon mesh;
        if (!ReadMesh(path, mesh) || !WeldMesh(mesh, nullptr, graphics)) {
            state.SkipWithError("cannot read or weld");
            return;
        }
        facets = mesh.facetCount;
        vertices = mesh.vertexCount;
        state.PauseTiming();
        mesh = Poly3gon();
        state.ResumeTiming();
    }
    SetCounters(state, double(facets), double(vertices), 0, 0);
}

void Cut(benchmark::State& state, const std::string& path) {
    Poly3gon closed;
    if (!ReadMesh(path, closed)) {
        state.SkipWithError("cannot read");
        return;
    }
    const CutPlane plane = ObliquePlane(closed);
    NoGraphics graphics;
    CutStatistics statistics;
    for (auto _ : state) {
        state.PauseTiming();
        SceneObject object;
        object.mesh = new Poly3gon(closed);
        state.ResumeTiming();
        CutMesh(object, plane, &statistics);
        state.PauseTiming();
        delete object.mesh;
        DestroyCapChain(object.caps, graphics);
        state.ResumeTiming();
    }
    SetCounters(state, double(closed.facetCount), double(closed.vertexCount), 0,
                double(statistics.capTriangles));
}

// The cross-section of the oblique cut as segments: the boundary edges of the cap it made.
void CapOfCut(benchmark::State& state, const std::string& path) {
    SceneObject object;
    object.mesh = new Poly3gon;
    if (!ReadMesh(path, *object.mesh)) {
        state.SkipWithError("cannot read");
        return;
    }
    const CutPlane plane = ObliquePlane(*object.mesh);
    CutCap* cap = CutMesh(object, plane, nullptr);
    std::vector<Segment> segments;
    if (cap != nullptr) {
        std::map<std::pair<int64_t, int64_t>, int> edges;
        for (int64_t i = 0; i < cap->triangleCount * 3; i += 3)
            for (int k = 0; k < 3; ++k)
                ++edges[{cap->triangles[i + k], cap->triangles[i + (k + 1) % 3]}];
        for (const auto& [edge, count] : edges)
            if (edges.find({edge.second, edge.first}) == edges.end())
                segments.push_back({edge.first, edge.second});
    }
    const PlaneProjection projection(object.mesh->vertices, plane.a, plane.b, plane.c);
    std::vector<Triangle> triangles;
    for (auto _ : state) {
        triangles.clear();
        CapStatistics statistics;
        BuildCapTriangles(segments, projection, triangles, statistics);
    }
    SetCounters(state, 0, 0, double(segments.size()), double(triangles.size()));
    NoGraphics graphics;
    delete object.mesh;
    DestroyCapChain(object.caps, graphics);
}

// Contours of a cross-section for the cap benchmarks, with the projection onto z = 0.
struct Section {
    std::vector<float> vertices;
    std::vector<Segment> segments;

    // A wavy loop of `count` vertices around (cx, cy), 3% ripples, clockwise for holes.
    void Loop(double cx, double cy, double radius, int64_t count, bool clockwise) {
        const int64_t first = static_cast<int64_t>(vertices.size() / 3);
        for (int64_t i = 0; i < count; ++i) {
            const double angle = 2 * M_PI * double(i) / double(count) * (clockwise ? -1 : 1);
            const double r = radius * (1 + 0.03 * std::sin(angle * 37) * std::cos(angle * 11));
            vertices.insert(vertices.end(),
                            {float(cx + r * std::cos(angle)), float(cy + r * std::sin(angle)), 0.0f});
            segments.push_back({first + i, first + (i + 1) % count});
        }
    }
};

void TriangulateSection(benchmark::State& state, const Section& section) {
    const PlaneProjection projection(section.vertices.data(), 0, 0, 1);
    std::vector<Triangle> triangles;
    for (auto _ : state) {
        triangles.clear();
        CapStatistics statistics;
        BuildCapTriangles(section.segments, projection, triangles, statistics);
    }
    SetCounters(state, 0, 0, double(section.segments.size()), double(triangles.size()));
}

// A wavy disc of n contour vertices around 16 wavy holes of 64 vertices.
void WavyDisc(benchmark::State& state) {
    Section section;
    section.Loop(0, 0, 1000, state.range(0), false);
    for (int h = 0; h < 16; ++h)
        section.Loop(500 * std::cos(h * M_PI / 8), 500 * std::sin(h * M_PI / 8), 60, 64, true);
    TriangulateSection(state, section);
}

// A porous section: a disc of 20000 contour vertices with n holes of 32 vertices on a grid.
void PorousDisc(benchmark::State& state) {
    Section section;
    section.Loop(0, 0, 1000, 20000, false);
    const int64_t holes = state.range(0);
    const int64_t side = static_cast<int64_t>(std::ceil(std::sqrt(double(holes))));
    const double spacing = 1300.0 / double(side);
    for (int64_t h = 0; h < holes; ++h)
        section.Loop(-650 + spacing * (double(h % side) + 0.5), -650 + spacing * (double(h / side) + 0.5),
                     spacing * 0.3, 32, true);
    TriangulateSection(state, section);
}

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    for (const SpecimenFile& file : SpecimenFiles(DataFolder(argc, argv), {"stl", "p3g"})) {
        if (file.extension == "stl") {
            // The weld runs on every core: its processor time is that of the whole process.
            benchmark::RegisterBenchmark(("weld/stl/" + file.millions).c_str(), Weld, file.path)
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
            benchmark::RegisterBenchmark(("stl_read_weld/" + file.millions).c_str(), ReadAndWeld, file.path)
                ->Unit(benchmark::kMillisecond)
                ->MeasureProcessCPUTime()
                ->UseRealTime();
        } else {
            benchmark::RegisterBenchmark(("cut/p3g/" + file.millions).c_str(), Cut, file.path)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
            benchmark::RegisterBenchmark(("cap/p3g/" + file.millions).c_str(), CapOfCut, file.path)
                ->Unit(benchmark::kMillisecond)
                ->UseRealTime();
        }
    }
    benchmark::RegisterBenchmark("cap/disc", WavyDisc)
        ->Arg(10000)
        ->Arg(100000)
        ->Arg(300000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RegisterBenchmark("cap/porous", PorousDisc)
        ->Arg(100)
        ->Arg(1000)
        ->Arg(10000)
        ->Unit(benchmark::kMillisecond)
        ->UseRealTime();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
