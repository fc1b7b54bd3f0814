#pragma once
// How the Stage dialog shows the viewing angle, the stereo angle and the fog intensity on three 0..100
// sliders, the texts beside them, and the range of the cube size. Integer arithmetic with divisions
// truncating toward zero, so every movement of any slider recomputes all three values from their
// positions (a viewing angle of 70 shows at 37 and comes back as 69).

#include <cstdint>
#include <string>

inline constexpr int kCubeSizeMax = 50000;

// Viewing-angle slider: (fieldOfView - 10) * 100 / 160, clamped to 0..100.
int ViewAngleSlider(int32_t fieldOfView);
// Viewing angle of a slider position: position * 160 / 100 + 10 (10..170).
int32_t ViewAngleFromSlider(int position);
// Stereo-angle slider: stereoAngle * 5 + 50, clamped to 0..100.
int StereoAngleSlider(int32_t stereoAngle);
// Stereo angle of a slider position: position / 5 - 10 (-10..+10; 50..54 all give 0).
int32_t StereoAngleFromSlider(int position);
// Fog slider: the intensity itself, clamped to 0..100.
int FogSlider(int32_t fogIntensity);

// "%d deg" of the viewing angle.
std::string ViewAngleText(int32_t fieldOfView);
// "%ddeg" of the stereo angle.
std::string StereoAngleText(int32_t stereoAngle);
// "%d%%" of the fog intensity.
std::string FogText(int32_t fogIntensity);

// The cube size kept within 0..50000.
int32_t ClampCubeSize(int64_t size);
