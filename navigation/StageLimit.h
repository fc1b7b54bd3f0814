#pragma once
// The stage limit: while a background cube is shown (bgMode != 0) the eye stays inside the cube and
// the objects stay within the stage.

#include <cstdint>

struct SceneState;

struct DistanceLimits {
    int64_t lo = 0;
    int64_t hi = 0;
};

// lo = S/(-10) - (3*S)/2 + 1 and hi = S/2 - S/10 - 1 in integer arithmetic truncating toward zero
// (S = 1000 gives [-1599, 399]). Any int32 stage size, no overflow.
DistanceLimits CameraDistanceLimits(int32_t stageSize);

// `cameraDistance` limited first to at most hi, then raised to lo if below it. NaN stays NaN.
double ClampCameraDistance(double cameraDistance, int32_t stageSize);

// Each coordinate of `position` clamped to [-S, S].
void ClampPosition(float (&position)[3], int32_t stageSize);

// Whether the limit applies: a colour or image cube is shown.
inline bool StageLimited(uint16_t bgMode) {
    return bgMode != 0;
}
