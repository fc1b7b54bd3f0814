#pragma once
// What movements do to the scene records: shifting, scaling and resetting the movable objects, and
// bringing one object's box centre to the origin the camera turns around. Plain operations on the
// records and controllers; the caller repaints.

#include "navigation/Vector3.h"

class ControlledScene;
struct ProgramSettings;

// Index of the last record taking part in movements, count (the plate) clamped into the table.
int LastMovableRecord(const ControlledScene& scene);

// Adds to the `position` of every movable record 1..count the displacement `t` expressed in its own
// frame: with `byMatrixOfOwnObject` false P = its controller matrix x the camera's and d = P.t (the
// object moves on screen by t times its scale); with true P = its controller matrix alone and
// d = P.t / scale (an exact world displacement; a record of scale 0 stays). Then the stage limit on
// the position when a cube is shown. Safe for any values.
void DisplaceMovable(ControlledScene& scene, const ProgramSettings& settings, const Vector3& t,
                     bool byMatrixOfOwnObject);

// The translation of a key press or of Move to Object: the stage limit on cameraDistance when a cube
// is shown, then DisplaceMovable with t = (-a, b, c), so +a moves left on screen, +b up, +c toward
// the viewer.
void TranslateMovable(ControlledScene& scene, const ProgramSettings& settings, float a, float b, float c,
                      bool byMatrixOfOwnObject);

// Scale of every movable record 1..count changed by n * 0.005 and kept within [0.02, 1000].
void ScaleMovable(ControlledScene& scene, int n);

// Reset Positions: records 1..count movable, at the origin, scale 1, unrotated; all 128 controllers
// reset (key step 5) and given the view size (widget pixels); cameraDistance 0.
void ResetPositions(ControlledScene& scene, int viewWidth, int viewHeight);

// Move to Object: every movable record moves by the world displacement that brings record `index`'s
// bounding-box centre to the origin (a movable target ends with position = -box centre). Returns 0
// and changes nothing unless `index` is an object or the plate (1..count).
int MoveToObject(ControlledScene& scene, const ProgramSettings& settings, int index);
