#pragma once
// Screen placement of the main frame and the tool dialogs kept from one run to the next: the outer bounds
// in four 32-bit values of a section named after the window. A stored placement is used only when it
// lies inside the virtual screen (all monitors); the main frame gets back its position and size,
// the fixed-size dialogs only their position.

#include <string>

class QWidget;
class SettingsStore;

// Placement sections.
inline constexpr char szSettings[] = "Settings";
inline constexpr char szObjPropDlgName[] = "ObjectsDialog";
inline constexpr char szLightPropDlgName[] = "LightDialog";
inline constexpr char szStagePropDlgName[] = "StageDialog";
inline constexpr char szFRDlgName[] = "Flight recorder";
inline constexpr char szMovementsName[] = "Movements";

// Moves (and, when `withSize`, resizes) `window` to the placement stored in `section`, if that lies inside
// the virtual screen; otherwise the window keeps its place. Call once after the window is built.
void RestoreWindowPlacement(QWidget& window, SettingsStore& store, const std::string& section, bool withSize);

// Stores the window's outer bounds in `section`: a maximised window's bounds shrunk by its frame borders,
// a minimised window's normal bounds. False when the store could not be written.
bool SaveWindowPlacement(const QWidget& window, SettingsStore& store, const std::string& section);

// Mix-in for the windows that keep their placement: `Section` names the section, `Resizable` is true for
// the main frame (position and size) and false for the dialogs (position only).
template <const char* Section, bool Resizable>
class CPersistWnd {
protected:
    // Main frame: at the end of its creation; dialogs: at the end of their initialisation.
    void RestorePlacement(QWidget& window, SettingsStore& store) {
        RestoreWindowPlacement(window, store, Section, Resizable);
    }
    // Main frame: when it is asked to close; dialogs: when they go away.
    bool SavePlacement(const QWidget& window, SettingsStore& store) {
        return SaveWindowPlacement(window, store, Section);
    }
};
