#include "dataset/ResampleDataset.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <future>
#include <new>
#include <vector>

#include "dataset/ResampleSection.h"
#include "dataset/SliceStatistics.h"
#include "dataset/WriteSlice.h"
#include "platform/ParallelFor.h"
#include "scene/SceneObject.h"

namespace {

using Clock = std::chrono::steady_clock;

// Output planes painted between two progress reports (and written while the next ones are painted).
constexpr size_t kPlanesPerStep = 16;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

// Pixels along a plate extent: the scaled extent's integer part; 0 for less than one (or no number).
int64_t Pixels(float low, float high, float scale) {
    const float extent = (high - low) * scale;
    return extent >= 1.0f && extent < 0x1p30f ? static_cast<int64_t>(extent) : 0;
}

// The source slices a pixel of any plane can be accepted by: w is affine in column, row and plane
// height, so its extremes lie at the corners of the sampled box. A corner without a number needs
// them all.
std::pair<size_t, size_t> SlicesNearPlanes(const ResampleFrame& frame, const std::vector<float>& planeY,
                                           int width, int height, int half,
                                           const std::vector<DatasetSlice>& slices) {
    float corners[8];
    for (int corner = 0; corner < 8; ++corner)
        corners[corner] = PixelInDataset(frame, corner & 4 ? planeY.back() : planeY.front(),
                                         corner & 1 ? width - 1 : 0, corner & 2 ? height - 1 : 0)
                              .w;
    return SlicesReaching(slices, corners, half + 1.0);
}

// Output slices take palette, resolution and trailer from the last source slice that reads, as a
// reader visiting every slice in turn would end up holding; `first` when none does.
void TakeLastReadableHeaders(const std::vector<DatasetSlice>& slices, SliceBuffer& first) {
    SliceBuffer buffer;
    for (auto slice = slices.rbegin(); slice != slices.rend(); ++slice) {
        if (ReadSlice(slice->path, buffer) == SliceReadFailed) continue;
        first.info = buffer.info;
        first.trailer = buffer.trailer;
        return;
    }
}

// Writes are numbered by plane offset; projections have one name.
std::string OutputName(const ResampleOptions& options, int offset) {
    const char* extension = options.jpeg ? "jpg" : "bmp";
    char tail[32];
    if (options.projection)
        std::snprintf(tail, sizeof tail, "_mip.%s", extension);
    else
        std::snprintf(tail, sizeof tail, "%04d.%s", offset, extension);
    return options.prefix + tail;
}

}  // namespace

