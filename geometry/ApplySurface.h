#pragma once
// The surface update of one object: stores the chosen surface mode and axes flag, welds the mesh's
// coincident vertices when an optimised mesh is asked for, re-centres the object when the centring
// choice changed, and rebuilds its display lists.

class Scene;
class SceneGraphics;

// What the user chose for the object.
struct SurfaceChoice {
    int surfaceMode = 0;  // 0..3; callers pass 0 when nothing is selected
    int showAxes = 0;
    int optimize = 0;  // 1: weld a mesh that has no shared vertices yet
    int centered = 0;
};

// What ApplySurface did, so that the caller knows what to refresh.
enum class SurfaceUpdate {
    kNone,        // no such object, or it has no geometry: nothing changed
    kPlate,       // the plate took mode and axes flag; the caller rebuilds the plate's display list
    kModel,       // the model was updated and its lists rebuilt
    kModelWelded  // as kModel, and the mesh now shares vertices (the smooth modes become possible)
};

// Applies `choice` to record `index` (a model 1..count-1 or the plate count). For a model without
// shared vertices an optimisation request sets `optimized` and welds (WeldVertices); a .p3g mesh,
// indexed already, keeps the flag without a weld. When the weld is refused the flag goes back to 0,
// so that a facet soup is never taken for an indexed mesh. A changed
// `centered` is stored and the object re-centred (ComputeBounds), then BuildSurfaceLists runs.
SurfaceUpdate ApplySurface(Scene& scene, int index, const SurfaceChoice& choice, SceneGraphics& graphics);
