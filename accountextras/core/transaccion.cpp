// One transaction per save of the additional data, on the company's
// connection, with the routine's own error box.

#include "accountextras/core/interno.h"

#include "data/instances.h"
#include "platform/ado/ado_transaction.h"
#include "platform/ado/engine.h"
#include "platform/win/clsutilidades.h"

namespace cuentasadic::interno {

namespace {

// The data object keeps a statement's failure in the connection's errors;
// here it becomes the step's failure.
void Ejecuta(DB_Dll& datos, const Sentencia& s) {
    ado::Errors& errores = datos.cnn()->errors();
    errores.Clear();
    QString texto = s.Texto;
    long afectados = 0;
    datos.EjecutaConsultaSQL(texto, afectados);
    if (errores.Count() > 0) {
        const ado::Error e = errores.Item(0);
        errores.Clear();
        throw ado::Exception(e);
    }
    if (s.ExigeFila && afectados == 0)
        throw ado::Exception(ado::adoError(ado::adErrRowNotFound));
}

} // namespace

pasos::OnError RecuadroGrabacion(const QString& Rutina) {
    return [Rutina](const ado::Error& e) {
        const pasos::Resume r =
            pasos::ResumeFor(ClsUtilidades::ReportaError(e, std::nullopt, Rutina));
        return r == pasos::Resume::Retry ? r : pasos::Resume::Exit;
    };
}

bool EjecutaEnTransaccion(const std::vector<Sentencia>& Sentencias, const QString& Rutina) {
    DB_Dll& datos = gDatos();
    ado::ScopedTransaction transaccion(datos.cnn());
    const int fin = int(Sentencias.size()) + 1;
    return pasos::RunSteps(
        [&](int paso) -> int {
            if (paso == 0)
                transaccion.Begin();
            else if (paso < fin)
                Ejecuta(datos, Sentencias[size_t(paso - 1)]);
            else
                transaccion.Commit();
            return paso < fin ? paso + 1 : -1;
        },
        RecuadroGrabacion(Rutina), 0, pasos::Trap::AllErrors);
}

} // namespace cuentasadic::interno
