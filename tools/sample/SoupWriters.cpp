#include "tools/sample/SoupWriters.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

#include "import/CtmFormat.h"
#include "import/LittleEndian.h"
#include "import/ParsedModel.h"
#include "import/SafeFileWriter.h"
#include "import/StlFormat.h"
#include "scene/Poly3gon.h"

namespace {

constexpr const char* kHeaderText = "Pexora sample specimen";

bool Countable(const Poly3gon& mesh) {
    return mesh.facetCount <= uint64_t(std::numeric_limits<int32_t>::max());
}

// Writes one record of `recordSize` bytes per facet, filled by `fill`, a block at a time.
template <typename Fill>
bool WriteRecords(SafeFileWriter& writer, const Poly3gon& mesh, size_t recordSize, Fill fill) {
    const uint64_t perBlock = kReadBlockBytes / recordSize;
    std::vector<uint8_t> block(perBlock * recordSize);
    for (uint64_t first = 0; first < mesh.facetCount; first += perBlock) {
        const uint64_t count = std::min(perBlock, mesh.facetCount - first);
        std::memset(block.data(), 0, block.size());
        for (uint64_t n = 0; n < count; ++n)
            fill(mesh.facets + (first + n) * 3, block.data() + n * recordSize);
        if (!writer.Write(block.data(), count * recordSize)) return false;
    }
    return true;
}

void PutCorners(const Poly3gon& mesh, const int64_t* corners, uint8_t* out) {
    for (int c = 0; c < 3; ++c)
        std::memcpy(out + 12 * c, mesh.vertices + corners[c] * 3, 12);
}

}  // namespace

bool WriteBinaryStl(const Poly3gon& mesh, const std::string& path) {
    if (!Countable(mesh)) return false;
    uint8_t header[kStlHeaderSize] = {};
    std::memcpy(header, kHeaderText, std::strlen(kHeaderText));
    StoreInt32(header + kStlCountOffset, int32_t(mesh.facetCount));
    SafeFileWriter writer;
    return writer.Open(path) && writer.Write(header, sizeof header) &&
           WriteRecords(writer, mesh, kStlRecordSize,
                        [&](const int64_t* corners, uint8_t* record) {
                            const float* a = mesh.vertices + corners[0] * 3;
                            const float* b = mesh.vertices + corners[1] * 3;
                            const float* c = mesh.vertices + corners[2] * 3;
                            float n[3] = {(b[1] - a[1]) * (c[2] - a[2]) - (b[2] - a[2]) * (c[1] - a[1]),
                                          (b[2] - a[2]) * (c[0] - a[0]) - (b[0] - a[0]) * (c[2] - a[2]),
                                          (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0])};
                            const float length = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
                            if (length > 0)
                                for (float& value : n)
                                    value /= length;
                            std::memcpy(record, n, 12);
                            PutCorners(mesh, corners, record + kStlVerticesOffset);
                        }) &&
           writer.Commit();
}

bool WriteCtmWithNormals(const Poly3gon& mesh, const float* normals, const std::string& path) {
    if (!Countable(mesh)) return false;
    uint8_t head[kCtmHeaderSize + kCtmDescriptorSize] = {};
    std::memcpy(head, kHeaderText, std::strlen(kHeaderText));
    StoreInt32(head + kCtmSectionPositionOffset, int32_t(kCtmHeaderSize));
    uint8_t* descriptor = head + kCtmHeaderSize;
    StoreInt32(descriptor + kCtmFacetCountOffset, int32_t(mesh.facetCount));
    StoreInt16(descriptor + kCtmNormalFlagOffset, kCtmNormalFlag);
    StoreUint16(descriptor + kCtmRecordSizeOffset, uint16_t(kCtmNormalRecordSize));
    StoreInt32(descriptor + kCtmDataPositionOffset, int32_t(sizeof head));
    SafeFileWriter writer;
    return writer.Open(path) && writer.Write(head, sizeof head) &&
           WriteRecords(writer, mesh, kCtmNormalRecordSize,
                        [&](const int64_t* corners, uint8_t* record) {
                            PutCorners(mesh, corners, record);
                            for (int c = 0; c < 3; ++c)
                                std::memcpy(record + 36 + 12 * c, normals + corners[c] * 3, 12);
                        }) &&
           writer.Commit();
}
