// The stage's background cubes, rendered for real (Mesa under Xvfb) and read back.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "render/GlyphLists.h"
#include "render/ImageCube.h"
#include "render/LoadPicture.h"
#include "tests/render/ViewHarness.h"

namespace {

constexpr int kCentre = kViewSize / 2;
const std::array<int, 3> kStageColour{0, 0, 64};  // the default "StageColor"

void ExpectRgbNear(const std::array<int, 3>& actual, const std::array<int, 3>& expected, int tolerance) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}

// Nothing the frames so far did was refused by GL.
void ExpectNoGLError(ViewHarness& h) {
    h.view->makeCurrent();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    h.view->doneCurrent();
}

std::array<int, 3> CentreAfterTurn(ViewHarness& h, float degrees, bool aboutX) {
    TurnController(h.scene.controllers[0], degrees, aboutX);
    return ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre);
}

// The stage has no normals of its own and takes the lighting of the current normal. A light that
// shines against that normal leaves only the ambient part (0.2 of the scene plus 0.8 of the light),
// so each face shows exactly its own shade of the cube colour.
void LightAgainstTheStage(ViewHarness& h) {
    h.view->ReadPixels();  // the light is given under the camera of the last frame
    h.scene.state.lightPosition[0] = 0.0f;
    h.scene.state.lightPosition[1] = 0.0f;
    h.scene.state.lightPosition[2] = -1.0f;
    h.view->ApplyLight();
}

// The centre of the view after turning the camera, with the light against the stage.
std::array<int, 3> ColourCubeFace(ViewHarness& h, float degrees, bool aboutX) {
    TurnController(h.scene.controllers[0], degrees, aboutX);
    LightAgainstTheStage(h);
    return ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre);
}

// Six uniform pictures of distinct colours, one per face, as `prefix` + face file name in `folder`.
const std::array<QRgb, kCubeFaceCount> kFaceColours = {
    qRgb(200, 30, 30),  qRgb(30, 200, 30),  qRgb(30, 30, 200),  // front, left, right
    qRgb(200, 200, 30), qRgb(30, 200, 200), qRgb(200, 30, 200)  // top, bottom, back
};

void WriteFacePictures(const QString& folder, const QString& prefix) {
    QDir().mkpath(folder);
    for (int face = 0; face < kCubeFaceCount; ++face) {
        QImage picture(8, 8, QImage::Format_RGB32);
        picture.fill(kFaceColours[face]);
        ASSERT_TRUE(picture.save(folder + "/" + prefix + QLatin1String(kCubeFaceFiles[face]), "BMP"));
    }
}

std::array<int, 3> Channels(QRgb colour) {
    return {qRed(colour), qGreen(colour), qBlue(colour)};
}

}  // namespace

TEST(StageBackground, ColourCubeFacesShowTheirShadesOfTheCubeColour) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.settings.bgMode = 1;
    h.view->BuildColourCube();
    ASSERT_NE(h.display.backgroundList, 0u);

    // Default cube colour red 50, green 150, blue 140.
    const std::array<int, 3> frontAndBack{35, 105, 98};
    ExpectRgbNear(ColourCubeFace(h, 0.0f, false), frontAndBack, 2);
    ExpectRgbNear(ColourCubeFace(h, 180.0f, false), frontAndBack, 2);
    ExpectRgbNear(ColourCubeFace(h, 90.0f, false), {38, 98, 98}, 2);   // left: 0.5r + 0.05, 0.65g, 0.7b
    ExpectRgbNear(ColourCubeFace(h, -90.0f, false), {35, 88, 91}, 2);  // right: 0.7r, 0.5g + 0.05, 0.65b
    ExpectRgbNear(ColourCubeFace(h, 90.0f, true), {40, 120, 112}, 2);  // top: 0.8
    ExpectRgbNear(ColourCubeFace(h, -90.0f, true), {30, 90, 84}, 2);   // bottom: 0.6

    // Another colour is taken at the next build.
    h.settings.cubeColor = 0x00FF0000;  // blue
    h.view->BuildColourCube();
    ExpectRgbNear(ColourCubeFace(h, 0.0f, false), {0, 0, 178}, 2);
}

TEST(StageBackground, BuildingACubeGrowsTheStageToTheObjects) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int model = h.AddSquare(10.0f, 255);
    h.scene.objects[model].position[0] = 1500.0f;
    h.view->BuildColourCube();
    EXPECT_EQ(h.settings.stageSize, 1500);

    h.scene.objects[model].position[1] = -2500.7f;
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.stageSize, 2500);
}

TEST(StageBackground, ImageCubeShowsThePicturesOfTheTextureFolder) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFacePictures(dir.path(), "");

    // A folder prefix ending in "/", taken as it is when absolute.
    h.view->SetProgramDirectory("/nonexistent");
    h.settings.texture = dir.path().toStdString() + "/";
    h.settings.bgMode = 2;
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 2);
    ExpectRgbNear(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), Channels(kFaceColours[0]), 1);
    ExpectRgbNear(CentreAfterTurn(h, 180.0f, false), Channels(kFaceColours[5]), 1);  // back
    ExpectRgbNear(CentreAfterTurn(h, 90.0f, true), Channels(kFaceColours[3]), 1);    // top

    // A relative file-name prefix lies under the program directory; a trailing backslash is a
    // folder separator.
    TurnController(h.scene.controllers[0], 0.0f, false);
    WriteFacePictures(dir.path() + "/sub", "sky_");
    h.view->SetProgramDirectory(dir.path().toStdString());
    h.settings.texture = "sub/sky_";
    QImage red(4, 4, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    ASSERT_TRUE(red.save(dir.path() + "/sub/sky_front.bmp", "BMP"));
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 2);
    ExpectRgbNear(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), {255, 0, 0}, 1);

    WriteFacePictures(dir.path() + "/win", "");
    h.settings.texture = "win\\";
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 2);
    ExpectRgbNear(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), Channels(kFaceColours[0]), 1);
}

