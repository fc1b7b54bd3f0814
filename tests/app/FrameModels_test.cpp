#include <gtest/gtest.h>
#include <QAction>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <array>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "app/HandOff.h"
#include "import/P3gWriter.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"

namespace {

// The box (-3, -2, -10.7)..(3, 2, 10.7) as twelve outward facets, vertex index x + 2y + 4z.
Poly3gon TallBox() {
    Poly3gon box(8, 12);
    const float extent[3] = {3.0f, 2.0f, 10.7f};
    for (int i = 0; i < 8; ++i) {
        for (int axis = 0; axis < 3; ++axis)
            box.vertices[i * 3 + axis] = ((i >> axis) & 1) ? extent[axis] : -extent[axis];
    }
    const int64_t facets[] = {3, 0, 2, 3, 1, 0, 7, 4, 5, 7, 6, 4, 5, 0, 1, 5, 4, 0,
                              7, 2, 6, 7, 3, 2, 6, 0, 4, 6, 2, 0, 7, 1, 3, 7, 5, 1};
    std::copy(std::begin(facets), std::end(facets), box.facets);
    return box;
}

struct FrameModelsTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        modelPath = folder.filePath("box.p3g").toStdString();
        ASSERT_EQ(WriteP3g(TallBox(), modelPath), 1);
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        frame = std::make_unique<CMainFrame>(services, startup);
        // A small stage keeps the model near the camera, clear of the fog.
        frame->Settings().stageSize = 40;
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
    }

    void ChooseInDialog(const std::string& path, int filter) {
        scripted.files.answers.push_back(FileDialogResult{path, filter});
    }

    // The lit model covers the centre of the view: a grey (its colour) brighter than the stage.
    void ExpectModelAtCentre() {
        const BgrImage image = frame->View().ReadPixels();
        ASSERT_GT(image.width, 0);
        const uint8_t* centre = image.PixelFromTop(image.width / 2, image.height / 2);
        EXPECT_GT(centre[2], 0x40);
        EXPECT_EQ(centre[0], centre[1]);
        EXPECT_EQ(centre[1], centre[2]);
        const uint8_t* corner = image.PixelFromTop(2, 2);
        EXPECT_EQ((std::array<int, 3>{corner[2], corner[1], corner[0]}), (std::array<int, 3>{0, 0, 0x40}));
    }

    QTemporaryDir folder;
    std::string modelPath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

TEST_F(FrameModelsTest, LoadObjectAsksForAModelAndShowsItShaded) {
    frame->Settings().dataDirectory = "/data/start";
    frame->Settings().openFileExt = 3;
    QAction* load = frame->Commands().Action(kIdLoadObject);
    frame->Commands().Refresh();
    ASSERT_TRUE(load->isEnabled());
    EXPECT_EQ(load->shortcut(), QKeySequence(QStringLiteral("Ctrl+O")));

    ChooseInDialog(modelPath, 1);
    load->trigger();

    ASSERT_EQ(scripted.files.asked.size(), 1u);
    const FileDialogRequest& asked = scripted.files.asked[0].request;
    EXPECT_FALSE(scripted.files.asked[0].save);
    ASSERT_EQ(asked.filters.size(), 3u);
    EXPECT_EQ(asked.filters[0].label, "3D-models (*.p3g)");
    EXPECT_EQ(asked.filters[0].patterns, std::vector<std::string>{"*.p3g"});
    EXPECT_EQ(asked.filters[1].label, "MicroCT-models (*.ctm)");
    EXPECT_EQ(asked.filters[1].patterns, std::vector<std::string>{"*.ctm"});
    EXPECT_EQ(asked.filters[2].label, "STL-Files (*.stl)");
    EXPECT_EQ(asked.filters[2].patterns, std::vector<std::string>{"*.stl"});
    EXPECT_EQ(asked.selectedFilter, 3);
    EXPECT_EQ(asked.defaultExtension, "p3g");
    EXPECT_EQ(asked.startDirectory, "/data/start");

    EXPECT_EQ(frame->Settings().openFileExt, 1);
    EXPECT_EQ(frame->Settings().dataDirectory, folder.path().toStdString());
    const Scene& scene = frame->GetScene();
    ASSERT_EQ(scene.ModelCount(), 1);
    const SceneObject& model = scene.objects[1];
    EXPECT_EQ(model.vertexCount, 8);
    EXPECT_EQ(model.facetCount, 12);
    EXPECT_NE(model.listBase, 0u);
    EXPECT_STREQ(model.name, "box");
    EXPECT_EQ(frame->StatusPanes().PaneText(3), QStringLiteral("1 models, 12 facets"));
    EXPECT_EQ(frame->Settings().stageSize, 40) << "AdaptiveCube is off";
    EXPECT_TRUE(scripted.messages.shown.empty());
    ExpectModelAtCentre();
}

