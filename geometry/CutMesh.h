#pragma once
// Cutting an object's mesh and caps by a plane and closing the opening with a new cap.

#include <cstdint>

#include "geometry/CapTriangulation.h"

struct CutCap;
struct SceneObject;

// A plane a*x + b*y + c*z + d = 0 in mesh coordinates; the side where the value is positive is
// removed. (a, b, c) is normally of unit length; any scale gives the same cut.
struct CutPlane {
    float a;
    float b;
    float c;
    float d;
};

// What a cut did, for callers that report it.
struct CutStatistics {
    bool refused = false;  // nothing was changed: bad indices, too many vertices or no memory
    int64_t capTriangles = 0;
    CapStatistics cap;
};

// Removes from the object's mesh (and from its existing caps) what lies on the positive side of
// `plane`, splitting the facets that cross it, and closes the opening with a new cap: distances
// along the plane's dominant axis with epsilon 2^-23, facets classified from the last to the first
// and then the caps' triangles, kept vertices numbered in their old order followed by the new points
// in order of first appearance, kept facets in reverse order followed by the split pieces rotated as
// their source was, per-vertex normals carried (new points get (0, 0, 0)). The cut segments become
// the cap (BuildCapTriangles). Where that cap leaves the cross-section open (contours too small for
// an area key, diagonals on mesh edges lying in the plane, chains that do not close), it is mended
// (CloseCap), which may add fan centres after the new points (normals (0, 0, 0)); a cap that closes
// the cross-section is kept as it is. The cap is rotated smaller-first and appended to the chain
// (AppendCap); the record's vertex and facet counts follow the mesh and caps. Returns that cap, or null when
// the cut made no cap triangle. Refuses (null, `statistics->refused`, nothing changed) when an index names no
// vertex, the result would have more than `vertexLimit` vertices (never more than the 2^32 - 2 a
// weld takes), or memory runs out. The object must have a mesh. Safe on untrusted meshes.
CutCap* CutMesh(SceneObject& object, const CutPlane& plane, CutStatistics* statistics = nullptr,
                uint64_t vertexLimit = UINT64_MAX);
