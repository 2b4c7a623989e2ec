#pragma once
// The widget side of the platform's seams: the real message and input boxes
// (vb::MsgBox, vb::InputBox) and the desktop of the utilities (wait cursor,
// window set-up, date chooser, opening documents). Every program with windows
// calls installWidgets() once, after creating its QApplication.

#include "platform/vb/msgbox.h"

#include <memory>

namespace ui {

// Also puts in place what installSpanish() and installWindowsKeys() do.
void installWidgets();

// Before the QApplication is built: a private runtime folder when the
// session gives none (XDG_RUNTIME_DIR), so that Qt does not warn about it.
void ensureRuntimeDir();

// Qt's own widgets in Argentine Spanish whatever the machine's locale: the
// default locale (calendar, month and day names) and Qt's translations of its
// texts (standard buttons, context menus). The program's amounts keep the
// regional settings of platform/vb.
void installSpanish();

// Enter on a focused command button presses it, in every window; drop-down
// lists open under their box, at most kFilasLista rows high.
void installWindowsKeys();
inline constexpr int kFilasLista = 20;

// The real dialogs, as installWidgets() puts them in place.
std::shared_ptr<vb::DialogResponder> widgetDialogs();

} // namespace ui
