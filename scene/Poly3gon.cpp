#include "scene/Poly3gon.h"

#include <algorithm>
#include <cstddef>
#include <new>
#include <utility>

namespace {

// Zeroed array of count*3 elements, or null for a count of 0. Throws std::bad_alloc when
// count*3 overflows or the memory is not there.
template <typename T>
T* AllocateTriples(uint64_t count) {
    if (count == 0) return nullptr;
    if (count > SIZE_MAX / (3 * sizeof(T))) throw std::bad_alloc();
    return new T[static_cast<size_t>(count) * 3]();
}

}  // namespace

Poly3gon::Poly3gon() = default;

Poly3gon::Poly3gon(uint64_t vertexCount, uint64_t facetCount) {
    vertices = AllocateTriples<float>(vertexCount);
    try {
        facets = AllocateTriples<int64_t>(facetCount);
    } catch (...) {
        delete[] vertices;
        throw;
    }
    this->vertexCount = vertexCount;
    this->facetCount = facetCount;
}

Poly3gon::Poly3gon(const Poly3gon& other) : Poly3gon(other.vertexCount, other.facetCount) {
    std::copy_n(other.vertices, vertexCount * 3, vertices);
    std::copy_n(other.facets, facetCount * 3, facets);
}

Poly3gon::Poly3gon(Poly3gon&& other) noexcept
    : vertexCount(std::exchange(other.vertexCount, 0)),
      facetCount(std::exchange(other.facetCount, 0)),
      vertices(std::exchange(other.vertices, nullptr)),
      facets(std::exchange(other.facets, nullptr)) {}

Poly3gon& Poly3gon::operator=(const Poly3gon& other) {
    if (this != &other) *this = Poly3gon(other);
    return *this;
}

Poly3gon& Poly3gon::operator=(Poly3gon&& other) noexcept {
    if (this != &other) {
        std::swap(vertexCount, other.vertexCount);
        std::swap(facetCount, other.facetCount);
        std::swap(vertices, other.vertices);
        std::swap(facets, other.facets);
    }
    return *this;
}

Poly3gon::~Poly3gon() {
    delete[] vertices;
    delete[] facets;
}
