#pragma once
// How a surface is cut into display lists and when the build reports progress: pure arithmetic, so
// the split of a huge mesh can be checked without building one.

#include <cstdint>
#include <vector>

// Facets compiled into one display list at most; keeps single lists within what drivers accept.
inline constexpr uint64_t kFacetsPerList = 10000000;

// Lists needed for `facetCount` facets: (count - 1) / kFacetsPerList + 1, so an empty mesh gets one.
int32_t SurfaceListCount(uint64_t facetCount);

// The facet at which the build shows `percent` (1..99) of `facetCount` facets: the first facet i with
// i * 100 / facetCount >= percent. A mesh of 100 facets or fewer shows no progress: then, and for any
// percent outside 1..99, the result is UINT64_MAX (no facet). Progress is thus shown at most 99 times.
uint64_t ProgressFacet(int percent, uint64_t facetCount);

// Facets a chunk holds at least, but the last of a list: a list of fewer than twice as many facets
// compiles in one piece.
inline constexpr uint64_t kMinFacetsPerChunk = 32768;
// Facets a chunk holds at most, so that the corners handed over for one stay small.
inline constexpr uint64_t kMaxFacetsPerChunk = 262144;

// Where the list of facets first .. last - 1 (of a mesh of `facetCount`) is cut into chunks, each
// compiled on its own, two at a time: at progress facets, so that progress can be shown as chunks
// finish, each chunk at least kMinFacetsPerChunk long but the last; chunks longer than
// kMaxFacetsPerChunk are then cut into equal parts. Returns first, the cuts, last.
std::vector<uint64_t> ChunkBounds(uint64_t first, uint64_t last, uint64_t facetCount);
