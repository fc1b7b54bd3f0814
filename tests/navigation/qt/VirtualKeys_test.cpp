#include "navigation/qt/VirtualKeys.h"

#include <gtest/gtest.h>

#include "navigation/CBallController.h"
#include "navigation/NavigationInput.h"

TEST(VirtualKeys, NavigationKeysGetTheirWindowsCodes) {
    const Qt::KeyboardModifiers none;
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Up, none), kKeyUp);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Down, none), kKeyDown);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Left, none), kKeyLeft);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Right, none), kKeyRight);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Home, none), kKeyHome);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageUp, none), kKeyPageUp);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_PageDown, none), kKeyPageDown);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_End, none), kKeyEnd);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_U, none), kKeyU);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_B, Qt::ShiftModifier), kKeyB);

    // Keypad digits with Num Lock on have their own codes; without it the keypad sends cursor keys.
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, Qt::KeypadModifier), kKeyNumpad8);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_2, Qt::KeypadModifier), kKeyNumpad2);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_9, Qt::KeypadModifier), kKeyNumpad9);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_8, none), 0x38);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Home, Qt::KeypadModifier), kKeyHome);

    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_F1, none), 0x70);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Escape, none), 0x1B);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_Eacute, none), 0);
    EXPECT_EQ(VirtualKeyFromQt(Qt::Key_unknown, none), 0);
}
