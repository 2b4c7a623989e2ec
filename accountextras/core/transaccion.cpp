// One transaction per save of the additional data, on the company's
// connection, with the routine's own error box.

#include "accountextras/core/interno.h"

#include "data/instances.h"
#include "platform/ado/engine.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

#include <optional>

namespace cuentasadic::interno {

namespace {

// Runs a text through the data object; its first error, taken out of the
// connection's errors. A text that names a transaction is never repeated on
// a new connection by the data object, so the batch cannot half-run.
std::optional<ado::Error> Ejecuta(DB_Dll& datos, const QString& texto, long& afectados) {
    ado::Errors& errores = datos.cnn()->errors();
    errores.Clear();
    QString sentencia = texto;
    try {
        datos.EjecutaConsultaSQL(sentencia, afectados);
    } catch (const ado::Exception& e) {
        if (errores.Count() == 0)
            errores.Add(e.error());
    }
    if (errores.Count() == 0)
        return std::nullopt;
    const ado::Error e = errores.Item(0);
    errores.Clear();
    return e;
}

} // namespace

pasos::OnError RecuadroGrabacion(const QString& Rutina) {
    return [Rutina](const ado::Error& e) {
        const pasos::Resume r =
            pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, Rutina));
        return r == pasos::Resume::Retry ? r : pasos::Resume::Exit;
    };
}

bool EjecutaEnTransaccion(const QStringList& Sentencias, bool ExigeFila, const QString& Rutina) {
    DB_Dll& datos = gDatos();
    QString lote = QStringLiteral("BEGIN TRANSACTION ") + vb::vbCr;
    for (const QString& s : Sentencias)
        lote += vb::vbCr + s;
    lote += vb::vbCr;
    for (;;) {
        long afectados = 0;
        std::optional<ado::Error> falla = Ejecuta(datos, lote, afectados);
        if (!falla && ExigeFila && afectados <= 0)
            falla = ado::adoError(ado::adErrRowNotFound);
        if (!falla) {
            long sinUso = 0;
            falla = Ejecuta(datos, QStringLiteral("COMMIT TRANSACTION"), sinUso);
            if (!falla)
                return true;
        }
        long sinUso = 0;
        Ejecuta(datos, QStringLiteral("ROLLBACK TRANSACTION"), sinUso);
        if (ClsUtilidades::ReportaError(*falla, std::nullopt, Rutina) != vb::vbRetry)
            return false;
    }
}

} // namespace cuentasadic::interno
