#pragma once
// Writing slices in the dataset's own format, and JPEG pictures, through the safe save: a failed
// write leaves any earlier file of that name as it was.

#include <cstdint>
#include <span>
#include <string>

#include "dataset/SliceBuffer.h"

// Writes an 8-bit image of `width` x `height` pixels, rows bottom-up and `stride` bytes apart, as a
// slice at `path` with the palette, resolution and trailer held in `buffer` (normally those of the
// last slice read), updating the buffer's headers for it (an uncompressed 8-bit image): a BMP, with
// the trailer when its `valueA` and `valueB` differ and rows padded to a multiple of 4 bytes; or with
// `asJpeg` a JPEG of `jpegQuality` carrying the trailer in its EXIF user comment. The file is
// replaced only once written whole; false when it could not be.
bool WriteSlice(SliceBuffer& buffer, const std::string& path, const uint8_t* pixels, int32_t width,
                int32_t height, int32_t stride, bool asJpeg, int jpegQuality);

// Encodes a device-independent bitmap as a JPEG file at `path`: `info` is a 40-byte info header,
// followed for 8-bit pictures by the 256-entry palette; `pixels` holds the bottom-up rows, each
// rounded up to 4 bytes. For 8-bit pictures the resolution is written in dots per inch (at most
// 65535) and `trailer` (valueA and valueB cleared when equal, pixelsPerMetre set from the header, tag
// written) goes into the EXIF user comment; 24-bit pictures leave `trailer` alone. False when the
// header is not 8- or 24-bit, the buffers are too small for it, or the file could not be written.
bool WriteJpeg(const std::string& path, std::span<const uint8_t> info, std::span<const uint8_t> pixels,
               int quality, SliceTrailer& trailer);
