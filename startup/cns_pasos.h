#pragma once
// Routines that trap their errors run their steps through EjecutaPasos: a
// failing step goes to an error box, whose answer decides what follows
// (4 repeat the step, 5 go on with the next one, anything else leave). It is
// the data object's runner (data/pasos.h) trapping every run-time error;
// ending the program is never trapped.

#include "platform/ado.h"

#include <functional>

namespace CNStuffContable::detail {

// The error a caught exception stands for. Call only inside a catch block.
ado::Error ErrorActual();

// Runs paso(i) from i = primero; each call returns the next step, or -1 when
// the routine is done (also for any index past the last step). A step that
// throws goes to caja. False when the operator chose to leave.
bool EjecutaPasos(const std::function<int(int)>& paso,
                  const std::function<int(const ado::Error&)>& caja, int primero = 0);

// Box answer that silently goes on with the next step.
inline int IgnorarError(const ado::Error&) {
    return 5;
}

// Runs one step that stands alone: any failure is passed over in silence and
// the caller goes on (the runner above answering every box with 5).
void Intenta(const std::function<void()>& paso);

// "'" doubled, for a text spliced between apostrophes.
QString Escapa(const QString& texto);

} // namespace CNStuffContable::detail
