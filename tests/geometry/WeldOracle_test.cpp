// The weld on all cores against the sequential scan it replaced: vertices byte for byte, facets, cap
// triangles and progress calls equal on soups and indexed meshes of every awkward kind, small and
// large enough for many buckets and several chunks of work.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

#include "SequentialWeld.h"
#include "TestMeshes.h"
#include "geometry/BucketWeld.h"
#include "geometry/WeldVertices.h"

namespace {

using Indices = std::vector<int64_t>;
using Caps = std::vector<Indices>;

float Bits(uint32_t bits) {
    return std::bit_cast<float>(bits);
}

// Coordinates drawn from a few values, so points repeat often, with the awkward ones among them:
// both zeros, both infinities, quiet and signalling NaNs with payloads, a denormal.
class AwkwardPoints {
public:
    explicit AwkwardPoints(uint32_t seed, int plain = 12) : random_(seed), plain_(plain) {}

    float Coordinate() {
        const int pick = static_cast<int>(random_() % (static_cast<uint32_t>(plain_) + 40));
        if (pick < plain_) return static_cast<float>(pick) * 0.25f - 1.0f;
        switch (pick - plain_) {
            case 0:
                return -0.0f;
            case 1:
                return std::numeric_limits<float>::infinity();
            case 2:
                return -std::numeric_limits<float>::infinity();
            case 3:
                return Bits(0x7FC00001u);  // quiet NaN with a payload
            case 4:
                return Bits(0xFF800002u);  // negative signalling NaN
            case 5:
                return std::numeric_limits<float>::denorm_min();
            default:
                return 0.0f;
        }
    }

    // `facets` facets over `vertices` points, corners picked at random (so some facets are
    // degenerate), then every facet given three copies of its points: a soup.
    TestMesh Soup(int64_t vertices, int64_t facets) {
        TestMesh indexed = Indexed(vertices, facets, 0);
        TestMesh soup;
        for (int64_t corner : indexed.facets) {
            const float* p = &indexed.vertices[static_cast<size_t>(corner) * 3];
            soup.Vertex(p[0], p[1], p[2]);
        }
        for (int64_t f = 0; f < facets; ++f)
            soup.Facet(f * 3, f * 3 + 1, f * 3 + 2);
        return soup;
    }

    // An indexed mesh, with `unused` vertices no facet names spread among the others.
    TestMesh Indexed(int64_t vertices, int64_t facets, int64_t unused) {
        TestMesh m;
        for (int64_t v = 0; v < vertices + unused; ++v)
            m.Vertex(Coordinate(), Coordinate(), Coordinate());
        for (int64_t f = 0; f < facets; ++f) {
            int64_t c[3];
            for (int64_t& corner : c)
                corner = static_cast<int64_t>(random_() % static_cast<uint64_t>(vertices + unused));
            if (random_() % 50 == 0) c[2] = c[0];
            m.Facet(c[0], c[1], c[2]);
        }
        return m;
    }

    Indices Triangles(int64_t count, int64_t vertexCount) {
        Indices t(static_cast<size_t>(count) * 3);
        for (int64_t& corner : t)
            corner = static_cast<int64_t>(random_() % static_cast<uint64_t>(vertexCount));
        return t;
    }

private:
    std::mt19937 random_;
    int plain_;
};

struct Welded {
    bool accepted;
    std::vector<uint32_t> vertexBits;
    Indices facets;
    Caps caps;
    std::vector<std::pair<int, std::string>> progress;
};

template <typename Weld>
Welded WeldWith(const TestMesh& m, const Caps& caps, Weld weld) {
    OwnedObject owned(m);
    for (const Indices& cap : caps)
        owned.AddCap(cap);
    Welded out;
    out.accepted = weld(*owned.object.mesh, owned.object.caps, owned.graphics);
    const Poly3gon& mesh = *owned.object.mesh;
    out.vertexBits.resize(mesh.vertexCount * 3);
    if (mesh.vertexCount > 0) std::memcpy(out.vertexBits.data(), mesh.vertices, out.vertexBits.size() * 4);
    out.facets = owned.Facets();
    out.caps = owned.Caps();
    out.progress = owned.graphics.progress;
    return out;
}

// Welds with WeldMesh, with the wide-position variant and with the oracle, and expects one result.
void ExpectSameWeld(const TestMesh& m, const Caps& caps = {}) {
    const Welded expected = WeldWith(m, caps, WeldSequentially);
    const Welded actual = WeldWith(m, caps, WeldMesh);
    ASSERT_EQ(actual.accepted, expected.accepted);
    ASSERT_EQ(actual.vertexBits.size(), expected.vertexBits.size());
    EXPECT_TRUE(actual.vertexBits == expected.vertexBits);
    EXPECT_TRUE(actual.facets == expected.facets);
    EXPECT_TRUE(actual.caps == expected.caps);
    EXPECT_EQ(actual.progress, expected.progress);

    const Welded wide = WeldWith(m, caps, WeldCheckedMesh<uint64_t>);
    ASSERT_TRUE(wide.accepted);
    EXPECT_TRUE(wide.vertexBits == expected.vertexBits);
    EXPECT_TRUE(wide.facets == expected.facets);
    EXPECT_TRUE(wide.caps == expected.caps);
}

}  // namespace

