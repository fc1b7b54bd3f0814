#include "scene/StageSliders.h"

#include <algorithm>
#include <cstdio>

#include "scene/MaterialSliders.h"

namespace {

// Values from settings or scene files may lie anywhere in 32 bits: computed in 64 bits, then clamped.
int ClampToSlider(int64_t position) {
    return static_cast<int>(std::clamp<int64_t>(position, 0, kSliderMax));
}

std::string Format(const char* format, int32_t value) {
    char text[32];
    std::snprintf(text, sizeof text, format, value);
    return text;
}

}  // namespace

int ViewAngleSlider(int32_t fieldOfView) {
    return ClampToSlider((static_cast<int64_t>(fieldOfView) - 10) * 100 / 160);
}

int32_t ViewAngleFromSlider(int position) {
    return position * 160 / 100 + 10;
}

int StereoAngleSlider(int32_t stereoAngle) {
    return ClampToSlider(static_cast<int64_t>(stereoAngle) * 5 + 50);
}

int32_t StereoAngleFromSlider(int position) {
    return position / 5 - 10;
}

int FogSlider(int32_t fogIntensity) {
    return ClampToSlider(fogIntensity);
}

std::string ViewAngleText(int32_t fieldOfView) {
    return Format("%d deg", fieldOfView);
}

std::string StereoAngleText(int32_t stereoAngle) {
    return Format("%ddeg", stereoAngle);
}

std::string FogText(int32_t fogIntensity) {
    return PercentText(fogIntensity);
}

int32_t ClampCubeSize(int64_t size) {
    return static_cast<int32_t>(std::clamp<int64_t>(size, 0, kCubeSizeMax));
}
