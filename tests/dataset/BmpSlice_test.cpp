#include "dataset/BmpSlice.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "dataset/DatasetSlices.h"
#include "import/ModelFileBytes.h"
#include "support/BmpSliceBytes.h"

namespace {

BmpSlice Gradient(int width, int height) {
    BmpSlice slice;
    slice.width = width, slice.height = height;
    slice.index = [](int column, int row) { return uint8_t(column + 10 * row); };
    return slice;
}

SliceReadResult Read(const std::vector<uint8_t>& bytes, SliceBuffer& buffer) {
    MemorySource source(bytes.data(), bytes.size());
    return ReadBmpSlice(source, buffer);
}

}  // namespace

TEST(BmpSlice, ReadsRowsPaletteAndTrailerAsStored) {
    // Width 101: stride 104, three bytes of each row are padding.
    BmpSlice slice = Gradient(101, 3);
    slice.trailer = true, slice.valueA = -7, slice.valueB = 123456, slice.pixelsPerMetre = 20000;
    SliceBuffer buffer;
    ASSERT_EQ(Read(BmpSliceBytes(slice), buffer), SliceBmp);
    EXPECT_EQ(buffer.width, 101);
    EXPECT_EQ(buffer.height, 3);
    EXPECT_EQ(buffer.stride, 104);
    ASSERT_EQ(buffer.pixels.size(), 312u);
    EXPECT_EQ(buffer.pixels[104 * 2 + 100], uint8_t(100 + 20));  // stored row 2, last column
    EXPECT_EQ(buffer.pixels[101], 0);                            // padding
    EXPECT_EQ(buffer.trailer.valueA, -7);
    EXPECT_EQ(buffer.trailer.valueB, 123456);
    EXPECT_EQ(buffer.trailer.pixelsPerMetre, 20000);
    EXPECT_EQ(buffer.info[40 + 4 * 77], 77);  // palette entry 77's blue
    EXPECT_EQ(buffer.fileHeader[10], 1134 & 0xFF);

    // A trailer without the tag counts as absent; so does none at all (pixel offset 1078).
    std::vector<uint8_t> untagged = BmpSliceBytes(slice);
    untagged[1078] = 'k';
    ASSERT_EQ(Read(untagged, buffer), SliceBmp);
    EXPECT_EQ(buffer.trailer.valueA, 0);
    EXPECT_EQ(buffer.trailer.valueB, 0);
    slice.trailer = false;
    buffer.trailer.valueA = 5;
    ASSERT_EQ(Read(BmpSliceBytes(slice), buffer), SliceBmp);
    EXPECT_EQ(buffer.trailer.valueA, 0);

    // A palette whose entry 0 is not black reads as inverted.
    slice.colour = [](int i) { return std::array<uint8_t, 3>{0, 0, uint8_t(255 - i)}; };
    EXPECT_EQ(Read(BmpSliceBytes(slice), buffer), SliceBmpInverted);
}

