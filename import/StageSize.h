#pragma once
// Growing the stage cube so that a newly loaded model fits inside it ("AdaptiveCube").

#include "scene/StageGrowth.h"

// How the last step rounds: the Load Object command truncates the largest extent before
// multiplying by 4, a hand-off multiplies first (a box reaching 10.7 gives 40 and 42).
enum class StageRounding { kTruncateThenTimesFour, kTimesFourThenTruncate };

// New stage size for a model whose record box is `boxMin`..`boxMax` (3 floats each), given the
// current `stageSize` and whether it is the scene's first model: the largest of (1 for the first
// model, else stageSize / 4 + 1) and the absolute box coordinates, x and y steps truncated, times 4.
// NaN coordinates are ignored and the result is capped at kLargestStageSize, so any box is safe.
int AdaptStageSize(int stageSize, bool firstModel, const float boxMin[3], const float boxMax[3],
                   StageRounding rounding);
