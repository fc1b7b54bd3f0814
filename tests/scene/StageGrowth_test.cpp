#include "scene/StageGrowth.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "import/StageSize.h"

TEST(StageGrowth, AnObjectOutsideTheStageGrowsItToItsTruncatedCoordinate) {
    Scene scene;
    const int model = scene.AddModelSlot();
    scene.objects[model].position[0] = 1500.0f;
    int32_t stage = 1000;
    EXPECT_EQ(GrowStage(scene, stage), 1500);
    EXPECT_EQ(stage, 1500);

    // Any axis and sign counts; the absolute value is truncated, not rounded.
    scene.objects[model].position[2] = -1700.9f;
    EXPECT_EQ(GrowStage(scene, stage), 1700);
}

TEST(StageGrowth, ThePlateCountsButRecordsAboveItAndTheCameraDoNot) {
    Scene scene;
    scene.AddModelSlot();
    scene.objects[0].position[1] = 9000.0f;                       // camera
    scene.objects[scene.PlateIndex() + 1].position[1] = 8000.0f;  // unused record
    int32_t stage = 1000;
    EXPECT_EQ(GrowStage(scene, stage), 1000);

    scene.objects[scene.PlateIndex()].position[1] = -2000.5f;
    EXPECT_EQ(GrowStage(scene, stage), 2000);
}

TEST(StageGrowth, ObjectsInsideNeverShrinkTheStage) {
    Scene scene;
    scene.objects[scene.AddModelSlot()].position[0] = 10.0f;
    int32_t stage = 1000;
    EXPECT_EQ(GrowStage(scene, stage), 1000);
    int32_t huge = kLargestStageSize + 5;
    scene.objects[1].position[0] = 1e30f;
    EXPECT_EQ(GrowStage(scene, huge), kLargestStageSize + 5);
}

TEST(StageGrowth, NanAndHugeCoordinatesAreSafe) {
    Scene scene;
    const int model = scene.AddModelSlot();
    scene.objects[model].position[0] = std::numeric_limits<float>::quiet_NaN();
    int32_t stage = 1000;
    EXPECT_EQ(GrowStage(scene, stage), 1000);

    scene.objects[model].position[1] = -std::numeric_limits<float>::infinity();
    EXPECT_EQ(GrowStage(scene, stage), kLargestStageSize);
    scene.objects[model].position[1] = 3e38f;
    stage = 0;
    EXPECT_EQ(GrowStage(scene, stage), kLargestStageSize);
}
