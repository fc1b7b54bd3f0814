#include "app/CPexoraApp.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/HandOff.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/ModalDriver.h"

namespace {

struct AppTest : ::testing::Test {
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        modelPath = (folder.path() + "/Tooth.P3G").toStdString();
        std::ofstream(modelPath) << "model";
        slicePath = (folder.path() + "/slice0000.bmp").toStdString();
        std::ofstream(slicePath) << "slice";
    }
    std::unique_ptr<CPexoraApp> MakeApp() {
        return std::make_unique<CPexoraApp>(services, folder.path() + "/Pexora.ini",
                                            (folder.path() + "/pexora").toStdString());
    }
    int Stored(const std::string& section, const std::string& name) {
        return static_cast<int>(scripted.settings.IntOr(section, name, 0xDEAD));
    }

    QTemporaryDir folder;
    std::string modelPath;
    std::string slicePath;
    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
};

TEST_F(AppTest, SecondInstanceWithAModelHandsItOverWithoutAWindow) {
    scripted.instanceLock.first = false;
    auto app = MakeApp();
    EXPECT_FALSE(app->InitInstance({modelPath, "-f" + slicePath, "-V12.5", "/n3", "-u9"}));
    EXPECT_EQ(app->Frame(), nullptr);
    const HandOff written = ReadHandOff(scripted.settings);
    EXPECT_EQ(written.modelPath, modelPath) << "the path keeps its case";
    EXPECT_EQ(written.datasetPath, slicePath);
    EXPECT_EQ(written.pixelSize, 12.5f);
    EXPECT_EQ(written.postfixLength, 3);
    EXPECT_EQ(written.unit, 0) << "unit 9 is out of range";
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_EQ(Stored("Settings", "GLaccelerator"), 0) << "written back unchanged";
}

TEST_F(AppTest, SecondInstanceWithoutAModelOpensItsOwnWindow) {
    scripted.instanceLock.first = false;
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_NE(app->Frame(), nullptr);
    EXPECT_TRUE(app->Frame()->isVisible());
    EXPECT_EQ(app->Frame()->Display().startedWithModel, 0);
    EXPECT_FALSE(scripted.settings.Has("Mervik_start", "postfix_len"));
}

TEST_F(AppTest, StartedWithAModelLoadsItAndTakesLaterHandOffsWithoutAsking) {
    scripted.settings.WriteInt("Settings", "PlateVisible", 1);
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({modelPath, "-f" + slicePath, "-v0.5", "-n6", "-u2"}));
    CMainFrame& frame = *app->Frame();
    EXPECT_EQ(app->plateVisible, 1);
    EXPECT_EQ(frame.Display().startedWithModel, 1);
    ASSERT_EQ(frame.GetScene().ModelCount(), 1);
    EXPECT_STREQ(frame.GetScene().objects[1].datasetPath, slicePath.c_str());
    EXPECT_EQ(frame.GetScene().objects[1].pixelSize, 0.5f);
    EXPECT_EQ(frame.GetScene().objects[1].postfixLength, 6);
    EXPECT_EQ(frame.GetScene().objects[1].unit, 2);

    WriteHandOff(scripted.settings, HandOff{"/data/next.stl", "", 0.0f, 4, 0});
    EXPECT_TRUE(app->PollHandOff());
    EXPECT_TRUE(scripted.messages.shown.empty()) << "no question once started with a model";
    EXPECT_EQ(frame.GetScene().ModelCount(), 2);
    EXPECT_FALSE(app->PollHandOff()) << "the hand-off is taken once";
}

TEST_F(AppTest, HandOffAsksAndDeclinesOrLoads) {
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame& frame = *app->Frame();
    EXPECT_FALSE(app->PollHandOff()) << "nothing waiting";

    WriteHandOff(scripted.settings,
                 HandOff{"/data/scan/model.p3g", "/data/scan/rec/slice0000.bmp", 12.5f, 4, 0});
    scripted.messages.answers.push_back(MessageAnswer::No);
    EXPECT_TRUE(app->PollHandOff());
    ASSERT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{"Mervik program try to send new model.\nAccept it?"});
    EXPECT_EQ(scripted.messages.shown[0].buttons, MessageButtons::YesNo);
    EXPECT_EQ(frame.GetScene().ModelCount(), 0);
    // Declined: the texts emptied, the pixel size kept.
    EXPECT_EQ(scripted.settings.StringOr("Mervik_start", "prefix", "x"), "");
    EXPECT_EQ(scripted.settings.StringOr("Mervik_start", "cs_set", "x"), "");
    EXPECT_EQ(scripted.settings.StringOr("Mervik_start", "postfix_len", "x"), "");
    EXPECT_EQ(scripted.settings.StringOr("Mervik_start", "unit", "x"), "");
    EXPECT_TRUE(scripted.settings.Has("Mervik_start", "pix_size"));
    EXPECT_FALSE(app->PollHandOff()) << "nothing further until the next hand-off";

    WriteHandOff(scripted.settings, HandOff{"/data/scan/second.p3g", "", 0.0f, 4, 0});
    scripted.messages.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(app->PollHandOff());
    EXPECT_EQ(scripted.messages.shown.size(), 2u);
    EXPECT_EQ(frame.GetScene().ModelCount(), 1);
    EXPECT_EQ(frame.Settings().dataDirectory, "/data/scan");
}

