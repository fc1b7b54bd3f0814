// Drives the real view under Xvfb with mouse, wheel and key events through the window system path
// and checks the controllers, the records and the rendered pixels.
#include "navigation/qt/ViewInputFilter.h"

#include <QTest>
#include <QWheelEvent>
#include <QWindow>

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/Vector3.h"
#include "support/ScriptedServices.h"
#include "tests/render/ViewHarness.h"

namespace {

constexpr int kCentre = kViewSize / 2;
const std::array<int, 3> kBackground{0, 0, 64};

// A visible, opaque plate (record 1, 500 x 500 in the x-z plane) seen from just above its plane,
// with the input adapter on the view.
struct InputHarness {
    InputHarness() : h(1) {
        if (!h.ready) return;
        filter = new ViewInputFilter(
            *h.view, [view = h.view](int moving) { view->SetMoving(moving); }, h.scene, h.settings, h.display,
            tones);
        Plate().colour[3] = 255;
    }
    SceneObject& Plate() { return h.scene.objects[h.scene.PlateIndex()]; }
    CBallController& PlateController() { return h.scene.controllers[h.scene.PlateIndex()]; }
    QWindow* Window() { return h.window.windowHandle(); }
    std::array<int, 3> Pixel(const BgrImage& image, double row) {
        return ViewHarness::Rgb(image, kCentre, static_cast<int>(std::floor(row)));
    }

    RecordingTones tones;
    ViewHarness h;
    ViewInputFilter* filter = nullptr;  // owned by the view
};

// The rotation GL applies for controller matrix m (its transpose).
Vector3 GlRotate(const Matrix4& m, const Vector3& v) {
    return {m.at(0, 0) * v.x + m.at(1, 0) * v.y + m.at(2, 0) * v.z,
            m.at(0, 1) * v.x + m.at(1, 1) * v.y + m.at(2, 1) * v.z,
            m.at(0, 2) * v.x + m.at(1, 2) * v.y + m.at(2, 2) * v.z};
}

// The view row (from the top, continuous) where the frame puts point v of the plate: plate and
// camera rotations, the stage translation, the rising-ground eye and the perspective.
double RowOf(InputHarness& in, const Vector3& v) {
    const SceneObject& plate = in.Plate();
    const Vector3 local{(v.x + plate.position[0]) * plate.scale, (v.y + plate.position[1]) * plate.scale,
                        (v.z + plate.position[2]) * plate.scale};
    Vector3 p = GlRotate(in.h.scene.controllers[0].CurrentMatrix(),
                         GlRotate(in.PlateController().CurrentMatrix(), local));
    const int stage = in.h.settings.stageSize;
    p.z -= static_cast<float>(in.h.scene.state.cameraDistance + stage / 2);
    const double eyeY = p.y - stage / 50.0, eyeZ = p.z - stage / 10.0;
    const double halfHeight = std::tan(in.h.scene.state.fieldOfView * 3.14159265358979 / 360.0);
    const double ndcY = eyeY / (-eyeZ * halfHeight);
    return (1.0 - ndcY) / 2.0 * kViewSize;
}

void ExpectSameOrientation(const Quaternion& a, const Quaternion& b) {
    EXPECT_FLOAT_EQ(a.w, b.w);
    EXPECT_FLOAT_EQ(a.x, b.x);
    EXPECT_FLOAT_EQ(a.y, b.y);
    EXPECT_FLOAT_EQ(a.z, b.z);
}

// After a drag: the near edge of the plate (z = +250) at `nearRow`, the far edge at `farRow`; the
// plate covers the rows between them and nothing beyond.
void ExpectPlateBetween(InputHarness& in, double nearRow, double farRow) {
    const BgrImage image = in.h.view->ReadPixels();
    const double top = std::min(nearRow, farRow), bottom = std::max(nearRow, farRow);
    EXPECT_NE(in.Pixel(image, top + 2), kBackground) << top;
    EXPECT_NE(in.Pixel(image, (top + bottom) / 2), kBackground);
    EXPECT_NE(in.Pixel(image, bottom - 2), kBackground) << bottom;
    EXPECT_EQ(in.Pixel(image, top - 2), kBackground) << top;
    EXPECT_EQ(in.Pixel(image, bottom + 2), kBackground) << bottom;
}

void Drag(QWindow* window, Qt::MouseButton button, int fromY, int toY) {
    QTest::mousePress(window, button, {}, QPoint(kCentre, fromY));
    QTest::mouseMove(window, QPoint(kCentre, (fromY + toY) / 2));
    QTest::mouseMove(window, QPoint(kCentre, toY));
    QTest::mouseRelease(window, button, {}, QPoint(kCentre, toY));
}

}  // namespace

