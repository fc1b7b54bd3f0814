#pragma once
// Layout of .p3g files: an indexed triangle mesh with shared vertices.
//   0: int32 version (1000 or 1001), 4: int32 vertex count V, 8: int32 facet count F,
//   12: V vertices of 3 float32, then F facets of 3 indices: uint16 when V <= 65536, else int32.

#include <cstdint>

inline constexpr int32_t kP3gFirstVersion = 1000;
inline constexpr int32_t kP3gVersion = 1001;  // what the writer produces; both versions read alike
inline constexpr uint64_t kP3gHeaderSize = 12;
inline constexpr uint64_t kP3gShortIndexVertexLimit = 65536;

// Bytes per facet index for a mesh of `vertexCount` vertices.
inline constexpr uint64_t P3gIndexWidth(uint64_t vertexCount) {
    return vertexCount <= kP3gShortIndexVertexLimit ? 2 : 4;
}
