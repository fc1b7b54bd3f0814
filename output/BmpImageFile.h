#pragma once
// The 24-bit BMP screen image: a 14-byte file header ("BM", file size, 0, pixel offset 54), a 40-byte
// info header (size 40, width, height, 1 plane, 24 bits, no compression, image size 0, 0 pixels per
// metre both ways, no colour counts) and the pixel rows bottom-up as the picture holds them.

#include <array>
#include <cstdint>
#include <vector>

#include "render/ReadPixels.h"

inline constexpr uint32_t kBmpHeadersSize = 54;

// The 40-byte info header describing `picture`.
std::array<uint8_t, 40> ScreenInfoHeader(const BgrImage& picture);

// The whole file for `picture` (rows of BgrStride(width) bytes; a multiple-of-4 width needs no filling).
std::vector<uint8_t> EncodeScreenBmp(const BgrImage& picture);
