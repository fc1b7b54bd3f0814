#pragma once
// The sample specimen, defined by one implicit function so that its surface model and its CT slice
// stack can both be derived from it: a bumpy ellipsoid pierced by a round hole along y.
// Coordinates are those of the CT stack the specimen stands for, in voxels: x runs along the slice
// columns and y along the slice rows (both centred on the slice), z is the slice number. The stack
// is kSpecimenSliceSize x kSpecimenSliceSize pixels and kSpecimenSliceCount slices.
// A point is inside the specimen where SpecimenField is negative.

#include <algorithm>
#include <cmath>

inline constexpr int kSpecimenSliceSize = 256;
inline constexpr int kSpecimenSliceCount = 256;

inline constexpr float kSpecimenCentreZ = 128.0f;
inline constexpr float kSpecimenSemiAxes[3] = {90.0f, 70.0f, 100.0f};
inline constexpr float kSpecimenHoleRadius = 22.0f;
inline constexpr float kSpecimenBumpHeight = 0.12f;  // in units of the ellipsoid's normalised radius
inline constexpr float kSpecimenBumpWavelength = 48.0f;

// Half extents of a box around the centre (0, 0, kSpecimenCentreZ) that holds every inside point:
// bumps reach at most sqrt(1 + kSpecimenBumpHeight) times the semi-axes.
inline constexpr float kSpecimenReach = 1.06f;

// One axis' bump wave, sin(2 pi c / wavelength), for a coordinate c relative to the centre.
inline float SpecimenWave(float c) {
    return std::sin(c * (6.28318530718f / kSpecimenBumpWavelength));
}

// The field from coordinates relative to the centre and their waves, so that a grid evaluator can
// tabulate the waves per axis instead of calling sin for every point.
inline float SpecimenFieldFromWaves(float dx, float dy, float dz, float waveX, float waveY, float waveZ) {
    const float ex = dx / kSpecimenSemiAxes[0];
    const float ey = dy / kSpecimenSemiAxes[1];
    const float ez = dz / kSpecimenSemiAxes[2];
    const float body = ex * ex + ey * ey + ez * ez - 1.0f + kSpecimenBumpHeight * waveX * waveY * waveZ;
    // Positive inside the cylinder of the hole, which runs along y through the whole body.
    const float hole = 1.0f - (dx * dx + dz * dz) / (kSpecimenHoleRadius * kSpecimenHoleRadius);
    return std::max(body, hole);
}

// The specimen's field at stack coordinates (x, y, z): negative inside, positive outside.
inline float SpecimenField(float x, float y, float z) {
    const float dz = z - kSpecimenCentreZ;
    return SpecimenFieldFromWaves(x, y, dz, SpecimenWave(x), SpecimenWave(y), SpecimenWave(dz));
}
