#pragma once
// The Preferences dialog (" Preferences"): shows the values it is given and hands back the chosen
// ones after OK. The Apply-button limit is kept within 1..9 while it is typed; OK refuses an arrow
// length that is no number ("Enter a number.") or a limit that is no integer ("Enter an integer.")
// and stays open. The caller stores the values and runs what follows (FollowUpOf).

#include <QDialog>

#include "dialogs/PreferenceValues.h"

class MessageBoxes;
class QButtonGroup;
class QCheckBox;
class QLineEdit;
class QSpinBox;

class CPrefDlg : public QDialog {
public:
    // `messages` shows the refusals and must outlive the dialog.
    CPrefDlg(const PreferenceValues& values, MessageBoxes& messages, QWidget* parent = nullptr);

    // The values as chosen; equal to the given ones until the dialog ended with OK.
    const PreferenceValues& Values() const { return values_; }

    // Takes every control into Values() and ends with OK, or refuses a text and stays open.
    void accept() override;

private:
    void BuildControls();
    void ClampApplyButtonLimit();
    // Shows `message`, then puts the focus on `edit` with its text selected.
    void Refuse(const char* message, QLineEdit& edit);

    PreferenceValues values_;
    MessageBoxes& messages_;
    QCheckBox* accelerator_ = nullptr;
    QCheckBox* sound_ = nullptr;
    QCheckBox* plateAtStart_ = nullptr;
    QCheckBox* logOpacity_ = nullptr;
    QCheckBox* lookAt_ = nullptr;
    QCheckBox* boxesWhenMoving_ = nullptr;
    QLineEdit* applyButtonLimit_ = nullptr;
    QLineEdit* arrowLength_ = nullptr;
    QSpinBox* jpegQuality_ = nullptr;
    QSpinBox* aviFramerate_ = nullptr;
    QButtonGroup* mouseWheel_ = nullptr;
};
