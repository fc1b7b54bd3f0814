#pragma once
// What every fuzz entry point checks after a parse: a parsed mesh only names its own vertices, and
// a refused file leaves nothing behind.

#include <cstdint>

#include "import/ParsedModel.h"

inline void CheckParsedModel(const ParseOutcome& outcome, const ParsedModel& model) {
    const Poly3gon& mesh = model.mesh;
    if (outcome.status != ParseStatus::kParsed) {
        if (mesh.vertices != nullptr || mesh.facets != nullptr || model.normals != nullptr) __builtin_trap();
        return;
    }
    for (uint64_t i = 0; i < mesh.facetCount * 3; ++i)
        if (mesh.facets[i] < 0 || static_cast<uint64_t>(mesh.facets[i]) >= mesh.vertexCount) __builtin_trap();
}
