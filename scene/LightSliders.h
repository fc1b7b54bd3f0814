#pragma once
// How the Light dialog shows the scene's light on six 0..100 sliders: the colour components in
// hundredths (0..1), the direction components in fiftieths around the middle (-1..+1). Positions come
// from values by truncation toward zero, values from positions in single precision, so a value between
// two steps snaps down to a step at the next movement of any slider.

#include <array>
#include <string>

struct SceneState;

// Slider order: red, green, blue, then direction x, y, z.
inline constexpr int kLightSliderCount = 6;
using LightSliderPositions = std::array<int, kLightSliderCount>;

// Slider of a colour component: int(value * 100), clamped to 0..100 (NaN gives 0).
int LightColourSlider(float value);
// Slider of a direction component: int(value * 50 + 50), clamped to 0..100 (NaN gives 0).
int LightDirectionSlider(float value);
// Colour component of a slider position: position / 100.
float LightColourFromSlider(int position);
// Direction component of a slider position: (position - 50) / 50.
float LightDirectionFromSlider(int position);

// The six slider positions showing the header's light.
LightSliderPositions LightSliders(const SceneState& state);
// Stores the six values the sliders stand for in the header; the fourth components (colour alpha,
// position w) stay as they are.
void StoreLightSliders(const LightSliderPositions& positions, SceneState& state);
// Text of the edit beside slider `slot` (0..5): "%d%%" of the position for a colour, of
// 2 * position - 100 for a direction.
std::string LightSliderText(int slot, int position);
