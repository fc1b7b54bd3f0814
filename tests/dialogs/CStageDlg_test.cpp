#include "dialogs/CStageDlg.h"

#include <gtest/gtest.h>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTest>

#include "platform/ProgramSettings.h"
#include "platform/WindowPlacement.h"
#include "resources/DialogIds.h"
#include "scene/DisplayState.h"
#include "scene/SceneObject.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"

namespace {

struct StageDlgTest : ::testing::Test {
    void TearDown() override { delete dialog.data(); }

    void Open() {
        StageDialogHost host{settings,
                             state,
                             display,
                             scripted.Services(),
                             [this] { ++repaints; },
                             [this] {
                                 ++colourCubes;
                                 if (growStageTo) settings.stageSize = growStageTo;
                             },
                             [this] {
                                 ++imageCubes;
                                 if (picturesMissing) settings.bgMode = 0;
                             },
                             [this] { ++stereoChanges; }};
        dialog = new CStageDlg(std::move(host));
        dialog->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    }

    template <class Widget>
    Widget* Find(int id) {
        return FindControl<Widget>(dialog, id);
    }
    QString Text(int id) { return Find<QLineEdit>(id)->text(); }
    bool Shown(int id) { return Find<QWidget>(id)->isVisible(); }
    bool Checked(int id) { return Find<QAbstractButton>(id)->isChecked(); }
    void Click(int id) { Find<QAbstractButton>(id)->click(); }
    // A keyboard step or a click on the groove: the slider is not held down.
    void Step(int id, int position) { Find<QSlider>(id)->setValue(position); }
    // The cube-size edit loses the focus to another control of the dialog.
    void LeaveCubeSize() {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QCoreApplication::sendEvent(Find<QLineEdit>(kIdCubeSizeEdit), &out);
    }

    ProgramSettings settings;
    SceneState state;
    DisplayState display;
    ScriptedServices scripted;
    QPointer<CStageDlg> dialog;
    int repaints = 0;
    int colourCubes = 0;
    int imageCubes = 0;
    int stereoChanges = 0;
    int growStageTo = 0;           // the colour cube grows the stage to this size (0: keeps it)
    bool picturesMissing = false;  // the image cube falls back to the fill
};

TEST_F(StageDlgTest, OpensWithTheValuesTheirTextsAndTheVisibilityRules) {
    Open();
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" Stage"));
    EXPECT_EQ(Find<QSlider>(kIdViewAngleSlider)->value(), 37);
    EXPECT_EQ(Text(kIdViewAngleText), QStringLiteral("70 deg"));
    EXPECT_EQ(Find<QSlider>(kIdStereoAngleSlider)->value(), 30);
    EXPECT_EQ(Text(kIdStereoAngleText), QStringLiteral("-4deg"));
    EXPECT_EQ(Find<QSlider>(kIdFogSlider)->value(), 20);
    EXPECT_EQ(Text(kIdFogText), QStringLiteral("20%"));
    EXPECT_TRUE(Checked(kIdFillRadio));
    EXPECT_EQ(Text(kIdCubeSizeEdit), QStringLiteral("1000"));
    EXPECT_EQ(Find<QRadioButton>(kIdFillRadio)->text(), QStringLiteral("fill by color   >>"));
    EXPECT_EQ(Find<QRadioButton>(kIdColourCubeRadio)->text(), QStringLiteral("color cube   >>"));
    EXPECT_EQ(Find<QRadioButton>(kIdImageCubeRadio)->text(), QStringLiteral("image cube >>"));
    EXPECT_EQ(Find<QPushButton>(kIdReloadImageButton)->text(), QStringLiteral("Reload image"));
    EXPECT_EQ(Find<QLabel>(kIdStereoNote)->text(), QStringLiteral("( - for left red, + for right red)"));
    for (int id : {kIdStereoAngleSlider, kIdStereoAngleText, kIdStereoNote, kIdStereoAngleLabel, kIdFogSlider,
                   kIdFogText})
        EXPECT_FALSE(Shown(id)) << id;
    EXPECT_EQ(repaints, 0);

    // Reloaded from values changed elsewhere, including ones the sliders cannot show.
    state.fieldOfView = 170;
    state.fogIntensity = 250;
    settings.bgMode = 7;
    settings.texture = "cubes/";
    display.stereo = 1;
    display.fogOn = 1;
    dialog->LoadControls();
    EXPECT_EQ(Find<QSlider>(kIdViewAngleSlider)->value(), 100);
    EXPECT_EQ(Find<QSlider>(kIdFogSlider)->value(), 100);
    EXPECT_EQ(Text(kIdFogText), QStringLiteral("250%"));
    EXPECT_FALSE(Checked(kIdFillRadio) || Checked(kIdColourCubeRadio) || Checked(kIdImageCubeRadio));
    EXPECT_EQ(Text(kIdTextureEdit), QStringLiteral("cubes/"));
    EXPECT_TRUE(Checked(kIdStereoCheck));
    EXPECT_TRUE(Shown(kIdStereoAngleSlider) && Shown(kIdStereoNote) && Shown(kIdFogSlider));
    EXPECT_EQ(repaints, 0);
    EXPECT_EQ(state.fieldOfView, 170);  // loading writes nothing back
}

