#include "dataset/JpegSlice.h"

// libjpeg reports fatal errors through error_exit, which must not return. It leaves by longjmp to the
// setjmp of the phase that made the call. Each phase is a function that owns no C++ object with a
// destructor, so the jump skips no destructor; everything it fills lives in the caller's frame.
#include <algorithm>
#include <climits>
#include <csetjmp>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include <jpeglib.h>

#include "dataset/ExifComment.h"
#include "import/LittleEndian.h"

namespace {

constexpr float kPixelsPerMetrePerDotPerInch = 39.37007874015748f;
// Taken for a JPEG that states no resolution, as screens commonly are.
constexpr float kDefaultDotsPerInch = 96.0f;
constexpr float kCentimetresPerInch = 2.54f;
// A JPEG picture of more pixels per file byte than this is taken for a forged size: a plain grey
// baseline picture compresses to about 256 pixels per byte at most.
constexpr uint64_t kMostPixelsPerByte = 1024;
constexpr unsigned kMarkerDataLimit = 0xFFFF;
constexpr uint8_t kExifHeader[6] = {'E', 'x', 'i', 'f', 0, 0};

struct ErrorTrap {
    jpeg_error_mgr manager;
    jmp_buf jump;
};

[[noreturn]] void JumpOut(j_common_ptr codec) {
    longjmp(reinterpret_cast<ErrorTrap*>(codec->err)->jump, 1);
}

void Silent(j_common_ptr) {}

void InstallTrap(ErrorTrap& trap) {
    jpeg_std_error(&trap.manager);
    trap.manager.error_exit = JumpOut;
    trap.manager.output_message = Silent;
}

struct Decoder {
    jpeg_decompress_struct codec;
    ErrorTrap trap;
};

// Reads the headers (keeping APP1 markers for the EXIF block); false on any error.
bool ReadHeaders(Decoder& decoder, const uint8_t* data, size_t size) {
    if (setjmp(decoder.trap.jump)) return false;
    jpeg_create_decompress(&decoder.codec);
    jpeg_save_markers(&decoder.codec, JPEG_APP0 + 1, kMarkerDataLimit);
    jpeg_mem_src(&decoder.codec, data, static_cast<unsigned long>(size));
    return jpeg_read_header(&decoder.codec, TRUE) == JPEG_HEADER_OK;
}

// Decodes every row, top row last in `pixels` (rows `stride` bytes apart), keeping the first byte of
// each pixel (blue, for colour pictures decoded as blue-green-red); `row` holds one decoded row. False on an
// error or a warning: a warning means damaged or missing data, which the library would have filled in.
bool DecodeRows(Decoder& decoder, uint8_t* pixels, size_t stride, uint8_t* row) {
    if (setjmp(decoder.trap.jump)) return false;
    jpeg_decompress_struct& codec = decoder.codec;
    jpeg_start_decompress(&codec);
    const unsigned components = unsigned(codec.output_components);
    while (codec.output_scanline < codec.output_height) {
        const size_t target = codec.output_height - 1 - codec.output_scanline;
        JSAMPROW rows[1] = {row};
        if (jpeg_read_scanlines(&codec, rows, 1) != 1) return false;
        uint8_t* out = pixels + target * stride;
        for (size_t x = 0; x < codec.output_width; ++x)
            out[x] = row[x * components];
    }
    jpeg_finish_decompress(&codec);
    return codec.err->num_warnings == 0;
}

// The EXIF block among the saved markers; empty fields when there is none.
ExifSliceFields ExifFields(const jpeg_decompress_struct& codec) {
    for (jpeg_saved_marker_ptr marker = codec.marker_list; marker != nullptr; marker = marker->next)
        if (marker->marker == JPEG_APP0 + 1 && marker->data_length >= sizeof kExifHeader &&
            std::memcmp(marker->data, kExifHeader, sizeof kExifHeader) == 0)
            return ReadExifSliceFields(marker->data, marker->data_length);
    return {};
}

// The JFIF resolution in dots per inch.
float JfifDotsPerInch(const jpeg_decompress_struct& codec, UINT16 density) {
    if (codec.saw_JFIF_marker && codec.density_unit == 1 && density > 0) return float(density);
    if (codec.saw_JFIF_marker && codec.density_unit == 2 && density > 0)
        return float(density) * kCentimetresPerInch;
    return kDefaultDotsPerInch;
}

// Resolutions from EXIF can be any fraction: those beyond the header field are limited to it.
int32_t PixelsPerMetre(float dotsPerInch) {
    const double pixelsPerMetre = double(dotsPerInch * kPixelsPerMetrePerDotPerInch + 0.5f);
    return pixelsPerMetre < double(INT32_MAX) ? int32_t(std::max(pixelsPerMetre, 0.0)) : INT32_MAX;
}

void FillInfo(SliceBuffer& slice, int32_t width, int32_t height, int32_t xPixelsPerMetre,
              int32_t yPixelsPerMetre) {
    uint8_t* info = slice.info.data();
    std::memset(info, 0, kSliceInfoHeaderSize);
    StoreInt32(info + bmp::kInfoSize, kSliceInfoHeaderSize);
    StoreInt32(info + bmp::kWidth, width);
    StoreInt32(info + bmp::kHeight, height);
    StoreUint16(info + bmp::kPlanes, 1);
    StoreUint16(info + bmp::kBitsPerPixel, 8);
    StoreInt32(info + bmp::kImageSize, int32_t(SliceStride(width) * height));
    StoreInt32(info + bmp::kXPixelsPerMetre, xPixelsPerMetre);
    StoreInt32(info + bmp::kYPixelsPerMetre, yPixelsPerMetre);
    // The grey ramp; the reserved byte of each entry stays as it was.
    for (size_t i = 0; i < kSlicePaletteEntries; ++i)
        std::memset(info + bmp::kPalette + 4 * i, int(i), 3);
}

SliceReadResult DecodeFromHeaders(Decoder& decoder, size_t size, SliceBuffer& slice) {
    jpeg_decompress_struct& codec = decoder.codec;
    const bool grey = codec.num_components == 1 && codec.jpeg_color_space == JCS_GRAYSCALE;
    const bool colour = codec.num_components == 3 &&
                        (codec.jpeg_color_space == JCS_YCbCr || codec.jpeg_color_space == JCS_RGB);
    if (!grey && !colour) return SliceReadFailed;
    const ExifSliceFields exif = ExifFields(codec);
    if (exif.truncatedTrailer) return SliceReadFailed;
    // Colour pictures are slices only when they say so; their blue channel is taken.
    if (colour && !exif.trailer) return SliceReadFailed;
    const uint64_t width = codec.image_width, height = codec.image_height;
    if (width == 0 || height == 0 || width * height > kMostPixelsPerByte * size) return SliceReadFailed;

    codec.out_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    const int32_t stride = int32_t(SliceStride(int64_t(width)));
    std::vector<uint8_t> pixels, row;
    try {
        pixels.resize(size_t(stride) * height);
        row.resize(size_t(width) * (grey ? 1 : 3));
    } catch (const std::bad_alloc&) {
        return SliceReadFailed;
    }
    if (!DecodeRows(decoder, pixels.data(), size_t(stride), row.data())) return SliceReadFailed;

    int32_t xPixelsPerMetre =
        PixelsPerMetre(exif.dotsPerInchX.value_or(JfifDotsPerInch(codec, codec.X_density)));
    int32_t yPixelsPerMetre =
        PixelsPerMetre(exif.dotsPerInchY.value_or(JfifDotsPerInch(codec, codec.Y_density)));
    slice.trailer.valueA = slice.trailer.valueB = slice.trailer.pixelsPerMetre = 0;
    if (exif.trailer) {
        slice.trailer = *exif.trailer;
        // The resolution in the trailer is exact; dots per inch may have been rounded or limited.
        if (slice.trailer.pixelsPerMetre > 0)
            xPixelsPerMetre = yPixelsPerMetre = slice.trailer.pixelsPerMetre;
    }
    FillInfo(slice, int32_t(width), int32_t(height), xPixelsPerMetre, yPixelsPerMetre);
    slice.width = int32_t(width);
    slice.height = int32_t(height);
    slice.stride = stride;
    slice.pixels.swap(pixels);
    return SliceJpeg;
}

struct Encoder {
    jpeg_compress_struct codec;
    ErrorTrap trap;
    unsigned char* output;
    unsigned long outputSize;
};

// Greys of the palette entries, by the luma weights of the JPEG colour transform.
void PaletteGreys(const uint8_t* palette, uint8_t* greys) {
    for (size_t i = 0; i < kSlicePaletteEntries; ++i) {
        const uint8_t* entry = palette + 4 * i;
        greys[i] = uint8_t((114 * entry[0] + 587 * entry[1] + 299 * entry[2] + 500) / 1000);
    }
}

// Compresses the picture into `encoder.output`; `row` holds one row of greys for 8-bit pictures.
bool EncodeRows(Encoder& encoder, const JpegPicture& picture, int quality, const uint8_t* exif,
                size_t exifSize, const uint8_t* greys, uint8_t* row) {
    if (setjmp(encoder.trap.jump)) return false;
    jpeg_compress_struct& codec = encoder.codec;
    jpeg_create_compress(&codec);
    jpeg_mem_dest(&codec, &encoder.output, &encoder.outputSize);
    const bool grey = picture.bitsPerPixel == 8;
    codec.image_width = JDIMENSION(picture.width);
    codec.image_height = JDIMENSION(picture.height);
    codec.input_components = grey ? 1 : 3;
    codec.in_color_space = grey ? JCS_GRAYSCALE : JCS_EXT_BGR;
    jpeg_set_defaults(&codec);
    jpeg_set_quality(&codec, quality, TRUE);
    if (picture.dotsPerInchX > 0 && picture.dotsPerInchY > 0) {
        codec.density_unit = 1;
        codec.X_density = UINT16(picture.dotsPerInchX + 0.5f);
        codec.Y_density = UINT16(picture.dotsPerInchY + 0.5f);
    }
    jpeg_start_compress(&codec, TRUE);
    if (exifSize > 0) jpeg_write_marker(&codec, JPEG_APP0 + 1, exif, unsigned(exifSize));
    while (codec.next_scanline < codec.image_height) {
        const size_t source = size_t(picture.height) - 1 - codec.next_scanline;
        const uint8_t* in = picture.pixels + source * size_t(picture.stride);
        if (grey) {
            for (int32_t x = 0; x < picture.width; ++x)
                row[x] = greys[in[x]];
            in = row;
        }
        JSAMPROW rows[1] = {const_cast<JSAMPLE*>(in)};
        jpeg_write_scanlines(&codec, rows, 1);
    }
    jpeg_finish_compress(&codec);
    return true;
}

}  // namespace

