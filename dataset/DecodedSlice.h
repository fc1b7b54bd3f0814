#pragma once
// One slice of a dataset held in memory with its colours, for work that visits many slices at once.

#include <cstddef>
#include <cstdint>
#include <vector>

struct DecodedSlice {
    int number = 0;     // slice number from the file name
    bool read = false;  // false: the file could not be read and takes no part
    int32_t width = 0;
    int32_t height = 0;
    int32_t stride = 0;           // bytes per stored row
    std::vector<uint8_t> pixels;  // palette indices, rows bottom-up, `stride` apart
    uint8_t rgb[256][3] = {};     // palette entry i as red, green, blue
    uint8_t PaletteIndex(int32_t column, int32_t row) const {
        return pixels[static_cast<size_t>(row) * static_cast<size_t>(stride) + static_cast<size_t>(column)];
    }
};
