#pragma once
// The voxel size entry: a small captionless pop-up with one number edit under "Voxel size (um)".
// Enter takes the typed value, Escape discards it, and while it is open the mouse is captured: a press
// outside the window ends the entry as Enter does. A text that is no number is refused with
// "Enter a number." and the entry stays open.

#include <QDialog>

class MessageBoxes;
class QLineEdit;

class CVoxSize : public QDialog {
public:
    // Shows `value` with up to 15 significant digits, at the mouse pointer. `messages` must outlive
    // the dialog.
    CVoxSize(double value, MessageBoxes& messages, QWidget* parent = nullptr);

    // The value taken when the entry ended with OK; the opening value otherwise.
    double Value() const { return value_; }

    // Takes the typed value and ends with OK, or refuses a text that is no number and stays open.
    void accept() override;
    // Releases the mouse before the entry ends.
    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    void CaptureMouse(bool capture);

    double value_;
    MessageBoxes& messages_;
    QLineEdit* edit_ = nullptr;
    bool captured_ = false;
};
