#pragma once
// OpenGL state that stays constant for the whole run, and the hand-over of the scene's light.
// Both need the view's context current.

#include "scene/SceneObject.h"

// Blending off, nicest perspective correction, depth test, full colour mask; light 0 at
// (-0.5, 0.5, 1, 0) with grey 0.8 ambient, diffuse and specular; normalised normals; one-sided
// lighting; fog colour (0.8, 0.8, 0.8, 0.02) in the default exponential mode; colour material with
// shininess 20. Face culling stays off and the shade model smooth.
void ApplyConstantGLState();

// Light 0 gets the header's position and colour (ambient, diffuse and specular). The position is
// given under `modelView`, the camera transform of the last frame, so the light stays fixed
// relative to the viewer while the camera turns afterwards.
void ApplyLightUnder(const SceneState& state, const double (&modelView)[16]);
