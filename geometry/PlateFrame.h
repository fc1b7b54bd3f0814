#pragma once
// Moving points between the plate's frame, the world and an object's mesh coordinates, in single
// precision. A record maps a mesh point v to the world at R * (s * (v + t)).

#include <cstdint>

#include "navigation/Vector3.h"

struct SceneObject;

// R * (s * (p + t)) for the record's rotation R, scale s and position t.
Vector3 RecordToWorld(const SceneObject& record, Vector3 p);
// (R^T * w) / s - t; the division is skipped when s is 0.
Vector3 WorldToRecord(const SceneObject& record, Vector3 w);

// Rounds half away from zero, saturating at the int64 range; NaN gives 0.
int64_t RoundToInt64(float value);
