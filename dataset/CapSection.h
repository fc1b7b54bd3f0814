#pragma once
// The CT section on a cap: every texel of a cap texture is a point of the plate's middle plane,
// looked up in the slice that covers it.

#include <cstdint>

#include "dataset/DecodedSlice.h"
#include "navigation/Vector3.h"
#include "scene/CutCap.h"

struct SceneObject;

// The transforms that take a texel of a cap texture into the object's dataset coordinates (column
// offset, stored row offset, slice number), as they were when the cap was cut.
struct CapSectionFrame {
    float platePosition[3];
    float plateScale;
    float plateRotation[9];  // row by row
    float objectPosition[3];
    float objectScale;
    float objectRotation[9];  // row by row
    int32_t minX;
    int32_t minZ;
    int32_t planeHeight;
};

CapSectionFrame MakeCapSectionFrame(const SceneObject& object, const SceneObject& plate,
                                    const CapPlateBounds& bounds);

// Texel (column, row) of the texture, one world unit apart along the plate's x and z from the
// cap's lower bounds, in dataset coordinates: x and y centred on the slice, z the slice number.
Vector3 TexelInDataset(const CapSectionFrame& frame, int column, int row);

// Paints the texels of a `width` x `height` RGB image (row 0 first) that `slices` cover: a slice
// numbered k covers a texel whose dataset z is within step / 2 of k and whose column and row fall
// inside it. Where several cover a texel the last in `slices` (ascending slice number) wins; texels
// no slice covers are left as they are. Runs on all cores.
void PaintCapSection(const CapSectionFrame& frame, int step, const DecodedSlice* slices, size_t count,
                     uint8_t* image, int width, int height);
