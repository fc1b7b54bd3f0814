#include "import/StageSize.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double kLargestExtent = kLargestStageSize / 4;

// The larger of `extent` and the absolute values of both coordinates, capped; NaN never wins.
double Widen(double extent, float a, float b) {
    for (float coordinate : {a, b}) {
        const double magnitude = std::fabs(double{coordinate});
        if (magnitude > extent) extent = magnitude;  // false for NaN
    }
    return std::min(extent, kLargestExtent);
}

}  // namespace

int AdaptStageSize(int stageSize, bool firstModel, const float boxMin[3], const float boxMax[3],
                   StageRounding rounding) {
    double extent = firstModel ? 1.0 : stageSize / 4 + 1;
    extent = std::trunc(Widen(extent, boxMax[0], boxMin[0]));
    extent = std::trunc(Widen(extent, boxMax[1], boxMin[1]));
    extent = Widen(extent, boxMax[2], boxMin[2]);
    // Single precision like the stored box, so that the product rounds as the original does.
    const float largest = static_cast<float>(extent);
    const float size = rounding == StageRounding::kTruncateThenTimesFour ? std::trunc(largest) * 4.0f
                                                                         : std::trunc(largest * 4.0f);
    return static_cast<int>(size);
}
