// Renders for real (Mesa under Xvfb) and checks read-back pixels and the view's bookkeeping.
#include "render/CPexoraView.h"

#include <QColor>
#include <QCoreApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>
#include <vector>

#include "scene/CutCap.h"
#include "tests/render/ViewHarness.h"

namespace {

constexpr int kCentre = kViewSize / 2;

// Nothing the frames so far did was refused by GL.
void ExpectNoGLError(ViewHarness& h) {
    h.view->makeCurrent();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    h.view->doneCurrent();
}

// Channel values within `tolerance` of the expected ones.
void ExpectRgbNear(const std::array<int, 3>& actual, const std::array<int, 3>& expected, int tolerance) {
    for (int c = 0; c < 3; ++c)
        EXPECT_NEAR(actual[c], expected[c], tolerance) << "channel " << c;
}

TEST(CPexoraView, ClearsToTheStageColourInFillMode) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    BgrImage image = h.view->ReadPixels();
    ASSERT_EQ(image.width, kViewSize);
    ASSERT_EQ(image.height, kViewSize);
    for (int y : {0, kCentre, kViewSize - 1}) {
        for (int x : {0, kCentre, kViewSize - 1})
            EXPECT_EQ(ViewHarness::Rgb(image, x, y), (std::array<int, 3>{0, 0, 64}));
    }

    // The widget's own paint draws the same frame.
    EXPECT_EQ(h.view->grabFramebuffer().pixelColor(kCentre, kCentre), QColor(0, 0, 64));

    h.settings.stageColor = 0x00204080;  // 0x00BBGGRR
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), 5, 5), (std::array<int, 3>{0x80, 0x40, 0x20}));

    // The cube modes leave the clear colour as it was; without a cube list nothing covers it.
    h.view->makeCurrent();
    glDeleteLists(h.display.backgroundList, 1);  // the cube prepared at start
    h.view->doneCurrent();
    h.display.backgroundList = 0;
    h.settings.stageColor = 0x000000FF;
    h.settings.bgMode = 1;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), 5, 5), (std::array<int, 3>{0x80, 0x40, 0x20}));
}

TEST(CPexoraView, ReadingTheShownFrameDoesNotDrawAgain) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.settings.stageColor = 0x00204080;  // 0x00BBGGRR
    h.PaintNow();
    h.settings.stageColor = 0x000000FF;  // not painted yet
    BgrImage shown = h.view->ReadShownPixels();
    ASSERT_EQ(shown.width, kViewSize);
    ASSERT_EQ(shown.height, kViewSize);
    EXPECT_EQ(ViewHarness::Rgb(shown, 5, 5), (std::array<int, 3>{0x80, 0x40, 0x20}));
    EXPECT_EQ(ViewHarness::Rgb(shown, kViewSize - 1, kViewSize - 1), (std::array<int, 3>{0x80, 0x40, 0x20}));
    // Reading with a fresh draw sees the change, and the frame it drew is then the one shown.
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), 5, 5), (std::array<int, 3>{0xFF, 0, 0}));
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadShownPixels(), 5, 5), (std::array<int, 3>{0xFF, 0, 0}));
}

TEST(CPexoraView, StereoPutsTheLeftEyeInRedAndTheRightEyeInCyan) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    // A narrow white strip in front of the stage centre: turning the eyes shifts it sideways.
    const int strip = h.AddSquare(20.0f, 255);
    h.scene.objects[strip].position[2] = 300.0f;
    h.display.stereo = 1;
    h.settings.stereoAngle = -20;  // red eye turned by +10 degrees, cyan by -10

    BgrImage image = h.view->ReadPixels();
    // Red eye: the strip lands right of centre, drawn into red only over the cyan eye's background.
    EXPECT_EQ(ViewHarness::Rgb(image, 40, kCentre), (std::array<int, 3>{255, 0, 64}));
    // Cyan eye: left of centre, green and blue only.
    EXPECT_EQ(ViewHarness::Rgb(image, 24, kCentre), (std::array<int, 3>{0, 255, 255}));
    EXPECT_EQ(ViewHarness::Rgb(image, 2, 2), (std::array<int, 3>{0, 0, 64}));

    // Without stereo the strip is white in the middle and nowhere near those columns.
    h.display.stereo = 0;
    image = h.view->ReadPixels();
    EXPECT_EQ(ViewHarness::Rgb(image, kCentre, kCentre), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(ViewHarness::Rgb(image, 40, kCentre), (std::array<int, 3>{0, 0, 64}));
    EXPECT_EQ(ViewHarness::Rgb(image, 24, kCentre), (std::array<int, 3>{0, 0, 64}));
    ExpectNoGLError(h);
}

