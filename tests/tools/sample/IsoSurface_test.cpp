#include "tools/sample/IsoSurface.h"

#include <gtest/gtest.h>

#include <cmath>

#include "scene/Poly3gon.h"
#include "tools/sample/MeshChecks.h"

TEST(IsoSurface, SphereIsClosedOrientedOutwardAndOfGenusZero) {
    const Poly3gon sphere = Sphere(10, 1.3);
    ASSERT_GT(sphere.facetCount, 500u);
    const Topology topology = Inspect(sphere);
    EXPECT_TRUE(topology.closedAndConsistent);
    EXPECT_EQ(topology.eulerCharacteristic, 2);
    EXPECT_EQ(topology.components, 1);
    EXPECT_NEAR(topology.volume, 4.0 / 3.0 * M_PI * 1000, 0.05 * 4.0 / 3.0 * M_PI * 1000);
    for (uint64_t v = 0; v < sphere.vertexCount; ++v) {
        const float* p = sphere.vertices + v * 3;
        ASSERT_NEAR(std::sqrt(p[0] * p[0] + p[1] * p[1] + p[2] * p[2]), 10.0, 0.2);
    }
    // A grid too small to hold a cell is refused.
    SampleGrid flat;
    flat.counts[0] = flat.counts[1] = 4;
    flat.counts[2] = 1;
    Poly3gon untouched;
    EXPECT_FALSE(MeshIsoSurface(
        flat, [](int64_t, float*) {}, untouched));
}