TEST_F(StageDlgTest, EverySliderMovementRecomputesAllThreeValues) {
    display.fogOn = 1;
    Open();
    Step(kIdFogSlider, 35);
    EXPECT_EQ(state.fogIntensity, 35);
    EXPECT_EQ(state.fieldOfView, 69);  // 70 shows at 37, which stands for 69
    EXPECT_EQ(settings.stereoAngle, -4);
    EXPECT_EQ(Text(kIdViewAngleText), QStringLiteral("69 deg"));
    EXPECT_EQ(Text(kIdFogText), QStringLiteral("35%"));
    EXPECT_EQ(repaints, 1);

    // A drag writes the values at every step and repaints once, when the slider is let go.
    QSlider* view = Find<QSlider>(kIdViewAngleSlider);
    view->setSliderDown(true);
    view->setValue(0);
    EXPECT_EQ(state.fieldOfView, 10);
    EXPECT_EQ(Text(kIdViewAngleText), QStringLiteral("10 deg"));
    view->setValue(100);
    EXPECT_EQ(state.fieldOfView, 170);
    EXPECT_EQ(repaints, 1);
    view->setSliderDown(false);
    EXPECT_EQ(repaints, 2);
}

TEST_F(StageDlgTest, StereoSliderGivesOneDegreePerFivePositions) {
    display.stereo = 1;
    Open();
    const struct {
        int position;
        int angle;
        const char* text;
    } cases[] = {{0, -10, "-10deg"}, {50, 0, "0deg"}, {52, 0, "0deg"},
                 {54, 0, "0deg"},    {55, 1, "1deg"}, {100, 10, "10deg"}};
    for (const auto& c : cases) {
        Step(kIdStereoAngleSlider, c.position);
        EXPECT_EQ(settings.stereoAngle, c.angle) << c.position;
        EXPECT_EQ(Text(kIdStereoAngleText), QString::fromLatin1(c.text)) << c.position;
    }
}

TEST_F(StageDlgTest, FogBoxTickedAtIntensityZeroKeepsItsControlsShowingZero) {
    state.fogIntensity = 0;
    Open();
    Click(kIdFogCheck);
    EXPECT_EQ(display.fogOn, 1);
    EXPECT_EQ(repaints, 1);
    EXPECT_TRUE(Shown(kIdFogSlider));
    EXPECT_TRUE(Shown(kIdFogText));
    EXPECT_EQ(Text(kIdFogText), QStringLiteral("0%"));

    Click(kIdFogCheck);
    EXPECT_EQ(display.fogOn, 0);
    EXPECT_FALSE(Shown(kIdFogSlider));
    // The window keeps its size while controls come and go.
    const QSize size = dialog->size();
    Click(kIdFogCheck);
    EXPECT_EQ(dialog->size(), size);
}

TEST_F(StageDlgTest, StereoBoxSwitchesStereoShowsTheAngleAndTellsTheFrame) {
    Open();
    Click(kIdStereoCheck);
    EXPECT_EQ(display.stereo, 1);
    EXPECT_EQ(stereoChanges, 1);
    EXPECT_EQ(repaints, 1);
    for (int id : {kIdStereoAngleSlider, kIdStereoAngleText, kIdStereoNote, kIdStereoAngleLabel})
        EXPECT_TRUE(Shown(id)) << id;
    Click(kIdStereoCheck);
    EXPECT_EQ(display.stereo, 0);
    EXPECT_EQ(stereoChanges, 2);
    EXPECT_FALSE(Shown(kIdStereoAngleSlider));
}

TEST_F(StageDlgTest, CubeSizeIsClampedWhenTheEditIsLeftAndApplyUsesIt) {
    settings.bgMode = 1;
    Open();
    Find<QLineEdit>(kIdCubeSizeEdit)->setText(QStringLiteral("70000"));
    LeaveCubeSize();
    EXPECT_EQ(Text(kIdCubeSizeEdit), QStringLiteral("50000"));
    EXPECT_EQ(settings.stageSize, 1000);  // only "Apply" takes it
    Click(kIdCubeSizeApplyButton);
    EXPECT_EQ(settings.stageSize, 50000);
    EXPECT_EQ(colourCubes, 1);
    EXPECT_EQ(repaints, 1);

    // Apply clamps too, and shows the size the cube builder left.
    Find<QLineEdit>(kIdCubeSizeEdit)->setText(QStringLiteral(" -5 "));
    growStageTo = 1500;
    Click(kIdCubeSizeApplyButton);
    EXPECT_EQ(settings.stageSize, 1500);
    EXPECT_EQ(Text(kIdCubeSizeEdit), QStringLiteral("1500"));
    EXPECT_TRUE(scripted.messages.Texts().empty());

    // Text that is no integer stays as typed when the edit is left, and Apply refuses it.
    Find<QLineEdit>(kIdCubeSizeEdit)->setText(QStringLiteral("12a"));
    LeaveCubeSize();
    EXPECT_EQ(Text(kIdCubeSizeEdit), QStringLiteral("12a"));
    Click(kIdCubeSizeApplyButton);
    EXPECT_EQ(scripted.messages.Texts(), std::vector<std::string>{"Enter an integer."});
    EXPECT_EQ(settings.stageSize, 1500);
    EXPECT_EQ(colourCubes, 2);
}

