// The cut classifies every facet against the plane once, collects the pieces that remain of the
// crossing facets, the new points (numbered through an exact hash, as a linear search would number
// them) and the segments along the opening, then builds the new arrays in one pass each. Nothing in
// the object changes until every new array exists, so running out of memory leaves it as it was.
#include "geometry/CutMesh.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>
#include <new>
#include <stdexcept>
#include <vector>

#include "geometry/CapChain.h"
#include "geometry/CapClosure.h"
#include "geometry/ExactPointTable.h"
#include "geometry/TriangleRotation.h"
#include "import/MeshArrays.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneObject.h"

namespace {

constexpr float kEpsilon = 1.1920928955078125e-7f;  // 2^-23

// A triangle made from a split facet: corners as references (an old vertex index, or -(k + 1) for
// new point k) and the rotation its source was stored in (1: smaller-first, V0 < V1).
struct Piece {
    int64_t corner[3];
    int64_t smallerFirst;
};

// The plane scaled so that its dominant coefficient is +1 or -1.
struct ScaledPlane {
    int axis;  // 0 x, 1 y, 2 z
    float a, b, c, d;

    explicit ScaledPlane(const CutPlane& plane) : a(plane.a), b(plane.b), c(plane.c), d(plane.d) {
        float fa = std::fabs(a), fb = std::fabs(b), fc = std::fabs(c);
        if (fb > fc && fb > fa)
            axis = 1;
        else if (fb <= fc && fc > fa)
            axis = 2;
        else
            axis = 0;
        float dominant = axis == 0 ? fa : axis == 1 ? fb : fc;
        if (dominant != 0) {
            a /= dominant;
            b /= dominant;
            c /= dominant;
            d /= dominant;
        }
    }

    float Distance(const float* p) const { return (b * p[1] + a * p[0]) + c * p[2] + d; }

    // Fills the dominant coordinate of `p` from the plane.
    void Solve(float* p) const {
        if (axis == 0) {
            p[0] = (c * p[2] + b * p[1]) + d;
            if (a == 1) p[0] = -p[0];
        } else if (axis == 1) {
            p[1] = (c * p[2] + a * p[0]) + d;
            if (b == 1) p[1] = -p[1];
        } else {
            p[2] = (b * p[1] + a * p[0]) + d;
            if (c == 1) p[2] = -p[2];
        }
    }
};

int8_t SideOf(float distance) {
    if (distance >= kEpsilon) return 1;
    if (distance <= -kEpsilon) return -1;
    return 0;
}

float SquaredDistance(const float* p, const float* q) {
    float dx = p[0] - q[0], dy = p[1] - q[1], dz = p[2] - q[2];
    return (dx * dx + dy * dy) + dz * dz;
}

// Classifies triangles against the plane and gathers pieces, new points and cut segments.
class Classifier {
public:
    // At most `pointLimit` new points may be made; one more throws std::length_error.
    Classifier(const Poly3gon& mesh, const ScaledPlane& plane, const std::vector<float>& distance,
               const std::vector<int8_t>& side, uint64_t pointLimit)
        : vertices_(mesh.vertices), plane_(plane), distance_(distance), side_(side), points_(pointLimit) {}

    // False when the triangle lies (partly) on the removed side; its remaining pieces then go to `pieces`.
    bool Keep(const int64_t* t, std::vector<Piece>& pieces) {
        int8_t s0 = side_[t[0]], s1 = side_[t[1]], s2 = side_[t[2]];
        if (s0 != 1 && s1 != 1 && s2 != 1) return true;
        int64_t orientation = t[0] < t[1] ? 1 : 0;
        int negatives = (s0 == -1) + (s1 == -1) + (s2 == -1);
        if (negatives == 2) {
            int64_t a, b, c;
            if (s0 == -1 && s1 == -1)
                a = t[0], b = t[1], c = t[2];
            else if (s2 == -1 && s0 == -1)
                a = t[2], b = t[0], c = t[1];
            else
                a = t[1], b = t[2], c = t[0];
            float p[3], q[3];
            int64_t pr = PointOnEdge(c, a, p);
            int64_t qr = PointOnEdge(c, b, q);
            if (SquaredDistance(vertices_ + b * 3, p) > SquaredDistance(vertices_ + a * 3, q)) {
                pieces.push_back({{a, b, qr}, orientation});
                pieces.push_back({{a, qr, pr}, orientation});
            } else {
                pieces.push_back({{a, b, pr}, orientation});
                pieces.push_back({{b, qr, pr}, orientation});
            }
            if (pr != qr) segments_.push_back({pr, qr});
        } else if (negatives == 1) {
            int64_t a, b, c;
            if (s0 == -1)
                a = t[0], b = t[1], c = t[2];
            else if (s1 == -1)
                a = t[1], b = t[2], c = t[0];
            else
                a = t[2], b = t[0], c = t[1];
            float scratch[3];
            int64_t b2 = std::fabs(distance_[b]) < kEpsilon ? b : PointOnEdge(a, b, scratch);
            int64_t c2 = std::fabs(distance_[c]) < kEpsilon ? c : PointOnEdge(a, c, scratch);
            pieces.push_back({{a, b2, c2}, orientation});
            if (b2 != c2) segments_.push_back({c2, b2});
        } else {
            // Only an edge lying on the plane, with the third corner removed, borders the opening.
            if (s0 == 0 && s1 == 0 && s2 == 1)
                segments_.push_back({t[0], t[1]});
            else if (s1 == 0 && s2 == 0 && s0 == 1)
                segments_.push_back({t[1], t[2]});
            else if (s2 == 0 && s0 == 0 && s1 == 1)
                segments_.push_back({t[2], t[0]});
        }
        return false;
    }

