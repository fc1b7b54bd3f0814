// Chooses between the binary and the ASCII layout, then reads binary records block by block on every
// core.
#include "import/StlReader.h"

#include <cstring>

#include "import/LittleEndian.h"
#include "import/MeshArrays.h"
#include "import/RecordBlocks.h"
#include "import/StlAsciiReader.h"
#include "import/StlFormat.h"

namespace {

bool BeginsWithSolid(ByteSource& source) {
    const uint8_t* start = source.View(0, 5);
    return start != nullptr && std::memcmp(start, "solid", 5) == 0;
}

// True when the file is exactly as long as the binary layout of its stated count.
bool SizeMatchesBinaryLayout(ByteSource& source) {
    const uint8_t* count = source.View(kStlCountOffset, 4);
    return count != nullptr && source.Size() == kStlHeaderSize + uint64_t{LoadUint32(count)} * kStlRecordSize;
}

}  // namespace

ParseOutcome ParseBinaryStl(ByteSource& source, ParsedModel& model) {
    model = ParsedModel();
    const uint8_t* header = source.View(0, kStlHeaderSize);
    if (header == nullptr) return ParseOutcome::Refused("file shorter than an STL header");
    const int32_t triangleCount = LoadInt32(header + kStlCountOffset);
    if (triangleCount < 0) return ParseOutcome::Refused("negative triangle count");
    const uint64_t n = static_cast<uint64_t>(triangleCount);
    if (kStlHeaderSize + n * kStlRecordSize > source.Size())
        return ParseOutcome::Refused("triangle count exceeds the file size");

    Poly3gon& mesh = model.mesh;
    if (!AllocateMeshArrays(mesh, n * 3, n)) return ParseOutcome::Refused("not enough memory for the mesh");
    const bool read =
        ConvertRecordsInParallel(source, kStlHeaderSize, kStlRecordSize, n,
                                 [&mesh](const uint8_t* records, uint64_t first, uint64_t count) {
                                     for (uint64_t i = 0; i < count; ++i)
                                         std::memcpy(mesh.vertices + (first + i) * 9,
                                                     records + i * kStlRecordSize + kStlVerticesOffset, 36);
                                     NumberSoupFacets(mesh, first, count);
                                     return true;
                                 });
    if (!read) {
        model = ParsedModel();
        return ParseOutcome::Refused("file could not be read");
    }
    return ParseOutcome::Parsed();
}

ParseOutcome ParseStl(ByteSource& source, ParsedModel& model) {
    if (!BeginsWithSolid(source) || SizeMatchesBinaryLayout(source)) return ParseBinaryStl(source, model);
    ParseOutcome ascii = ParseAsciiStl(source, model);
    if (ascii.status == ParseStatus::kParsed) return ascii;
    // Some binary writers start their header with "solid" too; such a file may carry trailing bytes.
    ParseOutcome binary = ParseBinaryStl(source, model);
    return binary.status == ParseStatus::kParsed ? binary : ascii;
}
