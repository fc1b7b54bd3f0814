#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "JpegFileBytes.h"
#include "dataset/SliceBuffer.h"
#include "dataset/WriteSlice.h"
#include "import/LittleEndian.h"
#include "support/BmpSliceBytes.h"
#include "support/FailingSaves.h"

namespace {

constexpr int32_t kWidth = 10, kHeight = 8, kStride = 12;

// An info header and palette (grey ramp, or white first with `inverted`) for an 8-bit picture.
std::vector<uint8_t> GreyInfo(int32_t pixelsPerMetre, bool inverted = false) {
    FileBytes info;
    info.Int32(40).Int32(kWidth).Int32(kHeight).Uint16(1).Uint16(8).Int32(0).Int32(kStride * kHeight);
    info.Int32(pixelsPerMetre).Int32(pixelsPerMetre).Int32(0).Int32(0);
    for (int i = 0; i < 256; ++i)
        info.Fill(3, uint8_t(inverted ? 255 - i : i)).Zeros(1);
    return info.bytes;
}

// Bottom-up rows: pixel (x, y from the bottom) = 20 x + 5 y.
std::vector<uint8_t> GreyPixels() {
    std::vector<uint8_t> pixels(kStride * kHeight, 0);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            pixels[size_t(y * kStride + x)] = uint8_t(20 * x + 5 * y);
    return pixels;
}

bool Near(int a, int b) {
    return std::abs(a - b) <= 3;
}

// Where the EXIF block holds the user comment entry: tag 0x9286, type 7, 56 values.
bool HasTrailerEntry(const std::vector<uint8_t>& exif) {
    const uint8_t entry[] = {0x86, 0x92, 7, 0, 56, 0, 0, 0};
    return std::search(exif.begin(), exif.end(), std::begin(entry), std::end(entry)) != exif.end();
}

}  // namespace

TEST(SliceJpegWrite, GreyPicturesCarryDotsPerInchAndTheExactResolutionInTheTrailer) {
    ScratchDirectory directory;
    const std::string path = directory.File("slice.jpg");
    SliceTrailer trailer;
    trailer.valueA = 4;
    trailer.valueB = 9;
    std::memset(trailer.reserved, 0x66, sizeof trailer.reserved);
    const std::vector<uint8_t> pixels = GreyPixels();
    ASSERT_TRUE(WriteJpeg(path, GreyInfo(20000), pixels, 100, trailer));
    EXPECT_EQ(std::memcmp(trailer.tag, "Korvane", 8), 0);
    EXPECT_EQ(trailer.pixelsPerMetre, 20000);
    EXPECT_EQ(trailer.reserved[35], 0);

    const DecodedJpeg decoded = DecodeWithLibjpeg(ReadWholeFile(path));
    EXPECT_EQ(decoded.components, 1);
    EXPECT_EQ(decoded.densityUnit, 1);
    EXPECT_EQ(decoded.xDensity, 508);
    EXPECT_TRUE(HasTrailerEntry(decoded.exif));
    EXPECT_PRED2(Near, decoded.samples[0], 20 * 0 + 5 * 7);  // top row first in the file

    SliceBuffer back;
    ASSERT_EQ(ReadSlice(path, back), SliceJpeg);
    EXPECT_EQ(LoadInt32(back.info.data() + bmp::kXPixelsPerMetre), 20000);
    EXPECT_EQ(LoadInt32(back.info.data() + bmp::kYPixelsPerMetre), 20000);
    EXPECT_EQ(back.trailer.valueA, 4);
    EXPECT_EQ(back.trailer.valueB, 9);
    EXPECT_EQ(back.trailer.reserved[0], 0);
    for (int32_t y = 0; y < kHeight; ++y)
        for (int32_t x = 0; x < kWidth; ++x)
            ASSERT_PRED2(Near, back.pixels[size_t(y * kStride + x)], pixels[size_t(y * kStride + x)])
                << x << y;

    // Beyond 65535 dpi the file says 65535 and the trailer keeps the exact value.
    ASSERT_TRUE(WriteJpeg(path, GreyInfo(3000000), pixels, 100, trailer));
    EXPECT_EQ(DecodeWithLibjpeg(ReadWholeFile(path)).xDensity, 65535);
    ASSERT_EQ(ReadSlice(path, back), SliceJpeg);
    EXPECT_EQ(LoadInt32(back.info.data() + bmp::kXPixelsPerMetre), 3000000);
}

TEST(SliceJpegWrite, EqualValuesAreWrittenAsZeroAndPalettesAreApplied) {
    ScratchDirectory directory;
    const std::string path = directory.File("slice.jpg");
    SliceTrailer trailer;
    trailer.valueA = trailer.valueB = 7;
    ASSERT_TRUE(WriteJpeg(path, GreyInfo(1000, true), GreyPixels(), 100, trailer));
    EXPECT_EQ(trailer.valueA, 0);
    EXPECT_EQ(trailer.valueB, 0);
    SliceBuffer back;
    ASSERT_EQ(ReadSlice(path, back), SliceJpeg);
    EXPECT_EQ(back.trailer.valueA, 0);
    // Index 0 under a white-first palette is white.
    EXPECT_PRED2(Near, back.pixels[0], 255);
}

