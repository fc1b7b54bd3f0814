#include "geometry/VertexNormals.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "import/ModelLoader.h"
#include "scene/Poly3gon.h"
#include "scene/SceneObject.h"

namespace {

using Triple = std::array<float, 3>;

// The unit cube, vertex index x + 2y + 4z, twelve outward facets each listed from a corner whose index
// is not smaller than the next one's.
Poly3gon UnitCube() {
    Poly3gon cube(8, 12);
    for (int i = 0; i < 8; ++i) {
        cube.vertices[i * 3] = static_cast<float>(i & 1);
        cube.vertices[i * 3 + 1] = static_cast<float>((i >> 1) & 1);
        cube.vertices[i * 3 + 2] = static_cast<float>((i >> 2) & 1);
    }
    const int64_t facets[] = {3, 0, 2, 3, 1, 0, 7, 4, 5, 7, 6, 4, 5, 0, 1, 5, 4, 0,
                              7, 2, 6, 7, 3, 2, 6, 0, 4, 6, 2, 0, 7, 1, 3, 7, 5, 1};
    std::copy(std::begin(facets), std::end(facets), cube.facets);
    return cube;
}

std::vector<Triple> AsTriples(const float* normals, int count) {
    std::vector<Triple> triples;
    for (int i = 0; i < count; ++i)
        triples.push_back({normals[i * 3], normals[i * 3 + 1], normals[i * 3 + 2]});
    return triples;
}

struct RecordWithMesh {
    explicit RecordWithMesh(Poly3gon mesh) : mesh(std::move(mesh)) { record.mesh = &this->mesh; }
    ~RecordWithMesh() {
        record.mesh = nullptr;
        record.normals = nullptr;
    }
    Poly3gon mesh;
    SceneObject record;
};

TEST(VertexNormals, SmoothModesSumFaceNormalsAndThenNeighboursOnAClosedCube) {
    RecordWithMesh cube(UnitCube());

    // Each corner: the unnormalised normals (area 1/2 facets give length-1 normals) of its facets.
    const std::vector<Triple> accumulated = {{-2, -2, -2}, {2, -1, -1}, {-1, 2, -1}, {1, 1, -2},
                                             {-1, -1, 2},  {1, -2, 1},  {-2, 1, 1},  {2, 2, 2}};
    const auto normal = ComputeVertexNormals(cube.record, 2);
    ASSERT_TRUE(normal);
    EXPECT_EQ(AsTriples(normal.get(), 8), accumulated);

    // Each corner: the sum of its edge neighbours' accumulated normals, every edge counted once.
    const std::vector<Triple> smooth = {{0, 0, 0},   {2, -1, -1}, {-1, 2, -1}, {1, 1, -2},
                                        {-1, -1, 2}, {1, -2, 1},  {-2, 1, 1},  {0, 0, 0}};
    const auto smoothed = ComputeVertexNormals(cube.record, 3);
    ASSERT_TRUE(smoothed);
    EXPECT_EQ(AsTriples(smoothed.get(), 8), smooth);

    // Wire and facet modes are drawn flat; a record without mesh has nothing to compute.
    EXPECT_FALSE(ComputeVertexNormals(cube.record, 0));
    EXPECT_FALSE(ComputeVertexNormals(cube.record, 1));
    EXPECT_FALSE(ComputeVertexNormals(SceneObject{}, 2));
}

TEST(VertexNormals, AFacetListedFromTheSmallerIndexIsDrawnFlatAndAddsNothing) {
    // One triangle listed (0, 1, 2): first index smaller than second.
    Poly3gon triangle(3, 1);
    const float vertices[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    std::copy(std::begin(vertices), std::end(vertices), triangle.vertices);
    triangle.facets[0] = 0, triangle.facets[1] = 1, triangle.facets[2] = 2;
    RecordWithMesh flat(std::move(triangle));

    const auto normals = ComputeVertexNormals(flat.record, 2);
    ASSERT_TRUE(normals);
    EXPECT_EQ(AsTriples(normals.get(), 3), (std::vector<Triple>(3, Triple{0, 0, 0})));
    EXPECT_FALSE(UsesCornerNormals(flat.mesh.facets, true, false));

    // Its face normal (a - b) x (b - c) is what lights it: here +z, length 1.
    float face[3];
    FacetNormal(flat.mesh.vertices, flat.mesh.vertices + 3, flat.mesh.vertices + 6, face);
    EXPECT_EQ((Triple{face[0], face[1], face[2]}), (Triple{0, 0, 1}));

    // The same corners listed (2, 0, 1) take their vertex normals; file normals light every facet.
    const int64_t rotated[] = {2, 0, 1};
    EXPECT_TRUE(UsesCornerNormals(rotated, true, false));
    EXPECT_FALSE(UsesCornerNormals(rotated, false, false));
    EXPECT_TRUE(UsesCornerNormals(flat.mesh.facets, true, true));
}

TEST(VertexNormals, NormalSurfaceOfACtmModelUsesItsFileNormalsOnly) {
    RecordWithMesh ctm(UnitCube());
    std::vector<float> fileNormals(24);
    for (size_t i = 0; i < fileNormals.size(); ++i)
        fileNormals[i] = 0.5f + static_cast<float>(i);
    ctm.record.normals = fileNormals.data();
    ctm.record.fileType = kCtmFile;

    const auto normals = ComputeVertexNormals(ctm.record, 2);
    ASSERT_TRUE(normals);
    EXPECT_NE(normals.get(), fileNormals.data());
    EXPECT_EQ(std::vector<float>(normals.get(), normals.get() + 24), fileNormals);

    // The smooth mode computes its own; so does a p3g record that happens to carry an array.
    EXPECT_EQ(ComputeVertexNormals(ctm.record, 3)[0], 0.0f);
    ctm.record.fileType = kP3gFile;
    EXPECT_EQ(ComputeVertexNormals(ctm.record, 2)[0], -2.0f);
}

TEST(VertexNormals, FacetsNamingMissingVerticesAreLeftOut) {
    Poly3gon broken(3, 2);
    const float vertices[] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    std::copy(std::begin(vertices), std::end(vertices), broken.vertices);
    const int64_t facets[] = {2, 0, 1, 9, 1, -4};
    std::copy(std::begin(facets), std::end(facets), broken.facets);
    RecordWithMesh record(std::move(broken));

    for (int mode : {2, 3}) {
        const auto normals = ComputeVertexNormals(record.record, mode);
        ASSERT_TRUE(normals);
        // Only the whole facet (2, 0, 1) counts: +z at every corner; smoothed, vertex 1 has two neighbours.
        EXPECT_EQ(AsTriples(normals.get(), 3),
                  (std::vector<Triple>{{0, 0, 1}, {0, 0, mode == 2 ? 1.0f : 2.0f}, {0, 0, 1}}));
    }
}

// The sums are split over the cores by vertex range; each must come out bit for bit as the facets
// added one after another give it, or lit pixels would shift with the number of cores.
TEST(VertexNormals, SumsMatchOneFacetAfterAnotherOnAnIrregularMesh) {
    constexpr uint64_t kVertices = 3001;
    constexpr uint64_t kFacets = 12007;
    Poly3gon mesh(kVertices, kFacets);
    uint64_t state = 12345;
    auto next = [&state] { return (state = state * 6364136223846793005ull + 1442695040888963407ull) >> 33; };
    for (uint64_t i = 0; i < kVertices * 3; ++i)
        mesh.vertices[i] = static_cast<float>(next() % 20000) * 0.0137f - 100.0f;
    for (uint64_t i = 0; i < kFacets * 3; ++i)
        mesh.facets[i] = static_cast<int64_t>(next() % kVertices);
    RecordWithMesh record(std::move(mesh));
    const Poly3gon& m = *record.record.mesh;

    std::vector<float> a(kVertices * 3, 0.0f);
    for (uint64_t f = 0; f < kFacets; ++f) {
        const int64_t* c = m.facets + f * 3;
        if (c[0] < c[1]) continue;
        float n[3];
        FacetNormal(m.vertices + c[0] * 3, m.vertices + c[1] * 3, m.vertices + c[2] * 3, n);
        for (int k = 0; k < 3; ++k)
            for (int j = 0; j < 3; ++j)
                a[c[k] * 3 + j] += n[j];
    }
    std::vector<float> b(kVertices * 3, 0.0f);
    for (uint64_t f = 0; f < kFacets; ++f) {
        const int64_t* c = m.facets + f * 3;
        for (int k = 0; k < 3; ++k) {
            const int64_t from = c[k], to = c[(k + 1) % 3];
            if (from >= to) continue;
            for (int j = 0; j < 3; ++j)
                b[from * 3 + j] += a[to * 3 + j];
            for (int j = 0; j < 3; ++j)
                b[to * 3 + j] += a[from * 3 + j];
        }
    }
    const auto normal = ComputeVertexNormals(record.record, 2);
    const auto smooth = ComputeVertexNormals(record.record, 3);
    ASSERT_TRUE(normal && smooth);
    EXPECT_EQ(std::vector<float>(normal.get(), normal.get() + kVertices * 3), a);
    EXPECT_EQ(std::vector<float>(smooth.get(), smooth.get() + kVertices * 3), b);
}

}  // namespace
