#pragma once
// Display list of the plate: a slab 0.4 units thick over the plate record's box in x and z.
// Needs the view's context current.

#include "scene/Scene.h"

// On the first call (no models yet and no plate list) the plate record is initialised with
// InitPlateRecord. Then the plate's list is replaced: front faces filled (both faces as lines in
// wire mode), a top quad at y = +0.2 and a bottom quad at y = -0.2. Returns 1, or 0 when GL gives
// no list name (the plate then has no list and is not drawn).
int BuildPlateDisplayList(Scene& scene, int plateVisible);
