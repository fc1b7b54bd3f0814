#pragma once
// Qt key codes to the Windows virtual-key codes the navigation code takes.

#include <Qt>

// The virtual-key code of `qtKey`: letters and digits as their upper-case ASCII codes, the keypad
// digits (keypad modifier) as 0x60..0x69, the cursor keys, Home, End, Page Up and Page Down as
// 0x21..0x28 (from the keypad too, as with Num Lock off), and the common control and function keys.
// 0 for a key without an equivalent.
int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers);
