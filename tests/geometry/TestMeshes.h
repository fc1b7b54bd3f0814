#pragma once
// Closed, consistently oriented test meshes (outward facets) and an owner for a scene record
// holding one of them, for the cut and weld tests.

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneObject.h"
#include "support/RecordingSceneGraphics.h"

struct TestMesh {
    std::vector<float> vertices;
    std::vector<int64_t> facets;

    int64_t Vertex(float x, float y, float z) {
        vertices.insert(vertices.end(), {x, y, z});
        return static_cast<int64_t>(vertices.size() / 3) - 1;
    }
    void Facet(int64_t a, int64_t b, int64_t c) { facets.insert(facets.end(), {a, b, c}); }
    void Add(const TestMesh& part) {
        int64_t base = static_cast<int64_t>(vertices.size() / 3);
        vertices.insert(vertices.end(), part.vertices.begin(), part.vertices.end());
        for (int64_t index : part.facets)
            facets.push_back(index + base);
    }
    void Flip() {
        for (size_t f = 0; f < facets.size(); f += 3)
            std::swap(facets[f + 1], facets[f + 2]);
    }
};

// Sphere of `rings` x `segments` with each vertex's radius varied by up to `noise` (star-shaped,
// so it stays closed and simple).
inline TestMesh Sphere(std::mt19937& random, int rings, int segments, float cx, float cy, float cz,
                       float radius, float noise) {
    std::uniform_real_distribution<float> vary(1 - noise, 1 + noise);
    TestMesh m;
    auto point = [&](double theta, double phi) {
        float r = radius * vary(random);
        return m.Vertex(cx + r * static_cast<float>(std::sin(theta) * std::cos(phi)),
                        cy + r * static_cast<float>(std::sin(theta) * std::sin(phi)),
                        cz + r * static_cast<float>(std::cos(theta)));
    };
    int64_t north = point(0, 0);
    std::vector<std::vector<int64_t>> ring(rings - 1);
    for (int i = 1; i < rings; ++i)
        for (int j = 0; j < segments; ++j)
            ring[i - 1].push_back(point(M_PI * i / rings, 2 * M_PI * j / segments));
    int64_t south = point(M_PI, 0);
    for (int j = 0; j < segments; ++j) {
        int k = (j + 1) % segments;
        m.Facet(north, ring[0][j], ring[0][k]);
        for (int i = 0; i + 1 < rings - 1; ++i) {
            m.Facet(ring[i][j], ring[i + 1][j], ring[i + 1][k]);
            m.Facet(ring[i][j], ring[i + 1][k], ring[i][k]);
        }
        m.Facet(south, ring[rings - 2][k], ring[rings - 2][j]);
    }
    return m;
}

// Torus around the z axis.
inline TestMesh Torus(int around, int tube, float major, float minor, float cx, float cy, float cz) {
    TestMesh m;
    std::vector<std::vector<int64_t>> p(around, std::vector<int64_t>(tube));
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < tube; ++j) {
            double u = 2 * M_PI * i / around, v = 2 * M_PI * j / tube;
            p[i][j] = m.Vertex(cx + static_cast<float>((major + minor * std::cos(v)) * std::cos(u)),
                               cy + static_cast<float>((major + minor * std::cos(v)) * std::sin(u)),
                               cz + static_cast<float>(minor * std::sin(v)));
        }
    for (int i = 0; i < around; ++i)
        for (int j = 0; j < tube; ++j) {
            int i1 = (i + 1) % around, j1 = (j + 1) % tube;
            m.Facet(p[i][j], p[i1][j], p[i1][j1]);
            m.Facet(p[i][j], p[i1][j1], p[i][j1]);
        }
    return m;
}

// Surface of the box [0, n]^3 made of unit squares with integer corners (planes through its
// vertices and along its edges are exact).
inline TestMesh LatticeBox(int n, float ox = 0, float oy = 0, float oz = 0) {
    TestMesh m;
    std::map<std::array<int, 3>, int64_t> index;
    auto vertex = [&](std::array<int, 3> p) {
        auto found = index.find(p);
        if (found != index.end()) return found->second;
        int64_t i = m.Vertex(ox + static_cast<float>(p[0]), oy + static_cast<float>(p[1]),
                             oz + static_cast<float>(p[2]));
        index[p] = i;
        return i;
    };
    for (int axis = 0; axis < 3; ++axis)
        for (int side = 0; side < 2; ++side) {
            int u = (axis + 1) % 3, v = (axis + 2) % 3;
            for (int i = 0; i < n; ++i)
                for (int j = 0; j < n; ++j) {
                    std::array<int, 3> c[4];
                    for (int k = 0; k < 4; ++k) {
                        c[k][axis] = side * n;
                        c[k][u] = i + (k == 1 || k == 2);
                        c[k][v] = j + (k >= 2);
                    }
                    // (u, v) runs counter-clockwise seen from +axis; the low side is reversed.
                    int64_t q[4] = {vertex(c[0]), vertex(c[1]), vertex(c[2]), vertex(c[3])};
                    if (side == 1) {
                        m.Facet(q[0], q[1], q[2]);
                        m.Facet(q[0], q[2], q[3]);
                    } else {
                        m.Facet(q[0], q[2], q[1]);
                        m.Facet(q[0], q[3], q[2]);
                    }
                }
        }
    return m;
}

