#include "flight/MeshSnapshot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <memory>
#include <utility>

#include "flight/SnapshotBytes.h"
#include "import/ByteSource.h"
#include "scene/CutCap.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"

namespace {

bool Decode(const std::vector<uint8_t>& bytes, SnapshotGeometry& geometry) {
    MemorySource source(bytes.data(), bytes.size());
    return DecodeMeshSnapshot(source, geometry);
}

TEST(MeshSnapshot, ReadsTheLayout) {
    SnapshotGeometry geometry;
    ASSERT_TRUE(Decode(SnapshotFileBytes(), geometry));
    EXPECT_EQ(geometry.centered, 1);
    EXPECT_EQ(geometry.centre[2], 30.0f);
    EXPECT_EQ(geometry.boxMin[0], -1.0f);
    ASSERT_NE(geometry.mesh, nullptr);
    EXPECT_EQ(geometry.mesh->vertexCount, 4u);
    EXPECT_EQ(geometry.mesh->vertices[3 * 3 + 2], 9.0f);
    EXPECT_EQ(geometry.mesh->facets[5], 3);
    ASSERT_NE(geometry.normals, nullptr);
    EXPECT_EQ(geometry.normals[11], 1.0f);
    ASSERT_EQ(geometry.capCount, 2);
    const CutCap* first = geometry.caps;
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->texSpanT, 3.0f);
    EXPECT_EQ(first->texMinZ, -8);
    EXPECT_EQ(first->platePosition[1], 5.0f);
    EXPECT_EQ(first->fill, 2);
    EXPECT_EQ(first->fillColour[2], 3);
    EXPECT_EQ(first->fillEmission, 0.125f);
    EXPECT_EQ(first->triangleCount, 1);
    EXPECT_EQ(first->triangles[0], 3);
    ASSERT_NE(first->pixels, nullptr);
    EXPECT_EQ(first->pixels[5], 60);
    const CutCap* second = first->next;
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->prev, first);
    EXPECT_EQ(second->triangleCount, 2);
    EXPECT_EQ(second->triangles[5], 3);
    EXPECT_EQ(second->pixels, nullptr);
    EXPECT_EQ(second->next, nullptr);
}

TEST(MeshSnapshot, RefusesCountsBeyondTheFileBeforeAllocating) {
    SnapshotGeometry geometry;
    // 2^60 vertices announced in a 100-byte file: refused at once (an allocation would throw or crawl).
    FileBytes huge = SnapshotHeader(uint64_t(1) << 60, 0, 0, 0);
    huge.Zeros(100 - huge.bytes.size());
    EXPECT_FALSE(Decode(huge.bytes, geometry));
    EXPECT_FALSE(Decode(SnapshotHeader(0, uint64_t(1) << 62, 0, 0).bytes, geometry));
    EXPECT_FALSE(Decode(SnapshotHeader(0, 0, 0, int64_t(1) << 40).bytes, geometry));
    EXPECT_FALSE(Decode(SnapshotHeader(0, 0, 0, -1).bytes, geometry));
    FileBytes normals = SnapshotHeader(1, 0, 2, 0);
    normals.Zeros(36);
    EXPECT_FALSE(Decode(normals.bytes, geometry)) << "normals for vertices that do not exist";
    FileBytes cap = SnapshotHeader(3, 0, 0, 1);
    cap.Zeros(36);
    AppendCapHead(cap, int64_t(1) << 58, 0, 0);
    EXPECT_FALSE(Decode(cap.bytes, geometry));
    FileBytes texture = SnapshotHeader(3, 0, 0, 1);
    texture.Zeros(36);
    AppendCapHead(texture, 0, 1 << 30, 1 << 30);
    EXPECT_FALSE(Decode(texture.bytes, geometry));
    FileBytes negative = SnapshotHeader(3, 0, 0, 1);
    negative.Zeros(36);
    AppendCapHead(negative, 0, -1, -1);
    EXPECT_FALSE(Decode(negative.bytes, geometry));
    EXPECT_EQ(geometry.mesh, nullptr) << "a refusal leaves the geometry";
}

TEST(MeshSnapshot, RefusesIndicesThatNameNoVertex) {
    SnapshotGeometry geometry;
    std::vector<uint8_t> facet = SnapshotFileBytes();
    const int64_t bad = 4;
    std::memcpy(facet.data() + 72 + 48 + 8, &bad, 8);
    EXPECT_FALSE(Decode(facet, geometry));
    std::vector<uint8_t> capCorner = SnapshotFileBytes();
    const int64_t negative = -1;
    std::memcpy(capCorner.data() + 72 + 48 + 48 + 48 + 160, &negative, 8);
    EXPECT_FALSE(Decode(capCorner, geometry));
}

// Every prefix is refused; the whole file reads.
TEST(MeshSnapshot, TruncationSweep) {
    const std::vector<uint8_t> valid = SnapshotFileBytes();
    for (size_t length = 0; length <= valid.size(); ++length) {
        const std::vector<uint8_t> prefix(valid.begin(), valid.begin() + length);
        SnapshotGeometry geometry;
        EXPECT_EQ(Decode(prefix, geometry), length == valid.size()) << length;
    }
}