    ExactPointTable& Points() { return points_; }
    std::vector<Segment>& Segments() { return segments_; }

private:
    // The crossing of the edge i-j with the plane, stored as a new point; returns its reference.
    // The weights are symmetric, so both facets of an edge make the bit-identical point.
    int64_t PointOnEdge(int64_t i, int64_t j, float* point) {
        float di = distance_[i], dj = distance_[j];
        float wi = 0, wj = 0;
        if (std::fabs(di - dj) >= kEpsilon) {
            wi = dj / (dj - di);
            wj = di / (di - dj);
        }
        const float* pi = vertices_ + i * 3;
        const float* pj = vertices_ + j * 3;
        for (int axis = 0; axis < 3; ++axis)
            point[axis] = axis == plane_.axis ? 0.0f : wi * pi[axis] + wj * pj[axis];
        plane_.Solve(point);
        return -(static_cast<int64_t>(points_.FindOrAdd(point)) + 1);
    }

    const float* vertices_;
    const ScaledPlane& plane_;
    const std::vector<float>& distance_;
    const std::vector<int8_t>& side_;
    ExactPointTable points_;
    std::vector<Segment> segments_;
};

bool IndicesValid(const int64_t* indices, uint64_t count, uint64_t vertexCount) {
    for (uint64_t i = 0; i < count; ++i)
        if (indices[i] < 0 || static_cast<uint64_t>(indices[i]) >= vertexCount) return false;
    return true;
}

// Kept triangles renumbered, in reverse order, then the pieces resolved and rotated as their source.
void WriteTriangles(const int64_t* old, uint64_t count, const std::vector<uint8_t>& keep,
                    const std::vector<Piece>& pieces, const std::vector<int64_t>& newIndex, int64_t keptCount,
                    int64_t* out) {
    for (uint64_t t = count; t-- > 0;) {
        if (!keep[t]) continue;
        const int64_t* corners = old + t * 3;
        out[0] = newIndex[corners[0]];
        out[1] = newIndex[corners[1]];
        out[2] = newIndex[corners[2]];
        out += 3;
    }
    for (const Piece& piece : pieces) {
        for (int k = 0; k < 3; ++k) {
            int64_t r = piece.corner[k];
            out[k] = r >= 0 ? newIndex[r] : (keptCount - 1) - r;
        }
        if (piece.smallerFirst)
            RotateSmallerFirst(out);
        else
            RotateLargerFirst(out);
        out += 3;
    }
}

// Per-triangle-set working data of one cut: the mesh's facets or one cap's triangles.
struct TriangleSet {
    const int64_t* triangles;
    uint64_t count;
    std::vector<uint8_t> keep;
    std::vector<Piece> pieces;
    uint64_t kept = 0;
    std::unique_ptr<int64_t[]> result;

    uint64_t ResultCount() const { return kept + pieces.size(); }
};

void Classify(Classifier& classifier, TriangleSet& set) {
    set.keep.resize(set.count);
    for (uint64_t t = set.count; t-- > 0;) {
        bool keep = classifier.Keep(set.triangles + t * 3, set.pieces);
        set.keep[t] = keep;
        set.kept += keep;
    }
}

}  // namespace

