#include <gtest/gtest.h>
#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "app/CMainFrame.h"
#include "app/CPexoraApp.h"
#include "app/CommandTable.h"
#include "import/P3gWriter.h"
#include "platform/qt/QtFileDialogs.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "scene/Poly3gon.h"
#include "support/ScriptedServices.h"

namespace {

constexpr char kProgramPath[] = "/opt/pexora/bin/pexora";

struct FrameLifecycle : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        // A flat 4 x 4 square well above the plate, so the plate shows beside and below it.
        Poly3gon square(4, 2);
        const float corners[] = {-2, 6, 0, 2, 6, 0, 2, 10, 0, -2, 10, 0};
        std::copy(std::begin(corners), std::end(corners), square.vertices);
        const int64_t facets[] = {0, 1, 2, 0, 2, 3};
        std::copy(std::begin(facets), std::end(facets), square.facets);
        squarePath = (folder.path() + "/square.p3g").toStdString();
        ASSERT_EQ(WriteP3g(square, squarePath), 1);
        scripted.settings.WriteInt("Settings", "PlateVisible", 1);
        scripted.settings.WriteInt("Settings", "PlateSizeX", 60);
        scripted.settings.WriteInt("Settings", "PlateSizeY", 60);
    }

    // The plate record is whole and the plate is drawn: hiding it changes the picture.
    static void ExpectPlateShown(CMainFrame& frame) {
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
        ASSERT_EQ(frame.GetScene().ModelCount(), 1);
        SceneObject& plate = frame.GetScene().objects[frame.GetScene().PlateIndex()];
        EXPECT_STREQ(plate.name, "plate");
        EXPECT_EQ(plate.visible, 1);
        EXPECT_EQ(plate.colour[3], 128);
        const BgrImage shown = frame.View().ReadPixels();
        plate.visible = 0;
        const BgrImage hidden = frame.View().ReadPixels();
        plate.visible = 1;
        ASSERT_FALSE(shown.bytes.empty());
        ASSERT_EQ(shown.bytes.size(), hidden.bytes.size());
        size_t differing = 0;
        for (size_t i = 0; i < shown.bytes.size(); ++i)
            differing += shown.bytes[i] != hidden.bytes[i] ? 1 : 0;
        EXPECT_GT(differing, 100u);
    }

    QTemporaryDir folder;
    std::string squarePath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
};

TEST_F(FrameLifecycle, PlateIsWholeWhicheverComesFirstTheModelOrTheContext) {
    // A start with the model on the command line.
    {
        CPexoraApp app(services, folder.path() + "/Pexora.ini", kProgramPath);
        ASSERT_TRUE(app.InitInstance({squarePath}));
        ExpectPlateShown(*app.Frame());
        app.ExitInstance();
    }
    // The model loaded before the view has any context.
    FrameStartup startup;
    startup.programPath = kProgramPath;
    startup.plateVisible = 1;
    CMainFrame frame(services, startup);
    frame.LoadHandedModel(squarePath, "", 0.0f, 4, 0);
    frame.show();
    ExpectPlateShown(frame);
}

TEST_F(FrameLifecycle, LoadObjectStartsAtHomeAndShowsEachPatternOnce) {
    scripted.settings.RemoveValue("Settings", "DataDirectory");
    FrameStartup startup;
    startup.programPath = kProgramPath;
    CMainFrame frame(services, startup);
    // Nothing stored: an installed program's folder is not where the user's scans are.
    EXPECT_EQ(frame.Settings().dataDirectory, QDir::homePath().toStdString());

    scripted.files.answers.push_back(std::nullopt);
    frame.Commands().Action(kIdLoadObject)->trigger();
    ASSERT_EQ(scripted.files.asked.size(), 1u);
    const FileDialogRequest& request = scripted.files.asked[0].request;
    EXPECT_EQ(request.startDirectory, QDir::homePath().toStdString());
    EXPECT_EQ(ToNameFilters(request.filters),
              (QStringList{"3D-models (*.p3g)", "MicroCT-models (*.ctm)", "STL-Files (*.stl)"}));

    // A stored folder still wins.
    scripted.settings.WriteString("Settings", "DataDirectory", "/data/scans");
    CMainFrame again(services, startup);
    EXPECT_EQ(again.Settings().dataDirectory, "/data/scans");
}

}  // namespace
