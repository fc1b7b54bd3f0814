#include "render/CapTexture.h"

#include <gtest/gtest.h>

#include <vector>

#include "geometry/CutByPlate.h"
#include "import/ModelFileBytes.h"
#include "render/GLSceneGraphics.h"
#include "support/BmpSliceBytes.h"
#include "support/ScriptedServices.h"
#include "tests/geometry/TestMeshes.h"
#include "tests/render/ViewHarness.h"

namespace {

struct CapTextureTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(h.ready); }
    // The texture's level 0 as RGB rows, row 0 first.
    std::vector<uint8_t> TextureImage(GLuint name, int width, int height) {
        std::vector<uint8_t> image(static_cast<size_t>(width) * height * 3);
        h.view->makeCurrent();
        glBindTexture(GL_TEXTURE_2D, name);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, image.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        h.view->doneCurrent();
        return image;
    }

    ViewHarness h;
};

TEST_F(CapTextureTest, ImagesArePaddedToPowerOfTwoTexturesInTheLowerLeftCorner) {
    EXPECT_EQ(CapTextureSide(0), 2);
    EXPECT_EQ(CapTextureSide(1), 2);
    EXPECT_EQ(CapTextureSide(3), 4);
    EXPECT_EQ(CapTextureSide(100), 128);
    EXPECT_EQ(CapTextureSide(128), 128);

    CutCap cap;
    cap.textureWidth = 100;
    cap.textureHeight = 3;
    cap.pixels = new uint8_t[100 * 3 * 3];
    for (int i = 0; i < 100 * 3 * 3; ++i)
        cap.pixels[i] = static_cast<uint8_t>(i % 251);
    h.view->makeCurrent();
    const CapTextureFactors factors = UploadCapTexture(cap);
    const GLuint first = cap.textureName;
    h.view->doneCurrent();
    EXPECT_FLOAT_EQ(factors.s, 1.28f);
    EXPECT_FLOAT_EQ(factors.t, 4.0f / 3.0f);
    ASSERT_NE(first, 0u);
    const std::vector<uint8_t> texture = TextureImage(first, 128, 4);
    for (int row = 0; row < 3; ++row)
        EXPECT_TRUE(
            std::equal(cap.pixels + row * 300, cap.pixels + row * 300 + 300, texture.begin() + row * 384))
            << "row " << row;

    // Uploading again replaces the texture; a cap without pixels gets none.
    h.view->makeCurrent();
    UploadCapTexture(cap);
    EXPECT_EQ(glIsTexture(first), GL_FALSE);
    delete[] cap.pixels;
    cap.pixels = nullptr;
    const CapTextureFactors none = UploadCapTexture(cap);
    EXPECT_EQ(cap.textureName, 0u);
    h.view->doneCurrent();
    EXPECT_EQ(none.s, 1.0f);
    EXPECT_EQ(none.t, 1.0f);
}

TEST_F(CapTextureTest, ACutWithImageTextureShowsTheDatasetSectionOnTheCap) {
    // Slice 0 of a 4 x 4 dataset (column = x + 2, stored row = y + 2) has nine colours where the
    // cube [-1, 1]^3 crosses it; slice 1 is all white and must not show.
    ScratchDirectory directory;
    BmpSlice section;
    section.width = section.height = 4;
    section.index = [](int column, int row) { return uint8_t(1 + column + 4 * row); };
    section.colour = [](int i) {
        return std::array<uint8_t, 3>{uint8_t(i * 15), uint8_t(255 - i * 15), uint8_t(i * 7)};
    };
    const std::string first = directory.Write("cube_0000.bmp", BmpSliceBytes(section));
    BmpSlice white = section;
    white.colour = [](int) { return std::array<uint8_t, 3>{255, 255, 255}; };
    directory.Write("cube_0001.bmp", BmpSliceBytes(white));

    ScriptedMessageBoxes messages;
    GLSceneGraphics graphics(*h.view, {}, &h.scene, &messages);
    const int index = h.scene.AddModelSlot();
    SceneObject& cube = h.scene.objects[index];
    TestMesh box = LatticeBox(2, -1, -1, -1);
    cube.mesh = new Poly3gon(box.vertices.size() / 3, box.facets.size() / 3);
    std::copy(box.vertices.begin(), box.vertices.end(), cube.mesh->vertices);
    std::copy(box.facets.begin(), box.facets.end(), cube.mesh->facets);
    cube.scale = 100.0f;
    cube.visible = 1;
    cube.surfaceMode = 1;
    cube.capFill = 2;
    cube.topCut = 1;  // keep the far half: its cap faces the camera
    SetRecordText(cube.datasetPath, first.c_str());
    // The plate's y axis towards the camera: the cap lies in the world's z = 0 plane, dataset slice 0.
    SceneObject& plate = h.scene.objects[h.scene.PlateIndex()];
    const float upright[9] = {1, 0, 0, 0, 0, -1, 0, 1, 0};
    std::copy_n(upright, 9, plate.rotation);

    ASSERT_EQ(CutByPlate(h.scene, index, graphics), 1);
    ASSERT_EQ(graphics.BuildSurfaceLists(index), 1);
    const CutCap* cap = cube.caps;
    ASSERT_NE(cap, nullptr);
    EXPECT_EQ(cap->textureWidth, 200);
    EXPECT_EQ(cap->textureHeight, 200);
    EXPECT_NE(cap->textureName, 0u);
    EXPECT_TRUE(messages.shown.empty());

    // The cube spans about 20 pixels at the view's centre: each third of it along x and y shows one
    // pixel of slice 0, higher rows of the slice higher up, unlit.
    const BgrImage image = h.view->ReadPixels();
    const int xs[3] = {25, 32, 37}, ys[3] = {39, 33, 27};
    for (int row = 1; row <= 3; ++row) {
        for (int column = 1; column <= 3; ++column) {
            const int entry = 1 + column + 4 * row;
            EXPECT_EQ(ViewHarness::Rgb(image, xs[column - 1], ys[row - 1]),
                      (std::array<int, 3>{entry * 15, 255 - entry * 15, entry * 7}))
                << "slice column " << column << ", row " << row;
        }
    }
}

}  // namespace
