#include "geometry/WeldVertices.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <random>
#include <utility>
#include <vector>

#include "TestMeshes.h"
#include "geometry/CutMesh.h"
#include "import/ModelLoader.h"

namespace {

using Indices = std::vector<int64_t>;
using Floats = std::vector<float>;

// A facet soup: every facet gets three vertices of its own, facet k owning 3k, 3k+1, 3k+2.
TestMesh Soup(const TestMesh& indexed) {
    TestMesh soup;
    for (size_t f = 0; f < indexed.facets.size(); f += 3) {
        int64_t corner[3];
        for (int k = 0; k < 3; ++k) {
            const float* v = &indexed.vertices[indexed.facets[f + k] * 3];
            corner[k] = soup.Vertex(v[0], v[1], v[2]);
        }
        soup.Facet(corner[0], corner[1], corner[2]);
    }
    return soup;
}

// The weld as described: a linear search over the distinct vertices found so far, most recent
// first, facets from the last to the first, then the caps; larger-first facets, smaller-first caps.
struct LiteralWeld {
    Floats vertices;
    Indices facets;
    std::vector<Indices> caps;
};

LiteralWeld WeldLinearly(const Floats& vertices, const Indices& facets, const std::vector<Indices>& caps) {
    LiteralWeld out;
    out.facets = facets;
    out.caps = caps;
    auto weld = [&](int64_t& corner) {
        const float* p = &vertices[corner * 3];
        for (int64_t k = static_cast<int64_t>(out.vertices.size() / 3) - 1; k >= 0; --k) {
            const float* q = &out.vertices[k * 3];
            if (q[0] == p[0] && q[1] == p[1] && q[2] == p[2]) {
                corner = k;
                return;
            }
        }
        out.vertices.insert(out.vertices.end(), p, p + 3);
        corner = static_cast<int64_t>(out.vertices.size() / 3) - 1;
    };
    auto rotate = [](int64_t* t, bool largerFirst) {
        int64_t a = t[0], b = t[1], c = t[2];
        if (largerFirst ? a > b : a < b) return;
        if (largerFirst ? b > c : b < c) {
            t[0] = b, t[1] = c, t[2] = a;
        } else {
            t[0] = c, t[1] = a, t[2] = b;
        }
    };
    for (size_t f = out.facets.size() / 3; f-- > 0;) {
        for (int k = 0; k < 3; ++k)
            weld(out.facets[f * 3 + k]);
        rotate(&out.facets[f * 3], true);
    }
    for (Indices& cap : out.caps)
        for (size_t t = 0; t < cap.size(); t += 3) {
            for (int k = 0; k < 3; ++k)
                weld(cap[t + k]);
            rotate(&cap[t], false);
        }
    return out;
}

// A soup record ready for WeldVertices: .stl, optimized already set by the caller.
void MakeWeldable(OwnedObject& owned) {
    owned.object.fileType = kStlFile;
    owned.object.optimized = 1;
}

}  // namespace

TEST(WeldVertices, TwoSoupFacetsShareAnEdgeAfterWelding) {
    TestMesh soup;
    soup.Vertex(0, 0, 0), soup.Vertex(1, 0, 0), soup.Vertex(0, 1, 0);
    soup.Vertex(1, 0, 0), soup.Vertex(1, 1, 0), soup.Vertex(0, 1, 0);
    soup.Facet(0, 1, 2), soup.Facet(3, 4, 5);
    OwnedObject owned(soup);
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    // Numbered by first appearance, starting with corner 0 of the last facet.
    EXPECT_EQ(owned.Vertices(), (Floats{1, 0, 0, 1, 1, 0, 0, 1, 0, 0, 0, 0}));
    EXPECT_EQ(owned.Facets(), (Indices{3, 0, 2, 2, 0, 1}));  // larger first, winding kept
    EXPECT_EQ(owned.object.vertexCount, 4);
    EXPECT_EQ(owned.object.facetCount, 2);
}

TEST(WeldVertices, SignedZerosWeldNanNeverDoesAndDegenerateFacetsStay) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    TestMesh soup;
    soup.Vertex(0, 0, 0), soup.Vertex(-0.0f, 0, -0.0f),
        soup.Vertex(1, 0, 0);  // a facet collapsing to an edge
    soup.Vertex(nan, 0, 0), soup.Vertex(nan, 0, 0), soup.Vertex(1, 0, 0);
    soup.Facet(0, 1, 2), soup.Facet(3, 4, 5);
    OwnedObject owned(soup);
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    EXPECT_EQ(owned.object.mesh->vertexCount, 4u);           // two NaN vertices, (1, 0, 0) and the zero
    EXPECT_EQ(owned.Facets(), (Indices{3, 2, 3, 2, 0, 1}));  // (3, 3, 2) turned larger-first
    EXPECT_EQ(owned.object.mesh->facetCount, 2u);
}

