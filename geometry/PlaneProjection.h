#pragma once
// Projection of mesh vertices onto the cutting plane's dominant coordinate plane.

#include <cmath>
#include <cstdint>

#include "geometry/CapGeometry.h"

// Maps vertex i of a vertex array (3 floats each) to 2D by dropping the coordinate along the
// normal's dominant axis, ordered so that a contour running counter-clockwise when seen from the
// side the normal points to has a positive area: |a| largest: (y, z), or (z, y) when a < 0; else
// |b| largest: (z, x), or (x, z) when b < 0; else (x, y), or (y, x) when c < 0. Exact: only selects.
class PlaneProjection {
public:
    PlaneProjection(const float* vertices, float a, float b, float c) : vertices_(vertices) {
        if (std::fabs(a) >= std::fabs(b) && std::fabs(a) >= std::fabs(c)) {
            SetAxes(a >= 0 ? 1 : 2, a >= 0 ? 2 : 1);
        } else if (std::fabs(b) >= std::fabs(c)) {
            SetAxes(b >= 0 ? 2 : 0, b >= 0 ? 0 : 2);
        } else {
            SetAxes(c >= 0 ? 0 : 1, c >= 0 ? 1 : 0);
        }
    }

    // The projection of vertex `index`; the index must name a vertex of the array.
    Point2 operator()(int64_t index) const {
        const float* vertex = vertices_ + index * 3;
        return {vertex[uAxis_], vertex[vAxis_]};
    }

private:
    void SetAxes(int u, int v) {
        uAxis_ = u;
        vAxis_ = v;
    }

    const float* vertices_;
    int uAxis_ = 0;
    int vAxis_ = 1;
};
