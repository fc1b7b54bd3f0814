#include "navigation/CBallController.h"

#include <algorithm>
#include <cmath>
#include <iterator>

#include "navigation/Vector3.h"
#include "scene/SceneObject.h"

namespace {

// Lifts a normalised position onto the ball: a sphere inside d < 0.5, a hyperbolic sheet outside,
// meeting continuously at d = 0.5.
Vector3 Lift(float nx, float ny) {
    const float d = nx * nx + ny * ny;
    const float z = d < 0.5f ? std::sqrt(1.0f - d) : 1.0f / (2.0f * std::sqrt(d));
    return {nx, ny, z};
}

// Component i = sum_j frame(i, j) * p_j over the upper-left 3x3, read row-major.
Vector3 Transform(const Matrix4& frame, const Vector3& p) {
    return {frame.at(0, 0) * p.x + frame.at(0, 1) * p.y + frame.at(0, 2) * p.z,
            frame.at(1, 0) * p.x + frame.at(1, 1) * p.y + frame.at(1, 2) * p.z,
            frame.at(2, 0) * p.x + frame.at(2, 1) * p.y + frame.at(2, 2) * p.z};
}

// Rotation carrying lifted point p0 to p1; the chord is clamped so a step never exceeds 180 degrees.
Quaternion StepBetween(const Vector3& p0, const Vector3& p1, float radius) {
    Vector3 axis = Cross(p1, p0);
    if (std::fabs(axis.x) < 1e-7f && std::fabs(axis.y) < 1e-7f && std::fabs(axis.z) < 1e-7f) axis = kAxisX;
    const float t = std::clamp(Length(p0 - p1) / (2.0f * radius), -1.0f, 1.0f);
    const float angle = 2.0f * std::asin(t);
    const Vector3 v = std::sin(angle / 2.0f) * Normalize(axis);
    return {std::cos(angle / 2.0f), v.x, v.y, v.z};
}

struct KeyRotation {
    int code;
    Vector3 axis;
    int sign;
};

constexpr KeyRotation kKeyRotations[] = {
    {kKeyUp, kAxisX, 1},     {kKeyNumpad8, kAxisX, 1}, {kKeyDown, kAxisX, -1},  {kKeyNumpad2, kAxisX, -1},
    {kKeyLeft, kAxisY, 1},   {kKeyNumpad4, kAxisY, 1}, {kKeyRight, kAxisY, -1}, {kKeyNumpad6, kAxisY, -1},
    {kKeyPageUp, kAxisZ, 1}, {kKeyNumpad9, kAxisZ, 1}, {kKeyHome, kAxisZ, -1},  {kKeyNumpad7, kAxisZ, -1},
};

}  // namespace

CBallController::CBallController() {
    Reset();
}

CBallController::~CBallController() = default;

void CBallController::Reset() {
    keyStepDeg = 5;
    radius = 0.6f;
    viewWidth = 0.0f;
    viewHeight = 0.0f;
    lastPoint[0] = lastPoint[1] = 0.0f;
    dragging = 0;
    orientation = Quaternion{1.0f, 0.0f, 0.0f, 0.0f};  // a rotation of angle 0 about X
    matrix = IdentityMatrix();
}

void CBallController::SetViewSize(int width, int height) {
    viewWidth = static_cast<float>(width);
    viewHeight = static_cast<float>(height);
}

bool CBallController::HasViewSize() const {
    return viewWidth != 0.0f && viewHeight != 0.0f;
}

void CBallController::BeginDrag(int x, int y) {
    // Without a view size the normalisation divides by zero and a NaN would stick in the orientation.
    if (!HasViewSize()) return;
    lastPoint[0] = (2.0f * static_cast<float>(x) - viewWidth) / viewWidth;
    lastPoint[1] = (viewHeight - 2.0f * static_cast<float>(y)) / viewHeight;
    dragging = 1;
}

void CBallController::DragTo(int x, int y) {
    DragStep(x, y, nullptr);
}

void CBallController::DragToInFrame(int x, int y, const Matrix4& cameraMatrix) {
    DragStep(x, y, &cameraMatrix);
}

void CBallController::DragStep(int x, int y, const Matrix4* frame) {
    if (!dragging || !HasViewSize()) return;
    const float nx = (2.0f * static_cast<float>(x) - viewWidth) / viewWidth;
    const float ny = (viewHeight - 2.0f * static_cast<float>(y)) / viewHeight;
    Vector3 p0 = Lift(lastPoint[0], lastPoint[1]);
    Vector3 p1 = Lift(nx, ny);
    if (frame != nullptr) {
        p0 = Transform(*frame, p0);
        p1 = Transform(*frame, p1);
    }
    orientation = orientation * StepBetween(p0, p1, radius);
    lastPoint[0] = nx;
    lastPoint[1] = ny;
    matrix = ToMatrix(orientation);
}

void CBallController::EndDrag() {
    dragging = 0;
    lastPoint[0] = lastPoint[1] = 0.0f;
    matrix = ToMatrix(orientation);
}

void CBallController::RotateByKey(int virtualKeyCode) {
    const KeyRotation* key =
        std::find_if(std::begin(kKeyRotations), std::end(kKeyRotations),
                     [virtualKeyCode](const KeyRotation& k) { return k.code == virtualKeyCode; });
    if (key == std::end(kKeyRotations)) return;
    const double theta = key->sign * keyStepDeg * 0.01745329251994;
    const float s = static_cast<float>(std::sin(theta / 2.0));
    const Quaternion step{static_cast<float>(std::cos(theta / 2.0)), s * key->axis.x, s * key->axis.y,
                          s * key->axis.z};
    orientation = orientation * step;
    EndDrag();
}

Matrix4 CBallController::CurrentMatrix() const {
    return ToMatrix(orientation);
}

void CopyControllerToRecord(const CBallController& controller, SceneObject& record) {
    const Quaternion& q = controller.orientation;
    record.quaternion[0] = q.w;
    record.quaternion[1] = q.x;
    record.quaternion[2] = q.y;
    record.quaternion[3] = q.z;
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            record.rotation[3 * r + c] = controller.matrix.at(c, r);
    }
}

void LoadControllerFromRecord(const SceneObject& record, CBallController& controller) {
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            controller.matrix.at(c, r) = record.rotation[3 * r + c];
    }
    controller.orientation = {record.quaternion[0], record.quaternion[1], record.quaternion[2],
                              record.quaternion[3]};
}
