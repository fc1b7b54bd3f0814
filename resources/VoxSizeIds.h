#pragma once
// Identifiers of the voxel size entry (dialog 189); its edit's objectName carries the number.

inline constexpr int kIdVoxSizeDialog = 189;
inline constexpr int kIdVoxSizeEdit = 1136;  // under "Voxel size (um)"
