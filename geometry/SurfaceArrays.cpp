#include "geometry/SurfaceArrays.h"

#include <algorithm>
#include <new>

#include "geometry/VertexNormals.h"
#include "platform/ParallelFor.h"
#include "scene/Poly3gon.h"

namespace {

constexpr uint32_t kUnclaimed = UINT32_MAX;
constexpr float kAnyNormal[3] = {0.0f, 0.0f, 1.0f};  // for mesh vertices no facet is lit at

// How a facet is sent: not at all, over the shared mesh vertices, with three vertices of its own, or
// (flat layout) over the shared vertices but ending at a copy of its last corner with its face normal.
enum class FacetKind : uint8_t { kSkip, kShared, kOwn, kProvoking };

bool FacetInMesh(const int64_t* facet, uint64_t vertexCount) {
    return std::all_of(facet, facet + 3, [vertexCount](int64_t index) {
        return index >= 0 && static_cast<uint64_t>(index) < vertexCount;
    });
}

void PutVertex(float* out, const float* position, const float* normal) {
    std::copy_n(position, 3, out);
    std::copy_n(normal, 3, out + 3);
}

class ArrayBuilder {
public:
    ArrayBuilder(const Poly3gon& mesh, const float* normals, bool fileNormals, SurfaceLayout layout,
                 uint64_t first, uint64_t last)
        : mesh_(mesh),
          normals_(normals),
          fileNormals_(fileNormals),
          layout_(layout),
          first_(first),
          last_(last) {
        // Shared vertices are addressed by their mesh index, after which the copies follow; all must
        // fit 32-bit indices.
        const uint64_t facets = last - first;
        shared_ = (layout == SurfaceLayout::kFlat || normals != nullptr) && facets < UINT32_MAX / 3 &&
                  mesh.vertexCount < UINT32_MAX - 3 * facets;
        if (shared_ && layout == SurfaceLayout::kFlat) ClaimLastCorners();
    }

    uint64_t SharedCount() const { return shared_ ? mesh_.vertexCount : 0; }

    // Vertices of its own and indices the facets first .. end - 1 need.
    void Count(uint64_t first, uint64_t end, uint64_t& ownVertices, uint64_t& indices) const {
        ownVertices = 0;
        indices = 0;
        for (uint64_t f = first; f < end; ++f) {
            const FacetKind kind = Kind(f);
            if (kind == FacetKind::kSkip) continue;
            indices += 3;
            ownVertices += kind == FacetKind::kOwn ? 3 : kind == FacetKind::kProvoking ? 1 : 0;
        }
    }

    // The shared mesh vertices v = first .. end - 1 with the normal their facets are lit with.
    void FillShared(float* vertices, uint64_t first, uint64_t end) const {
        for (uint64_t v = first; v < end; ++v) {
            const float* position = mesh_.vertices + v * 3;
            if (layout_ == SurfaceLayout::kSmooth) {
                PutVertex(vertices + v * 6, position, normals_ + v * 3);
            } else if (claims_[v] == kUnclaimed) {
                PutVertex(vertices + v * 6, position, kAnyNormal);
            } else {
                float face[3];
                FaceNormal(mesh_.facets + (first_ + claims_[v]) * 3, face);
                PutVertex(vertices + v * 6, position, face);
            }
        }
    }

    // Writes the facets first .. end - 1 from `vertex` (their first vertex of their own) and `index` on.
    void Fill(uint64_t first, uint64_t end, float* vertices, uint32_t vertex, uint32_t* index) const {
        for (uint64_t f = first; f < end; ++f) {
            const FacetKind kind = Kind(f);
            const int64_t* facet = mesh_.facets + f * 3;
            const uint32_t a = static_cast<uint32_t>(facet[0]);
            const uint32_t b = static_cast<uint32_t>(facet[1]);
            const uint32_t c = static_cast<uint32_t>(facet[2]);
            switch (kind) {
                case FacetKind::kSkip:
                    break;
                case FacetKind::kShared:
                    *index++ = a, *index++ = b, *index++ = c;
                    break;
                case FacetKind::kProvoking: {
                    float face[3];
                    FaceNormal(facet, face);
                    PutVertex(vertices + static_cast<uint64_t>(vertex) * 6, mesh_.vertices + facet[2] * 3,
                              face);
                    *index++ = a, *index++ = b, *index++ = vertex++;
                    break;
                }
                case FacetKind::kOwn:
                    FillOwn(facet, vertices + static_cast<uint64_t>(vertex) * 6);
                    *index++ = vertex, *index++ = vertex + 1, *index++ = vertex + 2;
                    vertex += 3;
                    break;
            }
        }
    }

private:
    FacetKind Kind(uint64_t f) const {
        const int64_t* facet = mesh_.facets + f * 3;
        if (!FacetInMesh(facet, mesh_.vertexCount)) return FacetKind::kSkip;
        if (!shared_) return FacetKind::kOwn;
        if (layout_ == SurfaceLayout::kFlat)
            return claims_[facet[2]] == f - first_ ? FacetKind::kShared : FacetKind::kProvoking;
        return UsesCornerNormals(facet, true, fileNormals_) ? FacetKind::kShared : FacetKind::kOwn;
    }

