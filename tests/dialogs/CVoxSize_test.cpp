#include "dialogs/CVoxSize.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/qt/QtMessageBoxes.h"
#include "support/ScriptedServices.h"
#include "support/qt/FindControl.h"
#include "support/qt/ModalDriver.h"

namespace {

QLineEdit* Edit(QWidget* dialog) {
    return FindControl<QLineEdit>(dialog, 1136);
}

void Type(QLineEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

// A press on `target` while the pop-up is open: Qt hands it to the pop-up, at the position of
// `target` seen from there.
void PressOn(QWidget* entry, QWidget* target) {
    const QPoint centre = entry->mapFromGlobal(target->mapToGlobal(target->rect().center()));
    QTest::mouseClick(entry, Qt::LeftButton, {}, centre);
}

struct VoxSizeTest : ::testing::Test {
    VoxSizeTest() {
        other.resize(300, 200);
        other.move(600, 500);
        button = new QPushButton(QStringLiteral("model view"), &other);
        button->move(20, 20);
        other.show();
    }

    ScriptedServices services;
    QWidget other;
    QPushButton* button = nullptr;
};

}  // namespace

TEST_F(VoxSizeTest, ShowsTheValueWithFifteenSignificantDigitsInACaptionlessWindow) {
    CVoxSize entry(1.0 / 3.0, services.messages);
    EXPECT_EQ(entry.objectName(), QStringLiteral("189"));
    EXPECT_TRUE(entry.windowFlags().testFlag(Qt::FramelessWindowHint));
    ASSERT_NE(Edit(&entry), nullptr);
    EXPECT_EQ(Edit(&entry)->text(), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(CVoxSize(0.0125, services.messages).findChild<QLineEdit*>()->text(), QStringLiteral("0.0125"));
    const QList<QLabel*> labels = entry.findChildren<QLabel*>();
    ASSERT_EQ(labels.size(), 1);
    EXPECT_EQ(labels.front()->text(), QStringLiteral("Voxel size (um)"));
}

TEST_F(VoxSizeTest, APressOutsideEndsTheEntryWithTheTypedValue) {
    CVoxSize entry(2.0, services.messages);
    entry.move(50, 50);  // away from the other window, wherever the pointer is
    bool pressedInside = false;
    WhenModalAppears([&](QWidget* modal) {
        ASSERT_EQ(modal, &entry);
        Type(*Edit(modal), QStringLiteral("0.75"));
        // A press on its own label is an ordinary press: the entry stays.
        QTest::mouseClick(modal, Qt::LeftButton, {}, modal->findChild<QLabel*>()->geometry().center());
        pressedInside = modal->isVisible();
        PressOn(modal, button);
    });
    EXPECT_EQ(entry.exec(), QDialog::Accepted);
    EXPECT_TRUE(pressedInside);
    EXPECT_EQ(entry.Value(), 0.75);
    EXPECT_TRUE(services.messages.shown.empty());
}

TEST_F(VoxSizeTest, EnterTakesTheValueAndEscapeDiscardsIt) {
    CVoxSize taken(2.0, services.messages);
    WhenModalAppears([](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral(" -3 "));
        QTest::keyClick(Edit(modal), Qt::Key_Return);
    });
    EXPECT_EQ(taken.exec(), QDialog::Accepted);
    EXPECT_EQ(taken.Value(), -3.0);  // the caller stores it as 0

    CVoxSize discarded(2.0, services.messages);
    WhenModalAppears([](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("7"));
        QTest::keyClick(Edit(modal), Qt::Key_Escape);
    });
    EXPECT_EQ(discarded.exec(), QDialog::Rejected);
    EXPECT_EQ(discarded.Value(), 2.0);
}

