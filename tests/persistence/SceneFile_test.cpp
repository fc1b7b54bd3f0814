#include "persistence/SceneFile.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "persistence/SceneFileBytes.h"
#include "support/FailingSaves.h"

namespace {

// A record holding zero in every stored field, as the layout blocks start.
SceneObject ZeroRecord() {
    SceneObject record;
    std::memset(record.colour, 0, sizeof record.colour);
    record.diffuse = record.reflection = record.emission = 0.0f;
    record.surfaceMode = 0;
    record.scale = 0.0f;
    std::memset(record.rotation, 0, sizeof record.rotation);
    std::memset(record.quaternion, 0, sizeof record.quaternion);
    record.postfixLength = record.tickFactor = record.movable = record.fileType = 0;
    record.listCount = record.topCut = 0;
    return record;
}

// The values RecordBytes(k, location) stores.
SceneObject ModelRecord(int k, const std::string& location) {
    SceneObject record = ZeroRecord();
    record.visible = record.centered = record.optimized = 1;
    const uint8_t colour[4] = {uint8_t(100 + k), 2, 3, 200};
    std::memcpy(record.colour, colour, 4);
    record.diffuse = 0.5f;
    record.reflection = 0.25f;
    record.emission = 0.125f;
    record.surfaceMode = 3;
    record.position[0] = float(k);
    record.position[1] = -2.0f * k;
    record.position[2] = 0.5f;
    record.scale = 1.5f;
    record.showAxes = record.showBox = record.recutOnKeyframe = 1;
    record.capFill = 2;
    for (int i = 0; i < 9; ++i)
        record.rotation[i] = i == 1 ? -1.0f : float(i) / 10;
    record.lastCutKey[0] = 7;
    record.lastCutKey[3] = -9;
    record.quaternion[0] = 0.5f;
    record.quaternion[3] = -0.5f;
    SetRecordText(record.backupPath, "/tmp/~CM0001");
    record.pixelSize = 0.004f;
    record.postfixLength = 5;
    record.unit = 2;
    record.tickFactor = 3;
    record.movable = 1;
    record.vertexCount = 400;
    record.facetCount = 800;
    SetRecordText(record.name, ("model" + std::to_string(k)).c_str());
    SetRecordText(record.location, location.c_str());
    SetRecordText(record.datasetPath, "/data/slices");
    for (int i = 0; i < 3; ++i) {
        record.centre[i] = 1.0f + i;
        record.boxMin[i] = -5.0f;
        record.boxMax[i] = 5.0f;
    }
    return record;
}

// The scene SceneFileBytes(locations) describes.
struct LayoutScene {
    explicit LayoutScene(const std::vector<std::string>& locations) {
        state.cameraDistance = 12.5;
        state.fogIntensity = 35;
        const float light[8] = {1.5f, -2.0f, 3.0f, 0.0f, 0.25f, 0.5f, 0.75f, 1.0f};
        std::memcpy(state.lightPosition, light, 16);
        std::memcpy(state.lightColour, light + 4, 16);
        state.count = int32_t(locations.size()) + 1;
        state.fieldOfView = 55;
        state.aspect = 1.25f;
        stage = {2, 1, 0x1E140A, 0x3C3228, 2500, 0};
        records.push_back(ZeroRecord());
        records[0].scale = 1.0f;
        records[0].quaternion[0] = 1.0f;
        SetRecordText(records[0].name, "camera");
        for (size_t i = 0; i < locations.size(); ++i)
            records.push_back(ModelRecord(int(i) + 1, locations[i]));
        records.push_back(ZeroRecord());
        records.back().visible = 1;
        records.back().scale = 2.0f;
        SetRecordText(records.back().name, "plate");
        SetRecordText(records.back().location, "(internal)");
    }
    SceneState state;
    StageBlock stage;
    std::vector<SceneObject> records;
};

void ExpectSameStoredFields(const SceneObject& read, const SceneObject& expected, int index) {
    SCOPED_TRACE(index);
    EXPECT_EQ(read.visible, expected.visible);
    EXPECT_EQ(0, std::memcmp(read.colour, expected.colour, 4));
    EXPECT_EQ(read.surfaceMode, expected.surfaceMode);
    EXPECT_EQ(0, std::memcmp(read.position, expected.position, sizeof read.position));
    EXPECT_EQ(read.scale, expected.scale);
    EXPECT_EQ(read.capFill, expected.capFill);
    EXPECT_EQ(0, std::memcmp(read.rotation, expected.rotation, sizeof read.rotation));
    EXPECT_EQ(0, std::memcmp(read.lastCutKey, expected.lastCutKey, sizeof read.lastCutKey));
    EXPECT_EQ(0, std::memcmp(read.quaternion, expected.quaternion, sizeof read.quaternion));
    EXPECT_STREQ(read.backupPath, expected.backupPath);
    EXPECT_EQ(read.pixelSize, expected.pixelSize);
    EXPECT_EQ(read.tickFactor, expected.tickFactor);
    EXPECT_EQ(read.vertexCount, expected.vertexCount);
    EXPECT_EQ(read.facetCount, expected.facetCount);
    EXPECT_STREQ(read.name, expected.name);
    EXPECT_STREQ(read.location, expected.location);
    EXPECT_STREQ(read.datasetPath, expected.datasetPath);
    EXPECT_EQ(read.topCut, expected.topCut);
    EXPECT_EQ(0, std::memcmp(read.centre, expected.centre, sizeof read.centre));
    EXPECT_EQ(0, std::memcmp(read.boxMax, expected.boxMax, sizeof read.boxMax));
}

}  // namespace

