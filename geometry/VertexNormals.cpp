#include "geometry/VertexNormals.h"

#include <algorithm>
#include <new>

#include "import/ModelLoader.h"
#include "platform/ParallelFor.h"
#include "scene/Poly3gon.h"
#include "scene/SceneObject.h"

bool FacetInMesh(const int64_t* facet, uint64_t vertexCount) {
    return std::all_of(facet, facet + 3, [vertexCount](int64_t index) {
        return index >= 0 && static_cast<uint64_t>(index) < vertexCount;
    });
}

namespace {

std::unique_ptr<float[]> ZeroedNormals(uint64_t vertexCount) {
    if (vertexCount > UINT64_MAX / (3 * sizeof(float))) return nullptr;
    return std::unique_ptr<float[]>(new (std::nothrow) float[vertexCount * 3]());
}

void AddTo(float* normals, int64_t vertex, const float add[3]) {
    float* entry = normals + vertex * 3;
    entry[0] += add[0];
    entry[1] += add[1];
    entry[2] += add[2];
}

bool InRange(int64_t vertex, int64_t begin, int64_t end) {
    return vertex >= begin && vertex < end;
}

// Accumulation A: the face normal of each facet (first index not smaller than second) at its corners.
// Each core sums into its own range of vertices, visiting the facets in order, so every sum is made
// in the same order, and comes out the same, as on one core.
std::unique_ptr<float[]> AccumulateFaceNormals(const Poly3gon& mesh) {
    std::unique_ptr<float[]> sums = ZeroedNormals(mesh.vertexCount);
    if (!sums) return nullptr;
    ParallelFor(static_cast<int64_t>(mesh.vertexCount), [&](int64_t begin, int64_t end) {
        for (uint64_t i = 0; i < mesh.facetCount; ++i) {
            const int64_t* facet = mesh.facets + i * 3;
            if (!std::any_of(facet, facet + 3, [=](int64_t v) { return InRange(v, begin, end); })) continue;
            if (facet[0] < facet[1] || !FacetInMesh(facet, mesh.vertexCount)) continue;
            float normal[3];
            FacetNormal(mesh.vertices + facet[0] * 3, mesh.vertices + facet[1] * 3,
                        mesh.vertices + facet[2] * 3, normal);
            for (int corner = 0; corner < 3; ++corner) {
                if (InRange(facet[corner], begin, end)) AddTo(sums.get(), facet[corner], normal);
            }
        }
    });
    return sums;
}

// Smoothing pass: each edge, counted once from its smaller-index end, adds A of each end to the other;
// split over the cores by vertex range like the accumulation.
std::unique_ptr<float[]> SumNeighbourNormals(const Poly3gon& mesh, const float* accumulated) {
    std::unique_ptr<float[]> sums = ZeroedNormals(mesh.vertexCount);
    if (!sums) return nullptr;
    ParallelFor(static_cast<int64_t>(mesh.vertexCount), [&](int64_t begin, int64_t end) {
        for (uint64_t i = 0; i < mesh.facetCount; ++i) {
            const int64_t* facet = mesh.facets + i * 3;
            if (!std::any_of(facet, facet + 3, [=](int64_t v) { return InRange(v, begin, end); })) continue;
            if (!FacetInMesh(facet, mesh.vertexCount)) continue;
            for (int corner = 0; corner < 3; ++corner) {
                const int64_t from = facet[corner];
                const int64_t to = facet[(corner + 1) % 3];
                if (from >= to) continue;
                if (InRange(from, begin, end)) AddTo(sums.get(), from, accumulated + to * 3);
                if (InRange(to, begin, end)) AddTo(sums.get(), to, accumulated + from * 3);
            }
        }
    });
    return sums;
}

}  // namespace

void FacetNormal(const float* a, const float* b, const float* c, float out[3]) {
    const float u[3] = {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
    const float v[3] = {b[0] - c[0], b[1] - c[1], b[2] - c[2]};
    out[0] = u[1] * v[2] - u[2] * v[1];
    out[1] = u[2] * v[0] - u[0] * v[2];
    out[2] = u[0] * v[1] - u[1] * v[0];
}

bool UsesCornerNormals(const int64_t* facet, bool haveNormals, bool fileNormals) {
    return haveNormals && (fileNormals || facet[0] >= facet[1]);
}

std::unique_ptr<float[]> ComputeVertexNormals(const SceneObject& record, int surfaceMode) {
    const Poly3gon* mesh = record.mesh;
    if (mesh == nullptr || (surfaceMode != 2 && surfaceMode != 3)) return nullptr;
    if (surfaceMode == 2 && record.fileType == kCtmFile && record.normals != nullptr) {
        std::unique_ptr<float[]> copy = ZeroedNormals(mesh->vertexCount);
        if (copy) std::copy_n(record.normals, mesh->vertexCount * 3, copy.get());
        return copy;
    }
    std::unique_ptr<float[]> accumulated = AccumulateFaceNormals(*mesh);
    if (!accumulated || surfaceMode == 2) return accumulated;
    return SumNeighbourNormals(*mesh, accumulated.get());
}