    // Each mesh vertex is lit, at most, for the first facet of the range that ends at it.
    void ClaimLastCorners() {
        claims_.assign(mesh_.vertexCount, kUnclaimed);
        for (uint64_t f = last_; f-- > first_;) {
            const int64_t* facet = mesh_.facets + f * 3;
            if (FacetInMesh(facet, mesh_.vertexCount)) claims_[facet[2]] = static_cast<uint32_t>(f - first_);
        }
    }

    void FaceNormal(const int64_t* facet, float out[3]) const {
        FacetNormal(mesh_.vertices + facet[0] * 3, mesh_.vertices + facet[1] * 3,
                    mesh_.vertices + facet[2] * 3, out);
    }

    // Three vertices of the facet's own: with its corners' normals where they light it, else with its
    // face normal.
    void FillOwn(const int64_t* facet, float* out) const {
        const bool perCorner =
            layout_ == SurfaceLayout::kSmooth && UsesCornerNormals(facet, normals_ != nullptr, fileNormals_);
        float face[3];
        if (!perCorner) FaceNormal(facet, face);
        for (int corner = 0; corner < 3; ++corner) {
            PutVertex(out + corner * 6, mesh_.vertices + facet[corner] * 3,
                      perCorner ? normals_ + facet[corner] * 3 : face);
        }
    }

    const Poly3gon& mesh_;
    const float* normals_;
    bool fileNormals_;
    SurfaceLayout layout_;
    uint64_t first_;
    uint64_t last_;
    bool shared_ = false;
    std::vector<uint32_t> claims_;  // per mesh vertex: the facet (from first_) lit at it
};

}  // namespace

SurfaceLayout LayoutFor(bool haveNormals, bool directionalLight) {
    return haveNormals || !directionalLight ? SurfaceLayout::kSmooth : SurfaceLayout::kFlat;
}

SurfaceArrays BuildSurfaceArrays(const Poly3gon& mesh, const float* normals, bool fileNormals,
                                 SurfaceLayout layout, const std::vector<uint64_t>& bounds) {
    SurfaceArrays arrays;
    arrays.layout = layout;
    const ArrayBuilder builder(mesh, normals, fileNormals, layout, bounds.front(), bounds.back());

    // Counting first gives each block where its vertices and indices go, so blocks fill in parallel.
    const int64_t blocks = static_cast<int64_t>(bounds.size()) - 1;
    std::vector<uint64_t> vertexStarts(bounds.size(), 0);
    arrays.blockStarts.assign(bounds.size(), 0);
    ParallelFor(blocks, [&](int64_t begin, int64_t end) {
        for (int64_t k = begin; k < end; ++k)
            builder.Count(bounds[k], bounds[k + 1], vertexStarts[k + 1], arrays.blockStarts[k + 1]);
    });
    vertexStarts[0] = builder.SharedCount();
    for (int64_t k = 0; k < blocks; ++k) {
        vertexStarts[k + 1] += vertexStarts[k];
        arrays.blockStarts[k + 1] += arrays.blockStarts[k];
    }
    arrays.vertexCount = vertexStarts.back();
    arrays.indexCount = arrays.blockStarts.back();
    if (arrays.vertexCount > UINT32_MAX) throw std::bad_alloc();
    arrays.vertices = std::make_unique_for_overwrite<float[]>(arrays.vertexCount * 6);
    arrays.indices = std::make_unique_for_overwrite<uint32_t[]>(arrays.indexCount);

    float* vertices = arrays.vertices.get();
    ParallelFor(static_cast<int64_t>(builder.SharedCount()), [&](int64_t begin, int64_t end) {
        builder.FillShared(vertices, static_cast<uint64_t>(begin), static_cast<uint64_t>(end));
    });
    ParallelFor(blocks, [&](int64_t begin, int64_t end) {
        for (int64_t k = begin; k < end; ++k) {
            builder.Fill(bounds[k], bounds[k + 1], vertices, static_cast<uint32_t>(vertexStarts[k]),
                         arrays.indices.get() + arrays.blockStarts[k]);
        }
    });
    return arrays;
}
