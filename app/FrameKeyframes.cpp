// The frame's keyframes: the recorder that stores and applies them in this instance's own folder,
// what applying them shows, and the object changes that make them meaningless while the flight
// recorder is open.

#include <unistd.h>

#include "app/CMainFrame.h"
#include "dialogs/CFRDlg.h"
#include "dialogs/CObjPropDlg.h"
#include "dialogs/ToolWindow.h"
#include "flight/KeyframeFolder.h"
#include "flight/KeyframeRecorder.h"
#include "navigation/CBallController.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"

void CMainFrame::CreateKeyframes() {
    const std::string base =
        startup_.keyframeFolderBase.empty() ? KeyframeFolderBase() : startup_.keyframeFolderBase;
    keyframes_ = std::make_unique<KeyframeRecorder>(*scene_, Graphics(), static_cast<KeyframeHost&>(*this),
                                                    services_.messages, services_.tones,
                                                    PrepareKeyframeFolder(base, getpid()));
    // Keyframes of an earlier run of this process id would describe other objects.
    keyframes_->DeleteAllKeyframes();
}

KeyframeRecorder& CMainFrame::Keyframes() {
    return *keyframes_;
}

void CMainFrame::LoadController(int index) {
    LoadControllerFromRecord(scene_->objects[index], scene_->controllers[index]);
}

void CMainFrame::ShowAppliedKeyframe() {
    ApplyLight();
    RepaintNow();
    SyncStageDialog();
    SyncLightDialog();
    if (objects_->Window()) objects_->Window()->RefreshAllControls();
}

void CMainFrame::ShowInterpolatedFrame() {
    ApplyLight();
    RepaintNow();
    SyncStageDialog();
    SyncLightDialog();
    RefreshObjectsDialogMaterial();
}

void CMainFrame::SetKeyframeDisplay(int count) {
    ShowKeyframe(flightState_, count, keyframes_ ? keyframes_->KeyframeCount() : 0);
    if (recorder_ && recorder_->Window()) recorder_->Window()->LoadControls();
}

void CMainFrame::ForgetKeyframesOfChangingObjects() {
    if (!recorder_->IsOpen()) return;
    keyframes_->DeleteAllKeyframes();
    recorder_->Toggle();
}

void CMainFrame::ShowRecutControl(bool on) {
    if (CObjPropDlg* objects = objects_->Window()) objects->ShowRecutButton(on);
}

bool CMainFrame::FlightRecorderOpen() const {
    return recorder_ && recorder_->IsOpen();
}
