#include "geometry/RestoreObject.h"

#include <new>

#include "import/ModelLoader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"

int RestoreObject(Scene& scene, int index, SceneGraphics& graphics, Tones& tones, std::string* problem) {
    if (index < 1 || index >= scene.PlateIndex() || scene.PlateIndex() >= kRecordCount) {
        if (problem != nullptr) *problem = "no model record";
        return 0;
    }
    SceneObject& object = scene.objects[index];
    const std::string path = RecordLocation(object);
    // The new mesh is read before the old one goes, so that a missing or damaged file loses nothing.
    ModelFileData data;
    const ParseOutcome outcome = ReadModelFile(path, tones, data);
    if (outcome.status != ParseStatus::kParsed) {
        if (problem != nullptr) *problem = outcome.problem;
        return 0;
    }
    // The record is given the model whole or not at all; the old geometry goes only after that.
    Poly3gon* oldMesh = object.mesh;
    float* oldNormals = object.normals;
    CutCap* oldCaps = object.caps;
    object.mesh = nullptr;
    object.normals = nullptr;
    object.caps = nullptr;
    try {
        GiveModelToRecord(scene, index, path, std::move(data));
    } catch (const std::bad_alloc&) {
        object.mesh = oldMesh;
        object.normals = oldNormals;
        object.caps = oldCaps;
        if (problem != nullptr) *problem = "not enough memory for the mesh";
        return 0;
    }
    delete oldMesh;
    delete[] oldNormals;
    DestroyCapChain(oldCaps, graphics);
    return 1;
}
