#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>
#include <QStringList>

namespace cuentasadic::interno {

using pasos::Recuadro;

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

// The operator error box of a save's routine before anything is written:
// Retry repeats the step, any other answer leaves.
pasos::OnError RecuadroGrabacion(const QString& Rutina);

} // namespace cuentasadic::interno
