#include "scene/BoxTicks.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

SceneObject VoxelRecord(float pixelSize, int32_t unit = 0, int32_t fileType = 1, int32_t tickFactor = 1) {
    SceneObject record;
    record.pixelSize = pixelSize;
    record.unit = unit;
    record.fileType = fileType;
    record.tickFactor = tickFactor;
    return record;
}

std::vector<float> Upward(float from, float to, float spacing) {
    std::vector<float> ticks;
    ForEachTickUpward(from, to, spacing, [&](float x) { ticks.push_back(x); });
    return ticks;
}

std::vector<float> Downward(float from, float to, float spacing) {
    std::vector<float> ticks;
    ForEachTickDownward(from, to, spacing, [&](float x) { ticks.push_back(x); });
    return ticks;
}

}  // namespace

TEST(BoxTicks, TickDistanceIsTheDecadeNearestTheVoxelSize) {
    EXPECT_EQ(TickExponent(12.5f), 2);
    EXPECT_EQ(TickExponent(35.0f), 3);
    EXPECT_EQ(TickExponent(0.5f), 1);
    EXPECT_EQ(TickExponent(0.01f), 0);
    EXPECT_EQ(TickExponent(0.001f), -1);

    BoxTickPlan plan = PlanBoxTicks(VoxelRecord(12.5f));
    ASSERT_TRUE(plan.draw);
    EXPECT_FLOAT_EQ(plan.spacing, 8.0f);
    EXPECT_FLOAT_EQ(plan.tickLength, 2.0f);
    EXPECT_EQ(plan.label, ">100 um<");

    plan = PlanBoxTicks(VoxelRecord(35.0f));
    ASSERT_TRUE(plan.draw);
    EXPECT_NEAR(plan.spacing, 28.5714f, 1e-3f);
    EXPECT_EQ(plan.label, ">1000 um<");

    plan = PlanBoxTicks(VoxelRecord(0.5f));
    EXPECT_FLOAT_EQ(plan.spacing, 20.0f);
    EXPECT_EQ(plan.label, ">10 um<");

    plan = PlanBoxTicks(VoxelRecord(0.01f));
    EXPECT_FLOAT_EQ(plan.spacing, 100.0f);
    EXPECT_EQ(plan.label, ">1 um<");
}

TEST(BoxTicks, AUnitCodeFixesTheSpacingAtAHundredTimesTheFactor) {
    BoxTickPlan plan = PlanBoxTicks(VoxelRecord(12.5f, 2, 0));
    ASSERT_TRUE(plan.draw);
    EXPECT_FLOAT_EQ(plan.spacing, 100.0f);
    EXPECT_EQ(plan.label, ">100 mm<");

    plan = PlanBoxTicks(VoxelRecord(12.5f, 3, 0, 3));
    EXPECT_FLOAT_EQ(plan.spacing, 300.0f);
    EXPECT_FLOAT_EQ(plan.tickLength, 6.0f);
    EXPECT_EQ(plan.label, ">300 inch<");
    EXPECT_EQ(PlanBoxTicks(VoxelRecord(12.5f, 4, 1)).label, ">100 m<");
    EXPECT_EQ(PlanBoxTicks(VoxelRecord(12.5f, 7, 1)).label, ">100 um<");

    // The factor scales the spacing and the value of the voxel-size ticks alike.
    plan = PlanBoxTicks(VoxelRecord(12.5f, 0, 0, 5));
    EXPECT_FLOAT_EQ(plan.spacing, 40.0f);
    EXPECT_EQ(plan.label, ">500 um<");
}

TEST(BoxTicks, NoTicksWhereTheyWouldMeanNothingOrNeverEnd) {
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(12.5f, 2, 2)).draw);  // STL with a unit
    EXPECT_TRUE(PlanBoxTicks(VoxelRecord(12.5f, 0, 2)).draw);   // STL in voxels
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(0.0f)).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(-12.5f)).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(0.001f)).draw);  // the distance truncates to 0
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(std::numeric_limits<float>::quiet_NaN())).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(std::numeric_limits<float>::infinity())).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(1e20f)).draw);  // distance beyond an int
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(std::numeric_limits<float>::denorm_min())).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(12.5f, 0, 0, 0)).draw);
    EXPECT_FALSE(PlanBoxTicks(VoxelRecord(12.5f, 0, 0, -2)).draw);
    // With a unit code the voxel size only has to be positive.
    EXPECT_TRUE(PlanBoxTicks(VoxelRecord(0.001f, 2, 0)).draw);
}

TEST(BoxTicks, TicksStepInsideTheEdgeFromEitherEnd) {
    EXPECT_EQ(Upward(0.0f, 30.0f, 8.0f), (std::vector<float>{8.0f, 16.0f, 24.0f}));
    EXPECT_EQ(Upward(0.0f, 24.0f, 8.0f), (std::vector<float>{8.0f, 16.0f}));  // the far end is no tick
    EXPECT_EQ(Downward(-10.0f, 20.0f, 8.0f), (std::vector<float>{12.0f, 4.0f, -4.0f}));
    EXPECT_TRUE(Upward(0.0f, 5.0f, 8.0f).empty());
    EXPECT_TRUE(Upward(5.0f, 0.0f, 1.0f).empty());
}

TEST(BoxTicks, SteppingAlwaysEnds) {
    EXPECT_TRUE(Upward(0.0f, 100.0f, 0.0f).empty());
    EXPECT_TRUE(Downward(0.0f, 100.0f, -1.0f).empty());
    EXPECT_TRUE(Upward(0.0f, 100.0f, std::numeric_limits<float>::quiet_NaN()).empty());
    EXPECT_TRUE(Upward(0.0f, std::numeric_limits<float>::quiet_NaN(), 1.0f).empty());
    // A step below the coordinates' precision makes no progress: one tick, then stop.
    EXPECT_EQ(Upward(1e9f, 2e9f, 8.0f).size(), 1u);
    EXPECT_EQ(Downward(-2e9f, -1e9f, 8.0f).size(), 1u);
    // A very fine spacing is cut off.
    EXPECT_EQ(Upward(0.0f, 1e6f, 1.0f).size(), kMaxTicksPerEdge);
}
