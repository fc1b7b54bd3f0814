#include "render/BoundingBox.h"

#include <GL/gl.h>

#include "render/GlyphLists.h"
#include "scene/BoxTicks.h"

namespace {

// Corners of the six faces; each digit picks the minimum (0) or the maximum (1) of x, y and z.
constexpr int kFaceCorners[6][4][3] = {
    {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}},  // z = minZ
    {{0, 0, 0}, {0, 0, 1}, {1, 0, 1}, {1, 0, 0}},  // y = minY
    {{1, 0, 0}, {1, 0, 1}, {1, 1, 1}, {1, 1, 0}},  // x = maxX
    {{0, 1, 0}, {1, 1, 0}, {1, 1, 1}, {0, 1, 1}},  // y = maxY
    {{0, 0, 0}, {0, 1, 0}, {0, 1, 1}, {0, 0, 1}},  // x = minX
    {{0, 0, 1}, {0, 1, 1}, {1, 1, 1}, {1, 0, 1}},  // z = maxZ
};

void BoxFaces(const SceneObject& record) {
    const float* bounds[2] = {record.boxMin, record.boxMax};
    glBegin(GL_QUADS);
    for (const auto& face : kFaceCorners) {
        for (const auto& corner : face) {
            glVertex3f(bounds[corner[0]][0], bounds[corner[1]][1], bounds[corner[2]][2]);
        }
    }
    glEnd();
}

// One tick: a short mark from the edge along each of the two other axes, as a three-point strip.
void Mark(const float (&from)[3], const float (&corner)[3], const float (&to)[3]) {
    glBegin(GL_LINE_STRIP);
    glVertex3fv(from);
    glVertex3fv(corner);
    glVertex3fv(to);
    glEnd();
}

void Ticks(const SceneObject& record, float spacing, float t) {
    const float minX = record.boxMin[0], minY = record.boxMin[1], minZ = record.boxMin[2];
    const float maxX = record.boxMax[0], maxY = record.boxMax[1], maxZ = record.boxMax[2];
    ForEachTickUpward(minX, maxX, spacing, [&](float x) {
        Mark({x, minY + t, minZ}, {x, minY, minZ}, {x, minY, minZ + t});
        Mark({x, maxY - t, minZ}, {x, maxY, minZ}, {x, maxY, minZ + t});
        Mark({x, maxY - t, maxZ}, {x, maxY, maxZ}, {x, maxY, maxZ - t});
        Mark({x, minY + t, maxZ}, {x, minY, maxZ}, {x, minY, maxZ - t});
    });
    ForEachTickUpward(minY, maxY, spacing, [&](float y) {
        Mark({minX + t, y, minZ}, {minX, y, minZ}, {minX, y, minZ + t});
        Mark({maxX - t, y, minZ}, {maxX, y, minZ}, {maxX, y, minZ + t});
        Mark({maxX - t, y, maxZ}, {maxX, y, maxZ}, {maxX, y, maxZ - t});
        Mark({minX + t, y, maxZ}, {minX, y, maxZ}, {minX, y, maxZ - t});
    });
    ForEachTickDownward(minZ, maxZ, spacing, [&](float z) {
        Mark({minX + t, minY, z}, {minX, minY, z}, {minX, minY + t, z});
        Mark({maxX - t, minY, z}, {maxX, minY, z}, {maxX, minY + t, z});
        Mark({maxX - t, maxY, z}, {maxX, maxY, z}, {maxX, maxY - t, z});
        Mark({minX + t, maxY, z}, {minX, maxY, z}, {minX, maxY - t, z});
    });
}

void Label(const SceneObject& record, const BoxTickPlan& plan) {
    glRasterPos3f(record.boxMin[0], record.boxMin[1] - 10.0f - plan.tickLength, record.boxMax[2]);
    glListBase(kGlyphListBase);
    glCallLists(static_cast<GLsizei>(plan.label.size()), GL_UNSIGNED_BYTE, plan.label.data());
    glListBase(0);
}

}  // namespace

void DrawBox(const SceneObject& record, bool onlyFlagged) {
    GLint savedModes[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, savedModes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    BoxFaces(record);
    if (onlyFlagged) {
        const BoxTickPlan plan = PlanBoxTicks(record);
        if (plan.draw) {
            Ticks(record, plan.spacing, plan.tickLength);
            Label(record, plan);
        }
    }

    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(savedModes[0]));
}
