#include "geometry/CutMesh.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "TestMeshes.h"

namespace {

using Indices = std::vector<int64_t>;
using Floats = std::vector<float>;

TestMesh Tetrahedron() {
    TestMesh m;
    m.Vertex(0, 0, 0);
    m.Vertex(1, 0, 0);
    m.Vertex(0, 1, 0);
    m.Vertex(0, 0, 1);
    m.Facet(0, 2, 1);
    m.Facet(0, 1, 3);
    m.Facet(0, 3, 2);
    m.Facet(1, 2, 3);
    return m;
}

}  // namespace

TEST(CutMesh, TetrahedronCutAcrossGetsSplitFacetsAndOneCapTriangle) {
    OwnedObject owned(Tetrahedron());
    CutStatistics statistics;
    CutCap* cap = CutMesh(owned.object, {0, 0, 1, -0.5f}, &statistics);  // removes z > 0.5
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(owned.Vertices(),
              (Floats{0, 0, 0, 1, 0, 0, 0, 1, 0, 0.5f, 0, 0.5f, 0, 0.5f, 0.5f, 0, 0, 0.5f}));
    // The kept facet first, then the pieces of facets 3, 2, 1 in that order, smaller-first.
    EXPECT_EQ(owned.Facets(), (Indices{0, 2, 1, 1, 2, 3, 2, 4, 3, 0, 4, 2, 0, 5, 4, 0, 1, 3, 0, 3, 5}));
    EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{4, 5, 3}}));
    EXPECT_EQ(cap, owned.object.caps);
    EXPECT_EQ(owned.object.vertexCount, 6);
    EXPECT_EQ(owned.object.facetCount, 8);
    EXPECT_EQ(statistics.capTriangles, 1);
    EXPECT_EQ(statistics.cap.contours, 1);
    EXPECT_EQ(statistics.cap.holes, 0);
}

TEST(CutMesh, PlaneThroughVerticesUsesThemAsContourWithoutNewPoints) {
    OwnedObject owned(Tetrahedron());
    CutCap* cap = CutMesh(owned.object, {0, 0, 1, 0}, nullptr);  // z = 0 holds vertices 0, 1, 2
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(owned.Vertices(), (Floats{0, 0, 0, 1, 0, 0, 0, 1, 0}));
    EXPECT_EQ(owned.Facets(), (Indices{0, 2, 1}));
    EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{0, 1, 2}}));  // the base face again, facing up
}

TEST(CutMesh, OpenMeshIsSplitButItsOpenChainMakesNoCap) {
    TestMesh m;
    m.Vertex(0, 0, 0);
    m.Vertex(2, 0, 0);
    m.Vertex(0, 2, 0);
    m.Facet(0, 1, 2);
    OwnedObject owned(m);
    CutStatistics statistics;
    EXPECT_EQ(CutMesh(owned.object, {1, 0, 0, -1}, &statistics), nullptr);  // removes x > 1
    EXPECT_FALSE(statistics.refused);
    EXPECT_EQ(owned.Vertices(), (Floats{0, 0, 0, 0, 2, 0, 1, 1, 0, 1, 0, 0}));
    EXPECT_EQ(owned.Facets(), (Indices{0, 2, 1, 0, 3, 2}));
    EXPECT_EQ(owned.object.caps, nullptr);
    EXPECT_EQ(statistics.cap.contours, 0);
}

TEST(CutMesh, PlaneThatMissesOrRemovesEverythingAndEmptyMeshes) {
    {  // misses: every vertex kept, facets reversed, no cap
        OwnedObject owned(Tetrahedron());
        EXPECT_EQ(CutMesh(owned.object, {1, 0, 0, -10}, nullptr), nullptr);
        EXPECT_EQ(owned.Vertices(), Tetrahedron().vertices);
        EXPECT_EQ(owned.Facets(), (Indices{1, 2, 3, 0, 3, 2, 0, 1, 3, 0, 2, 1}));
    }
    {  // the whole object lies on the removed side
        OwnedObject owned(Tetrahedron());
        EXPECT_EQ(CutMesh(owned.object, {-1, 0, 0, 10}, nullptr), nullptr);  // removes x < 10
        EXPECT_EQ(owned.object.mesh->vertexCount, 0u);
        EXPECT_EQ(owned.object.mesh->facetCount, 0u);
        EXPECT_EQ(owned.object.mesh->vertices, nullptr);
        EXPECT_EQ(owned.object.vertexCount, 0);
        EXPECT_EQ(owned.object.facetCount, 0);
    }
    {  // no geometry at all
        OwnedObject owned(TestMesh{});
        EXPECT_EQ(CutMesh(owned.object, {0, 1, 0, 0}, nullptr), nullptr);
        EXPECT_EQ(owned.object.mesh->vertexCount, 0u);
    }
}

