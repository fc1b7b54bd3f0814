#include "platform/ProgramSettings.h"

#include <cstdlib>

#include "platform/NumberText.h"
#include "platform/SettingsStore.h"

namespace {

int32_t ReadSigned(SettingsStore& store, const char* name, int32_t fallback) {
    return static_cast<int32_t>(store.IntOr(kSettingsSection, name, static_cast<uint32_t>(fallback)));
}

// Clamps a stored value read as unsigned: a negative number reads as a huge one and so takes the upper bound.
int32_t ReadClamped(SettingsStore& store, const char* name, uint32_t fallback, uint32_t low, uint32_t high) {
    const uint32_t value = store.IntOr(kSettingsSection, name, fallback);
    if (value < low) return static_cast<int32_t>(low);
    if (value > high) return static_cast<int32_t>(high);
    return static_cast<int32_t>(value);
}

void WriteSigned(SettingsStore& store, const char* name, int32_t value) {
    store.WriteInt(kSettingsSection, name, static_cast<uint32_t>(value));
}

}  // namespace

ProgramSettings ReadProgramSettings(SettingsStore& store, const std::string& defaultDataDirectory) {
    ProgramSettings s;
    s.dataDirectory = store.StringOr(kSettingsSection, "DataDirectory", defaultDataDirectory);
    s.perspective = ReadClamped(store, "Perspective", 70, 10, 170);
    s.stageColor = store.IntOr(kSettingsSection, "StageColor", 0x400000);
    s.cubeColor = store.IntOr(kSettingsSection, "CubeColor", 0x8C9632);
    s.stereoAngle = ReadSigned(store, "StereoAngle", -4);
    s.fogIntensity = ReadSigned(store, "FogIntensity", 20);
    s.bgMode = static_cast<uint16_t>(store.IntOr(kSettingsSection, "BG_mode", 0));
    s.bbMode = static_cast<uint16_t>(store.IntOr(kSettingsSection, "BB_mode", 0));
    s.texture = store.StringOr(kSettingsSection, "Texture", "");
    s.stageSize = ReadSigned(store, "StageSize", 1000);
    s.openFileExt = ReadClamped(store, "OpenFileExt", 2, 1, 3);
    s.leftMargin = ReadSigned(store, "LeftMargin", 10);
    s.topMargin = ReadSigned(store, "TopMargin", 10);
    s.printSize = ReadSigned(store, "Size", 150);
    s.movementIncrement = ReadSigned(store, "MovementIncrement", 10);
    s.logOpacity = ReadSigned(store, "Log", 0);
    s.sound = ReadSigned(store, "Sound", 1);
    s.mouseWheel = ReadSigned(store, "MouseWheel", 0);
    s.interpolation = ReadSigned(store, "Interpolation", 1);
    s.duration = ReadClamped(store, "Duration", 10, 0, 100);
    // Text that holds no number reads as 0, as a C atof would.
    s.arrowLength = ScanFloat(store.StringOr(kSettingsSection, "ArrowLength", "50")).value_or(0.0f);
    s.applyButtonLimit = ReadClamped(store, "ApplyButtonLimit", 3, 1, 9);
    s.jpegQuality = ReadSigned(store, "JpegQuality", 100);
    s.aviFramerate = ReadSigned(store, "AviFramerate", 10);
    s.lookAt = ReadSigned(store, "LookAt", 1);
    s.adaptiveCube = ReadSigned(store, "AdaptiveCube", 0);
    s.plateSizeX = ReadSigned(store, "PlateSizeX", s.stageSize / 2);
    s.plateSizeY = ReadSigned(store, "PlateSizeY", s.stageSize / 2);
    s.stageDialogOpen = ReadSigned(store, "StageDialog", 0);
    s.objectsDialogOpen = ReadSigned(store, "ObjectsDialog", 0);
    s.lightDialogOpen = ReadSigned(store, "LightDialog", 0);
    return s;
}

void WriteProgramSettings(SettingsStore& store, const ProgramSettings& s) {
    store.WriteString(kSettingsSection, "DataDirectory", s.dataDirectory);
    WriteSigned(store, "Perspective", s.perspective);
    store.WriteInt(kSettingsSection, "StageColor", s.stageColor);
    store.WriteInt(kSettingsSection, "CubeColor", s.cubeColor);
    WriteSigned(store, "StereoAngle", s.stereoAngle);
    WriteSigned(store, "FogIntensity", s.fogIntensity);
    store.WriteInt(kSettingsSection, "BG_mode", s.bgMode);
    store.WriteInt(kSettingsSection, "BB_mode", s.bbMode);
    store.WriteString(kSettingsSection, "Texture", s.texture);
    WriteSigned(store, "StageSize", s.stageSize);
    WriteSigned(store, "OpenFileExt", s.openFileExt);
    WriteSigned(store, "LeftMargin", s.leftMargin);
    WriteSigned(store, "TopMargin", s.topMargin);
    WriteSigned(store, "Size", s.printSize);
    WriteSigned(store, "MovementIncrement", s.movementIncrement);
    WriteSigned(store, "Log", s.logOpacity);
    WriteSigned(store, "Sound", s.sound);
    WriteSigned(store, "MouseWheel", s.mouseWheel);
    WriteSigned(store, "Interpolation", s.interpolation);
    WriteSigned(store, "Duration", s.duration);
    store.WriteString(kSettingsSection, "ArrowLength", FormatFixed4(s.arrowLength));
    WriteSigned(store, "ApplyButtonLimit", s.applyButtonLimit);
    WriteSigned(store, "JpegQuality", s.jpegQuality);
    WriteSigned(store, "AviFramerate", s.aviFramerate);
    WriteSigned(store, "LookAt", s.lookAt);
    WriteSigned(store, "AdaptiveCube", s.adaptiveCube);
    WriteSigned(store, "PlateSizeX", s.plateSizeX);
    WriteSigned(store, "PlateSizeY", s.plateSizeY);
}

void WriteDialogOpenFlags(SettingsStore& store, const ProgramSettings& s) {
    WriteSigned(store, "StageDialog", s.stageDialogOpen);
    WriteSigned(store, "ObjectsDialog", s.objectsDialogOpen);
    WriteSigned(store, "LightDialog", s.lightDialogOpen);
}

int32_t ReadRotationIncrement(SettingsStore& store) {
    const int64_t value = ReadSigned(store, kRotationIncrementKey, 5);
    return static_cast<int32_t>(std::llabs(value) % 360);
}
