#include "platform/ProgramSettings.h"

#include <gtest/gtest.h>

#include "support/MemorySettingsStore.h"

namespace {

ProgramSettings ReadWith(const std::string& name, uint32_t value) {
    MemorySettingsStore store;
    store.WriteInt(kSettingsSection, name, value);
    return ReadProgramSettings(store, "/home/user");
}

uint32_t Signed(int32_t value) {
    return static_cast<uint32_t>(value);
}

}  // namespace

TEST(ProgramSettings, EmptyStoreGivesEveryDefault) {
    MemorySettingsStore store;
    const ProgramSettings s = ReadProgramSettings(store, "/home/user");
    EXPECT_EQ(s.dataDirectory, "/home/user");
    EXPECT_EQ(s.perspective, 70);
    EXPECT_EQ(s.stageColor, 0x400000u);
    EXPECT_EQ(s.cubeColor, 0x8C9632u);
    EXPECT_EQ(s.stereoAngle, -4);
    EXPECT_EQ(s.fogIntensity, 20);
    EXPECT_EQ(s.bgMode, 0);
    EXPECT_EQ(s.bbMode, 0);
    EXPECT_EQ(s.texture, "");
    EXPECT_EQ(s.stageSize, 1000);
    EXPECT_EQ(s.openFileExt, 2);
    EXPECT_EQ(s.leftMargin, 10);
    EXPECT_EQ(s.topMargin, 10);
    EXPECT_EQ(s.printSize, 150);
    EXPECT_EQ(s.movementIncrement, 10);
    EXPECT_EQ(s.logOpacity, 0);
    EXPECT_EQ(s.sound, 1);
    EXPECT_EQ(s.mouseWheel, 0);
    EXPECT_EQ(s.interpolation, 1);
    EXPECT_EQ(s.duration, 10);
    EXPECT_EQ(s.arrowLength, 50.0f);
    EXPECT_EQ(s.applyButtonLimit, 3);
    EXPECT_EQ(s.jpegQuality, 100);
    EXPECT_EQ(s.aviFramerate, 10);
    EXPECT_EQ(s.lookAt, 1);
    EXPECT_EQ(s.adaptiveCube, 0);
    EXPECT_EQ(s.plateSizeX, 500);
    EXPECT_EQ(s.plateSizeY, 500);
    EXPECT_EQ(s.stageDialogOpen, 0);
    EXPECT_EQ(s.objectsDialogOpen, 0);
    EXPECT_EQ(s.lightDialogOpen, 0);
    EXPECT_EQ(ReadRotationIncrement(store), 5);
    // Reading never writes.
    EXPECT_TRUE(store.operations.empty());
}

TEST(ProgramSettings, ClampsApplyEveryTimeAValueIsRead) {
    EXPECT_EQ(ReadWith("Perspective", 5).perspective, 10);
    EXPECT_EQ(ReadWith("Perspective", 10).perspective, 10);
    EXPECT_EQ(ReadWith("Perspective", 170).perspective, 170);
    EXPECT_EQ(ReadWith("Perspective", 200).perspective, 170);
    EXPECT_EQ(ReadWith("Perspective", Signed(-1)).perspective, 170);

    EXPECT_EQ(ReadWith("Duration", 0).duration, 0);
    EXPECT_EQ(ReadWith("Duration", 100).duration, 100);
    EXPECT_EQ(ReadWith("Duration", 150).duration, 100);
    EXPECT_EQ(ReadWith("Duration", Signed(-3)).duration, 100);

    EXPECT_EQ(ReadWith("ApplyButtonLimit", 0).applyButtonLimit, 1);
    EXPECT_EQ(ReadWith("ApplyButtonLimit", 9).applyButtonLimit, 9);
    EXPECT_EQ(ReadWith("ApplyButtonLimit", 12).applyButtonLimit, 9);
    EXPECT_EQ(ReadWith("ApplyButtonLimit", Signed(-1)).applyButtonLimit, 9);

    EXPECT_EQ(ReadWith("OpenFileExt", 0).openFileExt, 1);
    EXPECT_EQ(ReadWith("OpenFileExt", 3).openFileExt, 3);
    EXPECT_EQ(ReadWith("OpenFileExt", 4).openFileExt, 3);
    EXPECT_EQ(ReadWith("OpenFileExt", Signed(-2)).openFileExt, 3);

    // Held in 16 bits.
    EXPECT_EQ(ReadWith("BG_mode", 0x10002).bgMode, 2);
    EXPECT_EQ(ReadWith("BB_mode", 0xFFFF0001).bbMode, 1);
    // Signed and unsigned meanings.
    EXPECT_EQ(ReadWith("StereoAngle", Signed(-7)).stereoAngle, -7);
    EXPECT_EQ(ReadWith("StageColor", 0x00FFEEDD).stageColor, 0x00FFEEDDu);

    // The plate defaults to half the stored stage, by integer division; stored plate sizes win.
    EXPECT_EQ(ReadWith("StageSize", 301).plateSizeX, 150);
    EXPECT_EQ(ReadWith("StageSize", 301).plateSizeY, 150);
    EXPECT_EQ(ReadWith("PlateSizeY", 77).plateSizeY, 77);
    EXPECT_EQ(ReadWith("PlateSizeY", 77).plateSizeX, 500);
}

