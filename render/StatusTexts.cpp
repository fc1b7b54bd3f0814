#include "render/StatusTexts.h"

#include <climits>
#include <cmath>
#include <cstdio>

#include "render/DrawOrder.h"

static_assert(sizeof(long) == 8, "the facet text prints a 64-bit sum with %ld");

int TruncateToInt(double value) {
    if (std::isnan(value)) return 0;
    if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
    if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
    return static_cast<int>(value);
}

void FormatPositionText(const Scene& scene, char (&text)[kStatusTextSize]) {
    const float* position = scene.objects[PlateIndexInRange(scene)].position;
    std::snprintf(text, sizeof text, "PositionX:%04d,Y:%04d,Z:%04d", TruncateToInt(position[0]),
                  TruncateToInt(position[1]), TruncateToInt(position[2]));
}

void FormatCameraText(const Scene& scene, char (&text)[kStatusTextSize]) {
    const float* rotation = scene.objects[0].rotation;
    std::snprintf(text, sizeof text, "CameraX:%+1.2f,Y:%+1.2f,Z:%+1.2f", rotation[2], rotation[5],
                  rotation[8]);
}

void FormatModelsText(const Scene& scene, char (&text)[kStatusTextSize]) {
    std::snprintf(text, sizeof text, "%d models, %ld facets", PlateIndexInRange(scene) - 1,
                  static_cast<long>(FacetSum(scene)));
}

int64_t FacetSum(const Scene& scene) {
    int64_t sum = 0;
    const int plate = PlateIndexInRange(scene);
    for (int i = 1; i < plate; ++i) {
        // Saturates instead of overflowing on counts no real mesh reaches (damaged scene data).
        if (__builtin_add_overflow(sum, scene.objects[i].facetCount, &sum)) return INT64_MAX;
    }
    return sum;
}
