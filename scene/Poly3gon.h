#pragma once
// Triangle mesh of one scene object: flat vertex and facet arrays with explicit counts.

#include <cstdint>

class Poly3gon {
public:
    // Empty mesh: both counts 0, no arrays.
    Poly3gon();
    // Allocates vertexCount*3 floats and facetCount*3 indices, all zeroed; a count of 0 allocates
    // nothing. Throws std::bad_alloc when the arrays do not fit (callers catch it and refuse).
    Poly3gon(uint64_t vertexCount, uint64_t facetCount);
    // Deep copy; throws std::bad_alloc like the sizing constructor.
    Poly3gon(const Poly3gon& other);
    // Takes the arrays; `other` is left empty.
    Poly3gon(Poly3gon&& other) noexcept;
    // Deep copy; on std::bad_alloc this mesh keeps its old contents.
    Poly3gon& operator=(const Poly3gon& other);
    Poly3gon& operator=(Poly3gon&& other) noexcept;
    virtual ~Poly3gon();

    uint64_t vertexCount = 0;
    uint64_t facetCount = 0;
    float* vertices = nullptr;  // x, y, z per vertex
    int64_t* facets = nullptr;  // three corner indices into the vertices per facet; the order sets the facing
};
