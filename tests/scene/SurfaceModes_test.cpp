#include "scene/SurfaceModes.h"

#include <gtest/gtest.h>

#include "import/ModelLoader.h"
#include "scene/SceneObject.h"

namespace {

SceneObject Model(int fileType, int optimized, int surfaceMode) {
    SceneObject object;
    object.fileType = fileType;
    object.optimized = optimized;
    object.surfaceMode = static_cast<int16_t>(surfaceMode);
    return object;
}

TEST(SurfaceModes, AnStlSoupOffersTwoModesAndShowsAtMostFacets) {
    const SceneObject stl = Model(kStlFile, 0, 3);
    const SurfaceOffer offer = OfferedSurfaceModes(stl);
    EXPECT_EQ(offer.itemCount, 2);
    EXPECT_EQ(offer.selected, 1);
    EXPECT_EQ(stl.surfaceMode, 3) << "showing changes nothing";
    EXPECT_EQ(OfferedSurfaceModes(Model(kStlFile, 0, 0)).selected, 0);
}

TEST(SurfaceModes, SharedVerticesOrAP3gSourceOfferAllFour) {
    EXPECT_EQ(OfferedSurfaceModes(Model(kStlFile, 1, 3)).itemCount, 4);
    EXPECT_EQ(OfferedSurfaceModes(Model(kStlFile, 1, 3)).selected, 3);
    EXPECT_EQ(OfferedSurfaceModes(Model(kP3gFile, 0, 2)).itemCount, 4);
    EXPECT_EQ(OfferedSurfaceModes(Model(kP3gFile, 0, 2)).selected, 2);
}

TEST(SurfaceModes, ACtmSoupOffersNormalSurfaceOnlyWithFileNormals) {
    SceneObject ctm = Model(kCtmFile, 0, 3);
    EXPECT_EQ(OfferedSurfaceModes(ctm).itemCount, 2);
    EXPECT_EQ(OfferedSurfaceModes(ctm).selected, 1);
    float normals[3] = {0, 0, 1};
    ctm.normals = normals;
    EXPECT_EQ(OfferedSurfaceModes(ctm).itemCount, 3);
    EXPECT_EQ(OfferedSurfaceModes(ctm).selected, 2);
    ctm.surfaceMode = 0;
    EXPECT_EQ(OfferedSurfaceModes(ctm).selected, 0);
    ctm.normals = nullptr;
}

TEST(SurfaceModes, ThePlateShowsItsModeOnlyWhenListed) {
    EXPECT_EQ(OfferedSurfaceModes(Model(kNoModelFile, 0, 1)).itemCount, 2);
    EXPECT_EQ(OfferedSurfaceModes(Model(kNoModelFile, 0, 1)).selected, 1);
    EXPECT_EQ(OfferedSurfaceModes(Model(kNoModelFile, 0, 3)).selected, -1);
    EXPECT_EQ(ComboRow(-1, 3), -1);
    EXPECT_EQ(ComboRow(2, 3), 2);
}

TEST(SurfaceModes, ImageTextureNeedsABmpOrJpgDataset) {
    EXPECT_EQ(OfferedCapFills("/scan/rec/slice0000.BMP"), 3);
    EXPECT_EQ(OfferedCapFills("/scan/rec/slice0000.jpg"), 3);
    EXPECT_EQ(OfferedCapFills("/scan/rec/slice0000.Jpg"), 3);
    EXPECT_EQ(OfferedCapFills("/scan/rec/slice0000.tif"), 2);
    EXPECT_EQ(OfferedCapFills("/scan/rec/slice0000.jpeg"), 2);
    EXPECT_EQ(OfferedCapFills(""), 2);
    EXPECT_EQ(OfferedCapFills("mp"), 2);
    EXPECT_EQ(OfferedCapFills("bmp"), 3);
}

TEST(SurfaceModes, PlateSizesOfTenOrLessAreRefused) {
    EXPECT_FALSE(PlateSizeAccepted(10, 500));
    EXPECT_FALSE(PlateSizeAccepted(500, 10));
    EXPECT_FALSE(PlateSizeAccepted(0, 0));
    EXPECT_TRUE(PlateSizeAccepted(11, 11));

    SceneObject plate;
    plate.boxMin[1] = 3;
    SetPlateSize(plate, 11, 400);
    EXPECT_EQ(plate.boxMin[0], -5.5f);
    EXPECT_EQ(plate.boxMax[0], 5.5f);
    EXPECT_EQ(plate.boxMin[1], 0.0f);
    EXPECT_EQ(plate.boxMax[1], 0.0f);
    EXPECT_EQ(plate.boxMin[2], -200.0f);
    EXPECT_EQ(plate.boxMax[2], 200.0f);
    unsigned sizeX = 0;
    unsigned sizeY = 0;
    PlateSizeOf(plate, sizeX, sizeY);
    EXPECT_EQ(sizeX, 11u) << "the typed size comes back";
    EXPECT_EQ(sizeY, 400u);
}

TEST(SurfaceModes, DefaultPlateIsHalfTheStage) {
    SceneObject plate;
    EXPECT_EQ(SetDefaultPlateSize(plate, 1000), 500u);
    EXPECT_EQ(plate.boxMin[0], -250.0f);
    EXPECT_EQ(plate.boxMax[0], 250.0f);
    EXPECT_EQ(plate.boxMin[2], -250.0f);
    EXPECT_EQ(plate.boxMax[2], 250.0f);
    EXPECT_EQ(SetDefaultPlateSize(plate, 1003), 500u) << "integer quarter";
    EXPECT_EQ(SetDefaultPlateSize(plate, -8), 0u);
}

TEST(SurfaceModes, UnreadablePlateExtentsShowAsZero) {
    SceneObject plate;
    plate.boxMin[0] = 10;
    plate.boxMax[0] = -10;
    plate.boxMin[2] = -2.9f;
    plate.boxMax[2] = 0.0f;
    unsigned sizeX = 1;
    unsigned sizeY = 1;
    PlateSizeOf(plate, sizeX, sizeY);
    EXPECT_EQ(sizeX, 0u);
    EXPECT_EQ(sizeY, 2u) << "truncated toward zero";
    plate.boxMax[0] = 1e20f;
    PlateSizeOf(plate, sizeX, sizeY);
    EXPECT_EQ(sizeX, 0u);
}

}  // namespace
