#include "dataset/WriteSlice.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "dataset/JpegSlice.h"
#include "import/LittleEndian.h"
#include "import/SafeFileWriter.h"

namespace {

constexpr uint32_t kPlainPixelOffset = kSliceFileHeaderSize + kSliceInfoSize;
constexpr float kMetresPerInch = 0.0254f;
constexpr float kMostDotsPerInch = 65535.0f;

void WriteTag(SliceTrailer& trailer) {
    std::memcpy(trailer.tag, kSliceTag, sizeof kSliceTag);
    std::memset(reinterpret_cast<uint8_t*>(&trailer) + kSliceTrailerReservedOffset, 0,
                kSliceTrailerSize - kSliceTrailerReservedOffset);
}

// The headers of `buffer` made to describe the BMP about to be written.
void UpdateHeaders(SliceBuffer& buffer, int32_t width, int32_t height) {
    const uint32_t imageSize = static_cast<uint32_t>(SliceStride(width)) * static_cast<uint32_t>(height);
    uint8_t* file = buffer.fileHeader.data();
    uint8_t* info = buffer.info.data();
    file[0] = 'B', file[1] = 'M';
    StoreInt32(info + bmp::kInfoSize, static_cast<int32_t>(kSliceInfoHeaderSize));
    StoreInt32(info + bmp::kWidth, width);
    StoreInt32(info + bmp::kHeight, height);
    // Always an uncompressed 8-bit image, also for a buffer that never held a BMP slice.
    StoreUint16(info + bmp::kPlanes, 1);
    StoreUint16(info + bmp::kBitsPerPixel, 8);
    StoreInt32(info + bmp::kCompression, 0);
    StoreInt32(info + bmp::kImageSize, static_cast<int32_t>(imageSize));
    StoreInt32(file + bmp::kFileReserved, 0);
    uint32_t pixelOffset = kPlainPixelOffset;
    if (buffer.trailer.valueA != buffer.trailer.valueB) {
        WriteTag(buffer.trailer);
        pixelOffset += kSliceTrailerSize;
    }
    StoreInt32(file + bmp::kPixelOffset, static_cast<int32_t>(pixelOffset));
    StoreInt32(file + bmp::kFileSize, static_cast<int32_t>(imageSize + pixelOffset));
}

float DotsPerInch(int32_t pixelsPerMetre) {
    return std::clamp(static_cast<float>(pixelsPerMetre) * kMetresPerInch, 0.0f, kMostDotsPerInch);
}

// Writes an 8-bit picture as a JPEG slice: `info` is the info header and palette; the trailer gets
// the tag and the horizontal resolution and goes into the EXIF user comment.
bool SaveJpegSlice(const std::string& path, const uint8_t* info, const uint8_t* pixels, int32_t stride,
                   int quality, SliceTrailer& trailer) {
    if (trailer.valueA == trailer.valueB) trailer.valueA = trailer.valueB = 0;
    trailer.pixelsPerMetre = LoadInt32(info + bmp::kXPixelsPerMetre);
    WriteTag(trailer);
    JpegPicture picture;
    picture.pixels = pixels;
    picture.width = LoadInt32(info + bmp::kWidth);
    picture.height = LoadInt32(info + bmp::kHeight);
    picture.stride = stride;
    picture.palette = info + bmp::kPalette;
    picture.dotsPerInchX = DotsPerInch(LoadInt32(info + bmp::kXPixelsPerMetre));
    picture.dotsPerInchY = DotsPerInch(LoadInt32(info + bmp::kYPixelsPerMetre));
    const std::optional<std::vector<uint8_t>> bytes = EncodeJpeg(picture, quality, &trailer);
    return bytes && SaveWholeFile(path, bytes->data(), bytes->size());
}

bool SaveBmpSlice(const SliceBuffer& buffer, const std::string& path, const uint8_t* pixels, int32_t width,
                  int32_t height, int32_t stride) {
    SafeFileWriter file;
    if (!file.Open(path)) return false;
    file.Write(buffer.fileHeader.data(), buffer.fileHeader.size());
    file.Write(buffer.info.data(), buffer.info.size());
    if (buffer.trailer.valueA != buffer.trailer.valueB) file.Write(&buffer.trailer, kSliceTrailerSize);
    const size_t rowBytes = static_cast<size_t>(SliceStride(width));
    if (static_cast<size_t>(stride) == rowBytes) {
        file.Write(pixels, rowBytes * static_cast<size_t>(height));
    } else {
        // The file's rows are as long as its width asks, whatever the caller's row distance; the
        // padding is zero.
        std::vector<uint8_t> row(rowBytes, 0);
        for (int32_t y = 0; y < height; ++y) {
            std::copy_n(pixels + static_cast<size_t>(y) * static_cast<size_t>(stride), width, row.begin());
            file.Write(row.data(), row.size());
        }
    }
    return file.Commit();
}

}  // namespace

bool WriteSlice(SliceBuffer& buffer, const std::string& path, const uint8_t* pixels, int32_t width,
                int32_t height, int32_t stride, bool asJpeg, int jpegQuality) {
    if (pixels == nullptr || width <= 0 || height <= 0 || stride < width) return false;
    if (static_cast<uint64_t>(SliceStride(width)) * static_cast<uint64_t>(height) >
        UINT32_MAX - kPlainPixelOffset - kSliceTrailerSize)
        return false;  // more than a BMP's sizes can describe
    UpdateHeaders(buffer, width, height);
    if (asJpeg) return SaveJpegSlice(path, buffer.info.data(), pixels, stride, jpegQuality, buffer.trailer);
    return SaveBmpSlice(buffer, path, pixels, width, height, stride);
}

bool WriteJpeg(const std::string& path, std::span<const uint8_t> info, std::span<const uint8_t> pixels,
               int quality, SliceTrailer& trailer) {
    if (info.size() < kSliceInfoHeaderSize) return false;
    const int bitsPerPixel = LoadUint16(info.data() + bmp::kBitsPerPixel);
    const int32_t width = LoadInt32(info.data() + bmp::kWidth);
    const int32_t height = LoadInt32(info.data() + bmp::kHeight);
    if ((bitsPerPixel != 8 && bitsPerPixel != 24) || LoadUint32(info.data() + bmp::kCompression) != 0 ||
        width <= 0 || height <= 0 || (bitsPerPixel == 8 && info.size() < kSliceInfoSize))
        return false;
    const int64_t stride = SliceStride(int64_t{width} * bitsPerPixel / 8);
    if (stride > INT32_MAX || static_cast<uint64_t>(stride) * static_cast<uint64_t>(height) > pixels.size())
        return false;
    if (bitsPerPixel == 8)
        return SaveJpegSlice(path, info.data(), pixels.data(), static_cast<int32_t>(stride), quality,
                             trailer);
    JpegPicture picture;
    picture.pixels = pixels.data();
    picture.width = width;
    picture.height = height;
    picture.stride = static_cast<int32_t>(stride);
    picture.bitsPerPixel = 24;
    const std::optional<std::vector<uint8_t>> bytes = EncodeJpeg(picture, quality, nullptr);
    return bytes && SaveWholeFile(path, bytes->data(), bytes->size());
}
