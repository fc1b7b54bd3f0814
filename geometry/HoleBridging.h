#pragma once
// Bridging holes into the outer contours that contain them.

#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

// Sorts `outers` by key (merge sort: an equal key of the later half goes first), then merges each
// hole, in order, into the first outer contour that is larger (key sum positive) and whose signed
// squared distance to the hole's test point (start of its last segment) is not positive. That
// distance is the one of the contour's nearest feature, the first in segment order of the smallest
// value among each segment's start vertex (squared distance in single precision) and the segment
// itself (X*|X|/|e|^2 in double, X the cross product of the segment and the point, when the point
// projects onto it); a nearest vertex where the contour turns right negates it. The outer contour
// and the hole are rotated to begin at the closest pair of segment starts (squared distance in
// single precision, the first pair in outer-then-hole order on ties), joined by a bridge there
// unless they are one vertex, and the hole's segments are appended. Holes without such a contour
// stay in `holes`, in their order. Every index must name a projected vertex.
// The nearest features and vertices are found through bounding-box trees over each contour's
// segments, and segment order through order labels, with the same results as scanning.
void BridgeHoles(std::vector<Contour>& outers, std::vector<Contour>& holes,
                 const PlaneProjection& projection);

// The merge sort of the outer contours by key, with its tie order.
void SortContoursByKey(std::vector<Contour>& contours);
