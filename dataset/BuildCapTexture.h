#pragma once
// Painting a cap with the section of its object's CT dataset.

#include <cstddef>

#include "dataset/SliceBatches.h"
#include "scene/CutCap.h"

class MessageBoxes;
class Scene;

// Paints `cap`, the last cap of model record `index` whose plate-coordinate bounds are `bounds`,
// with the CT data of the record's dataset on the plate's middle plane: one texel per world unit
// along the plate's x and z, texels no slice covers in the cap's fill colour. Returns true when the
// cap got an image (`pixels`, `textureWidth`, `textureHeight`) to upload. Without a dataset the cap
// keeps what it has; a dataset whose named slice cannot be read, an image larger than `maxSide`
// texels a side or one that does not fit in memory is reported through `messages` and leaves the
// cap without image. Each slice near the plane is read once, on all cores, as many at a time as
// `memoryBudget` bytes hold.
bool BuildCapTexture(const Scene& scene, int index, CutCap& cap, const CapPlateBounds& bounds, int maxSide,
                     MessageBoxes& messages, size_t memoryBudget = SliceMemoryBudget());
