#include "flight/KeyframeRecorder.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>

#include "flight/KeyframeBytes.h"
#include "flight/KeyframeFile.h"
#include "flight/KeyframeStore.h"
#include "flight/RecordingKeyframeHost.h"
#include "flight/SceneBlock.h"
#include "scene/Poly3gon.h"
#include "scene/Scene.h"
#include "support/RecordingSceneGraphics.h"
#include "support/ScriptedServices.h"

namespace {

// A scene of two small models whose keyframes go to a scratch folder.
class KeyframeScene : public ::testing::Test {
protected:
    void SetUp() override {
        for (int model = 0; model < 2; ++model) {
            const int index = scene->AddModelSlot();
            scene->objects[index].mesh = new Poly3gon(3, 1);
            scene->objects[index].mesh->vertices[3] = 1.0f + model;
            scene->objects[index].mesh->facets[1] = 1;
            scene->objects[index].mesh->facets[2] = 2;
            scene->objects[index].visible = 1;
            scene->ComputeBounds(index);
        }
    }
    void TearDown() override {
        recorder.DeleteAllKeyframes();
        scene->FreeAllModels(graphics);
    }
    std::string Folder() const { return folder.File(""); }

    ScratchDirectory folder;
    std::unique_ptr<Scene> scene = std::make_unique<Scene>();
    RecordingSceneGraphics graphics;
    RecordingKeyframeHost host;
    ScriptedMessageBoxes messages;
    RecordingTones tones;
    KeyframeRecorder recorder{*scene, graphics, host, messages, tones, Folder()};
};

TEST_F(KeyframeScene, StoresNumberedKeyframesWithSnapshots) {
    scene->state.fogIntensity = 40;
    SetRecordText(scene->objects[0].backupPath, "/stale");
    recorder.StoreKeyframe({.fogOn = 0, .interpolation = 1, .sound = 1});
    const std::string snapshot = scene->objects[1].backupPath;
    EXPECT_TRUE(std::filesystem::exists(snapshot));
    recorder.StoreKeyframe({.fogOn = 1, .interpolation = 1, .sound = 0});
    EXPECT_EQ(recorder.KeyframeCount(), 2);
    EXPECT_EQ(recorder.CountKeyframes(), 2);
    EXPECT_EQ(host.displays, (std::vector<int>{1, 2}));
    EXPECT_EQ(tones.beeps, (std::vector<std::pair<int, int>>{{1500, 30}}));

    auto block = std::make_unique<SceneBlock>();
    ASSERT_TRUE(recorder.LoadKeyframe(0, block.get(), false));
    EXPECT_EQ(block->state.fogIntensity, 0) << "fog off stores no fog";
    EXPECT_STREQ(block->heads[0].backupPath, "") << "the camera names no snapshot";
    EXPECT_EQ(block->heads[1].backupPath, snapshot);
    ASSERT_TRUE(recorder.LoadKeyframe(1, block.get(), false));
    EXPECT_EQ(block->state.fogIntensity, 40);
    EXPECT_EQ(block->heads[1].backupPath, snapshot) << "an unchanged model reuses its snapshot";
    EXPECT_TRUE(host.calls.empty()) << "loading into a block shows nothing";

    recorder.DeleteAllKeyframes();
    EXPECT_EQ(recorder.CountKeyframes(), 0);
    EXPECT_FALSE(std::filesystem::exists(snapshot));
    EXPECT_EQ(host.displays.back(), 0);
}

TEST_F(KeyframeScene, InterpolationOffClearsRecutting) {
    scene->objects[1].recutOnKeyframe = 1;
    scene->objects[2].recutOnKeyframe = 1;
    recorder.StoreKeyframe({.fogOn = 1, .interpolation = 0, .sound = 0});
    EXPECT_EQ(scene->objects[1].recutOnKeyframe, 0);
    EXPECT_EQ(scene->objects[2].recutOnKeyframe, 0);
    EXPECT_TRUE(graphics.builtLists.empty()) << "nothing was cut";
}

TEST_F(KeyframeScene, FailingSnapshotStoresNothing) {
    const char* saved = std::getenv("TMPDIR");
    const std::string previous = saved != nullptr ? saved : "";
    setenv("TMPDIR", "/nonexistent/dir", 1);
    recorder.StoreKeyframe({.fogOn = 1, .interpolation = 1, .sound = 1});
    if (saved != nullptr)
        setenv("TMPDIR", previous.c_str(), 1);
    else
        unsetenv("TMPDIR");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Can't save the keyframe"});
    EXPECT_EQ(recorder.KeyframeCount(), 0);
    EXPECT_EQ(recorder.CountKeyframes(), 0);
    EXPECT_TRUE(tones.beeps.empty());
}

TEST_F(KeyframeScene, ApplyingRestoresChangedGeometryOnly) {
    recorder.StoreKeyframe({.fogOn = 1, .interpolation = 1, .sound = 0});
    const std::string snapshot = scene->objects[2].backupPath;
    scene->objects[1].position[0] = 5.0f;
    scene->objects[1].mesh->facetCount = 0;  // as if cut: the snapshot path stays, so no restore
    SetRecordText(scene->objects[2].backupPath, "");
    scene->objects[2].mesh->facetCount = 0;  // as after a surface update: restored from the snapshot
    scene->state.fieldOfView = 90;
    ASSERT_TRUE(recorder.LoadKeyframe(0, nullptr, false));
    EXPECT_EQ(scene->objects[1].position[0], 0.0f);
    EXPECT_EQ(scene->objects[1].mesh->facetCount, 0u);
    EXPECT_EQ(scene->objects[2].mesh->facetCount, 1u);
    EXPECT_EQ(scene->objects[2].backupPath, snapshot);
    EXPECT_EQ(scene->state.fieldOfView, 70);
    EXPECT_EQ(graphics.builtLists, std::vector<int>{2});
    EXPECT_EQ(host.controllers, (std::vector<int>{0, 1, 2, 3}));
    EXPECT_EQ(host.calls, std::vector<std::string>{"applied"});
    host.calls.clear();
    ASSERT_TRUE(recorder.LoadKeyframe(0, nullptr, true));
    EXPECT_TRUE(host.calls.empty()) << "a quiet load shows nothing";
    EXPECT_FALSE(recorder.LoadKeyframe(1, nullptr, false));
}

TEST_F(KeyframeScene, KeyframeOfAnotherObjectSetTouchesLiveRecordsOnly) {
    // A keyframe of five models (plate 6) applied to the live scene of two (plate 3).
    folder.Write("~kf0000.dat", KeyframeFileBytes(6));
    const Poly3gon* mesh = scene->objects[2].mesh;
    SetRecordText(scene->objects[1].backupPath, "/snap/~CM1");
    SetRecordText(scene->objects[2].backupPath, "/snap/~CM2");
    ASSERT_TRUE(recorder.LoadKeyframe(0, nullptr, true));
    EXPECT_EQ(scene->state.count, 3);
    EXPECT_EQ(scene->objects[3].scale, 7.0f) << "the stored plate goes to the live plate";
    EXPECT_EQ(scene->objects[4].scale, 1.0f) << "beyond the plate nothing is written";
    EXPECT_EQ(scene->objects[2].mesh, mesh);
    EXPECT_EQ(host.controllers, (std::vector<int>{0, 1, 2, 3}));

    // A keyframe of one model applied to two: the second keeps its state.
    folder.Write("~kf0001.dat", KeyframeFileBytes(2));
    scene->objects[2].scale = 9.0f;
    ASSERT_TRUE(recorder.LoadKeyframe(1, nullptr, true));
    EXPECT_EQ(scene->objects[2].scale, 9.0f);
    EXPECT_EQ(scene->objects[3].scale, 3.0f);
}

TEST_F(KeyframeScene, MissingSnapshotKeepsTheGeometryAndItsSnapshot) {
    recorder.StoreKeyframe({.fogOn = 1, .interpolation = 1, .sound = 0});
    const std::string stored = scene->objects[1].backupPath;
    std::remove(stored.c_str());
    SetRecordText(scene->objects[1].backupPath, "");
    const Poly3gon* mesh = scene->objects[1].mesh;
    scene->objects[1].scale = 4.0f;
    ASSERT_TRUE(recorder.LoadKeyframe(0, nullptr, true));
    EXPECT_EQ(scene->objects[1].mesh, mesh);
    EXPECT_STREQ(scene->objects[1].backupPath, "") << "the record names no snapshot of other geometry";
    EXPECT_EQ(scene->objects[1].scale, 1.0f);
    EXPECT_EQ(graphics.builtLists, std::vector<int>{}) << "centring unchanged: nothing to rebuild";
}

TEST_F(KeyframeScene, RefusedKeyframeChangesNothing) {
    std::vector<uint8_t> bytes = KeyframeFileBytes(3);
    const int32_t count = 128;
    std::memcpy(bytes.data() + 44, &count, 4);
    bytes.resize(kSceneHeaderSize + 129 * kRecordHeadSize);
    folder.Write("~kf0000.dat", bytes);
    scene->state.fieldOfView = 90;
    EXPECT_FALSE(recorder.LoadKeyframe(0, nullptr, false));
    EXPECT_EQ(scene->state.fieldOfView, 90);
    EXPECT_TRUE(host.controllers.empty());
}

}  // namespace
