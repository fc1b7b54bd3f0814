// The property a user relies on when cutting: a closed, consistently oriented mesh stays closed and
// consistently oriented with its caps, whatever passes through the plane. Checked on generated
// meshes and planes chosen to hit vertices, edges and whole facets: UV spheres through a pole and
// along the equator, lattice boxes through a face, thin slabs and features within 1e-3 of the
// plane, and voxel surfaces (as CT surfaces are) cut at grid planes.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "TestMeshes.h"
#include "geometry/CutMesh.h"

namespace {

struct ClosureCase {
    TestMesh mesh;
    CutPlane plane;
};

CutPlane PlaneThrough(double a, double b, double c, double x, double y, double z) {
    double length = std::sqrt(a * a + b * b + c * c);
    float na = static_cast<float>(a / length), nb = static_cast<float>(b / length),
          nc = static_cast<float>(c / length);
    return {na, nb, nc,
            -((na * static_cast<float>(x) + nb * static_cast<float>(y)) + nc * static_cast<float>(z))};
}

// Either side of an axis plane, sometimes tilted a little or a lot.
CutPlane AxisPlane(std::mt19937& random, int axis, double x, double y, double z, double tilt) {
    std::uniform_real_distribution<double> lean(-tilt, tilt);
    double n[3] = {lean(random), lean(random), lean(random)};
    n[axis] = random() % 2 ? 1.0 : -1.0;
    return PlaneThrough(n[0], n[1], n[2], x, y, z);
}

// UV sphere without noise, cut through or just beside its north pole, or along its equator, whose
// vertices lie on the plane.
ClosureCase SphereCase(std::mt19937& random) {
    std::uniform_int_distribution<int> rings(3, 12), segments(3, 16);
    const float radius = static_cast<float>(std::ldexp(1.0, static_cast<int>(random() % 7) - 3));
    ClosureCase c{Sphere(random, rings(random), segments(random), 0, 0, 0, radius, 0), {}};
    switch (random() % 4) {
        case 0:  // through the pole
            c.plane = AxisPlane(random, 2, 0, 0, radius, random() % 2 ? 0.0 : 0.3);
            break;
        case 1: {  // a tiny loop around the pole
            std::uniform_real_distribution<double> offset(1e-7, 1e-5);
            c.plane = AxisPlane(random, 2, 0, 0, radius * (1 - offset(random)), 1e-3);
            break;
        }
        case 2:  // along the equator (the vertices there lie within rounding of it)
            c.plane = AxisPlane(random, 2, 0, 0, 0, 0);
            break;
        default: {  // through a vertex, tilted anyhow
            const float* v = &c.mesh.vertices[(random() % (c.mesh.vertices.size() / 3)) * 3];
            std::normal_distribution<double> gauss;
            c.plane = PlaneThrough(gauss(random), gauss(random), gauss(random), v[0], v[1], v[2]);
            break;
        }
    }
    return c;
}

// A lattice box cut in a face, along inner lattice planes, or diagonally through lattice edges.
ClosureCase BoxCase(std::mt19937& random) {
    const int n = 1 + static_cast<int>(random() % 3);
    ClosureCase c{LatticeBox(n), {}};
    const int axis = static_cast<int>(random() % 3);
    double p[3] = {0.5, 0.5, 0.5};
    p[axis] = static_cast<double>(random() % (n + 1));
    if (random() % 4 == 0) {
        double d[3] = {0, 0, 0};
        d[axis] = 1;
        d[(axis + 1) % 3] = random() % 2 ? 1 : -1;
        c.plane = PlaneThrough(d[0], d[1], d[2], p[0], p[1], p[2]);
    } else {
        c.plane = AxisPlane(random, axis, p[0], p[1], p[2], 0);
    }
    return c;
}

// A slab thinner than 1e-3 near the plane, or a sphere whose vertices near the plane have been
// pressed to within 1e-3 of it: crossings, touching contours and tiny loops close together.
ClosureCase ThinCase(std::mt19937& random) {
    std::uniform_real_distribution<float> small(-1e-3f, 1e-3f);
    ClosureCase c;
    if (random() % 2) {
        c.mesh = LatticeBox(1 + static_cast<int>(random() % 3));
        const float thickness = std::fabs(small(random)) + 1e-5f;
        const float base = small(random);
        for (size_t i = 2; i < c.mesh.vertices.size(); i += 3)
            c.mesh.vertices[i] = base + (c.mesh.vertices[i] > 0 ? thickness : 0.0f);
    } else {
        c.mesh = Sphere(random, 6 + static_cast<int>(random() % 8), 6 + static_cast<int>(random() % 10), 0, 0,
                        0, 1, 0.2f);
        for (size_t i = 2; i < c.mesh.vertices.size(); i += 3)
            if (std::fabs(c.mesh.vertices[i]) < 0.4f)
                c.mesh.vertices[i] = random() % 3 ? small(random) : 0.0f;
    }
    c.plane = AxisPlane(random, 2, 0, 0, random() % 2 ? 0.0 : small(random), random() % 2 ? 0.0 : 1e-3);
    return c;
}

// The outer faces of a blob of voxels on an n^3 grid, two triangles per face; a blob whose surface
// has an edge shared by four faces (voxels touching along an edge only) is not closed and is
// skipped by the caller.
TestMesh VoxelSurface(std::mt19937& random, int n) {
    std::vector<uint8_t> solid(n * n * n, 0);
    auto at = [&](int x, int y, int z) {
        return x >= 0 && y >= 0 && z >= 0 && x < n && y < n && z < n && solid[(z * n + y) * n + x];
    };
    for (int box = 0, boxes = 1 + static_cast<int>(random() % 3); box < boxes; ++box) {
        int lo[3], hi[3];
        for (int k = 0; k < 3; ++k) {
            lo[k] = static_cast<int>(random() % n);
            hi[k] = lo[k] + 1 + static_cast<int>(random() % (n - lo[k]));
        }
        for (int z = lo[2]; z < hi[2]; ++z)
            for (int y = lo[1]; y < hi[1]; ++y)
                for (int x = lo[0]; x < hi[0]; ++x)
                    solid[(z * n + y) * n + x] = 1;
    }
    TestMesh m;
    std::map<std::array<int, 3>, int64_t> index;
    auto vertex = [&](std::array<int, 3> p) {
        auto found = index.find(p);
        if (found != index.end()) return found->second;
        return index[p] =
                   m.Vertex(static_cast<float>(p[0]), static_cast<float>(p[1]), static_cast<float>(p[2]));
    };
    for (int z = 0; z < n; ++z)
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x) {
                if (!at(x, y, z)) continue;
                for (int axis = 0; axis < 3; ++axis)
                    for (int side = 0; side < 2; ++side) {
                        std::array<int, 3> cell{x, y, z};
                        std::array<int, 3> next = cell;
                        next[axis] += side ? 1 : -1;
                        if (at(next[0], next[1], next[2])) continue;
                        int u = (axis + 1) % 3, v = (axis + 2) % 3;
                        std::array<int, 3> q[4];
                        for (int k = 0; k < 4; ++k) {
                            q[k] = cell;
                            q[k][axis] += side;
                            q[k][u] += (k == 1 || k == 2);
                            q[k][v] += (k >= 2);
                        }
                        int64_t i[4] = {vertex(q[0]), vertex(q[1]), vertex(q[2]), vertex(q[3])};
                        if (!side) std::swap(i[1], i[3]);  // (u, v) runs counter-clockwise seen from +axis
                        if (random() % 2) {
                            m.Facet(i[0], i[1], i[2]);
                            m.Facet(i[0], i[2], i[3]);
                        } else {
                            m.Facet(i[1], i[2], i[3]);
                            m.Facet(i[1], i[3], i[0]);
                        }
                    }
            }
    return m;
}