// A scene record owning a mesh (and optionally normals and caps), freed at the end.
struct OwnedObject {
    SceneObject object;
    RecordingSceneGraphics graphics;

    explicit OwnedObject(const TestMesh& m) {
        object.mesh = new Poly3gon(m.vertices.size() / 3, m.facets.size() / 3);
        std::copy(m.vertices.begin(), m.vertices.end(), object.mesh->vertices);
        std::copy(m.facets.begin(), m.facets.end(), object.mesh->facets);
        object.vertexCount = static_cast<int64_t>(object.mesh->vertexCount);
        object.facetCount = static_cast<int64_t>(object.mesh->facetCount);
    }
    OwnedObject(const OwnedObject&) = delete;
    ~OwnedObject() {
        delete object.mesh;
        delete[] object.normals;
        DestroyCapChain(object.caps, graphics);
    }

    void SetNormals(const std::vector<float>& normals) {
        object.normals = new float[normals.size()];
        std::copy(normals.begin(), normals.end(), object.normals);
    }
    void AddCap(const std::vector<int64_t>& triangles) {
        auto* cap = new CutCap;
        cap->triangleCount = static_cast<int64_t>(triangles.size() / 3);
        cap->triangles = new int64_t[triangles.size()];
        std::copy(triangles.begin(), triangles.end(), cap->triangles);
        if (object.caps == nullptr) {
            object.caps = cap;
            return;
        }
        CutCap* last = object.caps;
        while (last->next != nullptr)
            last = last->next;
        last->next = cap;
        cap->prev = last;
    }

    std::vector<float> Vertices() const {
        return {object.mesh->vertices, object.mesh->vertices + object.mesh->vertexCount * 3};
    }
    std::vector<int64_t> Facets() const {
        return {object.mesh->facets, object.mesh->facets + object.mesh->facetCount * 3};
    }
    std::vector<std::vector<int64_t>> Caps() const {
        std::vector<std::vector<int64_t>> caps;
        for (const CutCap* cap = object.caps; cap != nullptr; cap = cap->next)
            caps.emplace_back(cap->triangles, cap->triangles + cap->triangleCount * 3);
        return caps;
    }
};

// Directed edges of the facets and cap triangles that do not appear exactly once, each with its
// reverse exactly once: 0 for a closed, consistently oriented surface. Triangles with a repeated
// corner are left out: they are the zero-area pieces a split makes when both crossings of a sliver
// land on the same point, and their own edges cancel each other.
inline int BadEdges(const std::vector<int64_t>& facets, const std::vector<std::vector<int64_t>>& caps) {
    std::vector<std::pair<int64_t, int64_t>> edges;
    auto add = [&](const std::vector<int64_t>& t) {
        for (size_t i = 0; i + 2 < t.size(); i += 3) {
            if (t[i] == t[i + 1] || t[i + 1] == t[i + 2] || t[i + 2] == t[i]) continue;
            for (int k = 0; k < 3; ++k)
                edges.emplace_back(t[i + k], t[i + (k + 1) % 3]);
        }
    };
    add(facets);
    for (const auto& cap : caps)
        add(cap);
    std::sort(edges.begin(), edges.end());
    auto count = [&](std::pair<int64_t, int64_t> edge) {
        auto [first, last] = std::equal_range(edges.begin(), edges.end(), edge);
        return last - first;
    };
    int bad = 0;
    for (size_t i = 0; i < edges.size();) {
        const auto n = count(edges[i]);
        if (n != 1 || count({edges[i].second, edges[i].first}) != 1) ++bad;
        i += static_cast<size_t>(n);
    }
    return bad;
}

inline int BadEdges(const OwnedObject& owned) {
    return BadEdges(owned.Facets(), owned.Caps());
}