TEST(StageBackground, AMissingOrBrokenPictureFallsBackToFillByColour) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    WriteFacePictures(dir.path(), "");
    ASSERT_TRUE(QFile::remove(dir.path() + "/back.bmp"));
    h.settings.texture = dir.path().toStdString() + "/";
    h.settings.bgMode = 2;
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 0);
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), kStageColour);

    // Bytes that are no picture count as missing.
    QFile broken(dir.path() + "/back.bmp");
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("BM\x10\x00\x00\x00not a bitmap", 18);
    broken.close();
    h.settings.bgMode = 2;
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 0);
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), kStageColour);
}

TEST(StageBackground, BuiltInFacesServeWhenNoTextureIsSet) {
    const std::optional<CubeFacePictures> faces = LoadCubeFacePictures("/nonexistent", "");
    ASSERT_TRUE(faces.has_value());
    for (const BgrImage& face : *faces) {
        EXPECT_EQ(face.width, 256);
        EXPECT_EQ(face.height, 256);
    }

    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.settings.texture.clear();
    h.settings.bgMode = 2;
    h.view->LoadImageCube();
    EXPECT_EQ(h.settings.bgMode, 2);
    // A blue-grey wall, nothing like the fill colour.
    const std::array<int, 3> wall = ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre);
    EXPECT_NE(wall, kStageColour);
    EXPECT_GT(wall[2], wall[0]);
    EXPECT_GT(wall[0], 20);
    ExpectNoGLError(h);
}

TEST(StageBackground, StartUpBuildsTheCubeOfTheBackgroundMode) {
    // Fill mode prepares the image cube too, so that switching to it needs no rebuild.
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    EXPECT_NE(h.display.backgroundList, 0u);
    EXPECT_NE(h.display.axesList, 0u);
    h.view->makeCurrent();
    EXPECT_EQ(glIsList(kGlyphListBase), GL_TRUE);
    EXPECT_EQ(glIsList(kGlyphListBase + kGlyphCount - 1), GL_TRUE);
    h.view->doneCurrent();
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), kStageColour);
    h.settings.bgMode = 2;
    EXPECT_NE(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), kStageColour);

    // A texture folder without pictures leaves the colour cube mode alone: it is not looked at.
    h.settings.bgMode = 1;
    h.settings.texture = "/nonexistent/";
    h.view->InitGLState();
    EXPECT_EQ(h.settings.bgMode, 1);
    h.settings.bgMode = 2;
    h.view->InitGLState();
    EXPECT_EQ(h.settings.bgMode, 0);
    ExpectNoGLError(h);
}

TEST(LoadPicture, DecodesIntoBottomUpBgrRowsPaddedToFourBytes) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QImage picture(3, 2, QImage::Format_RGB32);
    picture.setPixel(0, 0, qRgb(1, 2, 3));  // top row
    picture.setPixel(1, 0, qRgb(4, 5, 6));
    picture.setPixel(2, 0, qRgb(7, 8, 9));
    picture.setPixel(0, 1, qRgb(10, 11, 12));  // bottom row
    picture.setPixel(1, 1, qRgb(13, 14, 15));
    picture.setPixel(2, 1, qRgb(16, 17, 18));
    const std::vector<uint8_t> expected = {12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0,
                                           3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0};

    for (const char* format : {"BMP", "PNG"}) {
        const QString path = dir.path() + "/p." + QString::fromLatin1(format).toLower();
        ASSERT_TRUE(picture.save(path, format));
        const std::optional<BgrImage> loaded = LoadPicture(path.toStdString());
        ASSERT_TRUE(loaded.has_value()) << format;
        EXPECT_EQ(loaded->width, 3);
        EXPECT_EQ(loaded->height, 2);
        EXPECT_EQ(loaded->bytes, expected) << format;
    }

    // Palette pictures are converted pixel by pixel.
    QImage indexed(2, 1, QImage::Format_Indexed8);
    indexed.setColorCount(2);
    indexed.setColor(0, qRgb(200, 100, 50));
    indexed.setColor(1, qRgb(1, 2, 3));
    indexed.setPixel(0, 0, 1);
    indexed.setPixel(1, 0, 0);
    ASSERT_TRUE(indexed.save(dir.path() + "/i.bmp", "BMP"));
    const std::optional<BgrImage> palette = LoadPicture((dir.path() + "/i.bmp").toStdString());
    ASSERT_TRUE(palette.has_value());
    EXPECT_EQ(palette->bytes, (std::vector<uint8_t>{3, 2, 1, 50, 100, 200, 0, 0}));

    EXPECT_FALSE(LoadPicture((dir.path() + "/missing.bmp").toStdString()).has_value());
    QFile garbage(dir.path() + "/garbage.bmp");
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("BM not a picture at all");
    garbage.close();
    EXPECT_FALSE(LoadPicture((dir.path() + "/garbage.bmp").toStdString()).has_value());
    EXPECT_FALSE(PictureFromImage(QImage()).has_value());
}
