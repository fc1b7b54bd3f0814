#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

#include "import/CtmFormat.h"
#include "import/CtmReader.h"
#include "import/ModelFileBytes.h"
#include "import/ReaderSweep.h"

TEST(CtmReaderSweep, EveryPrefixIsRefused) {
    for (const FileBytes& valid :
         {CtmFile(3, 0, 36), CtmFile(2, 2, 72), CtmFile(2, 2, 90), CtmFile(200, 2, 72)})
        SweepPrefixes(ParseCtm, valid.bytes, true);
}

// The header's unused bytes, the section position and the whole descriptor, with and without normals.
TEST(CtmReaderSweep, EverySingleByteChangeIsReadOrRefusedCleanly) {
    const uint64_t end = kCtmHeaderSize + kCtmDescriptorSize;
    for (const FileBytes& valid : {CtmFile(2, 0, 36), CtmFile(2, 2, 72)}) {
        SweepByteChanges(ParseCtm, valid.bytes, 0, 16);
        SweepByteChanges(ParseCtm, valid.bytes, kCtmSectionPositionOffset, end);
    }
}

TEST(CtmReaderSweep, CountsBeyondTheFileAreRefusedBeforeAnyAllocation) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();
    const size_t descriptor = kCtmHeaderSize;
    struct Change {
        size_t offset;
        int32_t value;
        std::string problem;
    };
    for (const Change& change : {
             Change{descriptor + kCtmFacetCountOffset, kMax, "facet count exceeds the file size"},
             Change{descriptor + kCtmFacetCountOffset, 3, "facet count exceeds the file size"},
             Change{descriptor + kCtmFacetCountOffset, kMin, "negative facet count"},
             Change{descriptor + kCtmFacetCountOffset, -1, "negative facet count"},
             Change{descriptor + kCtmDataPositionOffset, kMax, "facet count exceeds the file size"},
             Change{descriptor + kCtmDataPositionOffset, kMin, "facet records outside the file"},
             Change{kCtmSectionPositionOffset, kMax, "section descriptor outside the file"},
             Change{kCtmSectionPositionOffset, kMin, "section position outside the file"},
         }) {
        FileBytes file = CtmFile(2, 2, 72);
        file.PutInt32(change.offset, change.value);
        ExpectRefusedBeforeAllocation(ParseCtm, file.bytes, change.problem);
    }
    // The largest record size with the largest count: the product needs more than 32 bits.
    FileBytes file = CtmFile(2, 2, 72);
    file.PutInt32(descriptor + kCtmFacetCountOffset, kMax);
    file.bytes[descriptor + kCtmRecordSizeOffset] = 0xff;
    file.bytes[descriptor + kCtmRecordSizeOffset + 1] = 0xff;
    ExpectRefusedBeforeAllocation(ParseCtm, file.bytes, "facet count exceeds the file size");
}
