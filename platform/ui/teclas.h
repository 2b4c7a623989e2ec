#pragma once
// Key events in the runtime's terms, as the windows' handlers take them.

#include <Qt>

class QKeyEvent;

namespace ui {

// The runtime's key code of a key event: Enter 13, Escape 27, arrows 37-40,
// digits 48-57 (96-105 on the keypad), letters 65-90, F1-F24 112-135 ...;
// 0 for a key without one.
int vbKeyCode(const QKeyEvent& e);

// The runtime's shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int vbShift(Qt::KeyboardModifiers m);

} // namespace ui
