#include "render/PlateRecord.h"

#include <gtest/gtest.h>

#include <cmath>

#include "render/Material.h"

namespace {

TEST(PlateRecord, ExtentFromTheSettingsInIntegerHalves) {
    Scene scene;
    ProgramSettings settings;
    settings.plateSizeX = 501;
    settings.plateSizeY = 300;
    InitPlateExtent(scene, settings);
    const SceneObject& plate = scene.objects[1];
    EXPECT_EQ(plate.boxMin[0], -250.0f);
    EXPECT_EQ(plate.boxMin[1], 0.0f);
    EXPECT_EQ(plate.boxMin[2], -150.0f);
    EXPECT_EQ(plate.boxMax[0], 250.0f);
    EXPECT_EQ(plate.boxMax[1], 0.0f);
    EXPECT_EQ(plate.boxMax[2], 150.0f);
}

TEST(PlateRecord, FreshPlateMaterialAndTexts) {
    SceneObject plate;
    plate.movable = 0;
    plate.centered = 1;
    plate.centre[1] = 4.0f;
    InitPlateRecord(plate, 1);
    EXPECT_EQ(plate.visible, 1);
    EXPECT_EQ(plate.movable, 1);
    EXPECT_EQ(plate.vertexCount, 4);
    EXPECT_EQ(plate.facetCount, 2);
    EXPECT_EQ(plate.colour[0], 144);
    EXPECT_EQ(plate.colour[1], 160);
    EXPECT_EQ(plate.colour[2], 176);
    EXPECT_EQ(plate.colour[3], 128);
    EXPECT_STREQ(plate.name, "plate");
    EXPECT_STREQ(plate.location, "(internal)");
    EXPECT_EQ(plate.centered, 0);
    EXPECT_EQ(plate.centre[1], 0.0f);
    InitPlateRecord(plate, 0);
    EXPECT_EQ(plate.visible, 0);
}

TEST(Material, ColourTimesFactorIsTruncatedAndKeptInAByte) {
    EXPECT_EQ(ScaledColourByte(128, 0.8f), 102);  // 102.4
    EXPECT_EQ(ScaledColourByte(255, 1.0f), 255);
    EXPECT_EQ(ScaledColourByte(200, 1.5f), 255);  // would wrap to 44 as a byte
    EXPECT_EQ(ScaledColourByte(200, -1.0f), 0);
    EXPECT_EQ(ScaledColourByte(200, NAN), 0);
}

}  // namespace
