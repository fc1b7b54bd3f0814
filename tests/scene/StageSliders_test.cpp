#include "scene/StageSliders.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

TEST(StageSliders, ViewingAngleOf70ShowsAt37AndComesBackAs69) {
    EXPECT_EQ(ViewAngleSlider(70), 37);
    EXPECT_EQ(ViewAngleFromSlider(37), 69);
    EXPECT_EQ(ViewAngleSlider(10), 0);
    EXPECT_EQ(ViewAngleSlider(170), 100);
    EXPECT_EQ(ViewAngleFromSlider(0), 10);
    EXPECT_EQ(ViewAngleFromSlider(100), 170);
}

TEST(StageSliders, ViewingAnglesOutsideTheRangeShowAtTheEnds) {
    EXPECT_EQ(ViewAngleSlider(5), 0);
    EXPECT_EQ(ViewAngleSlider(-1000), 0);
    EXPECT_EQ(ViewAngleSlider(400), 100);
    EXPECT_EQ(ViewAngleSlider(std::numeric_limits<int32_t>::max()), 100);
    EXPECT_EQ(ViewAngleSlider(std::numeric_limits<int32_t>::min()), 0);
}

TEST(StageSliders, StereoSliderMapsFiveStepsToOneDegree) {
    EXPECT_EQ(StereoAngleFromSlider(0), -10);
    EXPECT_EQ(StereoAngleFromSlider(100), 10);
    for (int position = 50; position <= 54; ++position)
        EXPECT_EQ(StereoAngleFromSlider(position), 0) << position;
    EXPECT_EQ(StereoAngleFromSlider(55), 1);
    EXPECT_EQ(StereoAngleFromSlider(49), -1);
    EXPECT_EQ(StereoAngleSlider(-4), 30);
    EXPECT_EQ(StereoAngleFromSlider(30), -4);
    EXPECT_EQ(StereoAngleSlider(-11), 0);
    EXPECT_EQ(StereoAngleSlider(std::numeric_limits<int32_t>::max()), 100);
}

TEST(StageSliders, FogSliderIsTheIntensityWithinTheSlider) {
    EXPECT_EQ(FogSlider(20), 20);
    EXPECT_EQ(FogSlider(0), 0);
    EXPECT_EQ(FogSlider(-5), 0);
    EXPECT_EQ(FogSlider(250), 100);
}

TEST(StageSliders, TextsBesideTheSliders) {
    EXPECT_EQ(ViewAngleText(69), "69 deg");
    EXPECT_EQ(StereoAngleText(-10), "-10deg");
    EXPECT_EQ(StereoAngleText(0), "0deg");
    EXPECT_EQ(StereoAngleText(10), "10deg");
    EXPECT_EQ(FogText(0), "0%");
    EXPECT_EQ(FogText(35), "35%");
}

TEST(StageSliders, CubeSizeIsKeptWithin0To50000) {
    EXPECT_EQ(ClampCubeSize(70000), 50000);
    EXPECT_EQ(ClampCubeSize(50000), 50000);
    EXPECT_EQ(ClampCubeSize(1234), 1234);
    EXPECT_EQ(ClampCubeSize(0), 0);
    EXPECT_EQ(ClampCubeSize(-1), 0);
    EXPECT_EQ(ClampCubeSize(std::numeric_limits<int64_t>::min()), 0);
}
