#pragma once
// Identifiers of the dataset resampling dialog (dialog 146); every control's objectName carries its number.

inline constexpr int kIdRecutDialog = 146;
inline constexpr int kIdRecutOperation = 1130;    // "Resampling" / "MIP"
inline constexpr int kIdRecutPrefixLabel = 1129;  // follows the operation
inline constexpr int kIdRecutPrefix = 1127;
inline constexpr int kIdRecutFileType = 1097;    // "bmp" / "jpg"
inline constexpr int kIdRecutBackground = 1124;  // colour swatches
inline constexpr int kIdRecutCountLabel = 1132;  // follows the operation
inline constexpr int kIdRecutCount = 1125;
inline constexpr int kIdRecutSpacingLabel = 1128;  // resampling only
inline constexpr int kIdRecutSpacing = 1126;       // resampling only
inline constexpr int kIdRecutOk = 1;
inline constexpr int kIdRecutCancel = 2;
