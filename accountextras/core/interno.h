#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>

namespace cuentasadic::interno {

using pasos::Recuadro;

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

} // namespace cuentasadic::interno
