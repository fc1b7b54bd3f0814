#include "navigation/CBallController.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/Vector3.h"
#include "scene/SceneObject.h"

namespace {

constexpr double kDegrees = 180.0 / 3.14159265358979323846;

// Rotation angle in degrees and unit axis of a unit quaternion.
double AngleOf(const Quaternion& q) {
    return 2.0 * std::acos(std::fmin(1.0, std::fabs(q.w))) * kDegrees;
}

void ExpectMatrixNear(const Matrix4& a, const Matrix4& b, float tolerance) {
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(a.m[i], b.m[i], tolerance) << "element " << i;
}

CBallController SizedController() {
    CBallController controller;
    controller.SetViewSize(800, 600);
    return controller;
}

}  // namespace

TEST(CBallController, DragFromCentreToRightEdgeTurns137DegreesAboutMinusY) {
    CBallController controller = SizedController();
    controller.BeginDrag(400, 300);
    EXPECT_EQ(controller.dragging, 1);
    controller.DragTo(800, 300);

    const Quaternion& q = controller.orientation;
    EXPECT_NEAR(AngleOf(q), 137.4, 0.05);
    const float s = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    EXPECT_NEAR(q.y / s, -1.0f, 1e-6f);
    EXPECT_NEAR(q.x, 0.0f, 1e-7f);
    EXPECT_NEAR(q.z, 0.0f, 1e-7f);
    EXPECT_FLOAT_EQ(controller.lastPoint[0], 1.0f);
    EXPECT_FLOAT_EQ(controller.lastPoint[1], 0.0f);
    ExpectMatrixNear(controller.matrix, ToMatrix(q), 0.0f);

    controller.EndDrag();
    EXPECT_EQ(controller.dragging, 0);
    EXPECT_EQ(controller.lastPoint[0], 0.0f);
    controller.DragTo(0, 0);  // not dragging: ignored
    EXPECT_NEAR(AngleOf(controller.orientation), 137.4, 0.05);
}

TEST(CBallController, DegenerateStepsAndTheChordClamp) {
    CBallController controller = SizedController();
    controller.BeginDrag(123, 456);
    controller.DragTo(123, 456);  // coincident points: axis X, angle 0
    EXPECT_EQ(controller.orientation.w, 1.0f);
    EXPECT_EQ(controller.orientation.x, 0.0f);
    EXPECT_EQ(controller.orientation.y, 0.0f);
    EXPECT_EQ(controller.orientation.z, 0.0f);

    // Corner to opposite corner is a chord of 2 > 2 * radius: the step stops at 180 degrees.
    controller.BeginDrag(0, 0);
    controller.DragTo(800, 600);
    EXPECT_NEAR(AngleOf(controller.orientation), 180.0, 1e-3);
    EXPECT_TRUE(std::isfinite(controller.orientation.w));

    // Without a view size a drag is ignored instead of turning the orientation into NaN.
    CBallController unsized;
    unsized.BeginDrag(10, 10);
    EXPECT_EQ(unsized.dragging, 0);
    unsized.dragging = 1;
    unsized.DragTo(20, 20);
    EXPECT_EQ(unsized.orientation.w, 1.0f);
}

TEST(CBallController, DragInCameraFrameTurnsLikeTheCameraOnScreen) {
    // With an identity camera the object turns exactly as the camera would.
    CBallController camera = SizedController();
    CBallController object = SizedController();
    camera.BeginDrag(400, 300);
    camera.DragTo(600, 200);
    object.BeginDrag(400, 300);
    object.DragToInFrame(600, 200, IdentityMatrix());
    ExpectMatrixNear(object.matrix, camera.matrix, 0.0f);

    // A camera turned 90 degrees about Z maps the step axis through its matrix.
    CBallController turned = SizedController();
    turned.keyStepDeg = 90;
    turned.RotateByKey(kKeyPageUp);
    CBallController inFrame = SizedController();
    inFrame.BeginDrag(400, 300);
    inFrame.DragToInFrame(800, 300, turned.matrix);
    const Quaternion& q = inFrame.orientation;
    const Vector3 expectedAxis = {turned.matrix.at(0, 1) * -1.0f, turned.matrix.at(1, 1) * -1.0f,
                                  turned.matrix.at(2, 1) * -1.0f};  // M * (0, -1, 0)
    const float s = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
    EXPECT_NEAR(q.x / s, expectedAxis.x, 1e-5f);
    EXPECT_NEAR(q.y / s, expectedAxis.y, 1e-5f);
    EXPECT_NEAR(q.z / s, expectedAxis.z, 1e-5f);
    EXPECT_NEAR(AngleOf(q), 137.4, 0.05);
}

