#pragma once
// The three status-bar texts the view writes after each frame, formatted into fixed buffers so a
// paint allocates nothing.

#include <cstddef>
#include <cstdint>

#include "scene/Scene.h"

inline constexpr size_t kStatusTextSize = 160;  // room for three full-range floats; longer texts are cut

// Status pane numbers of the three texts.
inline constexpr int kPositionPane = 1;
inline constexpr int kCameraPane = 2;
inline constexpr int kModelsPane = 3;

// Truncates toward zero like a C cast, but NaN gives 0 and values beyond the int range saturate.
int TruncateToInt(double value);

// Pane 1: "PositionX:%04d,Y:%04d,Z:%04d" with the plate record's position, each truncated.
void FormatPositionText(const Scene& scene, char (&text)[kStatusTextSize]);
// Pane 2: "CameraX:%+1.2f,Y:%+1.2f,Z:%+1.2f" with elements 2, 5 and 8 of the camera record's rotation.
void FormatCameraText(const Scene& scene, char (&text)[kStatusTextSize]);
// Pane 3: "%d models, %ld facets" with count-1 and FacetSum.
void FormatModelsText(const Scene& scene, char (&text)[kStatusTextSize]);
// Sum of the facet counts of the models 1..count-1, in 64 bits: large models overflow 32 bits.
int64_t FacetSum(const Scene& scene);
