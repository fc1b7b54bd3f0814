#pragma once
// Plain data shared by the steps that turn the segments of a cut into cap triangles.

#include <cstdint>
#include <vector>

// A directed segment between two vertex indices of the cut mesh.
struct Segment {
    int64_t from;
    int64_t to;
    bool operator==(const Segment&) const = default;
};

// A closed contour: segments in order, each ending where the next starts. `key` is the rounded
// 256-fold signed area once classified (positive: outer contour, negative: hole).
struct Contour {
    std::vector<Segment> segments;
    int64_t key = 0;
    bool operator==(const Contour&) const = default;
};

// A vertex projected onto the cutting plane.
struct Point2 {
    float u;
    float v;
};

// Three vertex indices in winding order.
struct Triangle {
    int64_t a;
    int64_t b;
    int64_t c;
    bool operator==(const Triangle&) const = default;
};
