// What the additional data's and cost centres' saves share: the operator
// error box of their routine and the comparison of what they re-read.

#include "accountextras/core/interno.h"

#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

namespace cuentasadic::interno {

pasos::OnError RecuadroGrabacion(const QString& Rutina) {
    return [Rutina](const ado::Error& e) {
        const pasos::Resume r =
            pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, Rutina));
        return r == pasos::Resume::Retry ? r : pasos::Resume::Exit;
    };
}

QString ValorComparable(const QVariant& Valor) {
    if (!Valor.isValid() || vb::IsNull(Valor))
        return QStringLiteral("\u0001");
    QString t = ClsUtilidades::ValorCampo(Valor);
    while (t.endsWith(u' '))
        t.chop(1);
    return t;
}

} // namespace cuentasadic::interno
