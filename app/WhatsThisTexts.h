#pragma once
// What's This help (Shift+F1, then a click) for the view, the status panes and every control of the
// program's dialogs. One table holds the texts by the window's identifier and the control's, the
// identifiers every window and control carries as its object name; the dialogs themselves set none.

#include <QObject>

class QWidget;
class FrameStatusBar;

// The text for control `controlId` of the window `windowId`; nullptr when the table has none.
// Identifiers repeat between dialogs, so the window decides.
const char* WhatsThisText(int windowId, int controlId);

// Gives every child of `window` that the table knows its text. A window the table does not know
// is left alone.
void ApplyWhatsThis(QWidget& window);

// Texts of the main window's own parts: the view and the four status panes.
void ApplyFrameWhatsThis(QWidget& view, FrameStatusBar& statusBar);

// Applies the texts to each dialog as it is shown, whoever creates it; watches the application for
// as long as it lives.
class WhatsThisApplier : public QObject {
public:
    explicit WhatsThisApplier(QObject* parent);
    ~WhatsThisApplier() override;
    bool eventFilter(QObject* object, QEvent* event) override;
};