TEST(CPexoraView, FogPullsObjectsTowardTheFogColour) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int white = h.AddSquare(100.0f, 255);
    const int black = h.AddSquare(100.0f, 0, 0.0f);
    h.scene.objects[white].position[0] = -110.0f;
    h.scene.objects[black].position[0] = 110.0f;
    constexpr int kWhiteX = kCentre - 8, kBlackX = kCentre + 8;

    BgrImage clear = h.view->ReadPixels();
    EXPECT_EQ(ViewHarness::Rgb(clear, kWhiteX, kCentre), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(ViewHarness::Rgb(clear, kBlackX, kCentre), (std::array<int, 3>{0, 0, 0}));

    // Exponential fog, density 200e-5, over the eye distance 600 of the stage centre plane:
    // f = exp(-1.2) of the object's colour, the rest fog grey 0.8.
    h.display.fogOn = 1;
    h.scene.state.fogIntensity = 200;
    const double f = std::exp(-0.002 * 600.0);
    const int fogWhite = static_cast<int>(std::lround(255 * f + 204 * (1 - f)));
    const int fogBlack = static_cast<int>(std::lround(204 * (1 - f)));
    BgrImage fogged = h.view->ReadPixels();
    ExpectRgbNear(ViewHarness::Rgb(fogged, kWhiteX, kCentre), {fogWhite, fogWhite, fogWhite}, 3);
    ExpectRgbNear(ViewHarness::Rgb(fogged, kBlackX, kCentre), {fogBlack, fogBlack, fogBlack}, 3);
    EXPECT_EQ(ViewHarness::Rgb(fogged, 2, 2),
              (std::array<int, 3>{0, 0, 64}));  // the clear colour is not fogged

    h.scene.state.fogIntensity = 0;  // no fog at intensity 0 even when switched on
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kWhiteX, kCentre), (std::array<int, 3>{255, 255, 255}));

    h.display.fogOn = 0;  // a playing flight always fogs
    h.scene.state.fogIntensity = 200;
    h.display.playing = 1;
    ExpectRgbNear(ViewHarness::Rgb(h.view->ReadPixels(), kBlackX, kCentre), {fogBlack, fogBlack, fogBlack},
                  3);
}

TEST(CPexoraView, CameraTurnShowsTheTransparentPlateBlendedOverTheBackground) {
    ViewHarness h(1);
    ASSERT_TRUE(h.ready);
    const std::array<int, 3> background{0, 0, 64};
    // Seen from just above its plane, the plate is a thin band below the centre.
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, 20), background);

    TurnController(h.scene.controllers[0], 90.0f, true);  // now the plate faces the viewer
    SceneObject& plate = h.scene.objects[h.scene.PlateIndex()];
    plate.colour[3] = 64;
    const std::array<int, 3> transparent = ViewHarness::Rgb(h.view->ReadPixels(), kCentre, 20);
    plate.colour[3] = 255;
    const std::array<int, 3> opaque = ViewHarness::Rgb(h.view->ReadPixels(), kCentre, 20);
    EXPECT_NE(opaque, background);

    // Two blended passes, each over both faces of the slab (the nearer face comes second in the
    // list, so depth never stops it): four layers of opacity 64/255 over the background.
    const double keep = std::pow(1.0 - 64.0 / 255.0, 4);
    for (int c = 0; c < 3; ++c) {
        EXPECT_NEAR(transparent[c], opaque[c] + keep * (background[c] - opaque[c]), 2.0) << "channel " << c;
    }
    EXPECT_GT(opaque[0] - transparent[0], 30);

    h.scene.objects[h.scene.PlateIndex()].visible = 0;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, 20), background);
}

TEST(CPexoraView, ObjectPassModes) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int square = h.AddSquare(200.0f, 255);
    SceneObject& record = h.scene.objects[square];
    const std::array<int, 3> background{0, 0, 64}, white{255, 255, 255};
    h.view->SetDrawBoundingBoxes(1);
    h.view->SetMoving(1);
    // All opaque: dragging still draws the full model.
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), white);

    // Transparent while dragging with "DrawBoundingBoxes": only the box outline.
    record.colour[3] = 200;
    record.boxMin[0] = record.boxMin[1] = -200.0f;
    record.boxMax[0] = record.boxMax[1] = 200.0f;
    BgrImage boxes = h.view->ReadPixels();
    EXPECT_EQ(ViewHarness::Rgb(boxes, kCentre, kCentre), background);
    int outlined = 0;
    for (int x = 0; x < kViewSize; ++x)
        outlined += ViewHarness::Rgb(boxes, x, kCentre) != background;
    EXPECT_GE(outlined, 2);  // the two vertical edges cross the middle row

    h.view->SetMoving(0);
    EXPECT_NE(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), background);

    // Wire model: lines only, the middle stays empty.
    record.colour[3] = 255;
    record.surfaceMode = 0;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), background);
    record.surfaceMode = 2;

    // Not drawn: opacity 0, no geometry, a list name that does not exist.
    record.colour[3] = 0;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), background);
    record.colour[3] = 255;
    record.vertexCount = 0;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), background);
    record.vertexCount = 4;
    record.listBase += 1000;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre), background);
    ExpectNoGLError(h);
}

