#include "scene/StageGrowth.h"

#include <algorithm>
#include <cmath>

int32_t GrowStage(const Scene& scene, int32_t& stageSize) {
    const int plate = std::clamp(scene.state.count, 0, kRecordCount - 1);
    int32_t size = stageSize;
    for (int index = 1; index <= plate; ++index) {
        for (const float coordinate : scene.objects[index].position) {
            const float extent = std::fabs(coordinate);
            if (!(extent > static_cast<float>(size))) continue;  // also skips NaN
            const int32_t grown = extent >= static_cast<float>(kLargestStageSize)
                                      ? kLargestStageSize
                                      : static_cast<int32_t>(extent);
            size = std::max(size, grown);
        }
    }
    stageSize = size;
    return size;
}
