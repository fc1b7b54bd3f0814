#pragma once
// Closing what the cap of a cut leaves open.

#include <cstdint>
#include <functional>
#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

// Triangles (three vertex indices each) that remain on the kept side of a cut.
struct TriangleSpan {
    const int64_t* corners;
    uint64_t count;
};

// Mends the cap of a cut so that a closed, consistently oriented mesh stays so: afterwards every edge
// between two vertices marked in `onPlane` (those of the cross-section) is used once in each
// direction by the `kept` triangles and the cap, when the kept triangles allow it. Triangles with a
// repeated corner do not count. When the cap already does that, nothing changes. Otherwise the
// edges `openBefore()` returns (the partners the mesh lacked before the cut, see MissingPartners)
// count as present, so that an open mesh is not closed where it was open, and:
//   1. the triangles of every contour (`contourEnds`: end of each contour's triangles in `cap`) that
//      uses an edge not used once each way are taken out;
//   2. the edges then missing (the reverse of each edge used more often one way than the other) are
//      capped as the cut caps its segments (BuildCapTriangles), and again a contour of that which
//      uses such an edge is taken out;
//   3. what is still missing is walked into closed loops; a loop of three edges becomes one
//      triangle, a longer one is closed by a fan around a new vertex at the mean of its vertices
//      (its coordinates go to `apexes`, its number is `vertexCount` plus its position there).
// Missing edges that form no loop stay open. `onPlane` has one entry per vertex; every index must
// name a vertex of `vertices` (3 floats each).
void CloseCap(const std::vector<TriangleSpan>& kept, const std::vector<uint8_t>& onPlane,
              const float* vertices, uint64_t vertexCount, const PlaneProjection& projection,
              std::vector<Triangle>& cap, const std::vector<size_t>& contourEnds,
              const std::function<std::vector<Segment>()>& openBefore, std::vector<float>& apexes);

// For the edges between two vertices marked in `onPlane`: the reverse of every edge the triangles use
// more often one way than the other, as often as it is short, sorted.
std::vector<Segment> MissingPartners(const std::vector<TriangleSpan>& triangles,
                                     const std::vector<uint8_t>& onPlane);
