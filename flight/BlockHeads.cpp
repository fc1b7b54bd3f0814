#include "flight/BlockHeads.h"

#include "flight/SceneBlock.h"

const SceneObject* BlockHead(const SceneBlock& block, int index, int liveCount) {
    const int stored = block.state.count;
    if (stored < 1 || stored >= kRecordCount || index < 0 || index > liveCount) return nullptr;
    if (index == liveCount) return &block.heads[stored];
    return index < stored ? &block.heads[index] : nullptr;
}
