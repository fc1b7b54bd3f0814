#pragma once
// Checks and meshes shared by the tests of the sample specimen generator.

#include <cmath>
#include <map>
#include <numeric>
#include <utility>
#include <vector>

#include "scene/Poly3gon.h"
#include "tools/sample/IsoSurface.h"

struct Topology {
    bool closedAndConsistent = true;  // every directed edge once, with its reverse
    int64_t eulerCharacteristic = 0;
    int components = 0;
    double volume = 0;  // signed: positive when the facets face outwards
};

// Union-find root of vertex v, with path halving.
inline int64_t ComponentRoot(std::vector<int64_t>& parent, int64_t v) {
    while (parent[v] != v)
        v = parent[v] = parent[parent[v]];
    return v;
}

// Edge pairing, Euler characteristic V - E + F, connected components and signed volume of a mesh.
inline Topology Inspect(const Poly3gon& mesh) {
    Topology topology;
    std::map<std::pair<int64_t, int64_t>, int> directed;
    std::vector<int64_t> parent(mesh.vertexCount);
    std::iota(parent.begin(), parent.end(), 0);
    for (uint64_t f = 0; f < mesh.facetCount; ++f) {
        const int64_t* c = mesh.facets + f * 3;
        for (int e = 0; e < 3; ++e) {
            ++directed[{c[e], c[(e + 1) % 3]}];
            parent[ComponentRoot(parent, c[e])] = ComponentRoot(parent, c[(e + 1) % 3]);
        }
        const float* a = mesh.vertices + c[0] * 3;
        const float* b = mesh.vertices + c[1] * 3;
        const float* d = mesh.vertices + c[2] * 3;
        topology.volume += (double(a[0]) * (double(b[1]) * d[2] - double(b[2]) * d[1]) -
                            double(a[1]) * (double(b[0]) * d[2] - double(b[2]) * d[0]) +
                            double(a[2]) * (double(b[0]) * d[1] - double(b[1]) * d[0])) /
                           6.0;
    }
    for (const auto& [edge, count] : directed)
        if (count != 1 || directed.count({edge.second, edge.first}) != 1)
            topology.closedAndConsistent = false;
    for (uint64_t v = 0; v < mesh.vertexCount; ++v)
        topology.components += ComponentRoot(parent, int64_t(v)) == int64_t(v);
    topology.eulerCharacteristic =
        int64_t(mesh.vertexCount) - int64_t(directed.size() / 2) + int64_t(mesh.facetCount);
    return topology;
}

// Sphere of `radius` around the origin meshed on a grid of `spacing`.
inline Poly3gon Sphere(double radius, double spacing) {
    SampleGrid grid;
    grid.spacing = spacing;
    const int64_t cells = int64_t(std::ceil(2 * (radius + spacing) / spacing));
    for (int axis = 0; axis < 3; ++axis) {
        grid.counts[axis] = cells + 1;
        grid.origin[axis] = -cells * spacing / 2;
    }
    Poly3gon mesh;
    const bool meshed = MeshIsoSurface(
        grid,
        [&](int64_t k, float* values) {
            const double z = grid.origin[2] + k * spacing;
            for (int64_t j = 0; j < grid.counts[1]; ++j)
                for (int64_t i = 0; i < grid.counts[0]; ++i) {
                    const double x = grid.origin[0] + i * spacing, y = grid.origin[1] + j * spacing;
                    *values++ = float(std::sqrt(x * x + y * y + z * z) - radius);
                }
        },
        mesh);
    return meshed ? std::move(mesh) : Poly3gon();
}
