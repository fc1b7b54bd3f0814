// Saving the screen image and printing it: the commands of the File menu that put the view's picture
// into a file or on paper, and the Page Layout dialog.

#include <QAction>

#include "app/CMainFrame.h"
#include "app/CommandTable.h"
#include "dialogs/CPrintLayoutDlg.h"
#include "output/ImagePrinting.h"
#include "output/PrintDialogs.h"
#include "output/SaveScreenImage.h"
#include "platform/PlatformServices.h"
#include "render/CPexoraView.h"
#include "resources/CommandIds.h"

namespace {

PrintLayout LayoutOf(const ProgramSettings& settings) {
    return PrintLayout{settings.printSize, settings.leftMargin, settings.topMargin};
}

}  // namespace

void CMainFrame::AttachImageOutput() {
    commands_->Attach(
        kIdSaveImage, [this] { SaveScreenImage(*view_, settings_, services_, ScreenImageFormats()); },
        [this](QAction& action) { action.setEnabled(display_.viewWidth != 0 && display_.viewHeight != 0); });

    PrintDialogs* dialogs = startup_.printDialogs;
    if (!dialogs) {
        ownPrintDialogs_ = std::make_unique<QtPrintDialogs>();
        dialogs = ownPrintDialogs_.get();
    }
    printing_ = std::make_unique<ImagePrinting>(*view_, *dialogs);
    commands_->Attach(kIdPrint, [this] { printing_->Print(LayoutOf(settings_), this); });
    commands_->Attach(kIdPrintPreview, [this] { printing_->Preview(LayoutOf(settings_), this); });
    commands_->Attach(kIdPrintSetup, [this] { printing_->SetUp(this); });
    commands_->Attach(kIdPageLayout, [this] { EditPrintLayout(); });
}

void CMainFrame::EditPrintLayout() {
    CPrintLayoutDlg dialog(settings_.printSize, settings_.leftMargin, settings_.topMargin, services_.messages,
                           this);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_.printSize = dialog.PrintSize();
    settings_.leftMargin = dialog.LeftMargin();
    settings_.topMargin = dialog.TopMargin();
}