ResampleResult ResampleDataset(const SceneObject& object, const SceneObject& plate,
                               const ResampleOptions& options, const ResampleProgress& progress,
                               size_t memoryBudget) {
    ResampleResult result;
    SliceBuffer palette;
    if (ReadSlice(object.datasetPath, palette) == SliceReadFailed) {
        result.status = ResampleStatus::Incompatible;
        return result;
    }
    const std::vector<DatasetSlice> slices = ListDatasetSlices(object.datasetPath, object.postfixLength);
    const int half = CountDatasetSlices(slices).step / 2;
    const int count = options.count;
    const int spacing = options.projection ? 1 : options.spacing;
    const int64_t width = Pixels(plate.boxMin[0], plate.boxMax[0], plate.scale);
    const int64_t height = Pixels(plate.boxMin[2], plate.boxMax[2], plate.scale);
    if (count < 0) result.status = ResampleStatus::NegativeCount;
    if (width == 0 || height == 0) result.status = ResampleStatus::NoImage;
    if (result.status != ResampleStatus::Done || count == 0) return result;

    const int64_t stride = SliceStride(width);
    const size_t imageBytes = static_cast<size_t>(stride * height);
    const size_t images = options.projection ? 1 : static_cast<size_t>(count);
    const uint8_t background = options.background != 0 ? 255 : 0;
    const ResampleFrame frame = MakeResampleFrame(object, plate);
    try {
        TakeLastReadableHeaders(slices, palette);
        std::atomic<int> written{0}, failed{0};
        std::atomic<int64_t> writingMicroseconds{0};
        // Output images not fitting the budget beside a slice or two are made a group at a time, each
        // group reading its source slices again.
        const size_t sliceBytes = std::max<size_t>(palette.pixels.size(), 1);
        const size_t imagesPerGroup = std::clamp<size_t>(
            (memoryBudget > 2 * sliceBytes ? memoryBudget - 2 * sliceBytes : 0) / imageBytes, 1, images);
        std::vector<std::vector<uint8_t>> group(imagesPerGroup);
        std::vector<uint8_t> touched(options.projection ? static_cast<size_t>(width * height) : 0);
        for (size_t firstImage = 0; firstImage < images; firstImage += imagesPerGroup) {
            const size_t groupSize = std::min(imagesPerGroup, images - firstImage);
            std::vector<float> planeY;
            std::vector<uint8_t*> targets;
            for (size_t i = 0; i < (options.projection ? static_cast<size_t>(count) : groupSize); ++i) {
                const size_t image = options.projection ? 0 : i;
                planeY.push_back(ResamplePlaneY(frame, static_cast<int>(firstImage + i), count, spacing));
                // Projections start from the opposite of the background, so any sample counts.
                if (i == 0 || !options.projection)
                    group[image].assign(
                        imageBytes, options.projection ? static_cast<uint8_t>(255 - background) : background);
                targets.push_back(group[image].data());
            }
            const ResampleCombine combine = !options.projection ? ResampleCombine::Last
                                            : background != 0   ? ResampleCombine::Maximum
                                                                : ResampleCombine::Minimum;
            // Writes images [from, to) of the group, each thread with its own copy of the headers.
            const auto writeImages = [&](size_t from, size_t to) {
                const Clock::time_point start = Clock::now();
                ParallelFor(static_cast<int64_t>(to - from), [&](int64_t begin, int64_t stop) {
                    SliceBuffer headers;
                    headers.fileHeader = palette.fileHeader;
                    headers.info = palette.info;
                    headers.trailer = palette.trailer;
                    for (int64_t i = static_cast<int64_t>(from) + begin;
                         i < static_cast<int64_t>(from) + stop; ++i) {
                        const int offset = static_cast<int>((static_cast<int64_t>(firstImage) + i) * spacing);
                        const bool ok =
                            WriteSlice(headers, OutputName(options, offset), group[i].data(),
                                       static_cast<int32_t>(width), static_cast<int32_t>(height),
                                       static_cast<int32_t>(stride), options.jpeg, options.jpegQuality);
                        ++(ok ? written : failed);
                    }
                });
                writingMicroseconds +=
                    std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
            };

            auto [first, end] = SlicesNearPlanes(frame, planeY, static_cast<int>(width),
                                                 static_cast<int>(height), half, slices);
            const size_t groupBytes = groupSize * imageBytes;
            const size_t perBatch =
                SlicesPerBatch(sliceBytes, memoryBudget > groupBytes ? memoryBudget - groupBytes : 0);
            const size_t batches = (end - first + perBatch - 1) / perBatch;
            // With every source slice in memory at once, a step's images are final when painted: they are
            // written while the next step is painted.
            const bool writeAsPainted = !options.projection && batches == 1;
            std::future<void> writing;
            for (size_t batch = 0; batch < batches; ++batch) {
                const size_t batchStart = first + batch * perBatch;
                Clock::time_point start = Clock::now();
                const std::vector<DecodedSlice> decoded =
                    ReadSliceBatch(slices, batchStart, std::min(perBatch, end - batchStart));
                result.secondsReading += SecondsSince(start);
                for (size_t step = 0; step < planeY.size(); step += kPlanesPerStep) {
                    const size_t stop = std::min(planeY.size(), step + kPlanesPerStep);
                    start = Clock::now();
                    ResamplePlanes(frame, planeY.data() + step, targets.data() + step, stop - step,
                                   static_cast<int>(width), static_cast<int>(height),
                                   static_cast<int>(stride), half, combine, decoded.data(), decoded.size(),
                                   options.projection ? touched.data() : nullptr);
                    result.secondsResampling += SecondsSince(start);
                    if (writeAsPainted) {
                        if (writing.valid()) writing.get();
                        writing = std::async(std::launch::async, writeImages, step, stop);
                    }
                    if (progress) {
                        const size_t done = batch * planeY.size() + stop;
                        char text[64];
                        std::snprintf(text, sizeof text, "Slice %d of %d : ",
                                      static_cast<int>(firstImage) + static_cast<int>(stop),
                                      options.projection ? count : static_cast<int>(images));
                        progress(static_cast<int>(100 * done / (batches * planeY.size())), text);
                    }
                }
            }
            if (writing.valid()) writing.get();
            if (options.projection) {
                for (int64_t row = 0; row < height; ++row)
                    for (int64_t column = 0; column < width; ++column)
                        if (touched[row * width + column] == 0) group[0][row * stride + column] = background;
                for (int64_t row = 0; row < height; ++row)
                    std::fill(group[0].begin() + row * stride + width, group[0].begin() + (row + 1) * stride,
                              background);
            }
            if (!writeAsPainted) writeImages(0, groupSize);
        }
        result.filesWritten = written;
        result.filesFailed = failed;
        result.secondsWriting = static_cast<double>(writingMicroseconds) / 1e6;
    } catch (const std::bad_alloc&) {
        result.status = ResampleStatus::OutOfMemory;
    }
    if (progress) progress(0, "");
    return result;
}
