#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>

namespace cuentasadic::interno {

// The operator error box of a trapping routine: Retry repeats the step,
// Ignore goes on with the next one, any other answer leaves the routine.
pasos::OnError Recuadro(const QString& rutina);

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

} // namespace cuentasadic::interno
