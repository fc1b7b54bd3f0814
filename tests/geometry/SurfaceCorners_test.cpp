#include "geometry/SurfaceCorners.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "geometry/VertexNormals.h"
#include "scene/Poly3gon.h"

namespace {

using Corner = std::array<float, 6>;

// Four vertices: the unit square's corners 0 (0,0), 1 (1,0), 2 (1,1), 3 (0,1) in z = 0, then the
// given facets.
Poly3gon Square(const std::vector<int64_t>& facets) {
    Poly3gon mesh(4, facets.size() / 3);
    const float corners[] = {0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0};
    std::copy(std::begin(corners), std::end(corners), mesh.vertices);
    std::copy(facets.begin(), facets.end(), mesh.facets);
    return mesh;
}

std::vector<Corner> Fill(const Poly3gon& mesh, const float* normals, bool fileNormals, SurfaceLayout layout,
                         uint64_t first, uint64_t last) {
    std::vector<float> out((last - first) * 3 * kFloatsPerCorner, -7.0f);
    const uint64_t count = FillSurfaceCorners(mesh, normals, fileNormals, layout, first, last, out.data());
    std::vector<Corner> corners(count);
    for (uint64_t c = 0; c < count; ++c)
        std::copy_n(out.begin() + static_cast<std::ptrdiff_t>(c * kFloatsPerCorner), 6, corners[c].begin());
    return corners;
}

Corner At(const Poly3gon& mesh, int64_t vertex, const float* normal) {
    const float* p = mesh.vertices + vertex * 3;
    return {p[0], p[1], p[2], normal[0], normal[1], normal[2]};
}

std::array<float, 3> Face(const Poly3gon& mesh, uint64_t facet) {
    const int64_t* f = mesh.facets + facet * 3;
    std::array<float, 3> normal;
    FacetNormal(mesh.vertices + f[0] * 3, mesh.vertices + f[1] * 3, mesh.vertices + f[2] * 3, normal.data());
    return normal;
}

TEST(SurfaceCornersTest, TheNormalsAndTheLightChooseTheLayout) {
    EXPECT_EQ(LayoutFor(false, true), SurfaceLayout::kFlat) << "wire models and flat modes";
    EXPECT_EQ(LayoutFor(true, true), SurfaceLayout::kSmooth);
    EXPECT_EQ(LayoutFor(false, false), SurfaceLayout::kSmooth) << "a light at a point lights every corner";
}

TEST(SurfaceCornersTest, SmoothFacetsTakeTheirVerticesNormalsOrTheirFaceNormal) {
    // Lit with vertex normals (first index not smaller), lit flat, naming a vertex outside the mesh.
    const Poly3gon mesh = Square({2, 1, 0, 0, 2, 3, 1, 2, 4});
    const float normals[12] = {0, 0, 1, 0, 1, 1, 1, 0, 1, 1, 1, 1};
    const auto face = Face(mesh, 1);
    EXPECT_EQ(
        Fill(mesh, normals, false, SurfaceLayout::kSmooth, 0, 3),
        (std::vector<Corner>{At(mesh, 2, normals + 6), At(mesh, 1, normals + 3), At(mesh, 0, normals),
                             At(mesh, 0, face.data()), At(mesh, 2, face.data()), At(mesh, 3, face.data())}));

    // File normals light every facet; without normals every facet takes its face normal.
    EXPECT_EQ(
        Fill(mesh, normals, true, SurfaceLayout::kSmooth, 1, 2),
        (std::vector<Corner>{At(mesh, 0, normals), At(mesh, 2, normals + 6), At(mesh, 3, normals + 9)}));
    const auto first = Face(mesh, 0);
    EXPECT_EQ(Fill(mesh, nullptr, false, SurfaceLayout::kSmooth, 0, 1),
              (std::vector<Corner>{At(mesh, 2, first.data()), At(mesh, 1, first.data()),
                                   At(mesh, 0, first.data())}));
    EXPECT_TRUE(Fill(mesh, nullptr, false, SurfaceLayout::kSmooth, 2, 2).empty());
}

TEST(SurfaceCornersTest, FlatFacetsEndAtTheirFaceNormalOtherCornersEqualTheFacetThatEndsThereFirst) {
    // Facets 1 and 2 both end at vertex 2, facet 3 at vertex 0; facet 0 (ending at 1) lies outside.
    const Poly3gon mesh = Square({3, 0, 1, 0, 1, 2, 3, 1, 2, 2, 3, 0, 0, 1, 9});
    const std::unique_ptr<float[]> normals = FlatVertexNormals(mesh, 1, 5);
    const auto one = Face(mesh, 1), two = Face(mesh, 2), three = Face(mesh, 3);
    const float any[3] = {0, 0, 1};
    EXPECT_EQ(At(mesh, 0, normals.get()), At(mesh, 0, three.data()));
    EXPECT_EQ(At(mesh, 1, normals.get() + 3), At(mesh, 1, any)) << "no facet of the range ends at it";
    EXPECT_EQ(At(mesh, 2, normals.get() + 6), At(mesh, 2, one.data())) << "the first of two";
    EXPECT_EQ(At(mesh, 3, normals.get() + 9), At(mesh, 3, any));

    EXPECT_EQ(Fill(mesh, normals.get(), false, SurfaceLayout::kFlat, 1, 5),
              (std::vector<Corner>{At(mesh, 0, three.data()), At(mesh, 1, any), At(mesh, 2, one.data()),
                                   At(mesh, 3, any), At(mesh, 1, any), At(mesh, 2, two.data()),
                                   At(mesh, 2, one.data()), At(mesh, 3, any), At(mesh, 0, three.data())}));
}

}  // namespace