// A voxel surface cut at a grid plane (either side), or at a grid plane tilted through a grid
// point.
ClosureCase VoxelCase(std::mt19937& random) {
    const int n = 3 + static_cast<int>(random() % 4);
    ClosureCase c{VoxelSurface(random, n), {}};
    const int axis = static_cast<int>(random() % 3);
    double p[3];
    for (double& coordinate : p)
        coordinate = static_cast<double>(random() % (n + 1));
    if (random() % 4 == 0) {
        double d[3] = {0, 0, 0};
        d[axis] = 1;
        d[(axis + 1) % 3] = static_cast<double>(static_cast<int>(random() % 5) - 2);
        c.plane = PlaneThrough(d[0], d[1], d[2], p[0], p[1], p[2]);
    } else {
        c.plane = AxisPlane(random, axis, p[0], p[1], p[2], 0);
    }
    return c;
}

}  // namespace

TEST(CutClosure, ClosedMeshesStayClosedWhateverLiesInThePlane) {
    std::mt19937 random(61);
    const char* kinds[] = {"sphere", "box", "thin", "voxel"};
    int cases[4] = {}, open[4] = {}, secondCuts = 0, openAfterSecond = 0;
    std::string firstOpen;
    for (int round = 0; round < 2400; ++round) {
        const int kind = round % 4;
        ClosureCase c = kind == 0   ? SphereCase(random)
                        : kind == 1 ? BoxCase(random)
                        : kind == 2 ? ThinCase(random)
                                    : VoxelCase(random);
        if (c.mesh.facets.empty() || BadEdges(c.mesh.facets, {}) != 0) continue;
        OwnedObject owned(c.mesh);
        CutStatistics statistics;
        CutMesh(owned.object, c.plane, &statistics);
        ASSERT_FALSE(statistics.refused);
        ++cases[kind];
        if (BadEdges(owned) != 0) {
            ++open[kind];
            if (firstOpen.empty()) firstOpen = std::string(kinds[kind]) + " round " + std::to_string(round);
            continue;
        }
        // A second cut clips the first cap too.
        if (round % 3 == 0 && owned.object.mesh->facetCount > 0) {
            CutMesh(owned.object, AxisPlane(random, static_cast<int>(random() % 3), 0.5, 0.5, 0.5, 0.2),
                    &statistics);
            ++secondCuts;
            openAfterSecond += BadEdges(owned) != 0;
        }
    }
    for (int kind = 0; kind < 4; ++kind) {
        EXPECT_GT(cases[kind], 500) << kinds[kind];
        EXPECT_EQ(open[kind], 0) << kinds[kind] << ": " << open[kind] << " of " << cases[kind]
                                 << " left open";
    }
    EXPECT_TRUE(firstOpen.empty()) << "first open: " << firstOpen;
    // A plane holding a face whose material lies beyond it keeps the face and caps it: a two-sided
    // sheet, closed, but a second cut across it splits the face and the cap lying on it into pieces
    // that share edges (a fan spoke along a face diagonal meets the cut in the same point), which no
    // cap can mend. Those stay rare.
    EXPECT_GT(secondCuts, 500);
    EXPECT_LT(openAfterSecond * 40, secondCuts) << openAfterSecond << " of " << secondCuts;
    RecordProperty("second cuts", secondCuts);
    RecordProperty("second cuts left open", openAfterSecond);
}