TEST(ProgramSettings, RotationIncrementIsTheAbsoluteValueModulo360) {
    MemorySettingsStore store;
    store.WriteInt(kSettingsSection, kRotationIncrementKey, Signed(-370));
    EXPECT_EQ(ReadRotationIncrement(store), 10);
    store.WriteInt(kSettingsSection, kRotationIncrementKey, 720);
    EXPECT_EQ(ReadRotationIncrement(store), 0);
    store.WriteInt(kSettingsSection, kRotationIncrementKey, Signed(INT32_MIN));
    EXPECT_EQ(ReadRotationIncrement(store), 2147483648LL % 360);
}

TEST(ProgramSettings, ArrowLengthIsTextParsedAndWrittenWithFourDecimals) {
    MemorySettingsStore store;
    store.WriteString(kSettingsSection, "ArrowLength", "12.5");
    ProgramSettings s = ReadProgramSettings(store, "/");
    EXPECT_EQ(s.arrowLength, 12.5f);
    WriteProgramSettings(store, s);
    EXPECT_EQ(store.ReadString(kSettingsSection, "ArrowLength"), "12.5000");
    EXPECT_EQ(ReadProgramSettings(store, "/").arrowLength, 12.5f);

    store.WriteString(kSettingsSection, "ArrowLength", "  7.25 units");
    EXPECT_EQ(ReadProgramSettings(store, "/").arrowLength, 7.25f);
    // Text without a number reads as 0, as C's atof gives; "nan" is no length.
    store.WriteString(kSettingsSection, "ArrowLength", "long");
    EXPECT_EQ(ReadProgramSettings(store, "/").arrowLength, 0.0f);
    store.WriteString(kSettingsSection, "ArrowLength", "nan");
    EXPECT_EQ(ReadProgramSettings(store, "/").arrowLength, 0.0f);
}

