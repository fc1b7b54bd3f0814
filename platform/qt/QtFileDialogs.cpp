#include "platform/qt/QtFileDialogs.h"

#include <QFileDialog>

QStringList ToNameFilters(const std::vector<FileFilter>& filters) {
    QStringList list;
    for (const FileFilter& filter : filters) {
        QStringList patterns;
        for (const std::string& pattern : filter.patterns)
            patterns << QString::fromStdString(pattern);
        if (patterns.isEmpty()) patterns << "*";
        const QString label = QString::fromStdString(filter.label);
        const QString shown = " (" + patterns.join(u' ') + ")";
        // Labels kept in their stored form already end with their patterns: show them once.
        list << (label.endsWith(shown) ? label : label + shown);
    }
    return list;
}

std::optional<FileDialogResult> QtFileDialogs::Open(const FileDialogRequest& request) {
    return Run(request, false);
}

std::optional<FileDialogResult> QtFileDialogs::Save(const FileDialogRequest& request) {
    return Run(request, true);
}

std::optional<FileDialogResult> QtFileDialogs::Run(const FileDialogRequest& request, bool save) {
    QFileDialog dialog(parent_, QString::fromStdString(request.title),
                       QString::fromStdString(request.startDirectory));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (save && !request.confirmOverwrite) dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QStringList filters = ToNameFilters(request.filters);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        const bool inRange = request.selectedFilter >= 1 && request.selectedFilter <= filters.size();
        dialog.selectNameFilter(filters[inRange ? request.selectedFilter - 1 : 0]);
    }
    if (!request.defaultExtension.empty())
        dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
    if (!request.defaultName.empty()) dialog.selectFile(QString::fromStdString(request.defaultName));

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return FileDialogResult{dialog.selectedFiles().front().toStdString(), index < 0 ? 1 : index + 1};
}
