#include "geometry/RestoreObject.h"

#include <string>

#include "import/ModelLoader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"

int RestoreObject(Scene& scene, int index, SceneGraphics& graphics, Tones& tones) {
    if (index < 1 || index >= scene.PlateIndex() || scene.PlateIndex() >= kRecordCount) return 0;
    SceneObject& object = scene.objects[index];
    const std::string location = object.location;  // the reader rewrites the field
    delete object.mesh;
    object.mesh = nullptr;
    delete[] object.normals;
    object.normals = nullptr;
    DestroyCapChain(object.caps, graphics);
    object.caps = nullptr;
    // Until the file is read the record has no geometry, so a failed read leaves it undrawn.
    object.vertexCount = 0;
    object.facetCount = 0;
    return LoadModelFile(scene, index, location, tones);
}
