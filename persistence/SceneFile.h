#pragma once
// Scene files ("*.psc"): the scene header, the stage block and records 0..count in the stored record
// layout, little-endian, without magic number or version. No geometry is stored: a loader reads each
// model again from the file its record names.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "scene/SceneObject.h"

inline constexpr char kSceneFileFilter[] = "Scene files (*.psc)";
inline constexpr char kSceneFilePattern[] = "*.psc";
inline constexpr char kSceneFileExtension[] = "psc";

inline constexpr size_t kSceneHeaderSize = 56;
inline constexpr size_t kStageBlockSize = 20;
inline constexpr size_t kSceneRecordsOffset = kSceneHeaderSize + kStageBlockSize;
// Records 0..count must fit the record table.
inline constexpr int32_t kMaxSceneFileCount = kRecordCount - 1;

// The stage settings a scene file carries. Colours are 0x00BBGGRR (the file holds red, green, blue, 0).
struct StageBlock {
    int16_t bgMode = 0;  // 0 fill by colour, 1 colour cube, 2 image cube
    int16_t bbMode = 0;  // 1 white bounding boxes
    uint32_t stageColor = 0;
    uint32_t cubeColor = 0;
    int32_t stageSize = 1000;
    int32_t lookAt = 1;  // 1 view from rising ground
};

// A scene file as read: the header, the stage block and records 0..state.count. Records carry no
// mesh, normals, caps or display lists (listCount 1); their texts are zero-terminated.
struct SceneFileContent {
    SceneState state;
    StageBlock stage;
    std::vector<SceneObject> records;
};

// Bytes of a scene file holding `count` + 1 records.
constexpr uint64_t SceneFileSize(int32_t count) {
    return kSceneRecordsOffset + (static_cast<uint64_t>(count) + 1) * kRecordSize;
}

// The file image of the header, the stage block and `records`[0..state.count]; handles, display list
// numbers and padding are stored as zero.
std::vector<uint8_t> EncodeSceneFile(const SceneState& state, const StageBlock& stage,
                                     const SceneObject* records);

// Reads a scene file image. False (and `content` untouched) when the bytes do not hold the header,
// the stage block and every announced record, or the header's count lies outside 1..127. Bytes past
// the last record are ignored.
bool DecodeSceneFile(const uint8_t* bytes, size_t size, SceneFileContent& content);

// Reads the scene file at `path` whole before decoding it; false with `reason` set (a short
// lower-case text) when it cannot be opened (a directory or pipe is refused at once), is too short,
// or is no valid scene file.
bool ReadSceneFile(const std::string& path, SceneFileContent& content, std::string& reason);

// Writes the scene file through the safe save; false (an earlier file left as it was) when it could
// not be written whole.
bool WriteSceneFile(const std::string& path, const SceneState& state, const StageBlock& stage,
                    const SceneObject* records);