TEST_F(AppTest, OnlyTheInstanceHoldingTheLockAnswersHandOffs) {
    // Started second, without a model: another instance holds the lock and answers.
    scripted.instanceLock.first = scripted.instanceLock.held = false;
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    WriteHandOff(scripted.settings, HandOff{"/data/a.p3g", "", 0.0f, 4, 0});
    EXPECT_FALSE(app->PollHandOff());
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(ReadHandOff(scripted.settings).modelPath, "/data/a.p3g") << "left for the holder";

    // The holder ended and this instance took the lock over: the hand-off now reaches it.
    scripted.instanceLock.held = true;
    scripted.messages.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(app->PollHandOff());
    EXPECT_EQ(scripted.messages.shown.size(), 1u);
    EXPECT_EQ(app->Frame()->GetScene().ModelCount(), 1);
}

TEST_F(AppTest, HandOffWaitsWhileTheFrameShowsProgress) {
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    app->Frame()->ShowProgress(30, "Loading");
    WriteHandOff(scripted.settings, HandOff{"/data/a.p3g", "", 0.0f, 4, 0});
    app->PollHandOff();
    EXPECT_TRUE(scripted.messages.shown.empty());
    app->Frame()->ShowProgress(0, "");
    scripted.messages.answers.push_back(MessageAnswer::Yes);
    EXPECT_TRUE(app->PollHandOff());
    EXPECT_EQ(app->Frame()->GetScene().ModelCount(), 1);
}

TEST_F(AppTest, ExitWritesTheAcceleratorChoiceAndTheFrameSettings) {
    scripted.settings.WriteInt("Settings", "GLaccelerator", 1);
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    EXPECT_EQ(app->glAccelerator, 1);
    app->glAccelerator = 0;
    EXPECT_EQ(app->ExitInstance(), 0);
    EXPECT_EQ(app->Frame(), nullptr);
    EXPECT_EQ(Stored("Settings", "GLaccelerator"), 0);
    EXPECT_EQ(Stored("Settings", "Perspective"), 70)
        << "the frame's settings were written on its destruction";
}

TEST_F(AppTest, RefusedAccelerationIsReportedAndStoredAsZero) {
    // Under Xvfb the context is Mesa's software rasteriser, so asking for acceleration is refused.
    CPexoraView::ConfigureGLAccelerator(1);
    scripted.settings.WriteInt("Settings", "GLaccelerator", 1);
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(app->Frame()));
    for (int i = 0; i < 50 && scripted.messages.shown.empty(); ++i)
        QTest::qWait(20);
    CPexoraView::ConfigureGLAccelerator(0);
    ASSERT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{"Device not supports hardware acceleration"});
    EXPECT_EQ(app->glAccelerator, 0);
    app->ExitInstance();
    EXPECT_EQ(Stored("Settings", "GLaccelerator"), 0);
}

TEST_F(AppTest, HandOffWaitsWhileAModalDialogIsOpenAndIsTakenWhenItCloses) {
    auto app = MakeApp();
    ASSERT_TRUE(app->InitInstance({}));
    CMainFrame& frame = *app->Frame();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    scripted.messages.answers.push_back(MessageAnswer::Yes);

    bool handedWhileOpen = true;
    size_t askedWhileOpen = 99;
    WhenModalAppears([&](QWidget*) {
        WriteHandOff(scripted.settings, HandOff{"/data/scan/model.p3g", "", 0.0f, 4, 0});
        handedWhileOpen = app->PollHandOff();
        // Long enough for the watcher's own checks to come round while the dialog stays open.
        QTest::qWait(3 * 500);
        askedWhileOpen = scripted.messages.shown.size();
    });
    frame.Commands().Action(kIdPreferences)->trigger();  // the real Preferences dialog, modal

    EXPECT_FALSE(handedWhileOpen);
    EXPECT_EQ(askedWhileOpen, 0u) << "no question over the open dialog";
    EXPECT_TRUE(QTest::qWaitFor([&] { return !scripted.messages.shown.empty(); }, 3000))
        << "the waiting hand-off is taken once the dialog closed";
    EXPECT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{"Mervik program try to send new model.\nAccept it?"});
    EXPECT_EQ(frame.GetScene().ModelCount(), 1);
}

}  // namespace
