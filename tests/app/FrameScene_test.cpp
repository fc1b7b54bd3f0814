#include <gtest/gtest.h>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <fstream>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "import/P3gWriter.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"

namespace {

// A cube of half-width `extent` around the origin as twelve outward facets, vertex index x + 2y + 4z.
Poly3gon Cube(float extent) {
    Poly3gon cube(8, 12);
    for (int i = 0; i < 8; ++i) {
        for (int axis = 0; axis < 3; ++axis)
            cube.vertices[i * 3 + axis] = ((i >> axis) & 1) ? extent : -extent;
    }
    const int64_t facets[] = {3, 0, 2, 3, 1, 0, 7, 4, 5, 7, 6, 4, 5, 0, 1, 5, 4, 0,
                              7, 2, 6, 7, 3, 2, 6, 0, 4, 6, 2, 0, 7, 1, 3, 7, 5, 1};
    std::copy(std::begin(facets), std::end(facets), cube.facets);
    return cube;
}

std::vector<uint8_t> Pixels(CMainFrame& frame) {
    const BgrImage image = frame.View().ReadPixels();
    return image.bytes;
}

struct FrameSceneTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        firstModel = folder.filePath("first.p3g").toStdString();
        secondModel = folder.filePath("second.p3g").toStdString();
        scenePath = folder.filePath("two.psc").toStdString();
        ASSERT_EQ(WriteP3g(Cube(2.0f), firstModel), 1);
        ASSERT_EQ(WriteP3g(Cube(1.0f), secondModel), 1);
        frame = std::make_unique<CMainFrame>(services, FrameStartup{});
        frame->Settings().stageSize = 40;
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->Commands().Refresh();
    }

    void Run(int command, const std::string& path) {
        scripted.files.answers.push_back(FileDialogResult{path, 1});
        frame->Commands().Action(command)->trigger();
    }

    // Two models side by side in different colours, one hidden-then-shown, the stage in a cube colour.
    void BuildScene() {
        Run(kIdLoadObject, firstModel);
        Run(kIdLoadObject, secondModel);
        ControlledScene& scene = frame->GetScene();
        ASSERT_EQ(scene.state.count, 3);
        scene.objects[1].position[0] = -3.0f;
        scene.objects[1].colour[0] = 250;
        scene.objects[2].position[0] = 3.0f;
        scene.objects[2].colour[2] = 250;
        scene.objects[2].scale = 1.5f;
        frame->Settings().stageColor = 0x204060;
        // Loading switches fog on for a saved intensity above 0; the first picture shows it too.
        frame->SyncStageDialog();
        frame->RepaintNow();
    }

    QTemporaryDir folder;
    std::string firstModel, secondModel, scenePath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FrameSceneTest, SavedSceneLoadsBackToTheSamePicture) {
    BuildScene();
    const std::vector<uint8_t> before = Pixels(*frame);
    ASSERT_FALSE(before.empty());

    frame->Settings().dataDirectory = "/data/scenes";
    Run(kIdSaveScene, scenePath);
    ASSERT_EQ(scripted.files.asked.size(), 3u);
    const FileDialogRequest& asked = scripted.files.asked[2].request;
    EXPECT_TRUE(scripted.files.asked[2].save);
    EXPECT_EQ(asked.startDirectory, "/data/scenes");
    ASSERT_EQ(asked.filters.size(), 1u);
    EXPECT_EQ(asked.filters[0].label, "Scene files (*.psc)");
    EXPECT_EQ(asked.filters[0].patterns, std::vector<std::string>{"*.psc"});
    EXPECT_EQ(asked.defaultExtension, "psc");
    EXPECT_TRUE(scripted.messages.shown.empty());
    std::ifstream saved(scenePath, std::ios::binary | std::ios::ate);
    EXPECT_EQ(saved.tellg(), 5324);

    // Another scene in between: one model, other stage colour, the second model hidden.
    ControlledScene& scene = frame->GetScene();
    scene.objects[2].visible = 0;
    scene.DeleteModel(1, frame->Graphics());
    frame->Settings().stageColor = 0x000000;
    frame->RepaintNow();
    ASSERT_NE(Pixels(*frame), before);

    Run(kIdLoadScene, scenePath);
    EXPECT_FALSE(scripted.files.asked.back().save);
    EXPECT_TRUE(scripted.messages.shown.empty());
    ASSERT_EQ(scene.state.count, 3);
    EXPECT_EQ(scene.objects[2].visible, 1);
    EXPECT_NE(scene.objects[1].mesh, scene.objects[2].mesh);
    EXPECT_EQ(frame->Settings().stageColor, 0x204060u);
    const std::vector<uint8_t> after = Pixels(*frame);
    ASSERT_EQ(after.size(), before.size());
    size_t differing = 0;
    for (size_t i = 0; i < after.size(); ++i)
        differing += after[i] != before[i];
    EXPECT_EQ(differing, 0u);
}