TEST_F(VoxSizeTest, TextThatIsNoNumberIsRefusedAndTheEntryOpensAgainWithIt) {
    CVoxSize entry(2.0, services.messages);
    entry.move(50, 50);
    std::vector<QString> reopenedWith;
    WhenModalAppears([&](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("12um"));
        WhenModalAppears([&](QWidget* again) {
            reopenedWith.push_back(Edit(again)->selectedText());
            WhenModalAppears([&](QWidget* third) {
                reopenedWith.push_back(Edit(third)->selectedText());
                Type(*Edit(third), QStringLiteral("1e-3"));
                PressOn(third, button);
            });
            PressOn(again, button);  // still no number
        });
        QTest::keyClick(Edit(modal), Qt::Key_Enter);
    });
    EXPECT_EQ(entry.exec(), QDialog::Accepted);
    EXPECT_EQ(reopenedWith, (std::vector<QString>{QStringLiteral("12um"), QStringLiteral("12um")}));
    EXPECT_EQ(services.messages.Texts(), (std::vector<std::string>{"Enter a number.", "Enter a number."}));
    EXPECT_EQ(entry.Value(), 0.001);
}

TEST_F(VoxSizeTest, ARealMessageBoxDoesNotEndTheEntry) {
    // A pop-up closes when a modal box opens over it: the refusal must come between two openings.
    QtMessageBoxes boxes;
    CVoxSize entry(2.0, boxes);
    entry.move(50, 50);
    bool entryHiddenUnderTheBox = false;
    WhenModalAppears([&](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("x"));
        WhenModalAppears([&](QWidget* box) {
            entryHiddenUnderTheBox = box != &entry && !entry.isVisible();
            WhenModalAppears([](QWidget* again) {
                Type(*Edit(again), QStringLiteral("8"));
                QTest::keyClick(Edit(again), Qt::Key_Return);
            });
            QTest::keyClick(box, Qt::Key_Return);
        });
        QTest::keyClick(Edit(modal), Qt::Key_Return);
    });
    EXPECT_EQ(entry.exec(), QDialog::Accepted);
    EXPECT_TRUE(entryHiddenUnderTheBox);
    EXPECT_EQ(entry.Value(), 8.0);
}

TEST_F(VoxSizeTest, IsAPopupThatTheWindowSystemClosesOnAPressOutside) {
    CVoxSize entry(2.0, services.messages);
    EXPECT_EQ(entry.windowType(), Qt::Popup);
    entry.move(50, 50);
    WhenModalAppears([&](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("0.5"));
        // Delivered as the window system delivers it, to the other window: Qt hands it to the pop-up.
        QTest::mouseClick(other.windowHandle(), Qt::LeftButton, {}, button->geometry().center());
    });
    EXPECT_EQ(entry.exec(), QDialog::Accepted);
    EXPECT_EQ(entry.Value(), 0.5);

    // Under Wayland the compositor ends a pop-up on a press outside and the window is simply closed.
    CVoxSize closed(2.0, services.messages);
    WhenModalAppears([](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("0.25"));
        modal->close();
    });
    EXPECT_EQ(closed.exec(), QDialog::Accepted);
    EXPECT_EQ(closed.Value(), 0.25);
}

TEST_F(VoxSizeTest, OkAndCancelExistUnseenAndActLikeEnterAndEscape) {
    CVoxSize taken(2.0, services.messages);
    bool hidden = false;
    WhenModalAppears([&](QWidget* modal) {
        auto* ok = modal->findChild<QPushButton*>(QStringLiteral("1"));
        auto* cancel = modal->findChild<QPushButton*>(QStringLiteral("2"));
        ASSERT_NE(ok, nullptr);
        ASSERT_NE(cancel, nullptr);
        hidden = !ok->isVisible() && !cancel->isVisible();
        Type(*Edit(modal), QStringLiteral("4.5"));
        ok->click();
    });
    EXPECT_EQ(taken.exec(), QDialog::Accepted);
    EXPECT_TRUE(hidden);
    EXPECT_EQ(taken.Value(), 4.5);

    CVoxSize discarded(2.0, services.messages);
    WhenModalAppears([](QWidget* modal) {
        Type(*Edit(modal), QStringLiteral("4.5"));
        modal->findChild<QPushButton*>(QStringLiteral("2"))->click();
    });
    EXPECT_EQ(discarded.exec(), QDialog::Rejected);
    EXPECT_EQ(discarded.Value(), 2.0);
}
