#include "flight/KeyframeFile.h"

#include <bit>
#include <cstring>

#include "flight/SceneBlock.h"

static_assert(std::endian::native == std::endian::little, "keyframe files are little-endian");

namespace {

// Copies `count` values of T between the file bytes at `offset` and `values`.
template <typename T>
void Put(uint8_t* bytes, size_t offset, const T* values, size_t count = 1) {
    std::memcpy(bytes + offset, values, sizeof(T) * count);
}

template <typename T>
void Get(const uint8_t* bytes, size_t offset, T* values, size_t count = 1) {
    std::memcpy(values, bytes + offset, sizeof(T) * count);
}

void PutHeader(uint8_t* bytes, const SceneState& state) {
    Put(bytes, 0, &state.cameraDistance);
    Put(bytes, 8, &state.fogIntensity);
    Put(bytes, 12, state.lightPosition, 4);
    Put(bytes, 28, state.lightColour, 4);
    Put(bytes, 44, &state.count);
    Put(bytes, 48, &state.fieldOfView);
    Put(bytes, 52, &state.aspect);
}

void GetHeader(const uint8_t* bytes, SceneState& state) {
    Get(bytes, 0, &state.cameraDistance);
    Get(bytes, 8, &state.fogIntensity);
    Get(bytes, 12, state.lightPosition, 4);
    Get(bytes, 28, state.lightColour, 4);
    Get(bytes, 44, &state.count);
    Get(bytes, 48, &state.fieldOfView);
    Get(bytes, 52, &state.aspect);
}

void PutHead(uint8_t* bytes, const SceneObject& head) {
    Put(bytes, 0, &head.visible);
    Put(bytes, 4, &head.centered);
    Put(bytes, 8, &head.optimized);
    Put(bytes, 12, head.colour, 4);
    Put(bytes, 16, &head.diffuse);
    Put(bytes, 20, &head.reflection);
    Put(bytes, 24, &head.emission);
    Put(bytes, 28, &head.surfaceMode);
    Put(bytes, 32, head.position, 3);
    Put(bytes, 44, &head.scale);
    Put(bytes, 48, &head.showAxes);
    Put(bytes, 52, &head.showBox);
    Put(bytes, 56, &head.recutOnKeyframe);
    Put(bytes, 60, &head.capFill);
    Put(bytes, 64, head.rotation, 9);
    Put(bytes, 104, head.lastCutKey, 4);
    Put(bytes, 136, head.quaternion, 4);
    Put(bytes, 152, head.backupPath, kTextSize);
    Put(bytes, 412, &head.pixelSize);
    Put(bytes, 416, &head.postfixLength);
    Put(bytes, 420, &head.unit);
    Put(bytes, 424, &head.tickFactor);
}

void GetHead(const uint8_t* bytes, SceneObject& head) {
    Get(bytes, 0, &head.visible);
    Get(bytes, 4, &head.centered);
    Get(bytes, 8, &head.optimized);
    Get(bytes, 12, head.colour, 4);
    Get(bytes, 16, &head.diffuse);
    Get(bytes, 20, &head.reflection);
    Get(bytes, 24, &head.emission);
    Get(bytes, 28, &head.surfaceMode);
    Get(bytes, 32, head.position, 3);
    Get(bytes, 44, &head.scale);
    Get(bytes, 48, &head.showAxes);
    Get(bytes, 52, &head.showBox);
    Get(bytes, 56, &head.recutOnKeyframe);
    Get(bytes, 60, &head.capFill);
    Get(bytes, 64, head.rotation, 9);
    Get(bytes, 104, head.lastCutKey, 4);
    Get(bytes, 136, head.quaternion, 4);
    Get(bytes, 152, head.backupPath, kTextSize);
    // A path without its terminating zero must not run into the next field when it is used.
    head.backupPath[kTextSize - 1] = '\0';
    Get(bytes, 412, &head.pixelSize);
    Get(bytes, 416, &head.postfixLength);
    Get(bytes, 420, &head.unit);
    Get(bytes, 424, &head.tickFactor);
}

}  // namespace

std::vector<uint8_t> EncodeKeyframe(const SceneBlock& block) {
    const size_t heads = static_cast<size_t>(block.state.count) + 1;
    std::vector<uint8_t> bytes(kSceneHeaderSize + heads * kRecordHeadSize, 0);
    PutHeader(bytes.data(), block.state);
    for (size_t i = 0; i < heads; ++i)
        PutHead(bytes.data() + kSceneHeaderSize + i * kRecordHeadSize, block.heads[i]);
    return bytes;
}

bool DecodeKeyframe(const uint8_t* data, size_t size, SceneBlock& block) {
    if (size < kSceneHeaderSize) return false;
    SceneState state;
    GetHeader(data, state);
    if (state.count < 1 || state.count > kMaxKeyframeCount) return false;
    const size_t heads = static_cast<size_t>(state.count) + 1;
    if (size - kSceneHeaderSize < heads * kRecordHeadSize) return false;
    block.state = state;
    for (size_t i = 0; i < heads; ++i)
        GetHead(data + kSceneHeaderSize + i * kRecordHeadSize, block.heads[i]);
    return true;
}
