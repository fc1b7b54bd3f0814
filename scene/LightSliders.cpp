#include "scene/LightSliders.h"

#include "scene/MaterialSliders.h"
#include "scene/SceneObject.h"

namespace {

constexpr int kColourSlots = 3;

// Truncation toward zero of a product that may lie beyond the slider or be NaN; the slider shows such
// a value at its nearer end.
int TruncateToSlider(float product) {
    if (!(product > 0.0f)) return 0;
    if (product >= static_cast<float>(kSliderMax)) return kSliderMax;
    return static_cast<int>(product);
}

}  // namespace

int LightColourSlider(float value) {
    return TruncateToSlider(value * 100.0f);
}

int LightDirectionSlider(float value) {
    return TruncateToSlider(value * 50.0f + 50.0f);
}

float LightColourFromSlider(int position) {
    return static_cast<float>(position) / 100.0f;
}

float LightDirectionFromSlider(int position) {
    return static_cast<float>(position - 50) / 50.0f;
}

LightSliderPositions LightSliders(const SceneState& state) {
    LightSliderPositions positions{};
    for (int i = 0; i < kColourSlots; ++i) {
        positions[i] = LightColourSlider(state.lightColour[i]);
        positions[kColourSlots + i] = LightDirectionSlider(state.lightPosition[i]);
    }
    return positions;
}

void StoreLightSliders(const LightSliderPositions& positions, SceneState& state) {
    for (int i = 0; i < kColourSlots; ++i) {
        state.lightColour[i] = LightColourFromSlider(positions[i]);
        state.lightPosition[i] = LightDirectionFromSlider(positions[kColourSlots + i]);
    }
}

std::string LightSliderText(int slot, int position) {
    return PercentText(slot < kColourSlots ? position : 2 * position - 100);
}
