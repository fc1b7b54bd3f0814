#include "render/DrawOrder.h"

#include <algorithm>
#include <utility>

namespace {

uint8_t Opacity(const Scene& scene, uint8_t index) {
    return scene.objects[index].colour[3];
}

}  // namespace

int PlateIndexInRange(const Scene& scene) {
    return std::clamp(scene.state.count, 1, kRecordCount - 1);
}

void SortByOpacity(const Scene& scene, uint8_t (&drawOrder)[kRecordCount]) {
    for (int i = 0; i < kRecordCount; ++i)
        drawOrder[i] = static_cast<uint8_t>(i);
    const int plate = PlateIndexInRange(scene);
    for (int i = 1; i < plate; ++i) {
        if (Opacity(scene, drawOrder[i]) == 255) continue;
        for (int j = i + 1; j <= plate; ++j) {
            if (Opacity(scene, drawOrder[i]) < Opacity(scene, drawOrder[j])) {
                std::swap(drawOrder[i], drawOrder[j]);
            }
            if (Opacity(scene, drawOrder[i]) == 255) break;
        }
    }
}

int TransparencyMode(const Scene& scene, int moving) {
    const int plate = PlateIndexInRange(scene);
    for (int i = 0; i <= plate; ++i) {
        const SceneObject& record = scene.objects[i];
        if (record.visible != 0 && record.colour[3] < 255) return moving != 0 ? 1 : 0;
    }
    return -1;
}
