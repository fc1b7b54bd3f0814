#include "platform/qt/QtMessageBoxes.h"

#include <QAbstractButton>
#include <QMessageBox>

#include <gtest/gtest.h>

#include "support/qt/ModalDriver.h"

namespace {

struct SeenBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    bool modalToParent = false;
};

// Shows one box, records it and presses `press` (NoButton: closes it with Escape).
MessageAnswer ShowAndPress(QtMessageBoxes& boxes, const std::string& text, MessageButtons buttons,
                           MessageIcon icon, QMessageBox::StandardButton press, SeenBox& seen,
                           QWidget* parent = nullptr) {
    WhenModalAppears([&](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (!box) return;
        seen = {box->windowTitle(), box->text(), box->standardButtons(), box->icon(),
                box->parentWidget() == parent};
        if (press == QMessageBox::NoButton)
            box->reject();
        else
            box->button(press)->click();
    });
    return boxes.Show(text, buttons, icon);
}

}  // namespace

TEST(QtMessageBoxes, ShowsTitledBoxesAndReturnsTheButtonPressed) {
    QWidget frame;
    QtMessageBoxes boxes(&frame);
    SeenBox seen;
    EXPECT_EQ(ShowAndPress(boxes, "Mervik program try to send new model.\nAccept it?", MessageButtons::YesNo,
                           MessageIcon::Question, QMessageBox::No, seen, &frame),
              MessageAnswer::No);
    EXPECT_EQ(seen.title, "Pexora");
    EXPECT_EQ(seen.text, "Mervik program try to send new model.\nAccept it?");
    EXPECT_EQ(seen.buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(seen.icon, QMessageBox::Question);
    EXPECT_TRUE(seen.modalToParent);

    EXPECT_EQ(ShowAndPress(boxes, "q", MessageButtons::YesNo, MessageIcon::Question, QMessageBox::Yes, seen,
                           &frame),
              MessageAnswer::Yes);
    EXPECT_EQ(ShowAndPress(boxes, "Overwrite?", MessageButtons::OkCancel, MessageIcon::Warning,
                           QMessageBox::Ok, seen, &frame),
              MessageAnswer::Ok);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(seen.icon, QMessageBox::Warning);
    EXPECT_EQ(ShowAndPress(boxes, "Overwrite?", MessageButtons::OkCancel, MessageIcon::Warning,
                           QMessageBox::Cancel, seen, &frame),
              MessageAnswer::Cancel);
}

TEST(QtMessageBoxes, ACallerMayNameTheCaption) {
    QtMessageBoxes boxes;
    SeenBox seen;
    WhenModalAppears([&](QWidget* modal) {
        seen.title = modal->windowTitle();
        qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Ok)->click();
    });
    EXPECT_EQ(boxes.ShowCaptioned("Load scene", "Read error.", MessageButtons::Ok, MessageIcon::Warning),
              MessageAnswer::Ok);
    EXPECT_EQ(seen.title, "Load scene");
}

TEST(QtMessageBoxes, ClosingABoxGivesTheRefusingAnswer) {
    QtMessageBoxes boxes;
    SeenBox seen;
    EXPECT_EQ(
        ShowAndPress(boxes, "q", MessageButtons::YesNo, MessageIcon::Question, QMessageBox::NoButton, seen),
        MessageAnswer::No);
    EXPECT_EQ(
        ShowAndPress(boxes, "q", MessageButtons::OkCancel, MessageIcon::None, QMessageBox::NoButton, seen),
        MessageAnswer::Cancel);
    EXPECT_EQ(
        ShowAndPress(boxes, "done", MessageButtons::Ok, MessageIcon::Error, QMessageBox::NoButton, seen),
        MessageAnswer::Ok);
    EXPECT_EQ(seen.icon, QMessageBox::Critical);
    EXPECT_EQ(seen.buttons, QMessageBox::Ok);
}
