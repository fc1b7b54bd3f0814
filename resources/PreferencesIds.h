#pragma once
// Identifiers of the Preferences dialog (dialog 140); every control's objectName carries its number.

inline constexpr int kIdPreferencesDialog = 140;

// Check boxes.
inline constexpr int kIdPrefAccelerator = 1076;      // "Use hardware accelerator"
inline constexpr int kIdPrefSound = 1048;            // "Sound notifications"
inline constexpr int kIdPrefPlateAtStart = 1049;     // "Show plate in the start"
inline constexpr int kIdPrefLogOpacity = 1108;       // "Logarithmic scale of the opacity"
inline constexpr int kIdPrefLookAt = 1133;           // "View from rising ground"
inline constexpr int kIdPrefBoxesWhenMoving = 1079;  // "Draw the models bounding boxes when moving"

// Number edits.
inline constexpr int kIdPrefApplyButtonLimit = 1041;  // "If model bigger than" ... "M facets"
inline constexpr int kIdPrefArrowLength = 1042;       // "Arrows length (units)"

// Read-only numbers with the up-down arrows that set them.
inline constexpr int kIdPrefJpegQualityEdit = 1098;
inline constexpr int kIdPrefJpegQualityUpDown = 1099;
inline constexpr int kIdPrefFramerateEdit = 1100;
inline constexpr int kIdPrefFramerateUpDown = 1101;

// "Reaction for the mouse wheel:" radio buttons.
inline constexpr int kIdPrefWheelFar = 1036;    // "move far on turn forward" (0)
inline constexpr int kIdPrefWheelClose = 1037;  // "move close on turn forward" (1)

inline constexpr int kIdPrefOk = 1;
inline constexpr int kIdPrefCancel = 2;
