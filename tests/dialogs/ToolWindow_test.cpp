#include "dialogs/ToolWindow.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QDialog>
#include <QTest>

#include <memory>

namespace {

QDialog* MakeDialog(QWidget& parent) {
    auto* dialog = new QDialog(&parent, Qt::Tool);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    return dialog;
}

void DeleteClosedWindows() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(ToolWindow, TogglesAWindowBuiltAnewAndReportsItsGoing) {
    QWidget frame;
    int made = 0;
    int closed = 0;
    ToolWindow<QDialog> window(
        frame,
        [&made](QWidget& parent) {
            ++made;
            return MakeDialog(parent);
        },
        [&closed] { ++closed; });
    EXPECT_FALSE(window.IsOpen());
    EXPECT_EQ(window.Window(), nullptr);

    window.Toggle();
    ASSERT_TRUE(window.IsOpen());
    EXPECT_EQ(window.Window()->parentWidget(), &frame);
    window.Toggle();
    EXPECT_FALSE(window.IsOpen());
    DeleteClosedWindows();
    EXPECT_EQ(closed, 1);

    // Closed by its close box, the window counts as gone at once.
    window.Toggle();
    window.Window()->close();
    EXPECT_FALSE(window.IsOpen());
    DeleteClosedWindows();
    EXPECT_EQ(closed, 2);
    EXPECT_EQ(made, 2);
}

TEST(ToolWindow, NothingIsCalledBackOnceTheHolderIsGone) {
    QWidget frame;
    int closed = 0;
    QPointer<QDialog> open;
    QPointer<QDialog> closing;
    {
        ToolWindow<QDialog> first(frame, MakeDialog, [&closed] { ++closed; });
        first.Toggle();
        closing = first.Window();
        first.Toggle();  // closed, its deletion still pending
        ToolWindow<QDialog> second(frame, MakeDialog, [&closed] { ++closed; });
        second.Toggle();
        open = second.Window();
    }
    EXPECT_TRUE(open.isNull());  // the holder closes its open window
    ASSERT_FALSE(closing.isNull());
    DeleteClosedWindows();
    EXPECT_TRUE(closing.isNull());
    EXPECT_EQ(closed, 0);
}

}  // namespace