TEST_F(FrameModelsTest, CancelledOrVanishedFilesLeaveTheSceneAsItWas) {
    frame->Settings().dataDirectory = "/data/start";
    frame->Commands().Action(kIdLoadObject)->trigger();  // cancelled: no answer queued
    EXPECT_EQ(frame->Settings().dataDirectory, "/data/start");

    ChooseInDialog(folder.filePath("gone.p3g").toStdString(), 2);
    frame->Commands().Action(kIdLoadObject)->trigger();
    EXPECT_EQ(frame->GetScene().ModelCount(), 0);
    EXPECT_EQ(frame->Settings().openFileExt, 2);
    EXPECT_EQ(frame->Settings().dataDirectory, folder.path().toStdString());
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(FrameModelsTest, HandedModelLoadsTheSameWay) {
    EXPECT_EQ(frame->LoadHandedModel(modelPath, "/scan/rec/slice0000.bmp", 2.5f, 4, 1), 1);
    const SceneObject& model = frame->GetScene().objects[1];
    EXPECT_EQ(model.vertexCount, 8);
    EXPECT_NE(model.listBase, 0u);
    EXPECT_STREQ(model.datasetPath, "/scan/rec/slice0000.bmp");
    EXPECT_EQ(model.pixelSize, 2.5f);
    EXPECT_EQ(frame->StatusPanes().PaneText(3), QStringLiteral("1 models, 12 facets"));
    EXPECT_EQ(frame->Settings().dataDirectory, folder.path().toStdString());
    ExpectModelAtCentre();
}

TEST_F(FrameModelsTest, AdaptiveCubeRoundsTheMenuAndTheHandOffDifferently) {
    frame->Settings().adaptiveCube = 1;
    frame->Settings().stageSize = 1000;
    ChooseInDialog(modelPath, 1);
    frame->Commands().Action(kIdLoadObject)->trigger();
    EXPECT_EQ(frame->Settings().stageSize, 40) << "10.7 truncated, then times 4";
    ExpectModelAtCentre();

    frame->GetScene().DeleteModel(1, frame->Graphics());
    frame->Settings().stageSize = 1000;
    frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0);
    EXPECT_EQ(frame->Settings().stageSize, 42) << "10.7 times 4, then truncated";

    // A second model starts from stage / 4 + 1 = 11, so the box adds nothing: 11 x 4.
    frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0);
    EXPECT_EQ(frame->Settings().stageSize, 44);

    // A file the reader refuses does not touch the stage.
    frame->LoadHandedModel(folder.filePath("gone.p3g").toStdString(), "", 0.0f, 4, 0);
    EXPECT_EQ(frame->Settings().stageSize, 44);
    EXPECT_EQ(frame->GetScene().ModelCount(), 3);
}

TEST_F(FrameModelsTest, AdaptiveCubeRebuildsTheCubeOfTheBackgroundMode) {
    frame->Settings().adaptiveCube = 1;
    frame->Settings().stageSize = 1000;
    frame->Settings().bgMode = 1;
    frame->Settings().cubeColor = 0x0000FF00;  // green
    frame->Commands().Action(kIdStage)->trigger();
    ChooseInDialog(modelPath, 1);
    frame->Commands().Action(kIdLoadObject)->trigger();
    ASSERT_EQ(frame->Settings().stageSize, 40);
    EXPECT_EQ(FindControl<QLineEdit>(frame.get(), kIdCubeSizeEdit)->text(), QStringLiteral("40"));
    // The green colour cube now surrounds the model closely: every face is a shade of green.
    const BgrImage image = frame->View().ReadPixels();
    ASSERT_GT(image.width, 0);
    const uint8_t* corner = image.PixelFromTop(2, 2);  // blue, green, red
    EXPECT_GT(corner[1], corner[0] + 50);
    EXPECT_GT(corner[1], corner[2] + 50);

    // The image cube is reloaded: pictures that cannot be found fall back to fill by colour.
    frame->Settings().bgMode = 2;
    frame->Settings().texture = folder.filePath("no-such-folder/").toStdString();
    frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0);
    EXPECT_EQ(frame->Settings().bgMode, 0);
}

}  // namespace
