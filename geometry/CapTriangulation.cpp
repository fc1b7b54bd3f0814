#include "geometry/CapTriangulation.h"

#include <utility>

#include "geometry/ContourAssembly.h"
#include "geometry/ContourClassification.h"
#include "geometry/EarClipping.h"
#include "geometry/HoleBridging.h"

void BuildCapTriangles(const std::vector<Segment>& segments, const PlaneProjection& projection,
                       std::vector<Triangle>& triangles, CapStatistics& statistics,
                       std::vector<size_t>* contourEnds) {
    std::vector<Contour> outers;
    std::vector<Contour> holes;
    ClassifyContours(AssembleContours(segments), projection, outers, holes);
    statistics.contours = static_cast<int64_t>(outers.size() + holes.size());
    statistics.holes = static_cast<int64_t>(holes.size());
    if (!holes.empty()) BridgeHoles(outers, holes, projection);
    statistics.openHoles = static_cast<int64_t>(holes.size());
    for (const Contour& outer : outers) {
        TriangulateContour(outer, projection, triangles);
        if (contourEnds != nullptr) contourEnds->push_back(triangles.size());
    }
}
