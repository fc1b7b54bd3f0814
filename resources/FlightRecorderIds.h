#pragma once
// Identifiers of the flight recorder (dialog 144); every control's objectName carries its number.

inline constexpr int kIdFlightRecorderDialog = 144;
inline constexpr int kIdStoreKeyframeButton = 1053;  // "KeyFrame"
inline constexpr int kIdResetButton = 1058;          // "reset"
inline constexpr int kIdPlayButton = 1056;           // ">"
inline constexpr int kIdBackwardButton = 1055;       // "<<"
inline constexpr int kIdForwardButton = 1054;        // ">>"
inline constexpr int kIdStopButton = 1064;           // "STOP", in the place of ">"
inline constexpr int kIdPlayProgress = 1073;
inline constexpr int kIdKeyframeText = 1057;        // "%d/%d" or "0"
inline constexpr int kIdKeyframeLabel = 1122;       // "keyframe"
inline constexpr int kIdSaveFilesCheck = 1059;      // "save files"
inline constexpr int kIdInterpolatedCheck = 1061;   // "interpolated frames"
inline constexpr int kIdInterpolatedEdit = 1042;    // 0..1000
inline constexpr int kIdRepeatCheck = 1063;         // "repeat"
inline constexpr int kIdTotalFramesText = 1074;     // "Total number of frames"
inline constexpr int kIdFadeInCheck = 1110;         // "fade-in frames"
inline constexpr int kIdFadeOutCheck = 1111;        // "fade-out frames"
inline constexpr int kIdFadeInEdit = 1112;          // 0..1000
inline constexpr int kIdFadeOutEdit = 1113;         // 0..1000
inline constexpr int kIdFadeInStaticCheck = 1135;   // "static frames"
inline constexpr int kIdFadeOutStaticCheck = 1136;  // "static frames"
inline constexpr int kIdFadeInSceneRadio = 1116;    // "scene"
inline constexpr int kIdFadeInColourRadio = 1117;   // "color"
inline constexpr int kIdFadeOutSceneRadio = 1118;   // "scene"
inline constexpr int kIdFadeOutColourRadio = 1119;  // "color"
inline constexpr int kIdFadeInFromLabel = 1120;     // "from"
inline constexpr int kIdFadeOutToLabel = 1121;      // "to"
inline constexpr int kIdFadeInColourSwatch = 1123;
inline constexpr int kIdFadeOutColourSwatch = 1124;
