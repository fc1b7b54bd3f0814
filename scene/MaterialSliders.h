#pragma once
// How the Objects dialog shows an object's material on seven 0..100 sliders and turns slider
// positions back into a material: colour bytes and the opacity byte in steps of 2.55, the three
// lighting coefficients in hundredths, and an optional logarithmic opacity scale that spreads the
// nearly transparent range over most of the slider.

#include <cstdint>
#include <string>

struct SceneObject;

inline constexpr int kSliderMax = 100;
// Above this many facets a change of the "optimized" check warns that the update takes a while.
inline constexpr int64_t kOptimizeHintFacets = 100000;

// Slider positions of one material, each 0..100.
struct MaterialSliders {
    int red = 0;
    int green = 0;
    int blue = 0;
    int emission = 0;
    int diffuse = 0;
    int reflection = 0;
    int opacity = 0;
};

// A material computed from the sliders and not yet given to an object.
struct PendingMaterial {
    uint8_t colour[4] = {0, 0, 0, 0};  // red, green, blue, opacity
    float diffuse = 0.0f;
    float emission = 0.0f;
    float reflection = 0.0f;
};

// Slider of a colour byte: int(byte / 2.55 + 0.5).
int ColourSlider(uint8_t byte);
// Slider of a coefficient: int(coefficient * 100 + 0.5), the product in single precision; clamped to
// 0..100 so that a coefficient loaded from a file beyond 1 still fits the slider.
int CoefficientSlider(float coefficient);
// Slider of the opacity byte. Linear: as a colour byte. Logarithmic: 100 for 255, otherwise the
// truncation of 100 - 10^(2 * (1 - opacity / 255)).
int OpacitySlider(uint8_t opacity, bool logarithmic);

// Colour byte of a slider position: int(slider * 2.55 + 0.5). Positions outside 0..100 are clamped.
uint8_t ColourFromSlider(int slider);
// Coefficient of a slider position: slider * 0.01.
float CoefficientFromSlider(int slider);
// Opacity byte of a slider position. Linear: as a colour byte. Logarithmic: 255 at 100, otherwise
// int((1 - log10(100 - slider) / 2) * 255 + 0.5) (0 -> 0, 50 -> 38, 90 -> 128, 99 -> 255).
uint8_t OpacityFromSlider(int slider, bool logarithmic);

// "%d%%" of a slider position.
std::string PercentText(int slider);
// Text beside the opacity slider. Linear: "%d%%" of the slider. Logarithmic: "%d%%" of
// int(opacity / 2.55 + 0.5) above 75, otherwise "%1.1f%%" of opacity / 2.55 (75 -> "29.4%").
std::string OpacityText(uint8_t opacity, bool logarithmic);

// The sliders showing `object`'s material.
MaterialSliders SlidersFromMaterial(const SceneObject& object, bool logarithmic);
// The material the sliders stand for.
PendingMaterial MaterialFromSliders(const MaterialSliders& sliders, bool logarithmic);

// Whether `facets` exceed `applyButtonLimit` million: above it slider changes of the models' facet
// total wait for "Apply", and surface changes of an object warn that they take a while.
bool ExceedsApplyLimit(int64_t facets, int applyButtonLimit);

// Gives `object` the colour, opacity and three coefficients of `material`.
void CommitMaterial(SceneObject& object, const PendingMaterial& material);
// Copies colour, opacity and the three coefficients of `from` into `to`.
void CopyMaterial(const SceneObject& from, SceneObject& to);
// "Reset all": grey 128 opaque, diffuse 0.8, reflection 0.1, emission 0.1, visible and movable.
void ResetMaterial(SceneObject& object);
