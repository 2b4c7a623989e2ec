#pragma once
// Helpers shared by the sources of the additional-data window.

#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

#include <QString>
#include <exception>

namespace cuentasadic::ui {

using pasos::Protege;
using pasos::Recuadro;

} // namespace cuentasadic::ui
