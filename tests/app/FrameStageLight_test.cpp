// The Stage and Light dialogs on a real main frame: their commands, the Stereo command, the refreshes
// after a keyframe or scene, reopening at start and the settings they change surviving a restart.
#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QSlider>
#include <QTest>

#include <memory>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"

namespace {

struct StageLightFrameTest : ::testing::Test {
    std::unique_ptr<CMainFrame> MakeFrame() {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        auto frame = std::make_unique<CMainFrame>(services, startup);
        frame->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        return frame;
    }

    QAction* Command(CMainFrame& frame, int id) {
        frame.Commands().Refresh();
        return frame.Commands().Action(id);
    }
    static QWidget* Dialog(CMainFrame& frame, int id) {
        return frame.findChild<QWidget*>(QString::number(id));
    }
    template <class Widget>
    static Widget* Control(CMainFrame& frame, int dialog, int id) {
        return FindControl<Widget>(Dialog(frame, dialog), id);
    }
    static void DeleteClosedWindows() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
};

TEST_F(StageLightFrameTest, CommandsToggleTheWindowsWithTheirCheckMarks) {
    auto frame = MakeFrame();
    for (int command : {kIdStage, kIdLight}) {
        SCOPED_TRACE(command);
        const int dialog = command == kIdStage ? kIdStageDialog : kIdLightDialog;
        QAction* action = Command(*frame, command);
        ASSERT_TRUE(action->isEnabled());
        EXPECT_FALSE(action->isChecked());

        action->trigger();
        ASSERT_NE(Dialog(*frame, dialog), nullptr);
        EXPECT_TRUE(Dialog(*frame, dialog)->isVisible());
        EXPECT_TRUE(Command(*frame, command)->isChecked());

        action->trigger();
        DeleteClosedWindows();
        EXPECT_EQ(Dialog(*frame, dialog), nullptr);
        EXPECT_FALSE(Command(*frame, command)->isChecked());

        // Closed by its close box, the window takes the check mark with it.
        action->trigger();
        Dialog(*frame, dialog)->close();
        DeleteClosedWindows();
        EXPECT_EQ(Dialog(*frame, dialog), nullptr);
        EXPECT_FALSE(Command(*frame, command)->isChecked());
    }
}

TEST_F(StageLightFrameTest, StereoCommandAndTheStereoBoxKeepInStep) {
    auto frame = MakeFrame();
    Command(*frame, kIdStage)->trigger();
    auto* box = Control<QCheckBox>(*frame, kIdStageDialog, kIdStereoCheck);
    auto* angle = Control<QSlider>(*frame, kIdStageDialog, kIdStereoAngleSlider);
    ASSERT_TRUE(box && angle);
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(angle->isVisible());

    Command(*frame, kIdStereo)->trigger();
    EXPECT_EQ(frame->Display().stereo, 1);
    EXPECT_TRUE(box->isChecked());
    EXPECT_TRUE(angle->isVisible());
    Command(*frame, kIdStereo)->trigger();
    EXPECT_FALSE(box->isChecked());
    EXPECT_FALSE(angle->isVisible());

    // The box switches stereo for the command's check mark too.
    box->click();
    EXPECT_EQ(frame->Display().stereo, 1);
    EXPECT_TRUE(frame->Commands().Action(kIdStereo)->isChecked());
    box->click();
    EXPECT_FALSE(frame->Commands().Action(kIdStereo)->isChecked());
}

TEST_F(StageLightFrameTest, SyncStageDialogSwitchesFogByTheIntensity) {
    auto frame = MakeFrame();
    // Closed: only the switch follows.
    frame->GetScene().state.fogIntensity = 30;
    frame->SyncStageDialog();
    EXPECT_EQ(frame->Display().fogOn, 1);

    Command(*frame, kIdStage)->trigger();
    auto* fog = Control<QCheckBox>(*frame, kIdStageDialog, kIdFogCheck);
    auto* slider = Control<QSlider>(*frame, kIdStageDialog, kIdFogSlider);
    ASSERT_TRUE(fog && slider);
    EXPECT_TRUE(fog->isChecked());
    EXPECT_EQ(slider->value(), 30);

    // Ticked by hand at intensity 0 the controls stay; a keyframe or scene with intensity 0 hides them.
    slider->setValue(0);
    EXPECT_TRUE(slider->isVisible());
    EXPECT_EQ(frame->Display().fogOn, 1);
    frame->GetScene().state.fieldOfView = 100;
    frame->SyncStageDialog();
    EXPECT_EQ(frame->Display().fogOn, 0);
    EXPECT_FALSE(fog->isChecked());
    EXPECT_FALSE(slider->isVisible());
    EXPECT_EQ(Control<QLineEdit>(*frame, kIdStageDialog, kIdViewAngleText)->text(),
              QStringLiteral("100 deg"));
}

TEST_F(StageLightFrameTest, SyncLightDialogShowsTheRestoredLight) {
    auto frame = MakeFrame();
    frame->SyncLightDialog();  // closed: nothing to do
    Command(*frame, kIdLight)->trigger();
    frame->GetScene().state.lightColour[0] = 0.25f;
    frame->GetScene().state.lightPosition[2] = -1.0f;
    frame->SyncLightDialog();
    EXPECT_EQ(Control<QSlider>(*frame, kIdLightDialog, kIdLightRedSlider)->value(), 25);
    EXPECT_EQ(Control<QLineEdit>(*frame, kIdLightDialog, kIdLightZText)->text(), QStringLiteral("-100%"));
}

TEST_F(StageLightFrameTest, ChoosingACubeColourDrawsTheColourCube) {
    auto frame = MakeFrame();
    Command(*frame, kIdStage)->trigger();
    const auto background = [&] {
        const BgrImage image = frame->View().ReadPixels();
        const uint8_t* p = image.PixelFromTop(2, image.height / 2);
        return std::array<int, 3>{p[2], p[1], p[0]};
    };
    EXPECT_EQ(background(), (std::array<int, 3>{0, 0, 64}));
    scripted.colours.answers = {0x00FFFFFFu};
    Control<QAbstractButton>(*frame, kIdStageDialog, kIdCubeColourButton)->click();
    EXPECT_EQ(frame->Settings().bgMode, 1);
    EXPECT_NE(background(), (std::array<int, 3>{0, 0, 64}));
}

TEST_F(StageLightFrameTest, OpenDialogsReopenAtStartAndTheirChangesSurviveARestart) {
    scripted.settings.WriteInt("Settings", "StageDialog", 1);
    scripted.settings.WriteInt("Settings", "LightDialog", 1);
    {
        auto frame = MakeFrame();
        ASSERT_TRUE(Command(*frame, kIdStage)->isChecked());
        ASSERT_TRUE(Command(*frame, kIdLight)->isChecked());
        // Any slider sets all three values: 70 degrees comes back as 69.
        Control<QSlider>(*frame, kIdStageDialog, kIdFogSlider)->setValue(45);
        Control<QSlider>(*frame, kIdStageDialog, kIdStereoAngleSlider)->setValue(70);
        Control<QCheckBox>(*frame, kIdStageDialog, kIdWhiteBoxesCheck)->click();
        Control<QCheckBox>(*frame, kIdStageDialog, kIdAdaptiveCheck)->click();
        Command(*frame, kIdLight)->trigger();
        EXPECT_TRUE(frame->close());
    }
    const auto stored = [&](const char* name) {
        return static_cast<int32_t>(scripted.settings.IntOr("Settings", name, 0xDEAD));
    };
    EXPECT_EQ(stored("StageDialog"), 1);
    EXPECT_EQ(stored("LightDialog"), 0);
    EXPECT_EQ(stored("Perspective"), 69);
    EXPECT_EQ(stored("FogIntensity"), 45);
    EXPECT_EQ(stored("StereoAngle"), 4);
    EXPECT_EQ(stored("BB_mode"), 1);
    EXPECT_EQ(stored("AdaptiveCube"), 1);

    auto again = MakeFrame();
    EXPECT_EQ(again->GetScene().state.fieldOfView, 69);
    EXPECT_EQ(again->GetScene().state.fogIntensity, 45);
    EXPECT_EQ(Control<QLineEdit>(*again, kIdStageDialog, kIdStereoAngleText)->text(), QStringLiteral("4deg"));
    EXPECT_EQ(Dialog(*again, kIdLightDialog), nullptr);
}

}  // namespace
