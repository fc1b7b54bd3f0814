#pragma once
// The weld as one sequential scan through a growing hash table of the points found so far: the
// procedure WeldMesh replaced, kept as the oracle its results are compared with byte for byte. Fast
// enough for inputs of millions of corners, unlike the literal linear search.

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <memory>
#include <stdexcept>

#include "geometry/ExactPointTable.h"
#include "geometry/TriangleRotation.h"
#include "import/MeshArrays.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"

namespace sequential_weld {

// How far ahead of its use a corner's table slot is fetched into the cache.
inline constexpr uint64_t kPrefetchDistance = 16;

inline bool IndicesValid(const int64_t* indices, uint64_t count, uint64_t vertexCount) {
    for (uint64_t i = 0; i < count; ++i)
        if (indices[i] < 0 || static_cast<uint64_t>(indices[i]) >= vertexCount) return false;
    return true;
}

inline bool HasNan(const float* vertex) {
    return vertex[0] != vertex[0] || vertex[1] != vertex[1] || vertex[2] != vertex[2];
}

// How many welded vertices there can be: every vertex without NaN once, and every corner whose vertex
// has a NaN coordinate once more, since such a corner never matches and is numbered on its own (a cut
// across an infinite coordinate makes NaN points shared by several facets and cap triangles).
inline uint64_t WeldCapacity(const Poly3gon& mesh, const CutCap* caps) {
    const float* vertices = mesh.vertices;
    uint64_t nanVertices = 0;
    for (uint64_t i = 0; i < mesh.vertexCount; ++i)
        nanVertices += HasNan(vertices + i * 3);
    if (nanVertices == 0) return mesh.vertexCount;
    uint64_t nanCorners = 0;
    auto count = [&](const int64_t* corners, uint64_t n) {
        for (uint64_t i = 0; i < n; ++i)
            nanCorners += HasNan(vertices + corners[i] * 3);
    };
    count(mesh.facets, mesh.facetCount * 3);
    for (const CutCap* cap = caps; cap != nullptr; cap = cap->next)
        count(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3);
    return mesh.vertexCount - nanVertices + nanCorners;
}

}  // namespace sequential_weld

// WeldMesh's contract, on the calling thread alone.
inline bool WeldSequentially(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics) {
    const uint64_t vertexCount = mesh.vertexCount;
    const uint64_t facetCount = mesh.facetCount;
    if (vertexCount >= UINT32_MAX) return false;
    if (facetCount > 0 &&
        (mesh.facets == nullptr || !sequential_weld::IndicesValid(mesh.facets, facetCount * 3, vertexCount)))
        return false;
    for (const CutCap* cap = caps; cap != nullptr; cap = cap->next) {
        if (cap->triangleCount < 0) return false;
        if (cap->triangleCount == 0) continue;
        if (cap->triangles == nullptr ||
            !sequential_weld::IndicesValid(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3,
                                           vertexCount))
            return false;
    }

    const uint64_t capacity = sequential_weld::WeldCapacity(mesh, caps);
    if (capacity > ExactPointTable::kMaxPoints) return false;
    // Each corner's new number is kept above its old index (both below 2^32) until all are known,
    // so that running out of memory while the table grows leaves the mesh as it was.
    std::unique_ptr<float[]> welded(capacity > 0 ? NewLargeFloatArray(capacity * 3) : nullptr);
    if (capacity > 0 && !welded) return false;
    auto number = [](int64_t& corner, uint32_t n) {
        corner = static_cast<int64_t>(static_cast<uint64_t>(n) << 32 | static_cast<uint64_t>(corner));
    };
    uint64_t distinct = 0;
    try {
        ExactPointTable table(welded.get(), capacity);
        // A closed surface has about half as many distinct vertices as facets.
        table.Reserve(std::min(vertexCount, facetCount / 2 + 1024));
        const float* vertices = mesh.vertices;
        int64_t* facets = mesh.facets;
        const uint64_t progressStep = facetCount > 100 ? facetCount / 100 : 0;
        for (uint64_t f = facetCount; f-- > 0;) {
            if (progressStep != 0 && f % progressStep == 0)
                graphics.ShowProgress(static_cast<int>(100 - (100 * f) / facetCount), "Optimizing");
            if (f >= sequential_weld::kPrefetchDistance) {
                const int64_t* ahead = facets + (f - sequential_weld::kPrefetchDistance) * 3;
                for (int k = 0; k < 3; ++k)
                    table.Prefetch(vertices + ahead[k] * 3);
            }
            for (uint64_t i = f * 3; i < f * 3 + 3; ++i)
                number(facets[i], table.FindOrAdd(vertices + facets[i] * 3));
        }
        for (CutCap* cap = caps; cap != nullptr; cap = cap->next)
            for (int64_t k = 0; k < cap->triangleCount * 3; ++k)
                number(cap->triangles[k], table.FindOrAdd(vertices + cap->triangles[k] * 3));
        distinct = table.Count();
    } catch (const std::exception&) {  // no memory, or (never expected) more points than counted
        auto restore = [](int64_t* corners, uint64_t count) {
            for (uint64_t i = 0; i < count; ++i)
                corners[i] = static_cast<int64_t>(static_cast<uint64_t>(corners[i]) & 0xFFFFFFFFu);
        };
        restore(mesh.facets, facetCount * 3);
        for (CutCap* cap = caps; cap != nullptr; cap = cap->next)
            restore(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3);
        return false;
    }

    auto renumber = [](int64_t* corner) {
        for (int k = 0; k < 3; ++k)
            corner[k] = static_cast<int64_t>(static_cast<uint64_t>(corner[k]) >> 32);
    };
    for (uint64_t f = 0; f < facetCount; ++f) {
        renumber(mesh.facets + f * 3);
        RotateLargerFirst(mesh.facets + f * 3);
    }
    for (CutCap* cap = caps; cap != nullptr; cap = cap->next) {
        for (int64_t t = 0; t < cap->triangleCount; ++t) {
            renumber(cap->triangles + t * 3);
            RotateSmallerFirst(cap->triangles + t * 3);
        }
    }
    // The buffer was sized for the most vertices there could be; keep an exact copy when memory allows.
    float* exact = distinct > 0 && distinct < capacity ? NewLargeFloatArray(distinct * 3) : nullptr;
    if (exact != nullptr) {
        std::memcpy(exact, welded.get(), distinct * 3 * sizeof(float));
        welded.reset(exact);
    }
    if (distinct == 0) welded.reset();
    delete[] mesh.vertices;
    mesh.vertices = welded.release();
    mesh.vertexCount = distinct;
    graphics.ShowProgress(0, "");
    return true;
}
