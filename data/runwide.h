#pragma once
// Run-wide values of the start-up module that the data object reads. The
// start-up writes them (from the command line and the access window); they are
// defined here, below it, so the data layer does not depend on the start-up.
// The start-up includes this header instead of defining them again.

#include <QString>

namespace CNStuffContable {

// Name of the logged user.
extern QString gUsuarioLogeado;
// Password typed in the access window.
extern QString gPasswordUsuario;
// Non-administrators see restricted views also for journal entries
// (configuration key SS_CONFIDENCIALIDAD).
extern bool gConfidencialidad;

} // namespace CNStuffContable
