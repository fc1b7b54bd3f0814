#pragma once
// Growing the stage cube so that every record's position lies inside it, before a cube is built.

#include <cstdint>

#include "scene/Scene.h"

inline constexpr int kLargestStageSize = 1 << 30;

// For records 1..count (the plate included) and each of x, y, z of their `position`: the stage
// grows to the absolute coordinate, truncated to an integer. NaN coordinates are skipped and the
// result never exceeds kLargestStageSize, so any record is safe. Stores the result in `stageSize`
// and returns it; a stage larger than every coordinate is left as it is.
int32_t GrowStage(const Scene& scene, int32_t& stageSize);