TEST(CPexoraView, CutCapsDrawnWithTheirOwnFill) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    const int model = h.AddSquare(1.0f, 255);  // the object's own surface covers hardly a pixel
    auto* cap = new CutCap;                    // freed with the scene
    cap->displayList = h.CompileSquare(200.0f);
    cap->fill = 0;
    cap->fillColour[0] = 255;
    cap->fillDiffuse = 1.0f;
    cap->fillEmission = 1.0f;
    h.scene.objects[model].caps = cap;
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre - 8, kCentre), (std::array<int, 3>{255, 0, 0}));

    cap->fill = 2;  // a textured cap keeps the object's material
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre - 8, kCentre),
              (std::array<int, 3>{255, 255, 255}));

    cap->displayList += 1000;  // a cap without a list is skipped
    EXPECT_EQ(ViewHarness::Rgb(h.view->ReadPixels(), kCentre - 8, kCentre), (std::array<int, 3>{0, 0, 64}));
}

TEST(CPexoraView, ScreenImageKeepsTheBackgroundWhilePlaying) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    h.AddSquare(200.0f, 255);
    ASSERT_EQ(h.display.screenImage.size(), BgrStride(kViewSize) * kViewSize);
    h.display.playing = 1;
    BgrImage image = h.view->ReadPixels();
    EXPECT_GT(ViewHarness::Rgb(image, kCentre, kCentre)[0], 200);  // the object is on screen
    BgrImage background{kViewSize, kViewSize, h.display.screenImage};
    EXPECT_EQ(ViewHarness::Rgb(background, kCentre, kCentre), (std::array<int, 3>{0, 0, 64}));

    h.display.stereo = 1;  // stereo eyes leave it black
    h.view->ReadPixels();
    EXPECT_EQ(h.display.screenImage, std::vector<uint8_t>(h.display.screenImage.size(), 0));
    ExpectNoGLError(h);
}

TEST(CPexoraView, StatusTextsAndOrientationCopies) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    std::string texts[4];
    h.view->SetStatusTextSink([&texts](int pane, const char* text) { texts[pane] = text; });
    const int model = h.AddSquare(10.0f, 255);
    h.scene.objects[model].facetCount = 3000000000;
    h.scene.objects[h.scene.PlateIndex()].position[0] = -12.5f;
    h.view->ReadPixels();
    EXPECT_EQ(texts[1], "PositionX:-012,Y:0000,Z:0000");
    EXPECT_EQ(texts[2], "CameraX:+0.00,Y:+0.00,Z:+1.00");
    EXPECT_EQ(texts[3], "1 models, 3000000000 facets");

    TurnController(h.scene.controllers[0], 180.0f, false);
    TurnController(h.scene.controllers[model], 90.0f, true);
    h.display.playing = 1;  // a playing flight keeps the records' orientations
    h.view->ReadPixels();
    EXPECT_EQ(texts[2], "CameraX:+0.00,Y:+0.00,Z:+1.00");
    EXPECT_EQ(h.scene.objects[model].quaternion[0], 1.0f);

    h.display.playing = 0;
    h.view->ReadPixels();
    EXPECT_EQ(texts[2], "CameraX:+0.00,Y:+0.00,Z:-1.00");
    EXPECT_FLOAT_EQ(h.scene.objects[model].quaternion[1], std::sin(0.25f * 3.14159265f));
    EXPECT_NEAR(h.scene.objects[model].rotation[5], 1.0f, 1e-6);  // element (1,2) = matrix (2,1)
}

TEST(CPexoraView, ApplyLightUsesTheLastFrameCameraTransform) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    // Grey 100 without emission: ambient alone gives 100, light from the viewer adds 0.8 x 100.
    h.AddSquare(200.0f, 100, 0.0f);
    h.scene.state.lightPosition[0] = 0.0f;
    h.scene.state.lightPosition[1] = 0.0f;
    h.scene.state.lightPosition[2] = 1.0f;
    h.view->ReadPixels();
    h.view->ApplyLight();
    const int front = ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre)[0];
    EXPECT_NEAR(front, 180, 2);

    // Given while the camera looked from behind, the same light stays behind the viewer's scene.
    TurnController(h.scene.controllers[0], 180.0f, false);
    h.view->ReadPixels();
    h.view->makeCurrent();  // whatever happens to the matrix between frames does not matter
    glLoadIdentity();
    h.view->doneCurrent();
    h.view->ApplyLight();
    TurnController(h.scene.controllers[0], 0.0f, false);
    EXPECT_NEAR(ViewHarness::Rgb(h.view->ReadPixels(), kCentre, kCentre)[0], 100, 2);
}

