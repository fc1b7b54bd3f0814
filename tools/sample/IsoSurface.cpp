// Marching tetrahedra, one slab of cells at a time: only the field values of two grid layers and
// the surface vertices on the edges touching those layers are held.
#include "tools/sample/IsoSurface.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <new>
#include <utility>
#include <vector>

#include "import/MeshArrays.h"
#include "scene/Poly3gon.h"

namespace {

// Cell corners are numbered by their offsets: bit 0 x, bit 1 y, bit 2 z. Each tetrahedron runs
// from corner 0 to corner 7 along one order of the three axes.
constexpr std::array<std::array<int, 4>, 6> kTetrahedra = {{
    {0, 1, 3, 7},
    {0, 1, 5, 7},
    {0, 2, 3, 7},
    {0, 2, 6, 7},
    {0, 4, 5, 7},
    {0, 4, 6, 7},
}};

constexpr int64_t kNoVertex = -1;

class SurfaceBuilder {
public:
    explicit SurfaceBuilder(const SampleGrid& grid)
        : grid_(grid), nx_(grid.counts[0]), ny_(grid.counts[1]), layerSize_(size_t(nx_ * ny_)) {
        // Direction 0 is no edge and stays empty.
        for (int direction = 1; direction < 8; ++direction)
            lowerEdges_[direction].assign(layerSize_, kNoVertex);
        for (int direction = 1; direction < 4; ++direction)
            upperEdges_[direction].assign(layerSize_, kNoVertex);
        lowerValues_.resize(layerSize_);
        upperValues_.resize(layerSize_);
    }

    void Build(const LayerSampler& sample) {
        sample(0, lowerValues_.data());
        for (int64_t k = 0; k + 1 < grid_.counts[2]; ++k) {
            sample(k + 1, upperValues_.data());
            for (int64_t j = 0; j + 1 < ny_; ++j)
                for (int64_t i = 0; i + 1 < nx_; ++i)
                    Cell(i, j, k);
            NextSlab();
        }
    }

    std::vector<float>& Vertices() { return vertices_; }
    std::vector<int64_t>& Facets() { return facets_; }

private:
    void Cell(int64_t i, int64_t j, int64_t k) {
        const size_t base = size_t(j * nx_ + i);
        const size_t offsets[4] = {base, base + 1, base + size_t(nx_), base + size_t(nx_) + 1};
        float values[8];
        int inside = 0;
        for (int corner = 0; corner < 8; ++corner) {
            const std::vector<float>& layer = corner & 4 ? upperValues_ : lowerValues_;
            values[corner] = layer[offsets[corner & 3]];
            if (values[corner] < 0.0f) inside |= 1 << corner;
        }
        if (inside == 0 || inside == 0xff) return;
        for (const auto& tetrahedron : kTetrahedra)
            Tetrahedron(tetrahedron, values, inside, i, j, k);
    }

    void Tetrahedron(const std::array<int, 4>& corners, const float* values, int inside, int64_t i, int64_t j,
                     int64_t k) {
        int in[4], out[4];
        int inCount = 0, outCount = 0;
        for (int corner : corners)
            (inside >> corner & 1 ? in[inCount++] : out[outCount++]) = corner;
        if (inCount == 0 || outCount == 0) return;
        CellContext cell{values, i, j, k, in, inCount, out, outCount};
        if (inCount == 1) {
            Triangle(cell, Edge(cell, in[0], out[0]), Edge(cell, in[0], out[1]), Edge(cell, in[0], out[2]));
        } else if (inCount == 3) {
            Triangle(cell, Edge(cell, in[0], out[0]), Edge(cell, in[1], out[0]), Edge(cell, in[2], out[0]));
        } else {
            const int64_t quad[4] = {Edge(cell, in[0], out[0]), Edge(cell, in[0], out[1]),
                                     Edge(cell, in[1], out[1]), Edge(cell, in[1], out[0])};
            Triangle(cell, quad[0], quad[1], quad[2]);
            Triangle(cell, quad[0], quad[2], quad[3]);
        }
    }

    struct CellContext {
        const float* values;
        int64_t i, j, k;
        const int* in;
        int inCount;
        const int* out;
        int outCount;
    };

