#include "dialogs/CPrefDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

PreferenceValues Sample() {
    PreferenceValues values;
    values.glAccelerator = 1;
    values.sound = 0;
    values.plateVisible = 1;
    values.logOpacity = 1;
    values.lookAt = 0;
    values.applyButtonLimit = 4;
    values.drawBoxesWhenMoving = 1;
    values.arrowLength = 12.5f;
    values.jpegQuality = 85;
    values.aviFramerate = 24;
    values.mouseWheel = 1;
    return values;
}

void Type(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

}  // namespace

TEST(CPrefDlg, ShowsEveryValueInItsControl) {
    ScriptedServices services;
    CPrefDlg dialog(Sample(), services.messages);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral(" Preferences"));
    EXPECT_EQ(dialog.objectName(), QStringLiteral("140"));
    // Every control the dialog must have exists, with its kind; a missing one fails here.
    for (int id : {1076, 1048, 1049, 1108, 1133, 1079})
        ASSERT_NE(FindControl<QCheckBox>(&dialog, id), nullptr) << id;
    for (int id : {1041, 1042, 1098, 1100})
        ASSERT_NE(FindControl<QLineEdit>(&dialog, id), nullptr) << id;
    for (int id : {1099, 1101})
        ASSERT_NE(FindControl<QSpinBox>(&dialog, id), nullptr) << id;
    for (int id : {1036, 1037})
        ASSERT_NE(FindControl<QRadioButton>(&dialog, id), nullptr) << id;
    for (int id : {1, 2})
        ASSERT_NE(FindControl<QPushButton>(&dialog, id), nullptr) << id;

    const std::vector<std::pair<int, bool>> boxes = {{1076, true}, {1048, false}, {1049, true},
                                                     {1108, true}, {1133, false}, {1079, true}};
    for (const auto& [id, checked] : boxes)
        EXPECT_EQ(FindControl<QCheckBox>(&dialog, id)->isChecked(), checked) << id;
    EXPECT_EQ(FindControl<QCheckBox>(&dialog, 1079)->text(),
              QStringLiteral("Draw the models bounding boxes when moving"));
    EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1041)->text(), QStringLiteral("4"));
    EXPECT_EQ(FindControl<QLineEdit>(&dialog, 1042)->text(), QStringLiteral("12.5"));
    EXPECT_FALSE(FindControl<QRadioButton>(&dialog, 1036)->isChecked());
    EXPECT_TRUE(FindControl<QRadioButton>(&dialog, 1037)->isChecked());
    EXPECT_EQ(FindControl<QRadioButton>(&dialog, 1037)->text(), QStringLiteral("move close on turn forward"));
    EXPECT_EQ(FindControl<QPushButton>(&dialog, 1)->text(), QStringLiteral("OK"));
    EXPECT_EQ(FindControl<QPushButton>(&dialog, 2)->text(), QStringLiteral("Cancel"));
    bool restartNote = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>())
        restartNote |= label->text() == QStringLiteral("(changing this option require\nrestarting program)");
    EXPECT_TRUE(restartNote);
}

TEST(CPrefDlg, UpDownsKeepTheirRangesAndTheirNumbersCannotBeTyped) {
    ScriptedServices services;
    PreferenceValues values = Sample();
    values.jpegQuality = 100;
    values.aviFramerate = 40;  // out of range: shown at the top
    CPrefDlg dialog(values, services.messages);
    auto* quality = FindControl<QSpinBox>(&dialog, 1099);
    auto* rate = FindControl<QSpinBox>(&dialog, 1101);
    EXPECT_EQ(quality->minimum(), 0);
    EXPECT_EQ(quality->maximum(), 100);
    EXPECT_EQ(rate->minimum(), 1);
    EXPECT_EQ(rate->maximum(), 25);
    auto* qualityNumber = FindControl<QLineEdit>(&dialog, 1098);
    auto* rateNumber = FindControl<QLineEdit>(&dialog, 1100);
    // Each number is the edit of its own up-down control.
    EXPECT_EQ(qualityNumber->parentWidget(), quality);
    EXPECT_EQ(rateNumber->parentWidget(), rate);
    EXPECT_TRUE(qualityNumber->isReadOnly());
    EXPECT_TRUE(rateNumber->isReadOnly());
    EXPECT_EQ(rateNumber->text(), QStringLiteral("25"));

    quality->stepUp();  // already at 100
    EXPECT_EQ(qualityNumber->text(), QStringLiteral("100"));
    quality->stepDown();
    EXPECT_EQ(qualityNumber->text(), QStringLiteral("99"));
    QTest::keyClicks(qualityNumber, QStringLiteral("5"));
    EXPECT_EQ(qualityNumber->text(), QStringLiteral("99"));

    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.Values().jpegQuality, 99);
    EXPECT_EQ(dialog.Values().aviFramerate, 25);
}

