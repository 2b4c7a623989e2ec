#pragma once
// The widget side of the platform's seams: the real message and input boxes
// (vb::MsgBox, vb::InputBox) and the desktop of the utilities (wait cursor,
// window set-up, date chooser, opening documents). Every program with windows
// calls installWidgets() once, after creating its QApplication.

#include "platform/vb/msgbox.h"

#include <memory>

namespace ui {

void installWidgets();

// The real dialogs, as installWidgets() puts them in place.
std::shared_ptr<vb::DialogResponder> widgetDialogs();

} // namespace ui
