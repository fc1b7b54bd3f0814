#pragma once
// JPEG test inputs made with libjpeg directly (not with the code under test), with an EXIF block
// built field by field from the TIFF layout: IFD0 with the resolution tags and the pointer to the
// EXIF IFD, which holds the user comment.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

// jpeglib.h needs size_t and FILE declared before it.
#include <jpeglib.h>

#include "dataset/SliceBuffer.h"
#include "import/ModelFileBytes.h"

struct ExifContent {
    std::vector<uint8_t> comment;      // user comment bytes; none when empty
    uint32_t resolutionNumerator = 0;  // 0 = no resolution tags
    uint32_t resolutionDenominator = 1;
    uint16_t resolutionUnit = 2;  // 2 inch, 3 centimetre
};

// "Exif\0\0", then a little-endian TIFF image: header, IFD0, EXIF IFD, then the values.
inline std::vector<uint8_t> ExifBlock(const ExifContent& content) {
    const bool resolution = content.resolutionNumerator != 0;
    const int32_t ifd0Entries = resolution ? 4 : 1;
    const int32_t ifd0 = 8, exifIfd = ifd0 + 2 + 12 * ifd0Entries + 4;
    const int32_t values = exifIfd + 2 + 12 + 4;
    FileBytes tiff;
    tiff.Text("II").Uint16(42).Int32(ifd0);
    tiff.Uint16(uint16_t(ifd0Entries));
    if (resolution) {
        tiff.Uint16(0x011A).Uint16(5).Int32(1).Int32(values);      // XResolution, RATIONAL
        tiff.Uint16(0x011B).Uint16(5).Int32(1).Int32(values + 8);  // YResolution
        tiff.Uint16(0x0128).Uint16(3).Int32(1).Uint16(content.resolutionUnit).Uint16(0);
    }
    tiff.Uint16(0x8769).Uint16(4).Int32(1).Int32(exifIfd).Int32(0);  // EXIF IFD pointer, no next IFD
    const int32_t commentAt = values + (resolution ? 16 : 0);
    tiff.Uint16(1).Uint16(0x9286).Uint16(7).Int32(int32_t(content.comment.size()));
    if (content.comment.size() <= 4) {
        tiff.Raw(content.comment.data(), content.comment.size()).Zeros(4 - content.comment.size());
    } else {
        tiff.Int32(commentAt);
    }
    tiff.Int32(0);
    if (resolution) {
        tiff.Int32(int32_t(content.resolutionNumerator)).Int32(int32_t(content.resolutionDenominator));
        tiff.Int32(int32_t(content.resolutionNumerator)).Int32(int32_t(content.resolutionDenominator));
    }
    if (content.comment.size() > 4) tiff.Raw(content.comment.data(), content.comment.size());
    FileBytes block;
    block.Text(std::string("Exif\0\0", 6)).Raw(tiff.bytes.data(), tiff.bytes.size());
    return block.bytes;
}

// A trailer record: tag, valueA, valueB, pixels per metre, 36 bytes of 0x5A.
inline std::vector<uint8_t> TrailerBytes(int32_t valueA, int32_t valueB, int32_t pixelsPerMetre,
                                         const std::string& tag = std::string("Korvane", 8)) {
    FileBytes trailer;
    trailer.Text(tag).Int32(valueA).Int32(valueB).Int32(pixelsPerMetre).Fill(36, 0x5A);
    return trailer.bytes;
}

struct JpegContent {
    int width = 16;
    int height = 16;
    int components = 1;  // 1 grey, 3 RGB
    int quality = 100;
    uint8_t densityUnit = 1;  // JFIF: 0 none, 1 dpi, 2 dots per cm
    uint16_t density = 300;
    std::vector<uint8_t> exif;  // APP1 payload; none when empty
    bool progressive = false;
};

// Sample of channel c at (x, y), y counted from the top.
inline uint8_t JpegSample(int x, int y, int c) {
    return uint8_t(c == 0 ? 8 * x + 4 * y : c == 1 ? 60 : 200 - 4 * y);
}

