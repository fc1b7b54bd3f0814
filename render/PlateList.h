#pragma once
// Display list of the plate: a slab 0.4 units thick over the plate record's box in x and z.
// Needs the view's context current.

#include "scene/Scene.h"

// Replaces the plate's list (the record at the scene's count, set up by its owner with InitPlateRecord):
// front faces filled (both faces as lines in wire mode), a top quad at y = +0.2 and a bottom quad at
// y = -0.2. Only the list changes, so it may run at any time: before or after models were loaded, and
// again for a new context. Returns 1, or 0 when GL gives no list name (the plate then is not drawn).
int BuildPlateDisplayList(Scene& scene);
