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

TEST(RestoreObject, ReadsTheModelAgainAndDropsEveryCap) {
    ScratchDirectory directory;
    FileBytes stl;  // binary .stl of the tetrahedron's four facets
    stl.Zeros(80).Int32(4);
    const float v[4][3] = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    const int faces[4][3] = {{0, 2, 1}, {0, 1, 3}, {0, 3, 2}, {1, 2, 3}};
    for (const auto& face : faces) {
        stl.Floats({0, 0, 0});
        for (int corner : face)
            stl.Floats({v[corner][0], v[corner][1], v[corner][2]});
        stl.Uint16(0);
    }
    const std::string path = directory.Write("tetra.stl", stl.bytes);
    auto scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    RecordingTones tones;
    const int index = scene->AddModelSlot();
    ASSERT_EQ(LoadModelFile(*scene, index, path, tones), 1);
    SceneObject& object = scene->objects[index];
    const Poly3gon original = *object.mesh;
    object.optimized = 1;
    ASSERT_NE(CutMesh(object, {0, 0, 1, -0.5f}, nullptr), nullptr);
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

    // A file that is gone leaves the record without geometry.
    std::filesystem::remove(path);
    EXPECT_EQ(RestoreObject(*scene, index, graphics, tones), 0);
    EXPECT_EQ(object.mesh, nullptr);
    EXPECT_EQ(object.vertexCount, 0);
    EXPECT_EQ(RestoreObject(*scene, scene->PlateIndex(), graphics, tones), 0);
}
