#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "import/ModelFileBytes.h"
#include "import/ReaderSweep.h"
#include "import/StlAsciiReader.h"
#include "import/StlFormat.h"
#include "import/StlReader.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

}  // namespace

// A binary file under a "solid" header is tried as text first, so its prefixes take both readers.
TEST(StlReaderSweep, EveryPrefixIsReadOrRefusedCleanly) {
    SweepPrefixes(ParseStl, BinaryStl(Triangles(3)).bytes, true);
    SweepPrefixes(ParseStl, BinaryStl(Triangles(3), "solid").bytes, true);
    SweepPrefixes(ParseBinaryStl, BinaryStl(Triangles(200)).bytes, true);
    // A text cut after a whole "endsolid" keyword is a complete file; every other cut is refused.
    const std::vector<uint8_t> text = Bytes(AsciiStl(Triangles(2)));
    SweepPrefixes(ParseStl, text, false);
    SweepPrefixes(ParseAsciiStl, text, false);
    ParsedModel model;
    const size_t endsolid = AsciiStl(Triangles(2)).rfind("endsolid");
    for (size_t length = 0; length < endsolid + 8; ++length) {
        const std::vector<uint8_t> prefix(text.begin(), text.begin() + length);
        ASSERT_EQ(ParseFreshCopy(ParseAsciiStl, prefix, model).status, ParseStatus::kRefused) << length;
    }
}

TEST(StlReaderSweep, EverySingleByteChangeIsReadOrRefusedCleanly) {
    const FileBytes binary = BinaryStl(Triangles(2));
    SweepByteChanges(ParseStl, binary.bytes, 0, binary.bytes.size());
    const FileBytes solid = BinaryStl(Triangles(2), "solid");
    SweepByteChanges(ParseStl, solid.bytes, 0, kStlHeaderSize);
    const std::vector<uint8_t> text = Bytes(AsciiStl(Triangles(1)));
    SweepByteChanges(ParseStl, text, 0, text.size());
}

TEST(StlReaderSweep, CountsBeyondTheFileAreRefusedBeforeAnyAllocation) {
    for (int32_t count : {std::numeric_limits<int32_t>::max(), 3, 1 << 30})
        for (ModelParser parse : {ParseStl, ParseBinaryStl}) {
            FileBytes file = BinaryStl(Triangles(2));
            file.PutInt32(kStlCountOffset, count);
            ExpectRefusedBeforeAllocation(parse, file.bytes, "triangle count exceeds the file size");
        }
    for (int32_t count : {std::numeric_limits<int32_t>::min(), -1}) {
        FileBytes file = BinaryStl(Triangles(2));
        file.PutInt32(kStlCountOffset, count);
        ExpectRefusedBeforeAllocation(ParseStl, file.bytes, "negative triangle count");
    }
}
