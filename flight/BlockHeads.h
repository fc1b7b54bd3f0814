#pragma once
// Which head of a stored block stands for a live record. A keyframe may have been stored for another
// set of objects (while the flight recorder was closed, models were loaded or deleted): its camera and
// its first models map to the same live records, its plate to the live plate, and live records it
// holds no head for are left alone, so applying it never reaches past the live records.

struct SceneBlock;
struct SceneObject;

// The head of `block` for live record `index` (0 .. liveCount) of a scene with plate `liveCount`, or
// null when the block holds none.
const SceneObject* BlockHead(const SceneBlock& block, int index, int liveCount);
