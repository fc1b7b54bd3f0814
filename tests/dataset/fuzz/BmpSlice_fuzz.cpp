// libFuzzer entry point of the BMP slice reader: any bytes are read or refused without reading past
// them, and a slice that is read paints cap sections through ordinary, oblique and non-finite
// planes without touching memory outside it.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <vector>

#include "dataset/BmpSlice.h"
#include "dataset/CapSection.h"
#include "dataset/SliceBatches.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    MemorySource source(data, size);
    SliceBuffer buffer;
    const SliceReadResult result = ReadBmpSlice(source, buffer);
    if (result == SliceReadFailed) return 0;
    if (buffer.width <= 0 || buffer.height <= 0 || buffer.stride < buffer.width ||
        buffer.pixels.size() != static_cast<size_t>(buffer.stride) * static_cast<size_t>(buffer.height))
        __builtin_trap();

    std::vector<DecodedSlice> slices;
    slices.push_back(TakeDecodedSlice(buffer, 0));
    CapSectionFrame frame{};
    frame.plateScale = frame.objectScale = 1.0f;
    const float oblique[9] = {0.8f, 0.0f, 0.6f, 0.36f, 0.8f, -0.48f, -0.48f, 0.6f, 0.64f};
    const float flat[9] = {1, 0, 0, 0, 0, -1, 0, 1, 0};
    std::copy_n(flat, 9, frame.objectRotation);
    std::vector<uint8_t> image(24 * 20 * 3);
    const float specials[] = {0.0f, 0.25f, std::numeric_limits<float>::quiet_NaN(),
                              std::numeric_limits<float>::infinity()};
    for (const float* rotation : {flat, oblique}) {
        std::copy_n(rotation, 9, frame.plateRotation);
        for (float special : specials) {
            frame.objectPosition[0] = special;
            frame.minX = -12, frame.minZ = -10;
            PaintCapSection(frame, 1, slices.data(), slices.size(), image.data(), 24, 20);
        }
    }
    return 0;
}
