#pragma once
// Toolbar pictures and menu bitmaps of the commands, painted as small vector drawings.

#include <QIcon>
#include <QPixmap>

class QProxyStyle;

inline constexpr int kToolbarPictureSize = 16;
inline constexpr int kMenuBitmapWidth = 13;
inline constexpr int kMenuBitmapHeight = 11;

// The toolbar picture of command `commandId` at 16 x 16; a null pixmap for a command without one.
QPixmap ToolbarPicture(int commandId);
// Menu bitmap `bitmapId` (152, 154, 156, 157, 159) at 13 x 11; a null pixmap for any other number.
QPixmap MenuBitmap(int bitmapId);
// The menu bitmap number of command `commandId`, 0 when its menu item shows none.
int MenuBitmapOf(int commandId);
// The icon of command `commandId`: its toolbar picture for toolbar sizes and, when it has one, its
// menu bitmap for menu sizes (see MenuBitmapStyle). An empty icon for a command without a picture.
QIcon CommandIcon(int commandId);
// The style for menus: it asks icons for 13-pixel pictures, so that menus show the menu bitmaps.
// Owned by the application object; needs one to exist.
QProxyStyle* MenuBitmapStyle();
