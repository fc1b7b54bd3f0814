#pragma once
// From the segments of a cut to the triangles of its cap.

#include <cstdint>
#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

// What one cap triangulation found.
struct CapStatistics {
    int64_t contours = 0;   // closed contours kept by the classification (outer ones and holes)
    int64_t holes = 0;      // of them, the holes (negative area)
    int64_t openHoles = 0;  // holes that lie in no larger contour and stay open
};

// Assembles the segments into contours, classifies them, bridges the holes into their outer
// contours and ear-clips every outer contour in order, appending the triangles (in ring order,
// vertex indices as in the segments) to `triangles`. When `contourEnds` is given, the end (in
// `triangles`) of each outer contour's triangles is appended to it. Every index must name a
// projected vertex.
void BuildCapTriangles(const std::vector<Segment>& segments, const PlaneProjection& projection,
                       std::vector<Triangle>& triangles, CapStatistics& statistics,
                       std::vector<size_t>* contourEnds = nullptr);
