#pragma once
// The program icon (a specimen cut by the section plate), compiled into the program from dist/icons:
// the main window, the about box and every other window show it.

#include <QIcon>

// The icon with its 48 and 256 pixel pictures; Qt scales between them for other sizes.
QIcon ProgramIcon();
