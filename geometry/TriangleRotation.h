#pragma once
// The two canonical cyclic rotations of a stored triangle. Both keep the winding, hence the facing.

#include <cstdint>

// Larger-first (welded facets): (a, b, c) stays when a > b, else (b, c, a) when b > c, else (c, a, b).
inline void RotateLargerFirst(int64_t* t) {
    int64_t a = t[0], b = t[1], c = t[2];
    if (a > b) return;
    if (b > c) {
        t[0] = b, t[1] = c, t[2] = a;
    } else {
        t[0] = c, t[1] = a, t[2] = b;
    }
}

// Smaller-first (cap triangles): (a, b, c) stays when a < b, else (b, c, a) when b < c, else (c, a, b).
inline void RotateSmallerFirst(int64_t* t) {
    int64_t a = t[0], b = t[1], c = t[2];
    if (a < b) return;
    if (b < c) {
        t[0] = b, t[1] = c, t[2] = a;
    } else {
        t[0] = c, t[1] = a, t[2] = b;
    }
}
