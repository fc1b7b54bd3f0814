// libFuzzer entry point of scene files: any bytes are refused or read, and what is read is written
// back as the same leading bytes apart from the fields a file never carries (handles, display lists,
// padding, texts after their terminating zero).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "persistence/SceneFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    SceneFileContent content;
    if (!DecodeSceneFile(data, size, content)) return 0;
    if (content.records.size() != size_t(content.state.count) + 1) __builtin_trap();
    const std::vector<uint8_t> again = EncodeSceneFile(content.state, content.stage, content.records.data());
    if (again.size() != SceneFileSize(content.state.count) || again.size() > size) __builtin_trap();
    SceneFileContent reread;
    if (!DecodeSceneFile(again.data(), again.size(), reread)) __builtin_trap();
    if (EncodeSceneFile(reread.state, reread.stage, reread.records.data()) != again) __builtin_trap();
    return 0;
}
