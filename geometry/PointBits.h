#pragma once
// The bits by which welding and cutting tell points apart under exact float equality, and their hash.

#include <cstdint>

// Canonical bits of a point's raw coordinate bits, -0 folded onto 0. Returns false when a coordinate
// is NaN (such a point equals nothing, not even itself); `bits` is written either way.
inline bool CanonicalPointBits(const uint32_t* raw, uint32_t* bits) {
    bool ordered = true;
    for (int axis = 0; axis < 3; ++axis) {
        ordered &= (raw[axis] & 0x7FFFFFFFu) <= 0x7F800000u;
        bits[axis] = (raw[axis] << 1) == 0 ? 0 : raw[axis];
    }
    return ordered;
}

// A hash of canonical bits whose every bit depends on all of them.
inline uint64_t PointHash(const uint32_t* bits) {
    uint64_t h = (static_cast<uint64_t>(bits[0]) << 32 | bits[1]) * 0x9E3779B97F4A7C15ull;
    h ^= (bits[2] + 0x632BE59BD9B4E019ull) * 0xC2B2AE3D27D4EB4Full;
    h ^= h >> 31;
    h *= 0x94D049BB133111EBull;
    return h ^ (h >> 29);
}
