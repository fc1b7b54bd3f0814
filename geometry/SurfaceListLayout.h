#pragma once
// How a surface is cut into display lists and when the build reports progress: pure arithmetic, so
// the split of a huge mesh can be checked without building one.

#include <cstdint>

// Facets compiled into one display list at most; keeps single lists within what drivers accept.
inline constexpr uint64_t kFacetsPerList = 10000000;

// Lists needed for `facetCount` facets: (count - 1) / kFacetsPerList + 1, so an empty mesh gets one.
int32_t SurfaceListCount(uint64_t facetCount);

// The facet at which the build shows `percent` (1..99) of `facetCount` facets: the first facet i with
// i * 100 / facetCount >= percent. A mesh of 100 facets or fewer shows no progress: then, and for any
// percent outside 1..99, the result is UINT64_MAX (no facet). Progress is thus shown at most 99 times.
uint64_t ProgressFacet(int percent, uint64_t facetCount);
