#pragma once
// The main frame's toolbar (resource 128): movable, docks on any side, shows tool tips.

class CommandTable;
class QMainWindow;
class QToolBar;

// Adds the toolbar to the top of `frame` with the buttons in their fixed order; returns it.
QToolBar* BuildFrameToolbar(QMainWindow& frame, const CommandTable& commands);
