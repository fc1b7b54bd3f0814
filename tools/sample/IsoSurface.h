#pragma once
// Closed triangle surfaces of implicit functions sampled on a regular grid.

#include <cstdint>
#include <functional>

class Poly3gon;

// Grid points origin + spacing * (i, j, k) for i < counts[0], j < counts[1], k < counts[2].
struct SampleGrid {
    double origin[3] = {0, 0, 0};
    double spacing = 1.0;
    int64_t counts[3] = {0, 0, 0};
};

// Fills `values` with the field at the counts[0] x counts[1] points of grid layer k, x fastest.
using LayerSampler = std::function<void(int64_t k, float* values)>;

// Marching tetrahedra over the six tetrahedra of each grid cell that share the cell's main diagonal
// (a decomposition whose faces match between neighbouring cells). Surface vertices sit on
// tetrahedron edges, one per edge, so facets share them: the result is an indexed mesh, closed and
// manifold when the field is non-negative on the grid's outer layers, with facets wound
// counter-clockwise seen from outside (where the field is >= 0). Returns false when a count is
// below 2 or the memory is not there (`mesh` then untouched).
bool MeshIsoSurface(const SampleGrid& grid, const LayerSampler& sample, Poly3gon& mesh);