TEST_F(FrameSceneTest, MissingModelsAreNamedAndTheRestLoad) {
    BuildScene();
    Run(kIdSaveScene, scenePath);
    ASSERT_EQ(std::remove(secondModel.c_str()), 0);
    Run(kIdLoadScene, scenePath);
    ControlledScene& scene = frame->GetScene();
    EXPECT_EQ(scene.state.count, 2);
    EXPECT_STREQ(scene.objects[1].location, firstModel.c_str());
    EXPECT_NE(scene.objects[1].mesh, nullptr);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, "Dataset \"" + secondModel + "\" not found.\n");
    EXPECT_EQ(scripted.messages.shown[0].caption, "Load scene");
}

TEST_F(FrameSceneTest, BadFilesEmptyTheSceneButKeepHeaderStageAndPlate) {
    BuildScene();
    ControlledScene& scene = frame->GetScene();
    scene.state.fieldOfView = 44;
    const std::string shortFile = folder.filePath("short.psc").toStdString();
    std::ofstream(shortFile, std::ios::binary).write("0123456789", 10);
    Run(kIdLoadScene, shortFile);
    EXPECT_EQ(scene.state.count, 1);
    EXPECT_EQ(scene.state.fieldOfView, 44);
    EXPECT_EQ(frame->Settings().stageColor, 0x204060u);
    ASSERT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(scripted.messages.shown[0].text, "Read error.");
    EXPECT_EQ(scripted.messages.shown[0].caption, "Load scene");

    // A folder cannot be written over.
    Run(kIdSaveScene, folder.path().toStdString());
    ASSERT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_EQ(scripted.messages.shown[1].text, "Write error.");
    EXPECT_EQ(scripted.messages.shown[1].caption, "Load scene") << "saving tells under the same caption";
}

TEST_F(FrameSceneTest, CopyObjectActsOnlyWhileTheObjectsDialogIsOpen) {
    BuildScene();
    ControlledScene& scene = frame->GetScene();
    QAction* copy = frame->Commands().Action(kIdDuplicateObject);
    EXPECT_FALSE(copy->isEnabled());
    frame->Commands().Action(kIdObjects)->trigger();
    frame->Commands().Refresh();
    ASSERT_TRUE(copy->isEnabled());
    copy->trigger();
    ASSERT_EQ(scene.state.count, 4);
    ASSERT_NE(scene.objects[3].mesh, nullptr);
    EXPECT_NE(scene.objects[3].mesh, scene.objects[1].mesh);
    EXPECT_NE(scene.objects[3].mesh, scene.objects[2].mesh);
    EXPECT_NE(scene.objects[3].listBase, 0u);
    // Deleting the copy leaves the original drawn.
    ASSERT_EQ(scene.DeleteModel(3, frame->Graphics()), 1);
    EXPECT_NE(scene.objects[1].mesh->vertices, nullptr);
    EXPECT_NE(scene.objects[2].mesh->vertices, nullptr);
}
