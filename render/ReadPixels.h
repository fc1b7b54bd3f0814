#pragma once
// Read-back of rendered pixels in the layout the program keeps pictures in: 3 bytes per pixel in
// blue, green, red order, rows bottom-up, each row padded to a multiple of 4 bytes.

#include <cstddef>
#include <cstdint>
#include <vector>

// Bytes per row of such a picture: 3 x width rounded up to a multiple of 4 (0 for width <= 0).
size_t BgrStride(int width);

// A picture in that layout.
struct BgrImage {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bytes;  // BgrStride(width) x height

    // Blue, green, red of the pixel x columns from the left and y rows from the top; in range only.
    const uint8_t* PixelFromTop(int x, int y) const {
        return bytes.data() + static_cast<size_t>(height - 1 - y) * BgrStride(width) +
               static_cast<size_t>(x) * 3;
    }
};

// Reads width x height pixels from the lower left of the bound framebuffer into `buffer` (pack
// alignment 4). Needs a current context. Returns 0 without reading when a size is not positive or
// the buffer holds fewer than BgrStride(width) x height bytes.
int ReadFramebufferBgr(int width, int height, uint8_t* buffer, size_t size);
