#include "render/StatusTexts.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

namespace {

TEST(StatusTexts, PlatePositionTruncatedTowardZero) {
    Scene scene;
    scene.AddModelSlot();
    float* position = scene.objects[scene.PlateIndex()].position;
    position[0] = 12.9f;
    position[1] = -3.7f;
    position[2] = 12345.5f;
    char text[kStatusTextSize];
    FormatPositionText(scene, text);
    EXPECT_STREQ(text, "PositionX:0012,Y:-003,Z:12345");

    position[0] = NAN;
    position[1] = 1e30f;
    position[2] = -1e30f;
    FormatPositionText(scene, text);
    EXPECT_EQ(std::string(text),
              "PositionX:0000,Y:" + std::to_string(INT_MAX) + ",Z:" + std::to_string(INT_MIN));
}

TEST(StatusTexts, CameraTextShowsTheThirdColumnOfTheCameraRotation) {
    Scene scene;
    char text[kStatusTextSize];
    FormatCameraText(scene, text);
    EXPECT_STREQ(text, "CameraX:+0.00,Y:+0.00,Z:+1.00");
    float* rotation = scene.objects[0].rotation;
    rotation[2] = -0.5f;
    rotation[5] = 0.125f;
    rotation[8] = -1.0f;
    FormatCameraText(scene, text);
    EXPECT_STREQ(text, "CameraX:-0.50,Y:+0.12,Z:-1.00");
    rotation[2] = 3.0e38f;  // a damaged record is cut to the buffer, never overrun
    FormatCameraText(scene, text);
    EXPECT_LT(std::string(text).size(), kStatusTextSize);
}

TEST(StatusTexts, ModelCountAndFacetSumBeyond32Bits) {
    Scene scene;
    char text[kStatusTextSize];
    FormatModelsText(scene, text);
    EXPECT_STREQ(text, "0 models, 0 facets");

    scene.AddModelSlot();
    scene.AddModelSlot();
    scene.objects[1].facetCount = 3000000000;
    scene.objects[2].facetCount = 1500000000;
    scene.objects[scene.PlateIndex()].facetCount = 2;  // the plate is not a model
    EXPECT_EQ(FacetSum(scene), 4500000000);
    FormatModelsText(scene, text);
    EXPECT_STREQ(text, "2 models, 4500000000 facets");

    scene.objects[1].facetCount = INT64_MAX;
    EXPECT_EQ(FacetSum(scene), INT64_MAX);
}

TEST(StatusTexts, TruncateToIntSaturates) {
    EXPECT_EQ(TruncateToInt(-0.9), 0);
    EXPECT_EQ(TruncateToInt(7.99), 7);
    EXPECT_EQ(TruncateToInt(-7.99), -7);
    EXPECT_EQ(TruncateToInt(NAN), 0);
    EXPECT_EQ(TruncateToInt(1e300), INT_MAX);
    EXPECT_EQ(TruncateToInt(-1e300), INT_MIN);
}

}  // namespace
