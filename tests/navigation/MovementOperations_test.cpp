#include "navigation/MovementOperations.h"

#include <gtest/gtest.h>

#include <cmath>

#include "navigation/ControlledScene.h"
#include "navigation/Matrix4.h"
#include "platform/ProgramSettings.h"

namespace {

// The rotation GL applies for a controller matrix m (its transpose) acting on v.
Vector3 GlRotate(const Matrix4& m, const Vector3& v) {
    return {m.at(0, 0) * v.x + m.at(1, 0) * v.y + m.at(2, 0) * v.z,
            m.at(0, 1) * v.x + m.at(1, 1) * v.y + m.at(2, 1) * v.z,
            m.at(0, 2) * v.x + m.at(1, 2) * v.y + m.at(2, 2) * v.z};
}

// Turns a controller to `degrees` about the unit axis (x, y, z) and refreshes its matrix.
void Orient(CBallController& controller, float degrees, float x, float y, float z) {
    const float half = degrees * 3.14159265f / 360.0f;
    const float s = std::sin(half);
    controller.orientation = Quaternion{std::cos(half), s * x, s * y, s * z};
    controller.EndDrag();
}

// Where record k puts a point given in its own (unscaled, untranslated) coordinates, in the scene
// frame the camera turns around: R . (s . (v + position)).
Vector3 SceneFrame(const ControlledScene& scene, int k, const Vector3& v) {
    const SceneObject& r = scene.objects[k];
    const Vector3 local{(v.x + r.position[0]) * r.scale, (v.y + r.position[1]) * r.scale,
                        (v.z + r.position[2]) * r.scale};
    return GlRotate(scene.controllers[k].matrix, local);
}

Vector3 Position(const SceneObject& record) {
    return {record.position[0], record.position[1], record.position[2]};
}

void ExpectNear(const Vector3& actual, const Vector3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

struct ThreeModels {
    ThreeModels() {
        for (int i = 0; i < 3; ++i)
            scene.AddModelSlot();  // models 1..3, plate 4
        Orient(scene.controllers[0], 30.0f, 0.6f, 0.8f, 0.0f);
        Orient(scene.controllers[1], 70.0f, 0.0f, 0.6f, 0.8f);
        Orient(scene.controllers[2], -45.0f, 1.0f, 0.0f, 0.0f);
        scene.objects[1].scale = 2.0f;
        scene.objects[2].scale = 0.5f;
        scene.objects[3].movable = 0;
    }
    ControlledScene scene;
    ProgramSettings settings;
};

}  // namespace

TEST(MovementOperations, TranslationInTheCameraFrameMovesEveryObjectAlongTheScreenAtItsScale) {
    ThreeModels m;
    TranslateMovable(m.scene, m.settings, 10.0f, 4.0f, -2.0f, false);
    // Seen through the camera, record k moved by scale . (-a, b, c).
    for (int k : {1, 2, 4}) {
        const SceneObject& record = m.scene.objects[k];
        const Vector3 moved =
            GlRotate(m.scene.controllers[0].matrix,
                     GlRotate(m.scene.controllers[k].matrix, Position(record) * record.scale));
        ExpectNear(moved, Vector3{-10.0f, 4.0f, -2.0f} * record.scale, 1e-4f);
    }
    ExpectNear(Position(m.scene.objects[3]), Vector3{}, 0.0f);  // not movable
    ExpectNear(Position(m.scene.objects[0]), Vector3{}, 0.0f);  // the camera record never moves
}

TEST(MovementOperations, TranslationInTheOwnFrameIsTheSameSceneDisplacementForEveryObject) {
    ThreeModels m;
    m.scene.objects[2].scale = 0.0f;  // no finite displacement exists: the record stays
    TranslateMovable(m.scene, m.settings, 10.0f, 4.0f, -2.0f, true);
    for (int k : {1, 4})
        ExpectNear(SceneFrame(m.scene, k, Vector3{}), Vector3{-10.0f, 4.0f, -2.0f}, 1e-4f);
    ExpectNear(Position(m.scene.objects[2]), Vector3{}, 0.0f);
}

TEST(MovementOperations, TranslationKeepsObjectsOnTheStageOnlyWhileACubeIsShown) {
    ThreeModels m;
    m.scene.state.cameraDistance = 5000.0;
    m.scene.objects[4].position[0] = 995.0f;
    TranslateMovable(m.scene, m.settings, 0.0f, 0.0f, 0.0f, false);
    EXPECT_EQ(m.scene.state.cameraDistance, 5000.0);

    m.settings.bgMode = 2;
    TranslateMovable(m.scene, m.settings, 0.0f, 0.0f, 0.0f, false);
    EXPECT_EQ(m.scene.state.cameraDistance, 399.0);                   // even a zero step clamps the eye
    TranslateMovable(m.scene, m.settings, -20.0f, 0.0f, 0.0f, true);  // the plate is unturned: +x
    EXPECT_EQ(m.scene.objects[4].position[0], 1000.0f);

    m.settings.bgMode = 0;
    TranslateMovable(m.scene, m.settings, -20.0f, 0.0f, 0.0f, true);
    EXPECT_EQ(m.scene.objects[4].position[0], 1020.0f);
}

TEST(MovementOperations, MoveToObjectBringsTheTargetBoxCentreToTheOrigin) {
    ThreeModels m;
    SceneObject& target = m.scene.objects[1];
    target.boxMin[0] = 10.0f, target.boxMin[1] = 20.0f, target.boxMin[2] = 30.0f;
    target.boxMax[0] = 20.0f, target.boxMax[1] = 40.0f, target.boxMax[2] = 50.0f;
    target.position[0] = 1.0f, target.position[1] = -2.0f, target.position[2] = 3.0f;
    m.scene.objects[2].position[1] = 7.0f;
    const Vector3 centre{15.0f, 30.0f, 40.0f};
    const Vector3 targetBefore = SceneFrame(m.scene, 1, centre);
    const Vector3 otherBefore = SceneFrame(m.scene, 2, Vector3{});

    EXPECT_EQ(MoveToObject(m.scene, m.settings, 1), 1);
    ExpectNear(Position(target), -centre, 1e-4f);
    ExpectNear(SceneFrame(m.scene, 1, centre), Vector3{}, 1e-3f);
    // Every movable record moved by the same scene displacement; the fixed one stayed.
    ExpectNear(SceneFrame(m.scene, 2, Vector3{}) - otherBefore, -targetBefore, 1e-3f);
    ExpectNear(Position(m.scene.objects[3]), Vector3{}, 0.0f);

    // A fixed target is brought to the origin by moving the others.
    ThreeModels fixed;
    fixed.scene.objects[3].boxMax[0] = 8.0f;
    const Vector3 fixedCentre = SceneFrame(fixed.scene, 3, Vector3{4.0f, 0.0f, 0.0f});
    EXPECT_EQ(MoveToObject(fixed.scene, fixed.settings, 3), 1);
    ExpectNear(Position(fixed.scene.objects[3]), Vector3{}, 0.0f);
    ExpectNear(SceneFrame(fixed.scene, 1, Vector3{}), -fixedCentre, 1e-4f);

    // Neither the camera record nor a record beyond the plate is a target.
    EXPECT_EQ(MoveToObject(fixed.scene, fixed.settings, 0), 0);
    EXPECT_EQ(MoveToObject(fixed.scene, fixed.settings, 5), 0);
    EXPECT_EQ(MoveToObject(fixed.scene, fixed.settings, -1), 0);
    ExpectNear(SceneFrame(fixed.scene, 1, Vector3{}), -fixedCentre, 1e-4f);
}

TEST(MovementOperations, ScalingStopsExactlyAtTheBounds) {
    ThreeModels m;
    m.scene.objects[1].scale = 0.03f;
    m.scene.objects[2].scale = 999.99f;
    m.scene.objects[4].scale = 1.0f;
    ScaleMovable(m.scene, -3);
    EXPECT_EQ(m.scene.objects[1].scale, 0.02f);
    EXPECT_FLOAT_EQ(m.scene.objects[2].scale, 999.975f);
    EXPECT_FLOAT_EQ(m.scene.objects[4].scale, 0.985f);  // the plate takes part
    ScaleMovable(m.scene, -3);
    EXPECT_EQ(m.scene.objects[1].scale, 0.02f);
    ScaleMovable(m.scene, 10);
    EXPECT_EQ(m.scene.objects[2].scale, 1000.0f);
    EXPECT_EQ(m.scene.objects[3].scale, 1.0f);  // not movable
    EXPECT_EQ(m.scene.objects[0].scale, 1.0f);  // the camera record
}

TEST(MovementOperations, ResetPositionsPutsEverythingBack) {
    ThreeModels m;
    m.scene.state.cameraDistance = -300.0;
    for (int k = 1; k <= 5; ++k) {
        m.scene.objects[k].position[1] = 5.0f;
        m.scene.objects[k].scale = 3.0f;
        m.scene.objects[k].rotation[1] = 0.5f;
        m.scene.controllers[k].keyStepDeg = 15;
    }
    ResetPositions(m.scene, 640, 480);
    for (int k = 1; k <= 4; ++k) {
        const SceneObject& record = m.scene.objects[k];
        EXPECT_EQ(record.movable, 1) << k;
        ExpectNear(Position(record), Vector3{}, 0.0f);
        EXPECT_EQ(record.scale, 1.0f);
        EXPECT_EQ(record.rotation[1], 0.0f);
        EXPECT_EQ(record.rotation[4], 1.0f);
    }
    // Records beyond the plate are left alone; every controller starts afresh with the view size.
    EXPECT_EQ(m.scene.objects[5].scale, 3.0f);
    for (const CBallController& controller : m.scene.controllers) {
        EXPECT_EQ(controller.keyStepDeg, 5);
        EXPECT_EQ(controller.orientation.w, 1.0f);
        EXPECT_EQ(controller.viewWidth, 640.0f);
        EXPECT_EQ(controller.viewHeight, 480.0f);
    }
    EXPECT_EQ(m.scene.state.cameraDistance, 0.0);
}
