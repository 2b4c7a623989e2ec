// The operator error box of the additional data's and cost centres' saves.

#include "accountextras/core/interno.h"

#include "platform/win/clsutilidades.h"

namespace cuentasadic::interno {

pasos::OnError RecuadroGrabacion(const QString& Rutina) {
    return [Rutina](const ado::Error& e) {
        const pasos::Resume r =
            pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, Rutina));
        return r == pasos::Resume::Retry ? r : pasos::Resume::Exit;
    };
}

} // namespace cuentasadic::interno
