#pragma once
// What every fuzz entry point checks after a parse: a parsed mesh only names its own vertices, and
// a refused file leaves nothing behind. A parsed mesh is then cut by a fixed plane and welded, as
// a user would cut and optimise it, and must still name only its own vertices.

#include <cstdint>
#include <string>
#include <utility>

#include "geometry/CutMesh.h"
#include "geometry/WeldVertices.h"
#include "import/ParsedModel.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/SceneGraphics.h"
#include "scene/SceneObject.h"

class FuzzGraphics final : public SceneGraphics {
public:
    void DeleteLists(uint32_t, int32_t) override {}
    void DeleteTexture(uint32_t) override {}
    void ShowProgress(int, const std::string&) override {}
};

inline void CheckIndices(const int64_t* indices, uint64_t count, uint64_t vertexCount) {
    for (uint64_t i = 0; i < count; ++i)
        if (indices[i] < 0 || static_cast<uint64_t>(indices[i]) >= vertexCount) __builtin_trap();
}

// Cuts by the plane z = 0 (the value most fuzzed coordinates take, so vertices, edges and facets lie
// in it) and welds mesh and caps.
inline void CutAndWeld(Poly3gon&& parsed) {
    SceneObject object;
    object.mesh = new Poly3gon(std::move(parsed));
    CutMesh(object, {0, 0, 1, 0});
    FuzzGraphics graphics;
    WeldMesh(*object.mesh, object.caps, graphics);
    const uint64_t vertexCount = object.mesh->vertexCount;
    CheckIndices(object.mesh->facets, object.mesh->facetCount * 3, vertexCount);
    for (const CutCap* cap = object.caps; cap != nullptr; cap = cap->next)
        CheckIndices(cap->triangles, static_cast<uint64_t>(cap->triangleCount) * 3, vertexCount);
    delete object.mesh;
    DestroyCapChain(object.caps, graphics);
}

inline void CheckParsedModel(const ParseOutcome& outcome, ParsedModel& model) {
    Poly3gon& mesh = model.mesh;
    if (outcome.status != ParseStatus::kParsed) {
        if (mesh.vertices != nullptr || mesh.facets != nullptr || model.normals != nullptr) __builtin_trap();
        return;
    }
    CheckIndices(mesh.facets, mesh.facetCount * 3, mesh.vertexCount);
    CutAndWeld(std::move(mesh));
}
