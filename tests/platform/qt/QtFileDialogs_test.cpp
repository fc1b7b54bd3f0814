#include "platform/qt/QtFileDialogs.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include "support/qt/ModalDriver.h"

namespace {

const std::vector<FileFilter> kModelFilters{
    {"Pexora models", {"*.p3g"}}, {"OpenCTM models", {"*.ctm"}}, {"STL models", {"*.stl"}}};

void MakeFile(const QString& path) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
}

// Types `path` into the dialog's name field, as the user does. selectFile() leaves the field alone
// while it has the focus, which depends on when the window manager activates the dialog.
void TypeFileName(QFileDialog* dialog, const QString& path) {
    dialog->setDirectory(QFileInfo(path).path());
    dialog->findChild<QLineEdit*>("fileNameEdit")->setText(QFileInfo(path).fileName());
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
        TypeFileName(dialog, dir.filePath("tooth.ctm"));
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
        TypeFileName(dialog, dir.filePath("flight"));
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

TEST(QtFileDialogs, TheCheckBoxShowsOnlyForTheFirstFilterAndIsReadOnAccept) {
    QTemporaryDir dir;
    FileDialogRequest request;
    request.startDirectory = dir.path().toStdString();
    request.filters = {{"Movies", {"*.avi"}}, {"Pictures", {"*.bmp"}}, {"Photos", {"*.jpg"}}};
    request.checkText = "Play it afterwards";
    request.checkState = 1;
    request.checkHelp = "Starts the player.";

    // What the box showed: its text, help and state, and whether it was visible at the start and after
    // each change of the file type.
    struct Seen {
        QString text, help;
        bool tickedAtStart = false;
        std::vector<bool> visible;
    } seen;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* check = dialog ? dialog->findChild<QCheckBox*>(kFileDialogCheckName) : nullptr;
        auto* types = dialog ? dialog->findChild<QComboBox*>("fileTypeCombo") : nullptr;
        if (!check || !types) return;
        seen.text = check->text();
        seen.help = check->whatsThis();
        seen.tickedAtStart = check->isChecked();
        seen.visible.push_back(check->isVisible());
        for (int step = 0; step < 2; ++step) {
            QTest::keyClick(types, Qt::Key_Down);  // as the user picks the next file type
            seen.visible.push_back(check->isVisible());
        }
        TypeFileName(dialog, dir.filePath("clip"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    auto result = dialogs.Save(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(seen.text, "Play it afterwards");
    EXPECT_EQ(seen.help, "Starts the player.");
    EXPECT_TRUE(seen.tickedAtStart);
    EXPECT_EQ(seen.visible, (std::vector<bool>{true, false, false}));
    EXPECT_EQ(result->filterIndex, 3);
    // A hidden box still reports what it holds.
    EXPECT_EQ(result->checkState, 1);

    // Back to the first filter the box shows again; unticked, it reports 0.
    seen = {};
    request.selectedFilter = 2;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        auto* check = dialog ? dialog->findChild<QCheckBox*>(kFileDialogCheckName) : nullptr;
        auto* types = dialog ? dialog->findChild<QComboBox*>("fileTypeCombo") : nullptr;
        if (!check || !types) return;
        seen.visible.push_back(check->isVisible());
        QTest::keyClick(types, Qt::Key_Up);
        seen.visible.push_back(check->isVisible());
        check->setChecked(false);
        TypeFileName(dialog, dir.filePath("clip"));
        static_cast<QDialog*>(dialog)->accept();
    });
    result = dialogs.Save(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_EQ(seen.visible, (std::vector<bool>{false, true}));
    EXPECT_EQ(result->filterIndex, 1);
    EXPECT_EQ(result->checkState, 0);
}

TEST(QtFileDialogs, WithoutCheckTextThereIsNoBoxAndTheStateComesBackUnchanged) {
    QTemporaryDir dir;
    FileDialogRequest request;
    request.startDirectory = dir.path().toStdString();
    request.filters = {{"Movies", {"*.avi"}}};
    request.checkState = 1;
    bool hasBox = true;
    WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        if (!dialog) return;
        hasBox = dialog->findChild<QCheckBox*>(kFileDialogCheckName) != nullptr;
        TypeFileName(dialog, dir.filePath("clip.avi"));
        static_cast<QDialog*>(dialog)->accept();
    });
    QtFileDialogs dialogs;
    const auto result = dialogs.Save(request);
    ASSERT_TRUE(result.has_value());
    EXPECT_FALSE(hasBox);
    EXPECT_EQ(result->checkState, 1);
}
