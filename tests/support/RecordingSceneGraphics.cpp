#include "support/RecordingSceneGraphics.h"

void RecordingSceneGraphics::DeleteLists(uint32_t base, int32_t count) {
    deletedLists.push_back({base, count});
}

void RecordingSceneGraphics::NestLists(uint32_t caller, uint32_t base, int32_t count) {
    nestedLists.push_back({caller, {base, count}});
}

void RecordingSceneGraphics::DeleteTexture(uint32_t name) {
    deletedTextures.push_back(name);
}

void RecordingSceneGraphics::ShowProgress(int percent, const std::string& text) {
    progress.emplace_back(percent, text);
}

void RecordingSceneGraphics::UploadCapPixels(CutCap& cap) {
    events.push_back("upload");
    cap.textureName = nextTexture++;
}

int RecordingSceneGraphics::BuildSurfaceLists(int index) {
    builtLists.push_back(index);
    events.push_back("build " + std::to_string(index));
    return buildResult;
}
