#include "platform/qt/QtFileDialogs.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "support/qt/ModalDriver.h"

namespace {

const std::vector<FileFilter> kModelFilters{
    {"Pexora models", {"*.p3g"}}, {"OpenCTM models", {"*.ctm"}}, {"STL models", {"*.stl"}}};

void MakeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

}  // namespace

TEST(QtFileDialogs, NameFiltersShowLabelAndPatterns) {
    EXPECT_EQ(ToNameFilters(kModelFilters),
              (QStringList{"Pexora models (*.p3g)", "OpenCTM models (*.ctm)", "STL models (*.stl)"}));
    EXPECT_EQ(ToNameFilters({{"Images", {"*.bmp", "*.jpg"}}, {"All files", {}}}),
              (QStringList{"Images (*.bmp *.jpg)", "All files (*)"}));
    // A label that already names its patterns shows them once; one naming other patterns gets its own.
    EXPECT_EQ(ToNameFilters({{"3D-models (*.p3g)", {"*.p3g"}}, {"Scans (*.bmp)", {"*.jpg"}}}),
              (QStringList{"3D-models (*.p3g)", "Scans (*.bmp) (*.jpg)"}));
}

TEST(QtFileDialogs, OpenShowsTheRequestAndReportsPathAndFilter) {
    QTemporaryDir dir;
    MakeFile(dir.filePath("tooth.ctm"));
    FileDialogRequest request;
    request.title = "Load Object";
    request.startDirectory = dir.path().toStdString();
    request.filters = kModelFilters;
    request.selectedFilter = 3;

    QString title, directory, filterShown;
    bool nonNative = false;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        title = dialog->windowTitle();
        directory = dialog->directory().absolutePath();
        filterShown = dialog->selectedNameFilter();
        nonNative = dialog->testOption(QFileDialog::DontUseNativeDialog);
        dialog->selectNameFilter("OpenCTM models (*.ctm)");
        dialog->selectFile(dir.filePath("tooth.ctm"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept runs, as for the button
    });
    QtFileDialogs dialogs;
    const auto result = dialogs.Open(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(QString::fromStdString(result->path), dir.filePath("tooth.ctm"));
    EXPECT_EQ(result->filterIndex, 2);
    EXPECT_EQ(title, "Load Object");
    EXPECT_EQ(directory, QDir(dir.path()).absolutePath());
    EXPECT_EQ(filterShown, "STL models (*.stl)");
    EXPECT_TRUE(nonNative);
}

TEST(QtFileDialogs, SaveAddsTheDefaultExtensionAndCancelGivesNothing) {
    QTemporaryDir dir;
    FileDialogRequest request;
    request.title = "Save Scene";
    request.startDirectory = dir.path().toStdString();
    request.filters = {{"Scene files", {"*.psc"}}};
    request.selectedFilter = 7;  // out of range: the first
    request.defaultName = "scene";
    request.defaultExtension = "psc";

    QString proposed;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        if (auto* name = dialog->findChild<QLineEdit*>("fileNameEdit")) proposed = name->text();
        dialog->selectFile(dir.filePath("flight"));
        static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept runs, as for the button
    });
    QtFileDialogs dialogs;
    const auto result = dialogs.Save(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(QString::fromStdString(result->path), dir.filePath("flight.psc"));
    EXPECT_EQ(result->filterIndex, 1);
    EXPECT_EQ(proposed, QString("scene"));  // the name field holds the proposed name

    WhenModalAppears([](QWidget* modal) {
        if (auto* dialog = qobject_cast<QFileDialog*>(modal)) dialog->reject();
    });
    EXPECT_FALSE(dialogs.Save(request).has_value());
}
