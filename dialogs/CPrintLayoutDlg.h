#pragma once
// " Print Layout": the printed picture's width and its left and top margins, whole millimetres in
// 1..100000. OK with an entry that is no integer ("Enter an integer.") or out of range ("Enter an
// integer between 1 and 100000.") keeps the dialog open on that edit; Cancel keeps the old values.

#include <QDialog>

class MessageBoxes;
class QLineEdit;

class CPrintLayoutDlg : public QDialog {
public:
    // `messages` must outlive the dialog.
    CPrintLayoutDlg(int printSize, int leftMargin, int topMargin, MessageBoxes& messages,
                    QWidget* parent = nullptr);

    // The values taken at OK; the opening values until then.
    int PrintSize() const { return values_[0]; }
    int LeftMargin() const { return values_[1]; }
    int TopMargin() const { return values_[2]; }

    void accept() override;

private:
    static constexpr int kEdits = 3;
    int values_[kEdits];
    QLineEdit* edits_[kEdits] = {};
    MessageBoxes& messages_;
};
