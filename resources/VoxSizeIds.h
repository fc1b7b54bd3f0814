#pragma once
// Identifiers of the voxel size entry (dialog 189); every control's objectName carries its number.

inline constexpr int kIdVoxSizeDialog = 189;
inline constexpr int kIdVoxSizeEdit = 1136;  // under "Voxel size (um)"
inline constexpr int kIdVoxSizeOk = 1;       // never shown: Enter and a press outside act for it
inline constexpr int kIdVoxSizeCancel = 2;   // never shown: Escape acts for it
