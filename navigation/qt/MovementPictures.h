#pragma once
// Pictures of the Movements window's twelve buttons: the three axes (x red to the right, y green
// upward, z blue toward the viewer) with the arrow of the button's movement, painted as small vector
// drawings.

#include <QPixmap>

// The 24 x 24 picture of button `buttonId` (1077..1088); a null pixmap for any other number.
QPixmap MovementPicture(int buttonId);
