#include "geometry/SurfaceListLayout.h"

int32_t SurfaceListCount(uint64_t facetCount) {
    if (facetCount == 0) return 1;
    return static_cast<int32_t>((facetCount - 1) / kFacetsPerList + 1);
}

uint64_t ProgressFacet(int percent, uint64_t facetCount) {
    if (facetCount <= 100 || percent < 1 || percent > 99) return UINT64_MAX;
    // ceil(percent * facetCount / 100), split so that no product overflows.
    const uint64_t whole = facetCount / 100 * static_cast<uint64_t>(percent);
    const uint64_t rest = facetCount % 100 * static_cast<uint64_t>(percent);
    return whole + (rest + 99) / 100;
}

std::vector<uint64_t> ChunkBounds(uint64_t first, uint64_t last, uint64_t facetCount, uint64_t minFacets) {
    std::vector<uint64_t> bounds{first};
    for (int percent = 1; percent <= 99; ++percent) {
        const uint64_t at = ProgressFacet(percent, facetCount);
        if (at > bounds.back() && at < last && at - bounds.back() >= minFacets && last - at >= minFacets)
            bounds.push_back(at);
    }
    bounds.push_back(last);
    return bounds;
}
