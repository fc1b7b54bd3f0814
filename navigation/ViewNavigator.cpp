#include "navigation/ViewNavigator.h"

#include <cmath>
#include <cstdlib>

#include "navigation/ControlledScene.h"
#include "navigation/MovementOperations.h"
#include "navigation/StageLimit.h"
#include "platform/ProgramSettings.h"
#include "scene/DisplayState.h"

namespace {

// A scaling drag shorter than this (in pixels along the diagonal) is dropped.
constexpr int kMinimumScaleStep = 3;

NavigationResponse Repaint() {
    NavigationResponse response;
    response.repaint = true;
    return response;
}

}  // namespace

ViewNavigator::ViewNavigator(ControlledScene& scene, const ProgramSettings& settings, DisplayState& display)
    : scene_(scene), settings_(settings), display_(display) {}

bool ViewNavigator::MoveObjects() const {
    return display_.moveObjects != 0;
}

NavigationResponse ViewNavigator::ButtonDown(MouseButton button, int x, int y) {
    if (button == MouseButton::Left) {
        translating = 1;
        lastLeftPoint[0] = x;
        lastLeftPoint[1] = y;
    } else {
        rotating = 1;
        if (MoveObjects()) {
            for (int k = 1; k < kRecordCount; ++k) {
                if (scene_.objects[k].movable != 0) scene_.controllers[k].BeginDrag(x, y);
            }
        } else {
            scene_.controllers[0].BeginDrag(x, y);
        }
    }
    NavigationResponse response;
    response.capture = MouseCapture::Take;
    return response;
}

NavigationResponse ViewNavigator::ButtonUp(MouseButton button) {
    if (button == MouseButton::Left) {
        translating = 0;
    } else {
        rotating = 0;
        if (MoveObjects()) {
            for (int k = 1; k < kRecordCount; ++k) {
                if (scene_.objects[k].movable != 0) scene_.controllers[k].EndDrag();
            }
        } else {
            scene_.controllers[0].EndDrag();
        }
    }
    moving = 0;
    NavigationResponse response = Repaint();
    response.capture = MouseCapture::Release;
    return response;
}

NavigationResponse ViewNavigator::MouseMove(int x, int y) {
    NavigationResponse response;
    if (rotating != 0) {
        moving = 1;
        if (MoveObjects()) {
            const Matrix4& camera = scene_.controllers[0].matrix;
            for (int k = 1; k < kRecordCount; ++k) {
                if (scene_.objects[k].movable != 0) scene_.controllers[k].DragToInFrame(x, y, camera);
            }
        } else {
            scene_.controllers[0].DragTo(x, y);
        }
        response.repaint = true;
    }
    if (translating != 0) {
        moving = 1;
        TranslateStep(x, y);
        response.repaint = true;
    }
    return response;
}

void ViewNavigator::TranslateStep(int x, int y) {
    const int dx = lastLeftPoint[0] - x;
    const int dy = lastLeftPoint[1] - y;
    // The reference point advances even when the step is dropped, so slow movements do not add up.
    lastLeftPoint[0] = x;
    lastLeftPoint[1] = y;
    if (!MoveObjects()) {
        const int n = dy - dx;  // upward and rightward movements enlarge
        if (std::abs(n) < kMinimumScaleStep) return;
        ScaleMovable(scene_, n);
        return;
    }
    // The factor grows with the viewing distance and the field of view.
    const double f = (settings_.stageSize + scene_.state.cameraDistance) * 5e-6 * scene_.state.fieldOfView;
    const Vector3 t{static_cast<float>(-dx * f), static_cast<float>(dy * f), 0.0f};
    DisplaceMovable(scene_, settings_, t, false);
}

NavigationResponse ViewNavigator::DoubleClick() {
    display_.moveObjects = MoveObjects() ? 0 : 1;
    NavigationResponse response = Repaint();
    if (settings_.sound != 0) {
        response.playTone = true;
        response.tone = MoveObjects() ? kMoveObjectsTone : kMoveCameraTone;
    }
    return response;
}

NavigationResponse ViewNavigator::Wheel(int16_t delta) {
    const double sign = settings_.mouseWheel != 0 ? -1.0 : 1.0;
    const int32_t halfStage = settings_.stageSize / 2;
    // Larger steps farther from the stage centre.
    const double k = std::fabs(std::trunc((halfStage + scene_.state.cameraDistance) / 40.0)) + 5;
    scene_.state.cameraDistance += k * (delta * sign / 250.0);
    if (StageLimited(settings_.bgMode))
        scene_.state.cameraDistance = ClampCameraDistance(scene_.state.cameraDistance, settings_.stageSize);
    return Repaint();
}

NavigationResponse ViewNavigator::KeyDown(int virtualKeyCode) {
    const float m = static_cast<float>(settings_.movementIncrement);
    float a = 0.0f, b = 0.0f, c = 0.0f;
    switch (virtualKeyCode) {
        case kKeyU:
            b = m;
            break;
        case kKeyD:
            b = -m;
            break;
        case kKeyL:
            a = m;
            break;
        case kKeyR:
            a = -m;
            break;
        case kKeyF:
            c = m;
            break;
        case kKeyB:
            c = -m;
            break;
        default:
            break;
    }
    // The camera is never turned by keys.
    for (int k = 1; k < kRecordCount; ++k) {
        if (scene_.objects[k].movable != 0) scene_.controllers[k].RotateByKey(virtualKeyCode);
    }
    TranslateMovable(scene_, settings_, a, b, c, false);
    return Repaint();
}
