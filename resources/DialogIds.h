#pragma once
// Identifiers of the property dialogs and their controls; every control's objectName carries its
// number as text.

// ---- Objects dialog (dialog 130, " Objects") and the rename dialog (dialog 149) ----
inline constexpr int kIdObjectsDialog = 130;
inline constexpr int kIdObjectList = 1000;
// Material sliders (0..100) and the read-only percentage edits beside them.
inline constexpr int kIdRedSlider = 1002;
inline constexpr int kIdRedText = 1003;
inline constexpr int kIdGreenSlider = 1004;
inline constexpr int kIdGreenText = 1005;
inline constexpr int kIdBlueSlider = 1006;
inline constexpr int kIdBlueText = 1007;
inline constexpr int kIdEmissionSlider = 1008;
inline constexpr int kIdEmissionText = 1009;
inline constexpr int kIdDiffuseSlider = 1010;
inline constexpr int kIdDiffuseText = 1011;
inline constexpr int kIdReflectionSlider = 1012;
inline constexpr int kIdReflectionText = 1013;
inline constexpr int kIdOpacitySlider = 1014;
inline constexpr int kIdOpacityText = 1015;
inline constexpr int kIdResetAllButton = 1016;       // "Reset all"
inline constexpr int kIdColoursButton = 1017;        // "Colors >>"
inline constexpr int kIdFacetsText = 1018;           // "Facets : "
inline constexpr int kIdVertexesText = 1019;         // "Vertexes : "
inline constexpr int kIdLocationText = 1020;         // "Location : "
inline constexpr int kIdVisibleCheck = 1021;         // "visible"
inline constexpr int kIdSurfaceApplyButton = 1026;   // "Apply" (surface)
inline constexpr int kIdSurfaceHint = 1027;          // "surface updating\nmay take some time"
inline constexpr int kIdMovableCheck = 1028;         // "movable"
inline constexpr int kIdMaterialApplyButton = 1029;  // "Apply" (material)
inline constexpr int kIdCutButton = 1045;            // "Cut by plate"
inline constexpr int kIdRestoreButton = 1046;        // "Restore"
inline constexpr int kIdRenameButton = 1067;         // "Rename"
inline constexpr int kIdDeleteButton = 1068;         // "Delete"
inline constexpr int kIdCenteredCheck = 1072;        // "centered"
inline constexpr int kIdAxesCheck = 1075;            // "XYZ - axis"
inline constexpr int kIdApplyToAllButton = 1083;     // "Apply to all"
inline constexpr int kIdSurfaceCombo = 1084;
inline constexpr int kIdTopCutCheck = 1085;  // "top-cut"
inline constexpr int kIdCutIcon = 1088;
inline constexpr int kIdPlateEditButton = 1089;     // "Edit" / "Apply" (plate)
inline constexpr int kIdPlateDefaultButton = 1090;  // "Default" (plate)
inline constexpr int kIdPlateSizeLabel = 1091;
inline constexpr int kIdPlateSizeXEdit = 1092;
inline constexpr int kIdPlateSizeYEdit = 1093;
inline constexpr int kIdOptimizedCheck = 1094;  // "optimized"
inline constexpr int kIdTextureCombo = 1096;
inline constexpr int kIdLoadMaterialButton = 1103;  // "Load"
inline constexpr int kIdSaveMaterialButton = 1104;  // "Save"
inline constexpr int kIdRecutCheck = 1109;          // "%" (push-like)
inline constexpr int kIdBoxCheck = 1134;            // "bounding box"
inline constexpr int kIdPixelSizeIcon = 1136;
inline constexpr int kIdTickSlider = 1138;  // 1..10
inline constexpr int kIdTickLabel = 1139;   // ">\t<"

inline constexpr int kIdNewNameDialog = 149;
inline constexpr int kIdCurrentNameEdit = 1069;  // "Curent name : "
inline constexpr int kIdNewNameEdit = 1070;      // "New name : "

// ---- Light dialog (dialog 134, " Light") ----
inline constexpr int kIdLightDialog = 134;
// Sliders (0..100) and the read-only percentage edits beside them: colour red, green, blue, then the
// direction the light comes from, x, y, z.
inline constexpr int kIdLightRedSlider = 1008;
inline constexpr int kIdLightRedText = 1009;
inline constexpr int kIdLightGreenSlider = 1010;
inline constexpr int kIdLightGreenText = 1011;
inline constexpr int kIdLightBlueSlider = 1012;
inline constexpr int kIdLightBlueText = 1013;
inline constexpr int kIdLightXSlider = 1028;
inline constexpr int kIdLightXText = 1029;
inline constexpr int kIdLightYSlider = 1004;
inline constexpr int kIdLightYText = 1005;
inline constexpr int kIdLightZSlider = 1006;
inline constexpr int kIdLightZText = 1007;

// ---- Stage dialog (dialog 136, " Stage") ----
inline constexpr int kIdStageDialog = 136;
inline constexpr int kIdViewAngleSlider = 1071;      // "10" .. "170"
inline constexpr int kIdViewAngleText = 1062;        // "%d deg"
inline constexpr int kIdFillRadio = 1036;            // "fill by color   >>"
inline constexpr int kIdColourCubeRadio = 1043;      // "color cube   >>"
inline constexpr int kIdImageCubeRadio = 1037;       // "image cube >>"
inline constexpr int kIdStageColourButton = 1017;    // "Set color ..." (fill)
inline constexpr int kIdCubeColourButton = 1018;     // "Set color ..." (colour cube)
inline constexpr int kIdTextureEdit = 1038;          // image-cube folder
inline constexpr int kIdReloadImageButton = 1044;    // "Reload image"
inline constexpr int kIdCubeSizeEdit = 1042;         // "cube size    >>"
inline constexpr int kIdCubeSizeApplyButton = 1026;  // "Apply"
inline constexpr int kIdAdaptiveCheck = 1102;        // "adaptive"
inline constexpr int kIdWhiteBoxesCheck = 1141;      // "White bounding boxes"
inline constexpr int kIdStereoCheck = 1030;          // "Stereo mode"
inline constexpr int kIdStereoAngleSlider = 1032;    // -10..+10 degrees
inline constexpr int kIdStereoAngleText = 1033;      // "%ddeg"
inline constexpr int kIdStereoNote = 1034;           // "( - for left red, + for right red)"
inline constexpr int kIdStereoAngleLabel = 1035;     // "angle :"
inline constexpr int kIdFogCheck = 1039;             // "Add fog :"
inline constexpr int kIdFogSlider = 1040;            // 0..100
inline constexpr int kIdFogText = 1041;              // "%d%%"
