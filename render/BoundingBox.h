#pragma once
// Bounding-box outline of one record, drawn inside the record's transform with the current colour.
// Needs the view's context current.

#include "scene/SceneObject.h"

// The six faces of the box boxMin..boxMax as line quads (z = minZ, y = minY, x = maxX, y = maxY,
// x = minX, z = maxZ); the polygon mode of the front faces is restored for both faces afterwards.
void DrawBoxEdges(const SceneObject& record);
