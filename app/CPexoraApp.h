#pragma once
// The application object: decides whether this process hands its model to a running instance or
// opens the main window, watches for models handed over by later instances, and stores
// "GLaccelerator" at the end.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/HandOff.h"

class CMainFrame;
class HandOffWatcher;
struct PlatformServices;

class CPexoraApp {
public:
    // `services` must outlive the application; `settingsFile` is the file behind services.settings
    // (watched for hand-offs); `programPath` is the executable (manual and data directory beside it).
    CPexoraApp(PlatformServices& services, QString settingsFile, std::string programPath);
    ~CPexoraApp();
    CPexoraApp(const CPexoraApp&) = delete;
    CPexoraApp& operator=(const CPexoraApp&) = delete;

    // Start-up with the arguments after the program name. A second instance started with a model writes
    // the hand-off and returns false (no window). Otherwise creates and shows the main frame, loads a
    // model named on the command line, starts watching for hand-offs and returns true. Of several running
    // instances only the one holding the instance lock answers hand-offs; the others try to take the
    // lock over on every check, so one of them answers once the holder has ended.
    // With "--quit-after-first-frame[=IMAGE]" the process always opens its own window and takes no
    // hand-offs (it must neither give its model to nor take one from a window the user works in), then
    // ends the event loop after its first frame (see FirstFrameExit.h).
    bool InitInstance(std::vector<std::string> arguments);
    // Closes the frame's life (its destruction writes the settings), stops watching and writes
    // "GLaccelerator". Returns the process exit code, 0.
    int ExitInstance();

    // Answers one hand-off read from the store (the watcher calls this): loads it at once when this
    // instance was started with a model, otherwise asks the user. Nothing while the frame shows
    // progress (the hand-off then waits for the next check).
    void TakeHandOff(const HandOff& handOff);
    // Checks the store for a hand-off now; false when none was waiting or another instance answers them.
    bool PollHandOff();

    // The main frame; nullptr before InitInstance created it and after ExitInstance.
    CMainFrame* Frame() const { return frame_.get(); }
    bool FirstInstance() const;

    // Ends the run with an exit status when "--quit-after-first-frame" asks for it: QCoreApplication::exit,
    // which also makes every later local event loop of the process return at once, hence replaceable.
    std::function<void(int status)> endRun = [](int status) { QCoreApplication::exit(status); };
    int glAccelerator = 0;  // "GLaccelerator": ask for a hardware-accelerated context
    int plateVisible = 0;   // "PlateVisible": the plate is shown at start

private:
    void AccelerationRefused();

    PlatformServices& services_;
    QString settingsFile_;
    std::string programPath_;
    std::unique_ptr<CMainFrame> frame_;
    std::unique_ptr<HandOffWatcher> watcher_;
};
