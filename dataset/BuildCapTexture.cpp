#include "dataset/BuildCapTexture.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "dataset/CapSection.h"
#include "dataset/SliceBatches.h"
#include "dataset/SliceBuffer.h"
#include "platform/MessageBoxes.h"
#include "scene/Scene.h"

namespace {

void DropImage(CutCap& cap) {
    delete[] cap.pixels;
    cap.pixels = nullptr;
    cap.textureWidth = 0;
    cap.textureHeight = 0;
}

// Texels along a cap extent of `units` plate units: one per world unit, whole texels only; 0 for an
// extent that gives none (or no number at all).
int64_t TexelCount(int32_t low, int32_t high, float plateScale) {
    const float texels = std::floor(static_cast<float>(static_cast<double>(high) - low) * plateScale);
    return texels >= 1.0f && texels < 0x1p62f ? static_cast<int64_t>(texels) : 0;
}

// The slices a texel of the image can be covered by: q.z is affine in the texel's column and row, so
// its extremes lie at the image's corners.
std::pair<size_t, size_t> SlicesNearPlane(const CapSectionFrame& frame, int width, int height, float halfStep,
                                          const std::vector<DatasetSlice>& slices) {
    float corners[4];
    for (int corner = 0; corner < 4; ++corner)
        corners[corner] = TexelInDataset(frame, corner & 1 ? width - 1 : 0, corner & 2 ? height - 1 : 0).z;
    return SlicesReaching(slices, corners, halfStep);
}

}  // namespace

bool BuildCapTexture(const Scene& scene, int index, CutCap& cap, const CapPlateBounds& bounds, int maxSide,
                     MessageBoxes& messages, size_t memoryBudget) {
    if (index < 1 || index >= scene.PlateIndex()) return false;
    const SceneObject& object = scene.objects[index];
    if (object.datasetPath[0] == '\0') return false;

    SliceBuffer named;
    if (ReadSlice(object.datasetPath, named) == SliceReadFailed) {
        messages.Show("Incompatible file format in dataset !", MessageButtons::Ok, MessageIcon::None);
        return false;
    }
    const std::vector<DatasetSlice> slices = ListDatasetSlices(object.datasetPath, object.postfixLength);
    if (slices.empty()) return false;
    const int step = (slices.back().number - slices.front().number + 1) / static_cast<int>(slices.size());

    const SceneObject& plate = scene.objects[scene.PlateIndex()];
    const int64_t width = TexelCount(bounds.minX, bounds.maxX, plate.scale);
    const int64_t height = TexelCount(bounds.minZ, bounds.maxZ, plate.scale);
    const uint8_t fill[3] = {cap.fillColour[0], cap.fillColour[1], cap.fillColour[2]};
    DropImage(cap);
    if (width == 0 || height == 0) return false;
    if (width > maxSide || height > maxSide) {
        messages.Warn("The cut is too large for an image texture.");
        return false;
    }
    try {
        cap.pixels = new uint8_t[static_cast<size_t>(width * height * 3)];
        cap.textureWidth = static_cast<int32_t>(width);
        cap.textureHeight = static_cast<int32_t>(height);
        for (int64_t texel = 0; texel < width * height; ++texel)
            std::copy_n(fill, 3, cap.pixels + texel * 3);

        const CapSectionFrame frame = MakeCapSectionFrame(object, plate, bounds);
        const float halfStep = static_cast<float>(step) / 2.0f;
        auto [first, end] = SlicesNearPlane(frame, cap.textureWidth, cap.textureHeight, halfStep, slices);
        const size_t perBatch = SlicesPerBatch(named.pixels.size(), memoryBudget);
        for (; first < end; first += std::min(perBatch, end - first)) {
            const std::vector<DecodedSlice> batch =
                ReadSliceBatch(slices, first, std::min(perBatch, end - first));
            PaintCapSection(frame, step, batch.data(), batch.size(), cap.pixels, cap.textureWidth,
                            cap.textureHeight);
        }
    } catch (const std::bad_alloc&) {
        DropImage(cap);
        messages.Warn("Not enough memory for the image texture of the cut.");
        return false;
    }
    return true;
}
