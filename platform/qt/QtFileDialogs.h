#pragma once
// File dialogs as Qt's own (non-native) QFileDialog, which behaves the same on every desktop and under Xvfb.

#include <QPointer>
#include <QStringList>
#include <QWidget>

#include "platform/FileDialogs.h"

class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* parent = nullptr) : parent_(parent) {}
    void SetParent(QWidget* parent) { parent_ = parent; }

    std::optional<FileDialogResult> Open(const FileDialogRequest& request) override;
    std::optional<FileDialogResult> Save(const FileDialogRequest& request) override;

private:
    std::optional<FileDialogResult> Run(const FileDialogRequest& request, bool save);

    QPointer<QWidget> parent_;
};

// The name filters as QFileDialog shows them: "label (pattern pattern)", or the label alone when it
// already ends with exactly that pattern list.
QStringList ToNameFilters(const std::vector<FileFilter>& filters);

// Object name of the extra check box a request with a check text adds to the dialog.
inline constexpr char kFileDialogCheckName[] = "fileDialogCheck";
