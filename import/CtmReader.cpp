// Reads the header and descriptor, checks that the whole record area lies inside the file, then
// copies the corners (and normals) out of the records block by block on every core.
#include "import/CtmReader.h"

#include <cstring>

#include "import/CtmFormat.h"
#include "import/LittleEndian.h"
#include "import/MeshArrays.h"
#include "import/RecordBlocks.h"

namespace {

struct CtmLayout {
    uint64_t facetCount = 0;
    uint64_t recordSize = 0;
    uint64_t dataPosition = 0;
    bool hasNormals = false;
};

// Reads and checks header and descriptor; returns null or the problem.
const char* ReadLayout(ByteSource& source, CtmLayout& layout) {
    const uint8_t* header = source.View(0, kCtmHeaderSize);
    if (header == nullptr) return "file shorter than a .ctm header";
    const int32_t sectionPosition = LoadInt32(header + kCtmSectionPositionOffset);
    if (sectionPosition <= 0) return "section position outside the file";
    const uint8_t* descriptor = source.View(static_cast<uint64_t>(sectionPosition), kCtmDescriptorSize);
    if (descriptor == nullptr) return "section descriptor outside the file";

    const int32_t facetCount = LoadInt32(descriptor + kCtmFacetCountOffset);
    const int32_t dataPosition = LoadInt32(descriptor + kCtmDataPositionOffset);
    layout.hasNormals = LoadInt16(descriptor + kCtmNormalFlagOffset) == kCtmNormalFlag;
    layout.recordSize = LoadUint16(descriptor + kCtmRecordSizeOffset);
    if (facetCount < 0) return "negative facet count";
    if (dataPosition <= 0) return "facet records outside the file";
    if (layout.recordSize < (layout.hasNormals ? kCtmNormalRecordSize : kCtmPlainRecordSize))
        return "facet record too small for its fields";
    layout.facetCount = static_cast<uint64_t>(facetCount);
    layout.dataPosition = static_cast<uint64_t>(dataPosition);
    if (layout.dataPosition + layout.facetCount * layout.recordSize > source.Size())
        return "facet count exceeds the file size";
    return nullptr;
}

// Copies the records into the mesh and normals; false when the bytes cannot be read.
bool ReadRecords(ByteSource& source, const CtmLayout& layout, Poly3gon& mesh, float* normals) {
    const uint64_t recordSize = layout.recordSize;
    return ConvertRecordsInParallel(
        source, layout.dataPosition, recordSize, layout.facetCount,
        [&mesh, normals, recordSize](const uint8_t* records, uint64_t first, uint64_t count) {
            for (uint64_t i = 0; i < count; ++i) {
                const uint64_t k = first + i;
                const uint8_t* record = records + i * recordSize;
                std::memcpy(mesh.vertices + k * 9, record, 36);
                if (normals != nullptr) std::memcpy(normals + k * 9, record + 36, 36);
            }
            NumberSoupFacets(mesh, first, count);
            return true;
        });
}

}  // namespace

ParseOutcome ParseCtm(ByteSource& source, ParsedModel& model) {
    model = ParsedModel();
    CtmLayout layout;
    if (const char* problem = ReadLayout(source, layout)) return ParseOutcome::Refused(problem);

    const uint64_t vertexCount = layout.facetCount * 3;
    if (!AllocateMeshArrays(model.mesh, vertexCount, layout.facetCount))
        return ParseOutcome::Refused("not enough memory for the mesh");
    if (layout.hasNormals && vertexCount > 0) {
        model.normals.reset(NewLargeFloatArray(vertexCount * 3));
        if (!model.normals) {
            model = ParsedModel();
            return ParseOutcome::Refused("not enough memory for the normals");
        }
    }
    if (!ReadRecords(source, layout, model.mesh, model.normals.get())) {
        model = ParsedModel();
        return ParseOutcome::Refused("file could not be read");
    }
    return ParseOutcome::Parsed();
}
