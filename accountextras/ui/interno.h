#pragma once
// Helpers shared by the sources of the additional-data window.

#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

#include <QString>
#include <exception>

namespace cuentasadic::ui {

// Runs a handler from an event: a failure is told, never let through Qt.
template <typename F> void Protege(F&& f) {
    try {
        f();
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
    }
}

// The operator error box of a trapping routine: Retry repeats the step,
// Ignore goes on with the next one, any other answer leaves the routine.
inline pasos::OnError Recuadro(const QString& rutina) {
    return [rutina](const ado::Error& e) {
        return pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, rutina));
    };
}

} // namespace cuentasadic::ui
