#include "import/StageSize.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(StageSize, BothRoundingOrdersOfTheLoadPaths) {
    const float tallMin[3] = {-3, -2, -10.7f};
    const float tallMax[3] = {3, 2, 10.7f};
    EXPECT_EQ(AdaptStageSize(1000, true, tallMin, tallMax, StageRounding::kTruncateThenTimesFour), 40);
    EXPECT_EQ(AdaptStageSize(1000, true, tallMin, tallMax, StageRounding::kTimesFourThenTruncate), 42);
    // The x and y steps truncate, so the fraction is gone before the last step.
    const float wideMin[3] = {-10.7f, -2, -3};
    const float wideMax[3] = {10.7f, 2, 3};
    EXPECT_EQ(AdaptStageSize(1000, true, wideMin, wideMax, StageRounding::kTruncateThenTimesFour), 40);
    EXPECT_EQ(AdaptStageSize(1000, true, wideMin, wideMax, StageRounding::kTimesFourThenTruncate), 40);
}

TEST(StageSize, LaterModelsKeepAtLeastAQuarterOfTheStagePlusOne) {
    const float smallMin[3] = {-1, -1, -1};
    const float smallMax[3] = {1, 1, 1};
    EXPECT_EQ(AdaptStageSize(1000, false, smallMin, smallMax, StageRounding::kTruncateThenTimesFour), 1004);
    EXPECT_EQ(AdaptStageSize(1000, true, smallMin, smallMax, StageRounding::kTruncateThenTimesFour), 4);
    const float farMin[3] = {0, -600.5f, 0};
    const float farMax[3] = {0, 0, 0};
    EXPECT_EQ(AdaptStageSize(1000, false, farMin, farMax, StageRounding::kTimesFourThenTruncate), 2400);
}

TEST(StageSize, NanAndHugeCoordinatesStaySafe) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float nanMin[3] = {nan, nan, nan};
    const float nanMax[3] = {2, nan, 5.5f};
    EXPECT_EQ(AdaptStageSize(1000, true, nanMin, nanMax, StageRounding::kTimesFourThenTruncate), 22);
    const float hugeMin[3] = {-inf, 0, 0};
    const float hugeMax[3] = {0, 0, 3e38f};
    EXPECT_EQ(AdaptStageSize(1000, true, hugeMin, hugeMax, StageRounding::kTruncateThenTimesFour),
              kLargestStageSize);
    EXPECT_EQ(AdaptStageSize(1000, true, hugeMin, hugeMax, StageRounding::kTimesFourThenTruncate),
              kLargestStageSize);
}
