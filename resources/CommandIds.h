#pragma once
// Command and resource identifiers of the main frame, and the prompt/tip text of each command.
// Every QAction carries its identifier as its objectName (for example "32771").

// Main frame resources: menu, accelerators, toolbar and document strings share number 128.
inline constexpr int kIdMainFrameResource = 128;

// Commands (menu items, toolbar buttons, accelerators).
inline constexpr int kIdNewDocument = 57600;      // Ctrl+N: an empty document, no visible change
inline constexpr int kIdLoadObject = 57601;       // " Load &Object...\tCtrl+O"
inline constexpr int kIdPrintSetup = 57606;       // "P&rint Setup..."
inline constexpr int kIdPrint = 57607;            // "&Print...\tCtrl+P"
inline constexpr int kIdPrintPreview = 57609;     // "Print Preview"
inline constexpr int kIdDuplicateObject = 57634;  // Ctrl+C, Ctrl+Ins: no menu item
inline constexpr int kIdAbout = 57664;            // "&About Pexora..."
inline constexpr int kIdExit = 57665;             // " E&xit"
inline constexpr int kIdHelpTopics = 57667;       // "&Help Topics"
inline constexpr int kIdContextHelp = 57669;      // Shift+F1 and the toolbar's help button
inline constexpr int kIdHelp = 57670;             // F1
inline constexpr int kIdObjects = 32771;          // " &Object(s)..."
inline constexpr int kIdLight = 32772;            // " &Light..."
inline constexpr int kIdStage = 32773;            // " &Stage..."
inline constexpr int kIdMoveCamera = 32774;       // "Move Camera"
inline constexpr int kIdMoveObjects = 32775;      // "Move Object(s)"
inline constexpr int kIdResetPositions = 32776;   // "Reset Positions"
inline constexpr int kIdSaveImage = 32777;        // " &Save Image...\tCtrl+S"
inline constexpr int kIdStereo = 32782;           // "&Stereo"
inline constexpr int kIdPreferences = 32783;      // " &Preferences..."
inline constexpr int kIdPageLayout = 32784;       // "Page &Layout..."
inline constexpr int kIdFlightRecorder = 32786;   // " Flight &Recorder..."
inline constexpr int kIdResampleDataset = 32788;  // " Resample &Dataset"
inline constexpr int kIdMovements = 32790;        // " Movements..."
inline constexpr int kIdMoveToObject = 32794;     // "Move to Object"
inline constexpr int kIdSaveScene = 32796;        // " Save Scene"
inline constexpr int kIdLoadScene = 32797;        // " Load Scene"
inline constexpr int kIdViewToolbar = 59392;      // "&Toolbar"
inline constexpr int kIdViewStatusBar = 59393;    // "St&atus Bar"

// Menu bitmaps (13 x 11 pixels) shown beside menu items that carry no check mark.
inline constexpr int kBitmapLoadObject = 152;
inline constexpr int kBitmapObjects = 154;
inline constexpr int kBitmapStage = 156;
inline constexpr int kBitmapLight = 157;
inline constexpr int kBitmapFlightRecorder = 159;

// Status-bar texts.
inline constexpr const char* kIdleMessage = "For Help, press F1";
inline constexpr const char* kModelsFormat = "%d models, %ld facets";
inline constexpr const char* kPositionFormat = "PositionX:%04d,Y:%04d,Z:%04d";
inline constexpr const char* kCameraFormat = "CameraX:%+1.2f,Y:%+1.2f,Z:%+1.2f";
inline constexpr const char* kProgressFormat = "%s%3d%c";

// The string resource of a command: "prompt\ntip" (status-bar prompt, then tool tip).
// Returns an empty string for a number that is no command.
constexpr const char* CommandString(int id) {
    switch (id) {
        case kIdNewDocument:
            return "Create a new document\nNew";
        case kIdLoadObject:
            return "Load a surface model into the scene\nLoad object";
        case kIdPrintSetup:
            return "Change the printer and printing options\nPage setup";
        case kIdPrint:
            return "Print the screen image\nPrint";
        case kIdPrintPreview:
            return "Display full pages\nPrint preview";
        case kIdDuplicateObject:
            return "Duplicate the selected object\nCopy object";
        case kIdAbout:
            return "Display program information, version number and copyright\nAbout";
        case kIdExit:
            return "Quit the application\nExit";
        case kIdHelpTopics:
            return "List Help topics\nHelp topics";
        case kIdContextHelp:
            return "Display help for clicked buttons, menus and windows\nHelp";
        case kIdHelp:
            return "Display help for current task or command\nHelp";
        case kIdObjects:
            return "Open/Close object properties\nObject properties";
        case kIdLight:
            return "Open/Close light properties\nLight properties";
        case kIdStage:
            return "Open/Close stage properties\nStage properties";
        case kIdMoveCamera:
            return "Select camera movement\nMove camera";
        case kIdMoveObjects:
            return "Select object(s) movement\nMove objects";
        case kIdResetPositions:
            return "Reset all movements\nReset movements";
        case kIdSaveImage:
            return "Save image from the screen\nSave screen image";
        case kIdStereo:
            return "On/Off stero imaging\nStereo";
        case kIdPreferences:
            return "User's preferences selection\nPreferences settings";
        case kIdPageLayout:
            return "Set the size and position of the printed image\nPage layout";
        case kIdFlightRecorder:
            return "Record and playback the flight\nFlight recorder";
        case kIdResampleDataset:
            return "Create new dataset in alternative orientation\nResample dataset";
        case kIdMovements:
            return "Open/Close the movements window\nMovements";
        case kIdMoveToObject:
            return "Move scene to the object centre\nMove to object centre";
        case kIdSaveScene:
            return "Save the whole scene to a file\nSave scene";
        case kIdLoadScene:
            return "Load a scene from a file\nLoad scene";
        case kIdViewToolbar:
            return "Show or hide the toolbar\nToggle ToolBar";
        case kIdViewStatusBar:
            return "Show or hide the status bar\nToggle StatusBar";
        default:
            return "";
    }
}
