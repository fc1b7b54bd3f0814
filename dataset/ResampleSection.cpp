#include "dataset/ResampleSection.h"

#include <algorithm>
#include <cmath>

#include "dataset/SliceNumberIndex.h"
#include "platform/ParallelFor.h"
#include "scene/SceneObject.h"

namespace {

// The value `slice` gives the point, or -1 when it does not accept it.
int Accepted(const DecodedSlice& slice, DatasetPoint p, int half) {
    const float w = p.w - static_cast<float>(slice.number);
    if (!(w >= static_cast<float>(-half - 1) && w <= static_cast<float>(half + 1))) return -1;
    const float u = p.u + static_cast<float>(slice.width / 2);
    const float v = p.v + static_cast<float>(slice.height / 2);
    if (!(u >= 0.0f && u < static_cast<float>(slice.width) && v >= 0.0f &&
          v < static_cast<float>(slice.height)))
        return -1;
    return slice.PaletteIndex(static_cast<int32_t>(u), static_cast<int32_t>(v));
}

}  // namespace

ResampleFrame MakeResampleFrame(const SceneObject& object, const SceneObject& plate) {
    ResampleFrame frame{};
    std::copy_n(plate.rotation, 9, frame.plateRotation);
    std::copy_n(plate.position, 3, frame.platePosition);
    frame.plateScale = plate.scale;
    frame.boxMinX = plate.boxMin[0];
    frame.boxMaxZ = plate.boxMax[2];
    std::copy_n(object.rotation, 9, frame.objectRotation);
    frame.objectScale = object.scale;
    for (int i = 0; i < 3; ++i)
        frame.offset[i] = object.position[i] - object.centre[i];
    return frame;
}

float ResamplePlaneY(const ResampleFrame& frame, int index, int count, int spacing) {
    const int64_t offset = static_cast<int64_t>(index) * spacing;
    const int64_t middle = (static_cast<int64_t>(count) - 1) * spacing / 2;
    return (static_cast<float>(offset - middle) + frame.platePosition[1]) * frame.plateScale;
}

DatasetPoint PixelInDataset(const ResampleFrame& f, float planeY, int column, int row) {
    const float X = (f.platePosition[0] + f.boxMinX) * f.plateScale + static_cast<float>(column);
    const float Y = planeY;
    const float Z = (f.platePosition[2] + f.boxMaxZ) * f.plateScale - static_cast<float>(row);
    const float* p = f.plateRotation;
    const float a = p[0] * X + p[1] * Y + p[2] * Z;
    const float b = p[3] * X + p[4] * Y + p[5] * Z;
    const float e = p[6] * X + p[7] * Y + p[8] * Z;
    const float* o = f.objectRotation;
    float u = o[0] * a + o[3] * b + o[6] * e;
    float v = o[1] * a + o[4] * b + o[7] * e;
    float w = o[2] * a + o[5] * b + o[8] * e;
    if (f.objectScale != 0.0f) u /= f.objectScale, v /= f.objectScale, w /= f.objectScale;
    return {u - f.offset[0], v - f.offset[1], w - f.offset[2]};
}

void ResamplePlanes(const ResampleFrame& frame, const float* planeY, uint8_t* const* images, size_t planes,
                    int width, int height, int stride, int half, ResampleCombine combine,
                    const DecodedSlice* slices, size_t count, uint8_t* touched) {
    if (count == 0 || width <= 0 || height <= 0) return;
    const SliceNumberIndex index(slices, count);
    ParallelFor(height, [&](int64_t begin, int64_t end) {
        for (int row = static_cast<int>(begin); row < end; ++row) {
            for (size_t plane = 0; plane < planes; ++plane) {
                uint8_t* pixels = images[plane] + static_cast<size_t>(row) * static_cast<size_t>(stride);
                for (int column = 0; column < width; ++column) {
                    const DatasetPoint p = PixelInDataset(frame, planeY[plane], column, row);
                    const auto [first, last] = index.Near(p.w, half + 1.0);
                    if (combine == ResampleCombine::Last) {
                        for (size_t i = last; i > first; --i) {
                            const int value = slices[i - 1].read ? Accepted(slices[i - 1], p, half) : -1;
                            if (value < 0) continue;
                            pixels[column] = static_cast<uint8_t>(value);
                            break;
                        }
                        continue;
                    }
                    for (size_t i = first; i < last; ++i) {
                        const int value = slices[i].read ? Accepted(slices[i], p, half) : -1;
                        if (value < 0) continue;
                        const uint8_t sample = static_cast<uint8_t>(value);
                        pixels[column] = combine == ResampleCombine::Maximum
                                             ? std::max(pixels[column], sample)
                                             : std::min(pixels[column], sample);
                        if (touched != nullptr) touched[static_cast<size_t>(row) * width + column] = 1;
                    }
                }
            }
        }
    });
}
