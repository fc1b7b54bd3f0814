// The main frame's life: settings read at construction, the placement restored after creation,
// the dialogs of the last run reopened at first activation, the open flags and placement written
// at close, and every setting written at destruction.

#include <QAction>
#include <QDir>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/HandOff.h"
#include "platform/PlatformServices.h"
#include "platform/SettingsStore.h"
#include "render/CPexoraView.h"
#include "render/PlateRecord.h"
#include "render/StatusTexts.h"
#include "resources/CommandIds.h"

namespace {

// The dialogs that reopen when they were open at the last close, with their open flag.
struct ReopenedDialog {
    int command;
    int ProgramSettings::*flag;
};
constexpr ReopenedDialog kReopenedDialogs[] = {
    {kIdStage, &ProgramSettings::stageDialogOpen},
    {kIdObjects, &ProgramSettings::objectsDialogOpen},
    {kIdLight, &ProgramSettings::lightDialogOpen},
};

// Whether the dialog toggled by `command` has a window now: its command carries the check mark.
bool DialogIsOpen(CommandTable& commands, int command) {
    commands.Refresh();
    const QAction* action = commands.Action(command);
    return action && action->isEnabled() && action->isChecked();
}

}  // namespace

void CMainFrame::ReadSettingsOnConstruction() {
    SettingsStore& store = services_.settings;
    // An installed program's folder is no place for the user's scans: the file dialogs start at home.
    settings_ = ReadProgramSettings(store, QDir::homePath().toStdString());
    scene_ = std::make_unique<ControlledScene>(settings_.fogIntensity, settings_.perspective);
    // The plate is whole before any context or model exists, whichever of them comes first.
    InitPlateExtent(*scene_, settings_);
    InitPlateRecord(scene_->objects[scene_->PlateIndex()], startup_.plateVisible);
    // A hand-off left over from an earlier run is not taken.
    ClearHandOff(store);
}

void CMainFrame::RestoreFramePlacement() {
    RestorePlacement(*this, services_.settings);
}

void CMainFrame::FirstActivation() {
    // A dialog whose command works is opened through it, exactly as the user would.
    for (const ReopenedDialog& dialog : kReopenedDialogs) {
        if (settings_.*dialog.flag != 1) continue;
        QAction* action = commands_->Action(dialog.command);
        if (action->isEnabled() && !DialogIsOpen(*commands_, dialog.command)) action->trigger();
    }
}

void CMainFrame::WriteCloseState() {
    for (const ReopenedDialog& dialog : kReopenedDialogs)
        settings_.*dialog.flag = DialogIsOpen(*commands_, dialog.command) ? 1 : 0;
    WriteDialogOpenFlags(services_.settings, settings_);
    SavePlacement(*this, services_.settings);
    services_.settings.Sync();
}

void CMainFrame::WriteSettingsOnDestroy() {
    SettingsStore& store = services_.settings;
    const SceneObject& plate = scene_->objects[scene_->PlateIndex()];
    settings_.plateSizeX = TruncateToInt(static_cast<double>(plate.boxMax[0]) - plate.boxMin[0]);
    settings_.plateSizeY = TruncateToInt(static_cast<double>(plate.boxMax[2]) - plate.boxMin[2]);
    // The viewing angle and the fog intensity live in the scene header while the program runs.
    settings_.perspective = scene_->state.fieldOfView;
    settings_.fogIntensity = scene_->state.fogIntensity;
    WriteProgramSettings(store, settings_);
    store.WriteInt(kSettingsSection, kRotationIncrementKey,
                   static_cast<uint32_t>(view_->RotationIncrement()));
    store.WriteInt(kSettingsSection, kDrawBoundingBoxesKey,
                   static_cast<uint32_t>(view_->DrawBoundingBoxes()));
    ClearHandOff(store);
    store.Sync();
}
