#include "scene/BoxTicks.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Above this the tick distance no longer fits an int.
constexpr float kLargestTickDistance = 2147483648.0f;

}  // namespace

bool PositiveFinite(float value) {
    return value > 0.0f && std::isfinite(value);
}

int TickExponent(float pixelSize) {
    return static_cast<int>(std::log10(static_cast<double>(pixelSize)) + 1.5);
}

const char* UnitText(int32_t unit) {
    switch (unit) {
        case 2:
            return "mm";
        case 3:
            return "inch";
        case 4:
            return "m";
        default:
            return "um";
    }
}

BoxTickPlan PlanBoxTicks(const SceneObject& record) {
    BoxTickPlan plan;
    if (!PositiveFinite(record.pixelSize)) return plan;
    if (record.fileType == 2 && record.unit != 0) return plan;

    const int k = TickExponent(record.pixelSize);
    float power = std::pow(10.0f, static_cast<float>(std::abs(k)));
    if (k < 0) power = 1.0f / power;
    if (!(power < kLargestTickDistance)) return plan;
    int32_t distance = static_cast<int32_t>(power);
    float spacing = static_cast<float>(distance) / record.pixelSize;
    if (record.unit != 0) {
        spacing = 100.0f;
        distance = 100;
    }
    // Below a voxel size of about 0.0032 the distance truncates to 0: no ticks rather than a
    // spacing of 0 that would never leave the box.
    if (distance == 0) return plan;

    const long long value = static_cast<long long>(distance) * record.tickFactor;
    spacing *= static_cast<float>(record.tickFactor);
    if (!PositiveFinite(spacing)) return plan;

    char label[64];
    std::snprintf(label, sizeof label, ">%lld %s<", value, UnitText(record.unit));
    plan.draw = true;
    plan.spacing = spacing;
    plan.tickLength = static_cast<float>(record.tickFactor) * 2.0f;
    plan.label = label;
    return plan;
}
