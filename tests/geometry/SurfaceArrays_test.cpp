#include "geometry/SurfaceArrays.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "geometry/VertexNormals.h"
#include "scene/Poly3gon.h"

namespace {

using Six = std::array<float, 6>;

// Four vertices: the unit square's corners 0 (0,0), 1 (1,0), 2 (1,1), 3 (0,1) in z = 0, then the
// given facets.
Poly3gon Square(const std::vector<int64_t>& facets) {
    Poly3gon mesh(4, facets.size() / 3);
    const float corners[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    std::copy(std::begin(corners), std::end(corners), mesh.vertices);
    std::copy(facets.begin(), facets.end(), mesh.facets);
    return mesh;
}

Six Vertex(const SurfaceArrays& arrays, uint64_t v) {
    Six out;
    std::copy_n(arrays.vertices.get() + v * 6, 6, out.begin());
    return out;
}

std::vector<uint32_t> Indices(const SurfaceArrays& arrays) {
    return {arrays.indices.get(), arrays.indices.get() + arrays.indexCount};
}

Six WithFaceNormal(const Poly3gon& mesh, uint64_t facet, int corner) {
    const int64_t* f = mesh.facets + facet * 3;
    float normal[3];
    FacetNormal(mesh.vertices + f[0] * 3, mesh.vertices + f[1] * 3, mesh.vertices + f[2] * 3, normal);
    const float* p = mesh.vertices + f[corner] * 3;
    return {p[0], p[1], p[2], normal[0], normal[1], normal[2]};
}

TEST(SurfaceArraysTest, TheNormalsAndTheLightChooseTheLayout) {
    EXPECT_EQ(LayoutFor(false, true), SurfaceLayout::kFlat) << "wire models and flat modes";
    EXPECT_EQ(LayoutFor(true, true), SurfaceLayout::kSmooth);
    EXPECT_EQ(LayoutFor(false, false), SurfaceLayout::kSmooth) << "a light at a point lights every corner";
}

TEST(SurfaceArraysTest, SmoothFacetsShareTheMeshVerticesFlatOnesGetTheirOwn) {
    // Lit with vertex normals (first index not smaller), lit flat, naming a vertex outside the mesh.
    const Poly3gon mesh = Square({2, 1, 0, 0, 2, 3, 1, 2, 4});
    const float normals[12] = {0, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1};
    const SurfaceArrays arrays = BuildSurfaceArrays(mesh, normals, false, SurfaceLayout::kSmooth, {0, 1, 3});
    EXPECT_EQ(arrays.vertexCount, 4u + 3u);
    EXPECT_EQ(Indices(arrays), (std::vector<uint32_t>{2, 1, 0, 4, 5, 6}));
    EXPECT_EQ(arrays.blockStarts, (std::vector<uint64_t>{0, 3, 6}));
    EXPECT_EQ(Vertex(arrays, 1), (Six{1, 0, 0, 0, 1, 1}));
    for (int corner = 0; corner < 3; ++corner)
        EXPECT_EQ(Vertex(arrays, 4 + corner), WithFaceNormal(mesh, 1, corner));

    // File normals light every facet: all share.
    const SurfaceArrays file = BuildSurfaceArrays(mesh, normals, true, SurfaceLayout::kSmooth, {0, 3});
    EXPECT_EQ(file.vertexCount, 4u);
    EXPECT_EQ(Indices(file), (std::vector<uint32_t>{2, 1, 0, 0, 2, 3}));
}

TEST(SurfaceArraysTest, WithoutNormalsTheSmoothLayoutGivesEveryFacetItsFaceNormal) {
    const Poly3gon mesh = Square({2, 1, 0, 0, 2, 3});
    const SurfaceArrays arrays = BuildSurfaceArrays(mesh, nullptr, false, SurfaceLayout::kSmooth, {0, 2});
    EXPECT_EQ(Indices(arrays), (std::vector<uint32_t>{0, 1, 2, 3, 4, 5}));
    for (int corner = 0; corner < 3; ++corner) {
        EXPECT_EQ(Vertex(arrays, corner), WithFaceNormal(mesh, 0, corner));
        EXPECT_EQ(Vertex(arrays, 3 + corner), WithFaceNormal(mesh, 1, corner));
    }
}

TEST(SurfaceArraysTest, FlatFacetsEndAtAVertexLitForThemAlone) {
    // Facets 1 and 2 both end at vertex 2; facet 3 ends at vertex 0.
    const Poly3gon mesh = Square({3, 0, 1, 0, 1, 2, 3, 1, 2, 2, 3, 0});
    const SurfaceArrays arrays = BuildSurfaceArrays(mesh, nullptr, false, SurfaceLayout::kFlat, {1, 3, 4});
    // Facet 0 lies outside the range and claims nothing: facet 1 takes vertex 2, facet 2 gets a copy.
    EXPECT_EQ(arrays.vertexCount, 4u + 1u);
    EXPECT_EQ(Indices(arrays), (std::vector<uint32_t>{0, 1, 2, 3, 1, 4, 2, 3, 0}));
    EXPECT_EQ(arrays.blockStarts, (std::vector<uint64_t>{0, 6, 9}));
    EXPECT_EQ(Vertex(arrays, 2), WithFaceNormal(mesh, 1, 2));
    EXPECT_EQ(Vertex(arrays, 4), WithFaceNormal(mesh, 2, 2));
    EXPECT_EQ(Vertex(arrays, 0), WithFaceNormal(mesh, 3, 2));
    EXPECT_EQ(Vertex(arrays, 1), (Six{1, 0, 0, 0, 0, 1})) << "a vertex no facet ends at";
}

TEST(SurfaceArraysTest, AnEmptyRangeGivesEmptyArrays) {
    const Poly3gon mesh = Square({0, 1, 2});
    const SurfaceArrays arrays = BuildSurfaceArrays(mesh, nullptr, false, SurfaceLayout::kFlat, {0, 0});
    EXPECT_EQ(arrays.indexCount, 0u);
    EXPECT_EQ(arrays.blockStarts, (std::vector<uint64_t>{0, 0}));
}

}  // namespace
