#include "flight/SceneBlock.h"

#include <algorithm>
#include <cstring>

void CopySceneBlock(SceneBlock& target, const SceneBlock& source) {
    target.state = source.state;
    for (int i = 0; i < kRecordCount; ++i)
        CopyRecordHead(target.heads[i], source.heads[i]);
}

void CopyRecordHead(SceneObject& target, const SceneObject& source) {
    target.visible = source.visible;
    target.centered = source.centered;
    target.optimized = source.optimized;
    std::memcpy(target.colour, source.colour, sizeof target.colour);
    target.diffuse = source.diffuse;
    target.reflection = source.reflection;
    target.emission = source.emission;
    target.surfaceMode = source.surfaceMode;
    std::memcpy(target.position, source.position, sizeof target.position);
    target.scale = source.scale;
    target.showAxes = source.showAxes;
    target.showBox = source.showBox;
    target.recutOnKeyframe = source.recutOnKeyframe;
    target.capFill = source.capFill;
    std::memcpy(target.rotation, source.rotation, sizeof target.rotation);
    std::memcpy(target.lastCutKey, source.lastCutKey, sizeof target.lastCutKey);
    std::memcpy(target.quaternion, source.quaternion, sizeof target.quaternion);
    std::memcpy(target.backupPath, source.backupPath, sizeof target.backupPath);
    target.pixelSize = source.pixelSize;
    target.postfixLength = source.postfixLength;
    target.unit = source.unit;
    target.tickFactor = source.tickFactor;
}

bool HasRecutObject(const SceneBlock& block) {
    const int end = std::min(block.state.count, kRecordCount);
    for (int i = 1; i < end; ++i)
        if (block.heads[i].recutOnKeyframe != 0) return true;
    return false;
}
