#pragma once
// The slices of a CT dataset: 8-bit palette images, stored as BMP (with an optional 56-byte trailer
// after the palette) or JPEG (the trailer in the EXIF user comment), read one at a time into a
// buffer that also supplies palette, resolution and trailer to the next slice written.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr size_t kSliceFileHeaderSize = 14;
inline constexpr size_t kSliceInfoHeaderSize = 40;
inline constexpr size_t kSlicePaletteEntries = 256;
inline constexpr size_t kSliceInfoSize = kSliceInfoHeaderSize + kSlicePaletteEntries * 4;  // header + palette
inline constexpr size_t kSliceTrailerSize = 56;
inline constexpr size_t kSliceTrailerReservedOffset = 20;  // writers store zeros from here on
inline constexpr char kSliceTag[8] = "Korvane";

// Field offsets in the BMP file header and in the info header (`SliceBuffer::info`).
namespace bmp {
inline constexpr size_t kFileType = 0;
inline constexpr size_t kFileSize = 2;
inline constexpr size_t kFileReserved = 6;
inline constexpr size_t kPixelOffset = 10;
inline constexpr size_t kInfoSize = 0;
inline constexpr size_t kWidth = 4;
inline constexpr size_t kHeight = 8;
inline constexpr size_t kPlanes = 12;
inline constexpr size_t kBitsPerPixel = 14;
inline constexpr size_t kCompression = 16;
inline constexpr size_t kImageSize = 20;
inline constexpr size_t kXPixelsPerMetre = 24;
inline constexpr size_t kYPixelsPerMetre = 28;
inline constexpr size_t kColoursUsed = 32;
inline constexpr size_t kColoursImportant = 36;
inline constexpr size_t kPalette = kSliceInfoHeaderSize;
}  // namespace bmp

struct SliceTrailer {
    char tag[8] = {};
    int32_t valueA = 0;  // carried unchanged from the source slice
    int32_t valueB = 0;
    int32_t pixelsPerMetre = 0;  // horizontal resolution of the image
    uint8_t reserved[36] = {};
};
static_assert(sizeof(SliceTrailer) == kSliceTrailerSize);

struct SliceBuffer {
    std::array<uint8_t, kSliceFileHeaderSize> fileHeader{};
    std::array<uint8_t, kSliceInfoSize> info{};  // info header, then palette entries as blue, green, red, 0
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;           // bytes per stored row: width rounded up to a multiple of 4
    std::vector<uint8_t> pixels;  // stride * height palette indices, rows bottom-up
    SliceTrailer trailer;
};

enum SliceReadResult {
    SliceReadFailed = 0,
    SliceBmp = 1,          // palette entry 0 black
    SliceJpeg = 2,         // always the grey ramp
    SliceBmpInverted = 3,  // palette entry 0 not black
};

// Reads the slice at `path` into `buffer`; the format is chosen by the last three characters of the
// name ("bmp" or "jpg", any case). On failure the buffer keeps what the reader had not yet replaced.
SliceReadResult ReadSlice(const std::string& path, SliceBuffer& buffer);

// Bytes per stored row of an 8-bit image `width` pixels wide.
inline int64_t SliceStride(int64_t width) {
    return (width + 3) / 4 * 4;
}
