#pragma once
// Bounding box of one record with its scale ticks and label, drawn inside the record's transform
// with the current colour. Needs the view's context current and, for the label, the glyph lists.

#include "scene/SceneObject.h"

// The six faces of the box boxMin..boxMax as line quads (z = minZ, y = minY, x = maxX, y = maxY,
// x = minX, z = maxZ). With `onlyFlagged` (the box the user asked for, not the one shown while
// dragging) the ticks of PlanBoxTicks follow as L-shaped marks on the four edges along each axis,
// and the label at (minX, minY - 10 - tick length, maxZ). The polygon mode of the front faces is
// restored for both faces afterwards.
void DrawBox(const SceneObject& record, bool onlyFlagged);
