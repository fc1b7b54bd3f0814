// Reads the header, checks the counts against the file size, copies the vertex block as it is and
// widens the indices block by block, checking that each names a vertex; both on every core.
#include "import/P3gReader.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <string>
#include <type_traits>

#include "import/LittleEndian.h"
#include "import/MeshArrays.h"
#include "import/P3gFormat.h"
#include "import/RecordBlocks.h"

namespace {

constexpr const char* kUnreadable = "file could not be read";

// Converts the mesh's facets, stored as `Index` values from `offset` on, into its facet array.
// Returns null, or the problem: unreadable bytes or an index that is not below the vertex count.
template <typename Index>
const char* ReadFacets(ByteSource& source, uint64_t offset, Poly3gon& mesh) {
    std::atomic<bool> outside = false;
    const bool read = ConvertRecordsInParallel(
        source, offset, sizeof(Index), mesh.facetCount * 3,
        [&mesh, &outside](const uint8_t* values, uint64_t first, uint64_t count) {
            int64_t* out = mesh.facets + first;
            // Unsigned comparison also catches negative 32-bit indices.
            std::make_unsigned_t<Index> largest = 0;
            for (uint64_t i = 0; i < count; ++i) {
                Index value;
                std::memcpy(&value, values + i * sizeof(Index), sizeof(Index));
                out[i] = value;
                largest = std::max(largest, static_cast<std::make_unsigned_t<Index>>(value));
            }
            if (largest < mesh.vertexCount) return true;
            outside = true;
            return false;
        });
    return outside ? "facet index names no vertex" : read ? nullptr : kUnreadable;
}

}  // namespace

ParseOutcome ParseP3g(ByteSource& source, ParsedModel& model) {
    model = ParsedModel();
    const uint8_t* versionBytes = source.View(0, 4);
    if (versionBytes == nullptr) return ParseOutcome::Refused("file shorter than a .p3g header");
    const int32_t version = LoadInt32(versionBytes);
    if (version != kP3gFirstVersion && version != kP3gVersion)
        return {ParseStatus::kUnknownVersion, "unknown .p3g version " + std::to_string(version)};

    const uint8_t* header = source.View(0, kP3gHeaderSize);
    if (header == nullptr) return ParseOutcome::Refused("file shorter than a .p3g header");
    const int32_t vertexCount = LoadInt32(header + 4);
    const int32_t facetCount = LoadInt32(header + 8);
    if (vertexCount < 0 || facetCount < 0) return ParseOutcome::Refused("negative vertex or facet count");

    const uint64_t vertices = static_cast<uint64_t>(vertexCount);
    const uint64_t facets = static_cast<uint64_t>(facetCount);
    const uint64_t indexWidth = P3gIndexWidth(vertices);
    const uint64_t facetOffset = kP3gHeaderSize + vertices * 12;
    if (facetOffset + facets * 3 * indexWidth > source.Size())
        return ParseOutcome::Refused("vertex and facet counts exceed the file size");

    Poly3gon& mesh = model.mesh;
    if (!AllocateMeshArrays(mesh, vertices, facets))
        return ParseOutcome::Refused("not enough memory for the mesh");
    const char* problem = !CopyInParallel(source, kP3gHeaderSize, vertices * 12, mesh.vertices) ? kUnreadable
                          : indexWidth == 2 ? ReadFacets<uint16_t>(source, facetOffset, mesh)
                                            : ReadFacets<int32_t>(source, facetOffset, mesh);
    if (problem != nullptr) {
        model = ParsedModel();
        return ParseOutcome::Refused(problem);
    }
    return ParseOutcome::Parsed();
}
