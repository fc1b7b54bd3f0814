#include "render/PlateList.h"

#include <GL/gl.h>

#include "render/DrawOrder.h"
#include "render/ListNames.h"

int BuildPlateDisplayList(Scene& scene) {
    SceneObject& plate = scene.objects[PlateIndexInRange(scene)];
    plate.listBase = RenewList(plate.listBase);
    if (plate.listBase == 0) return 0;

    const float minX = plate.boxMin[0], minZ = plate.boxMin[2];
    const float maxX = plate.boxMax[0], maxZ = plate.boxMax[2];
    glNewList(plate.listBase, GL_COMPILE);
    if (plate.surfaceMode != 0) {
        glPolygonMode(GL_FRONT, GL_FILL);
    } else {
        glPolygonMode(GL_FRONT_AND_BACK, GL_LINE);
    }
    glBegin(GL_QUADS);
    glVertex3f(minX, 0.2f, minZ);
    glVertex3f(minX, 0.2f, maxZ);
    glVertex3f(maxX, 0.2f, maxZ);
    glVertex3f(maxX, 0.2f, minZ);
    glVertex3f(minX, -0.2f, minZ);
    glVertex3f(maxX, -0.2f, minZ);
    glVertex3f(maxX, -0.2f, maxZ);
    glVertex3f(minX, -0.2f, maxZ);
    glEnd();
    glEndList();
    return 1;
}