TEST(WeldOracle, SmallSoupsAndIndexedMeshesWithAwkwardCoordinates) {
    AwkwardPoints points(41);
    for (int round = 0; round < 60; ++round) {
        SCOPED_TRACE(round);
        const int64_t facets = 1 + round * 7;
        TestMesh m = round % 2 == 0 ? points.Soup(1 + round % 13, facets)
                                    : points.Indexed(5 + round, facets, round % 4);
        Caps caps;
        if (round % 3 == 0)
            caps = {points.Triangles(round % 5, m.vertices.size() / 3),
                    {},
                    points.Triangles(3, m.vertices.size() / 3)};
        ExpectSameWeld(m, caps);
    }
}

TEST(WeldOracle, EmptyMeshesAndMeshesWithoutFacets) {
    ExpectSameWeld(TestMesh());
    TestMesh lonely;
    lonely.Vertex(1, 2, 3), lonely.Vertex(-0.0f, 0, 0);
    ExpectSameWeld(lonely);
    ExpectSameWeld(lonely, {{1, 0, 1}});  // only a cap names vertices
}

TEST(WeldOracle, LargeSoupsSpreadOverManyBucketsAndChunks) {
    // 300,000 facets over about 30,000 distinct points: about a hundred buckets, and progress
    // every 3,000 facets handed out pass by pass.
    AwkwardPoints points(42, 30);
    ExpectSameWeld(points.Soup(30000, 300000), {points.Triangles(2000, 900000)});

    // A sphere soup in random facet order with duplicates that differ only in the sign of zero.
    std::mt19937 random(43);
    TestMesh sphere = Sphere(random, 150, 200, 0, 0, 0, 5, 0.3f);
    std::vector<int64_t> order(sphere.facets.size() / 3);
    for (size_t f = 0; f < order.size(); ++f)
        order[f] = static_cast<int64_t>(f);
    std::shuffle(order.begin(), order.end(), random);
    TestMesh shuffled;
    for (int64_t f : order)
        for (int k = 0; k < 3; ++k) {
            const float* p = &sphere.vertices[static_cast<size_t>(sphere.facets[f * 3 + k]) * 3];
            shuffled.Vertex(p[0] == 0 && random() % 2 ? -0.0f : p[0], p[1], p[2]);
        }
    for (size_t f = 0; f < order.size(); ++f)
        shuffled.Facet(f * 3, f * 3 + 1, f * 3 + 2);
    ExpectSameWeld(shuffled);
}

TEST(WeldOracle, ChunksThatEndInsideTheCaps) {
    // Few facets and many cap triangles over a shuffled indexed mesh with unused vertices.
    AwkwardPoints points(44, 20);
    TestMesh m = points.Indexed(3000, 10, 500);
    const int64_t vertices = static_cast<int64_t>(m.vertices.size() / 3);
    ExpectSameWeld(m, {points.Triangles(2500, vertices),
                       {},
                       points.Triangles(1, vertices),
                       points.Triangles(4000, vertices)});
}

TEST(WeldOracle, OnePointNamedByEveryCornerFillsOneBucket) {
    TestMesh m;
    m.Vertex(0.5f, -0.0f, 2), m.Vertex(0.5f, 0.0f, 2);
    for (int64_t f = 0; f < 200000; ++f)
        m.Facet(f % 2, (f + 1) % 2, 0);
    ExpectSameWeld(m);
}
