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

TEST(SurfaceListLayout, ChunksEndAtProgressFacetsAndAreNeverShorterThanTheMinimum) {
    // Small lists are one chunk; so is a list shorter than two minimal chunks.
    EXPECT_EQ(ChunkBounds(0, 100, 100), (std::vector<uint64_t>{0, 100}));
    EXPECT_EQ(ChunkBounds(0, 65535, 65535), (std::vector<uint64_t>{0, 65535}));
    // 5,000,000 facets: one chunk a percent.
    const std::vector<uint64_t> five = ChunkBounds(0, 5000000, 5000000);
    ASSERT_EQ(five.size(), 101u);
    for (int percent = 1; percent <= 99; ++percent)
        EXPECT_EQ(five[percent], ProgressFacet(percent, 5000000));
    // 1,000,000 facets: every fourth percent (10,000 facets a percent, 32,768 at least).
    const std::vector<uint64_t> one = ChunkBounds(0, 1000000, 1000000);
    EXPECT_EQ(one[1], 40000u);
    EXPECT_EQ(one[one.size() - 2], 960000u);
    for (size_t k = 1; k < one.size(); ++k)
        EXPECT_GE(one[k] - one[k - 1], kMinFacetsPerChunk);
    // The second list of 25,000,000 facets is cut at the percents 41 to 79.
    const std::vector<uint64_t> second = ChunkBounds(10000000, 20000000, 25000000);
    ASSERT_EQ(second.size(), 41u);
    EXPECT_EQ(second.front(), 10000000u);
    EXPECT_EQ(second[1], 10250000u);
    EXPECT_EQ(second[39], 19750000u);
    EXPECT_EQ(second.back(), 20000000u);
    // A list of a mesh so large that no progress falls inside it is cut into equal chunks.
    const std::vector<uint64_t> huge = ChunkBounds(0, 10000000, 1000000000);
    ASSERT_EQ(huge.size(), 40u);
    for (size_t k = 1; k < huge.size(); ++k) {
        EXPECT_LE(huge[k] - huge[k - 1], kMaxFacetsPerChunk);
        EXPECT_GE(huge[k] - huge[k - 1], 10000000u / 39);
    }
    EXPECT_EQ(huge.back(), 10000000u);
}
