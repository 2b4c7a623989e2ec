#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>
#include <QStringList>

namespace cuentasadic::interno {

using pasos::Recuadro;

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

// Runs the statements of one save as one transaction on the company's
// connection (one batch, as the statement builder's saves run). A failure
// rolls it back and goes to the operator error box of the routine: Retry
// runs the whole save again, any other answer leaves nothing stored. With
// ExigeFila the save must touch a row, as a write through a recordset fails
// for a row that is gone. True when it committed.
bool EjecutaEnTransaccion(const QStringList& Sentencias, bool ExigeFila, const QString& Rutina);

// The operator error box of a save's routine before anything is written:
// Retry repeats the step, any other answer leaves.
pasos::OnError RecuadroGrabacion(const QString& Rutina);

} // namespace cuentasadic::interno
