#include "geometry/PlateFrame.h"

#include <cmath>

#include "scene/SceneObject.h"

Vector3 RecordToWorld(const SceneObject& record, Vector3 p) {
    const float* r = record.rotation;
    float s = record.scale;
    float x = s * (p.x + record.position[0]);
    float y = s * (p.y + record.position[1]);
    float z = s * (p.z + record.position[2]);
    return {(r[0] * x + r[1] * y) + r[2] * z, (r[3] * x + r[4] * y) + r[5] * z,
            (r[6] * x + r[7] * y) + r[8] * z};
}

Vector3 WorldToRecord(const SceneObject& record, Vector3 w) {
    const float* r = record.rotation;
    float x = (r[0] * w.x + r[3] * w.y) + r[6] * w.z;
    float y = (r[1] * w.x + r[4] * w.y) + r[7] * w.z;
    float z = (r[2] * w.x + r[5] * w.y) + r[8] * w.z;
    float s = record.scale;
    if (s != 0) {
        x /= s;
        y /= s;
        z /= s;
    }
    return {x - record.position[0], y - record.position[1], z - record.position[2]};
}

int64_t RoundToInt64(float value) {
    if (std::isnan(value)) return 0;
    double rounded = std::round(static_cast<double>(value));
    if (rounded >= 9223372036854775807.0) return INT64_MAX;
    if (rounded <= -9223372036854775808.0) return INT64_MIN;
    return static_cast<int64_t>(rounded);
}
