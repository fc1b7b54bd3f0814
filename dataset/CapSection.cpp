#include "dataset/CapSection.h"

#include <algorithm>
#include <cmath>

#include "dataset/SliceNumberIndex.h"
#include "geometry/PlateFrame.h"
#include "platform/ParallelFor.h"
#include "scene/SceneObject.h"

namespace {

// Row-by-row product with the matrix (transposed: with its transpose).
Vector3 Rotate(const float (&m)[9], Vector3 v) {
    return {(m[0] * v.x + m[1] * v.y) + m[2] * v.z, (m[3] * v.x + m[4] * v.y) + m[5] * v.z,
            (m[6] * v.x + m[7] * v.y) + m[8] * v.z};
}
Vector3 RotateTransposed(const float (&m)[9], Vector3 v) {
    return {(m[0] * v.x + m[3] * v.y) + m[6] * v.z, (m[1] * v.x + m[4] * v.y) + m[7] * v.z,
            (m[2] * v.x + m[5] * v.y) + m[8] * v.z};
}

// The slice position a dataset coordinate falls on: centred coordinate plus half the extent,
// rounded half away from zero; -1 when outside [0, extent).
int32_t SliceIndex(float centred, int32_t extent) {
    const int64_t index = RoundToInt64(centred + static_cast<float>(extent / 2));
    return index >= 0 && index < extent ? static_cast<int32_t>(index) : -1;
}

// Whether `slice` covers `q` and, if so, the texel's colour from it.
bool Covers(const DecodedSlice& slice, Vector3 q, float halfStep, uint8_t* texel) {
    if (std::fabs(q.z - static_cast<float>(slice.number)) > halfStep) return false;
    const int32_t column = SliceIndex(q.x, slice.width);
    if (column < 0) return false;
    const int32_t row = SliceIndex(q.y, slice.height);
    if (row < 0) return false;
    const uint8_t* rgb = slice.rgb[slice.PaletteIndex(column, row)];
    std::copy_n(rgb, 3, texel);
    return true;
}

// The last of `slices` that covers `q`; only those numbered near q.z can.
void PaintTexel(const DecodedSlice* slices, const SliceNumberIndex& index, Vector3 q, float halfStep,
                uint8_t* texel) {
    const auto [first, last] = index.Near(q.z, halfStep);
    for (size_t i = last; i > first; --i) {
        const DecodedSlice& slice = slices[i - 1];
        if (slice.read && Covers(slice, q, halfStep, texel)) return;
    }
}

}  // namespace

CapSectionFrame MakeCapSectionFrame(const SceneObject& object, const SceneObject& plate,
                                    const CapPlateBounds& bounds) {
    CapSectionFrame frame{};
    std::copy_n(plate.position, 3, frame.platePosition);
    frame.plateScale = plate.scale;
    std::copy_n(plate.rotation, 9, frame.plateRotation);
    std::copy_n(object.position, 3, frame.objectPosition);
    frame.objectScale = object.scale;
    std::copy_n(object.rotation, 9, frame.objectRotation);
    frame.minX = bounds.minX;
    frame.minZ = bounds.minZ;
    frame.planeHeight = bounds.planeHeight;
    return frame;
}

Vector3 TexelInDataset(const CapSectionFrame& f, int column, int row) {
    const float sp = f.plateScale;
    const Vector3 onPlate{(f.platePosition[0] + static_cast<float>(f.minX)) * sp + static_cast<float>(column),
                          (static_cast<float>(f.planeHeight) + f.platePosition[1]) * sp,
                          (f.platePosition[2] + static_cast<float>(f.minZ)) * sp + static_cast<float>(row)};
    Vector3 q = RotateTransposed(f.objectRotation, Rotate(f.plateRotation, onPlate));
    if (f.objectScale != 0.0f) q = {q.x / f.objectScale, q.y / f.objectScale, q.z / f.objectScale};
    return {q.x - f.objectPosition[0], q.y - f.objectPosition[1], q.z - f.objectPosition[2]};
}

void PaintCapSection(const CapSectionFrame& frame, int step, const DecodedSlice* slices, size_t count,
                     uint8_t* image, int width, int height) {
    if (count == 0 || width <= 0 || height <= 0) return;
    const float halfStep = static_cast<float>(step) / 2.0f;
    const SliceNumberIndex index(slices, count);
    ParallelFor(height, [&](int64_t begin, int64_t end) {
        for (int64_t row = begin; row < end; ++row) {
            uint8_t* texel = image + static_cast<size_t>(row) * static_cast<size_t>(width) * 3;
            for (int column = 0; column < width; ++column, texel += 3)
                PaintTexel(slices, index, TexelInDataset(frame, column, static_cast<int>(row)), halfStep,
                           texel);
        }
    });
}
