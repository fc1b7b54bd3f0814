#pragma once
// The scene: header and the fixed table of 128 records.
// Record 0 is the camera, records 1..count-1 the models in load order, record count the plate.

#include "scene/SceneObject.h"

class SceneGraphics;

inline constexpr int kMaxModels = kRecordCount - 2;  // camera and plate take one record each
inline constexpr const char* kSceneFullMessage =
    "The scene already holds 126 models; delete one before loading another.";

class Scene {
public:
    // Every record initialised (quaternion (1,0,0,0)), header at its initial values with the given
    // fog intensity and field of view, count 1 (no models, the plate is record 1).
    explicit Scene(int fogIntensity = 20, int fieldOfView = 70);
    // Releases any mesh, normals and caps still owned, without GPU calls (the context is gone by then).
    virtual ~Scene();
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    // Record `index` back to its initial values except `quaternion`; owned data is not freed (the
    // pointers are simply cleared). The controller is not touched. Index out of 0..127: nothing.
    void InitObject(int index);
    // Copies record `from` into `to`, with whatever a derived scene keeps per record; the owned
    // pointers move with the copy, so the caller re-initialises `from` or stops using it. Indices out
    // of range or equal: nothing.
    void CopyObject(int from, int to);
    // Deletes the backup file, the surface display lists, the mesh, the cap chain and the normals
    // of record `index`; clears their fields. Index out of range: nothing.
    void FreeObjectData(int index, SceneGraphics& graphics);
    // Bounding box of the mesh, then: centered 1 shifts the vertices so the box centre sits at the
    // origin and stores that shift in `centre`, replacing the old one (so hand it the mesh in file
    // coordinates); centered 0 adds `centre` back and zeroes it. Copies the mesh counts into the
    // record. NaN coordinates never enter the box. No mesh: nothing.
    void ComputeBounds(int index);
    // Makes room for a model in front of the plate: the plate moves up one record, the freed record
    // is initialised and count grows by one (callers must not increment it again). Returns the new
    // model's index, or 0 when kMaxModels models exist already (show kSceneFullMessage).
    int AddModelSlot();
    // Frees model `k` (1..count-1), moves the records above it (the plate last) down one slot and
    // decrements count; the vacated slot is re-initialised. Returns 0 for an index that is no model.
    int DeleteModel(int k, SceneGraphics& graphics);
    // FreeObjectData for every model, records 1..count-1 (frame destruction).
    void FreeAllModels(SceneGraphics& graphics);

    int ModelCount() const { return state.count - 1; }
    int PlateIndex() const { return state.count; }

    SceneState state;
    SceneObject objects[kRecordCount];

protected:
    // What a derived scene keeps per record follows the record from `from` to `to` (valid, distinct).
    virtual void CopyCompanions(int /*from*/, int /*to*/) {}
};
