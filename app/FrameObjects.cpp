// The Objects dialog in the frame: its toggle command, the refreshes the frame owes it, and Move to
// Object and Copy object, which work on the dialog's current object.

#include <QAction>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/FrameStatusBar.h"
#include "dialogs/CObjPropDlg.h"
#include "dialogs/ToolWindow.h"
#include "navigation/MovementOperations.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "render/StatusTexts.h"
#include "resources/CommandIds.h"
#include "scene/CutCap.h"
#include "scene/DuplicateModel.h"
#include "scene/SceneGraphics.h"

void CMainFrame::AttachObjects() {
    ObjectsDialogHost host{
        *scene_,
        settings_,
        services_,
        Graphics(),
        [this] { RepaintNow(); },
        [this] { view_->BuildPlateList(); },
        [this](const std::string& text) {
            statusBar_->SetPaneText(kModelsPane, QString::fromStdString(text));
        },
        [this](const std::string& text) { statusBar_->ShowMessage(QString::fromStdString(text)); },
        [this] { return FlightRecorderOpen(); },
        [this] { ForgetKeyframesOfChangingObjects(); }};
    // Closing the window by its close box changes what the toolbar offers.
    objects_ = std::make_unique<ToolWindow<CObjPropDlg>>(
        *this, [host = std::move(host)](QWidget& parent) { return new CObjPropDlg(host, &parent); },
        [this] { commands_->Refresh(); });

    CommandTable& table = *commands_;
    table.Attach(
        kIdObjects, [this] { objects_->Toggle(); },
        [this](QAction& action) { action.setChecked(objects_->IsOpen()); });
    table.Attach(
        kIdMoveToObject,
        [this] {
            if (MoveToObject(*scene_, settings_, SelectedObject())) RepaintNow();
        },
        [this](QAction& action) { action.setEnabled(SelectedObject() > 0); });
    table.Attach(
        kIdDuplicateObject, [this] { DuplicateSelectedObject(); },
        [this](QAction& action) { action.setEnabled(objects_->IsOpen()); });
}

void CMainFrame::DuplicateSelectedObject() {
    const int selected = SelectedObject();
    if (selected < 1 || selected >= scene_->PlateIndex()) return;
    ForgetKeyframesOfChangingObjects();
    const int copy = DuplicateModel(*scene_, selected);
    if (copy == 0) return;
    UploadCapChainTextures(scene_->objects[copy].caps, Graphics());
    Graphics().BuildSurfaceLists(copy);
    ShowStatusTexts();
    RefreshObjectsDialogList();
    RepaintNow();
}

int CMainFrame::SelectedObject() const {
    return objects_->Window() ? objects_->Window()->SelectedIndex() : 0;
}

void CMainFrame::RefreshObjectsDialogMaterial() {
    if (objects_->Window()) objects_->Window()->RefreshMaterialControls();
}

void CMainFrame::RefreshObjectsDialogList() {
    if (objects_->Window()) objects_->Window()->RefreshObjectList();
}