    // The surface vertex on the edge between two corners of a tetrahedron, created on first use.
    int64_t Edge(const CellContext& cell, int a, int b) {
        const int low = std::min(a, b), high = std::max(a, b);  // low's offset bits are a subset of high's
        const int direction = high ^ low;
        const int64_t pi = cell.i + (low & 1), pj = cell.j + (low >> 1 & 1);
        const size_t point = size_t(pj * nx_ + pi);
        int64_t& slot = low & 4 ? upperEdges_[direction][point] : lowerEdges_[direction][point];
        if (slot != kNoVertex) return slot;

        // Linear interpolation of the zero crossing, kept off the end points so that no facet collapses.
        const float fa = cell.values[low], fb = cell.values[high];
        const double t = std::clamp(double(fa) / (double(fa) - double(fb)), 1e-3, 1.0 - 1e-3);
        const double start[3] = {double(pi), double(pj), double(cell.k + (low >> 2 & 1))};
        const double step[3] = {double(direction & 1), double(direction >> 1 & 1),
                                double(direction >> 2 & 1)};
        for (int axis = 0; axis < 3; ++axis)
            vertices_.push_back(float(grid_.origin[axis] + grid_.spacing * (start[axis] + t * step[axis])));
        slot = int64_t(vertices_.size() / 3 - 1);
        return slot;
    }

    // Appends the facet, turned so that it faces away from the tetrahedron's inside corners.
    void Triangle(const CellContext& cell, int64_t a, int64_t b, int64_t c) {
        double outward[3] = {0, 0, 0};
        for (int n = 0; n < cell.outCount; ++n)
            for (int axis = 0; axis < 3; ++axis)
                outward[axis] += double(cell.out[n] >> axis & 1) / cell.outCount;
        for (int n = 0; n < cell.inCount; ++n)
            for (int axis = 0; axis < 3; ++axis)
                outward[axis] -= double(cell.in[n] >> axis & 1) / cell.inCount;
        const float* pa = &vertices_[size_t(a) * 3];
        const float* pb = &vertices_[size_t(b) * 3];
        const float* pc = &vertices_[size_t(c) * 3];
        double u[3], v[3];
        for (int axis = 0; axis < 3; ++axis) {
            u[axis] = double(pb[axis]) - pa[axis];
            v[axis] = double(pc[axis]) - pa[axis];
        }
        const double normal[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2],
                                  u[0] * v[1] - u[1] * v[0]};
        if (normal[0] * outward[0] + normal[1] * outward[1] + normal[2] * outward[2] < 0) std::swap(b, c);
        facets_.insert(facets_.end(), {a, b, c});
    }

    void NextSlab() {
        std::swap(lowerValues_, upperValues_);
        for (int direction = 1; direction < 4; ++direction) {
            std::swap(lowerEdges_[direction], upperEdges_[direction]);
            std::fill(upperEdges_[direction].begin(), upperEdges_[direction].end(), kNoVertex);
        }
        for (int direction = 4; direction < 8; ++direction)
            std::fill(lowerEdges_[direction].begin(), lowerEdges_[direction].end(), kNoVertex);
    }

    const SampleGrid& grid_;
    const int64_t nx_, ny_;
    const size_t layerSize_;
    // Surface vertex per grid point and edge direction (index = offset bits of the far end):
    // edges starting in the slab's lower layer, and the in-layer edges of its upper layer.
    std::array<std::vector<int64_t>, 8> lowerEdges_;
    std::array<std::vector<int64_t>, 4> upperEdges_;
    std::vector<float> lowerValues_, upperValues_;
    std::vector<float> vertices_;
    std::vector<int64_t> facets_;
};

}  // namespace

bool MeshIsoSurface(const SampleGrid& grid, const LayerSampler& sample, Poly3gon& mesh) {
    if (grid.counts[0] < 2 || grid.counts[1] < 2 || grid.counts[2] < 2) return false;
    try {
        SurfaceBuilder builder(grid);
        builder.Build(sample);
        const std::vector<float>& vertices = builder.Vertices();
        const std::vector<int64_t>& facets = builder.Facets();
        Poly3gon result;
        if (!AllocateMeshArrays(result, vertices.size() / 3, facets.size() / 3)) return false;
        if (!vertices.empty()) std::memcpy(result.vertices, vertices.data(), vertices.size() * sizeof(float));
        if (!facets.empty()) std::memcpy(result.facets, facets.data(), facets.size() * sizeof(int64_t));
        mesh = std::move(result);
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}