TEST(SceneFile, WriterPutsEveryFieldAtItsOffsetAndHandlesAsZero) {
    const std::vector<std::string> locations = {"/models/a.p3g", "/models/b.ctm"};
    LayoutScene scene(locations);
    // Handles of this run must not reach the file.
    scene.records[1].mesh = reinterpret_cast<Poly3gon*>(uintptr_t(0x1234));
    scene.records[1].normals = reinterpret_cast<float*>(uintptr_t(0x5678));
    scene.records[2].caps = reinterpret_cast<CutCap*>(uintptr_t(0x9abc));
    scene.records[2].listBase = 17;
    scene.records[2].listCount = 4;
    const std::vector<uint8_t> bytes = EncodeSceneFile(scene.state, scene.stage, scene.records.data());
    for (SceneObject& record : scene.records)
        record.mesh = nullptr, record.normals = nullptr, record.caps = nullptr;

    EXPECT_EQ(bytes.size(), 5324u);
    EXPECT_EQ(SceneFileSize(3), 5324u);
    const std::vector<uint8_t> expected = SceneFileBytes(locations);
    ASSERT_EQ(bytes.size(), expected.size());
    for (size_t i = 0; i < bytes.size(); ++i)
        ASSERT_EQ(bytes[i], expected[i]) << "byte " << i << " (record byte " << (i - 76) % 1312 << ")";
}

TEST(SceneFile, ReaderTakesEveryFieldFromItsOffsetAndNoHandle) {
    const std::vector<std::string> locations = {"/models/a.p3g", "/models/b.ctm"};
    std::vector<uint8_t> bytes = SceneFileBytes(locations);
    // Handles and display lists of the writing run are ignored.
    for (size_t offset : {432, 440, 448, 1260, 1264})
        std::memset(bytes.data() + 76 + 1312 + offset, 0x5A, 4);
    SceneFileContent content;
    ASSERT_TRUE(DecodeSceneFile(bytes.data(), bytes.size(), content));

    const LayoutScene expected(locations);
    EXPECT_EQ(content.state.cameraDistance, 12.5);
    EXPECT_EQ(content.state.fogIntensity, 35);
    EXPECT_EQ(0, std::memcmp(content.state.lightPosition, expected.state.lightPosition, 16));
    EXPECT_EQ(0, std::memcmp(content.state.lightColour, expected.state.lightColour, 16));
    EXPECT_EQ(content.state.count, 3);
    EXPECT_EQ(content.state.fieldOfView, 55);
    EXPECT_EQ(content.state.aspect, 1.25f);
    EXPECT_EQ(content.stage.bgMode, 2);
    EXPECT_EQ(content.stage.bbMode, 1);
    EXPECT_EQ(content.stage.stageColor, 0x1E140Au);
    EXPECT_EQ(content.stage.cubeColor, 0x3C3228u);
    EXPECT_EQ(content.stage.stageSize, 2500);
    EXPECT_EQ(content.stage.lookAt, 0);
    ASSERT_EQ(content.records.size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        ExpectSameStoredFields(content.records[i], expected.records[i], int(i));
        EXPECT_EQ(content.records[i].mesh, nullptr);
        EXPECT_EQ(content.records[i].normals, nullptr);
        EXPECT_EQ(content.records[i].caps, nullptr);
        EXPECT_EQ(content.records[i].listBase, 0u);
        EXPECT_EQ(content.records[i].listCount, 1);
    }
}

TEST(SceneFile, TextsWithoutZeroReadAsTheirFirst259Bytes) {
    std::vector<uint8_t> bytes = SceneFileBytes({"/m/a.p3g"});
    const size_t record = 76 + 1312;
    for (size_t offset : {152, 480, 740, 1000})
        std::memset(bytes.data() + record + offset, 'x', 260);
    SceneFileContent content;
    ASSERT_TRUE(DecodeSceneFile(bytes.data(), bytes.size(), content));
    const SceneObject& model = content.records[1];
    for (const char* text : {model.backupPath, model.name, model.location, model.datasetPath})
        EXPECT_EQ(std::string(text), std::string(259, 'x'));
}

