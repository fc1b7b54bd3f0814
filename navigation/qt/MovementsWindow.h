#pragma once
// Command 32790 " Movements...": the Movements window exists from one command to the next (or until
// the user closes it) and is built anew each time with the current step values.

#include <QPointer>

#include "navigation/qt/CMovementsDlg.h"

class MovementsWindow {
public:
    // Everything must outlive this object; the frame keeps it as a member so that the window goes
    // before the scene and settings do.
    MovementsWindow(QWidget& frame, ControlledScene& scene, ProgramSettings& settings,
                    const PlatformServices& services, CMovementsDlg::KeySink sendKey);
    // Closes the window if it is open.
    ~MovementsWindow();
    MovementsWindow(const MovementsWindow&) = delete;
    MovementsWindow& operator=(const MovementsWindow&) = delete;

    // Opens the window, or closes it when it is open.
    void Toggle();
    // Whether the window is open (the command's check mark).
    bool IsOpen() const;
    // The open window, or nullptr.
    CMovementsDlg* Window() const { return window_.data(); }

private:
    QWidget& frame_;
    ControlledScene& scene_;
    ProgramSettings& settings_;
    PlatformServices services_;  // references to the frame's services
    CMovementsDlg::KeySink sendKey_;
    QPointer<CMovementsDlg> window_;
};
