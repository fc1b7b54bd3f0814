#pragma once
// Compiling an object's surface into display lists: per-vertex normals for the smooth modes, lists of
// at most kFacetsPerList facets, one list per cut cap with its texture coordinates. A paint only calls
// the lists. The surface goes into each list as arrays of corners (geometry/SurfaceCorners), a chunk
// of facets at a time (geometry/SurfaceListLayout), which draw the same pixels as a begin/end pair per
// facet. A large list calls its chunks from lists nested in it, which compile two at a time on two
// contexts: the driver's storing of every vertex into a list is most of a build.

#include <string>

class MessageBoxes;
class SceneGraphics;
struct SceneObject;

inline constexpr const char* kNotEnoughMemoryForModelMessage =
    "There is not enough memory to build the model";
inline constexpr const char* kLoadingProgressText = "Loading";

// Rebuilds `record`'s surface and cap lists in the current GL context (the caller makes it current):
// old lists are deleted through `graphics`, which also shows the "Loading" progress in pane 3 (at most
// 99 times, never for 100 facets or fewer) and clears it at the end, and keeps the nested lists. Sets
// listBase/listCount, vertexCount and facetCount (mesh facets plus all cap triangles). No list names:
// listBase stays 0 and no caps are built; a cap without a list name is skipped. When the driver runs out of
// memory the lists stay as far as compiled and `messages` shows kNotEnoughMemoryForModelMessage once. Facets
// and cap triangles naming a vertex outside the mesh are left out. Returns 0 when the record has no mesh,
// else 1.
int BuildSurfaceLists(SceneObject& record, SceneGraphics& graphics, MessageBoxes& messages);

// Whether the current context's light shines from a direction (w = 0) rather than from a point. Lists
// of a surface without vertex normals hold what this kind of light needs when they are built: under a
// directional light a facet is lit at its last corner alone, which a light at a point does not allow.
bool LightIsDirectional();
