// The main frame's working commands and their update rules. Commands of features not built yet get
// no handler here, so the command table keeps them disabled.

#include <QAction>
#include <QStatusBar>
#include <QToolBar>
#include <QWhatsThis>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "app/WhatsThisTexts.h"
#include "platform/DesktopOpener.h"
#include "platform/MessageBoxes.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

void CMainFrame::AttachCommands() {
    CommandTable& table = *commands_;

    table.Attach(
        kIdMoveObjects, [this] { display_.moveObjects = 1; },
        [this](QAction& action) { action.setChecked(display_.moveObjects == 1); });
    table.Attach(
        kIdMoveCamera, [this] { display_.moveObjects = 0; },
        [this](QAction& action) {
            action.setChecked(display_.moveObjects == 0);
            // The title never shows a document name.
            setWindowTitle(kTitle);
        });
    table.Attach(
        kIdStereo, [this] { ToggleStereo(); },
        [this](QAction& action) { action.setChecked(display_.stereo != 0); });
    table.Attach(
        kIdViewToolbar, [this] { toolbar_->setVisible(toolbar_->isHidden()); },
        [this](QAction& action) { action.setChecked(!toolbar_->isHidden()); });
    table.Attach(
        kIdViewStatusBar, [this] { statusBar()->setVisible(statusBar()->isHidden()); },
        [this](QAction& action) { action.setChecked(!statusBar()->isHidden()); });
    table.Attach(kIdExit, [this] { close(); });
    table.Attach(kIdHelpTopics, [this] { OpenManual(); });
    table.Attach(kIdHelp, [this] { OpenManual(); });
    table.Attach(kIdContextHelp, [] { QWhatsThis::enterWhatsThisMode(); });
    ApplyFrameWhatsThis(*view_, *statusBar_);
    new WhatsThisApplier(this);
    // The document holds no data, so a new document changes nothing that can be seen.
    table.Attach(kIdNewDocument, [] {});
}

void CMainFrame::ToggleStereo() {
    display_.stereo = display_.stereo ? 0 : 1;
    // The open Stage dialog's "Stereo mode" box and angle controls follow.
    RefreshStageDialog();
    RepaintNow();
}

void CMainFrame::OpenManual() {
    const std::string manual = ManualPath();
    if (!services_.desktop.Open(manual)) services_.messages.Warn("Cannot open the help file " + manual + ".");
}
