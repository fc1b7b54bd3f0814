// CutMesh against the literal cut on many generated closed meshes and planes (generic ones, through
// vertices, along edges, lattice-aligned), plus the properties a user relies on: a closed, oriented
// mesh stays closed and oriented with its caps, and the caps cover exactly the cross-section.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <random>
#include <utility>
#include <vector>

#include "LiteralCut.h"
#include "TestMeshes.h"
#include "geometry/CutMesh.h"

namespace {

struct PlaneCase {
    float a, b, c, d;
};

TestMesh RandomClosedMesh(std::mt19937& random, int kind) {
    TestMesh m;
    switch (kind % 5) {
        case 0:
            m = Sphere(random, 6 + static_cast<int>(random() % 10), 6 + static_cast<int>(random() % 14), 0, 0,
                       0, 5, 0.3f);
            break;
        case 1:
            m = Torus(8 + static_cast<int>(random() % 12), 5 + static_cast<int>(random() % 8), 5, 2, 0, 0, 0);
            break;
        case 2: {  // hollow shell: the inner surface faces inwards
            m = Sphere(random, 10, 12, 0, 0, 0, 6, 0.1f);
            TestMesh inner = Sphere(random, 7, 9, 0.3f, 0, 0, 3, 0.2f);
            inner.Flip();
            m.Add(inner);
            break;
        }
        case 3:
            m = LatticeBox(1 + static_cast<int>(random() % 4), -1, -1, -1);
            break;
        default:  // separate pieces, one with an island inside a cavity
            m = Sphere(random, 8, 8, -9, 0, 0, 3, 0.2f);
            m.Add(Torus(10, 6, 4, 1.5f, 6, 0, 0));
            {
                TestMesh shell = Sphere(random, 10, 10, 0, 9, 0, 5, 0.05f);
                TestMesh cavity = Sphere(random, 8, 8, 0, 9, 0, 3.5f, 0.05f);
                cavity.Flip();
                shell.Add(cavity);
                shell.Add(Sphere(random, 6, 6, 0, 9, 0, 1.5f, 0.1f));
                m.Add(shell);
            }
            break;
    }
    return m;
}

PlaneCase Normalised(double a, double b, double c, const float* through) {
    double length = std::sqrt(a * a + b * b + c * c);
    float na = static_cast<float>(a / length), nb = static_cast<float>(b / length),
          nc = static_cast<float>(c / length);
    return {na, nb, nc, -((na * through[0] + nb * through[1]) + nc * through[2])};
}

// kind 0: generic; 1: through a vertex; 2: along an edge; 3: axis-aligned through lattice points.
PlaneCase RandomPlane(std::mt19937& random, const TestMesh& m, int kind) {
    std::normal_distribution<double> gauss;
    std::uniform_real_distribution<float> offset(-3, 3);
    size_t vertexCount = m.vertices.size() / 3;
    const float* v = &m.vertices[(random() % vertexCount) * 3];
    if (kind == 0) {
        float p[3] = {offset(random), offset(random), offset(random)};
        return Normalised(gauss(random), gauss(random), gauss(random), p);
    }
    if (kind == 1) return Normalised(gauss(random), gauss(random), gauss(random), v);
    if (kind == 2) {
        size_t f = random() % (m.facets.size() / 3);
        const float* p = &m.vertices[m.facets[f * 3] * 3];
        const float* q = &m.vertices[m.facets[f * 3 + 1] * 3];
        double e[3] = {q[0] - p[0], q[1] - p[1], q[2] - p[2]},
               r[3] = {gauss(random), gauss(random), gauss(random)};
        return Normalised(e[1] * r[2] - e[2] * r[1], e[2] * r[0] - e[0] * r[2], e[0] * r[1] - e[1] * r[0], p);
    }
    int axis = static_cast<int>(random() % 3);
    float n[3] = {0, 0, 0};
    n[axis] = random() % 2 ? 1.0f : -1.0f;
    if (random() % 3 == 0) n[(axis + 1) % 3] = 1;  // a diagonal plane through lattice edges
    return Normalised(n[0], n[1], n[2], v);
}

literal::CutInput InputOf(const OwnedObject& owned) {
    literal::CutInput in;
    in.vertices = owned.Vertices();
    in.facets = owned.Facets();
    in.caps = owned.Caps();
    return in;
}

// Cuts with CutMesh and the literal cut. Where the literal cut leaves a closed result, CutMesh must
// give exactly that; where it leaves the cross-section open, CutMesh keeps its vertices (adding fan
// centres after them), facets and earlier caps, and only its new cap differs. Returns the literal
// result.
literal::CutOutput ExpectSameAsLiteral(OwnedObject& owned, const PlaneCase& p, const char* what, int round) {
    literal::CutInput in = InputOf(owned);
    literal::CutOutput expected = literal::CutMesh(in, p.a, p.b, p.c, p.d);
    std::vector<std::vector<int64_t>> literalCaps = expected.caps;
    literalCaps.push_back(expected.newCap);
    const bool literalClosed = BadEdges(expected.facets, literalCaps) == 0;
    CutCap* cap = CutMesh(owned.object, {p.a, p.b, p.c, p.d}, nullptr);
    std::vector<std::vector<int64_t>> caps = owned.Caps();
    if (!literalClosed) {
        std::vector<float> vertices = owned.Vertices();
        vertices.resize(std::min(vertices.size(), expected.vertices.size()));
        EXPECT_EQ(vertices, expected.vertices) << what << " round " << round;
        EXPECT_EQ(owned.Facets(), expected.facets) << what << " round " << round;
        if (cap != nullptr) caps.pop_back();
        EXPECT_EQ(caps, expected.caps) << what << " round " << round;
        return expected;
    }
    EXPECT_EQ(owned.Vertices(), expected.vertices) << what << " round " << round;
    EXPECT_EQ(owned.Facets(), expected.facets) << what << " round " << round;
    if (!expected.newCap.empty()) {
        EXPECT_TRUE(cap != nullptr && caps.back() == expected.newCap) << what << " round " << round;
        if (!caps.empty()) caps.pop_back();
    } else {
        EXPECT_EQ(cap, nullptr) << what << " round " << round;
    }
    EXPECT_EQ(caps, expected.caps) << what << " round " << round;
    return expected;
}

// Twice the signed area of triangles in the projection along the plane normal's dominant axis.
double ProjectedArea(const float* vertices, const std::vector<int64_t>& t, const PlaneCase& p) {
    PlaneProjection projection(vertices, p.a, p.b, p.c);
    double area = 0;
    for (size_t i = 0; i < t.size(); i += 3) {
        Point2 a = projection(t[i]), b = projection(t[i + 1]), c = projection(t[i + 2]);
        area += (static_cast<double>(b.u) - a.u) * (static_cast<double>(c.v) - a.v) -
                (static_cast<double>(b.v) - a.v) * (static_cast<double>(c.u) - a.u);
    }
    return area;
}

}  // namespace

