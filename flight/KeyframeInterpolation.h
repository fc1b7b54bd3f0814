#pragma once
// The states between two keyframes: the live scene set to a weighted mix of blocks A and B.

class KeyframeHost;
class Scene;
class SceneGraphics;
struct SceneBlock;

// Frame `k` of `n` frames from keyframe A to keyframe B inclusive (weights wA = (n-k-1)/(n-1),
// wB = k/(n-1) in float). Sets in the live scene the header's fog, camera distance, light and field of
// view, and for every live record from the plate down to 1 that both blocks hold a head for
// (BlockHeads.h): orientation (normalised weighted quaternion sum and its rotation; when the sum has no
// length, as for opposite quaternions halfway, A's), A's visibility, colour (rounded half away from
// zero), material, position and scale; controllers follow and models both keyframes mark for recutting
// are cut by the plate. Every other field keeps its live value. Returns false, changing nothing, for k
// outside 1 .. n-1.
bool InterpolateKeyframes(Scene& scene, const SceneBlock& a, const SceneBlock& b, int n, int k,
                          SceneGraphics& graphics, KeyframeHost& host);
