#pragma once
// The colour cube: the inside of the stage painted in shades of one colour, slightly lighter on the
// top and with a warm and a cool side. Needs the view's context current.

#include <cstdint>

// Replaces `list` by a new list holding the cube of half-size `stageSize` in shades of `cubeColor`
// (0x00BBGGRR): filled polygons, no specular or emission, and one quad batch without normals, so
// the faces take the current normal's lighting. Returns the new list, 0 when GL gives none.
uint32_t BuildColourCubeList(uint32_t list, int32_t stageSize, uint32_t cubeColor);