inline std::vector<uint8_t> JpegBytes(const JpegContent& content) {
    jpeg_compress_struct codec;
    jpeg_error_mgr errors;
    codec.err = jpeg_std_error(&errors);
    jpeg_create_compress(&codec);
    unsigned char* output = nullptr;
    unsigned long outputSize = 0;
    jpeg_mem_dest(&codec, &output, &outputSize);
    codec.image_width = JDIMENSION(content.width);
    codec.image_height = JDIMENSION(content.height);
    codec.input_components = content.components;
    codec.in_color_space = content.components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, content.quality, TRUE);
    if (content.progressive) jpeg_simple_progression(&codec);
    codec.density_unit = content.densityUnit;
    codec.X_density = codec.Y_density = content.density;
    jpeg_start_compress(&codec, TRUE);
    if (!content.exif.empty())
        jpeg_write_marker(&codec, JPEG_APP0 + 1, content.exif.data(), unsigned(content.exif.size()));
    std::vector<uint8_t> row(size_t(content.width * content.components));
    while (codec.next_scanline < codec.image_height) {
        for (int x = 0; x < content.width; ++x)
            for (int c = 0; c < content.components; ++c)
                row[size_t(x * content.components + c)] = JpegSample(x, int(codec.next_scanline), c);
        JSAMPROW rows[1] = {row.data()};
        jpeg_write_scanlines(&codec, rows, 1);
    }
    jpeg_finish_compress(&codec);
    jpeg_destroy_compress(&codec);
    std::vector<uint8_t> bytes(output, output + outputSize);
    std::free(output);
    return bytes;
}

// A decoded JPEG as libjpeg gives it: rows top-down, components interleaved, and its JFIF density.
struct DecodedJpeg {
    int width = 0, height = 0, components = 0;
    int densityUnit = 0, xDensity = 0;
    std::vector<uint8_t> samples;
    std::vector<uint8_t> exif;  // the APP1 payload, if any
};

inline DecodedJpeg DecodeWithLibjpeg(const std::vector<uint8_t>& bytes) {
    jpeg_decompress_struct codec;
    jpeg_error_mgr errors;
    codec.err = jpeg_std_error(&errors);
    jpeg_create_decompress(&codec);
    jpeg_save_markers(&codec, JPEG_APP0 + 1, 0xFFFF);
    jpeg_mem_src(&codec, bytes.data(), static_cast<unsigned long>(bytes.size()));
    jpeg_read_header(&codec, TRUE);
    jpeg_start_decompress(&codec);
    DecodedJpeg decoded;
    decoded.width = int(codec.output_width);
    decoded.height = int(codec.output_height);
    decoded.components = codec.output_components;
    decoded.densityUnit = codec.density_unit;
    decoded.xDensity = codec.X_density;
    for (jpeg_saved_marker_ptr marker = codec.marker_list; marker != nullptr; marker = marker->next)
        decoded.exif.assign(marker->data, marker->data + marker->data_length);
    decoded.samples.resize(size_t(decoded.width * decoded.height * decoded.components));
    while (codec.output_scanline < codec.output_height) {
        JSAMPROW rows[1] = {decoded.samples.data() + size_t(codec.output_scanline) * size_t(decoded.width) *
                                                         size_t(decoded.components)};
        jpeg_read_scanlines(&codec, rows, 1);
    }
    jpeg_finish_decompress(&codec);
    jpeg_destroy_decompress(&codec);
    return decoded;
}

// A buffer holding recognisable earlier contents, to see what a failed read keeps.
inline SliceBuffer EarlierSlice() {
    SliceBuffer slice;
    slice.fileHeader.fill(0x11);
    slice.info.fill(0x22);
    slice.width = slice.height = slice.stride = 4;
    slice.pixels.assign(16, 0x33);
    std::memset(reinterpret_cast<uint8_t*>(&slice.trailer), 0x44, sizeof slice.trailer);
    return slice;
}

inline bool SameExceptFileHeader(const SliceBuffer& a, const SliceBuffer& b) {
    return a.info == b.info && a.width == b.width && a.height == b.height && a.stride == b.stride &&
           a.pixels == b.pixels && std::memcmp(&a.trailer, &b.trailer, sizeof a.trailer) == 0;
}
