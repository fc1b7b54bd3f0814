#include "geometry/SurfaceCorners.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <vector>

#include "geometry/VertexNormals.h"
#include "platform/ParallelFor.h"
#include "scene/Poly3gon.h"

namespace {

constexpr uint64_t kUnclaimed = UINT64_MAX;
constexpr float kAnyNormal[3] = {0.0f, 0.0f, 1.0f};  // for mesh vertices no facet ends at

void FaceNormal(const Poly3gon& mesh, const int64_t* facet, float out[3]) {
    FacetNormal(mesh.vertices + facet[0] * 3, mesh.vertices + facet[1] * 3, mesh.vertices + facet[2] * 3,
                out);
}

float* PutCorner(float* out, const float* position, const float* normal) {
    std::copy_n(position, 3, out);
    std::copy_n(normal, 3, out + 3);
    return out + kFloatsPerCorner;
}

}  // namespace

SurfaceLayout LayoutFor(bool haveNormals, bool directionalLight) {
    return haveNormals || !directionalLight ? SurfaceLayout::kSmooth : SurfaceLayout::kFlat;
}

std::unique_ptr<float[]> FlatVertexNormals(const Poly3gon& mesh, uint64_t first, uint64_t last) {
    // Each vertex goes to the first facet ending at it: the smallest such facet, found on all cores.
    std::vector<uint64_t> claims(mesh.vertexCount, kUnclaimed);
    ParallelFor(static_cast<int64_t>(last - first), [&](int64_t begin, int64_t end) {
        for (uint64_t f = first + static_cast<uint64_t>(begin); f < first + static_cast<uint64_t>(end); ++f) {
            const int64_t* facet = mesh.facets + f * 3;
            if (!FacetInMesh(facet, mesh.vertexCount)) continue;
            std::atomic_ref<uint64_t> claim(claims[static_cast<uint64_t>(facet[2])]);
            uint64_t known = claim.load(std::memory_order_relaxed);
            while (f < known && !claim.compare_exchange_weak(known, f, std::memory_order_relaxed)) {
            }
        }
    });
    auto normals = std::make_unique_for_overwrite<float[]>(mesh.vertexCount * 3);
    ParallelFor(static_cast<int64_t>(mesh.vertexCount), [&](int64_t begin, int64_t end) {
        for (auto v = static_cast<uint64_t>(begin); v < static_cast<uint64_t>(end); ++v) {
            if (claims[v] == kUnclaimed)
                std::copy_n(kAnyNormal, 3, normals.get() + v * 3);
            else
                FaceNormal(mesh, mesh.facets + claims[v] * 3, normals.get() + v * 3);
        }
    });
    return normals;
}

uint64_t FillSurfaceCorners(const Poly3gon& mesh, const float* normals, bool fileNormals,
                            SurfaceLayout layout, uint64_t first, uint64_t last, float* out) {
    float* const start = out;
    for (uint64_t f = first; f < last; ++f) {
        const int64_t* facet = mesh.facets + f * 3;
        if (!FacetInMesh(facet, mesh.vertexCount)) continue;
        const float* corners[3] = {mesh.vertices + facet[0] * 3, mesh.vertices + facet[1] * 3,
                                   mesh.vertices + facet[2] * 3};
        if (layout == SurfaceLayout::kSmooth && UsesCornerNormals(facet, normals != nullptr, fileNormals)) {
            for (int k = 0; k < 3; ++k)
                out = PutCorner(out, corners[k], normals + facet[k] * 3);
            continue;
        }
        float face[3];
        FaceNormal(mesh, facet, face);
        const bool flat = layout == SurfaceLayout::kFlat;
        out = PutCorner(out, corners[0], flat ? normals + facet[0] * 3 : face);
        out = PutCorner(out, corners[1], flat ? normals + facet[1] * 3 : face);
        out = PutCorner(out, corners[2], face);
    }
    return static_cast<uint64_t>(out - start) / kFloatsPerCorner;
}
