#include "dataset/BmpSlice.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "import/LittleEndian.h"

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
    if (LoadUint16(&block[bmp::kBitsPerPixel]) != 8 || LoadUint32(&block[bmp::kCompression]) != 0)
        return SliceReadFailed;
    const int32_t width = LoadInt32(&block[bmp::kWidth]);
    const int32_t height = LoadInt32(&block[bmp::kHeight]);
    // Later versions of the info header are longer; the palette follows whichever there is.
    const uint32_t headerSize = LoadUint32(&block[0]);
    if (width <= 0 || height <= 0 || headerSize < kSliceInfoHeaderSize || headerSize > block.size())
        return SliceReadFailed;
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
    std::copy_n(block.begin(), kSliceInfoHeaderSize, buffer.info.begin());
    StoreInt32(&buffer.info[bmp::kInfoSize], static_cast<int32_t>(kSliceInfoHeaderSize));
    const size_t paletteBytes = std::min<size_t>(block.size() - headerSize, kSlicePaletteEntries * 4);
    std::copy_n(block.begin() + headerSize, paletteBytes, buffer.info.begin() + bmp::kPalette);
    buffer.width = width;
    buffer.height = height;
    buffer.stride = static_cast<int32_t>(stride);
    buffer.pixels = std::move(pixels);
    buffer.trailer.valueA = buffer.trailer.valueB = 0;
    const size_t trailerOffset = headerSize + kSlicePaletteEntries * 4;
    if (block.size() == trailerOffset + kSliceTrailerSize) {
        std::memcpy(&buffer.trailer, &block[trailerOffset], kSliceTrailerSize);
        if (std::memcmp(buffer.trailer.tag, kSliceTag, sizeof kSliceTag) != 0)
            buffer.trailer.valueA = buffer.trailer.valueB = 0;
    }
    const uint8_t* first = &buffer.info[bmp::kPalette];
    const bool black = first[0] == 0 && first[1] == 0 && first[2] == 0;
    return black ? SliceBmp : SliceBmpInverted;
}
