// Saving the screen image and printing it: the commands of the File menu that put the view's picture
// into a file or on paper.

#include <QAction>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "output/SaveScreenImage.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

void CMainFrame::AttachImageOutput() {
    commands_->Attach(
        kIdSaveImage, [this] { SaveScreenImage(*view_, settings_, services_, ScreenImageFormats()); },
        [this](QAction& action) { action.setEnabled(display_.viewWidth != 0 && display_.viewHeight != 0); });
}
