#pragma once
// Identifiers of the movie compression chooser and its controls.

inline constexpr int kIdCompressionDialog = 195;
inline constexpr int kIdCompressionCodecList = 1000;      // the codecs that open here
inline constexpr int kIdCompressionQualitySlider = 1001;  // 1..100
inline constexpr int kIdCompressionQualityText = 1002;    // the slider's value
inline constexpr int kIdCompressionOk = 1;
inline constexpr int kIdCompressionCancel = 2;
