#pragma once
// The chain of cut caps of an object.

#include <cstdint>

struct CutCap;

// Walks to the last cap of the chain starting at `first` (which must exist); when that cap already
// has a triangle array, appends a new cap after it. Stores `triangles` (count*3 indices, new[]
// allocated, ownership passes) and `count` in the last cap and returns it. A cap whose triangles a
// later cut removed keeps an empty array, so it is never reused for a new cut's triangles.
CutCap* AppendCap(CutCap* first, int64_t* triangles, int64_t count);
