#include "geometry/ContourClassification.h"

#include <cmath>
#include <cstdint>

namespace {

constexpr double kKeyLimit = 4611686018427387904.0;  // 2^62

}  // namespace

int64_t ContourAreaKey(const Contour& contour, const PlaneProjection& projection) {
    float twiceArea = 0.0f;
    for (const Segment& segment : contour.segments) {
        Point2 from = projection(segment.from);
        Point2 to = projection(segment.to);
        float term = from.u * to.v - from.v * to.u;
        twiceArea += term;
    }
    float scaled = twiceArea * 256.0f;
    if (std::isnan(scaled)) return 0;
    // The keys of very large cross-sections exceed 32 bits; they saturate far beyond that instead
    // of wrapping, so a large outer contour never turns into a hole.
    double rounded = std::round(static_cast<double>(scaled));
    if (rounded >= kKeyLimit) return INT64_C(1) << 62;
    if (rounded <= -kKeyLimit) return -(INT64_C(1) << 62);
    return static_cast<int64_t>(rounded);
}

void ClassifyContours(std::vector<Contour>&& contours, const PlaneProjection& projection,
                      std::vector<Contour>& outers, std::vector<Contour>& holes) {
    // The contour list's cursor stands on its last contour after assembly, so the visit from the
    // cursor forward and then backward from the one before it is simply last to first.
    for (auto contour = contours.rbegin(); contour != contours.rend(); ++contour) {
        if (contour->segments.size() < 3) continue;
        contour->key = ContourAreaKey(*contour, projection);
        if (contour->key > 0)
            outers.push_back(std::move(*contour));
        else if (contour->key < 0)
            holes.push_back(std::move(*contour));
    }
    contours.clear();
}
