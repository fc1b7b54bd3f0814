#include "navigation/ControlledScene.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "support/RecordingSceneGraphics.h"

namespace {

using ListRange = RecordingSceneGraphics::ListRange;

// Mesh of two corners of an axis-aligned box.
Poly3gon* BoxCorners(float x0, float y0, float z0, float x1, float y1, float z1) {
    Poly3gon* mesh = new Poly3gon(2, 1);
    const float v[6] = {x0, y0, z0, x1, y1, z1};
    std::copy_n(v, 6, mesh->vertices);
    return mesh;
}

void ExpectTriple(const float* actual, float x, float y, float z) {
    EXPECT_FLOAT_EQ(actual[0], x);
    EXPECT_FLOAT_EQ(actual[1], y);
    EXPECT_FLOAT_EQ(actual[2], z);
}

// Fills a fresh model slot the way a reader would: mesh, lists, a cap and a snapshot file.
int LoadFakeModel(ControlledScene& scene, const char* name, uint32_t listBase,
                  const std::filesystem::path& backup) {
    int index = scene.AddModelSlot();
    SceneObject& record = scene.objects[index];
    SetRecordText(record.name, name);
    record.mesh = BoxCorners(0, 0, 0, 1, 1, 1);
    record.normals = new float[6]();
    record.listBase = listBase;
    record.listCount = 2;
    record.caps = new CutCap;
    record.caps->displayList = listBase + 100;
    record.caps->textureName = listBase + 200;
    std::ofstream(backup) << "snapshot";
    SetRecordText(record.backupPath, backup.c_str());
    scene.ComputeBounds(index);
    return index;
}

}  // namespace

TEST(Scene, ConstructionLeavesCameraAndPlateOnly) {
    auto scene = std::make_unique<ControlledScene>();
    EXPECT_EQ(scene->state.count, 1);
    EXPECT_EQ(scene->ModelCount(), 0);
    EXPECT_EQ(scene->PlateIndex(), 1);
    for (int i = 0; i < kRecordCount; ++i) {
        EXPECT_EQ(scene->objects[i].quaternion[0], 1.0f);
        EXPECT_EQ(scene->objects[i].rotation[4], 1.0f);
        EXPECT_EQ(scene->controllers[i].orientation.w, 1.0f);
    }
}

TEST(Scene, InitObjectResetsEverythingButTheQuaternion) {
    auto scene = std::make_unique<ControlledScene>();
    SceneObject& record = scene->objects[3];
    const float quaternion[4] = {0.5f, 0.5f, -0.5f, 0.5f};
    std::copy_n(quaternion, 4, record.quaternion);
    record.visible = 1;
    record.rotation[1] = 0.7f;
    record.listCount = 9;
    SetRecordText(record.name, "old");
    Poly3gon mesh;
    record.mesh = &mesh;  // not freed: InitObject only drops the pointer
    scene->controllers[3].orientation = {0, 1, 0, 0};

    scene->InitObject(3);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(record.quaternion[i], quaternion[i]);
    EXPECT_EQ(record.visible, 0);
    EXPECT_EQ(record.rotation[1], 0.0f);
    EXPECT_EQ(record.rotation[0], 1.0f);
    EXPECT_EQ(record.listCount, 1);
    EXPECT_STREQ(record.name, "");
    EXPECT_EQ(record.mesh, nullptr);
    EXPECT_EQ(scene->controllers[3].orientation.x, 1.0f);

    scene->InitObject(-1);  // out of range: ignored
    scene->InitObject(kRecordCount);
}

TEST(Scene, CentringMovesTheBoxToTheOriginAndUncentringRestoresIt) {
    auto scene = std::make_unique<ControlledScene>();
    int index = scene->AddModelSlot();
    SceneObject& record = scene->objects[index];
    record.mesh = BoxCorners(20, 20, 50, 10, 40, 30);

    scene->ComputeBounds(index);
    ExpectTriple(record.boxMin, 10, 20, 30);
    ExpectTriple(record.boxMax, 20, 40, 50);
    EXPECT_EQ(record.vertexCount, 2);
    EXPECT_EQ(record.facetCount, 1);

    record.centered = 1;
    scene->ComputeBounds(index);
    ExpectTriple(record.centre, 15, 30, 40);
    ExpectTriple(record.boxMin, -5, -10, -10);
    ExpectTriple(record.boxMax, 5, 10, 10);
    ExpectTriple(record.mesh->vertices, 5, -10, 10);

    record.centered = 0;
    scene->ComputeBounds(index);
    ExpectTriple(record.centre, 0, 0, 0);
    ExpectTriple(record.boxMin, 10, 20, 30);
    ExpectTriple(record.boxMax, 20, 40, 50);
    ExpectTriple(record.mesh->vertices + 3, 10, 40, 30);
}

TEST(Scene, BoundsOfEmptyMissingAndNanMeshes) {
    auto scene = std::make_unique<ControlledScene>();
    int index = scene->AddModelSlot();
    SceneObject& record = scene->objects[index];

    record.boxMin[0] = 3.0f;
    scene->ComputeBounds(index);  // no mesh: nothing happens
    EXPECT_EQ(record.boxMin[0], 3.0f);

    record.mesh = new Poly3gon(0, 0);
    scene->ComputeBounds(index);
    ExpectTriple(record.boxMin, 1000000, 1000000, 1000000);
    ExpectTriple(record.boxMax, -1000000, -1000000, -1000000);
    EXPECT_EQ(record.vertexCount, 0);

    // A NaN coordinate stays out of the box, so centring does not wipe the good vertices.
    delete record.mesh;
    record.mesh = BoxCorners(std::numeric_limits<float>::quiet_NaN(), 2, 2, 4, 6, 8);
    record.centered = 1;
    scene->ComputeBounds(index);
    ExpectTriple(record.centre, 4, 4, 5);
    ExpectTriple(record.mesh->vertices + 3, 0, 2, 3);
    RecordingSceneGraphics graphics;
    scene->FreeObjectData(index, graphics);
}