TEST_F(StageDlgTest, ApplyInFillModeBuildsNoCube) {
    Open();
    Find<QLineEdit>(kIdCubeSizeEdit)->setText(QStringLiteral("2000"));
    Click(kIdCubeSizeApplyButton);
    EXPECT_EQ(settings.stageSize, 2000);
    EXPECT_EQ(colourCubes + imageCubes, 0);
    EXPECT_EQ(repaints, 1);
}

TEST_F(StageDlgTest, ChoosingColoursSwitchesTheBackgroundMode) {
    Open();
    scripted.colours.answers = {std::nullopt, 0x00112233u, 0x00445566u};
    Click(kIdCubeColourButton);  // cancelled: nothing changes
    EXPECT_EQ(settings.cubeColor, 0x8C9632u);
    EXPECT_EQ(settings.bgMode, 0);
    EXPECT_EQ(repaints, 0);

    Click(kIdCubeColourButton);
    EXPECT_EQ(settings.cubeColor, 0x112233u);
    EXPECT_EQ(settings.bgMode, 1);
    EXPECT_TRUE(Checked(kIdColourCubeRadio));
    EXPECT_EQ(colourCubes, 1);
    EXPECT_EQ(repaints, 1);

    Click(kIdStageColourButton);
    EXPECT_EQ(settings.stageColor, 0x445566u);
    EXPECT_EQ(settings.bgMode, 0);
    EXPECT_TRUE(Checked(kIdFillRadio));
    EXPECT_EQ(colourCubes, 1);
    EXPECT_EQ(repaints, 2);
    // The chooser opened on the colour it was to change.
    EXPECT_EQ(scripted.colours.initials, (std::vector<uint32_t>{0x8C9632u, 0x8C9632u, 0x400000u}));
}

TEST_F(StageDlgTest, RadioButtonsAndReloadImageBuildTheChosenBackground) {
    growStageTo = 3000;
    Open();
    Click(kIdColourCubeRadio);
    EXPECT_EQ(settings.bgMode, 1);
    EXPECT_EQ(colourCubes, 1);
    EXPECT_EQ(Text(kIdCubeSizeEdit), QStringLiteral("3000"));
    Click(kIdImageCubeRadio);
    EXPECT_EQ(settings.bgMode, 2);
    EXPECT_EQ(imageCubes, 1);
    Click(kIdFillRadio);
    EXPECT_EQ(settings.bgMode, 0);
    EXPECT_EQ(colourCubes + imageCubes, 2);
    EXPECT_EQ(repaints, 3);

    // Pictures that cannot be loaded leave the fill, and the dialog shows it.
    picturesMissing = true;
    Find<QLineEdit>(kIdTextureEdit)->setText(QStringLiteral("missing/"));
    Click(kIdReloadImageButton);
    EXPECT_EQ(settings.texture, "missing/");
    EXPECT_EQ(imageCubes, 2);
    EXPECT_EQ(settings.bgMode, 0);
    EXPECT_TRUE(Checked(kIdFillRadio));
    EXPECT_EQ(repaints, 4);
}

TEST_F(StageDlgTest, AdaptiveAndWhiteBoxesChecks) {
    Open();
    Click(kIdAdaptiveCheck);
    EXPECT_EQ(settings.adaptiveCube, 1);
    EXPECT_EQ(repaints, 0);  // used only when models are loaded or cubes built
    Click(kIdWhiteBoxesCheck);
    EXPECT_EQ(settings.bbMode, 1);
    EXPECT_EQ(repaints, 1);
    Click(kIdWhiteBoxesCheck);
    EXPECT_EQ(settings.bbMode, 0);
}

TEST_F(StageDlgTest, PositionIsRestoredAndSavedWhenTheWindowCloses) {
    WritePlacement(scripted.settings, "StageDialog", {40, 50, 41, 51});
    Open();
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog->frameGeometry().topLeft() == QPoint(40, 50); }, 2000));
    EXPECT_EQ(dialog->frameGeometry().topLeft(), QPoint(40, 50));

    dialog->move(60, 70);
    ASSERT_TRUE(QTest::qWaitFor([&] { return dialog->frameGeometry().topLeft() == QPoint(60, 70); }, 2000));
    const QRect frame = dialog->frameGeometry();
    QTest::keyClick(dialog, Qt::Key_Escape);  // closes like the close box
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(dialog.isNull());
    const PlacementRect saved = ReadPlacement(scripted.settings, "StageDialog", {});
    EXPECT_EQ(saved.left, frame.left());
    EXPECT_EQ(saved.top, frame.top());
}

}  // namespace
