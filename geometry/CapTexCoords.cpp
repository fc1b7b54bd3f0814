#include "geometry/CapTexCoords.h"

#include "scene/CutCap.h"

namespace {

// Row-by-row product of a 3x3 matrix with a vector.
void Rotate(const float (&rows)[9], const float in[3], float out[3]) {
    for (int row = 0; row < 3; ++row)
        out[row] = rows[row * 3] * in[0] + rows[row * 3 + 1] * in[1] + rows[row * 3 + 2] * in[2];
}

}  // namespace

void CapTexCoord(const CutCap& cap, const float centre[3], const float vertex[3], float st[2]) {
    float p[3];
    for (int i = 0; i < 3; ++i)
        p[i] = (centre[i] + vertex[i] + cap.objectPosition[i]) * cap.objectScale;
    float q[3];
    Rotate(cap.objectRotation, p, q);
    float r[3];
    Rotate(cap.plateRotationT, q, r);
    if (cap.plateScale != 0.0f) {
        for (float& component : r)
            component /= cap.plateScale;
    }
    st[0] = (r[0] - cap.platePosition[0] - static_cast<float>(cap.texMinX)) / cap.texSpanS;
    st[1] = (r[2] - cap.platePosition[2] - static_cast<float>(cap.texMinZ)) / cap.texSpanT;
}
