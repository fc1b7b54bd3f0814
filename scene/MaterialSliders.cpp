#include "scene/MaterialSliders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "scene/SceneObject.h"

namespace {

constexpr double kByteStep = 2.55;  // one slider step in colour-byte units

int ClampSlider(int slider) {
    return std::clamp(slider, 0, kSliderMax);
}

}  // namespace

int ColourSlider(uint8_t byte) {
    return static_cast<int>(byte / kByteStep + 0.5);
}

int CoefficientSlider(float coefficient) {
    const float percent = coefficient * 100.0f;
    if (!(percent > 0.0f)) return 0;  // also NaN
    if (percent >= static_cast<float>(kSliderMax)) return kSliderMax;
    return static_cast<int>(static_cast<double>(percent) + 0.5);
}

int OpacitySlider(uint8_t opacity, bool logarithmic) {
    if (!logarithmic) return ColourSlider(opacity);
    if (opacity == 255) return kSliderMax;
    return static_cast<int>(100.0 - std::pow(10.0, 2.0 * (1.0 - opacity / 255.0)));
}

uint8_t ColourFromSlider(int slider) {
    return static_cast<uint8_t>(ClampSlider(slider) * kByteStep + 0.5);
}

float CoefficientFromSlider(int slider) {
    return static_cast<float>(slider * 0.01);
}

uint8_t OpacityFromSlider(int slider, bool logarithmic) {
    slider = ClampSlider(slider);
    if (!logarithmic) return ColourFromSlider(slider);
    if (slider == kSliderMax) return 255;
    return static_cast<uint8_t>((1.0 - std::log10(static_cast<double>(kSliderMax - slider)) / 2.0) * 255.0 +
                                0.5);
}

std::string PercentText(int slider) {
    char text[16];
    std::snprintf(text, sizeof text, "%d%%", slider);
    return text;
}

std::string OpacityText(uint8_t opacity, bool logarithmic) {
    if (!logarithmic || opacity > 75) return PercentText(ColourSlider(opacity));
    char text[16];
    std::snprintf(text, sizeof text, "%1.1f%%", opacity / kByteStep);
    return text;
}

MaterialSliders SlidersFromMaterial(const SceneObject& object, bool logarithmic) {
    MaterialSliders sliders;
    sliders.red = ColourSlider(object.colour[0]);
    sliders.green = ColourSlider(object.colour[1]);
    sliders.blue = ColourSlider(object.colour[2]);
    sliders.emission = CoefficientSlider(object.emission);
    sliders.diffuse = CoefficientSlider(object.diffuse);
    sliders.reflection = CoefficientSlider(object.reflection);
    sliders.opacity = OpacitySlider(object.colour[3], logarithmic);
    return sliders;
}

PendingMaterial MaterialFromSliders(const MaterialSliders& sliders, bool logarithmic) {
    PendingMaterial material;
    material.colour[0] = ColourFromSlider(sliders.red);
    material.colour[1] = ColourFromSlider(sliders.green);
    material.colour[2] = ColourFromSlider(sliders.blue);
    material.colour[3] = OpacityFromSlider(sliders.opacity, logarithmic);
    material.diffuse = CoefficientFromSlider(sliders.diffuse);
    material.emission = CoefficientFromSlider(sliders.emission);
    material.reflection = CoefficientFromSlider(sliders.reflection);
    return material;
}

bool ExceedsApplyLimit(int64_t facets, int applyButtonLimit) {
    return facets > static_cast<int64_t>(applyButtonLimit) * 1000000;
}

void CommitMaterial(SceneObject& object, const PendingMaterial& material) {
    std::copy(std::begin(material.colour), std::end(material.colour), object.colour);
    object.diffuse = material.diffuse;
    object.emission = material.emission;
    object.reflection = material.reflection;
}

void CopyMaterial(const SceneObject& from, SceneObject& to) {
    std::copy(std::begin(from.colour), std::end(from.colour), to.colour);
    to.diffuse = from.diffuse;
    to.reflection = from.reflection;
    to.emission = from.emission;
}

void ResetMaterial(SceneObject& object) {
    object.colour[0] = object.colour[1] = object.colour[2] = 128;
    object.colour[3] = 255;
    object.diffuse = 0.8f;
    object.reflection = 0.1f;
    object.emission = 0.1f;
    object.visible = 1;
    object.movable = 1;
}
