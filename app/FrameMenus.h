#pragma once
// The main frame's menu bar: File, View, Options and Help, built from the command table.

class CommandTable;
class QMenuBar;

// Fills `menuBar` with the menus and their items; every menu refreshes the command states when it
// opens and shows the commands' menu bitmaps. Call once.
void BuildFrameMenus(QMenuBar& menuBar, CommandTable& commands);
