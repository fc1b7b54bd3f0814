// Replays mouse, wheel and key input on a scene without a window.
#include "navigation/ViewNavigator.h"

#include <gtest/gtest.h>

#include <cstring>

#include "navigation/CBallController.h"
#include "navigation/ControlledScene.h"
#include "platform/ProgramSettings.h"
#include "scene/DisplayState.h"

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Two models (records 1, 2) and the plate (record 3), controllers sized as the view does it.
struct Navigation {
    Navigation() {
        scene.AddModelSlot();
        scene.AddModelSlot();
        for (CBallController& controller : scene.controllers)
            controller.SetViewSize(kWidth, kHeight);
    }
    // Everything input may change, to compare before and after.
    struct Snapshot {
        double cameraDistance;
        float positions[kRecordCount][3];
        float scales[kRecordCount];
        Quaternion orientations[kRecordCount];
    };
    Snapshot Take() const {
        Snapshot s;
        s.cameraDistance = scene.state.cameraDistance;
        for (int k = 0; k < kRecordCount; ++k) {
            std::memcpy(s.positions[k], scene.objects[k].position, sizeof s.positions[k]);
            s.scales[k] = scene.objects[k].scale;
            s.orientations[k] = scene.controllers[k].orientation;
        }
        return s;
    }
    void ExpectUnchanged(const Snapshot& before) const {
        const Snapshot now = Take();
        EXPECT_EQ(now.cameraDistance, before.cameraDistance);
        for (int k = 0; k < kRecordCount; ++k) {
            EXPECT_EQ(std::memcmp(now.positions[k], before.positions[k], sizeof now.positions[k]), 0) << k;
            EXPECT_EQ(now.scales[k], before.scales[k]) << k;
            EXPECT_EQ(std::memcmp(&now.orientations[k], &before.orientations[k], sizeof(Quaternion)), 0) << k;
        }
    }

    ControlledScene scene;
    ProgramSettings settings;
    DisplayState display;
    ViewNavigator navigator{scene, settings, display};
};

void ExpectSameOrientation(const Quaternion& a, const Quaternion& b) {
    EXPECT_EQ(a.w, b.w);
    EXPECT_EQ(a.x, b.x);
    EXPECT_EQ(a.y, b.y);
    EXPECT_EQ(a.z, b.z);
}

}  // namespace

TEST(ViewNavigator, ButtonsTakeAndReleaseTheCaptureAndClearMoving) {
    Navigation n;
    NavigationResponse down = n.navigator.ButtonDown(MouseButton::Left, 10, 20);
    EXPECT_EQ(down.capture, MouseCapture::Take);
    EXPECT_FALSE(down.repaint);
    EXPECT_EQ(n.navigator.translating, 1);
    EXPECT_EQ(n.navigator.moving, 0);
    EXPECT_TRUE(n.navigator.MouseMove(30, 20).repaint);
    EXPECT_EQ(n.navigator.moving, 1);

    EXPECT_EQ(n.navigator.ButtonDown(MouseButton::Right, 30, 20).capture, MouseCapture::Take);
    EXPECT_EQ(n.navigator.rotating, 1);
    EXPECT_EQ(n.scene.controllers[1].dragging, 1);
    EXPECT_EQ(n.scene.controllers[0].dragging, 0);

    NavigationResponse up = n.navigator.ButtonUp(MouseButton::Left);
    EXPECT_EQ(up.capture, MouseCapture::Release);
    EXPECT_TRUE(up.repaint);
    EXPECT_EQ(n.navigator.translating, 0);
    EXPECT_EQ(n.navigator.moving, 0);
    EXPECT_EQ(n.navigator.rotating, 1);
    n.navigator.ButtonUp(MouseButton::Right);
    EXPECT_EQ(n.navigator.rotating, 0);
    EXPECT_EQ(n.scene.controllers[1].dragging, 0);

    // Moves without a button change nothing and ask for nothing.
    const Navigation::Snapshot before = n.Take();
    EXPECT_FALSE(n.navigator.MouseMove(300, 200).repaint);
    EXPECT_EQ(n.navigator.moving, 0);
    n.ExpectUnchanged(before);
}

