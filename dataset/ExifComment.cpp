#include "dataset/ExifComment.h"

#include <libexif/exif-data.h>
#include <libexif/exif-utils.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

// Resolutions are stored as thousandths of a dot per inch.
constexpr uint32_t kResolutionDenominator = 1000;
constexpr uint16_t kUnitInch = 2;
constexpr uint16_t kUnitCentimetre = 3;
constexpr float kCentimetresPerInch = 2.54f;

struct ExifDataRelease {
    void operator()(ExifData* data) const { exif_data_unref(data); }
};
using ExifDataPointer = std::unique_ptr<ExifData, ExifDataRelease>;

// A block that libexif leaves as it is: following the standard would make it prefix the comment with
// a character code ("\0\0\0\0\0\0\0\0"), moving the tag away from the start.
ExifDataPointer LiteralExifData() {
    ExifDataPointer data(exif_data_new());
    if (data) exif_data_unset_option(data.get(), EXIF_DATA_OPTION_FOLLOW_SPECIFICATION);
    return data;
}

std::optional<float> Resolution(ExifData* data, ExifTag tag, float unitFactor) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], tag);
    if (entry == nullptr || entry->format != EXIF_FORMAT_RATIONAL || entry->components < 1 || entry->size < 8)
        return std::nullopt;
    const ExifRational value = exif_get_rational(entry->data, exif_data_get_byte_order(data));
    if (value.denominator == 0) return std::nullopt;
    return float(double(value.numerator) / double(value.denominator) * unitFactor);
}

float UnitFactor(ExifData* data) {
    ExifEntry* entry = exif_content_get_entry(data->ifd[EXIF_IFD_0], EXIF_TAG_RESOLUTION_UNIT);
    if (entry == nullptr || entry->format != EXIF_FORMAT_SHORT || entry->size < 2) return 1.0f;
    return exif_get_short(entry->data, exif_data_get_byte_order(data)) == kUnitCentimetre
               ? kCentimetresPerInch
               : 1.0f;
}

// Adds an entry of `format` holding `size` bytes to `ifd`; its data pointer, or null without memory.
uint8_t* AddEntry(ExifData* data, ExifIfd ifd, ExifTag tag, ExifFormat format, unsigned components,
                  size_t size) {
    ExifMem* memory = exif_mem_new_default();
    ExifEntry* entry = exif_entry_new_mem(memory);
    auto* bytes = static_cast<uint8_t*>(exif_mem_alloc(memory, ExifLong(size)));
    exif_mem_unref(memory);
    if (entry == nullptr || bytes == nullptr) {
        if (entry != nullptr) exif_entry_unref(entry);
        std::free(bytes);
        return nullptr;
    }
    entry->tag = tag;
    entry->format = format;
    entry->components = components;
    entry->size = unsigned(size);
    entry->data = bytes;
    exif_content_add_entry(data->ifd[ifd], entry);
    exif_entry_unref(entry);
    return bytes;
}

bool AddResolution(ExifData* data, ExifTag tag, float dotsPerInch) {
    uint8_t* bytes = AddEntry(data, EXIF_IFD_0, tag, EXIF_FORMAT_RATIONAL, 1, 8);
    if (bytes == nullptr) return false;
    const ExifRational value{uint32_t(std::lround(double(dotsPerInch) * kResolutionDenominator)),
                             kResolutionDenominator};
    exif_set_rational(bytes, exif_data_get_byte_order(data), value);
    return true;
}

}  // namespace

ExifSliceFields ReadExifSliceFields(const uint8_t* data, size_t size) {
    ExifSliceFields fields;
    ExifDataPointer exif = LiteralExifData();
    if (!exif || size > UINT32_MAX) return fields;
    exif_data_load_data(exif.get(), data, unsigned(size));
    ExifEntry* comment = exif_content_get_entry(exif->ifd[EXIF_IFD_EXIF], EXIF_TAG_USER_COMMENT);
    if (comment != nullptr && comment->data != nullptr && comment->size >= sizeof kSliceTag &&
        std::memcmp(comment->data, kSliceTag, sizeof kSliceTag) == 0) {
        fields.truncatedTrailer = comment->size < kSliceTrailerSize;
        if (!fields.truncatedTrailer) {
            SliceTrailer trailer;
            std::memcpy(reinterpret_cast<uint8_t*>(&trailer), comment->data, kSliceTrailerSize);
            fields.trailer = trailer;
        }
    }
    const float unitFactor = UnitFactor(exif.get());
    fields.dotsPerInchX = Resolution(exif.get(), EXIF_TAG_X_RESOLUTION, unitFactor);
    fields.dotsPerInchY = Resolution(exif.get(), EXIF_TAG_Y_RESOLUTION, unitFactor);
    return fields;
}

std::vector<uint8_t> ExifWithTrailer(const SliceTrailer& trailer, float dotsPerInchX, float dotsPerInchY) {
    ExifDataPointer exif = LiteralExifData();
    if (!exif) return {};
    exif_data_set_byte_order(exif.get(), EXIF_BYTE_ORDER_INTEL);
    exif_data_set_data_type(exif.get(), EXIF_DATA_TYPE_COMPRESSED);
    uint8_t* comment = AddEntry(exif.get(), EXIF_IFD_EXIF, EXIF_TAG_USER_COMMENT, EXIF_FORMAT_UNDEFINED,
                                kSliceTrailerSize, kSliceTrailerSize);
    uint8_t* unit = AddEntry(exif.get(), EXIF_IFD_0, EXIF_TAG_RESOLUTION_UNIT, EXIF_FORMAT_SHORT, 1, 2);
    if (comment == nullptr || unit == nullptr ||
        !AddResolution(exif.get(), EXIF_TAG_X_RESOLUTION, dotsPerInchX) ||
        !AddResolution(exif.get(), EXIF_TAG_Y_RESOLUTION, dotsPerInchY))
        return {};
    std::memcpy(comment, reinterpret_cast<const uint8_t*>(&trailer), kSliceTrailerSize);
    exif_set_short(unit, EXIF_BYTE_ORDER_INTEL, kUnitInch);

    unsigned char* saved = nullptr;
    unsigned int savedSize = 0;
    exif_data_save_data(exif.get(), &saved, &savedSize);
    std::vector<uint8_t> block(saved, saved + (saved != nullptr ? savedSize : 0));
    std::free(saved);
    return block;
}
