#pragma once
// Scale ticks of a record's bounding box: where they go along each edge and the label that names
// their spacing in the dataset's length unit.

#include <cstddef>
#include <string>

#include "scene/SceneObject.h"

// How the ticks of one box are drawn.
struct BoxTickPlan {
    bool draw = false;     // false: the box has no ticks and no label
    float spacing = 0.0f;  // distance between ticks in model units; positive and finite when drawn
    float tickLength = 0.0f;
    std::string label;  // ">%d %s<": the tick distance and its unit text
};

// Decimal order of the tick distance for a voxel size: the integer part (toward zero) of
// log10(pixelSize) + 1.5. Only meaningful for positive, finite sizes.
int TickExponent(float pixelSize);

// Unit text of a record's `unit` code: 2 "mm", 3 "inch", 4 "m", anything else "um".
const char* UnitText(int32_t unit);

// Ticks of `record`'s box: none without a positive, finite `pixelSize`, for an .stl model with a
// unit code, or when the tick distance truncates to 0 or the spacing is not a positive finite
// number. Otherwise n = 10^|k| in single precision (inverted for negative k) truncated, spacing
// n / pixelSize; a unit code gives 100 and 100 instead; both scaled by `tickFactor`.
BoxTickPlan PlanBoxTicks(const SceneObject& record);

// Most ticks placed along one edge; a finer spacing is cut off there.
inline constexpr size_t kMaxTicksPerEdge = 10000;

// True for a number above 0 that is neither infinite nor NaN.
bool PositiveFinite(float value);

// Calls `tick` for the positions strictly inside from..to, stepping by `spacing` from `from`
// upward by repeated addition. Stops when a step makes no progress (huge coordinates) or after
// kMaxTicksPerEdge ticks, so it always ends; nothing for a spacing that is not positive and finite.
template <typename Tick>
void ForEachTickUpward(float from, float to, float spacing, Tick&& tick) {
    if (!PositiveFinite(spacing)) return;
    size_t placed = 0;
    for (float x = from + spacing; x < to && placed < kMaxTicksPerEdge; ++placed) {
        tick(x);
        const float next = x + spacing;
        if (!(next > x)) break;
        x = next;
    }
}

// The same stepping down from `to`, for positions strictly inside from..to.
template <typename Tick>
void ForEachTickDownward(float from, float to, float spacing, Tick&& tick) {
    if (!PositiveFinite(spacing)) return;
    size_t placed = 0;
    for (float x = to - spacing; x > from && placed < kMaxTicksPerEdge; ++placed) {
        tick(x);
        const float next = x - spacing;
        if (!(next < x)) break;
        x = next;
    }
}
