#pragma once
// Identifiers of the Movements window (dialog 161): its controls, whose objectName carries the number,
// and the pictures of its twelve buttons.

inline constexpr int kIdMovementsDialog = 161;

// Number edits.
inline constexpr int kIdRotationStepEdit = 1039;     // under "Rotations:    step(deg):"
inline constexpr int kIdTranslationStepEdit = 1038;  // under "Translations:    step(pix):"

// Translation row, left to right: keys 'U', 'D', 'L', 'R', 'F', 'B'.
inline constexpr int kIdMoveUpButton = 1077;
inline constexpr int kIdMoveDownButton = 1078;
inline constexpr int kIdMoveLeftButton = 1079;
inline constexpr int kIdMoveRightButton = 1080;
inline constexpr int kIdMoveForwardButton = 1081;
inline constexpr int kIdMoveBackButton = 1082;

// Rotation row, left to right: keys Right, Left, Down, Up, Home, Page Up.
inline constexpr int kIdTurnRightButton = 1084;
inline constexpr int kIdTurnLeftButton = 1085;
inline constexpr int kIdTurnDownButton = 1086;
inline constexpr int kIdTurnUpButton = 1087;
inline constexpr int kIdTurnHomeButton = 1088;
inline constexpr int kIdTurnPageUpButton = 1083;

// Button pictures 163..174, in the order 1077..1082, 1084..1088, 1083; 24 x 24 pixels each.
inline constexpr int kFirstMovementBitmap = 163;
inline constexpr int kMovementPictureSize = 24;
