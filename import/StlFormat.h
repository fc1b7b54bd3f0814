#pragma once
// Layout of binary .stl files: 80-byte header, int32 triangle count T at 80, then T records of
// 50 bytes: float32 facet normal (unused), three float32 vertices at 12, 24, 36, uint16 attribute.

#include <cstdint>

inline constexpr uint64_t kStlHeaderSize = 84;
inline constexpr uint64_t kStlCountOffset = 80;
inline constexpr uint64_t kStlRecordSize = 50;
inline constexpr uint64_t kStlVerticesOffset = 12;
