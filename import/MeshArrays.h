#pragma once
// Uninitialised mesh arrays for readers that write every element themselves.
// Fresh memory costs a page fault per 4 KiB page, which dominates reading a large model; large
// arrays therefore ask the kernel for transparent huge pages before their first touch.

#include <cstddef>
#include <cstdint>

class Poly3gon;

// Asks for transparent huge pages on the whole 2 MiB pages inside [begin, begin + bytes): before the
// first touch of fresh memory, its faults take them (compacting memory first when none is free); on
// memory already written, the kernel gathers them in the background. Only advice: the kernel may ignore
// it, and the memory works either way.
void AdviseHugePages(void* begin, size_t bytes);

// Array of `count` elements allocated with new[] (so owners release it with delete[]), contents
// undefined; null when the size overflows or the memory is not there.
float* NewLargeFloatArray(uint64_t count);
int64_t* NewLargeIndexArray(uint64_t count);

// Gives the empty `mesh` arrays for `vertexCount` vertices and `facetCount` facets (3 elements each,
// none for a count of 0) with undefined contents, and sets its counts. False when the memory is not
// there; `mesh` then stays empty.
bool AllocateMeshArrays(Poly3gon& mesh, uint64_t vertexCount, uint64_t facetCount);

// Numbers the facets of a triangle soup whose triangle k owns vertices 3k, 3k+1, 3k+2: for k in
// [first, first + count) facet slot facetCount-1-k gets the corners (3k, 3k+1, 3k+2), so the facet
// array fills from its end. The range must lie inside the mesh's facets.
void NumberSoupFacets(Poly3gon& mesh, uint64_t first, uint64_t count);
