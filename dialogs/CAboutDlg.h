#pragma once
// The about box (" About Pexora"): the program icon, product line, version, legal notice and the maker's
// e-mail and web links; clicking a link opens it with the desktop's handler. Modal, ended by "Close".

#include <QDialog>

class DesktopOpener;
class MessageBoxes;

class CAboutDlg : public QDialog {
public:
    // `desktop` opens the links, `messages` tells when nothing could open one; both must outlive the
    // dialog.
    CAboutDlg(DesktopOpener& desktop, MessageBoxes& messages, QWidget* parent = nullptr);
};
