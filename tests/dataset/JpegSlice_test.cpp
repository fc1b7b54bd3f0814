#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "JpegFileBytes.h"
#include "dataset/JpegSlice.h"
#include "dataset/SliceBuffer.h"
#include "import/LittleEndian.h"

namespace {

SliceReadResult DecodeBytes(const std::vector<uint8_t>& bytes, SliceBuffer& slice) {
    // A fresh buffer of the exact size, so that the sanitizers see any read past the end.
    const std::unique_ptr<uint8_t[]> copy(new uint8_t[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    return DecodeJpegSlice(copy.get(), bytes.size(), slice);
}

int32_t InfoField(const SliceBuffer& slice, size_t offset) {
    return LoadInt32(slice.info.data() + offset);
}

bool Near(int a, int b) {
    return std::abs(a - b) <= 3;
}

// Colour pictures lose more: their chroma is stored at half resolution.
bool NearInColour(int a, int b) {
    return std::abs(a - b) <= 8;
}

JpegContent TaggedColour(int32_t pixelsPerMetre = 0) {
    JpegContent content;
    content.components = 3;
    ExifContent exif;
    exif.comment = TrailerBytes(12, 34, pixelsPerMetre);
    content.exif = ExifBlock(exif);
    return content;
}

void ExpectRefusedUntouched(const std::vector<uint8_t>& bytes) {
    SliceBuffer slice = EarlierSlice();
    EXPECT_EQ(DecodeBytes(bytes, slice), SliceReadFailed);
    EXPECT_EQ(slice.fileHeader, EarlierSlice().fileHeader);
    EXPECT_TRUE(SameExceptFileHeader(slice, EarlierSlice()));
}

}  // namespace

TEST(SliceJpeg, GreyPicturesReadBottomUpWithTheGreyRampAndTheirResolution) {
    JpegContent content;
    content.width = 13;  // stride 16
    SliceBuffer slice = EarlierSlice();
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(slice.width, 13);
    EXPECT_EQ(slice.height, 16);
    EXPECT_EQ(slice.stride, 16);
    ASSERT_EQ(slice.pixels.size(), 256u);
    // The first stored row is the bottom row of the picture (y = 15 from the top).
    EXPECT_PRED2(Near, slice.pixels[2], JpegSample(2, 15, 0));
    EXPECT_PRED2(Near, slice.pixels[15 * 16 + 12], JpegSample(12, 0, 0));
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), 11811);  // 300 dpi
    EXPECT_EQ(InfoField(slice, bmp::kYPixelsPerMetre), 11811);
    EXPECT_EQ(InfoField(slice, bmp::kImageSize), 256);
    EXPECT_EQ(LoadUint16(slice.info.data() + bmp::kBitsPerPixel), 8);
    EXPECT_EQ(slice.info[bmp::kPalette + 4 * 200 + 1], 200);
    EXPECT_EQ(slice.info[bmp::kPalette + 4 * 200 + 3], 0x22);  // reserved bytes stay
    EXPECT_EQ(slice.trailer.valueA, 0);
    EXPECT_EQ(slice.trailer.pixelsPerMetre, 0);

    // Dots per centimetre, and no unit at all.
    content.densityUnit = 2;
    content.density = 100;
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), 10000);
    content.densityUnit = 0;
    content.density = 1;
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), 3780);  // 96 dpi
}

TEST(SliceJpeg, ColourPicturesAreSlicesOnlyWithTheTagAndGiveTheirBlueChannel) {
    JpegContent untagged = TaggedColour();
    untagged.exif.clear();
    ExpectRefusedUntouched(JpegBytes(untagged));
    JpegContent otherTag = TaggedColour();
    ExifContent other;
    other.comment = TrailerBytes(12, 34, 0, std::string("Korvanx", 8));
    otherTag.exif = ExifBlock(other);
    ExpectRefusedUntouched(JpegBytes(otherTag));

    SliceBuffer slice;
    ASSERT_EQ(DecodeBytes(JpegBytes(TaggedColour()), slice), SliceJpeg);
    EXPECT_EQ(slice.trailer.valueA, 12);
    EXPECT_EQ(slice.trailer.valueB, 34);
    EXPECT_EQ(slice.trailer.reserved[0], 0x5A);
    for (int y : {0, 7, 15})
        EXPECT_PRED2(NearInColour, slice.pixels[size_t(y) * 16 + 3], JpegSample(3, 15 - y, 2)) << y;
}

