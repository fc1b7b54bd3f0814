// The Preferences command on a real frame: values gathered from and stored to their owners, the
// restart question, the repaint and the "PlateVisible" value.

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/CObjPropDlg.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/DialogIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/ModalDriver.h"

namespace {

// Counts the paints a widget receives.
class PaintCounter : public QObject {
public:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) ++paints;
        return false;
    }
    int paints = 0;
};

struct FramePreferencesTest : ::testing::Test {
    void SetUp() override {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        startup.glAccelerator = &glAccelerator;
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        frame->Commands().Refresh();
        ASSERT_TRUE(frame->Commands().Action(kIdPreferences)->isEnabled());
    }

    // Opens the Preferences dialog, lets `change` edit it and presses OK; the view's paints are counted
    // from the moment OK is pressed until the command returned.
    void ChangeAndOk(const std::function<void(QWidget&)>& change) {
        paintsAfterOk = 0;
        PaintCounter counter;
        WhenModalAppears([&](QWidget* modal) {
            change(*modal);
            frame->View().installEventFilter(&counter);
            QTest::mouseClick(modal->findChild<QPushButton*>(QStringLiteral("1")), Qt::LeftButton);
        });
        frame->Commands().Action(kIdPreferences)->trigger();
        frame->View().removeEventFilter(&counter);
        paintsAfterOk = counter.paints;
    }

    static void Click(QWidget& dialog, int id) { dialog.findChild<QCheckBox*>(QString::number(id))->click(); }

    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    int glAccelerator = 0;
    std::unique_ptr<CMainFrame> frame;
    int paintsAfterOk = 0;
};

}  // namespace

TEST_F(FramePreferencesTest, OkStoresTheValuesInTheirOwnersAndPlateVisibleAtOnce) {
    Scene& scene = frame->GetScene();
    const int plateShown = scene.objects[scene.PlateIndex()].visible;
    frame->Settings().sound = 1;
    frame->View().SetDrawBoundingBoxes(0);
    ChangeAndOk([](QWidget& dialog) {
        Click(dialog, 1048);  // sound off
        Click(dialog, 1049);  // plate at the next start
        Click(dialog, 1079);  // boxes while moving
        auto* arrows = dialog.findChild<QLineEdit*>(QStringLiteral("1042"));
        arrows->selectAll();
        QTest::keyClicks(arrows, QStringLiteral("75.5"));
    });
    EXPECT_EQ(frame->Settings().sound, 0);
    EXPECT_EQ(frame->Settings().arrowLength, 75.5f);
    EXPECT_EQ(frame->View().DrawBoundingBoxes(), 1);
    EXPECT_EQ(scripted.settings.IntOr("Settings", "PlateVisible", 0xDEAD), 1u);
    EXPECT_EQ(scene.objects[scene.PlateIndex()].visible, plateShown) << "the plate waits for the next start";
    EXPECT_EQ(scripted.settings.WrittenNames("Settings"), std::vector<std::string>{"PlateVisible"});
    EXPECT_EQ(scripted.settings.operations.back().op, MemorySettingsStore::Op::Sync);
    EXPECT_TRUE(scripted.messages.shown.empty());
    EXPECT_EQ(paintsAfterOk, 0) << "only the viewpoint repaints";
}

TEST_F(FramePreferencesTest, PlateVisibleIsShownFromTheStore) {
    scripted.settings.WriteInt("Settings", "PlateVisible", 1);
    bool shown = false;
    WhenModalAppears(
        [&](QWidget* dialog) { shown = dialog->findChild<QCheckBox*>(QStringLiteral("1049"))->isChecked(); });
    frame->Commands().Action(kIdPreferences)->trigger();
    EXPECT_TRUE(shown);
}

TEST_F(FramePreferencesTest, OnlyViewFromRisingGroundRepaints) {
    ASSERT_EQ(frame->Settings().lookAt, 1);
    ChangeAndOk([](QWidget& dialog) { Click(dialog, 1133); });
    EXPECT_EQ(frame->Settings().lookAt, 0);
    EXPECT_GT(paintsAfterOk, 0);

    ChangeAndOk([](QWidget& dialog) {
        auto* arrows = dialog.findChild<QLineEdit*>(QStringLiteral("1042"));
        arrows->selectAll();
        QTest::keyClicks(arrows, QStringLiteral("20"));
    });
    EXPECT_EQ(frame->Settings().arrowLength, 20.0f);
    EXPECT_EQ(paintsAfterOk, 0);
}