SliceReadResult DecodeJpegSlice(const uint8_t* data, size_t size, SliceBuffer& slice) {
    Decoder decoder;
    std::memset(&decoder.codec, 0, sizeof decoder.codec);
    InstallTrap(decoder.trap);
    decoder.codec.err = &decoder.trap.manager;
    SliceReadResult result = SliceReadFailed;
    if (ReadHeaders(decoder, data, size)) result = DecodeFromHeaders(decoder, size, slice);
    jpeg_destroy_decompress(&decoder.codec);
    return result;
}

std::optional<std::vector<uint8_t>> EncodeJpeg(const JpegPicture& picture, int quality,
                                               const SliceTrailer* trailer) {
    const bool grey = picture.bitsPerPixel == 8;
    if ((!grey && picture.bitsPerPixel != 24) || picture.pixels == nullptr || picture.width <= 0 ||
        picture.height <= 0 || int64_t(picture.stride) < int64_t(picture.width) * (grey ? 1 : 3) ||
        picture.width > JPEG_MAX_DIMENSION || picture.height > JPEG_MAX_DIMENSION)
        return std::nullopt;
    std::vector<uint8_t> exif, row;
    uint8_t greys[kSlicePaletteEntries];
    try {
        if (trailer != nullptr) {
            exif = ExifWithTrailer(*trailer, picture.dotsPerInchX, picture.dotsPerInchY);
            if (exif.empty()) return std::nullopt;
        }
        if (grey) row.resize(size_t(picture.width));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    if (grey && picture.palette != nullptr)
        PaletteGreys(picture.palette, greys);
    else
        for (size_t i = 0; i < kSlicePaletteEntries; ++i)
            greys[i] = uint8_t(i);

    Encoder encoder;
    std::memset(&encoder, 0, sizeof encoder);
    InstallTrap(encoder.trap);
    encoder.codec.err = &encoder.trap.manager;
    const bool encoded = EncodeRows(encoder, picture, std::clamp(quality, 1, 100), exif.data(), exif.size(),
                                    greys, row.data());
    jpeg_destroy_compress(&encoder.codec);
    std::optional<std::vector<uint8_t>> bytes;
    try {
        if (encoded) bytes.emplace(encoder.output, encoder.output + encoder.outputSize);
    } catch (const std::bad_alloc&) {
        bytes.reset();
    }
    std::free(encoder.output);
    return bytes;
}
