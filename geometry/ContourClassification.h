#pragma once
// Telling outer contours from holes by their signed area in the plane.

#include <vector>

#include "geometry/CapGeometry.h"
#include "geometry/PlaneProjection.h"

// Signed area key of a contour: the sum over its segments, in order and in single precision, of
// u_from*v_to - v_from*u_to, times 256, rounded half away from zero. Saturates at +-2^62 so that
// two keys can always be added; NaN gives 0.
int64_t ContourAreaKey(const Contour& contour, const PlaneProjection& projection);

// Classifies assembled contours (in contour-list order) from the last to the first: a contour of
// fewer than 3 segments or with key 0 is dropped, a positive key appends it to `outers`, a negative
// one to `holes`, each with its key set. Every index must name a projected vertex.
void ClassifyContours(std::vector<Contour>&& contours, const PlaneProjection& projection,
                      std::vector<Contour>& outers, std::vector<Contour>& holes);
