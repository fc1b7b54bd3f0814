#pragma once
// BMP slice files built byte by byte from the slice layout: 14-byte file header, 40-byte info header,
// 256-entry palette (blue, green, red, reserved), an optional 56-byte trailer, then 8-bit rows
// bottom-up, each padded to a multiple of 4 bytes.

#include <array>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

struct BmpSlice {
    int32_t width = 0;
    int32_t height = 0;
    // Palette index of (column, stored row); stored row 0 is the bottom row of the picture.
    std::function<uint8_t(int column, int row)> index = [](int, int) { return uint8_t{0}; };
    // Red, green, blue of palette entry i; the grey ramp by default.
    std::function<std::array<uint8_t, 3>(int entry)> colour = [](int i) {
        return std::array<uint8_t, 3>{uint8_t(i), uint8_t(i), uint8_t(i)};
    };
    bool trailer = false;
    int32_t valueA = 0;
    int32_t valueB = 0;
    int32_t pixelsPerMetre = 3780;
};

inline void PutLittleEndian(std::vector<uint8_t>& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = uint8_t(value >> (8 * i));
}

inline std::vector<uint8_t> BmpSliceBytes(const BmpSlice& slice) {
    const uint32_t stride = (uint32_t(slice.width) + 3) / 4 * 4;
    const uint32_t offset = slice.trailer ? 1134 : 1078;
    const uint32_t imageSize = stride * uint32_t(slice.height);
    std::vector<uint8_t> bytes(offset + imageSize, 0);
    bytes[0] = 'B', bytes[1] = 'M';
    PutLittleEndian(bytes, 2, offset + imageSize, 4);
    PutLittleEndian(bytes, 10, offset, 4);
    PutLittleEndian(bytes, 14, 40, 4);
    PutLittleEndian(bytes, 18, uint32_t(slice.width), 4);
    PutLittleEndian(bytes, 22, uint32_t(slice.height), 4);
    PutLittleEndian(bytes, 26, 1, 2);
    PutLittleEndian(bytes, 28, 8, 2);
    PutLittleEndian(bytes, 34, imageSize, 4);
    PutLittleEndian(bytes, 38, uint32_t(slice.pixelsPerMetre), 4);
    PutLittleEndian(bytes, 42, uint32_t(slice.pixelsPerMetre), 4);
    for (int i = 0; i < 256; ++i) {
        std::array<uint8_t, 3> rgb = slice.colour(i);
        bytes[54 + 4 * i] = rgb[2], bytes[55 + 4 * i] = rgb[1], bytes[56 + 4 * i] = rgb[0];
    }
    if (slice.trailer) {
        std::memcpy(&bytes[1078], "Korvane", 8);
        PutLittleEndian(bytes, 1086, uint32_t(slice.valueA), 4);
        PutLittleEndian(bytes, 1090, uint32_t(slice.valueB), 4);
        PutLittleEndian(bytes, 1094, uint32_t(slice.pixelsPerMetre), 4);
    }
    for (int row = 0; row < slice.height; ++row)
        for (int column = 0; column < slice.width; ++column)
            bytes[offset + row * stride + column] = slice.index(column, row);
    return bytes;
}
