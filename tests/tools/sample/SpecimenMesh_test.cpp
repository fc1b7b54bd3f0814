#include "tools/sample/SpecimenMesh.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/Poly3gon.h"
#include "tools/sample/MeshChecks.h"
#include "tools/sample/SpecimenShape.h"

TEST(SpecimenMesh, IsOneClosedSurfaceWithAThroughHoleInsideTheStack) {
    Poly3gon mesh;
    ASSERT_TRUE(MeshSpecimen(5.0, mesh));
    const Topology topology = Inspect(mesh);
    EXPECT_TRUE(topology.closedAndConsistent);
    EXPECT_EQ(topology.components, 1);
    EXPECT_EQ(topology.eulerCharacteristic, 0);  // genus 1: the hole goes through
    EXPECT_GT(topology.volume, 0);
    for (uint64_t v = 0; v < mesh.vertexCount; ++v) {
        const float* p = mesh.vertices + v * 3;
        ASSERT_LT(std::fabs(p[0]), kSpecimenSliceSize / 2);
        ASSERT_LT(std::fabs(p[1]), kSpecimenSliceSize / 2);
        ASSERT_GT(p[2], 0);
        ASSERT_LT(p[2], kSpecimenSliceCount - 1);
    }
    // The hole's axis is outside, the specimen's flesh beside the hole inside.
    EXPECT_GT(SpecimenField(0, 0, kSpecimenCentreZ), 0);
    EXPECT_LT(SpecimenField(kSpecimenHoleRadius + 10, 0, kSpecimenCentreZ), 0);
}

TEST(SpecimenMesh, SpacingMeetsTheFacetTargetAndFacetsAreTurnedAsWelded) {
    const double spacing = SpecimenSpacingForFacets(60000);
    Poly3gon mesh;
    ASSERT_TRUE(MeshSpecimen(spacing, mesh));
    EXPECT_NEAR(double(mesh.facetCount), 60000, 6000);

    const Poly3gon before = mesh;
    RotateFacetsAsWelded(mesh);
    for (uint64_t f = 0; f < mesh.facetCount; ++f) {
        const int64_t* c = mesh.facets + f * 3;
        const int64_t* o = before.facets + f * 3;
        ASSERT_GT(c[0], c[1]);
        // A cyclic turn of the original corners: the winding is kept.
        const bool turned = (c[0] == o[0] && c[1] == o[1]) || (c[0] == o[1] && c[1] == o[2]) ||
                            (c[0] == o[2] && c[1] == o[0]);
        ASSERT_TRUE(turned);
    }
}
