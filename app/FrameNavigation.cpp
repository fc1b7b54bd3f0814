// Navigation in the frame: the view's input adapter, Reset Positions and the Movements window.
// Move to Object (32794) works only with the Objects dialog's current object, so it gets its handler
// with that dialog (FrameObjects.cpp).

#include <QAction>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "navigation/MovementOperations.h"
#include "navigation/qt/MovementsWindow.h"
#include "navigation/qt/ViewInputFilter.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

void CMainFrame::AttachNavigation() {
    input_ = new ViewInputFilter(
        *view_, [view = view_](int moving) { view->SetMoving(moving); }, *scene_, settings_, display_,
        services_.tones);
    // A double-click switches the mode: the toolbar's check marks follow at once.
    input_->SetModeSwitchedHandler([this] { commands_->Refresh(); });
    view_->setFocus();
    movements_ = std::make_unique<MovementsWindow>(*this, *scene_, settings_, services_,
                                                   [this](int key) { input_->SendKey(key); });

    CommandTable& table = *commands_;
    table.Attach(kIdResetPositions, [this] {
        // The controllers take the view size in widget pixels, as on every resize.
        ResetPositions(*scene_, view_->width(), view_->height());
        RefreshObjectsDialogList();
        RepaintNow();
    });
    table.Attach(
        kIdMovements, [this] { movements_->Toggle(); },
        [this](QAction& action) { action.setChecked(movements_->IsOpen()); });
}
