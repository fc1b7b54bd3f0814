#include "geometry/RestoreObject.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "geometry/CutMesh.h"
#include "import/ModelFileBytes.h"
#include "import/ModelLoader.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"
#include "support/ScriptedServices.h"

namespace {

// A binary .stl of the tetrahedron's four facets, 284 bytes.
FileBytes TetrahedronStl() {
    FileBytes stl;
    stl.Zeros(80).Int32(4);
    const float v[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    for (const auto& face : faces) {
        stl.Floats({0, 0, 0});
        for (int corner : face)
            stl.Floats({v[corner][0], v[corner][1], v[corner][2]});
        stl.Uint16(0);
    }
    return stl;
}

// A scene with the graphics and tones a Restore reports to.
struct RestoreScene {
    // Reads `path` into a new model slot; 0 when the reader refuses it.
    int Load(const std::string& path) {
        const int index = scene->AddModelSlot();
        return LoadModelFile(*scene, index, path, tones) == 1 ? index : 0;
    }
    // Marks model `index` optimised and cuts it by z = 0.5, which leaves a cap.
    bool OptimiseAndCut(int index) {
        SceneObject& object = scene->objects[index];
        object.optimized = 1;
        return CutMesh(object, {0, 0, 1, -0.5f}, nullptr) != nullptr;
    }

    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    RecordingTones tones;
};

}  // namespace

TEST(RestoreObject, ReadsTheModelAgainAndDropsEveryCap) {
    ScratchDirectory directory;
    const std::string path = directory.Write("tetra.stl", TetrahedronStl().bytes);
    RestoreScene r;
    auto& [scene, graphics, tones] = r;
    const int index = r.Load(path);
    ASSERT_NE(index, 0);
    SceneObject& object = scene->objects[index];
    const Poly3gon original = *object.mesh;
    ASSERT_TRUE(r.OptimiseAndCut(index));
    object.caps->displayList = 5;
    object.caps->textureName = 6;

    EXPECT_EQ(RestoreObject(*scene, index, graphics, tones), 1);
    EXPECT_EQ(object.caps, nullptr);
    EXPECT_EQ(object.optimized, 0);
    EXPECT_EQ(graphics.deletedLists, (std::vector<RecordingSceneGraphics::ListRange>{{5, 1}}));
    EXPECT_EQ(graphics.deletedTextures, std::vector<uint32_t>{6});
    ASSERT_EQ(object.mesh->vertexCount, original.vertexCount);
    EXPECT_TRUE(
        std::equal(original.vertices, original.vertices + original.vertexCount * 3, object.mesh->vertices));
    EXPECT_TRUE(std::equal(original.facets, original.facets + original.facetCount * 3, object.mesh->facets));
    EXPECT_EQ(object.facetCount, 4);

    EXPECT_EQ(RestoreObject(*scene, scene->PlateIndex(), graphics, tones), 0);
}

TEST(RestoreObject, AFileThatCannotBeReadLeavesTheModelAsItWasAndSaysWhy) {
    ScratchDirectory directory;
    const std::string path = directory.Write("tetra.stl", TetrahedronStl().bytes);
    RestoreScene r;
    auto& [scene, graphics, tones] = r;
    const int index = r.Load(path);
    ASSERT_NE(index, 0);
    ASSERT_TRUE(r.OptimiseAndCut(index));
    SceneObject& object = scene->objects[index];
    object.caps->displayList = 5;
    const Poly3gon* mesh = object.mesh;
    const CutCap* caps = object.caps;
    const int64_t facets = object.facetCount;

    FileBytes truncated = TetrahedronStl();
    truncated.bytes.resize(100);
    const std::vector<std::pair<std::string, std::string>> failures = {
        {"truncated", "triangle count exceeds the file size"},
        {"gone", "no such file"},
    };
    for (const auto& [what, reason] : failures) {
        if (what == "truncated") directory.Write("tetra.stl", truncated.bytes);
        if (what == "gone") std::filesystem::remove(path);
        std::string problem;
        EXPECT_EQ(RestoreObject(*scene, index, graphics, tones, &problem), 0) << what;
        EXPECT_EQ(problem, reason) << what;
        EXPECT_EQ(object.mesh, mesh) << what;
        EXPECT_EQ(object.caps, caps) << what;
        EXPECT_EQ(object.facetCount, facets) << what;
        EXPECT_EQ(object.optimized, 1) << what;
        EXPECT_TRUE(graphics.deletedLists.empty()) << what;
    }
}

TEST(RestoreObject, APathLongerThanTheStoredFieldIsReadWhole) {
    ScratchDirectory directory;
    std::string folder = directory.File("");
    for (int level = 0; level < 5; ++level) {
        folder += std::string(60, static_cast<char>('a' + level)) + "/";
        std::filesystem::create_directory(folder);
    }
    const std::string path = folder + "tetra.stl";
    ASSERT_GT(path.size(), 300u);
    FileBytes stl = TetrahedronStl();
    directory.Write(path.substr(directory.File("").size()), stl.bytes);
    RestoreScene r;
    auto& [scene, graphics, tones] = r;
    const int index = r.Load(path);
    ASSERT_NE(index, 0);
    SceneObject& object = scene->objects[index];
    EXPECT_EQ(object.modelPath, path);
    EXPECT_STREQ(object.location, "") << "refused by the stored field, not cut to another path";
    EXPECT_STREQ(object.name, "tetra");
    ASSERT_TRUE(r.OptimiseAndCut(index));

    std::string problem;
    EXPECT_EQ(RestoreObject(*scene, index, graphics, tones, &problem), 1) << problem;
    EXPECT_EQ(object.caps, nullptr);
    EXPECT_EQ(object.facetCount, 4);
    EXPECT_EQ(object.modelPath, path);
}
