#include "dialogs/CRecutDlg.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "dialogs/CColorList.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

RecutValues Defaults() {
    RecutValues values;
    values.prefix = "/scan/tooth_01_";
    return values;
}

void Type(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

}  // namespace

TEST(CRecutDlg, LabelsAndSpacingFollowTheOperationAtOnce) {
    ScriptedServices services;
    CRecutDlg dialog(Defaults(), false, services.messages);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Dataset resampling"));
    EXPECT_EQ(dialog.objectName(), QStringLiteral("146"));
    auto* operation = FindControl<QComboBox>(&dialog, 1130);
    auto* prefixLabel = FindControl<QLabel>(&dialog, 1129);
    auto* countLabel = FindControl<QLabel>(&dialog, 1132);
    auto* spacingLabel = FindControl<QLabel>(&dialog, 1128);
    auto* spacing = FindControl<QLineEdit>(&dialog, 1126);
    ASSERT_NE(operation, nullptr);
    ASSERT_NE(spacing, nullptr);
    EXPECT_EQ(operation->currentText(), QStringLiteral("Resampling"));
    EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1127)->text(), QStringLiteral("/scan/tooth_01_"));
    EXPECT_EQ(FindControl<QComboBox>(&dialog, 1097)->currentText(), QStringLiteral("bmp"));
    EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1125)->text(), QStringLiteral("1"));
    EXPECT_EQ(spacing->text(), QStringLiteral("1"));
    EXPECT_EQ(prefixLabel->text(), QStringLiteral("Filename prefix for new dataset :"));
    EXPECT_EQ(countLabel->text(), QStringLiteral("Number of slices :"));
    EXPECT_TRUE(spacing->isVisible());
    EXPECT_EQ(spacingLabel->text(), QStringLiteral("Space between slices :"));

    operation->setCurrentIndex(1);
    EXPECT_EQ(prefixLabel->text(), QStringLiteral("Filename prefix for MIP image :"));
    EXPECT_EQ(countLabel->text(), QStringLiteral("Depth :"));
    EXPECT_FALSE(spacing->isVisible());
    EXPECT_FALSE(spacingLabel->isVisible());
    operation->setCurrentIndex(0);
    EXPECT_TRUE(spacingLabel->isVisible());
}

TEST(CRecutDlg, TheBackgroundSwatchesFollowThePaletteAndTheirPositionCounts) {
    ScriptedServices services;
    for (bool whiteFirst : {false, true}) {
        CRecutDlg dialog(Defaults(), whiteFirst, services.messages);
        dialog.show();
        auto* list = FindControl<CColorList>(&dialog, 1124);
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 2);
        EXPECT_EQ(list->itemText(0), QStringLiteral("0"));
        EXPECT_EQ(list->itemText(1), QStringLiteral("1"));
        EXPECT_EQ(list->currentIndex(), 1);
        const QColor first = whiteFirst ? Qt::white : Qt::black;
        const QColor second = whiteFirst ? Qt::black : Qt::white;
        EXPECT_EQ(list->Colour(0), first);
        EXPECT_EQ(list->Colour(1), second);
        // The closed list shows the chosen swatch.
        const QImage shown = list->grab().toImage();
        EXPECT_EQ(shown.pixelColor(shown.width() / 4, shown.height() / 2), second) << whiteFirst;
    }
}

TEST(CRecutDlg, OkRefusesCountsThatAreNoIntegersAndTakesEveryControl) {
    ScriptedServices services;
    CRecutDlg dialog(Defaults(), true, services.messages);
    std::vector<bool> open;
    WhenModalAppears([&](QWidget* modal) {
        QPushButton* ok = FindControl<QPushButton>(modal, 1);
        Type(*FindControl<QLineEdit>(modal, 1125), QStringLiteral("3.5"));
        QTest::mouseClick(ok, Qt::LeftButton);
        open.push_back(modal->isVisible());
        Type(*FindControl<QLineEdit>(modal, 1125), QStringLiteral("12"));
        Type(*FindControl<QLineEdit>(modal, 1126), QStringLiteral("x"));
        QTest::mouseClick(ok, Qt::LeftButton);
        open.push_back(modal->isVisible());
        Type(*FindControl<QLineEdit>(modal, 1126), QStringLiteral("3"));
        Type(*FindControl<QLineEdit>(modal, 1127), QStringLiteral("/out/new_"));
        FindControl<QComboBox>(modal, 1130)->setCurrentIndex(1);
        FindControl<QComboBox>(modal, 1097)->setCurrentIndex(1);
        FindControl<QComboBox>(modal, 1124)->setCurrentIndex(0);
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(services.messages.Texts(),
              (std::vector<std::string>{"Enter an integer.", "Enter an integer."}));
    const RecutValues& values = dialog.Values();
    EXPECT_EQ(values.operation, 1);
    EXPECT_EQ(values.prefix, "/out/new_");
    EXPECT_EQ(values.fileType, 1);
    EXPECT_EQ(values.backgroundIndex, 0);
    EXPECT_EQ(values.sliceCount, 12);
    EXPECT_EQ(values.spacing, 3);

    CRecutDlg cancelled(Defaults(), true, services.messages);
    WhenModalAppears([](QWidget* modal) { Type(*FindControl<QLineEdit>(modal, 1125), QStringLiteral("7")); });
    EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
    EXPECT_EQ(cancelled.Values().sliceCount, 1);
}
