// Layout and initial values of the scene header and the object record, read back as raw bytes at
// the offsets the scene and keyframe files use.

#include "scene/SceneObject.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "scene/Scene.h"

namespace {

template <typename T, typename Record>
T At(const Record& record, size_t offset) {
    T value;
    std::memcpy(&value, reinterpret_cast<const unsigned char*>(&record) + offset, sizeof(T));
    return value;
}

template <typename Record>
std::string TextAt(const Record& record, size_t offset) {
    return std::string(reinterpret_cast<const char*>(&record) + offset);
}

}  // namespace

TEST(SceneObjectLayout, HeaderBytesHoldTheInitialValuesAtTheirOffsets) {
    Scene scene(35, 90);
    const SceneState& s = scene.state;
    EXPECT_EQ(sizeof(SceneState), 56u);
    EXPECT_EQ(At<double>(s, 0), 0.0);
    EXPECT_EQ(At<int32_t>(s, 8), 35);
    const float light[8] = {-0.5f, 0.5f, 1.0f, 0.0f, 0.8f, 0.8f, 0.8f, 1.0f};
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(At<float>(s, 12 + 4 * i), light[i]) << i;
    EXPECT_EQ(At<int32_t>(s, 44), 1);
    EXPECT_EQ(At<int32_t>(s, 48), 90);
    scene.state.aspect = 1.5f;
    EXPECT_EQ(At<float>(s, 52), 1.5f);
    EXPECT_EQ(Scene().state.fogIntensity, 20);
    EXPECT_EQ(Scene().state.fieldOfView, 70);
}

TEST(SceneObjectLayout, RecordBytesHoldTheInitialValuesAtTheirOffsets) {
    auto scene = std::make_unique<Scene>();
    const SceneObject& r = scene->objects[5];
    EXPECT_EQ(kRecordSize, 1312u);
    EXPECT_EQ(offsetof(SceneObject, modelPath), kRecordSize) << "memory-only fields follow the stored record";
    EXPECT_EQ(kRecordHeadSize, 432u);
    EXPECT_EQ(kRecordCount, 128);

    EXPECT_EQ(At<int32_t>(r, 0), 0);              // visible
    EXPECT_EQ(At<int32_t>(r, 4), 0);              // centered
    EXPECT_EQ(At<int32_t>(r, 8), 0);              // optimized
    EXPECT_EQ(At<uint32_t>(r, 12), 0xFF808080u);  // 128, 128, 128, 255
    EXPECT_EQ(At<float>(r, 16), 0.8f);
    EXPECT_EQ(At<float>(r, 20), 0.1f);
    EXPECT_EQ(At<float>(r, 24), 0.1f);
    EXPECT_EQ(At<int16_t>(r, 28), 1);
    EXPECT_EQ(At<int16_t>(r, 30), 0);  // padding
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(At<float>(r, 32 + 4 * i), 0.0f);
    EXPECT_EQ(At<float>(r, 44), 1.0f);
    for (size_t offset : {48, 52, 56, 60})
        EXPECT_EQ(At<int32_t>(r, offset), 0) << offset;
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(At<float>(r, 64 + 4 * i), i % 4 == 0 ? 1.0f : 0.0f) << i;
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(At<int64_t>(r, 104 + 8 * i), 0);
    const float identity[4] = {1, 0, 0, 0};
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(At<float>(r, 136 + 4 * i), identity[i]);
    EXPECT_EQ(TextAt(r, 152), "");
    EXPECT_EQ(At<float>(r, 412), 0.0f);
    EXPECT_EQ(At<int32_t>(r, 416), 4);
    EXPECT_EQ(At<int32_t>(r, 420), 0);
    EXPECT_EQ(At<int32_t>(r, 424), 1);
    for (size_t offset : {432, 440, 448})
        EXPECT_EQ(At<void*>(r, offset), nullptr) << offset;
    EXPECT_EQ(At<int32_t>(r, 456), 1);
    EXPECT_EQ(At<int32_t>(r, 460), -1);
    EXPECT_EQ(At<int64_t>(r, 464), 0);
    EXPECT_EQ(At<int64_t>(r, 472), 0);
    for (size_t offset : {480, 740, 1000})
        EXPECT_EQ(TextAt(r, offset), "") << offset;
    EXPECT_EQ(At<uint32_t>(r, 1260), 0u);
    EXPECT_EQ(At<int32_t>(r, 1264), 1);
    EXPECT_EQ(At<int32_t>(r, 1268), 1);
    for (int i = 0; i < 9; ++i)
        EXPECT_EQ(At<float>(r, 1272 + 4 * i), 0.0f) << i;
}

