#include "app/CPexoraApp.h"

#include "app/CMainFrame.h"
#include "app/CPexoraCommandLine.h"
#include "app/FirstFrameExit.h"
#include "app/HandOffWatcher.h"
#include "platform/InstanceLock.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/ProgramSettings.h"
#include "platform/SettingsStore.h"

inline constexpr char kAccelerationRefusedMessage[] = "Device not supports hardware acceleration";

CPexoraApp::CPexoraApp(PlatformServices& services, QString settingsFile, std::string programPath)
    : services_(services), settingsFile_(std::move(settingsFile)), programPath_(std::move(programPath)) {}

CPexoraApp::~CPexoraApp() {
    // The watcher calls into the frame; it stops first.
    watcher_.reset();
    frame_.reset();
}

bool CPexoraApp::FirstInstance() const {
    return services_.instanceLock.IsFirstInstance();
}

bool CPexoraApp::InitInstance(std::vector<std::string> arguments) {
    const std::optional<std::string> quitImage = TakeQuitAfterFirstFrame(arguments);
    CPexoraCommandLine commandLine;
    commandLine.ParseArguments(arguments);

    SettingsStore& store = services_.settings;
    glAccelerator = static_cast<int>(store.IntOr(kSettingsSection, kGlAcceleratorKey, 0));
    plateVisible = static_cast<int>(store.IntOr(kSettingsSection, kPlateVisibleKey, 0));

    const HandOff handOff = commandLine.AsHandOff();
    if (!quitImage && !FirstInstance() && !handOff.modelPath.empty()) {
        WriteHandOff(store, handOff);
        return false;
    }

    FrameStartup startup;
    startup.plateVisible = plateVisible;
    startup.programPath = programPath_;
    startup.accelerationRefused = [this] { AccelerationRefused(); };
    startup.glAccelerator = &glAccelerator;
    frame_ = std::make_unique<CMainFrame>(services_, std::move(startup));
    frame_->show();

    if (!handOff.modelPath.empty()) {
        frame_->Display().startedWithModel = 1;
        frame_->LoadHandedModel(handOff.modelPath, handOff.datasetPath, handOff.pixelSize,
                                handOff.postfixLength, handOff.unit);
    }

    if (quitImage) {
        QuitAfterNextFrame(*frame_, *quitImage, endRun);
        return true;
    }
    // Of all running instances the one holding the lock answers; another takes it over when it ends.
    InstanceLock& lock = services_.instanceLock;
    watcher_ = std::make_unique<HandOffWatcher>(
        store, settingsFile_, [this](const HandOff& waiting) { TakeHandOff(waiting); },
        [&lock] { return lock.TryHold(); });
    watcher_->Start();
    return true;
}

int CPexoraApp::ExitInstance() {
    watcher_.reset();
    frame_.reset();
    services_.settings.WriteInt(kSettingsSection, kGlAcceleratorKey, static_cast<uint32_t>(glAccelerator));
    services_.settings.Sync();
    return 0;
}

void CPexoraApp::TakeHandOff(const HandOff& handOff) {
    if (!frame_ || frame_->InProgress()) return;
    CMainFrame& frame = *frame_;
    AnswerHandOff(
        handOff, services_.settings, services_.messages, frame.Display().startedWithModel != 0,
        [&frame] {
            if (frame.isMinimized()) frame.showNormal();
            frame.raise();
            frame.activateWindow();
        },
        [&frame](const HandOff& taken) {
            frame.LoadHandedModel(taken.modelPath, taken.datasetPath, taken.pixelSize, taken.postfixLength,
                                  taken.unit);
        });
}

bool CPexoraApp::PollHandOff() {
    return watcher_ && watcher_->CheckNow();
}

void CPexoraApp::AccelerationRefused() {
    services_.messages.Warn(kAccelerationRefusedMessage);
    glAccelerator = 0;
}
