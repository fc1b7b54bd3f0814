#include "dataset/WriteSlice.h"

#include <gtest/gtest.h>

#include <vector>

#include "dataset/BmpSlice.h"
#include "support/BmpSliceBytes.h"
#include "support/FailingSaves.h"

namespace {

BmpSlice Pattern(int width, int height) {
    BmpSlice slice;
    slice.width = width, slice.height = height;
    slice.index = [](int column, int row) { return uint8_t(column * 7 + row * 3); };
    slice.colour = [](int i) { return std::array<uint8_t, 3>{uint8_t(i), uint8_t(i / 2), uint8_t(255 - i)}; };
    return slice;
}

// The buffer after reading `slice`.
SliceBuffer ReadBack(const std::vector<uint8_t>& bytes) {
    MemorySource source(bytes.data(), bytes.size());
    SliceBuffer buffer;
    EXPECT_NE(ReadBmpSlice(source, buffer), SliceReadFailed);
    return buffer;
}

}  // namespace

TEST(WriteSlice, WritesTheLayoutWithTheSourcePaletteAndTrailer) {
    // A source slice with a tagged trailer: an image of another size written after it carries the
    // palette, resolution and trailer, at pixel offset 1134.
    BmpSlice source = Pattern(6, 4);
    source.trailer = true, source.valueA = 3, source.valueB = -9, source.pixelsPerMetre = 11811;
    SliceBuffer buffer = ReadBack(BmpSliceBytes(source));
    BmpSlice expected = Pattern(101, 3);
    expected.trailer = true, expected.valueA = 3, expected.valueB = -9, expected.pixelsPerMetre = 11811;
    const std::vector<uint8_t> image = ReadBack(BmpSliceBytes(expected)).pixels;

    ScratchDirectory directory;
    const std::string path = directory.File("out0000.bmp");
    ASSERT_TRUE(WriteSlice(buffer, path, image.data(), 101, 3, 104, false, 100));
    EXPECT_EQ(ReadWholeFile(path), BmpSliceBytes(expected));

    // A source without trailer (offset 1078, both values 0): none written.
    source.trailer = false;
    buffer = ReadBack(BmpSliceBytes(source));
    expected.trailer = false;
    ASSERT_TRUE(WriteSlice(buffer, path, image.data(), 101, 3, 104, false, 100));
    EXPECT_EQ(ReadWholeFile(path), BmpSliceBytes(expected));

    // A buffer that never held a slice still writes a readable 8-bit slice (its palette all black).
    SliceBuffer fresh;
    ASSERT_TRUE(WriteSlice(fresh, path, image.data(), 101, 3, 104, false, 100));
    const std::vector<uint8_t> written = ReadWholeFile(path);
    EXPECT_EQ(ReadBack(written).pixels, image);

    // Rows farther apart than the width asks are written as the width asks.
    std::vector<uint8_t> wide(112 * 3, 0xEE);
    for (int row = 0; row < 3; ++row)
        std::copy_n(image.begin() + row * 104, 101, wide.begin() + row * 112);
    ASSERT_TRUE(WriteSlice(buffer, path, wide.data(), 101, 3, 112, false, 100));
    EXPECT_EQ(ReadWholeFile(path), BmpSliceBytes(expected));

    EXPECT_FALSE(WriteSlice(buffer, path, image.data(), 101, 0, 104, false, 100));
    EXPECT_FALSE(WriteSlice(buffer, path, image.data(), 101, 3, 100, false, 100)) << "rows overlapping";
}

TEST(WriteSlice, AFailingDiskKeepsTheEarlierSlice) {
    SliceBuffer buffer = ReadBack(BmpSliceBytes(Pattern(5, 5)));
    const std::vector<uint8_t> image(8 * 5, 17);
    const SaveToPath save = [&](const std::string& path) {
        return WriteSlice(buffer, path, image.data(), 5, 5, 8, false, 100);
    };
    ExpectFullDisksKeepTheEarlierFile(save, "slice0001.bmp", 1200);
    ExpectImpossibleTargetsAreRefused(save, "slice0001.bmp");
    ExpectReadOnlyDirectoryKeepsTheEarlierFile(save, "slice0001.bmp");
}
