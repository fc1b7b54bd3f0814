#pragma once
// The rename dialog (" New object name"): the current name read-only, an empty edit for the new one,
// OK and Cancel.

#include <QDialog>

class QLineEdit;

class CNewName : public QDialog {
public:
    explicit CNewName(const QString& currentName, QWidget* parent = nullptr);

    // The typed name, as typed (empty when nothing was typed).
    QString NewName() const;

private:
    QLineEdit* newName_;
};
