// The Print Layout dialog: its controls, the range 1..100000 and the messages for refused entries.
#include "dialogs/CPrintLayoutDlg.h"

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPushButton>

#include <string>
#include <vector>

#include "resources/PrintLayoutIds.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"

namespace {

struct PrintLayoutDlgTest : ::testing::Test {
    QLineEdit* Edit(int id) { return dialog.findChild<QLineEdit*>(QString::number(id)); }
    void Press(int id) { dialog.findChild<QPushButton*>(QString::number(id))->click(); }
    void Type(const QString& size, const QString& left, const QString& top) {
        Edit(kIdPrintLayoutSizeEdit)->setText(size);
        Edit(kIdPrintLayoutLeftMarginEdit)->setText(left);
        Edit(kIdPrintLayoutTopMarginEdit)->setText(top);
    }

    ScriptedMessageBoxes messages;
    CPrintLayoutDlg dialog{150, 10, 12, messages};
};

TEST_F(PrintLayoutDlgTest, ShowsTheCurrentValues) {
    EXPECT_EQ(dialog.windowTitle(), " Print Layout");
    EXPECT_EQ(dialog.objectName(), "143");
    ASSERT_NE(Edit(kIdPrintLayoutSizeEdit), nullptr);
    EXPECT_EQ(Edit(kIdPrintLayoutSizeEdit)->text(), "150");
    EXPECT_EQ(Edit(kIdPrintLayoutLeftMarginEdit)->text(), "10");
    EXPECT_EQ(Edit(kIdPrintLayoutTopMarginEdit)->text(), "12");
}

TEST_F(PrintLayoutDlgTest, OkTakesTheRangeEnds) {
    dialog.show();
    Type(" 100000 ", "1", "25");
    Press(kIdPrintLayoutOk);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.PrintSize(), 100000);
    EXPECT_EQ(dialog.LeftMargin(), 1);
    EXPECT_EQ(dialog.TopMargin(), 25);
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(PrintLayoutDlgTest, RefusedEntriesKeepTheDialogOpenAndTheValues) {
    dialog.show();
    const std::string range = "Enter an integer between 1 and 100000.";
    for (const auto& [size, left, top, message] :
         {std::tuple{"0", "10", "10", range}, std::tuple{"150", "100001", "10", range},
          std::tuple{"150", "10", "-3", range},
          std::tuple{"150", "1.5", "10", std::string("Enter an integer.")},
          std::tuple{"", "10", "10", std::string("Enter an integer.")},
          std::tuple{"99999999999", "10", "10", range}}) {
        messages.shown.clear();
        Type(size, left, top);
        Press(kIdPrintLayoutOk);
        EXPECT_TRUE(dialog.isVisible()) << size << " " << left << " " << top;
        EXPECT_EQ(messages.Texts(), std::vector<std::string>{message}) << size << " " << left << " " << top;
    }
    EXPECT_EQ(dialog.PrintSize(), 150);
    EXPECT_EQ(dialog.LeftMargin(), 10);
    EXPECT_EQ(dialog.TopMargin(), 12);

    // Cancel leaves the values as they came, whatever was typed.
    Type("20", "30", "40");
    Press(kIdPrintLayoutCancel);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.PrintSize(), 150);
}

}  // namespace