TEST(WeldVertices, CapsFollowTheSameMapSmallerFirst) {
    TestMesh soup;
    soup.Vertex(0, 0, 0), soup.Vertex(1, 0, 0), soup.Vertex(0, 1, 0);
    soup.Vertex(5, 5, 5);
    soup.Facet(0, 1, 2);
    OwnedObject owned(soup);
    owned.AddCap({2, 1, 0, 3, 0, 2});
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    // Facet (0, 1, 2) becomes (0, 1, 2) -> larger-first (2, 0, 1); the cap's new vertex is 3.
    EXPECT_EQ(owned.Facets(), (Indices{2, 0, 1}));
    EXPECT_EQ(owned.Caps(), (std::vector<Indices>{{0, 2, 1, 0, 2, 3}}));
    EXPECT_EQ(owned.object.mesh->vertexCount, 4u);
}

TEST(WeldVertices, MatchesTheLinearSearchOnRandomSoups) {
    std::mt19937 random(31);
    for (int round = 0; round < 40; ++round) {
        TestMesh m = round % 2 == 0 ? Soup(Sphere(random, 5 + round % 7, 6 + round % 5, 0, 0, 0, 3, 0.2f))
                                    : Soup(LatticeBox(1 + round % 3));
        if (round % 10 == 9) {  // thousands of unconnected triangles: the table must grow
            std::uniform_int_distribution<int> coordinate(0, 40);
            for (int t = 0; t < 1500; ++t) {
                int64_t a = m.Vertex(coordinate(random), coordinate(random), 0);
                int64_t b = m.Vertex(coordinate(random), 0, coordinate(random));
                int64_t c = m.Vertex(0, coordinate(random), coordinate(random));
                m.Facet(a, b, c);
            }
        }
        // Sprinkle duplicates that differ only in the sign of zero, and some NaNs.
        for (size_t i = 0; i < m.vertices.size(); ++i) {
            if (m.vertices[i] == 0 && random() % 2) m.vertices[i] = -0.0f;
            if (random() % 97 == 0) m.vertices[i] = std::numeric_limits<float>::quiet_NaN();
        }
        std::vector<Indices> caps = {{0, 1, 2, 3, 4, 5}, {}, {6, 7, 8}};
        LiteralWeld expected = WeldLinearly(m.vertices, m.facets, caps);
        OwnedObject owned(m);
        for (const Indices& cap : caps)
            owned.AddCap(cap);
        MakeWeldable(owned);
        ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
        // Compare bit patterns so that NaN and -0 count exactly.
        Floats vertices = owned.Vertices();
        ASSERT_EQ(vertices.size(), expected.vertices.size());
        EXPECT_EQ(std::memcmp(vertices.data(), expected.vertices.data(), vertices.size() * sizeof(float)), 0);
        EXPECT_EQ(owned.Facets(), expected.facets) << "round " << round;
        EXPECT_EQ(owned.Caps(), expected.caps) << "round " << round;
    }
}

TEST(WeldVertices, AClosedSphereSoupEndsWithHalfTheFacetsPlusTwoVertices) {
    std::mt19937 random(32);
    TestMesh sphere = Sphere(random, 12, 20, 0, 0, 0, 10, 0.1f);
    OwnedObject owned(Soup(sphere));
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    uint64_t facets = sphere.facets.size() / 3;
    EXPECT_EQ(owned.object.mesh->vertexCount, facets / 2 + 2);
    EXPECT_EQ(owned.object.mesh->facetCount, facets);
}

TEST(WeldVertices, ActsOnlyOnOptimisedNonP3gObjectsAndClearsWhatNoLongerMatches) {
    TestMesh soup = Soup(LatticeBox(1));
    {
        OwnedObject owned(soup);
        owned.object.fileType = kP3gFile;
        owned.object.optimized = 1;
        EXPECT_FALSE(WeldVertices(owned.object, owned.graphics));
        EXPECT_EQ(owned.Facets(), soup.facets);
    }
    {
        OwnedObject owned(soup);
        owned.object.fileType = kStlFile;  // optimized still 0
        EXPECT_FALSE(WeldVertices(owned.object, owned.graphics));
        EXPECT_EQ(owned.object.mesh->vertexCount, soup.vertices.size() / 3);
    }
    {
        OwnedObject owned(soup);
        owned.object.fileType = kCtmFile;
        owned.object.optimized = 1;
        owned.SetNormals(Floats(soup.vertices.size(), 1.0f));
        SetRecordText(owned.object.backupPath, "/tmp/~CM1234");
        ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
        EXPECT_EQ(owned.object.normals, nullptr);
        EXPECT_EQ(owned.object.backupPath[0], '\0');
        EXPECT_EQ(owned.object.vertexCount, 8);
    }
}

