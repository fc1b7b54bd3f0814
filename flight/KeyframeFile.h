#pragma once
// The bytes of a keyframe file: the 56-byte scene header, then the 432-byte heads of records 0 ..
// count, little-endian, written and read field by field. No signature or version.

#include <cstddef>
#include <cstdint>
#include <vector>

struct SceneBlock;

inline constexpr size_t kSceneHeaderSize = 56;
// 128 heads exist, so a file may describe records 0 .. 127 at most.
inline constexpr int kMaxKeyframeCount = 127;

// The file bytes of `block`: header, then heads 0 .. block.state.count (which must lie in 1 ..
// kMaxKeyframeCount); padding bytes are zero.
std::vector<uint8_t> EncodeKeyframe(const SceneBlock& block);

// Reads keyframe bytes into `block`: header and heads 0 .. count. Refuses (false, `block` untouched)
// a count outside 1 .. kMaxKeyframeCount and bytes shorter than the heads it announces; bytes after
// them are ignored. Safe on any input.
bool DecodeKeyframe(const uint8_t* data, size_t size, SceneBlock& block);