TEST(ViewNavigator, RightDragTurnsEachMovableObjectThroughTheCameraOrTheCameraItself) {
    Navigation n;
    n.scene.objects[2].movable = 0;
    n.scene.controllers[0].orientation = Quaternion{0.8f, 0.6f, 0.0f, 0.0f};
    n.scene.controllers[0].EndDrag();
    CBallController expected = n.scene.controllers[1];
    expected.BeginDrag(400, 300);
    expected.DragToInFrame(480, 250, n.scene.controllers[0].matrix);
    expected.DragToInFrame(530, 260, n.scene.controllers[0].matrix);

    n.navigator.ButtonDown(MouseButton::Right, 400, 300);
    n.navigator.MouseMove(480, 250);
    n.navigator.MouseMove(530, 260);
    ExpectSameOrientation(n.scene.controllers[1].orientation, expected.orientation);
    ExpectSameOrientation(n.scene.controllers[3].orientation, expected.orientation);  // the plate turns too
    EXPECT_EQ(n.scene.controllers[2].orientation.w, 1.0f);
    EXPECT_EQ(n.scene.controllers[0].orientation.w, 0.8f);
    n.navigator.ButtonUp(MouseButton::Right);

    // Move Camera: only the camera turns, in its own frame.
    n.display.moveObjects = 0;
    CBallController camera = n.scene.controllers[0];
    camera.BeginDrag(100, 100);
    camera.DragTo(140, 90);
    const Quaternion object = n.scene.controllers[1].orientation;
    n.navigator.ButtonDown(MouseButton::Right, 100, 100);
    n.navigator.MouseMove(140, 90);
    ExpectSameOrientation(n.scene.controllers[0].orientation, camera.orientation);
    ExpectSameOrientation(n.scene.controllers[1].orientation, object);
}

TEST(ViewNavigator, CameraModeScalingDropsStepsBelowThreePixelsAndAdvancesTheReferencePoint) {
    Navigation n;
    n.display.moveObjects = 0;
    const Navigation::Snapshot before = n.Take();
    n.navigator.ButtonDown(MouseButton::Left, 100, 100);
    n.navigator.MouseMove(102, 100);  // n = 2: dropped
    n.ExpectUnchanged(before);
    EXPECT_EQ(n.navigator.lastLeftPoint[0], 102);
    EXPECT_EQ(n.navigator.moving, 1);
    n.navigator.MouseMove(104, 100);  // measured from 102, not from 100: dropped again
    n.ExpectUnchanged(before);

    n.navigator.MouseMove(104, 97);  // upward by 3 enlarges
    EXPECT_FLOAT_EQ(n.scene.objects[1].scale, 1.015f);
    EXPECT_FLOAT_EQ(n.scene.objects[3].scale, 1.015f);
    n.navigator.MouseMove(100, 97);  // leftward by 4 shrinks
    EXPECT_FLOAT_EQ(n.scene.objects[1].scale, 0.995f);
    EXPECT_EQ(n.scene.objects[0].scale, 1.0f);

    // Dragging far keeps the scale exactly at its bounds.
    n.navigator.MouseMove(100, 100000);
    EXPECT_EQ(n.scene.objects[1].scale, 0.02f);
    n.navigator.MouseMove(100, -500000);
    EXPECT_EQ(n.scene.objects[2].scale, 1000.0f);
}

TEST(ViewNavigator, ObjectModeLeftDragMovesTheObjectsWithTheMouse) {
    Navigation n;
    n.settings.bgMode = 1;
    n.scene.objects[2].scale = 4.0f;
    n.scene.objects[3].position[1] = 999.0f;
    n.navigator.ButtonDown(MouseButton::Left, 100, 100);
    n.navigator.MouseMove(110, 95);  // right 10, up 5
    // f = (1000 + 0) * 5e-6 * 70 = 0.35 scene units per pixel, in each object's own scaled frame.
    EXPECT_FLOAT_EQ(n.scene.objects[1].position[0], 3.5f);
    EXPECT_FLOAT_EQ(n.scene.objects[1].position[1], 1.75f);
    EXPECT_FLOAT_EQ(n.scene.objects[2].position[0], 3.5f);
    EXPECT_EQ(n.scene.objects[3].position[1], 1000.0f);  // the stage limit
    EXPECT_EQ(n.scene.objects[0].position[0], 0.0f);

    // The factor grows with the eye distance and the field of view.
    n.scene.state.cameraDistance = 1000.0;
    n.scene.state.fieldOfView = 35;
    n.navigator.MouseMove(100, 95);
    EXPECT_FLOAT_EQ(n.scene.objects[1].position[0], 0.0f);
}

TEST(ViewNavigator, WheelStopsAtTheStageLimitOnlyWhileACubeIsShown) {
    Navigation n;
    // k = |trunc((500 + 0) / 40)| + 5 = 17; one notch moves 17 * 120 / 250.
    EXPECT_TRUE(n.navigator.Wheel(120).repaint);
    EXPECT_DOUBLE_EQ(n.scene.state.cameraDistance, 8.16);
    n.settings.mouseWheel = 1;
    n.navigator.Wheel(120);
    EXPECT_NEAR(n.scene.state.cameraDistance, 0.0, 1e-12);
    n.settings.mouseWheel = 0;

    n.settings.bgMode = 1;
    for (int i = 0; i < 200; ++i) {
        n.navigator.Wheel(120);
        ASSERT_LE(n.scene.state.cameraDistance, 399.0);
    }
    EXPECT_EQ(n.scene.state.cameraDistance, 399.0);
    for (int i = 0; i < 400; ++i) {
        n.navigator.Wheel(-120);
        ASSERT_GE(n.scene.state.cameraDistance, -1599.0);
    }
    EXPECT_EQ(n.scene.state.cameraDistance, -1599.0);

    n.settings.bgMode = 0;
    for (int i = 0; i < 20; ++i)
        n.navigator.Wheel(-120);
    EXPECT_LT(n.scene.state.cameraDistance, -1599.0);
    n.scene.state.cameraDistance = 0.0;
    for (int i = 0; i < 200; ++i)
        n.navigator.Wheel(120);
    EXPECT_GT(n.scene.state.cameraDistance, 399.0);
}

