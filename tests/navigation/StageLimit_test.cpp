#include "navigation/StageLimit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>

TEST(StageLimit, DistanceLimitsUseIntegerDivisionTruncatingTowardZero) {
    EXPECT_EQ(CameraDistanceLimits(1000).lo, -1599);
    EXPECT_EQ(CameraDistanceLimits(1000).hi, 399);
    // 15 / -10 truncates to -1 (not -2) and 45 / 2 to 22: lo = -1 - 22 + 1, hi = 7 - 1 - 1.
    EXPECT_EQ(CameraDistanceLimits(15).lo, -22);
    EXPECT_EQ(CameraDistanceLimits(15).hi, 5);
    // The largest stage does not overflow.
    const int64_t s = INT32_MAX;
    EXPECT_EQ(CameraDistanceLimits(INT32_MAX).lo, s / -10 - (3 * s) / 2 + 1);

    EXPECT_EQ(ClampCameraDistance(399.5, 1000), 399.0);
    EXPECT_EQ(ClampCameraDistance(-1599.5, 1000), -1599.0);
    EXPECT_EQ(ClampCameraDistance(-20.25, 1000), -20.25);
    // The upper limit is applied first, so when lo lies above hi the lower one wins.
    EXPECT_EQ(ClampCameraDistance(0.0, -1000), 1601.0);
    EXPECT_TRUE(std::isnan(ClampCameraDistance(std::nan(""), 1000)));
}

TEST(StageLimit, PositionCoordinatesStayWithinTheStage) {
    float position[3] = {1000.5f, -2500.0f, 999.0f};
    ClampPosition(position, 1000);
    EXPECT_EQ(position[0], 1000.0f);
    EXPECT_EQ(position[1], -1000.0f);
    EXPECT_EQ(position[2], 999.0f);
    EXPECT_TRUE(StageLimited(1));
    EXPECT_TRUE(StageLimited(2));
    EXPECT_FALSE(StageLimited(0));
}
