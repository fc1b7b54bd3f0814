#include "render/GLState.h"

#include <GL/gl.h>

void ApplyConstantGLState() {
    glDisable(GL_BLEND);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glEnable(GL_DEPTH_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);

    // The fixed start light is given in eye coordinates, so it lights from the viewer's upper left.
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat position[4] = {-0.5f, 0.5f, 1.0f, 0.0f};
    const GLfloat grey[4] = {0.8f, 0.8f, 0.8f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, grey);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, grey);
    glLightfv(GL_LIGHT0, GL_SPECULAR, grey);

    glEnable(GL_NORMALIZE);  // surface normals are not unit length

    glLightModeli(GL_LIGHT_MODEL_TWO_SIDE, 0);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);

    const GLfloat fogColour[4] = {0.8f, 0.8f, 0.8f, 0.02f};
    glFogfv(GL_FOG_COLOR, fogColour);

    glEnable(GL_COLOR_MATERIAL);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
}

void ApplyLightUnder(const SceneState& state, const double (&modelView)[16]) {
    glMatrixMode(GL_MODELVIEW);
    glLoadMatrixd(modelView);
    glLightfv(GL_LIGHT0, GL_POSITION, state.lightPosition);
    glLightfv(GL_LIGHT0, GL_AMBIENT, state.lightColour);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, state.lightColour);
    glLightfv(GL_LIGHT0, GL_SPECULAR, state.lightColour);
}