TEST_F(FramePreferencesTest, AnsweringNoKeepsTheAcceleratorAndTheBoxShowsItAgain) {
    scripted.messages.answers.push_back(MessageAnswer::No);
    ChangeAndOk([](QWidget& dialog) {
        Click(dialog, 1076);
        Click(dialog, 1133);  // the viewpoint still repaints after No
    });
    EXPECT_EQ(scripted.messages.Texts(),
              std::vector<std::string>{"Please restart program to apply hardware acceleration status.\n"
                                       "Close program now (Yes) or continue with old settings (No)?"});
    EXPECT_EQ(scripted.messages.shown.front().buttons, MessageButtons::YesNo);
    EXPECT_EQ(glAccelerator, 0);
    EXPECT_TRUE(frame->isVisible());
    EXPECT_GT(paintsAfterOk, 0);

    bool checkedOnReopening = true;
    WhenModalAppears([&](QWidget* dialog) {
        checkedOnReopening = dialog->findChild<QCheckBox*>(QStringLiteral("1076"))->isChecked();
    });
    frame->Commands().Action(kIdPreferences)->trigger();
    EXPECT_FALSE(checkedOnReopening);
}

TEST_F(FramePreferencesTest, AnsweringYesSetsTheAcceleratorAndClosesTheWindow) {
    scripted.messages.answers.push_back(MessageAnswer::Yes);
    ChangeAndOk([](QWidget& dialog) {
        Click(dialog, 1076);
        Click(dialog, 1133);
    });
    EXPECT_EQ(glAccelerator, 1);
    EXPECT_FALSE(frame->isVisible());
    EXPECT_EQ(paintsAfterOk, 0) << "a closing window is not repainted";
}

TEST_F(FramePreferencesTest, CancelChangesNothing) {
    const float arrows = frame->Settings().arrowLength;
    WhenModalAppears([](QWidget* dialog) {
        Click(*dialog, 1076);
        Click(*dialog, 1048);
        Click(*dialog, 1049);
        QTest::mouseClick(dialog->findChild<QPushButton*>(QStringLiteral("2")), Qt::LeftButton);
    });
    frame->Commands().Action(kIdPreferences)->trigger();
    EXPECT_EQ(frame->Settings().sound, 1);
    EXPECT_EQ(frame->Settings().arrowLength, arrows);
    EXPECT_EQ(glAccelerator, 0);
    EXPECT_TRUE(scripted.settings.WrittenNames("Settings").empty());
    EXPECT_TRUE(scripted.messages.shown.empty());
}

TEST_F(FramePreferencesTest, SliderMovesWaitingForApplyStayUnlessTheOpacityScaleChanged) {
    // A model too large for immediate slider changes: they wait for the material "Apply".
    Scene& scene = frame->GetScene();
    SceneObject& model = scene.objects[scene.AddModelSlot()];
    model.vertexCount = 3;
    model.facetCount = 2000000;
    frame->Settings().applyButtonLimit = 1;
    frame->Commands().Action(kIdObjects)->trigger();
    auto* dialog = frame->findChild<QDialog*>(QString::number(kIdObjectsDialog));
    ASSERT_NE(dialog, nullptr);
    auto* objects = static_cast<CObjPropDlg*>(dialog);
    auto* diffuse = dialog->findChild<QSlider*>(QString::number(kIdDiffuseSlider));
    ASSERT_NE(diffuse, nullptr);
    diffuse->setValue(30);
    ASSERT_TRUE(objects->MaterialPending());

    ChangeAndOk([](QWidget& preferences) { Click(preferences, 1133); });
    EXPECT_TRUE(objects->MaterialPending()) << "no opacity scale change: the move still waits";
    EXPECT_EQ(diffuse->value(), 30);

    ChangeAndOk([](QWidget& preferences) { Click(preferences, 1108); });
    EXPECT_FALSE(objects->MaterialPending()) << "the sliders show the new scale";
    EXPECT_EQ(diffuse->value(), 80);
    EXPECT_EQ(model.diffuse, 0.8f);
}
