#pragma once
// A scene block: the scene header and the heads of all 128 records, the unit keyframes are stored,
// loaded and interpolated in. Heads are whole records of which only the first kRecordHeadSize bytes
// (the record head) are used; their mesh, normals and caps stay empty.

#include "scene/SceneObject.h"

struct SceneBlock {
    SceneState state;
    SceneObject heads[kRecordCount];
};

// Copies the header and all 128 heads from `source` into `target`.
void CopySceneBlock(SceneBlock& target, const SceneBlock& source);

// Copies the record head fields from `source` into `target` one by one: everything in the first
// kRecordHeadSize bytes except the padding. Mesh, caps and the in-memory fields are not touched.
void CopyRecordHead(SceneObject& target, const SceneObject& source);

// True when some head i with 1 <= i < the block's count has `recutOnKeyframe` set. A count outside
// the 128 heads is read as far as the heads go.
bool HasRecutObject(const SceneBlock& block);