TEST(ViewInputFilter, RightDragOnTheWidgetTurnsThePlateTheWayTheBallSays) {
    InputHarness in;
    ASSERT_TRUE(in.h.ready);
    // Seen edge-on from just above, the plate is a thin band just below the centre.
    const BgrImage before = in.h.view->ReadPixels();
    EXPECT_EQ(in.Pixel(before, 16), kBackground);
    EXPECT_EQ(in.Pixel(before, 50), kBackground);

    CBallController expected = in.PlateController();
    expected.BeginDrag(kCentre, 44);
    expected.DragToInFrame(kCentre, 32, in.h.scene.controllers[0].matrix);
    expected.DragToInFrame(kCentre, 20, in.h.scene.controllers[0].matrix);
    expected.EndDrag();

    QTest::mousePress(in.Window(), Qt::RightButton, {}, QPoint(kCentre, 44));
    EXPECT_EQ(QWidget::mouseGrabber(), in.h.view);  // the capture is held during the drag
    EXPECT_EQ(in.h.view->Moving(), 0);
    QTest::mouseMove(in.Window(), QPoint(kCentre, 32));
    EXPECT_EQ(in.h.view->Moving(), 1);  // the renderer draws the simplified picture
    QTest::mouseMove(in.Window(), QPoint(kCentre, 20));
    QTest::mouseRelease(in.Window(), Qt::RightButton, {}, QPoint(kCentre, 20));
    EXPECT_EQ(in.h.view->Moving(), 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    ExpectSameOrientation(in.PlateController().orientation, expected.orientation);
    EXPECT_EQ(in.h.scene.controllers[0].orientation.w, 1.0f);  // the camera stays
    // Dragging upward tips the near edge up toward the top of the view.
    const double nearRow = RowOf(in, {0.0f, 0.0f, 250.0f});
    const double farRow = RowOf(in, {0.0f, 0.0f, -250.0f});
    EXPECT_LT(nearRow, 20.0);
    EXPECT_GT(farRow, 40.0);
    ExpectPlateBetween(in, nearRow, farRow);
}

TEST(ViewInputFilter, DoubleClickSwitchesToTheCameraWhoseDragTurnsTheWholeScene) {
    InputHarness in;
    ASSERT_TRUE(in.h.ready);
    int switches = 0;
    in.filter->SetModeSwitchedHandler([&switches] { ++switches; });
    QTest::mouseDClick(in.Window(), Qt::LeftButton, {}, QPoint(kCentre, kCentre));
    EXPECT_EQ(in.h.display.moveObjects, 0);
    EXPECT_EQ(switches, 1);
    ASSERT_EQ(in.tones.beeps.size(), 1u);
    EXPECT_EQ(in.tones.beeps[0], (std::pair<int, int>{800, 30}));
    EXPECT_EQ(in.filter->Navigator().translating, 0);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);

    // A downward drag turns the whole scene, the plate's near edge going down with the mouse; the
    // plate's own controller stays.
    CBallController expected = in.h.scene.controllers[0];
    expected.BeginDrag(kCentre, 20);
    expected.DragTo(kCentre, 32);
    expected.DragTo(kCentre, 44);
    Drag(in.Window(), Qt::RightButton, 20, 44);
    ExpectSameOrientation(in.h.scene.controllers[0].orientation, expected.orientation);
    EXPECT_EQ(in.PlateController().orientation.w, 1.0f);
    const double nearRow = RowOf(in, {0.0f, 0.0f, 250.0f});
    const double farRow = RowOf(in, {0.0f, 0.0f, -250.0f});
    EXPECT_GT(nearRow, 44.0);  // the near edge went down, the far edge up
    EXPECT_LT(farRow, 24.0);
    ExpectPlateBetween(in, nearRow, farRow);

    // A camera-mode left drag scales the plate: upward enlarges.
    QTest::mousePress(in.Window(), Qt::LeftButton, {}, QPoint(kCentre, 40));
    QTest::mouseMove(in.Window(), QPoint(kCentre, 30));
    QTest::mouseRelease(in.Window(), Qt::LeftButton, {}, QPoint(kCentre, 30));
    EXPECT_FLOAT_EQ(in.Plate().scale, 1.05f);

    // The right button switches back, with the higher tone; without "Sound" silently.
    QTest::mouseDClick(in.Window(), Qt::RightButton, {}, QPoint(kCentre, kCentre));
    EXPECT_EQ(in.h.display.moveObjects, 1);
    ASSERT_EQ(in.tones.beeps.size(), 2u);
    EXPECT_EQ(in.tones.beeps[1], (std::pair<int, int>{2400, 30}));
    in.h.settings.sound = 0;
    QTest::mouseDClick(in.Window(), Qt::LeftButton, {}, QPoint(kCentre, kCentre));
    EXPECT_EQ(in.h.display.moveObjects, 0);
    EXPECT_EQ(in.tones.beeps.size(), 2u);
    EXPECT_EQ(switches, 3);
}

