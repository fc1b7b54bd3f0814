#pragma once
// Colour and material of one drawn record: current colour (which colour material turns into the
// ambient and diffuse colours), emission and specular of both faces.

#include <cstdint>

// colour x factor truncated toward zero, kept within 0..255 (NaN gives 0): a diffuse factor above 1,
// which material files allow, brightens to white instead of wrapping round to a dark byte.
uint8_t ScaledColourByte(uint8_t colour, float factor);

// glColor4ub(rgb x diffuse, opacity); emission (rgb x emission / 255, 1); specular (reflection x3, 1).
void ApplyMaterial(const uint8_t (&rgb)[3], float diffuse, float emission, float reflection, uint8_t opacity);
