#pragma once
// Writing slices in the dataset's own format.

#include <cstdint>
#include <string>

#include "dataset/SliceBuffer.h"

// Writes an 8-bit image of `width` x `height` pixels, rows bottom-up and `stride` bytes apart, as a
// BMP slice at `path` with the palette, resolution and trailer held in `buffer` (normally those of
// the last slice read), updating the buffer's headers for it (an uncompressed 8-bit image): the trailer is
// written when its `valueA` and `valueB` differ. The file is replaced only once written whole; false when it
// could not be.
bool WriteSlice(SliceBuffer& buffer, const std::string& path, const uint8_t* pixels, int32_t width,
                int32_t height, int32_t stride);
