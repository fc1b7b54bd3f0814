#include <sys/stat.h>

#include <gtest/gtest.h>
#include <QAction>
#include <QCursor>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "app/HandOff.h"
#include "import/P3gWriter.h"
#include "platform/Tones.h"
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

// Tones that note the cursor shown while a reader sounds its beep.
class CursorNotingTones : public Tones {
public:
    void Beep(int, int) override {
        const QCursor* cursor = QGuiApplication::overrideCursor();
        shapes.push_back(cursor ? cursor->shape() : Qt::ArrowCursor);
    }
    std::vector<Qt::CursorShape> shapes;
};

// A .p3g file of version 999, which the reader refuses after a beep.
void WriteOldP3g(const std::string& path) {
    const int32_t header[3] = {999, 0, 0};
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(header), sizeof header);
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
    CursorNotingTones tones;
    PlatformServices services{
        scripted.settings, scripted.messages,     scripted.files,      scripted.colours, tones,
        scripted.desktop,  scripted.instanceLock, scripted.screenSaver};
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

TEST_F(FrameModelsTest, PipesAndFoldersAreRefusedAtOnceAndTheStatusBarSaysWhy) {
    const std::string pipe = folder.filePath("pipe.p3g").toStdString();
    ASSERT_EQ(mkfifo(pipe.c_str(), 0644), 0);  // nobody writes into it: the test open must not wait
    const std::string subfolder = folder.filePath("models.p3g").toStdString();
    ASSERT_TRUE(std::filesystem::create_directory(subfolder));
    for (const std::string& path : {pipe, subfolder}) {
        ChooseInDialog(path, 1);
        frame->Commands().Action(kIdLoadObject)->trigger();
        EXPECT_EQ(frame->GetScene().ModelCount(), 0) << path;
        EXPECT_EQ(frame->StatusPanes().PaneText(0),
                  QString::fromStdString("Cannot open " + path + ": not a regular file"));
    }
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(FrameModelsTest, AFileTheReaderRefusesIsNamedWithItsReasonWhileTheWaitCursorShows) {
    const std::string old = folder.filePath("old.p3g").toStdString();
    WriteOldP3g(old);
    ChooseInDialog(old, 1);
    frame->Commands().Action(kIdLoadObject)->trigger();
    // The record stays, without geometry; the reason goes to the message pane, not into a box.
    ASSERT_EQ(frame->GetScene().ModelCount(), 1);
    EXPECT_EQ(frame->GetScene().objects[1].vertexCount, 0);
    EXPECT_EQ(frame->StatusPanes().PaneText(0),
              QString::fromStdString("Cannot read " + old + ": unknown .p3g version 999"));
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(tones.shapes, std::vector<Qt::CursorShape>{Qt::WaitCursor}) << "shown while reading";
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "and taken back after the failure";

    frame->LoadHandedModel(old, "", 0.0f, 4, 0);
    EXPECT_EQ(tones.shapes, (std::vector<Qt::CursorShape>{Qt::WaitCursor, Qt::WaitCursor}));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // A model that loads puts the idle prompt back.
    frame->LoadHandedModel(modelPath, "", 0.0f, 4, 0);
    EXPECT_EQ(frame->StatusPanes().PaneText(0), QStringLiteral("For Help, press F1"));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
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