TEST(SliceJpegWrite, QualityIsTheCallers) {
    ScratchDirectory directory;
    SliceTrailer trailer;
    const std::vector<uint8_t> pixels = GreyPixels();
    ASSERT_TRUE(WriteJpeg(directory.File("low.jpg"), GreyInfo(1000), pixels, 5, trailer));
    ASSERT_TRUE(WriteJpeg(directory.File("high.jpg"), GreyInfo(1000), pixels, 100, trailer));
    EXPECT_LT(ReadWholeFile(directory.File("low.jpg")).size(),
              ReadWholeFile(directory.File("high.jpg")).size());
}

TEST(SliceJpegWrite, ColourPicturesKeepTheirColoursAndLeaveTheTrailerAlone) {
    ScratchDirectory directory;
    const std::string path = directory.File("screen.jpg");
    FileBytes info;
    info.Int32(40)
        .Int32(16)
        .Int32(16)
        .Uint16(1)
        .Uint16(24)
        .Int32(0)
        .Int32(768)
        .Int32(0)
        .Int32(0)
        .Int32(0)
        .Int32(0);
    // Rows of blue, green, red, bottom row first: the lower half blue, the upper half red.
    std::vector<uint8_t> pixels(16 * 48);
    for (size_t y = 0; y < 16; ++y)
        for (size_t x = 0; x < 16; ++x)
            pixels[y * 48 + 3 * x + (y < 8 ? 0 : 2)] = 255;
    SliceTrailer trailer;
    trailer.valueA = 3;
    ASSERT_TRUE(WriteJpeg(path, info.bytes, pixels, 100, trailer));
    EXPECT_EQ(trailer.valueA, 3);
    EXPECT_EQ(trailer.tag[0], 0);
    const DecodedJpeg decoded = DecodeWithLibjpeg(ReadWholeFile(path));
    ASSERT_EQ(decoded.components, 3);
    EXPECT_TRUE(decoded.exif.empty());
    EXPECT_GT(decoded.samples[0], 240);  // top row red
    EXPECT_LT(decoded.samples[2], 15);
    EXPECT_GT(decoded.samples[15 * 48 + 2], 240);  // bottom row blue
    EXPECT_LT(decoded.samples[15 * 48], 15);
}

TEST(SliceJpegWrite, HeadersItCannotEncodeAreRefused) {
    ScratchDirectory directory;
    const std::string path = directory.File("bad.jpg");
    SliceTrailer trailer;
    const std::vector<uint8_t> pixels = GreyPixels();
    std::vector<uint8_t> info = GreyInfo(1000);
    EXPECT_FALSE(
        WriteJpeg(path, std::span<const uint8_t>(info).first(40), pixels, 90, trailer));  // no palette
    EXPECT_FALSE(
        WriteJpeg(path, info, std::span<const uint8_t>(pixels).first(pixels.size() - 1), 90, trailer));
    StoreUint16(info.data() + 14, 16);
    EXPECT_FALSE(WriteJpeg(path, info, pixels, 90, trailer));
    info = GreyInfo(1000);
    StoreInt32(info.data() + 8, -kHeight);
    EXPECT_FALSE(WriteJpeg(path, info, pixels, 90, trailer));
    EXPECT_TRUE(directory.Names().empty());
}

TEST(SliceJpegWrite, WriteSliceAsJpegUsesTheSliceAndTheCallersQuality) {
    ScratchDirectory directory;
    BmpSlice source;
    source.width = 5, source.height = 3;
    source.trailer = true, source.valueA = 100, source.valueB = -7, source.pixelsPerMetre = 3937;
    SliceBuffer slice;
    ASSERT_EQ(ReadSlice(directory.Write("source.bmp", BmpSliceBytes(source)), slice), SliceBmp);
    const std::vector<uint8_t> pixels = GreyPixels();
    const std::string path = directory.File("out0001.jpg");
    ASSERT_TRUE(WriteSlice(slice, path, pixels.data(), kWidth, kHeight, kStride, true, 100));
    SliceBuffer back;
    ASSERT_EQ(ReadSlice(path, back), SliceJpeg);
    EXPECT_EQ(back.width, kWidth);
    EXPECT_EQ(back.trailer.valueA, 100);
    EXPECT_EQ(back.trailer.valueB, -7);
    EXPECT_EQ(back.trailer.pixelsPerMetre, 3937);  // the source's horizontal resolution
    EXPECT_PRED2(Near, back.pixels[kStride * 2 + 3], pixels[kStride * 2 + 3]);
}

TEST(SliceJpegWrite, EveryFailingFileSystemKeepsTheEarlierFile) {
    const SaveToPath save = [](const std::string& path) {
        SliceTrailer trailer;
        return WriteJpeg(path, GreyInfo(1000), GreyPixels(), 90, trailer);
    };
    ExpectFullDisksKeepTheEarlierFile(save, "slice0001.jpg", 256);
    ExpectImpossibleTargetsAreRefused(save, "slice0001.jpg");
}
