#include "navigation/MovementOperations.h"

#include <algorithm>

#include "navigation/ControlledScene.h"
#include "navigation/Matrix4.h"
#include "navigation/StageLimit.h"
#include "platform/ProgramSettings.h"

namespace {

// Rows of the upper-left 3x3 of `p` dotted with `t`.
Vector3 RowsTimes(const Matrix4& p, const Vector3& t) {
    return {p.at(0, 0) * t.x + p.at(0, 1) * t.y + p.at(0, 2) * t.z,
            p.at(1, 0) * t.x + p.at(1, 1) * t.y + p.at(1, 2) * t.z,
            p.at(2, 0) * t.x + p.at(2, 1) * t.y + p.at(2, 2) * t.z};
}

}  // namespace

int LastMovableRecord(const ControlledScene& scene) {
    return std::clamp(scene.state.count, 0, kRecordCount - 1);
}

void DisplaceMovable(ControlledScene& scene, const ProgramSettings& settings, const Vector3& t,
                     bool byMatrixOfOwnObject) {
    const Matrix4& camera = scene.controllers[0].matrix;
    const int last = LastMovableRecord(scene);
    for (int k = 1; k <= last; ++k) {
        SceneObject& record = scene.objects[k];
        if (record.movable == 0) continue;
        Vector3 d;
        if (byMatrixOfOwnObject) {
            // A record of scale 0 has no finite displacement; it stays where it is.
            if (record.scale == 0.0f) continue;
            d = RowsTimes(scene.controllers[k].matrix, t);
            d = {d.x / record.scale, d.y / record.scale, d.z / record.scale};
        } else {
            d = RowsTimes(scene.controllers[k].matrix * camera, t);
        }
        record.position[0] += d.x;
        record.position[1] += d.y;
        record.position[2] += d.z;
        if (StageLimited(settings.bgMode)) ClampPosition(record.position, settings.stageSize);
    }
}

void TranslateMovable(ControlledScene& scene, const ProgramSettings& settings, float a, float b, float c,
                      bool byMatrixOfOwnObject) {
    if (StageLimited(settings.bgMode))
        scene.state.cameraDistance = ClampCameraDistance(scene.state.cameraDistance, settings.stageSize);
    DisplaceMovable(scene, settings, Vector3{-a, b, c}, byMatrixOfOwnObject);
}

void ScaleMovable(ControlledScene& scene, int n) {
    const int last = LastMovableRecord(scene);
    for (int k = 1; k <= last; ++k) {
        SceneObject& record = scene.objects[k];
        if (record.movable == 0) continue;
        record.scale = static_cast<float>(record.scale + n * 0.005);
        if (record.scale < 0.02) record.scale = 0.02f;
        if (record.scale > 1000) record.scale = 1000.0f;
    }
}

void ResetPositions(ControlledScene& scene, int viewWidth, int viewHeight) {
    const int last = LastMovableRecord(scene);
    for (int k = 1; k <= last; ++k) {
        SceneObject& record = scene.objects[k];
        record.movable = 1;
        std::fill_n(record.position, 3, 0.0f);
        record.scale = 1.0f;
        std::fill_n(record.rotation, 9, 0.0f);
        record.rotation[0] = record.rotation[4] = record.rotation[8] = 1.0f;
    }
    for (CBallController& controller : scene.controllers) {
        controller.Reset();
        controller.SetViewSize(viewWidth, viewHeight);
    }
    scene.state.cameraDistance = 0.0;
}

int MoveToObject(ControlledScene& scene, const ProgramSettings& settings, int index) {
    if (index < 1 || index > LastMovableRecord(scene)) return 0;
    const SceneObject& target = scene.objects[index];
    // The rotation GL applies to the target is the transpose of its controller's matrix (the record's
    // `rotation` copy may lag the controller until the next paint).
    const Matrix4& m = scene.controllers[index].matrix;
    float centre[3];
    for (int i = 0; i < 3; ++i)
        centre[i] = ((target.boxMin[i] + target.boxMax[i]) / 2 + target.position[i]) * target.scale;
    float world[3];
    for (int r = 0; r < 3; ++r)
        world[r] = m.at(0, r) * centre[0] + m.at(1, r) * centre[1] + m.at(2, r) * centre[2];
    TranslateMovable(scene, settings, world[0], -world[1], -world[2], true);
    return 1;
}
