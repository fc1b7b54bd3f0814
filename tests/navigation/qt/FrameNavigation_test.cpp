// Navigation wired into the real main frame: input on its view, Reset Positions, the Movements
// window command and the mode check marks after a double-click.
#include <QAction>
#include <QPushButton>
#include <QTest>
#include <QWindow>

#include <gtest/gtest.h>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "navigation/CBallController.h"
#include "navigation/qt/CMovementsDlg.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"
#include "resources/MovementsIds.h"
#include "support/ScriptedServices.h"

namespace {

struct FrameNavigation : ::testing::Test {
    void SetUp() override {
        FrameStartup startup;
        startup.programPath = "/opt/pexora/bin/pexora";
        startup.plateVisible = 1;
        frame = std::make_unique<CMainFrame>(services, startup);
        frame->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(frame.get()));
        Plate().colour[3] = 255;
    }
    CPexoraView& View() { return frame->View(); }
    ControlledScene& GetScene() { return frame->GetScene(); }
    SceneObject& Plate() { return GetScene().objects[GetScene().PlateIndex()]; }
    CBallController& PlateController() { return GetScene().controllers[GetScene().PlateIndex()]; }
    QAction* Command(int id) { return frame->Commands().Action(id); }
    // A point of the view in the frame window's coordinates.
    QPoint InWindow(int x, int y) { return View().mapTo(frame.get(), QPoint(x, y)); }
    QWindow* Window() { return frame->windowHandle(); }

    // The rows of the view's middle column that show something other than the stage colour.
    std::vector<int> CoveredRows() {
        const BgrImage image = View().ReadPixels();
        std::vector<int> rows;
        for (int y = 0; y < image.height; ++y) {
            const uint8_t* p = image.PixelFromTop(image.width / 2, y);
            if (p[0] != 64 || p[1] != 0 || p[2] != 0) rows.push_back(y);
        }
        return rows;
    }

    ScriptedServices scripted;
    PlatformServices services = scripted.Services();
    std::unique_ptr<CMainFrame> frame;
};

}  // namespace

TEST_F(FrameNavigation, RightDragOnTheFrameViewTipsThePlateTowardTheViewer) {
    const int cx = View().width() / 2, cy = View().height() / 2;
    const std::vector<int> before = CoveredRows();
    ASSERT_FALSE(before.empty());
    EXPECT_LT(before.size(), static_cast<size_t>(View().height() / 20));  // seen edge-on: a thin band
    EXPECT_GE(before.front(), View().height() / 2 - 2);

    CBallController expected = PlateController();
    expected.BeginDrag(cx, cy + 60);
    expected.DragToInFrame(cx, cy - 60, GetScene().controllers[0].matrix);
    QTest::mousePress(Window(), Qt::RightButton, {}, InWindow(cx, cy + 60));
    QTest::mouseMove(Window(), InWindow(cx, cy - 60));
    EXPECT_EQ(View().Moving(), 1);
    QTest::mouseRelease(Window(), Qt::RightButton, {}, InWindow(cx, cy - 60));
    EXPECT_EQ(View().Moving(), 0);
    EXPECT_FLOAT_EQ(PlateController().orientation.w, expected.orientation.w);
    EXPECT_FLOAT_EQ(PlateController().orientation.x, expected.orientation.x);

    // Turned toward the viewer, the plate now fills a tall band whose near edge rose above the centre.
    const std::vector<int> after = CoveredRows();
    ASSERT_FALSE(after.empty());
    EXPECT_GT(after.size(), static_cast<size_t>(View().height() / 4));
    EXPECT_LT(after.front(), View().height() / 2 - 20);
}

TEST_F(FrameNavigation, DoubleClickOnTheViewMovesTheCheckMarkAtOnce) {
    EXPECT_TRUE(Command(kIdMoveObjects)->isChecked());
    QTest::mouseDClick(Window(), Qt::LeftButton, {}, InWindow(10, 10));
    EXPECT_EQ(frame->Display().moveObjects, 0);
    EXPECT_TRUE(Command(kIdMoveCamera)->isChecked());
    EXPECT_FALSE(Command(kIdMoveObjects)->isChecked());
    EXPECT_EQ(scripted.tones.beeps, (std::vector<std::pair<int, int>>{{800, 30}}));
}

TEST_F(FrameNavigation, ResetPositionsPutsBackWhatKeysAndWheelChanged) {
    EXPECT_EQ(frame->focusWidget(), &View());
    QTest::keyClick(&View(), Qt::Key_U);
    QTest::keyClick(&View(), Qt::Key_Up);
    QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), QPoint(), QPoint(0, -240), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &wheel);
    GetScene().controllers[1].keyStepDeg = 20;
    Plate().scale = 2.0f;
    EXPECT_NE(PlateController().orientation.w, 1.0f);
    EXPECT_EQ(Plate().position[1], 10.0f);
    EXPECT_NE(GetScene().state.cameraDistance, 0.0);

    ASSERT_TRUE(Command(kIdResetPositions)->isEnabled());
    Command(kIdResetPositions)->trigger();
    EXPECT_EQ(PlateController().orientation.w, 1.0f);
    EXPECT_EQ(Plate().position[1], 0.0f);
    EXPECT_EQ(Plate().scale, 1.0f);
    EXPECT_EQ(GetScene().state.cameraDistance, 0.0);
    for (const CBallController& controller : GetScene().controllers) {
        EXPECT_EQ(controller.keyStepDeg, 5);
        EXPECT_EQ(controller.viewWidth, static_cast<float>(View().width()));
        EXPECT_EQ(controller.viewHeight, static_cast<float>(View().height()));
    }
    // Move to Object needs the Objects dialog's current object.
    EXPECT_FALSE(Command(kIdMoveToObject)->isEnabled());
}

TEST_F(FrameNavigation, MovementsCommandTogglesTheWindowWhoseButtonsMoveThePlate) {
    QAction* movements = Command(kIdMovements);
    ASSERT_TRUE(movements->isEnabled());
    EXPECT_FALSE(movements->isChecked());
    movements->trigger();
    EXPECT_TRUE(movements->isChecked());
    auto* window = frame->findChild<CMovementsDlg*>();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());

    frame->Settings().movementIncrement = 30;
    QTest::mouseClick(window->findChild<QPushButton*>(QString::number(kIdMoveUpButton)), Qt::LeftButton);
    EXPECT_EQ(Plate().position[1], 30.0f);
    const Quaternion before = PlateController().orientation;
    QTest::mouseClick(window->findChild<QPushButton*>(QString::number(kIdTurnUpButton)), Qt::LeftButton);
    CBallController expected;
    expected.orientation = before;
    expected.RotateByKey(kKeyUp);
    EXPECT_FLOAT_EQ(PlateController().orientation.w, expected.orientation.w);
    EXPECT_FLOAT_EQ(PlateController().orientation.x, expected.orientation.x);

    movements->trigger();
    EXPECT_FALSE(movements->isChecked());
    EXPECT_FALSE(window->isVisible());
}
