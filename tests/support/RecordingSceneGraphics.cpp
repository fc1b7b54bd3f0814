#include "support/RecordingSceneGraphics.h"

void RecordingSceneGraphics::DeleteLists(uint32_t base, int32_t count) {
    deletedLists.push_back({base, count});
}

void RecordingSceneGraphics::DeleteTexture(uint32_t name) {
    deletedTextures.push_back(name);
}

void RecordingSceneGraphics::ShowProgress(int percent, const std::string& text) {
    progress.emplace_back(percent, text);
}

int RecordingSceneGraphics::BuildSurfaceLists(int index) {
    builtLists.push_back(index);
    return buildResult;
}
