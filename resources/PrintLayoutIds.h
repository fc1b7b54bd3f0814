#pragma once
// Identifiers of the Print Layout dialog (dialog 143); every control's objectName carries its number.

inline constexpr int kIdPrintLayoutDialog = 143;
inline constexpr int kIdPrintLayoutSizeEdit = 1040;        // "Image size (mm) :"
inline constexpr int kIdPrintLayoutLeftMarginEdit = 1052;  // "Left margin (mm) :"
inline constexpr int kIdPrintLayoutTopMarginEdit = 1039;   // "Top margin (mm) :"
inline constexpr int kIdPrintLayoutOk = 1;
inline constexpr int kIdPrintLayoutCancel = 2;