TEST(SceneFile, CountsOutsideTheTableAndShortFilesAreRefusedLeavingTheContent) {
    const std::vector<uint8_t> valid = SceneFileBytes({"/m/a.p3g"});
    SceneFileContent content;
    content.state.count = 42;
    for (int32_t count : {0, -1, 128, INT32_MAX}) {
        std::vector<uint8_t> bytes = valid;
        std::memcpy(bytes.data() + 44, &count, 4);
        bytes.resize(SceneFileSize(127) + 1312, 0);  // enough bytes for any count the table holds
        EXPECT_FALSE(DecodeSceneFile(bytes.data(), bytes.size(), content)) << count;
    }
    // A count promising one record more than the file holds.
    std::vector<uint8_t> bytes = valid;
    const int32_t three = 3;
    std::memcpy(bytes.data() + 44, &three, 4);
    EXPECT_FALSE(DecodeSceneFile(bytes.data(), bytes.size(), content));
    EXPECT_EQ(content.state.count, 42);
    EXPECT_TRUE(content.records.empty());
    // The largest count the table holds.
    std::vector<std::string> many(126, "/m/x.p3g");
    bytes = SceneFileBytes(many);
    ASSERT_TRUE(DecodeSceneFile(bytes.data(), bytes.size(), content));
    EXPECT_EQ(content.records.size(), 128u);
    EXPECT_STREQ(content.records[127].name, "plate");
}

// Every prefix of a valid file: refused below its full size, read at it; trailing bytes are ignored.
TEST(SceneFile, EveryPrefixIsRefusedUntilTheLastRecordIsWhole) {
    std::vector<uint8_t> bytes = SceneFileBytes({"/m/a.p3g", "/m/b.p3g"});
    for (size_t length = 0; length < bytes.size(); ++length) {
        // A copy of exactly the prefix, so a read past its end is caught by the sanitizers.
        const std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + length);
        SceneFileContent content;
        ASSERT_FALSE(DecodeSceneFile(prefix.data(), prefix.size(), content)) << length;
    }
    SceneFileContent content;
    EXPECT_TRUE(DecodeSceneFile(bytes.data(), bytes.size(), content));
    bytes.push_back(7);
    EXPECT_TRUE(DecodeSceneFile(bytes.data(), bytes.size(), content));
}

TEST(SceneFile, FilesRoundTripAndOddPathsAreRefusedAtOnce) {
    ScratchDirectory directory;
    const LayoutScene scene({"/m/a.p3g", "/m/b.p3g"});
    const std::string path = directory.File("two.psc");
    ASSERT_TRUE(WriteSceneFile(path, scene.state, scene.stage, scene.records.data()));
    EXPECT_EQ(ReadWholeFile(path), SceneFileBytes({"/m/a.p3g", "/m/b.p3g"}));
    SceneFileContent content;
    std::string reason;
    ASSERT_TRUE(ReadSceneFile(path, content, reason)) << reason;
    EXPECT_STREQ(content.records[2].location, "/m/b.p3g");

    const std::string shortFile = directory.Write("short.psc", std::vector<uint8_t>(75, 1));
    EXPECT_FALSE(ReadSceneFile(shortFile, content, reason));
    EXPECT_EQ(reason, "file too short");
    std::vector<uint8_t> promising = SceneFileBytes({"/m/a.p3g"});
    const int32_t many = 100;
    std::memcpy(promising.data() + 44, &many, 4);
    EXPECT_FALSE(ReadSceneFile(directory.Write("promising.psc", promising), content, reason));
    EXPECT_EQ(reason, "file too short");
    EXPECT_FALSE(ReadSceneFile(directory.File("missing.psc"), content, reason));
    EXPECT_FALSE(ReadSceneFile(directory.File(""), content, reason));
    const std::string pipe = directory.File("pipe.psc");
    ASSERT_EQ(mkfifo(pipe.c_str(), 0600), 0);
    EXPECT_FALSE(ReadSceneFile(pipe, content, reason));
    EXPECT_EQ(reason, "not a regular file");
    EXPECT_STREQ(content.records[2].location, "/m/b.p3g");
}

TEST(SceneFile, EveryFailingFileSystemKeepsTheEarlierFile) {
    const LayoutScene scene({"/m/a.p3g"});
    const SaveToPath save = [&](const std::string& path) {
        return WriteSceneFile(path, scene.state, scene.stage, scene.records.data());
    };
    ExpectFullDisksKeepTheEarlierFile(save, "scene.psc", 256);
    ExpectImpossibleTargetsAreRefused(save, "scene.psc");
}
