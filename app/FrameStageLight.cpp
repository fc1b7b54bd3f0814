// The Stage and Light dialogs in the frame: their toggle commands, and the refreshes that keyframes,
// scene files and the Stereo command owe them.

#include <QAction>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/CLightDlg.h"
#include "dialogs/CStageDlg.h"
#include "dialogs/ToolWindow.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

void CMainFrame::AttachStageLight() {
    // Closing a window by its close box takes the check mark off its command.
    const auto refresh = [this] { commands_->Refresh(); };
    stage_ = std::make_unique<ToolWindow<CStageDlg>>(
        *this,
        [this, refresh](QWidget& parent) {
            // A change of the stereo box changes the Stereo command's check mark.
            StageDialogHost host{settings_,
                                 scene_->state,
                                 display_,
                                 services_,
                                 [this] { RepaintNow(); },
                                 [this] { view_->BuildColourCube(); },
                                 [this] { view_->LoadImageCube(); },
                                 refresh};
            return new CStageDlg(std::move(host), &parent);
        },
        refresh);
    light_ = std::make_unique<ToolWindow<CLightDlg>>(
        *this,
        [this](QWidget& parent) {
            LightDialogHost host{scene_->state, services_.settings, [this] { ApplyLight(); },
                                 [this] { RepaintNow(); }};
            return new CLightDlg(std::move(host), &parent);
        },
        refresh);

    CommandTable& table = *commands_;
    table.Attach(
        kIdStage, [this] { stage_->Toggle(); },
        [this](QAction& action) { action.setChecked(stage_->IsOpen()); });
    table.Attach(
        kIdLight, [this] { light_->Toggle(); },
        [this](QAction& action) { action.setChecked(light_->IsOpen()); });
}

void CMainFrame::SyncStageDialog() {
    // Fog is on exactly when the restored intensity asks for some, whether or not the dialog is open.
    display_.fogOn = scene_->state.fogIntensity > 0 ? 1 : 0;
    RefreshStageDialog();
}

void CMainFrame::RefreshStageDialog() {
    if (CStageDlg* window = stage_->Window()) window->LoadControls();
}

void CMainFrame::SyncLightDialog() {
    if (CLightDlg* window = light_->Window()) window->LoadControls();
}
