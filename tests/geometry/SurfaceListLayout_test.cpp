#include "geometry/SurfaceListLayout.h"

#include <gtest/gtest.h>

#include <vector>

TEST(SurfaceListLayout, ListsHoldAtMostTenMillionFacets) {
    EXPECT_EQ(SurfaceListCount(25000000), 3);
    EXPECT_EQ(SurfaceListCount(10000000), 1);
    EXPECT_EQ(SurfaceListCount(10000001), 2);
    EXPECT_EQ(SurfaceListCount(1), 1);
    EXPECT_EQ(SurfaceListCount(0), 1);
}

// The facets at which a build of `facetCount` facets shows progress, with their percent.
std::vector<std::pair<uint64_t, int>> Schedule(uint64_t facetCount) {
    std::vector<std::pair<uint64_t, int>> shown;
    for (int percent = 1; percent <= 100; ++percent) {
        const uint64_t facet = ProgressFacet(percent, facetCount);
        if (facet != UINT64_MAX) shown.emplace_back(facet, percent);
    }
    return shown;
}

TEST(SurfaceListLayout, ProgressIsShownAtMostOnceAPercentAndNeverForSmallMeshes) {
    EXPECT_TRUE(Schedule(0).empty());
    EXPECT_TRUE(Schedule(100).empty());

    for (uint64_t facets : {101ull, 199ull, 1000ull, 25000000ull, 1ull << 62}) {
        const auto shown = Schedule(facets);
        ASSERT_EQ(shown.size(), 99u) << facets;
        uint64_t previous = 0;
        for (const auto& [facet, percent] : shown) {
            EXPECT_GT(facet, previous) << facets;
            EXPECT_LT(facet, facets);
            // The first facet that reaches the percent.
            EXPECT_GE(static_cast<unsigned __int128>(facet) * 100,
                      static_cast<unsigned __int128>(percent) * facets);
            EXPECT_LT(static_cast<unsigned __int128>(facet - 1) * 100,
                      static_cast<unsigned __int128>(percent) * facets);
            previous = facet;
        }
    }
    EXPECT_EQ(ProgressFacet(50, 1000), 500u);
    EXPECT_EQ(ProgressFacet(0, 1000), UINT64_MAX);
}
