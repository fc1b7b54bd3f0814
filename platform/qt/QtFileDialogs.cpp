#include "platform/qt/QtFileDialogs.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGridLayout>

namespace {

// Adds the request's check box below the dialog's own controls, visible only while the first of
// `filters` is selected; nullptr (and nothing added) when the request has no check text.
QCheckBox* AddCheckBox(QFileDialog& dialog, const FileDialogRequest& request, const QStringList& filters) {
    if (request.checkText.empty()) return nullptr;
    auto* grid = qobject_cast<QGridLayout*>(dialog.layout());
    if (!grid) return nullptr;
    auto* check = new QCheckBox(QString::fromStdString(request.checkText), &dialog);
    check->setObjectName(kFileDialogCheckName);
    check->setChecked(request.checkState != 0);
    check->setWhatsThis(QString::fromStdString(request.checkHelp));
    grid->addWidget(check, grid->rowCount(), 0, 1, grid->columnCount());
    const QString first = filters.value(0);
    check->setVisible(dialog.selectedNameFilter() == first);
    QObject::connect(&dialog, &QFileDialog::filterSelected, check,
                     [check, first](const QString& filter) { check->setVisible(filter == first); });
    return check;
}

}  // namespace

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
    QCheckBox* check = AddCheckBox(dialog, request, filters);

    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    const int index = static_cast<int>(filters.indexOf(dialog.selectedNameFilter()));
    return FileDialogResult{dialog.selectedFiles().front().toStdString(), index < 0 ? 1 : index + 1,
                            check ? (check->isChecked() ? 1 : 0) : request.checkState};
}
