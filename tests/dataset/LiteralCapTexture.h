#pragma once
// The cap texturing procedure as first written down, kept as the oracle of the fast one: every slice
// of the dataset read in turn and every texel of the image transformed for each.

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "dataset/DatasetSlices.h"
#include "dataset/SliceBuffer.h"
#include "geometry/PlateFrame.h"
#include "scene/Scene.h"

// The image of the cap of model `index` with `bounds`, filled with `fill`; empty when the procedure
// makes none.
inline std::vector<uint8_t> LiteralCapImage(const Scene& scene, int index, const CapPlateBounds& bounds,
                                            const uint8_t (&fill)[3], int* imageWidth, int* imageHeight) {
    const SceneObject& object = scene.objects[index];
    const SceneObject& plate = scene.objects[scene.PlateIndex()];
    SliceBuffer buffer;
    if (object.datasetPath[0] == '\0' || ReadSlice(object.datasetPath, buffer) == SliceReadFailed) return {};
    const std::vector<DatasetSlice> files = ListDatasetSlices(object.datasetPath, object.postfixLength);
    int lowest = INT32_MAX, highest = INT32_MIN;
    for (const DatasetSlice& file : files) {
        lowest = std::min(lowest, file.number);
        highest = std::max(highest, file.number);
    }
    if (files.empty()) return {};
    const int step = (highest - lowest + 1) / static_cast<int>(files.size());
    const float sp = plate.scale, so = object.scale;
    const int width = static_cast<int>(std::floor(static_cast<float>(bounds.maxX - bounds.minX) * sp));
    const int height = static_cast<int>(std::floor(static_cast<float>(bounds.maxZ - bounds.minZ) * sp));
    *imageWidth = width, *imageHeight = height;
    if (width <= 0 || height <= 0) return {};
    std::vector<uint8_t> image(static_cast<size_t>(width) * height * 3);
    for (size_t i = 0; i < image.size(); ++i)
        image[i] = fill[i % 3];
    const float* tp = plate.position;
    const float* rp = plate.rotation;
    const float* to = object.position;
    const float* ro = object.rotation;
    for (const DatasetSlice& file : files) {
        if (ReadSlice(file.path, buffer) == SliceReadFailed) continue;
        const int k = file.number;
        for (int r = 0; r < height; ++r) {
            for (int c = 0; c < width; ++c) {
                const float X = (tp[0] + bounds.minX) * sp + c;
                const float Y = (bounds.planeHeight + tp[1]) * sp;
                const float Z = (tp[2] + bounds.minZ) * sp + r;
                const float w[3] = {rp[0] * X + rp[1] * Y + rp[2] * Z, rp[3] * X + rp[4] * Y + rp[5] * Z,
                                    rp[6] * X + rp[7] * Y + rp[8] * Z};
                float q[3] = {ro[0] * w[0] + ro[3] * w[1] + ro[6] * w[2],
                              ro[1] * w[0] + ro[4] * w[1] + ro[7] * w[2],
                              ro[2] * w[0] + ro[5] * w[1] + ro[8] * w[2]};
                for (int i = 0; i < 3; ++i) {
                    if (so != 0) q[i] /= so;
                    q[i] -= to[i];
                }
                if (std::fabs(q[2] - k) > step / 2.0f) continue;
                const int64_t column = RoundToInt64(q[0] + buffer.width / 2);
                if (column < 0 || column >= buffer.width) continue;
                const int64_t row = RoundToInt64(q[1] + buffer.height / 2);
                if (row < 0 || row >= buffer.height) continue;
                const uint8_t entry = buffer.pixels[row * buffer.stride + column];
                const uint8_t* bgr = buffer.info.data() + 40 + 4 * entry;
                uint8_t* texel = &image[(static_cast<size_t>(r) * width + c) * 3];
                texel[0] = bgr[2], texel[1] = bgr[1], texel[2] = bgr[0];
            }
        }
    }
    return image;
}
