#include "dataset/BmpSlice.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "import/LittleEndian.h"

namespace {

// Offsets within the info block, which starts after the file header.
constexpr size_t kWidth = 4, kHeight = 8, kBitCount = 14, kCompression = 16;
constexpr size_t kPaletteStart = kSliceInfoHeaderSize;

}  // namespace

SliceReadResult ReadBmpSlice(ByteSource& source, SliceBuffer& buffer) {
    std::array<uint8_t, kSliceFileHeaderSize> fileHeader;
    if (!source.CopyTo(0, fileHeader.size(), fileHeader.data())) return SliceReadFailed;
    buffer.fileHeader = fileHeader;
    if (fileHeader[0] != 'B' || fileHeader[1] != 'M') return SliceReadFailed;

    const uint32_t pixelOffset = LoadUint32(&fileHeader[10]);
    if (pixelOffset < kSliceFileHeaderSize + kSliceInfoHeaderSize || pixelOffset > source.Size())
        return SliceReadFailed;
    std::vector<uint8_t> block(pixelOffset - kSliceFileHeaderSize);
    if (!source.CopyTo(kSliceFileHeaderSize, block.size(), block.data())) return SliceReadFailed;
    if (LoadUint16(&block[kBitCount]) != 8 || LoadUint32(&block[kCompression]) != 0) return SliceReadFailed;
    const int32_t width = LoadInt32(&block[kWidth]);
    const int32_t height = LoadInt32(&block[kHeight]);
    if (width <= 0 || height <= 0) return SliceReadFailed;
    const int64_t stride = SliceStride(width);
    const uint64_t pixelBytes = static_cast<uint64_t>(stride) * static_cast<uint64_t>(height);
    if (pixelBytes > source.Size() - pixelOffset) return SliceReadFailed;

    std::vector<uint8_t> pixels;
    try {
        pixels.resize(pixelBytes);
    } catch (const std::bad_alloc&) {
        return SliceReadFailed;
    }
    if (!source.CopyTo(pixelOffset, pixels.size(), pixels.data())) return SliceReadFailed;

    buffer.info.fill(0);
    std::copy_n(block.begin(), std::min(block.size(), kSliceInfoSize), buffer.info.begin());
    buffer.width = width;
    buffer.height = height;
    buffer.stride = static_cast<int32_t>(stride);
    buffer.pixels = std::move(pixels);
    buffer.trailer.valueA = buffer.trailer.valueB = 0;
    if (block.size() == kSliceInfoSize + kSliceTrailerSize) {
        std::memcpy(&buffer.trailer, &block[kSliceInfoSize], kSliceTrailerSize);
        if (std::memcmp(buffer.trailer.tag, kSliceTag, sizeof kSliceTag) != 0)
            buffer.trailer.valueA = buffer.trailer.valueB = 0;
    }
    const uint8_t* first = &block[kPaletteStart];
    const bool black = block.size() < kPaletteStart + 3 || (first[0] == 0 && first[1] == 0 && first[2] == 0);
    return black ? SliceBmp : SliceBmpInverted;
}
