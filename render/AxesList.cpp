#include "render/AxesList.h"

#include <GL/gl.h>

#include "render/ListNames.h"

namespace {

struct AxisLook {
    int along;          // 0 x, 1 y, 2 z
    float shaft[3];     // colour of the shaft and the arrow base
    float heads[4][3];  // colours of the four arrow-head sides
};

constexpr AxisLook kAxes[3] = {
    {0, {1.0f, 0.3f, 0.3f}, {{1.0f, 0.3f, 0.3f}, {1.0f, 0.5f, 0.3f}, {1.0f, 0.3f, 0.5f}, {1.0f, 0.5f, 0.5f}}},
    {2, {0.3f, 1.0f, 0.3f}, {{0.3f, 1.0f, 0.3f}, {0.3f, 1.0f, 0.5f}, {0.5f, 1.0f, 0.3f}, {0.5f, 1.0f, 0.5f}}},
    {1, {0.3f, 0.3f, 1.0f}, {{0.3f, 0.3f, 1.0f}, {0.5f, 0.3f, 1.0f}, {0.3f, 0.5f, 1.0f}, {0.5f, 0.5f, 1.0f}}},
};

// A point `t` along axis `along`, with `u` and `v` on the two axes that follow it cyclically.
void AxisVertex(int along, float t, float u, float v) {
    float point[3];
    point[along] = t;
    point[(along + 1) % 3] = u;
    point[(along + 2) % 3] = v;
    glVertex3fv(point);
}

// An axis-aligned quad across the axis at `t`, of half-width `half`.
void CrossSquare(int along, float t, float half) {
    AxisVertex(along, t, -half, -half);
    AxisVertex(along, t, half, -half);
    AxisVertex(along, t, half, half);
    AxisVertex(along, t, -half, half);
}

// The shaft as a box of half-width `half` from 0 to `length`, with its end caps, and the arrow base.
void Shaft(int along, float length, float half, float baseHalf) {
    const float corners[4][2] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
    for (int side = 0; side < 4; ++side) {
        const float* a = corners[side];
        const float* b = corners[(side + 1) % 4];
        AxisVertex(along, 0.0f, a[0], a[1]);
        AxisVertex(along, length, a[0], a[1]);
        AxisVertex(along, length, b[0], b[1]);
        AxisVertex(along, 0.0f, b[0], b[1]);
    }
    CrossSquare(along, 0.0f, half);
    CrossSquare(along, length, half);
    CrossSquare(along, length, baseHalf);
}

// Four triangles from the edges of the base square at `length` to the tip at `tip`.
void ArrowHead(const AxisLook& axis, float length, float baseHalf, float tip) {
    const float corners[4][2] = {
        {-baseHalf, -baseHalf}, {baseHalf, -baseHalf}, {baseHalf, baseHalf}, {-baseHalf, baseHalf}};
    for (int side = 0; side < 4; ++side) {
        const float* a = corners[side];
        const float* b = corners[(side + 1) % 4];
        glColor3fv(axis.heads[side]);
        AxisVertex(axis.along, length, a[0], a[1]);
        AxisVertex(axis.along, length, b[0], b[1]);
        AxisVertex(axis.along, tip, 0.0f, 0.0f);
    }
}

}  // namespace

uint32_t BuildAxesList(uint32_t list, float arrowLength) {
    list = RenewList(list);
    if (list == 0) return 0;
    const float a = arrowLength;
    const float b = a / 150.0f;
    const float h = a / 20.0f;
    const float f = 1.1f * a;

    glNewList(list, GL_COMPILE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glBegin(GL_QUADS);
    for (const AxisLook& axis : kAxes) {
        glColor3fv(axis.shaft);
        Shaft(axis.along, a, b, h);
    }
    glEnd();
    glBegin(GL_TRIANGLES);
    for (const AxisLook& axis : kAxes)
        ArrowHead(axis, a, h, f);
    glEnd();
    glEndList();
    return list;
}
