#pragma once
// The values of the "Settings" section: read when the main frame is built, written when it goes away.
// The three dialog-open flags are the exception: the frame records them when its window closes
// (WriteDialogOpenFlags), since by the time it is destroyed the dialogs are gone.

#include <cstdint>
#include <string>

class SettingsStore;

struct ProgramSettings {
    std::string dataDirectory;  // "DataDirectory": start folder of the file dialogs
    int32_t perspective = 70;   // "Perspective": 10..170, the scene header's fieldOfView is seeded from it
    uint32_t stageColor = 0x400000;  // "StageColor", 0x00BBGGRR
    uint32_t cubeColor = 0x8C9632;   // "CubeColor", 0x00BBGGRR
    int32_t stereoAngle = -4;        // "StereoAngle", degrees; negative: left image red
    int32_t fogIntensity = 20;       // "FogIntensity", units of 1e-5
    uint16_t bgMode = 0;             // "BG_mode": 0 fill by colour, 1 colour cube, 2 image cube
    uint16_t bbMode = 0;             // "BB_mode": 1 white bounding boxes
    std::string texture;             // "Texture": folder prefix of the image-cube pictures
    int32_t stageSize = 1000;        // "StageSize"
    int32_t openFileExt = 2;         // "OpenFileExt": 1..3
    int32_t leftMargin = 10;         // "LeftMargin", mm
    int32_t topMargin = 10;          // "TopMargin", mm
    int32_t printSize = 150;         // "Size", printed width in mm
    int32_t movementIncrement = 10;  // "MovementIncrement"
    int32_t logOpacity = 0;          // "Log"
    int32_t sound = 1;               // "Sound"
    int32_t mouseWheel = 0;          // "MouseWheel"
    int32_t interpolation = 1;       // "Interpolation"
    int32_t duration = 10;           // "Duration": at most 100
    float arrowLength = 50.0f;       // "ArrowLength", stored as text
    int32_t applyButtonLimit = 3;    // "ApplyButtonLimit": 1..9 million facets
    int32_t jpegQuality = 100;       // "JpegQuality"
    int32_t aviFramerate = 10;       // "AviFramerate"
    int32_t lookAt = 1;              // "LookAt": view from rising ground
    int32_t adaptiveCube = 0;        // "AdaptiveCube"
    int32_t plateSizeX = 500;        // "PlateSizeX", default StageSize / 2
    int32_t plateSizeY = 500;        // "PlateSizeY", default StageSize / 2
    int32_t stageDialogOpen = 0;     // "StageDialog"
    int32_t objectsDialogOpen = 0;   // "ObjectsDialog"
    int32_t lightDialogOpen = 0;     // "LightDialog"
};

inline constexpr char kSettingsSection[] = "Settings";
// Values of "Settings" owned outside the frame: the application reads "GLaccelerator" and "PlateVisible"
// at start-up, the view "RotationIncrement" and "DrawBoundingBoxes".
inline constexpr char kGlAcceleratorKey[] = "GLaccelerator";
inline constexpr char kPlateVisibleKey[] = "PlateVisible";
inline constexpr char kRotationIncrementKey[] = "RotationIncrement";
inline constexpr char kDrawBoundingBoxesKey[] = "DrawBoundingBoxes";

// Reads every frame-owned value of "Settings" with its default and clamp; `defaultDataDirectory` is the
// "DataDirectory" used when none is stored. Never fails: unreadable values take their defaults.
ProgramSettings ReadProgramSettings(SettingsStore& store, const std::string& defaultDataDirectory);

// Writes every frame-owned value of "Settings" except the dialog-open flags.
void WriteProgramSettings(SettingsStore& store, const ProgramSettings& settings);

// Writes "StageDialog", "ObjectsDialog" and "LightDialog" from `settings` (when the main window closes).
void WriteDialogOpenFlags(SettingsStore& store, const ProgramSettings& settings);

// "RotationIncrement" (default 5) as the view uses it: the absolute value modulo 360.
int32_t ReadRotationIncrement(SettingsStore& store);
