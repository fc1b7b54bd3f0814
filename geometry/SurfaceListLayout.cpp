#include "geometry/SurfaceListLayout.h"

#include <cstddef>

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

std::vector<uint64_t> ChunkBounds(uint64_t first, uint64_t last, uint64_t facetCount) {
    std::vector<uint64_t> cuts{first};
    for (int percent = 1; percent <= 99; ++percent) {
        const uint64_t at = ProgressFacet(percent, facetCount);
        if (at > cuts.back() && at < last && at - cuts.back() >= kMinFacetsPerChunk &&
            last - at >= kMinFacetsPerChunk)
            cuts.push_back(at);
    }
    cuts.push_back(last);
    std::vector<uint64_t> bounds{first};
    for (std::size_t k = 1; k < cuts.size(); ++k) {
        const uint64_t length = cuts[k] - cuts[k - 1];
        const uint64_t parts = (length + kMaxFacetsPerChunk - 1) / kMaxFacetsPerChunk;
        for (uint64_t part = 1; part < parts; ++part)
            bounds.push_back(cuts[k - 1] +
                             static_cast<uint64_t>(static_cast<unsigned __int128>(length) * part / parts));
        bounds.push_back(cuts[k]);
    }
    return bounds;
}
