#include "scene/Scene.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"

namespace {

bool IsRecordIndex(int index) {
    return index >= 0 && index < kRecordCount;
}

// Stands in for the GPU side when the scene dies: the context and its objects are gone by then.
class DetachedGraphics : public SceneGraphics {
public:
    void DeleteLists(uint32_t, int32_t) override {}
    void DeleteTexture(uint32_t) override {}
    void ShowProgress(int, const std::string&) override {}
};

}  // namespace

Scene::Scene(int fogIntensity, int fieldOfView) {
    // Default-constructed records already hold InitObject's values and quaternion (1, 0, 0, 0).
    state.fogIntensity = fogIntensity;
    state.fieldOfView = fieldOfView;
}

Scene::~Scene() {
    DetachedGraphics detached;
    int end = std::clamp(state.count, 1, kRecordCount);
    for (int i = 1; i < end; ++i) {
        SceneObject& record = objects[i];
        delete record.mesh;
        delete[] record.normals;
        DestroyCapChain(record.caps, detached);
    }
}

void Scene::InitObject(int index) {
    if (!IsRecordIndex(index)) return;
    SceneObject& record = objects[index];
    float quaternion[4];
    std::copy_n(record.quaternion, 4, quaternion);
    record = SceneObject{};
    std::copy_n(quaternion, 4, record.quaternion);
}

void Scene::CopyObject(int from, int to) {
    if (!IsRecordIndex(from) || !IsRecordIndex(to) || from == to) return;
    objects[to] = objects[from];
    CopyCompanions(from, to);
}

void Scene::FreeObjectData(int index, SceneGraphics& graphics) {
    if (!IsRecordIndex(index)) return;
    SceneObject& record = objects[index];
    if (record.backupPath[0] != '\0') {
        std::error_code ignored;  // a snapshot file that is already gone is fine
        std::filesystem::remove(record.backupPath, ignored);
        SetRecordText(record.backupPath, "");
    }
    if (record.listBase != 0) {
        graphics.DeleteLists(record.listBase, record.listCount);
        record.listCount = 1;
        record.listBase = 0;
    }
    delete record.mesh;
    record.mesh = nullptr;
    DestroyCapChain(record.caps, graphics);
    record.caps = nullptr;
    delete[] record.normals;
    record.normals = nullptr;
}

void Scene::ComputeBounds(int index) {
    if (!IsRecordIndex(index)) return;
    SceneObject& record = objects[index];
    Poly3gon* mesh = record.mesh;
    if (mesh == nullptr) return;

    float* boxMin = record.boxMin;
    float* boxMax = record.boxMax;
    std::fill_n(boxMin, 3, 1000000.0f);
    std::fill_n(boxMax, 3, -1000000.0f);
    float* const vertexEnd = mesh->vertices + mesh->vertexCount * 3;
    for (const float* vertex = mesh->vertices; vertex != vertexEnd; vertex += 3) {
        for (int axis = 0; axis < 3; ++axis) {
            // Compared so that a NaN coordinate never enters the box (it would poison the centring shift).
            if (vertex[axis] < boxMin[axis]) boxMin[axis] = vertex[axis];
            if (vertex[axis] > boxMax[axis]) boxMax[axis] = vertex[axis];
        }
    }

    float shift[3];
    if (record.centered == 1) {
        for (int axis = 0; axis < 3; ++axis) {
            record.centre[axis] = boxMin[axis] + (boxMax[axis] - boxMin[axis]) * 0.5f;
            shift[axis] = -record.centre[axis];
        }
    } else {
        std::copy_n(record.centre, 3, shift);
        std::fill_n(record.centre, 3, 0.0f);
    }
    for (int axis = 0; axis < 3; ++axis) {
        boxMin[axis] += shift[axis];
        boxMax[axis] += shift[axis];
    }
    for (float* vertex = mesh->vertices; vertex != vertexEnd; vertex += 3) {
        for (int axis = 0; axis < 3; ++axis)
            vertex[axis] += shift[axis];
    }

    record.vertexCount = static_cast<int64_t>(mesh->vertexCount);
    record.facetCount = static_cast<int64_t>(mesh->facetCount);
}

int Scene::AddModelSlot() {
    // count + 1 must stay a record index: with kMaxModels models the plate already is the last record.
    if (state.count < 1 || state.count > kMaxModels) return 0;
    int slot = state.count;
    CopyObject(slot, slot + 1);
    InitObject(slot);
    ++state.count;
    return slot;
}

int Scene::DeleteModel(int k, SceneGraphics& graphics) {
    if (k < 1 || k >= state.count || state.count >= kRecordCount) return 0;
    FreeObjectData(k, graphics);
    for (int i = k; i < state.count; ++i)
        CopyObject(i + 1, i);
    // The old plate slot still holds a copy of the plate's pointers; clear it so nothing is owned twice.
    InitObject(state.count);
    --state.count;
    return 1;
}

void Scene::FreeAllModels(SceneGraphics& graphics) {
    int end = std::clamp(state.count, 1, kRecordCount);
    for (int i = 1; i < end; ++i)
        FreeObjectData(i, graphics);
}
