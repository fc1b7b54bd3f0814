#include "import/MeshArrays.h"

#include <sys/mman.h>

#include <cstddef>
#include <new>

#include "scene/Poly3gon.h"

namespace {

constexpr uintptr_t kHugePageSize = uintptr_t{2} << 20;

}  // namespace

void AdviseHugePages(void* begin, size_t bytes) {
    uintptr_t first = (reinterpret_cast<uintptr_t>(begin) + kHugePageSize - 1) & ~(kHugePageSize - 1);
    uintptr_t last = (reinterpret_cast<uintptr_t>(begin) + bytes) & ~(kHugePageSize - 1);
    if (last > first) madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
}

namespace {

template <typename T>
T* NewLargeArray(uint64_t count) {
    if (count > SIZE_MAX / sizeof(T)) return nullptr;
    T* array = new (std::nothrow) T[static_cast<size_t>(count)];
    if (array != nullptr && count * sizeof(T) >= 2 * kHugePageSize) AdviseHugePages(array, count * sizeof(T));
    return array;
}

}  // namespace

float* NewLargeFloatArray(uint64_t count) {
    return NewLargeArray<float>(count);
}

int64_t* NewLargeIndexArray(uint64_t count) {
    return NewLargeArray<int64_t>(count);
}

bool AllocateMeshArrays(Poly3gon& mesh, uint64_t vertexCount, uint64_t facetCount) {
    if (vertexCount > SIZE_MAX / 3 || facetCount > SIZE_MAX / 3) return false;
    float* vertices = vertexCount > 0 ? NewLargeFloatArray(vertexCount * 3) : nullptr;
    int64_t* facets = facetCount > 0 ? NewLargeIndexArray(facetCount * 3) : nullptr;
    if ((vertexCount > 0 && vertices == nullptr) || (facetCount > 0 && facets == nullptr)) {
        delete[] vertices;
        delete[] facets;
        return false;
    }
    mesh = Poly3gon();
    mesh.vertices = vertices;
    mesh.facets = facets;
    mesh.vertexCount = vertexCount;
    mesh.facetCount = facetCount;
    return true;
}

void NumberSoupFacets(Poly3gon& mesh, uint64_t first, uint64_t count) {
    if (count == 0) return;
    int64_t* slot = mesh.facets + (mesh.facetCount - first) * 3;
    for (uint64_t k = first; k < first + count; ++k) {
        slot -= 3;
        slot[0] = static_cast<int64_t>(3 * k);
        slot[1] = static_cast<int64_t>(3 * k + 1);
        slot[2] = static_cast<int64_t>(3 * k + 2);
    }
}
