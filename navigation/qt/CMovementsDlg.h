#pragma once
// The Movements window (" Movements"): a modeless tool window whose twelve picture buttons send the
// turning and moving keys to the view's key handler, with the two step sizes in number edits. An edit
// is checked on every change (text that is no integer: "Enter an integer."; out of range: corrected,
// with the 500 Hz tone) and committed when it loses the focus. Placement section "Movements".

#include <QDialog>
#include <functional>

#include "platform/PlatformServices.h"
#include "platform/qt/CPersistWnd.h"

class QLineEdit;
class ControlledScene;
struct ProgramSettings;

class CMovementsDlg : public QDialog, private CPersistWnd<szMovementsName, false> {
public:
    using KeySink = std::function<void(int virtualKeyCode)>;

    // Shows the rotation step of controller 1 and "MovementIncrement"; restores the stored position.
    // Scene, settings and services must outlive the window; it deletes itself when closed.
    CMovementsDlg(ControlledScene& scene, ProgramSettings& settings, const PlatformServices& services,
                  KeySink sendKey, QWidget* parent = nullptr);
    // Saves the position.
    ~CMovementsDlg() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void BuildControls();
    // Checks the edit's new text against 1..maximum and keeps the result in `value`.
    void CheckStep(QLineEdit& edit, int& value, int maximum);
    void Commit(const QLineEdit& edit);

    ControlledScene& scene_;
    ProgramSettings& settings_;
    PlatformServices services_;  // references to the frame's services
    KeySink sendKey_;
    int rotationStep_;
    int translationStep_;
    QLineEdit* rotationEdit_ = nullptr;
    QLineEdit* translationEdit_ = nullptr;
};
