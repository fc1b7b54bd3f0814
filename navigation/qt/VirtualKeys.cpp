#include "navigation/qt/VirtualKeys.h"

namespace {

struct KeyPair {
    int qtKey;
    int virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {Qt::Key_Backspace, 0x08}, {Qt::Key_Tab, 0x09},        {Qt::Key_Backtab, 0x09}, {Qt::Key_Return, 0x0D},
    {Qt::Key_Enter, 0x0D},     {Qt::Key_Shift, 0x10},      {Qt::Key_Control, 0x11}, {Qt::Key_Alt, 0x12},
    {Qt::Key_Pause, 0x13},     {Qt::Key_CapsLock, 0x14},   {Qt::Key_Escape, 0x1B},  {Qt::Key_Space, 0x20},
    {Qt::Key_PageUp, 0x21},    {Qt::Key_PageDown, 0x22},   {Qt::Key_End, 0x23},     {Qt::Key_Home, 0x24},
    {Qt::Key_Left, 0x25},      {Qt::Key_Up, 0x26},         {Qt::Key_Right, 0x27},   {Qt::Key_Down, 0x28},
    {Qt::Key_Print, 0x2C},     {Qt::Key_Insert, 0x2D},     {Qt::Key_Delete, 0x2E},  {Qt::Key_Meta, 0x5B},
    {Qt::Key_NumLock, 0x90},   {Qt::Key_ScrollLock, 0x91},
};

}  // namespace

int VirtualKeyFromQt(int qtKey, Qt::KeyboardModifiers modifiers) {
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) {
        // Keypad digits (Num Lock on) have their own codes; with Num Lock off the keypad sends the
        // cursor keys, which the table below maps like the main ones.
        return (modifiers & Qt::KeypadModifier) ? 0x60 + (qtKey - Qt::Key_0) : qtKey;
    }
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) return qtKey;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) return 0x70 + (qtKey - Qt::Key_F1);
    for (const KeyPair& pair : kNamedKeys) {
        if (pair.qtKey == qtKey) return pair.virtualKey;
    }
    return 0;
}
