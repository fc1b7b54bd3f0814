#include "import/P3gWriter.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <vector>

#include "import/LittleEndian.h"
#include "import/P3gFormat.h"
#include "import/ParsedModel.h"
#include "import/SafeFileWriter.h"
#include "scene/Poly3gon.h"

namespace {

bool Storable(const Poly3gon& mesh) {
    constexpr uint64_t kLargestCount = std::numeric_limits<int32_t>::max();
    if (mesh.vertexCount > kLargestCount || mesh.facetCount > kLargestCount) return false;
    const int64_t* end = mesh.facets + mesh.facetCount * 3;
    return std::all_of(static_cast<const int64_t*>(mesh.facets), end, [&](int64_t index) {
        return index >= 0 && static_cast<uint64_t>(index) < mesh.vertexCount;
    });
}

// Writes the facet indices in `Index` width, a block at a time.
template <typename Index>
bool WriteFacets(const Poly3gon& mesh, SafeFileWriter& writer) {
    constexpr uint64_t kValuesPerBlock = kReadBlockBytes / sizeof(Index);
    std::vector<Index> block(static_cast<size_t>(std::min<uint64_t>(kValuesPerBlock, mesh.facetCount * 3)));
    const uint64_t valueCount = mesh.facetCount * 3;
    for (uint64_t first = 0; first < valueCount; first += kValuesPerBlock) {
        const uint64_t count = std::min(kValuesPerBlock, valueCount - first);
        std::transform(mesh.facets + first, mesh.facets + first + count, block.begin(),
                       [](int64_t index) { return static_cast<Index>(index); });
        if (!writer.Write(block.data(), count * sizeof(Index))) return false;
    }
    return true;
}

}  // namespace

int WriteP3g(const Poly3gon& mesh, const std::string& path) {
    if (!Storable(mesh)) return 0;
    uint8_t header[kP3gHeaderSize];
    StoreInt32(header, kP3gVersion);
    StoreInt32(header + 4, static_cast<int32_t>(mesh.vertexCount));
    StoreInt32(header + 8, static_cast<int32_t>(mesh.facetCount));

    SafeFileWriter writer;
    const bool written = writer.Open(path) && writer.Write(header, sizeof header) &&
                         writer.Write(mesh.vertices, mesh.vertexCount * 12) &&
                         (P3gIndexWidth(mesh.vertexCount) == 2 ? WriteFacets<uint16_t>(mesh, writer)
                                                               : WriteFacets<int32_t>(mesh, writer));
    return written && writer.Commit() ? 1 : 0;
}
