#include "scene/DuplicateModel.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"

namespace {

// A model with a 2-vertex mesh, normals and two caps (the second with a 2 x 1 texture image), all with
// display lists, a texture and a backup file name.
int AddCappedModel(Scene& scene) {
    const int index = scene.AddModelSlot();
    SceneObject& record = scene.objects[index];
    SetRecordText(record.name, "skull");
    SetRecordText(record.backupPath, "/tmp/~CM-skull");
    record.position[0] = 4.0f;
    record.colour[0] = 200;
    record.mesh = new Poly3gon(2, 1);
    record.mesh->vertices[4] = 7.0f;
    record.normals = new float[6]{0, 0, 1, 0, 1, 0};
    record.listBase = 40;
    record.listCount = 3;
    record.caps = new CutCap;
    record.caps->triangleCount = 1;
    record.caps->triangles = new int64_t[3]{0, 1, 0};
    record.caps->displayList = 50;
    record.caps->next = new CutCap;
    CutCap& second = *record.caps->next;
    second.prev = record.caps;
    second.fill = 2;
    second.textureWidth = 2;
    second.textureHeight = 1;
    second.pixels = new uint8_t[6]{1, 2, 3, 4, 5, 6};
    second.textureName = 60;
    return index;
}

}  // namespace

TEST(DuplicateModel, TheCopyOwnsItsOwnMeshNormalsAndCaps) {
    auto scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    const int source = AddCappedModel(*scene);
    const uint64_t plateSerial = scene->objects[2].serial;

    const int copy = DuplicateModel(*scene, source);
    ASSERT_EQ(copy, 2);
    EXPECT_EQ(scene->state.count, 3);
    EXPECT_EQ(scene->objects[3].serial, plateSerial);  // the plate moved up
    const SceneObject& a = scene->objects[source];
    const SceneObject& b = scene->objects[copy];
    EXPECT_STREQ(b.name, "skull");
    EXPECT_EQ(b.position[0], 4.0f);
    EXPECT_EQ(b.colour[0], 200);
    EXPECT_STREQ(b.backupPath, "");
    EXPECT_STREQ(a.backupPath, "/tmp/~CM-skull");
    EXPECT_NE(b.serial, a.serial);
    EXPECT_EQ(b.listBase, 0u);
    ASSERT_NE(b.mesh, nullptr);
    ASSERT_NE(b.mesh, a.mesh);
    EXPECT_EQ(b.mesh->vertices[4], 7.0f);
    ASSERT_NE(b.normals, a.normals);
    EXPECT_EQ(b.normals[4], 1.0f);
    ASSERT_NE(b.caps, nullptr);
    ASSERT_NE(b.caps, a.caps);
    EXPECT_EQ(b.caps->displayList, 0u);
    ASSERT_NE(b.caps->triangles, a.caps->triangles);
    EXPECT_EQ(b.caps->triangles[1], 1);
    const CutCap* second = b.caps->next;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->prev, b.caps);
    EXPECT_EQ(second->next, nullptr);
    EXPECT_EQ(second->fill, 2);
    EXPECT_EQ(second->textureName, 0u);
    ASSERT_NE(second->pixels, a.caps->next->pixels);
    EXPECT_EQ(second->pixels[5], 6);

    // Deleting the original releases only its own lists, texture and arrays.
    ASSERT_EQ(scene->DeleteModel(source, graphics), 1);
    EXPECT_EQ(graphics.deletedTextures, std::vector<uint32_t>{60});
    const SceneObject& kept = scene->objects[1];
    EXPECT_STREQ(kept.name, "skull");
    EXPECT_EQ(kept.mesh->vertices[4], 7.0f);
    EXPECT_EQ(kept.caps->triangles[2], 0);
    EXPECT_EQ(kept.caps->next->pixels[0], 1);
    scene->FreeAllModels(graphics);
}

TEST(DuplicateModel, NothingForThePlateCameraOrAFullTable) {
    auto scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    AddCappedModel(*scene);
    EXPECT_EQ(DuplicateModel(*scene, 0), 0);
    EXPECT_EQ(DuplicateModel(*scene, scene->PlateIndex()), 0);
    EXPECT_EQ(scene->state.count, 2);
    while (scene->ModelCount() < kMaxModels)
        ASSERT_NE(DuplicateModel(*scene, 1), 0);
    EXPECT_EQ(scene->state.count, kRecordCount - 1);
    EXPECT_EQ(DuplicateModel(*scene, 1), 0);
    EXPECT_EQ(scene->state.count, kRecordCount - 1);
    scene->FreeAllModels(graphics);
}
