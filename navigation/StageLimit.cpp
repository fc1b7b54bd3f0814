#include "navigation/StageLimit.h"

DistanceLimits CameraDistanceLimits(int32_t stageSize) {
    const int64_t s = stageSize;
    return {s / -10 - (3 * s) / 2 + 1, s / 2 - s / 10 - 1};
}

double ClampCameraDistance(double cameraDistance, int32_t stageSize) {
    const DistanceLimits limits = CameraDistanceLimits(stageSize);
    if (cameraDistance > static_cast<double>(limits.hi)) cameraDistance = static_cast<double>(limits.hi);
    if (cameraDistance < static_cast<double>(limits.lo)) cameraDistance = static_cast<double>(limits.lo);
    return cameraDistance;
}

void ClampPosition(float (&position)[3], int32_t stageSize) {
    const float s = static_cast<float>(stageSize);
    for (float& coordinate : position) {
        if (coordinate > s) coordinate = s;
        if (coordinate < -s) coordinate = -s;
    }
}
