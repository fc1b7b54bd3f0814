#include "app/CommandTable.h"

#include <gtest/gtest.h>
#include <QAction>
#include <QWidget>

#include "resources/CommandIds.h"

namespace {

TEST(CommandTable, ActionsCarryIdentifierTextsShortcutsAndTips) {
    QWidget owner;
    CommandTable table(owner);

    QAction* load = table.Action(kIdLoadObject);
    ASSERT_NE(load, nullptr);
    EXPECT_EQ(load->objectName(), QStringLiteral("57601"));
    EXPECT_EQ(load->text(), QStringLiteral(" Load &Object..."));
    EXPECT_EQ(load->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_O));

    QAction* objects = table.Action(kIdObjects);
    EXPECT_EQ(objects->statusTip(), QStringLiteral("Open/Close object properties"));
    EXPECT_EQ(objects->toolTip(), QStringLiteral("Object properties"));
    EXPECT_TRUE(objects->isCheckable());

    // Ctrl+S saves the screen image; no document save exists that could overwrite a model file.
    EXPECT_EQ(table.Action(kIdSaveImage)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    const QList<QKeySequence> copyKeys = table.Action(kIdDuplicateObject)->shortcuts();
    EXPECT_TRUE(copyKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_C)));
    EXPECT_TRUE(copyKeys.contains(QKeySequence(Qt::CTRL | Qt::Key_Insert)));
    EXPECT_EQ(table.Action(kIdHelp)->shortcut(), QKeySequence(Qt::Key_F1));
    EXPECT_EQ(table.Action(kIdContextHelp)->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F1));
    EXPECT_EQ(table.Action(kIdNewDocument)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    EXPECT_EQ(table.Action(kIdPrint)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));

    // Every action is reachable through its owner, so accelerators work without a menu.
    for (const int id : table.Ids())
        EXPECT_TRUE(owner.actions().contains(table.Action(id))) << id;
    EXPECT_EQ(table.Action(12345), nullptr);
}

TEST(CommandTable, OnlyAttachedCommandsAreEnabledAndRulesRunAfterEachCommand) {
    QWidget owner;
    CommandTable table(owner);
    for (const int id : table.Ids())
        EXPECT_FALSE(table.Action(id)->isEnabled()) << id;

    int mode = 1;
    int runs = 0;
    table.Attach(
        kIdMoveCamera,
        [&] {
            mode = 0;
            ++runs;
        },
        [&](QAction& action) { action.setChecked(mode == 0); });
    table.Attach(
        kIdMoveObjects, [&] { mode = 1; }, [&](QAction& action) { action.setChecked(mode == 1); });
    EXPECT_TRUE(table.Action(kIdMoveCamera)->isEnabled());
    EXPECT_TRUE(table.Action(kIdMoveObjects)->isChecked());
    EXPECT_FALSE(table.Action(kIdMoveCamera)->isChecked());

    table.Action(kIdMoveCamera)->trigger();
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(table.Action(kIdMoveCamera)->isChecked());
    EXPECT_FALSE(table.Action(kIdMoveObjects)->isChecked()) << "refreshed after the command";

    // Triggering the checked item again keeps it checked: the rule, not the click, decides.
    table.Action(kIdMoveCamera)->trigger();
    EXPECT_TRUE(table.Action(kIdMoveCamera)->isChecked());

    // A disabled command does nothing, even when triggered directly.
    table.Action(kIdStereo)->trigger();
    EXPECT_FALSE(table.Action(kIdStereo)->isChecked());
}

TEST(CommandTable, AHoldLeavesOnlyOneCommandWorkingWhateverTheRulesSay) {
    QWidget owner;
    CommandTable table(owner);
    int runs = 0;
    table.Attach(
        kIdLoadObject, [&] { ++runs; }, [](QAction& action) { action.setEnabled(true); });
    table.Attach(kIdFlightRecorder, [] {});
    table.HoldAllBut(kIdFlightRecorder);
    EXPECT_FALSE(table.Action(kIdLoadObject)->isEnabled());
    EXPECT_TRUE(table.Action(kIdFlightRecorder)->isEnabled());
    table.Action(kIdLoadObject)->trigger();  // a shortcut, say
    EXPECT_EQ(runs, 0);
    table.Refresh();
    EXPECT_FALSE(table.Action(kIdLoadObject)->isEnabled()) << "a refresh keeps the hold";
    table.ReleaseHold();
    EXPECT_TRUE(table.Action(kIdLoadObject)->isEnabled());
    table.Action(kIdLoadObject)->trigger();
    EXPECT_EQ(runs, 1);
}

TEST(CommandTable, MenuBitmapGivesWayToTheCheckMark) {
    QWidget owner;
    CommandTable table(owner);
    EXPECT_TRUE(table.Action(kIdObjects)->isIconVisibleInMenu());
    EXPECT_FALSE(table.Action(kIdSaveImage)->isIconVisibleInMenu()) << "no menu bitmap for Save Image";
    bool open = false;
    table.Attach(
        kIdObjects, [&] { open = !open; }, [&](QAction& action) { action.setChecked(open); });
    table.Action(kIdObjects)->trigger();
    EXPECT_FALSE(table.Action(kIdObjects)->isIconVisibleInMenu());
    table.Action(kIdObjects)->trigger();
    EXPECT_TRUE(table.Action(kIdObjects)->isIconVisibleInMenu());
}

}  // namespace
