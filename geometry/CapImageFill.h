#pragma once
// Preparing a cap for the "Image texture" fill.

#include <cstdint>

class Scene;
class SceneGraphics;
struct CutCap;

// Bounds of a cap in plate coordinates, in whole units.
struct CapPlateBounds {
    int32_t minX;
    int32_t minZ;
    int32_t maxX;
    int32_t maxZ;
    int32_t planeHeight;  // plate-coordinate height of the first corner, rounded
};

// Maps every corner of `cap`'s triangles (mesh vertex + centre, through the object's transform into
// the world and back through the plate's) into plate coordinates: floor of the smallest and ceiling
// of the largest x and z, and the height of the very first corner; all 0 for a cap without
// triangles. The triangles must index the object's mesh.
CapPlateBounds ComputeCapPlateBounds(const Scene& scene, int index, const CutCap& cap);

// The image fill of the cap just cut from model `index`: deletes its texture, and stores the
// bounds, spans (factors 1), object and plate transforms and the object's colour and material in
// it. The cap keeps no texture, as for an object without a dataset.
void PrepareImageFill(Scene& scene, int index, CutCap& cap, SceneGraphics& graphics);
