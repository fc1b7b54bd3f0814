#include "platform/qt/CPersistWnd.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

#include "platform/WindowPlacement.h"
#include "support/MemorySettingsStore.h"

namespace {

QRect VirtualScreen() {
    return QGuiApplication::primaryScreen()->virtualGeometry();
}

// Bounds well inside the virtual screen, whatever its size.
PlacementRect InsideBounds() {
    const QRect screen = VirtualScreen();
    return {screen.x() + 20, screen.y() + 30, screen.x() + 20 + screen.width() / 2,
            screen.y() + 30 + screen.height() / 2};
}

QRect ToQRect(const PlacementRect& r) {
    return QRect(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

// Waits until the window system has placed the window where Qt asked; the caller checks the result.
void WaitForFrame(QWidget& window, const QRect& expected) {
    static_cast<void>(QTest::qWaitFor([&] { return window.frameGeometry() == expected; }, 2000));
}

class Frame : public QWidget, private CPersistWnd<szSettings, true> {
public:
    using CPersistWnd::RestorePlacement;
    using CPersistWnd::SavePlacement;
};

class ToolDialog : public QDialog, private CPersistWnd<szObjPropDlgName, false> {
public:
    using CPersistWnd::RestorePlacement;
    using CPersistWnd::SavePlacement;
};

}  // namespace

TEST(CPersistWnd, MainFrameGetsBackPositionAndSize) {
    MemorySettingsStore store;
    const PlacementRect stored = InsideBounds();
    WritePlacement(store, "Settings", stored);

    // Restored at the end of creation, before the window is shown.
    Frame frame;
    frame.resize(200, 150);
    frame.RestorePlacement(frame, store);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    WaitForFrame(frame, ToQRect(stored));
    EXPECT_EQ(frame.frameGeometry(), ToQRect(stored));

    // Saved when it closes: its outer bounds, in the main frame's section "Settings".
    store.operations.clear();
    ASSERT_TRUE(frame.SavePlacement(frame, store));
    EXPECT_EQ(ReadPlacement(store, "Settings", {}), stored);
    EXPECT_EQ(store.WrittenNames("Settings"),
              (std::vector<std::string>{"LeftWindowPosition", "TopWindowPosition", "RightWindowPosition",
                                        "BottomWindowPosition"}));
}

TEST(CPersistWnd, DialogGetsBackOnlyItsPosition) {
    MemorySettingsStore store;
    const PlacementRect stored = InsideBounds();
    WritePlacement(store, "ObjectsDialog", stored);

    ToolDialog dialog;
    dialog.resize(180, 120);
    dialog.RestorePlacement(dialog, store);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    const QRect expected(stored.left, stored.top, 180, 120);
    WaitForFrame(dialog, expected);
    EXPECT_EQ(dialog.frameGeometry(), expected);
}

TEST(CPersistWnd, PlacementOutsideTheVirtualScreenIsIgnored) {
    const QRect screen = VirtualScreen();
    const std::vector<PlacementRect> outside{
        {screen.x() - 40, screen.y() + 10, screen.x() + 300,
         screen.y() + 200},  // left of the leftmost monitor
        {screen.x() + 10, screen.y() - 1, screen.x() + 300, screen.y() + 200},  // above the top
        {screen.x() + 10, screen.y() + 10, screen.right() + 200, screen.y() + 200},
        {screen.x() + 10, screen.y() + 10, screen.x() + 300, screen.bottom() + 200},
        {screen.x() + 300, screen.y() + 10, screen.x() + 10, screen.y() + 200},  // inverted
    };
    for (const PlacementRect& bounds : outside) {
        MemorySettingsStore store;
        WritePlacement(store, "Settings", bounds);
        Frame frame;
        frame.setGeometry(screen.x() + 50, screen.y() + 60, 220, 160);
        const QRect before = frame.frameGeometry();
        frame.RestorePlacement(frame, store);
        EXPECT_EQ(frame.frameGeometry(), before) << bounds.left << "," << bounds.top;
    }

    // Missing values keep the current sides; no section at all changes nothing.
    MemorySettingsStore empty;
    Frame frame;
    frame.setGeometry(screen.x() + 50, screen.y() + 60, 220, 160);
    frame.RestorePlacement(frame, empty);
    EXPECT_EQ(frame.frameGeometry(), QRect(screen.x() + 50, screen.y() + 60, 220, 160));
    MemorySettingsStore leftOnly;
    leftOnly.WriteInt("Settings", "LeftWindowPosition", static_cast<uint32_t>(screen.x() + 70));
    frame.RestorePlacement(frame, leftOnly);
    EXPECT_EQ(frame.frameGeometry(), QRect(screen.x() + 70, screen.y() + 60, 200, 160));
}

TEST(CPersistWnd, MinimisedAndMaximisedWindowsStoreUsableBounds) {
    const QRect screen = VirtualScreen();
    Frame frame;
    frame.setGeometry(screen.x() + 40, screen.y() + 50, 300, 200);
    frame.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    const QRect normal = frame.frameGeometry();

    frame.showMinimized();
    ASSERT_TRUE(frame.isMinimized());
    MemorySettingsStore store;
    ASSERT_TRUE(frame.SavePlacement(frame, store));
    EXPECT_EQ(ToQRect(ReadPlacement(store, "Settings", {})), normal);

    frame.showMaximized();
    ASSERT_TRUE(frame.isMaximized());
    ASSERT_TRUE(frame.SavePlacement(frame, store));
    const QRect outer = frame.frameGeometry();
    const int border = frame.geometry().x() - outer.x();
    const int bottomBorder = outer.bottom() - frame.geometry().bottom();
    EXPECT_EQ(ReadPlacement(store, "Settings", {}),
              ShrinkMaximised({outer.x(), outer.y(), outer.x() + outer.width(), outer.y() + outer.height()},
                              border, bottomBorder));
}
