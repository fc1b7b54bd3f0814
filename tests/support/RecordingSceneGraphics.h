#pragma once
// SceneGraphics fake that records every call for the tests to inspect.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "scene/SceneGraphics.h"

class RecordingSceneGraphics : public SceneGraphics {
public:
    struct ListRange {
        uint32_t base;
        int32_t count;
        bool operator==(const ListRange&) const = default;
    };

    void DeleteLists(uint32_t base, int32_t count) override;
    void NestLists(uint32_t caller, uint32_t base, int32_t count) override;
    void DeleteTexture(uint32_t name) override;
    void ShowProgress(int percent, const std::string& text) override;
    // Records the index; answers `buildResult`.
    int BuildSurfaceLists(int index) override;
    // Records "upload" in `events` (with the list builds as "build <index>") and names the texture.
    void UploadCapPixels(CutCap& cap) override;

    std::vector<ListRange> deletedLists;
    std::vector<std::pair<uint32_t, ListRange>> nestedLists;  // caller and the lists nested in it
    std::vector<uint32_t> deletedTextures;
    std::vector<std::pair<int, std::string>> progress;
    std::vector<int> builtLists;
    int buildResult = 1;
    std::vector<std::string> events;  // uploads and list builds, in order
    uint32_t nextTexture = 900;
};