TEST(ViewInputFilter, KeysAndWheelReachTheNavigation) {
    InputHarness in;
    ASSERT_TRUE(in.h.ready);
    EXPECT_EQ(in.h.view->focusPolicy(), Qt::StrongFocus);

    CBallController expected = in.PlateController();
    expected.RotateByKey(kKeyUp);
    expected.RotateByKey(kKeyNumpad8);
    QTest::keyClick(in.h.view, Qt::Key_Up);
    QTest::keyClick(in.h.view, Qt::Key_8, Qt::KeypadModifier);
    ExpectSameOrientation(in.PlateController().orientation, expected.orientation);
    QTest::keyClick(in.h.view, Qt::Key_PageDown);
    QTest::keyClick(in.h.view, Qt::Key_End);
    ExpectSameOrientation(in.PlateController().orientation, expected.orientation);

    // The Movements buttons reach the same handler.
    in.filter->SendKey(kKeyLeft);
    expected.RotateByKey(kKeyLeft);
    ExpectSameOrientation(in.PlateController().orientation, expected.orientation);

    // 'F' moves toward the viewer by the movement increment, seen at the plate's scale.
    in.h.settings.movementIncrement = 40;
    const double nearBefore = RowOf(in, {0.0f, 0.0f, 250.0f});
    QTest::keyClick(in.h.view, Qt::Key_F);
    const SceneObject& plate = in.Plate();
    const Vector3 moved = GlRotate(in.PlateController().matrix,
                                   Vector3{plate.position[0], plate.position[1], plate.position[2]});
    EXPECT_NEAR(moved.x, 0.0f, 1e-4f);
    EXPECT_NEAR(moved.y, 0.0f, 1e-4f);
    EXPECT_NEAR(moved.z, 40.0f, 1e-4f);
    EXPECT_NE(RowOf(in, {0.0f, 0.0f, 250.0f}), nearBefore);

    // One notch away from the user moves the eye away; a sideways turn does nothing.
    QWheelEvent away(QPointF(kCentre, kCentre), QPointF(kCentre, kCentre), QPoint(), QPoint(0, 120),
                     Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(in.h.view, &away);
    EXPECT_DOUBLE_EQ(in.h.scene.state.cameraDistance, 8.16);
    QWheelEvent sideways(QPointF(kCentre, kCentre), QPointF(kCentre, kCentre), QPoint(), QPoint(120, 0),
                         Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(in.h.view, &sideways);
    EXPECT_DOUBLE_EQ(in.h.scene.state.cameraDistance, 8.16);
}