TEST(CutMesh, VerticesWithinEpsilonOfThePlaneStayAndServeAsContourVertices) {
    TestMesh m = Tetrahedron();
    m.vertices[2] = 1e-8f;  // vertex 0 lies 1e-8 above z = 0, well inside epsilon
    OwnedObject owned(m);
    ASSERT_NE(CutMesh(owned.object, {0, 0, 1, 0}, nullptr), nullptr);
    EXPECT_EQ(owned.object.mesh->vertexCount, 3u);  // no new point was made
    EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{0, 1, 2}}));
}

TEST(CutMesh, NormalsFollowTheirVerticesAndNewPointsGetZero) {
    OwnedObject owned(Tetrahedron());
    owned.SetNormals({1, 1, 1, 2, 2, 2, 3, 3, 3, 4, 4, 4});
    CutMesh(owned.object, {0, 0, 1, -0.5f}, nullptr);
    Floats normals(owned.object.normals, owned.object.normals + 18);
    EXPECT_EQ(normals, (Floats{1, 1, 1, 2, 2, 2, 3, 3, 3, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST(CutMesh, ASecondCutClipsTheFirstCapAndEmptiedCapsStayInTheChain) {
    OwnedObject owned(LatticeBox(2));
    CutCap* first = CutMesh(owned.object, {0, 0, 1, -1}, nullptr);  // keeps z <= 1
    ASSERT_NE(first, nullptr);
    CutCap* second = CutMesh(owned.object, {1, 0, 0, -1}, nullptr);  // keeps x <= 1 too
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(first->next, second);
    EXPECT_EQ(second->prev, first);
    // A third cut below the first cap removes it entirely; it stays, empty but with an array.
    CutCap* third = CutMesh(owned.object, {0, 0, 1, -0.5f}, nullptr);
    ASSERT_NE(third, nullptr);
    EXPECT_EQ(first->triangleCount, 0);
    EXPECT_NE(first->triangles, nullptr);
    EXPECT_EQ(second->next, third);
    int64_t total = static_cast<int64_t>(owned.object.mesh->facetCount);
    for (CutCap* cap = owned.object.caps; cap != nullptr; cap = cap->next)
        total += cap->triangleCount;
    EXPECT_EQ(owned.object.facetCount, total);
}

TEST(CutMesh, RefusesIndicesThatNameNoVertexAndChangesNothing) {
    TestMesh m = Tetrahedron();
    m.facets[4] = 9;
    OwnedObject owned(m);
    CutStatistics statistics;
    EXPECT_EQ(CutMesh(owned.object, {0, 0, 1, -0.5f}, &statistics), nullptr);
    EXPECT_TRUE(statistics.refused);
    EXPECT_EQ(owned.Facets(), m.facets);

    OwnedObject capped(Tetrahedron());
    capped.AddCap({0, 1, -1});
    EXPECT_EQ(CutMesh(capped.object, {0, 0, 1, -0.5f}, &statistics), nullptr);
    EXPECT_TRUE(statistics.refused);
    EXPECT_EQ(capped.Facets(), Tetrahedron().facets);
}

TEST(CutMesh, NanCoordinatesNeitherCrashNorLoseKeptFacets) {
    TestMesh m = Tetrahedron();
    m.vertices[3] = std::numeric_limits<float>::quiet_NaN();  // vertex 1
    OwnedObject owned(m);
    CutMesh(owned.object, {0, 0, 1, -0.5f}, nullptr);
    const Poly3gon& mesh = *owned.object.mesh;
    for (uint64_t i = 0; i < mesh.facetCount * 3; ++i) {
        ASSERT_GE(mesh.facets[i], 0);
        ASSERT_LT(static_cast<uint64_t>(mesh.facets[i]), mesh.vertexCount);
    }
}

TEST(CutMesh, DegenerateCutsAreMendedWhereTheContoursLeaveThemOpen) {
    {  // A contour enclosing less than 1/1024 square units has a zero area key and is dropped; its
       // three segments still close the opening with one triangle.
        TestMesh m = Tetrahedron();
        for (float& coordinate : m.vertices)
            coordinate *= 0.04f;
        OwnedObject owned(m);
        CutStatistics statistics;
        CutCap* cap = CutMesh(owned.object, {0, 0, 1, -0.02f}, &statistics);
        EXPECT_EQ(statistics.cap.contours, 0);
        EXPECT_EQ(owned.object.mesh->facetCount, 7u);
        ASSERT_NE(cap, nullptr);
        EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{3, 4, 5}}));
        EXPECT_EQ(BadEdges(owned), 0);
    }
    {  // A plane holding a whole face keeps that face (no corner is beyond it) and caps its outline.
       // A cap diagonal falls on a face diagonal between two outline vertices (an edge used twice
       // each way), so the cap becomes a fan around a new vertex at the outline's mean instead: a
       // two-sided sheet again, but a closed one.
        OwnedObject owned(LatticeBox(2));
        CutStatistics statistics;
        ASSERT_NE(CutMesh(owned.object, {1, 0, 0, 0}, &statistics), nullptr);  // x = 0 is a face
        EXPECT_EQ(owned.object.mesh->facetCount, 8u);
        ASSERT_EQ(owned.object.mesh->vertexCount, 10u);
        EXPECT_EQ(owned.object.vertexCount, 10);
        EXPECT_EQ(statistics.capTriangles, 8);  // one per outline edge
        EXPECT_EQ((Floats(owned.object.mesh->vertices + 27, owned.object.mesh->vertices + 30)),
                  (Floats{0, 1, 1}));
        EXPECT_EQ(owned.object.facetCount, 16);
        EXPECT_EQ(BadEdges(owned), 0);
    }
    {  // Normals follow: the fan centre gets (0, 0, 0).
        OwnedObject owned(LatticeBox(2));
        owned.SetNormals(std::vector<float>(26 * 3, 1.0f));
        CutMesh(owned.object, {1, 0, 0, 0}, nullptr);
        EXPECT_EQ((Floats(owned.object.normals + 24, owned.object.normals + 30)), (Floats{1, 1, 1, 0, 0, 0}));
    }
}

TEST(CutMesh, RefusesACutWhoseResultWouldPassTheVertexLimit) {
    // Cut across, the tetrahedron keeps 3 vertices and gains 3 new points.
    for (uint64_t limit : {uint64_t{2}, uint64_t{5}}) {
        OwnedObject owned(Tetrahedron());
        owned.AddCap({0, 1, 2});
        CutStatistics statistics;
        EXPECT_EQ(CutMesh(owned.object, {0, 0, 1, -0.5f}, &statistics, limit), nullptr);
        EXPECT_TRUE(statistics.refused) << limit;
        EXPECT_EQ(owned.Vertices(), Tetrahedron().vertices);
        EXPECT_EQ(owned.Facets(), Tetrahedron().facets);
        EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{0, 1, 2}}));
        EXPECT_EQ(owned.object.vertexCount, 4);
    }
    OwnedObject owned(Tetrahedron());
    CutStatistics statistics;
    EXPECT_NE(CutMesh(owned.object, {0, 0, 1, -0.5f}, &statistics, 6), nullptr);
    EXPECT_FALSE(statistics.refused);
    EXPECT_EQ(owned.object.vertexCount, 6);
}

TEST(CutMesh, AFacetSoupKeepsItsOpenEdgesInThePlaneOpen) {
    // Unwelded, every facet has corners of its own, so the face lying in the plane x = 0 borders
    // nothing: the cut keeps it as it is and makes no cap, as the contours do not close either.
    TestMesh box = LatticeBox(2), soup;
    for (size_t f = 0; f < box.facets.size(); f += 3) {
        int64_t corner[3];
        for (int k = 0; k < 3; ++k) {
            const float* v = &box.vertices[box.facets[f + k] * 3];
            corner[k] = soup.Vertex(v[0], v[1], v[2]);
        }
        soup.Facet(corner[0], corner[1], corner[2]);
    }
    OwnedObject owned(soup);
    EXPECT_EQ(CutMesh(owned.object, {1, 0, 0, 0}, nullptr), nullptr);
    EXPECT_EQ(owned.object.mesh->facetCount, 8u);
    EXPECT_EQ(owned.object.caps, nullptr);
}
