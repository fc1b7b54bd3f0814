// libFuzzer entry point of mesh snapshots: any bytes are refused or yield geometry whose every index
// names a vertex and whose caps hold the triangles and texels they count.

#include <cstddef>
#include <cstdint>

#include "flight/MeshSnapshot.h"
#include "import/ByteSource.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    SnapshotGeometry geometry;
    if (!DecodeMeshSnapshot(source, geometry)) return 0;
    const Poly3gon& mesh = *geometry.mesh;
    for (uint64_t i = 0; i < mesh.facetCount * 3; ++i)
        if (mesh.facets[i] < 0 || static_cast<uint64_t>(mesh.facets[i]) >= mesh.vertexCount) __builtin_trap();
    int64_t caps = 0;
    for (const CutCap* cap = geometry.caps; cap != nullptr; cap = cap->next, ++caps) {
        for (int64_t i = 0; i < cap->triangleCount * 3; ++i)
            if (static_cast<uint64_t>(cap->triangles[i]) >= mesh.vertexCount) __builtin_trap();
        const int64_t texels = int64_t(cap->textureWidth) * cap->textureHeight;
        if (texels != 0) {
            // Reading the last texel lets the address sanitizer check the array is as long as counted.
            [[maybe_unused]] volatile uint8_t last = cap->pixels[texels * 3 - 1];
        }
    }
    if (caps != geometry.capCount) __builtin_trap();
    return 0;
}
