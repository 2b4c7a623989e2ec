#pragma once
// The widget side of the platform's seams: the real message and input boxes
// (vb::MsgBox, vb::InputBox) and the desktop of the utilities (wait cursor,
// window set-up, date chooser, opening documents). Every program with windows
// calls installWidgets() once, after creating its QApplication.

#include "platform/vb/msgbox.h"

#include <QMargins>
#include <QRect>
#include <QString>
#include <memory>

class QWidget;

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

// A window opens whole on its screen: no larger than the screen's free area
// leaves room for (its frame counted) and never beyond its edges. Every
// window is fitted so as it is shown (installWindowsKeys); a window that
// grows while shown fits itself again.
void fitToScreen(QWidget& window, const QRect& area);
void fitToScreen(QWidget& window);
// The window with its frame; while it has none yet (not shown), with the
// frame a window manager is taken to add.
QRect outerGeometry(const QWidget& window);
inline constexpr QMargins kAssumedFrame(8, 32, 8, 8);

// The width a box needs to show its whole title in its title bar: the title
// in a bold, larger title font, and the frame's icon and buttons beside it.
int titleBarWidth(const QString& title);
inline constexpr int kTitleBarDecoration = 140;

// The real dialogs, as installWidgets() puts them in place.
std::shared_ptr<vb::DialogResponder> widgetDialogs();

} // namespace ui
