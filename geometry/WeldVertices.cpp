#include "geometry/WeldVertices.h"

#include <cstdint>

#include "geometry/BucketWeld.h"
#include "import/ModelLoader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"
#include "scene/SceneObject.h"

namespace {

bool IndicesValid(const int64_t* indices, uint64_t count, uint64_t vertexCount) {
    for (uint64_t i = 0; i < count; ++i)
        if (indices[i] < 0 || static_cast<uint64_t>(indices[i]) >= vertexCount) return false;
    return true;
}

}  // namespace

bool WeldMesh(Poly3gon& mesh, CutCap* caps, SceneGraphics& graphics) {
    const uint64_t vertexCount = mesh.vertexCount;
    uint64_t triangles = mesh.facetCount;
    if (triangles > 0 && (mesh.facets == nullptr || !IndicesValid(mesh.facets, triangles * 3, vertexCount)))
        return false;
    for (const CutCap* cap = caps; cap != nullptr; cap = cap->next) {
        if (cap->triangleCount < 0) return false;
        if (cap->triangleCount == 0) continue;
        if (cap->triangles == nullptr ||
            !IndicesValid(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3, vertexCount))
            return false;
        triangles += static_cast<uint64_t>(cap->triangleCount);
    }
    // Corner places in the scan fit in 32 bits for any mesh that fits in memory today; wider ones cost
    // half as much memory again.
    const bool narrow = triangles < UINT32_MAX / 3;
    if (!(narrow ? WeldCheckedMesh<uint32_t>(mesh, caps, graphics)
                 : WeldCheckedMesh<uint64_t>(mesh, caps, graphics)))
        return false;
    graphics.ShowProgress(0, "");
    return true;
}

bool WeldVertices(SceneObject& object, SceneGraphics& graphics) {
    if (object.mesh == nullptr || object.fileType == kP3gFile || object.optimized == 0) return false;
    if (!WeldMesh(*object.mesh, object.caps, graphics)) return false;
    SetRecordText(object.backupPath, "");  // the snapshot no longer matches the mesh
    delete[] object.normals;
    object.normals = nullptr;
    object.vertexCount = static_cast<int64_t>(object.mesh->vertexCount);
    return true;
}