TEST(CPrefDlg, TheApplyButtonLimitIsClampedAtEveryChange) {
    ScriptedServices services;
    CPrefDlg dialog(Sample(), services.messages);
    QLineEdit* limit = FindControl<QLineEdit>(&dialog, 1041);
    Type(*limit, QStringLiteral("0"));
    EXPECT_EQ(limit->text(), QStringLiteral("1"));

    limit->clear();
    QTest::keyClick(limit, Qt::Key_1);
    EXPECT_EQ(limit->text(), QStringLiteral("1"));
    QTest::keyClick(limit, Qt::Key_5);
    EXPECT_EQ(limit->text(), QStringLiteral("9"));
}

TEST(CPrefDlg, OkRefusesTextsThatAreNoNumbersAndStaysOpen) {
    ScriptedServices services;
    CPrefDlg dialog(Sample(), services.messages);
    std::vector<bool> open;
    WhenModalAppears([&](QWidget* modal) {
        QLineEdit* limit = FindControl<QLineEdit>(modal, 1041);
        QLineEdit* arrows = FindControl<QLineEdit>(modal, 1042);
        QPushButton* ok = FindControl<QPushButton>(modal, 1);
        Type(*limit, QStringLiteral("x"));
        Type(*arrows, QStringLiteral("12,5"));
        QTest::mouseClick(ok, Qt::LeftButton);
        open.push_back(modal->isVisible());
        Type(*limit, QStringLiteral("6"));
        QTest::mouseClick(ok, Qt::LeftButton);
        open.push_back(modal->isVisible());
        Type(*arrows, QStringLiteral("-7.25"));
        QTest::mouseClick(ok, Qt::LeftButton);
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(open, (std::vector<bool>{true, true}));
    EXPECT_EQ(services.messages.Texts(), (std::vector<std::string>{"Enter an integer.", "Enter a number."}));
    EXPECT_EQ(dialog.Values().applyButtonLimit, 6);
    EXPECT_EQ(dialog.Values().arrowLength, -7.25f);
}

TEST(CPrefDlg, OkTakesEveryControlAndCancelKeepsTheGivenValues) {
    ScriptedServices services;
    CPrefDlg dialog(Sample(), services.messages);
    WhenModalAppears([](QWidget* modal) {
        for (int id : {1076, 1048, 1049, 1108, 1133, 1079})
            FindControl<QCheckBox>(modal, id)->click();
        FindControl<QRadioButton>(modal, 1036)->click();
        Type(*FindControl<QLineEdit>(modal, 1042), QStringLiteral("30"));
        FindControl<QSpinBox>(modal, 1101)->stepDown();
        QTest::mouseClick(FindControl<QPushButton>(modal, 1), Qt::LeftButton);
    });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    const PreferenceValues& chosen = dialog.Values();
    EXPECT_EQ(chosen.glAccelerator, 0);
    EXPECT_EQ(chosen.sound, 1);
    EXPECT_EQ(chosen.plateVisible, 0);
    EXPECT_EQ(chosen.logOpacity, 0);
    EXPECT_EQ(chosen.lookAt, 1);
    EXPECT_EQ(chosen.drawBoxesWhenMoving, 0);
    EXPECT_EQ(chosen.mouseWheel, 0);
    EXPECT_EQ(chosen.arrowLength, 30.0f);
    EXPECT_EQ(chosen.aviFramerate, 23);
    EXPECT_EQ(chosen.jpegQuality, 85);
    EXPECT_EQ(chosen.applyButtonLimit, 4);

    CPrefDlg cancelled(Sample(), services.messages);
    WhenModalAppears([](QWidget* modal) {
        FindControl<QCheckBox>(modal, 1048)->click();
        Type(*FindControl<QLineEdit>(modal, 1042), QStringLiteral("x"));
        QTest::mouseClick(FindControl<QPushButton>(modal, 2), Qt::LeftButton);
    });
    EXPECT_EQ(cancelled.exec(), QDialog::Rejected);
    EXPECT_EQ(cancelled.Values().sound, 0);
    EXPECT_EQ(cancelled.Values().arrowLength, 12.5f);
    EXPECT_EQ(services.messages.shown.size(), 0u);
}
