#pragma once
// The six inner faces of the stage cube, shared by the colour cube and the image cube.

#include <array>
#include <cstdint>

inline constexpr int kCubeFaceCount = 6;  // front, left, right, top, bottom, back

using CubeFaceCorners = std::array<std::array<std::array<float, 3>, 4>, kCubeFaceCount>;

// The four corners of each face of the cube of half-size `stageSize`, in the order of the texture
// coordinates (0,0), (1,0), (1,1), (0,1). Faces reach a little past each other (by half a percent) so
// that no seam shows at the edges.
CubeFaceCorners StageCubeFaces(int32_t stageSize);
