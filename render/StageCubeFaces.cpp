#include "render/StageCubeFaces.h"

CubeFaceCorners StageCubeFaces(int32_t stageSize) {
    const float d = static_cast<float>(stageSize);
    const float e = 1.005f * d;
    return {{
        {{{-e, -d, -d}, {e, -d, -d}, {e, d, -d}, {-e, d, -d}}},  // front z = -d
        {{{-d, -d, e}, {-d, -d, -e}, {-d, d, -e}, {-d, d, e}}},  // left x = -d
        {{{d, -d, -e}, {d, -d, e}, {d, e, e}, {d, e, -e}}},      // right x = d
        {{{-d, d, -d}, {d, d, -d}, {d, d, d}, {-d, d, d}}},      // top y = d
        {{{-e, -d, e}, {e, -d, e}, {e, -d, -e}, {-e, -d, -e}}},  // bottom y = -d
        {{{e, -d, d}, {-e, -d, d}, {-e, e, d}, {e, e, d}}},      // back z = d
    }};
}
