#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <vector>

#include "import/ModelFileBytes.h"
#include "import/P3gFormat.h"
#include "import/P3gReader.h"
#include "import/ReaderSweep.h"

namespace {

// 65537 vertices: the smallest mesh stored with 32-bit indices.
FileBytes WideP3g() {
    FileBytes wide = P3gHead(1001, 65537, 1);
    wide.Int32(65536).Int32(0).Int32(1);
    return wide;
}

}  // namespace

TEST(P3gReaderSweep, EveryPrefixIsRefusedAndTrailingBytesAreIgnored) {
    SweepPrefixes(ParseP3g, SmallP3g().bytes, true);
    // The wide file is sampled beyond its first bytes; every cut inside its facets, at the end, is tried.
    const FileBytes wide = WideP3g();
    SweepPrefixes(ParseP3g, wide.bytes, true);
    ParsedModel model;
    for (size_t cut = 1; cut <= 12; ++cut) {
        const std::vector<uint8_t> prefix(wide.bytes.begin(), wide.bytes.end() - cut);
        ASSERT_EQ(ParseFreshCopy(ParseP3g, prefix, model).status, ParseStatus::kRefused) << cut;
    }

    FileBytes longer = SmallP3g();
    longer.Fill(7, 0xff);
    ASSERT_EQ(ParseFreshCopy(ParseP3g, longer.bytes, model).status, ParseStatus::kParsed);
    EXPECT_EQ(std::vector<int64_t>(model.mesh.facets, model.mesh.facets + 6),
              (std::vector<int64_t>{0, 1, 2, 3, 2, 1}));
}

TEST(P3gReaderSweep, EverySingleByteChangeIsReadOrRefusedCleanly) {
    const FileBytes small = SmallP3g();
    SweepByteChanges(ParseP3g, small.bytes, 0, small.bytes.size());
    const FileBytes wide = WideP3g();
    // The wide file's counts, and the low and the sign byte of its last 32-bit index (each change of
    // an index byte reads the whole file, which the sanitizers make slow).
    SweepByteChanges(ParseP3g, wide.bytes, 4, kP3gHeaderSize);
    SweepByteChanges(ParseP3g, wide.bytes, wide.bytes.size() - 4, wide.bytes.size() - 3);
    SweepByteChanges(ParseP3g, wide.bytes, wide.bytes.size() - 1, wide.bytes.size());
}

TEST(P3gReaderSweep, CountsBeyondTheFileAreRefusedBeforeAnyAllocation) {
    constexpr int32_t kMax = std::numeric_limits<int32_t>::max();
    constexpr int32_t kMin = std::numeric_limits<int32_t>::min();  // 2^31 read as a signed count
    const std::string tooLarge = "vertex and facet counts exceed the file size";
    const std::string negative = "negative vertex or facet count";
    struct Counts {
        int32_t vertices, facets;
        std::string problem;
    };
    for (const Counts& counts :
         {Counts{kMax, 0, tooLarge}, Counts{0, kMax, tooLarge}, Counts{kMax, kMax, tooLarge},
          Counts{4, kMax, tooLarge}, Counts{65537, 1, tooLarge}, Counts{kMin, 0, negative},
          Counts{0, kMin, negative}, Counts{-1, 2, negative}, Counts{4, -1, negative}}) {
        FileBytes file = SmallP3g();
        file.PutInt32(4, counts.vertices);
        file.PutInt32(8, counts.facets);
        ExpectRefusedBeforeAllocation(ParseP3g, file.bytes, counts.problem);
    }
}
