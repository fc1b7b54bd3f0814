#pragma once
// Cutting an object by the plate, as the Objects dialog and keyframe playback do.

#include <cstdint>

#include "geometry/CutMesh.h"

class Scene;
class SceneGraphics;

// The plate's cutting plane in the object's mesh coordinates: three points 0.001 above the plate's
// middle plane (below it with `topCut`) mapped through the plate's and the object's transforms,
// the plane through them (a degenerate normal is replaced by one perpendicular to the longest
// side), unit normal, d from their mean. What lies beyond it (below the plate, or above with
// `topCut`) is removed.
CutPlane PlateCutPlane(const Scene& scene, int index);

// The quantised plane: a, b, c times 1000 and d times 100, rounded half away from zero.
void QuantisePlane(const CutPlane& plane, int64_t (&key)[4]);

// Cuts model `index` by the plate and fills the resulting cap. When the object has caps and the
// plane's key equals its `lastCutKey`, nothing is cut and the last cap is filled again; otherwise
// the key is stored and a mesh with facets is cut (CutMesh). Empties `backupPath`. The cap takes the
// object's `capFill`: 0 the object's colour and material, 1 the plate's, 2 an image fill prepared
// by PrepareImageFill and then the object's material. Returns 1 when a cap was filled, 0 when the
// index is no model, the object has no mesh or no cap resulted (the cut itself stands). The caller
// rebuilds the display lists. Statistics of the cut, when one ran, go to `statistics`.
int CutByPlate(Scene& scene, int index, SceneGraphics& graphics, CutStatistics* statistics = nullptr);
