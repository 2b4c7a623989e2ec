#pragma once
// Mouse presses in the runtime's terms, as the windows' handlers take them.

class QMouseEvent;
class QWidget;

namespace ui {

// The runtime's button of a press on Control: 1 left, 2 right, 4 middle.
// 0 when the control does not answer it: any press on a disabled control
// (itself or through its frame), and a right press on a locked (read-only)
// text box, whose lookup or calendar must not change it.
int vbMouseButton(const QWidget& Control, const QMouseEvent& e);

// The control answers a lookup (right button, F6, CONSULTAR): enabled,
// through its frame too, and not a locked (read-only) text box.
bool AceptaConsulta(const QWidget& Control);

} // namespace ui
