#include "geometry/CapTexCoords.h"

#include <gtest/gtest.h>

#include "scene/CutCap.h"

namespace {

CutCap IdentityCap() {
    CutCap cap;
    for (int i = 0; i < 3; ++i)
        cap.objectRotation[i * 4] = cap.plateRotationT[i * 4] = 1.0f;
    return cap;
}

TEST(CapTexCoords, CornerIsPlacedInThePlateFrameOnTheTexture) {
    CutCap cap = IdentityCap();
    const float centre[3] = {1, 2, 3};
    const float vertex[3] = {3, 5, 1};
    float st[2];

    // Identity frames: (centre + vertex) on x and z, spans 1.
    CapTexCoord(cap, centre, vertex, st);
    EXPECT_FLOAT_EQ(st[0], 4.0f);
    EXPECT_FLOAT_EQ(st[1], 4.0f);

    // p = (4, 7, 4) + (1, 0, -1) = (5, 7, 3), times 2 = (10, 14, 6). The object turns x to y and y to
    // -x: q = (-14, 10, 6). The plate frame swaps y and z: r = (-14, 6, 10), over plate scale 2:
    // (-7, 3, 5). s = (-7 - 1 - (-9)) / 4, t = (5 - 0.5 - 2) / 10.
    cap.objectPosition[0] = 1, cap.objectPosition[2] = -1;
    cap.objectScale = 2;
    const float turn[9] = {0, -1, 0, 1, 0, 0, 0, 0, 1};
    std::copy(std::begin(turn), std::end(turn), cap.objectRotation);
    const float swap[9] = {1, 0, 0, 0, 0, 1, 0, 1, 0};
    std::copy(std::begin(swap), std::end(swap), cap.plateRotationT);
    cap.plateScale = 2;
    cap.platePosition[0] = 1, cap.platePosition[1] = 100, cap.platePosition[2] = 0.5f;
    cap.texMinX = -9;
    cap.texMinZ = 2;
    cap.texSpanS = 4;
    cap.texSpanT = 10;
    CapTexCoord(cap, centre, vertex, st);
    EXPECT_FLOAT_EQ(st[0], 0.25f);
    EXPECT_FLOAT_EQ(st[1], 0.25f);

    // A plate scale of 0 leaves r undivided: r = (-14, 6, 10).
    cap.plateScale = 0;
    CapTexCoord(cap, centre, vertex, st);
    EXPECT_FLOAT_EQ(st[0], -1.5f);
    EXPECT_FLOAT_EQ(st[1], 0.75f);
}

}  // namespace
