#pragma once
// Sampling a dataset on planes parallel to the plate: every pixel of an output image is a point of
// the plate's frame, looked up in the slices that accept it.

#include <cstddef>
#include <cstdint>

#include "dataset/DecodedSlice.h"

struct SceneObject;

// Where output pixels lie in a source object's dataset: the plate's and the object's transforms and
// the plate's extent, as the command found them.
struct ResampleFrame {
    float plateRotation[9];  // row by row
    float platePosition[3];
    float plateScale;
    float boxMinX;
    float boxMaxZ;
    float objectRotation[9];  // row by row
    float objectScale;
    float offset[3];  // object position minus centre
};

ResampleFrame MakeResampleFrame(const SceneObject& object, const SceneObject& plate);

// Dataset point of output pixel (column, row) on the plane at plate height `planeY` (scaled): x and y
// centred on the slices, z the slice number that would match exactly. Row 0 is the plate's far z end.
struct DatasetPoint {
    float u;
    float v;
    float w;
};
DatasetPoint PixelInDataset(const ResampleFrame& frame, float planeY, int column, int row);

// Height of output plane `index` of `count`, `spacing` apart and centred on the plate.
float ResamplePlaneY(const ResampleFrame& frame, int index, int count, int spacing);

// How output images combine the slices that accept a pixel: a slice numbered s accepts a point
// whose w - s lies within [-half - 1, half + 1] and whose u, v fall inside it.
enum class ResampleCombine {
    Last,     // the last accepting slice in ascending order gives the value
    Maximum,  // projections: the largest (or smallest) of all accepted values
    Minimum,
};

// Samples `slices` (ascending numbers) into `planes` output images of `width` x `height` pixels,
// rows `stride` apart; image i lies on plate height `planeY[i]`. Pixels no slice accepts keep their
// value; `touched`, when given, marks (with 1) the pixels of a single image that some slice accepted
// on any plane. Runs on all cores.
void ResamplePlanes(const ResampleFrame& frame, const float* planeY, uint8_t* const* images, size_t planes,
                    int width, int height, int stride, int half, ResampleCombine combine,
                    const DecodedSlice* slices, size_t count, uint8_t* touched);
