#pragma once
// The EXIF block of a JPEG slice through libexif: the user comment (tag 0x9286, type 7, 56 bytes)
// that carries the slice trailer, and the resolution tags.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "dataset/SliceBuffer.h"

// What a slice reader takes from an EXIF block.
struct ExifSliceFields {
    // The user comment when it holds at least 56 bytes beginning with the tag; its first 56 bytes.
    std::optional<SliceTrailer> trailer;
    // The comment begins with the tag but ends before the 56 bytes of a trailer.
    bool truncatedTrailer = false;
    // Resolution in dots per inch, when the block gives one (a unit of centimetres is converted).
    std::optional<float> dotsPerInchX;
    std::optional<float> dotsPerInchY;
};

// Parses an EXIF block (an APP1 payload, beginning with "Exif\0\0"). Fields the block lacks or holds
// in the wrong type stay empty. Safe on untrusted bytes.
ExifSliceFields ReadExifSliceFields(const uint8_t* data, size_t size);

// An EXIF block (with its "Exif\0\0" header, ready to be written as an APP1 marker) holding the
// trailer as user comment and the resolution in dots per inch. Empty when libexif runs out of memory.
std::vector<uint8_t> ExifWithTrailer(const SliceTrailer& trailer, float dotsPerInchX, float dotsPerInchY);