TEST(ProgramSettings, WriteThenReadGivesTheSameValuesWithTheirTypes) {
    ProgramSettings s;
    s.dataDirectory = "/data/Scans/Ünïcode dir";
    s.perspective = 45;
    s.stageColor = 0x00112233;
    s.cubeColor = 0x00445566;
    s.stereoAngle = 6;
    s.fogIntensity = 35;
    s.bgMode = 2;
    s.bbMode = 1;
    s.texture = "/data/cube/";
    s.stageSize = 2400;
    s.openFileExt = 3;
    s.leftMargin = 12;
    s.topMargin = 14;
    s.printSize = 180;
    s.movementIncrement = 25;
    s.logOpacity = 1;
    s.sound = 0;
    s.mouseWheel = 1;
    s.interpolation = 0;
    s.duration = 40;
    s.arrowLength = 0.125f;
    s.applyButtonLimit = 7;
    s.jpegQuality = 85;
    s.aviFramerate = 25;
    s.lookAt = 0;
    s.adaptiveCube = 1;
    s.plateSizeX = 611;
    s.plateSizeY = 433;
    s.stageDialogOpen = 1;
    s.objectsDialogOpen = 1;
    s.lightDialogOpen = 1;

    MemorySettingsStore store;
    WriteProgramSettings(store, s);
    // The dialog-open flags are recorded when the window closes, not with the rest.
    EXPECT_FALSE(store.Has(kSettingsSection, "StageDialog"));
    EXPECT_FALSE(store.Has(kSettingsSection, "ObjectsDialog"));
    EXPECT_FALSE(store.Has(kSettingsSection, "LightDialog"));
    WriteDialogOpenFlags(store, s);

    const auto& values = store.sections.at(kSettingsSection);
    EXPECT_TRUE(std::holds_alternative<std::string>(values.at("DataDirectory")));
    EXPECT_TRUE(std::holds_alternative<std::string>(values.at("Texture")));
    EXPECT_TRUE(std::holds_alternative<std::string>(values.at("ArrowLength")));
    EXPECT_TRUE(std::holds_alternative<uint32_t>(values.at("Perspective")));
    EXPECT_TRUE(std::holds_alternative<uint32_t>(values.at("StereoAngle")));
    EXPECT_EQ(values.size(), 31u);

    const ProgramSettings r = ReadProgramSettings(store, "/elsewhere");
    EXPECT_EQ(r.dataDirectory, s.dataDirectory);
    EXPECT_EQ(r.perspective, s.perspective);
    EXPECT_EQ(r.stageColor, s.stageColor);
    EXPECT_EQ(r.cubeColor, s.cubeColor);
    EXPECT_EQ(r.stereoAngle, s.stereoAngle);
    EXPECT_EQ(r.fogIntensity, s.fogIntensity);
    EXPECT_EQ(r.bgMode, s.bgMode);
    EXPECT_EQ(r.bbMode, s.bbMode);
    EXPECT_EQ(r.texture, s.texture);
    EXPECT_EQ(r.stageSize, s.stageSize);
    EXPECT_EQ(r.openFileExt, s.openFileExt);
    EXPECT_EQ(r.leftMargin, s.leftMargin);
    EXPECT_EQ(r.topMargin, s.topMargin);
    EXPECT_EQ(r.printSize, s.printSize);
    EXPECT_EQ(r.movementIncrement, s.movementIncrement);
    EXPECT_EQ(r.logOpacity, s.logOpacity);
    EXPECT_EQ(r.sound, s.sound);
    EXPECT_EQ(r.mouseWheel, s.mouseWheel);
    EXPECT_EQ(r.interpolation, s.interpolation);
    EXPECT_EQ(r.duration, s.duration);
    EXPECT_EQ(r.arrowLength, s.arrowLength);
    EXPECT_EQ(r.applyButtonLimit, s.applyButtonLimit);
    EXPECT_EQ(r.jpegQuality, s.jpegQuality);
    EXPECT_EQ(r.aviFramerate, s.aviFramerate);
    EXPECT_EQ(r.lookAt, s.lookAt);
    EXPECT_EQ(r.adaptiveCube, s.adaptiveCube);
    EXPECT_EQ(r.plateSizeX, s.plateSizeX);
    EXPECT_EQ(r.plateSizeY, s.plateSizeY);
    EXPECT_EQ(r.stageDialogOpen, 1);
    EXPECT_EQ(r.objectsDialogOpen, 1);
    EXPECT_EQ(r.lightDialogOpen, 1);
}

TEST(ProgramSettings, ValuesOfTheWrongTypeReadAsDefaults) {
    MemorySettingsStore store;
    store.WriteString(kSettingsSection, "Perspective", "wide");
    store.WriteBytes(kSettingsSection, "JpegQuality", {1, 2, 3, 4});
    store.WriteString(kSettingsSection, "Duration", "");
    store.WriteString(kSettingsSection, "FogIntensity", "45");  // digits written as text still count
    store.WriteInt(kSettingsSection, "Texture", 12);
    const ProgramSettings s = ReadProgramSettings(store, "/");
    EXPECT_EQ(s.perspective, 70);
    EXPECT_EQ(s.jpegQuality, 100);
    EXPECT_EQ(s.duration, 10);
    EXPECT_EQ(s.fogIntensity, 45);
    EXPECT_EQ(s.texture, "12");
}
