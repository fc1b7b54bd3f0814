#include "dataset/WriteSlice.h"

#include <cstring>

#include "import/LittleEndian.h"
#include "import/SafeFileWriter.h"

namespace {

constexpr uint32_t kPlainPixelOffset = kSliceFileHeaderSize + kSliceInfoSize;

// The headers of `buffer` made to describe the image about to be written.
void UpdateHeaders(SliceBuffer& buffer, int32_t width, int32_t height, int32_t stride) {
    const uint32_t imageSize = static_cast<uint32_t>(stride) * static_cast<uint32_t>(height);
    uint8_t* file = buffer.fileHeader.data();
    uint8_t* info = buffer.info.data();
    file[0] = 'B', file[1] = 'M';
    StoreInt32(info, static_cast<int32_t>(kSliceInfoHeaderSize));
    StoreInt32(info + 4, width);
    StoreInt32(info + 8, height);
    // Always an uncompressed 8-bit image, also for a buffer that never held a slice.
    StoreUint16(info + 12, 1);
    StoreUint16(info + 14, 8);
    StoreInt32(info + 16, 0);
    StoreInt32(info + 20, static_cast<int32_t>(imageSize));
    StoreInt32(file + 6, 0);
    uint32_t pixelOffset = kPlainPixelOffset;
    if (buffer.trailer.valueA != buffer.trailer.valueB) {
        std::memcpy(buffer.trailer.tag, kSliceTag, sizeof kSliceTag);
        std::memset(buffer.trailer.reserved, 0, sizeof buffer.trailer.reserved);
        pixelOffset += kSliceTrailerSize;
    }
    StoreInt32(file + 10, static_cast<int32_t>(pixelOffset));
    StoreInt32(file + 2, static_cast<int32_t>(imageSize + pixelOffset));
}

}  // namespace

bool WriteSlice(SliceBuffer& buffer, const std::string& path, const uint8_t* pixels, int32_t width,
                int32_t height, int32_t stride) {
    if (width <= 0 || height <= 0 || stride < width) return false;
    if (static_cast<uint64_t>(stride) * static_cast<uint64_t>(height) >
        UINT32_MAX - kPlainPixelOffset - kSliceTrailerSize)
        return false;  // more than a BMP's sizes can describe
    UpdateHeaders(buffer, width, height, stride);
    SafeFileWriter file;
    if (!file.Open(path)) return false;
    file.Write(buffer.fileHeader.data(), buffer.fileHeader.size());
    file.Write(buffer.info.data(), buffer.info.size());
    if (buffer.trailer.valueA != buffer.trailer.valueB) file.Write(&buffer.trailer, kSliceTrailerSize);
    file.Write(pixels, static_cast<size_t>(stride) * static_cast<size_t>(height));
    return file.Commit();
}
