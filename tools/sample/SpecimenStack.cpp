#include "tools/sample/SpecimenStack.h"

#include <cmath>
#include <cstdio>
#include <vector>

#include "dataset/WriteSlice.h"
#include "import/LittleEndian.h"
#include "scene/Poly3gon.h"
#include "tools/sample/SpecimenShape.h"

namespace {

// Grey values of the materials, before noise. The outside is not quite black, as in a real scan.
constexpr int kBackgroundGrey = 16;
constexpr int kPoreGrey = 62;
constexpr int kTrabeculaGrey = 150;
constexpr int kShellGrey = 218;
constexpr int kNoiseAmplitude = 6;  // grey levels either way

// Thickness of the dense shell, in the shape's units; the porous interior is a gyroid labyrinth of
// this period whose walls are the points where the gyroid is below kTrabeculaWidth.
constexpr float kShellThickness = 7.0f;
constexpr float kPorePeriod = 36.0f;
constexpr float kTrabeculaWidth = 0.5f;

float StackScale(int size) {
    return static_cast<float>(size) / static_cast<float>(kSpecimenSliceSize);
}

// Coordinate in the shape's frame of pixel index i along an axis of `size` pixels centred on it.
float ShapeCoordinate(int i, int size) {
    return static_cast<float>(i - size / 2) / StackScale(size);
}

// Mild noise: a hash of the voxel, the same on every run.
int Noise(int column, int row, int slice) {
    uint32_t h = static_cast<uint32_t>(column) * 73856093u ^ static_cast<uint32_t>(row) * 19349663u ^
                 static_cast<uint32_t>(slice) * 83492791u;
    h ^= h >> 16, h *= 0x85ebca6bu, h ^= h >> 13, h *= 0xc2b2ae35u, h ^= h >> 16;
    return static_cast<int>(h % (2 * kNoiseAmplitude + 1)) - kNoiseAmplitude;
}

// The specimen's field over one slice with a border of one pixel: (size + 2)^2 values, column fastest,
// index (row + 1) * (size + 2) + column + 1.
std::vector<float> FieldLayer(int size, int slice, const std::vector<float>& axis,
                              const std::vector<float>& waves) {
    const int side = size + 2;
    const float dz = static_cast<float>(slice) / StackScale(size) - kSpecimenCentreZ;
    const float waveZ = SpecimenWave(dz);
    std::vector<float> layer(static_cast<size_t>(side) * static_cast<size_t>(side));
    for (int j = 0; j < side; ++j)
        for (int i = 0; i < side; ++i)
            layer[static_cast<size_t>(j) * side + i] =
                SpecimenFieldFromWaves(axis[i], axis[j], dz, waves[i], waves[j], waveZ);
    return layer;
}

// Grey value of the material at a point inside the specimen, `depth` shape units under the surface.
int InsideGrey(float depth, float x, float y, float z) {
    if (depth < kShellThickness) return kShellGrey;
    const float w = 6.28318530718f / kPorePeriod;
    const float gyroid = std::sin(w * x) * std::cos(w * y) + std::sin(w * y) * std::cos(w * z) +
                         std::sin(w * z) * std::cos(w * x);
    return std::fabs(gyroid) < kTrabeculaWidth ? kTrabeculaGrey : kPoreGrey;
}

}  // namespace

void FitMeshToStack(Poly3gon& mesh, int size) {
    const float scale = StackScale(size);
    for (uint64_t i = 0; i < mesh.vertexCount * 3; ++i)
        mesh.vertices[i] *= scale;
}

void SampleStackSlice(int size, int slice, uint8_t* pixels, int stride) {
    // Coordinates and waves of the pixel columns (and rows: the slice is square), border included.
    std::vector<float> axis, waves;
    for (int i = -1; i <= size; ++i) {
        axis.push_back(ShapeCoordinate(i, size));
        waves.push_back(SpecimenWave(axis.back()));
    }
    const std::vector<float> below = FieldLayer(size, slice - 1, axis, waves);
    const std::vector<float> here = FieldLayer(size, slice, axis, waves);
    const std::vector<float> above = FieldLayer(size, slice + 1, axis, waves);
    const int side = size + 2;
    // Central differences over two pixels, in shape units.
    const float differenceScale = StackScale(size) / 2.0f;
    const float z = static_cast<float>(slice) / StackScale(size);
    for (int row = 0; row < size; ++row) {
        uint8_t* out = pixels + static_cast<size_t>(row) * static_cast<size_t>(stride);
        for (int column = 0; column < size; ++column) {
            const size_t at = static_cast<size_t>(row + 1) * side + column + 1;
            const float field = here[at];
            int grey = kBackgroundGrey;
            if (field < 0.0f) {
                // Depth under the surface from the field and its gradient (a field value is no distance).
                const float gx = (here[at + 1] - here[at - 1]) * differenceScale;
                const float gy = (here[at + side] - here[at - side]) * differenceScale;
                const float gz = (above[at] - below[at]) * differenceScale;
                const float gradient = std::sqrt(gx * gx + gy * gy + gz * gz);
                const float depth = gradient > 0.0f ? -field / gradient : kShellThickness;
                grey = InsideGrey(depth, axis[column + 1], axis[row + 1], z);
            }
            out[column] = static_cast<uint8_t>(grey + Noise(column, row, slice));
        }
    }
}

std::string StackSlicePath(const std::string& base, int slice) {
    char number[16];
    std::snprintf(number, sizeof number, "%0*d", kStackDigits, slice);
    return base + "_rec" + number + ".bmp";
}

bool WriteSpecimenStack(const std::string& base, int size) {
    if (size < 1 || size > 10000) return false;
    SliceBuffer buffer;
    uint8_t* info = buffer.info.data();
    StoreInt16(info + 12, 1);  // planes
    StoreInt16(info + 14, 8);  // bits per pixel
    const int32_t pixelsPerMetre = static_cast<int32_t>(std::lround(1e6 / StackVoxelSize(size)));
    StoreInt32(info + 24, pixelsPerMetre);
    StoreInt32(info + 28, pixelsPerMetre);
    StoreInt32(info + 32, 256);  // colours used
    for (int i = 0; i < 256; ++i)
        info[kSliceInfoHeaderSize + 4 * i] = info[kSliceInfoHeaderSize + 4 * i + 1] =
            info[kSliceInfoHeaderSize + 4 * i + 2] = static_cast<uint8_t>(i);
    // Values the reconstruction program leaves in its slices; they differ, so the trailer is written.
    buffer.trailer.valueA = 1;
    buffer.trailer.valueB = 2;
    buffer.trailer.pixelsPerMetre = pixelsPerMetre;

    const int stride = static_cast<int>(SliceStride(size));
    std::vector<uint8_t> pixels(static_cast<size_t>(stride) * static_cast<size_t>(size), 0);
    for (int slice = 0; slice < size; ++slice) {
        SampleStackSlice(size, slice, pixels.data(), stride);
        if (!WriteSlice(buffer, StackSlicePath(base, slice), pixels.data(), size, size, stride, false, 100))
            return false;
    }
    return true;
}
