// Flights in the frame: the flight recorder's toggle command, the slide show of the keyframes and
// the flight playback with the states between them. Both run on the interface thread and keep it
// responsive by processing waiting events at their stop checks; STOP (or closing the recorder) sets
// the recorder's `idle`, which the next check sees, so a playback ends within one frame.

#include <QAction>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <memory>
#include <new>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FlightExport.h"
#include "app/FlightOutput.h"
#include "dialogs/CCompressionDlg.h"
#include "dialogs/CFRDlg.h"
#include "dialogs/ToolWindow.h"
#include "flight/KeyframeInterpolation.h"
#include "flight/KeyframeRecorder.h"
#include "flight/SceneBlock.h"
#include "resources/CommandIds.h"

namespace {

// How long the slide show shows each keyframe.
constexpr int kSlideMs = 500;

std::unique_ptr<SceneBlock> NewSceneBlock() {
    return std::unique_ptr<SceneBlock>(new (std::nothrow) SceneBlock);
}

}  // namespace

void CMainFrame::AttachFlight() {
    compressionChooser_ = std::make_unique<DialogCompressionChooser>(services_.settings, this);
    flightOutput_ =
        std::make_unique<FlightExport>(*view_, settings_, display_, services_, *compressionChooser_);
    recorder_ = std::make_unique<ToolWindow<CFRDlg>>(
        *this,
        [this](QWidget& parent) {
            FlightRecorderHost host{
                flightState_,
                settings_,
                display_,
                services_,
                [this] { return keyframes_->KeyframeCount(); },
                [this] {
                    keyframes_->StoreKeyframe({display_.fogOn, settings_.interpolation, settings_.sound});
                },
                [this] { keyframes_->DeleteAllKeyframes(); },
                [this](bool forward) { ShowKeyframes(forward); },
                [this] { PlayFlight(); },
                [this](bool on) { ShowRecutControl(on); }};
            return new CFRDlg(std::move(host), &parent);
        },
        [this] { commands_->Refresh(); });
    commands_->Attach(
        kIdFlightRecorder, [this] { recorder_->Toggle(); },
        [this](QAction& action) { action.setChecked(recorder_->IsOpen()); });
}

void CMainFrame::SetFlightOutput(std::unique_ptr<FlightOutput> output) {
    flightOutput_ = std::move(output);
}

void CMainFrame::PumpMessages() {
    if (!recorder_->Window()) return;
    // The frame's own timers find `playing` set and do nothing; everything else is handled, so the
    // recorder's STOP and close box work.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool CMainFrame::FlightStopped() {
    if (flightState_.idle != 0) return true;
    if (CFRDlg* recorder = recorder_->Window()) recorder->StepProgress();
    PumpMessages();
    return flightState_.idle != 0;
}

void CMainFrame::ShowFlightKeyframe(int number) {
    ShowKeyframe(flightState_, number, keyframes_->KeyframeCount());
    if (CFRDlg* recorder = recorder_->Window()) recorder->LoadControls();
}

void CMainFrame::SetPlaying(bool on) {
    display_.playing = on ? 1 : 0;
    // Nothing but the recorder's own command may change the scene under a running flight.
    if (on)
        commands_->HoldAllBut(kIdFlightRecorder);
    else
        commands_->ReleaseHold();
}

void CMainFrame::ShowKeyframes(bool forward) {
    const int n = keyframes_->CountKeyframes();
    if (n == 0) return;
    SetPlaying(true);
    for (int k = 0; k < n; ++k) {
        // STOP pressed during the pause shows no further keyframe.
        if (k > 0 && flightState_.idle != 0) break;
        const int i = forward ? k : n - 1 - k;
        keyframes_->LoadKeyframe(i, nullptr, false);
        ShowFlightKeyframe(i + 1);
        // A closed recorder has stopped the show too.
        if (FlightStopped()) break;
        QEventLoop wait;
        QTimer::singleShot(kSlideMs, &wait, &QEventLoop::quit);
        wait.exec();
    }
    SetPlaying(false);
}

CMainFrame::PassEnd CMainFrame::PlayPass(SceneBlock& a, SceneBlock& b, int n, int between,
                                         FlightOutput* output) {
    if (CFRDlg* recorder = recorder_->Window()) recorder->SetProgress(0);
    if (output) output->StartPass();
    keyframes_->LoadKeyframe(0, nullptr, false);
    if (FlightStopped()) return PassEnd::Stopped;
    if (output && !output->Emit(FlightFrame::FirstKeyframe)) return PassEnd::Failed;
    ShowFlightKeyframe(1);
    CopyLiveScene(a, *scene_);
    for (int m = 1; m < n; ++m) {
        if (FlightStopped()) return PassEnd::Left;
        keyframes_->LoadKeyframe(m, &b, false);
        const bool recut = HasRecutObject(a) && HasRecutObject(b);
        for (int j = 1; j <= between; ++j) {
            if (FlightStopped()) return PassEnd::Left;
            // A cut accumulates: each state between is cut again from the keyframe's own geometry.
            if (j > 1 && recut) keyframes_->LoadKeyframe(m - 1, nullptr, true);
            InterpolateKeyframes(*scene_, a, b, between + 2, j, Graphics(), *this);
            if (output && !output->Emit(FlightFrame::Interpolated)) return PassEnd::Failed;
        }
        if (FlightStopped()) return PassEnd::Left;
        keyframes_->LoadKeyframe(m, nullptr, false);
        CopyLiveScene(a, *scene_);
        if (output && !output->Emit(FlightFrame::Keyframe)) return PassEnd::Failed;
        ShowFlightKeyframe(m + 1);
    }
    return PassEnd::Completed;
}

void CMainFrame::PlayFlight() {
    const int n = keyframes_->CountKeyframes();
    if (n == 0) return;
    FlightOutput* output = display_.saveFlightFiles != 0 ? flightOutput_.get() : nullptr;
    if (output && !output->Prepare(FlightPlan{flightState_.fades, flightState_.totalFrames, n})) return;
    const int between = settings_.interpolation != 0 && n > 1 ? settings_.duration : 0;
    if (CFRDlg* recorder = recorder_->Window()) recorder->StartProgress(flightState_.totalFrames);
    SetPlaying(true);
    const bool repeats = FlightRepeats(flightState_);
    bool failed = false;
    const std::unique_ptr<SceneBlock> a = NewSceneBlock();
    const std::unique_ptr<SceneBlock> b = NewSceneBlock();
    if (a && b) {
        for (;;) {
            const PassEnd end = PlayPass(*a, *b, n, between, output);
            failed = end == PassEnd::Failed;
            // After a stop a repeating flight shows keyframe 0 once more, and its check ends it.
            if (end == PassEnd::Stopped || failed || !repeats) break;
        }
    }
    SetPlaying(false);
    // A STOP that arrives while the last frame is written still deletes the movie.
    if (output) output->Finish(failed || FlightStopped());
}