TEST(SliceJpeg, ExifResolutionAndTrailerResolutionWin) {
    JpegContent content;
    ExifContent exif;
    exif.resolutionNumerator = 5080;
    exif.resolutionDenominator = 10;  // 508 dpi
    content.exif = ExifBlock(exif);
    SliceBuffer slice;
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), 20000);
    exif.resolutionUnit = 3;  // 508 dots per centimetre
    content.exif = ExifBlock(exif);
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kYPixelsPerMetre), 50800);

    exif.resolutionNumerator = 4000000000u;  // 4e9 dpi
    exif.resolutionDenominator = 1;
    content.exif = ExifBlock(exif);
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), INT32_MAX);

    exif.comment = TrailerBytes(1, 2, 3000000);
    content.exif = ExifBlock(exif);
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(InfoField(slice, bmp::kXPixelsPerMetre), 3000000);
    EXPECT_EQ(InfoField(slice, bmp::kYPixelsPerMetre), 3000000);
    EXPECT_EQ(slice.trailer.pixelsPerMetre, 3000000);
}

TEST(SliceJpeg, ShortTaggedCommentsAreRefusedAndOtherCommentsIgnored) {
    for (size_t length : {8u, 20u, 55u}) {
        JpegContent content;
        ExifContent exif;
        exif.comment = TrailerBytes(1, 2, 3);
        exif.comment.resize(length);
        content.exif = ExifBlock(exif);
        ExpectRefusedUntouched(JpegBytes(content));
    }
    JpegContent content;
    ExifContent exif;
    exif.comment = {'A', 'S', 'C', 'I', 'I', 0, 0, 0, 'h', 'i'};
    content.exif = ExifBlock(exif);
    SliceBuffer slice = EarlierSlice();
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_EQ(slice.trailer.valueA, 0);
    EXPECT_EQ(slice.trailer.valueB, 0);
    EXPECT_EQ(slice.trailer.tag[0], 0x44);  // the rest of the earlier trailer stays
}

TEST(SliceJpeg, ProgressivePicturesRead) {
    JpegContent content;
    content.progressive = true;
    SliceBuffer slice;
    ASSERT_EQ(DecodeBytes(JpegBytes(content), slice), SliceJpeg);
    EXPECT_PRED2(Near, slice.pixels[16 * 15 + 9], JpegSample(9, 0, 0));
}

TEST(SliceJpeg, EveryTruncationIsRefusedWithoutTouchingTheSlice) {
    for (const JpegContent& content : {JpegContent(), TaggedColour()}) {
        const std::vector<uint8_t> valid = JpegBytes(content);
        SliceBuffer slice;
        ASSERT_EQ(DecodeBytes(valid, slice), SliceJpeg);
        for (size_t length = 0; length < valid.size(); ++length) {
            const std::vector<uint8_t> prefix(valid.begin(), valid.begin() + length);
            SliceBuffer earlier = EarlierSlice();
            ASSERT_EQ(DecodeBytes(prefix, earlier), SliceReadFailed) << length;
            ASSERT_TRUE(SameExceptFileHeader(earlier, EarlierSlice())) << length;
        }
    }
}

TEST(SliceJpeg, ForgedHugeSizesAreRefusedWithoutAllocating) {
    std::vector<uint8_t> bytes = JpegBytes(JpegContent());
    size_t frame = 0;
    while (frame + 9 < bytes.size() && !(bytes[frame] == 0xFF && bytes[frame + 1] == 0xC0))
        ++frame;
    ASSERT_LT(frame + 9, bytes.size());
    for (size_t at : {frame + 5, frame + 7}) {  // height, then width, big-endian
        bytes[at] = 0xFF;
        bytes[at + 1] = 0xDC;  // 65500
    }
    const auto start = std::chrono::steady_clock::now();
    ExpectRefusedUntouched(bytes);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(200));
}

TEST(SliceJpeg, ReadSliceTakesJpgInAnyCase) {
    ScratchDirectory directory;
    const std::vector<uint8_t> bytes = JpegBytes(JpegContent());
    SliceBuffer slice;
    EXPECT_EQ(ReadSlice(directory.Write("s_0001.JPG", bytes), slice), SliceJpeg);
    EXPECT_EQ(ReadSlice(directory.Write("s_0001.jpeg", bytes), slice), SliceReadFailed);
    EXPECT_EQ(ReadSlice(directory.Write("empty.jpg", {}), slice), SliceReadFailed);
}
