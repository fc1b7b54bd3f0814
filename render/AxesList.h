#pragma once
// The axes shown on objects: three square shafts with four-sided arrow heads, x reddish, y bluish
// and z greenish. Needs the view's context current.

#include <cstdint>

// Replaces `list` by a new list holding filled polygons and the axes of length `arrowLength`
// (a): shafts 2a/150 thick from 0 to a, each with an arrow base of half-width a/20 at a and a tip
// at 1.1a. No normals are given. Returns the new list, 0 when GL gives none.
uint32_t BuildAxesList(uint32_t list, float arrowLength);