TEST(CutOracle, GenericPlanesMatchTheLiteralCutAndCloseTheMesh) {
    std::mt19937 random(21);
    int withHoles = 0;
    for (int round = 0; round < 300; ++round) {
        TestMesh m = RandomClosedMesh(random, round);
        OwnedObject owned(m);
        PlaneCase p = RandomPlane(random, m, 0);
        literal::CutOutput expected = ExpectSameAsLiteral(owned, p, "generic", round);
        if (HasFailure()) return;
        withHoles += expected.run.contours.size() > expected.run.outers.size();
        EXPECT_EQ(expected.run.dropped, 0) << "round " << round;
        EXPECT_EQ(BadEdges(owned), 0) << "round " << round;
        if (owned.object.caps != nullptr) {
            // The caps cover the cross-section: outer contours minus holes, all bridged.
            EXPECT_TRUE(expected.run.holes.empty());
            double capArea = ProjectedArea(owned.object.mesh->vertices, owned.Caps().back(), p);
            double sectionArea = 0;
            for (const Contour& contour : expected.run.contours)
                for (const Segment& s : contour.segments)
                    sectionArea +=
                        ProjectedArea(owned.object.mesh->vertices, {s.from, s.to, s.to}, p) * 0 + [&] {
                            PlaneProjection projection(owned.object.mesh->vertices, p.a, p.b, p.c);
                            Point2 f = projection(s.from), t = projection(s.to);
                            return static_cast<double>(f.u) * t.v - static_cast<double>(f.v) * t.u;
                        }();
            EXPECT_NEAR(capArea, sectionArea, 1e-4 * std::fabs(sectionArea)) << "round " << round;
        }
    }
    EXPECT_GT(withHoles, 50);
}

TEST(CutOracle, RepeatedCutsClipEarlierCapsExactlyAsTheLiteralCut) {
    std::mt19937 random(22);
    for (int round = 0; round < 120; ++round) {
        TestMesh m = RandomClosedMesh(random, round);
        OwnedObject owned(m);
        for (int cut = 0; cut < 3; ++cut) {
            if (owned.object.mesh->facetCount == 0) break;
            PlaneCase p = RandomPlane(random, m, 0);
            ExpectSameAsLiteral(owned, p, "repeated", round);
            if (HasFailure()) return;
        }
        // A sliver left by earlier cuts may be crossed in a contour too small for a nonzero area
        // key; the cap is mended there, so the mesh stays closed.
        EXPECT_EQ(BadEdges(owned), 0) << "round " << round;
    }
}

TEST(CutOracle, PlanesThroughVerticesAndAlongEdgesMatchTheLiteralCut) {
    std::mt19937 random(23);
    int open = 0;
    for (int round = 0; round < 600; ++round) {
        TestMesh m = RandomClosedMesh(random, round);
        OwnedObject owned(m);
        ExpectSameAsLiteral(owned, RandomPlane(random, m, 1 + round % 3), "degenerate", round);
        if (HasFailure()) return;
        open += BadEdges(owned) != 0;
    }
    // Some of these cuts do not come out closed by the described procedure (a cap diagonal may fall
    // on a mesh edge lying in the plane, tiny contours are dropped); the cap is mended there. What
    // stays open are split pieces that meet in one point made from two edges (a plane through a
    // vertex within rounding of it), which no cap can mend.
    EXPECT_LT(open, 6);
    RecordProperty("degenerate cuts left open", open);
}