TEST(CBallController, KeyRotations) {
    CBallController controller = SizedController();
    controller.keyStepDeg = 90;
    controller.RotateByKey(kKeyUp);  // +90 about X
    EXPECT_NEAR(controller.orientation.w, std::sqrt(0.5f), 1e-6f);
    EXPECT_NEAR(controller.orientation.x, std::sqrt(0.5f), 1e-6f);
    ExpectMatrixNear(controller.CurrentMatrix(), controller.matrix, 0.0f);
    // Row-major R of +90 about X: row 1 = (0, 0, -1), row 2 = (0, 1, 0).
    EXPECT_NEAR(controller.matrix.at(1, 2), -1.0f, 1e-6f);
    EXPECT_NEAR(controller.matrix.at(2, 1), 1.0f, 1e-6f);
    controller.RotateByKey(kKeyNumpad2);  // and back
    EXPECT_NEAR(controller.orientation.w, 1.0f, 1e-6f);

    const struct {
        int code;
        int axis;
        float sign;
    } keys[] = {{kKeyUp, 0, 1},     {kKeyNumpad8, 0, 1}, {kKeyDown, 0, -1},  {kKeyNumpad2, 0, -1},
                {kKeyLeft, 1, 1},   {kKeyNumpad4, 1, 1}, {kKeyRight, 1, -1}, {kKeyNumpad6, 1, -1},
                {kKeyPageUp, 2, 1}, {kKeyNumpad9, 2, 1}, {kKeyHome, 2, -1},  {kKeyNumpad7, 2, -1}};
    for (const auto& key : keys) {
        CBallController c = SizedController();
        c.RotateByKey(key.code);
        const float components[3] = {c.orientation.x, c.orientation.y, c.orientation.z};
        for (int axis = 0; axis < 3; ++axis) {
            float expected = axis == key.axis ? key.sign * std::sin(2.5f * 0.0174532925f) : 0.0f;
            EXPECT_NEAR(components[axis], expected, 1e-7f) << "key " << key.code;
        }
    }

    for (int code : {kKeyPageDown, kKeyEnd, 0x41}) {
        CBallController c = SizedController();
        c.matrix.m[3] = 9.0f;  // untouched: the key does not even end a drag
        c.RotateByKey(code);
        EXPECT_EQ(c.orientation.w, 1.0f);
        EXPECT_EQ(c.matrix.m[3], 9.0f);
    }
}

TEST(CBallController, FullTurnKeyStepLooksTheSame) {
    CBallController controller = SizedController();
    controller.RotateByKey(kKeyLeft);
    const Matrix4 before = controller.matrix;
    const Quaternion q = controller.orientation;
    controller.keyStepDeg = 360;
    controller.BeginDrag(10, 10);
    controller.RotateByKey(kKeyLeft);
    EXPECT_EQ(controller.dragging, 0);
    EXPECT_NEAR(controller.orientation.w, -q.w, 1e-6f);
    EXPECT_NEAR(controller.orientation.y, -q.y, 1e-6f);
    ExpectMatrixNear(controller.matrix, before, 1e-6f);
}

TEST(CBallController, ResetAndCopies) {
    CBallController controller = SizedController();
    controller.keyStepDeg = 30;
    controller.radius = 0.2f;
    controller.RotateByKey(kKeyHome);
    controller.BeginDrag(5, 5);
    controller.Reset();
    EXPECT_EQ(controller.keyStepDeg, 5);
    EXPECT_EQ(controller.radius, 0.6f);
    EXPECT_EQ(controller.viewWidth, 0.0f);
    EXPECT_EQ(controller.viewHeight, 0.0f);
    EXPECT_EQ(controller.dragging, 0);
    EXPECT_EQ(controller.lastPoint[0], 0.0f);
    EXPECT_EQ(controller.orientation.w, 1.0f);
    EXPECT_EQ(controller.orientation.z, 0.0f);
    ExpectMatrixNear(controller.matrix, IdentityMatrix(), 0.0f);

    // Record copies: `rotation` is the transpose of the matrix's 3x3, and loading reverses it.
    CBallController turned = SizedController();
    turned.keyStepDeg = 40;
    turned.RotateByKey(kKeyUp);
    turned.RotateByKey(kKeyRight);
    SceneObject record;
    CopyControllerToRecord(turned, record);
    EXPECT_EQ(record.quaternion[0], turned.orientation.w);
    EXPECT_EQ(record.quaternion[3], turned.orientation.z);
    EXPECT_EQ(record.rotation[1], turned.matrix.at(1, 0));
    EXPECT_EQ(record.rotation[5], turned.matrix.at(2, 1));

    CBallController loaded;
    loaded.matrix.m[15] = 4.0f;  // outside the 3x3: left as it is
    LoadControllerFromRecord(record, loaded);
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c)
            EXPECT_EQ(loaded.matrix.at(r, c), turned.matrix.at(r, c));
    }
    EXPECT_EQ(loaded.matrix.m[15], 4.0f);
    EXPECT_EQ(loaded.orientation.x, turned.orientation.x);
}
