#include "render/ColourCube.h"

#include <GL/gl.h>

#include "render/ListNames.h"

uint32_t BuildColourCubeList(uint32_t list, int32_t stageSize, uint32_t cubeColor) {
    list = RenewList(list);
    if (list == 0) return 0;
    const float r = static_cast<float>(cubeColor & 0xFF) / 255.0f;
    const float g = static_cast<float>((cubeColor >> 8) & 0xFF) / 255.0f;
    const float b = static_cast<float>((cubeColor >> 16) & 0xFF) / 255.0f;
    // The faces reach a little past each other (e) so that no seam shows at the corners.
    const float d = static_cast<float>(stageSize);
    const float e = 1.005f * d;
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};

    glNewList(list, GL_COMPILE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glBegin(GL_QUADS);
    glColor4f(0.7f * r, 0.7f * g, 0.7f * b, 1.0f);  // front z = -d, back z = d
    glVertex3f(-e, -d, -d);
    glVertex3f(e, -d, -d);
    glVertex3f(e, d, -d);
    glVertex3f(-e, d, -d);
    glVertex3f(e, -d, d);
    glVertex3f(-e, -d, d);
    glVertex3f(-e, e, d);
    glVertex3f(e, e, d);
    glColor4f(0.5f * r + 0.05f, 0.65f * g, 0.7f * b, 1.0f);  // left x = -d
    glVertex3f(-d, -d, e);
    glVertex3f(-d, -d, -e);
    glVertex3f(-d, d, -e);
    glVertex3f(-d, d, e);
    glColor4f(0.7f * r, 0.5f * g + 0.05f, 0.65f * b, 1.0f);  // right x = d
    glVertex3f(d, -d, -e);
    glVertex3f(d, -d, e);
    glVertex3f(d, e, e);
    glVertex3f(d, e, -e);
    glColor4f(0.8f * r, 0.8f * g, 0.8f * b, 1.0f);  // top y = d
    glVertex3f(-d, d, -d);
    glVertex3f(d, d, -d);
    glVertex3f(d, d, d);
    glVertex3f(-d, d, d);
    glColor4f(0.6f * r, 0.6f * g, 0.6f * b, 1.0f);  // bottom y = -d
    glVertex3f(-e, -d, e);
    glVertex3f(e, -d, e);
    glVertex3f(e, -d, -e);
    glVertex3f(-e, -d, -e);
    glEnd();
    glEndList();
    return list;
}