TEST(CPexoraView, PlateListOnFirstInitialisationLeavesTheRecordAlone) {
    ViewHarness h(1);
    ASSERT_TRUE(h.ready);
    SceneObject& plate = h.scene.objects[1];
    EXPECT_STREQ(plate.name, "plate");
    EXPECT_EQ(plate.visible, 1);
    EXPECT_EQ(plate.boxMax[0], 250.0f);
    ASSERT_NE(plate.listBase, 0u);
    // Initialising again (as for a new context) with no model loaded keeps what the user set.
    plate.colour[1] = 9;
    h.view->InitGLState();
    EXPECT_EQ(plate.colour[1], 9);
    h.view->makeCurrent();
    EXPECT_EQ(glIsList(plate.listBase), GL_TRUE);
    h.view->doneCurrent();

    // Later builds only replace the list; the record keeps what the user set.
    plate.colour[0] = 7;
    plate.visible = 0;
    EXPECT_EQ(h.view->BuildPlateList(), 1);
    EXPECT_EQ(plate.colour[0], 7);
    EXPECT_EQ(plate.visible, 0);
    h.view->makeCurrent();
    EXPECT_EQ(glIsList(plate.listBase), GL_TRUE);
    h.view->doneCurrent();

    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    CPexoraView unshown(scene, settings, display, 5, 0);
    EXPECT_EQ(unshown.BuildPlateList(), 0);  // no context yet: nothing built
    EXPECT_EQ(scene.objects[1].listBase, 0u);
    EXPECT_TRUE(unshown.ReadPixels().bytes.empty());
    unshown.ApplyLight();
    unshown.InitGLState();
}

TEST(CPexoraView, ResizeSetsAspectViewSizeAndScreenImage) {
    ViewHarness h;
    ASSERT_TRUE(h.ready);
    EXPECT_EQ(h.scene.state.aspect, 1.0f);
    EXPECT_EQ(h.display.viewWidth, kViewSize);

    h.view->Resize(63, 10);
    EXPECT_FLOAT_EQ(h.scene.state.aspect, 6.3f);
    EXPECT_EQ(h.display.viewWidth, 63);
    EXPECT_EQ(h.display.viewHeight, 10);
    EXPECT_EQ(h.display.screenImage.size(), 192u * 10u);  // 189 bytes a row, padded to 192
    for (const CBallController& controller : h.scene.controllers) {
        EXPECT_EQ(controller.viewWidth, 63.0f);
        EXPECT_EQ(controller.viewHeight, 10.0f);
    }

    h.view->Resize(200, 0);
    EXPECT_EQ(h.scene.state.aspect, 200.0f);  // a zero height gives the width
    EXPECT_TRUE(h.display.screenImage.empty());
}

TEST(CPexoraView, ViewSettingsAndSoftwareRendererNotice) {
    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    {
        CPexoraView view(scene, settings, display, -365, 1, 0);
        EXPECT_EQ(view.RotationIncrement(), 5);
        EXPECT_EQ(scene.controllers[0].keyStepDeg, 5);  // the camera keeps its own step
        EXPECT_EQ(scene.controllers[127].keyStepDeg, 5);
        EXPECT_EQ(view.DrawBoundingBoxes(), 1);
    }
    {
        CPexoraView view(scene, settings, display, 725, 0, 0);
        EXPECT_EQ(view.RotationIncrement(), 5);
        EXPECT_EQ(view.DrawBoundingBoxes(), 0);
    }
    CPexoraView extreme(scene, settings, display, INT_MIN, 0, 0);
    EXPECT_EQ(extreme.RotationIncrement(), 128);  // 2147483648 mod 360

    // Acceleration asked for, but Xvfb only offers Mesa's software renderer.
    CPexoraView::ConfigureGLAccelerator(1);
    int notices = 0;
    const auto countNotices = [&notices](CPexoraView& view) {
        view.SetSoftwareRendererNotice([&notices] { ++notices; });
    };
    {
        ViewHarness h(0, countNotices);
        ASSERT_TRUE(h.ready);
        QCoreApplication::processEvents();
        EXPECT_EQ(notices, 1);
    }
    CPexoraView::ConfigureGLAccelerator(0);  // the software path asked for: no notice
    {
        ViewHarness h(0, countNotices);
        ASSERT_TRUE(h.ready);
        QCoreApplication::processEvents();
        EXPECT_EQ(notices, 1);
    }
}

}  // namespace
