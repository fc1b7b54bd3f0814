#pragma once
// Triangulation of one cap polygon by ear clipping.

#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

// Appends the triangles of the polygon whose ring is the start vertices of `contour`'s segments.
// Fewer than 3 segments: nothing; 3: one triangle. Otherwise each pass scans tips from where the
// last one ended (first pass: the ring's last vertex) and clips the shorter-diagonal one of the
// first two ears found, or, when no tip is an ear, the tip with the shortest diagonal; the last
// three vertices make the final triangle. A convex tip ABC (X = twice its area) is an ear unless
// X > 1.000001 |W|, W being twice the signed area of the ring clipped to the closed triangle ABC.
// The clipping only looks at ring edges near the triangle (a grid over the ring), which yields the
// same W as clipping every edge. Every index must name a projected vertex; NaN coordinates are safe.
void TriangulateContour(const Contour& contour, const PlaneProjection& projection,
                        std::vector<Triangle>& triangles);
