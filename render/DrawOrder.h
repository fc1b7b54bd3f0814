#pragma once
// Decisions of the frame pass that need no GL: the order in which records are drawn so that
// transparency works, and which transparency path a frame takes.

#include <cstdint>

#include "scene/Scene.h"

// The plate's record index, kept inside the record table even when `count` is damaged (1..127).
int PlateIndexInRange(const Scene& scene);

// Fills drawOrder with 0..127, then reorders positions 1..count by the swap procedure of the frame
// pass: each non-opaque record at positions 1..count-1 is swapped with every later record of higher
// opacity, stopping once an opaque record lands there. Opaque records come first, the rest by
// decreasing opacity; records of equal opacity are not guaranteed to keep their order.
void SortByOpacity(const Scene& scene, uint8_t (&drawOrder)[kRecordCount]);

// Transparency path of a frame: -1 when no visible record among 0..count (the plate included) has
// an opacity below 255; otherwise 1 while the mouse moves something (one blended pass) and 0 when
// not (two blended passes).
int TransparencyMode(const Scene& scene, int moving);