class SnapshotScene : public ::testing::Test {
protected:
    void SetUp() override {
        scene = std::make_unique<Scene>();
        ASSERT_EQ(scene->AddModelSlot(), 1);
        SnapshotGeometry geometry;
        ASSERT_TRUE(Decode(SnapshotFileBytes(), geometry));
        SceneObject& record = scene->objects[1];
        record.mesh = std::exchange(geometry.mesh, nullptr);
        record.normals = std::exchange(geometry.normals, nullptr);
        record.caps = std::exchange(geometry.caps, nullptr);
        scene->ComputeBounds(1);
        // Vertices kept shifted by (7,0,0) from the file's coordinates, as a centred load leaves them.
        record.centered = 1;
        record.centre[0] = 7;
    }
    void TearDown() override {
        if (scene->objects[1].backupPath[0] != '\0') std::remove(scene->objects[1].backupPath);
        scene->FreeAllModels(graphics);
    }
    std::unique_ptr<Scene> scene;
    RecordingSceneGraphics graphics;
};

TEST_F(SnapshotScene, SavedSnapshotRestoresTheGeometry) {
    SceneObject& record = scene->objects[1];
    ASSERT_TRUE(SaveMeshSnapshot(record));
    const std::string path = record.backupPath;
    EXPECT_TRUE(std::filesystem::path(path).filename().string().starts_with("~CM"));
    const std::vector<uint8_t> saved = ReadWholeFile(path);
    std::vector<uint8_t> expected = SnapshotFileBytes();
    // Centre and box as the record holds them.
    std::memcpy(expected.data() + 36, record.centre, 12);
    std::memcpy(expected.data() + 48, record.boxMax, 12);
    std::memcpy(expected.data() + 60, record.boxMin, 12);
    EXPECT_EQ(saved, expected);

    // The object is cut to nothing meanwhile; restoring brings its mesh and caps back.
    scene->objects[1].mesh->facetCount = 0;
    record.centered = 0;
    ASSERT_TRUE(RestoreMeshSnapshot(*scene, 1, graphics));
    EXPECT_EQ(record.mesh->facetCount, 2u);
    EXPECT_EQ(record.facetCount, 2);
    EXPECT_EQ(record.centered, 1);
    EXPECT_EQ(record.centre[0], 7.0f) << "the stored shift is kept, not recomputed from shifted vertices";
    EXPECT_EQ(record.mesh->vertices[3], 1.0f) << "vertices are not shifted again";
    ASSERT_NE(record.caps, nullptr);
    EXPECT_EQ(record.caps->pixels[0], 10);
    EXPECT_EQ(graphics.builtLists, std::vector<int>{1});
    // Only the first cap carries texels: it gets its texture before the lists that bind it are built.
    EXPECT_EQ(graphics.events, (std::vector<std::string>{"upload", "build 1"}));
    EXPECT_EQ(record.caps->textureName, 900u);
    ASSERT_NE(record.caps->next, nullptr);
    EXPECT_EQ(record.caps->next->textureName, 0u);
}

TEST_F(SnapshotScene, MissingOrDamagedSnapshotLeavesTheObject) {
    SceneObject& record = scene->objects[1];
    const Poly3gon* mesh = record.mesh;
    SetRecordText(record.backupPath, "/nonexistent/~CMgone");
    EXPECT_FALSE(RestoreMeshSnapshot(*scene, 1, graphics));
    EXPECT_EQ(record.mesh, mesh);
    ScratchDirectory folder;
    SetRecordText(record.backupPath, folder.Write("~CMshort", {1, 2, 3}).c_str());
    EXPECT_FALSE(RestoreMeshSnapshot(*scene, 1, graphics));
    EXPECT_EQ(record.mesh, mesh);
    EXPECT_TRUE(graphics.builtLists.empty());
    SetRecordText(record.backupPath, "");
}

TEST_F(SnapshotScene, CapWithoutTexelsIsStoredWithoutTexture) {
    SceneObject& record = scene->objects[1];
    delete[] record.caps->pixels;
    record.caps->pixels = nullptr;  // a texture that exists only on the GPU side
    ASSERT_TRUE(SaveMeshSnapshot(record));
    SnapshotGeometry geometry;
    FileSource source;
    std::string reason;
    ASSERT_TRUE(source.Open(record.backupPath, reason));
    ASSERT_TRUE(DecodeMeshSnapshot(source, geometry));
    EXPECT_EQ(geometry.caps->textureWidth, 0);
    EXPECT_EQ(geometry.caps->textureHeight, 0);
    EXPECT_EQ(geometry.caps->next->triangleCount, 2);
}

TEST_F(SnapshotScene, UnwritableTemporaryDirectoryKeepsThePath) {
    SceneObject& record = scene->objects[1];
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", "/nonexistent/dir", 1);
    SetRecordText(record.backupPath, "");
    EXPECT_FALSE(SaveMeshSnapshot(record));
    EXPECT_STREQ(record.backupPath, "");
    if (saved != nullptr)
        setenv("TMPDIR", previous.c_str(), 1);
    else
        unsetenv("TMPDIR");
}

}  // namespace
