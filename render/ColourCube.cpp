#include "render/ColourCube.h"

#include <GL/gl.h>

#include "render/ListNames.h"
#include "render/StageCubeFaces.h"

uint32_t BuildColourCubeList(uint32_t list, int32_t stageSize, uint32_t cubeColor) {
    list = RenewList(list);
    if (list == 0) return 0;
    const float r = static_cast<float>(cubeColor & 0xFF) / 255.0f;
    const float g = static_cast<float>((cubeColor >> 8) & 0xFF) / 255.0f;
    const float b = static_cast<float>((cubeColor >> 16) & 0xFF) / 255.0f;
    // Front and back alike, a warm left and a cool right side, the top lightest, the floor darker.
    const float shades[kCubeFaceCount][3] = {
        {0.7f * r, 0.7f * g, 0.7f * b},          {0.5f * r + 0.05f, 0.65f * g, 0.7f * b},
        {0.7f * r, 0.5f * g + 0.05f, 0.65f * b}, {0.8f * r, 0.8f * g, 0.8f * b},
        {0.6f * r, 0.6f * g, 0.6f * b},          {0.7f * r, 0.7f * g, 0.7f * b},
    };
    const CubeFaceCorners faces = StageCubeFaces(stageSize);
    const GLfloat black[4] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat ambient[4] = {0.2f, 0.2f, 0.2f, 1.0f};

    glNewList(list, GL_COMPILE);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_EMISSION, black);
    glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, ambient);
    glBegin(GL_QUADS);
    for (int face = 0; face < kCubeFaceCount; ++face) {
        glColor4f(shades[face][0], shades[face][1], shades[face][2], 1.0f);
        for (const auto& corner : faces[face])
            glVertex3fv(corner.data());
    }
    glEnd();
    glEndList();
    return list;
}