TEST(BmpSlice, ShortPalettesReadBlackAndEverythingElseOddIsRefused) {
    // 56 palette entries: the other 200 are black.
    std::vector<uint8_t> bytes = BmpSliceBytes(Gradient(8, 2));
    bytes.erase(bytes.begin() + 54 + 56 * 4, bytes.begin() + 1078);
    PutLittleEndian(bytes, 10, 1078 - 200 * 4, 4);
    SliceBuffer buffer;
    buffer.info.fill(0xEE);
    ASSERT_EQ(Read(bytes, buffer), SliceBmp);
    EXPECT_EQ(buffer.info[40 + 4 * 55], 55);
    EXPECT_EQ(buffer.info[40 + 4 * 56], 0);
    EXPECT_EQ(buffer.info[40 + 4 * 255 + 2], 0);
    EXPECT_EQ(buffer.pixels[8 + 7], 17);

    // A 124-byte info header: palette and trailer follow it; the buffer holds the 40-byte header.
    BmpSlice tagged = Gradient(8, 2);
    tagged.trailer = true, tagged.valueA = 4, tagged.valueB = 9;
    tagged.colour = [](int i) { return std::array<uint8_t, 3>{uint8_t(255 - i), 0, 0}; };
    std::vector<uint8_t> longer = BmpSliceBytes(tagged);
    longer.insert(longer.begin() + 54, 124 - 40, 0);
    PutLittleEndian(longer, 14, 124, 4);
    PutLittleEndian(longer, 10, 1134 + 84, 4);
    ASSERT_EQ(Read(longer, buffer), SliceBmpInverted);
    EXPECT_EQ(buffer.info[0], 40);
    EXPECT_EQ(buffer.info[40 + 2], 255);  // red of entry 0
    EXPECT_EQ(buffer.info[40 + 4 * 5 + 2], 250);
    EXPECT_EQ(buffer.trailer.valueA, 4);
    EXPECT_EQ(buffer.trailer.valueB, 9);
    EXPECT_EQ(buffer.pixels[8 + 7], 17);
    PutLittleEndian(longer, 14, 2000, 4);
    EXPECT_EQ(Read(longer, buffer), SliceReadFailed) << "a header longer than the space before the pixels";

    // Refusals keep what was read before, apart from the file header.
    const std::vector<uint8_t> good = BmpSliceBytes(Gradient(8, 2));
    auto refused = [&](std::vector<uint8_t> changed, const char* why) {
        SliceBuffer kept;
        ASSERT_EQ(Read(good, kept), SliceBmp);
        const std::vector<uint8_t> pixels = kept.pixels;
        EXPECT_EQ(Read(changed, kept), SliceReadFailed) << why;
        EXPECT_EQ(kept.pixels, pixels) << why;
        EXPECT_EQ(kept.width, 8) << why;
    };
    std::vector<uint8_t> changed = good;
    changed[0] = 'X';
    refused(changed, "not BM");
    changed = good;
    PutLittleEndian(changed, 28, 24, 2);
    refused(changed, "24 bits per pixel");
    changed = good;
    PutLittleEndian(changed, 30, 1, 4);
    refused(changed, "run-length compressed");
    changed = good;
    PutLittleEndian(changed, 22, uint32_t(-2), 4);
    refused(changed, "top-down rows");
    changed = good;
    PutLittleEndian(changed, 18, 0, 4);
    refused(changed, "no columns");
    changed = good;
    PutLittleEndian(changed, 18, 65535, 4);
    PutLittleEndian(changed, 22, 65535, 4);
    refused(changed, "65535 x 65535 pixels in a small file");
    changed = good;
    PutLittleEndian(changed, 10, 0xFFFFFFF0u, 4);
    refused(changed, "pixel offset past the end");
    changed = good;
    PutLittleEndian(changed, 10, 20, 4);
    refused(changed, "pixel offset inside the info header");

    // Every shorter prefix of a valid slice is refused without reading past it.
    for (size_t length = 0; length < good.size(); ++length) {
        std::vector<uint8_t> prefix(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        SliceBuffer any;
        EXPECT_EQ(Read(prefix, any), SliceReadFailed) << length;
    }
}

TEST(ReadSlice, ChoosesTheFormatByTheLastThreeCharactersInAnyCase) {
    ScratchDirectory directory;
    const std::vector<uint8_t> bytes = BmpSliceBytes(Gradient(4, 4));
    SliceBuffer buffer;
    EXPECT_EQ(ReadSlice(directory.Write("SLICE0001.BMP", bytes), buffer), SliceBmp);
    EXPECT_EQ(ReadSlice(directory.Write("slice0001.bMp", bytes), buffer), SliceBmp);
    EXPECT_EQ(ReadSlice(directory.Write("slice0001.jpeg", bytes), buffer), SliceReadFailed);
    EXPECT_EQ(ReadSlice(directory.Write("slice0001.png", bytes), buffer), SliceReadFailed);
    EXPECT_EQ(ReadSlice(directory.File("missing0001.bmp"), buffer), SliceReadFailed);
    EXPECT_EQ(ReadSlice(directory.File(""), buffer), SliceReadFailed) << "a folder";
    EXPECT_EQ(ReadSlice("mp", buffer), SliceReadFailed);
}

TEST(ListDatasetSlices, ListsMatchingNumberedFilesInAscendingOrder) {
    ScratchDirectory directory;
    for (const char* name : {"s_1200.bmp", "s_0007.BMP", "S_0003.bmp", "s_12a0.bmp", "s_007.bmp",
                             "s_00070.bmp", "t_0001.bmp", "s_0002.jpg", "s_0000.bmp"})
        directory.Write(name, {1});
    const std::vector<DatasetSlice> slices = ListDatasetSlices(directory.File("s_0000.bmp"), 4);
    std::vector<std::pair<std::string, int>> listed;
    for (const DatasetSlice& slice : slices)
        listed.emplace_back(slice.path.substr(slice.path.rfind('/') + 1), slice.number);
    EXPECT_EQ(listed, (std::vector<std::pair<std::string, int>>{
                          {"s_0000.bmp", 0}, {"S_0003.bmp", 3}, {"s_0007.BMP", 7}, {"s_1200.bmp", 1200}}));
    EXPECT_EQ(slices.front().path, directory.File("s_0000.bmp"));

    // Two digits: only names with exactly two.
    directory.Write("s_07.bmp", {1});
    ASSERT_EQ(ListDatasetSlices(directory.File("s_00.bmp"), 2).size(), 1u);
    EXPECT_TRUE(ListDatasetSlices(directory.File("missing/s_0000.bmp"), 4).empty());
    EXPECT_TRUE(ListDatasetSlices("x.bmp", 4).empty());
    EXPECT_TRUE(ListDatasetSlices(directory.File("s_0000.bmp"), 0).empty());
}