TEST(WeldVertices, ShowsProgressEveryHundredthOfTheFacetsAndClearsIt) {
    std::mt19937 random(33);
    TestMesh many = Soup(Sphere(random, 11, 10, 0, 0, 0, 1, 0));  // 200 facets
    ASSERT_EQ(many.facets.size() / 3, 200u);
    OwnedObject owned(many);
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    const auto& progress = owned.graphics.progress;
    ASSERT_EQ(progress.size(), 101u);  // facets 198, 196, ..., 0, then the clearing call
    EXPECT_EQ(progress.front(), (std::pair<int, std::string>{1, "Optimizing"}));
    EXPECT_EQ(progress[99], (std::pair<int, std::string>{100, "Optimizing"}));
    EXPECT_EQ(progress.back(), (std::pair<int, std::string>{0, ""}));

    OwnedObject few(Soup(LatticeBox(2)));  // 48 facets: no progress, only the clearing
    MakeWeldable(few);
    ASSERT_TRUE(WeldVertices(few.object, few.graphics));
    EXPECT_EQ(few.graphics.progress, (std::vector<std::pair<int, std::string>>{{0, ""}}));
}

TEST(WeldVertices, RefusesIndicesThatNameNoVertexAndChangesNothing) {
    TestMesh soup = Soup(LatticeBox(1));
    soup.facets[7] = static_cast<int64_t>(soup.vertices.size() / 3);
    OwnedObject owned(soup);
    MakeWeldable(owned);
    EXPECT_FALSE(WeldVertices(owned.object, owned.graphics));
    EXPECT_EQ(owned.Facets(), soup.facets);
    EXPECT_EQ(owned.Vertices(), soup.vertices);

    OwnedObject capped(Soup(LatticeBox(1)));
    capped.AddCap({0, 1, -2});
    MakeWeldable(capped);
    EXPECT_FALSE(WeldVertices(capped.object, capped.graphics));
    EXPECT_EQ(capped.Facets(), Soup(LatticeBox(1)).facets);
}

TEST(WeldVertices, NanCornersEachGetAVertexWithoutOverrunningTheStore) {
    // Three vertices, one with a NaN coordinate, shared by a million facets: the NaN corner of every
    // facet becomes a vertex of its own, a million more than the mesh had.
    const float nan = std::numeric_limits<float>::quiet_NaN();
    constexpr int64_t kFacets = 1000000;
    TestMesh m;
    m.Vertex(0, 0, 0), m.Vertex(1, 0, 0), m.Vertex(nan, 0, 0);
    m.facets.reserve(kFacets * 3);
    for (int64_t f = 0; f < kFacets; ++f)
        m.Facet(0, 1, 2);
    OwnedObject owned(m);
    MakeWeldable(owned);
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    ASSERT_EQ(owned.object.mesh->vertexCount, static_cast<uint64_t>(kFacets) + 2);
    EXPECT_EQ(owned.object.vertexCount, kFacets + 2);
    const int64_t* facets = owned.object.mesh->facets;
    // Numbered from the last facet: (0, 1, 2 + k) for the k-th from the end, turned larger-first.
    int64_t wrong = 0;
    for (int64_t f = 0; f < kFacets; ++f)
        wrong += facets[f * 3] != kFacets + 1 - f || facets[f * 3 + 1] != 0 || facets[f * 3 + 2] != 1;
    EXPECT_EQ(wrong, 0);
    const float* vertices = owned.object.mesh->vertices;
    EXPECT_TRUE(std::isnan(vertices[(kFacets + 1) * 3]));
}

TEST(WeldVertices, WeldsACutAcrossAnInfiniteCoordinate) {
    // The cut at x = 0 meets the edge from (1, 0, 0) to (-inf, 0, 0) in a NaN point that two pieces
    // of the facet share, and likewise for the cap triangle on its back: more NaN corners than NaN
    // vertices, which must all fit in the welded store.
    const float inf = std::numeric_limits<float>::infinity();
    TestMesh m;
    m.Vertex(-inf, 0, 0), m.Vertex(-1, 0, 0), m.Vertex(1, 0, 0);
    m.Facet(0, 1, 2);
    OwnedObject owned(m);
    owned.AddCap({0, 2, 1});
    MakeWeldable(owned);
    CutStatistics statistics;
    CutMesh(owned.object, {1, 0, 0, 0}, &statistics);
    ASSERT_FALSE(statistics.refused);
    const Poly3gon& cut = *owned.object.mesh;
    uint64_t nanVertices = 0, nanCorners = 0;
    for (uint64_t i = 0; i < cut.vertexCount; ++i)
        nanVertices += std::isnan(cut.vertices[i * 3 + 1]);
    for (const Indices& triangles : {owned.Facets(), owned.Caps().front()})
        for (int64_t corner : triangles)
            nanCorners += std::isnan(cut.vertices[corner * 3 + 1]);
    ASSERT_GT(nanCorners, nanVertices);

    const uint64_t expected = cut.vertexCount - nanVertices + nanCorners;
    ASSERT_TRUE(WeldVertices(owned.object, owned.graphics));
    EXPECT_EQ(owned.object.mesh->vertexCount, expected);
    std::vector<Indices> all = owned.Caps();
    all.push_back(owned.Facets());
    for (const Indices& triangles : all)
        for (int64_t corner : triangles) {
            ASSERT_GE(corner, 0);
            ASSERT_LT(static_cast<uint64_t>(corner), expected);
        }
}
