#pragma once
// The voxel size entry: a small captionless pop-up with one number edit under "Voxel size (um)".
// Enter takes the typed value, Escape discards it, and a press outside the window ends the entry as
// Enter does. It is a Qt::Popup window, so the window system itself closes it on a press outside,
// X11 and Wayland alike, with no grab of our own. A text that is no number is refused with "Enter a
// number." and the entry opens again with it.

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

    // Runs the entry until it ends with a number or is discarded. A refusal is shown between two
    // openings: a pop-up closes as soon as a modal message box opens.
    int exec() override;
    // Takes the typed value and ends with OK, or ends this opening as refused (see exec).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;
    // Closed from outside (a press beside it, or the window system): takes the value as Enter does.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    double value_;
    MessageBoxes& messages_;
    QLineEdit* edit_ = nullptr;
    bool refused_ = false;
};
