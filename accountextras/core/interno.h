#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>
#include <vector>

namespace cuentasadic::interno {

using pasos::Recuadro;

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

// A statement of a save; an UPDATE or DELETE that must find its row fails,
// as a write through a recordset does, when it touched none.
struct Sentencia {
    QString Texto;
    bool ExigeFila = false;
};

// Runs the statements of one save in one transaction on the company's
// connection. A failing statement (or begin, or commit) goes to the operator
// error box of the routine: Retry runs it again; any other answer gives the
// save up and rolls it back, since going on would store part of it. True
// when it committed.
bool EjecutaEnTransaccion(const std::vector<Sentencia>& Sentencias, const QString& Rutina);

// The operator error box of a save's routine before anything is written:
// Retry repeats the step, any other answer leaves.
pasos::OnError RecuadroGrabacion(const QString& Rutina);

} // namespace cuentasadic::interno