TEST(ViewNavigator, LetterKeysMoveAndArrowKeysTurnTheMovableObjectsOnly) {
    Navigation n;
    n.scene.objects[2].movable = 0;
    n.settings.movementIncrement = 10;
    n.navigator.KeyDown(kKeyU);
    n.navigator.KeyDown(kKeyL);
    n.navigator.KeyDown(kKeyF);
    n.navigator.KeyDown(kKeyF);
    EXPECT_EQ(n.scene.objects[1].position[0], -10.0f);
    EXPECT_EQ(n.scene.objects[1].position[1], 10.0f);
    EXPECT_EQ(n.scene.objects[1].position[2], 20.0f);
    n.navigator.KeyDown(kKeyD);
    n.navigator.KeyDown(kKeyR);
    n.navigator.KeyDown(kKeyB);
    EXPECT_EQ(n.scene.objects[1].position[0], 0.0f);
    EXPECT_EQ(n.scene.objects[1].position[1], 0.0f);
    EXPECT_EQ(n.scene.objects[1].position[2], 10.0f);
    EXPECT_EQ(n.scene.objects[2].position[2], 0.0f);

    for (int key : {kKeyUp, kKeyNumpad8, kKeyLeft, kKeyPageUp}) {
        CBallController expected = n.scene.controllers[1];
        expected.RotateByKey(key);
        EXPECT_TRUE(n.navigator.KeyDown(key).repaint);
        ExpectSameOrientation(n.scene.controllers[1].orientation, expected.orientation);
        ExpectSameOrientation(n.scene.controllers[127].orientation, expected.orientation);
    }
    EXPECT_EQ(n.scene.controllers[2].orientation.w, 1.0f);  // not movable
    EXPECT_EQ(n.scene.controllers[0].orientation.w, 1.0f);  // the camera never turns by keys
}

TEST(ViewNavigator, OtherKeysOnlyClampTheEyeAndRepaint) {
    Navigation n;
    n.settings.bgMode = 1;
    n.scene.state.cameraDistance = 5000.0;
    n.scene.controllers[1].orientation = Quaternion{0.6f, 0.0f, 0.8f, 0.0f};
    Navigation::Snapshot before = n.Take();
    before.cameraDistance = 399.0;
    for (int key : {kKeyPageDown, kKeyEnd, 0x58, 0x20, 0}) {
        EXPECT_TRUE(n.navigator.KeyDown(key).repaint) << key;
        n.ExpectUnchanged(before);
    }
}

TEST(ViewNavigator, WithoutMovableObjectsDragsAndKeysOnlyRepaint) {
    Navigation n;
    for (SceneObject& record : n.scene.objects)
        record.movable = 0;
    const Navigation::Snapshot before = n.Take();
    n.navigator.ButtonDown(MouseButton::Right, 400, 300);
    n.navigator.ButtonDown(MouseButton::Left, 400, 300);
    EXPECT_TRUE(n.navigator.MouseMove(500, 200).repaint);
    n.navigator.ButtonUp(MouseButton::Left);
    n.navigator.ButtonUp(MouseButton::Right);
    for (int key : {kKeyU, kKeyD, kKeyL, kKeyR, kKeyF, kKeyB, kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyHome,
                    kKeyPageUp})
        EXPECT_TRUE(n.navigator.KeyDown(key).repaint);
    n.ExpectUnchanged(before);

    // Camera-mode scaling has nothing to scale either.
    n.display.moveObjects = 0;
    n.navigator.ButtonDown(MouseButton::Left, 0, 0);
    n.navigator.MouseMove(50, -50);
    n.ExpectUnchanged(before);
}

TEST(ViewNavigator, DoubleClickSwitchesTheModeWithItsTone) {
    Navigation n;
    NavigationResponse toCamera = n.navigator.DoubleClick();
    EXPECT_EQ(n.display.moveObjects, 0);
    EXPECT_TRUE(toCamera.repaint);
    ASSERT_TRUE(toCamera.playTone);
    EXPECT_EQ(toCamera.tone.frequencyHz, 800);
    EXPECT_EQ(toCamera.tone.durationMs, 30);

    NavigationResponse toObjects = n.navigator.DoubleClick();
    EXPECT_EQ(n.display.moveObjects, 1);
    ASSERT_TRUE(toObjects.playTone);
    EXPECT_EQ(toObjects.tone.frequencyHz, 2400);
    EXPECT_EQ(toObjects.tone.durationMs, 30);

    n.settings.sound = 0;
    NavigationResponse silent = n.navigator.DoubleClick();
    EXPECT_EQ(n.display.moveObjects, 0);
    EXPECT_FALSE(silent.playTone);
    EXPECT_TRUE(silent.repaint);
}
