#pragma once
// JPEG slices through libjpeg-turbo: decoding a file image into a SliceBuffer, and encoding 8-bit
// (grey) or 24-bit bottom-up rows into a JPEG file image with a resolution in dots per inch and, for
// 8-bit images, the slice trailer in the EXIF user comment.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "dataset/SliceBuffer.h"

// Decodes the JPEG in `data`. SliceJpeg when it is a greyscale JPEG, or a colour JPEG that carries
// the trailer (its pixels are then the blue byte of each pixel); SliceReadFailed otherwise, leaving
// `slice` untouched: for damaged or cut data (any decoder warning), a user comment that begins with
// the tag but is shorter than a trailer, or more than 1024 pixels per file byte (a forged size,
// refused before anything is allocated). Safe on untrusted bytes.
SliceReadResult DecodeJpegSlice(const uint8_t* data, size_t size, SliceBuffer& slice);

// What EncodeJpeg needs to know about the picture.
struct JpegPicture {
    const uint8_t* pixels = nullptr;  // bottom-up rows `stride` bytes apart
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;
    int bitsPerPixel = 8;              // 8 (palette indices shown as grey) or 24 (blue, green, red)
    const uint8_t* palette = nullptr;  // 8-bit only: 256 entries of blue, green, red, reserved; null = grey
    float dotsPerInchX = 0;            // 0 writes no resolution
    float dotsPerInchY = 0;
};

// Encodes `picture` as a JPEG of `quality` (clamped to 1..100): 8-bit pictures as greyscale, each
// pixel the grey of its palette colour; 24-bit ones in colour. With `trailer` set, an EXIF block holds
// it as user comment, with the resolution. Empty for sizes a JPEG cannot hold or when encoding fails.
std::optional<std::vector<uint8_t>> EncodeJpeg(const JpegPicture& picture, int quality,
                                               const SliceTrailer* trailer);
