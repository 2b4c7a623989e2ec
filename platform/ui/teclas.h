#pragma once
// Key events in the runtime's terms, as the windows' handlers take them.

#include <Qt>
#include <functional>

class QKeyEvent;
class QObject;
class QWidget;

namespace ui {

// The runtime's key code of a key event: Enter 13, Escape 27, arrows 37-40,
// digits 48-57 (96-105 on the keypad), letters 65-90, F1-F24 112-135 ...;
// 0 for a key without one.
int vbKeyCode(const QKeyEvent& e);

// The runtime's shift state: 1 Shift, 2 Ctrl, 4 Alt, added.
int vbShift(Qt::KeyboardModifiers m);

// Types the character Ascii into Campo in place of the one the key event K
// typed, as a key-press handler that changed the character wants (Ascii 0 or
// beyond 255 types nothing). Reenvio is true while the replacement travels,
// so the event filter that called this lets it through.
void TecleaEnLugar(QWidget* Campo, const QKeyEvent& K, int Ascii, bool& Reenvio);

// The command bar's keys, F2 to F9.
bool EsTeclaBarra(int KeyCode);

// A window's key preview: a key pressed in Ventana or in any control of it
// (controls added later included, as it is installed on the application)
// reaches AlTeclear(KeyCode, Shift) before the control; the command bar's
// keys go no further, neither to the control nor back here on their way up
// to the parents. SoloBarra: only those keys reach AlTeclear. The filter
// belongs to Ventana.
QObject* PreviaTeclas(QWidget* Ventana, std::function<void(int KeyCode, int Shift)> AlTeclear,
                      bool SoloBarra = false);

} // namespace ui