CutCap* CutMesh(SceneObject& object, const CutPlane& plane, CutStatistics* statistics, uint64_t vertexLimit) {
    CutStatistics ignored;
    CutStatistics& stats = statistics != nullptr ? *statistics : ignored;
    stats = CutStatistics{};
    Poly3gon& mesh = *object.mesh;
    const uint64_t vertexCount = mesh.vertexCount;
    if (mesh.facetCount > 0 &&
        (mesh.facets == nullptr || !IndicesValid(mesh.facets, mesh.facetCount * 3, vertexCount))) {
        stats.refused = true;
        return nullptr;
    }
    for (const CutCap* cap = object.caps; cap != nullptr; cap = cap->next) {
        if (cap->triangleCount < 0 ||
            (cap->triangleCount > 0 &&
             (cap->triangles == nullptr ||
              !IndicesValid(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3, vertexCount)))) {
            stats.refused = true;
            return nullptr;
        }
    }

    std::unique_ptr<float[]> newVertices;
    std::unique_ptr<int64_t[]> newFacets;
    std::unique_ptr<float[]> newNormals;
    std::unique_ptr<int64_t[]> capTriangles;
    std::vector<TriangleSet> caps;
    int64_t capTriangleCount = 0;
    CutCap* result = nullptr;
    try {
        const ScaledPlane scaled(plane);
        std::vector<float> distance(vertexCount);
        std::vector<int8_t> side(vertexCount);
        std::vector<int64_t> newIndex(vertexCount, -1);
        int64_t keptCount = 0;
        for (uint64_t i = 0; i < vertexCount; ++i) {
            distance[i] = scaled.Distance(mesh.vertices + i * 3);
            side[i] = SideOf(distance[i]);
            // Kept: closer than epsilon to the plane or on the kept side (NaN counts as kept, so a
            // kept facet never refers to a removed vertex).
            if (!(distance[i] >= kEpsilon)) newIndex[i] = keptCount++;
        }

        // The result must stay weldable; the point table refuses the first point beyond that.
        const uint64_t limit = std::min(vertexLimit, ExactPointTable::kMaxPoints);
        if (static_cast<uint64_t>(keptCount) > limit) throw std::length_error("too many vertices");
        Classifier classifier(mesh, scaled, distance, side, limit - static_cast<uint64_t>(keptCount));
        TriangleSet facets{mesh.facets, mesh.facetCount, {}, {}, 0, nullptr};
        Classify(classifier, facets);
        for (const CutCap* cap = object.caps; cap != nullptr; cap = cap->next) {
            caps.push_back({cap->triangles, static_cast<uint64_t>(cap->triangleCount), {}, {}, 0, nullptr});
            Classify(classifier, caps.back());
        }

        const uint64_t pointCount = classifier.Points().Count();
        uint64_t newVertexCount = static_cast<uint64_t>(keptCount) + pointCount;
        newVertices.reset(newVertexCount > 0 ? NewLargeFloatArray(newVertexCount * 3) : nullptr);
        newFacets.reset(facets.ResultCount() > 0 ? NewLargeIndexArray(facets.ResultCount() * 3) : nullptr);
        if ((newVertexCount > 0 && !newVertices) || (facets.ResultCount() > 0 && !newFacets))
            throw std::bad_alloc();
        if (object.normals != nullptr) newNormals.reset(new float[newVertexCount * 3]());
        for (TriangleSet& cap : caps)
            cap.result.reset(new int64_t[cap.ResultCount() * 3]);

        float* out = newVertices.get();
        for (uint64_t i = 0; i < vertexCount; ++i) {
            if (newIndex[i] < 0) continue;
            std::memcpy(out, mesh.vertices + i * 3, 3 * sizeof(float));
            if (newNormals)
                std::memcpy(newNormals.get() + newIndex[i] * 3, object.normals + i * 3, 3 * sizeof(float));
            out += 3;
        }
        if (pointCount > 0) std::memcpy(out, classifier.Points().Points(), pointCount * 3 * sizeof(float));

        WriteTriangles(mesh.facets, mesh.facetCount, facets.keep, facets.pieces, newIndex, keptCount,
                       newFacets.get());
        for (TriangleSet& cap : caps)
            WriteTriangles(cap.triangles, cap.count, cap.keep, cap.pieces, newIndex, keptCount,
                           cap.result.get());

        std::vector<Segment>& segments = classifier.Segments();
        for (Segment& segment : segments) {
            segment.from = segment.from >= 0 ? newIndex[segment.from] : (keptCount - 1) - segment.from;
            segment.to = segment.to >= 0 ? newIndex[segment.to] : (keptCount - 1) - segment.to;
        }
        std::vector<Triangle> triangles;
        std::vector<size_t> contourEnds;
        const PlaneProjection projection(newVertices.get(), plane.a, plane.b, plane.c);
        BuildCapTriangles(segments, projection, triangles, stats.cap, &contourEnds);

        // Where the cap leaves the cross-section open, it is mended; new fan centres follow the points.
        std::vector<uint8_t> onPlane(newVertexCount, 0);
        for (uint64_t i = 0; i < vertexCount; ++i)
            if (newIndex[i] >= 0 && side[i] == 0) onPlane[newIndex[i]] = 1;
        std::fill(onPlane.begin() + keptCount, onPlane.end(), 1);
        std::vector<TriangleSpan> kept{{newFacets.get(), facets.ResultCount()}};
        for (const TriangleSet& cap : caps)
            kept.push_back({cap.result.get(), cap.ResultCount()});
        // What the mesh had open in the plane before the cut stays open (a facet soup, an open surface).
        auto openBefore = [&] {
            std::vector<uint8_t> wasOnPlane(side.size());
            for (size_t i = 0; i < side.size(); ++i)
                wasOnPlane[i] = side[i] == 0;
            std::vector<TriangleSpan> uncut{{mesh.facets, mesh.facetCount}};
            for (const TriangleSet& cap : caps)
                uncut.push_back({cap.triangles, cap.count});
            std::vector<Segment> partners = MissingPartners(uncut, wasOnPlane);
            for (Segment& partner : partners)
                partner = {newIndex[partner.from], newIndex[partner.to]};
            return partners;
        };
        std::vector<float> apexes;
        CloseCap(kept, onPlane, newVertices.get(), newVertexCount, projection, triangles, contourEnds,
                 openBefore, apexes);
        if (!apexes.empty()) {
            const uint64_t apexCount = apexes.size() / 3;
            if (newVertexCount + apexCount > limit) throw std::length_error("too many vertices");
            std::unique_ptr<float[]> grown(NewLargeFloatArray((newVertexCount + apexCount) * 3));
            if (!grown) throw std::bad_alloc();
            std::memcpy(grown.get(), newVertices.get(), newVertexCount * 3 * sizeof(float));
            std::memcpy(grown.get() + newVertexCount * 3, apexes.data(), apexes.size() * sizeof(float));
            newVertices = std::move(grown);
            if (newNormals) {
                std::unique_ptr<float[]> normals(new float[(newVertexCount + apexCount) * 3]());
                std::memcpy(normals.get(), newNormals.get(), newVertexCount * 3 * sizeof(float));
                newNormals = std::move(normals);
            }
            newVertexCount += apexCount;
        }
        capTriangleCount = static_cast<int64_t>(triangles.size());
        if (capTriangleCount > 0) {
            capTriangles.reset(new int64_t[triangles.size() * 3]);
            for (size_t t = 0; t < triangles.size(); ++t) {
                int64_t* corners = capTriangles.get() + t * 3;
                corners[0] = triangles[t].a;
                corners[1] = triangles[t].b;
                corners[2] = triangles[t].c;
                RotateSmallerFirst(corners);
            }
        }
        // The record for the new cap is the last allocation; from here on nothing can fail.
        std::unique_ptr<CutCap> newCap(capTriangleCount > 0 ? new CutCap : nullptr);

        mesh.vertexCount = newVertexCount;
        mesh.facetCount = facets.ResultCount();
        delete[] mesh.vertices;
        mesh.vertices = newVertices.release();
        delete[] mesh.facets;
        mesh.facets = newFacets.release();
        if (object.normals != nullptr) {
            delete[] object.normals;
            object.normals = newNormals.release();
        }
        int64_t facetTotal = static_cast<int64_t>(mesh.facetCount);
        CutCap* last = nullptr;
        size_t index = 0;
        for (CutCap* cap = object.caps; cap != nullptr; cap = cap->next, ++index) {
            delete[] cap->triangles;
            cap->triangles = caps[index].result.release();  // never null, even when nothing is left
            cap->triangleCount = static_cast<int64_t>(caps[index].ResultCount());
            facetTotal += cap->triangleCount;
            last = cap;
        }
        if (newCap) {
            if (last == nullptr) {
                object.caps = newCap.release();
            } else {
                newCap->prev = last;
                last->next = newCap.release();
            }
            result = AppendCap(object.caps, capTriangles.release(), capTriangleCount);
            facetTotal += capTriangleCount;
        }
        object.vertexCount = static_cast<int64_t>(mesh.vertexCount);
        object.facetCount = facetTotal;
    } catch (const std::exception&) {  // no memory, or too many vertices
        stats.refused = true;
        return nullptr;
    }
    stats.capTriangles = capTriangleCount;
    return result;
}
