#include "render/BoundingBox.h"

#include <GL/gl.h>

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

}  // namespace

void DrawBoxEdges(const SceneObject& record) {
    GLint savedModes[2] = {GL_FILL, GL_FILL};
    glGetIntegerv(GL_POLYGON_MODE, savedModes);
    glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);

    const float* bounds[2] = {record.boxMin, record.boxMax};
    glBegin(GL_QUADS);
    for (const auto& face : kFaceCorners) {
        for (const auto& corner : face) {
            glVertex3f(bounds[corner[0]][0], bounds[corner[1]][1], bounds[corner[2]][2]);
        }
    }
    glEnd();

    glPolygonMode(GL_FRONT_AND_BACK, static_cast<GLenum>(savedModes[0]));
}
