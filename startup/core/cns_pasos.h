#pragma once
// Routines of the start-up modules that trap their errors run their steps
// through pasos::RunSteps (data/pasos.h), trapping every run-time error:
// a failing step goes to an error box, whose answer decides what follows
// (4 repeat the step, 5 go on with the next one, anything else leave).
// Ending the program is never trapped.

#include "data/pasos.h"
#include "platform/ado/ado.h"

#include <functional>

namespace CNStuffContable::detail {

// The error treatment that silently goes on with the next step.
inline pasos::Resume IgnorarError(const ado::Error&) {
    return pasos::Resume::Next;
}

// Runs one step that stands alone: any failure is passed over in silence and
// the caller goes on.
void Intenta(const std::function<void()>& paso);

} // namespace CNStuffContable::detail
