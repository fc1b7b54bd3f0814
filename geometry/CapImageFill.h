#pragma once
// Preparing a cap for the "Image texture" fill.

#include <cstdint>

#include "scene/CutCap.h"

class Scene;
class SceneGraphics;

// Maps every corner of `cap`'s triangles (mesh vertex + centre, through the object's transform into
// the world and back through the plate's) into plate coordinates: floor of the smallest and ceiling
// of the largest x and z, and the height of the very first corner; all 0 for a cap without
// triangles. The triangles must index the object's mesh.
CapPlateBounds ComputeCapPlateBounds(const Scene& scene, int index, const CutCap& cap);

// The image fill of the cap just cut from model `index`: deletes its texture, has the graphics side
// texture it from the object's dataset (a cap of an object without one stays untextured), and stores
// the bounds, the spans stretched by the texture's factors and the object and plate transforms in it,
// which the cap's texture coordinates are computed from.
void PrepareImageFill(Scene& scene, int index, CutCap& cap, SceneGraphics& graphics);
