// The Preferences command (its values gathered from the frame, the view, the application and the
// settings store, and stored back after OK) and the about box.

#include <QDialog>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/CAboutDlg.h"
#include "dialogs/CPrefDlg.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "platform/SettingsStore.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

void CMainFrame::AttachPreferenceCommands() {
    commands_->Attach(kIdPreferences, [this] { EditPreferences(); });
    commands_->Attach(kIdAbout, [this] { CAboutDlg(services_.desktop, services_.messages, this).exec(); });
}

void CMainFrame::EditPreferences() {
    SettingsStore& store = services_.settings;
    const int glAccelerator = startup_.glAccelerator ? *startup_.glAccelerator : 0;
    const int plateVisible = static_cast<int>(store.IntOr(kSettingsSection, kPlateVisibleKey, 0));
    const PreferenceValues before =
        CurrentPreferences(settings_, view_->DrawBoundingBoxes(), glAccelerator, plateVisible);

    CPrefDlg dialog(before, services_.messages, this);
    if (dialog.exec() != QDialog::Accepted) return;
    const PreferenceValues chosen = dialog.Values();

    StorePreferences(chosen, settings_);
    view_->SetDrawBoundingBoxes(chosen.drawBoxesWhenMoving);
    // Decides the plate at the next start; nothing in the running scene changes.
    store.WriteInt(kSettingsSection, kPlateVisibleKey, static_cast<uint32_t>(chosen.plateVisible));
    store.Sync();
    // The sliders show opacity on the scale chosen; refreshing them otherwise would drop slider moves
    // still waiting for "Apply".
    if (chosen.logOpacity != before.logOpacity) RefreshObjectsDialogMaterial();

    const PreferenceFollowUp followUp = FollowUpOf(before, chosen);
    if (followUp.askRestart && services_.messages.AskYesNo(kRestartQuestion)) {
        // The new state is written when the application ends.
        if (startup_.glAccelerator) *startup_.glAccelerator = chosen.glAccelerator;
        close();
        return;
    }
    if (followUp.repaint) RepaintNow();
}
