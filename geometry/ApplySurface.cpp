#include "geometry/ApplySurface.h"

#include "geometry/WeldVertices.h"
#include "import/ModelLoader.h"
#include "scene/Scene.h"
#include "scene/SceneGraphics.h"

SurfaceUpdate ApplySurface(Scene& scene, int index, const SurfaceChoice& choice, SceneGraphics& graphics) {
    if (index < 1 || index > scene.PlateIndex() || scene.PlateIndex() >= kRecordCount)
        return SurfaceUpdate::kNone;
    SceneObject& object = scene.objects[index];
    if (object.vertexCount == 0) return SurfaceUpdate::kNone;

    object.surfaceMode = static_cast<int16_t>(choice.surfaceMode);
    object.showAxes = choice.showAxes;
    if (index == scene.PlateIndex()) return SurfaceUpdate::kPlate;

    bool welded = false;
    if (object.optimized == 0 && choice.optimize != 0) {
        object.optimized = 1;
        // A .p3g mesh is indexed as read: the flag alone makes it right.
        welded = object.fileType == kP3gFile || WeldVertices(object, graphics);
        if (!welded) object.optimized = 0;
    }
    if (choice.centered != object.centered) {
        object.centered = choice.centered;
        scene.ComputeBounds(index);
    }
    graphics.BuildSurfaceLists(index);
    return welded ? SurfaceUpdate::kModelWelded : SurfaceUpdate::kModel;
}