TEST(SceneObjectLayout, EveryFieldLandsAtItsOffset) {
    // Distinct values written through the field names must appear at the file offsets.
    auto record = std::make_unique<SceneObject>();
    record->visible = 11;
    record->centered = 12;
    record->optimized = 13;
    record->surfaceMode = 3;
    record->position[2] = 7.5f;
    record->capFill = 2;
    record->rotation[8] = -3.0f;
    record->lastCutKey[3] = -1234567890123;
    record->quaternion[3] = 0.25f;
    SetRecordText(record->backupPath, "/tmp/~CM1");
    record->pixelSize = 12.5f;
    record->tickFactor = 9;
    record->fileType = 2;
    record->facetCount = 1LL << 40;
    SetRecordText(record->name, "skull");
    SetRecordText(record->location, "/data/skull.p3g");
    SetRecordText(record->datasetPath, "/data/rec/slice0000.bmp");
    record->listBase = 4000000000u;
    record->topCut = 0;
    record->boxMax[2] = 99.0f;

    const SceneObject& r = *record;
    EXPECT_EQ(At<int32_t>(r, 0), 11);
    EXPECT_EQ(At<int32_t>(r, 4), 12);
    EXPECT_EQ(At<int32_t>(r, 8), 13);
    EXPECT_EQ(At<int16_t>(r, 28), 3);
    EXPECT_EQ(At<float>(r, 40), 7.5f);
    EXPECT_EQ(At<int32_t>(r, 60), 2);
    EXPECT_EQ(At<float>(r, 96), -3.0f);
    EXPECT_EQ(At<int64_t>(r, 128), -1234567890123);
    EXPECT_EQ(At<float>(r, 148), 0.25f);
    EXPECT_EQ(TextAt(r, 152), "/tmp/~CM1");
    EXPECT_EQ(At<float>(r, 412), 12.5f);
    EXPECT_EQ(At<int32_t>(r, 424), 9);
    EXPECT_EQ(At<int32_t>(r, 460), 2);
    EXPECT_EQ(At<int64_t>(r, 472), 1LL << 40);
    EXPECT_EQ(TextAt(r, 480), "skull");
    EXPECT_EQ(TextAt(r, 740), "/data/skull.p3g");
    EXPECT_EQ(TextAt(r, 1000), "/data/rec/slice0000.bmp");
    EXPECT_EQ(At<uint32_t>(r, 1260), 4000000000u);
    EXPECT_EQ(At<int32_t>(r, 1268), 0);
    EXPECT_EQ(At<float>(r, 1304), 99.0f);
}

TEST(SceneObjectText, LongTextsAreCutTo259CharactersAndTerminated) {
    auto record = std::make_unique<SceneObject>();
    std::memset(record->name, 'x', sizeof(record->name));
    SetRecordText(record->name, "short");
    EXPECT_STREQ(record->name, "short");
    EXPECT_EQ(record->name[kTextSize - 1], '\0');

    const std::string longText(400, 'a');
    SetRecordText(record->location, longText.c_str());
    EXPECT_EQ(std::string(record->location), longText.substr(0, 259));

    SetRecordText(record->location, nullptr);
    EXPECT_STREQ(record->location, "");
}

TEST(SceneObjectText, ALocationThatDoesNotFitIsRefusedByTheFieldAndKeptWhole) {
    auto record = std::make_unique<SceneObject>();
    EXPECT_TRUE(SetRecordLocation(*record, "/data/skull.p3g"));
    EXPECT_STREQ(record->location, "/data/skull.p3g");
    EXPECT_EQ(RecordLocation(*record), "/data/skull.p3g");

    const std::string fits = "/" + std::string(258, 'a');
    EXPECT_TRUE(SetRecordLocation(*record, fits));
    EXPECT_EQ(std::string(record->location), fits);

    const std::string tooLong = fits + "b";
    EXPECT_FALSE(SetRecordLocation(*record, tooLong));
    EXPECT_STREQ(record->location, "") << "never a cut path naming another file";
    EXPECT_EQ(record->modelPath, tooLong);
    EXPECT_EQ(RecordLocation(*record), tooLong);

    auto plate = std::make_unique<SceneObject>();
    SetRecordText(plate->location, "(internal)");
    EXPECT_EQ(RecordLocation(*plate), "(internal)");
}

TEST(SceneObjectSerial, ARecordKeepsItsSerialWhenItMovesAndANewRecordGetsANewOne) {
    auto scene = std::make_unique<Scene>();
    const uint64_t plate = scene->objects[1].serial;
    const int first = scene->AddModelSlot();
    EXPECT_EQ(scene->objects[2].serial, plate) << "the plate moved up with its serial";
    const uint64_t model = scene->objects[first].serial;
    EXPECT_NE(model, plate);
    scene->AddModelSlot();
    EXPECT_NE(scene->objects[2].serial, model);
    EXPECT_NE(scene->objects[2].serial, plate);
    EXPECT_EQ(scene->objects[3].serial, plate);
}
