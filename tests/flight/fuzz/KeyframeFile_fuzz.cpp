// libFuzzer entry point of keyframe files: whatever lies in the keyframe folder, reading it either
// refuses or yields a block whose count addresses existing heads, whose texts end inside their
// fields, and which writes back to the bytes it was read from (padding aside).

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "flight/KeyframeFile.h"
#include "flight/SceneBlock.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto block = std::make_unique<SceneBlock>();
    if (!DecodeKeyframe(data, size, *block)) return 0;
    if (block->state.count < 1 || block->state.count > kMaxKeyframeCount) __builtin_trap();
    for (const SceneObject& head : block->heads)
        if (std::memchr(head.backupPath, 0, kTextSize) == nullptr) __builtin_trap();
    const std::vector<uint8_t> written = EncodeKeyframe(*block);
    auto again = std::make_unique<SceneBlock>();
    if (!DecodeKeyframe(written.data(), written.size(), *again)) __builtin_trap();
    if (EncodeKeyframe(*again) != written) __builtin_trap();
    return 0;
}