TEST(Scene, DeletingTheFirstOfTwoModelsShiftsRecordsAndFreesItsData) {
    const auto dir = std::filesystem::path(testing::TempDir()) / "scene_delete";
    std::filesystem::create_directories(dir);
    auto scene = std::make_unique<ControlledScene>();
    RecordingSceneGraphics graphics;

    EXPECT_EQ(LoadFakeModel(*scene, "first", 10, dir / "~CMa"), 1);
    SetRecordText(scene->objects[2].name, "plate");
    scene->controllers[2].orientation = {0, 0, 0, 1};
    EXPECT_EQ(LoadFakeModel(*scene, "second", 20, dir / "~CMb"), 2);
    EXPECT_EQ(scene->PlateIndex(), 3);
    EXPECT_STREQ(scene->objects[3].name, "plate");
    EXPECT_EQ(scene->controllers[3].orientation.z, 1.0f);  // the plate's controller moved with it
    Poly3gon* secondMesh = scene->objects[2].mesh;

    EXPECT_EQ(scene->DeleteModel(1, graphics), 1);
    EXPECT_EQ(scene->state.count, 2);
    EXPECT_EQ(scene->ModelCount(), 1);
    EXPECT_STREQ(scene->objects[1].name, "second");
    EXPECT_EQ(scene->objects[1].mesh, secondMesh);
    EXPECT_STREQ(scene->objects[2].name, "plate");
    EXPECT_EQ(scene->controllers[2].orientation.z, 1.0f);
    EXPECT_STREQ(scene->objects[3].name, "");  // the vacated slot owns nothing
    EXPECT_FALSE(std::filesystem::exists(dir / "~CMa"));
    EXPECT_TRUE(std::filesystem::exists(dir / "~CMb"));
    EXPECT_EQ(graphics.deletedLists, (std::vector<ListRange>{{10, 2}, {110, 1}}));
    EXPECT_EQ(graphics.deletedTextures, (std::vector<uint32_t>{210}));

    EXPECT_EQ(scene->DeleteModel(0, graphics), 0);  // the camera and the plate are no models
    EXPECT_EQ(scene->DeleteModel(2, graphics), 0);
    EXPECT_EQ(scene->state.count, 2);

    scene->FreeAllModels(graphics);
    EXPECT_EQ(scene->objects[1].mesh, nullptr);
    EXPECT_EQ(scene->objects[1].listBase, 0u);
    EXPECT_EQ(scene->objects[1].listCount, 1);
    EXPECT_STREQ(scene->objects[1].backupPath, "");
    EXPECT_FALSE(std::filesystem::exists(dir / "~CMb"));
    std::filesystem::remove_all(dir);
}

TEST(Scene, FreeObjectDataToleratesAMissingBackupFile) {
    auto scene = std::make_unique<ControlledScene>();
    RecordingSceneGraphics graphics;
    int index = scene->AddModelSlot();
    SetRecordText(scene->objects[index].backupPath, "/nonexistent/dir/~CMgone");
    scene->FreeObjectData(index, graphics);
    EXPECT_STREQ(scene->objects[index].backupPath, "");
    EXPECT_TRUE(graphics.deletedLists.empty());  // listBase 0: no lists to delete
}

TEST(Scene, A127thModelIsRefused) {
    auto scene = std::make_unique<ControlledScene>();
    for (int i = 1; i <= kMaxModels; ++i)
        ASSERT_EQ(scene->AddModelSlot(), i);
    EXPECT_EQ(scene->PlateIndex(), kRecordCount - 1);
    EXPECT_EQ(scene->AddModelSlot(), 0);
    EXPECT_EQ(scene->ModelCount(), 126);
    EXPECT_EQ(std::string(kSceneFullMessage),
              "The scene already holds 126 models; delete one before loading another.");

    scene->state.count = 0;  // a corrupt header never lets the plate move outside the table
    EXPECT_EQ(scene->AddModelSlot(), 0);
    scene->state.count = kRecordCount + 5;
    EXPECT_EQ(scene->AddModelSlot(), 0);
    RecordingSceneGraphics graphics;
    EXPECT_EQ(scene->DeleteModel(3, graphics), 0);
    scene->state.count = kRecordCount - 1;
}

TEST(Scene, CopyObjectCopiesRecordAndController) {
    auto scene = std::make_unique<ControlledScene>();
    scene->objects[4].scale = 2.5f;
    SetRecordText(scene->objects[4].location, "/models/a.stl");
    scene->controllers[4].orientation = {0, 0, 1, 0};
    scene->controllers[4].keyStepDeg = 15;
    scene->controllers[4].matrix.at(0, 1) = -1.0f;

    scene->CopyObject(4, 6);
    EXPECT_EQ(scene->objects[6].scale, 2.5f);
    EXPECT_STREQ(scene->objects[6].location, "/models/a.stl");
    EXPECT_EQ(scene->controllers[6].orientation.y, 1.0f);
    EXPECT_EQ(scene->controllers[6].keyStepDeg, 15);
    EXPECT_EQ(scene->controllers[6].matrix.at(0, 1), -1.0f);

    scene->CopyObject(4, kRecordCount);  // out of range: ignored
}
