#pragma once
// Cutting a model's CT dataset again along the plate: a new stack of slices parallel to the plate,
// or one maximum- or minimum-intensity projection through a slab around it.

#include <cstddef>
#include <functional>
#include <string>

#include "dataset/SliceBatches.h"

struct SceneObject;

struct ResampleOptions {
    bool projection = false;  // false: one slice per plane; true: one projection image of all planes
    std::string prefix;       // output names: prefix + 4-digit plane offset (or "_mip") + extension
    bool jpeg = false;
    int jpegQuality = 100;
    int background = 1;  // position in the colour list: 0 pixel value 0, otherwise 255
    int count = 1;       // planes
    int spacing = 1;     // plate units between planes (1 for projections)
};

enum class ResampleStatus {
    Done,          // see the counts for files that could not be written
    Incompatible,  // the dataset's own slice cannot be read
    NoImage,       // the plate's scaled extent is less than a pixel
    NegativeCount,
    OutOfMemory,
};

struct ResampleResult {
    ResampleStatus status = ResampleStatus::Done;
    int filesWritten = 0;
    int filesFailed = 0;
    double secondsReading = 0;
    double secondsResampling = 0;
    double secondsWriting = 0;
};

// Percent done (1..100) and the text to show beside it; called on the calling thread.
using ResampleProgress = std::function<void(int percent, const std::string& text)>;

// Samples the dataset of `object` on `options.count` planes parallel to `plate`, `spacing` apart and
// centred on it, over the plate's scaled x-z extent (one pixel per world unit), by nearest slice
// without interpolation, and writes the images with the palette, resolution and trailer of the
// dataset. Every source slice near the planes is read once, on all cores, as many at a time as
// `memoryBudget` bytes hold; existing output files are replaced.
ResampleResult ResampleDataset(const SceneObject& object, const SceneObject& plate,
                               const ResampleOptions& options, const ResampleProgress& progress,
                               size_t memoryBudget = SliceMemoryBudget());
