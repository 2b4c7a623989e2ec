#include "accounts/core/plan.h"

#include "accounts/core/interno.h"
#include "data/instances.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

namespace PlanCuentas {

namespace {

std::vector<FilaPlan> Lee(const QString& Sentencia, bool ConTitulo) {
    std::vector<FilaPlan> filas;
    // The whole chart, once through: held a batch at a time, not twice over.
    ado::RecordsetPtr rs = cuentas::interno::Consulta(Sentencia, true);
    if (rs->State() != ado::adStateOpen)
        return filas;
    for (; !rs->EOF(); rs->MoveNext())
        filas.push_back({ClsUtilidades::ValorCampo(rs->value(0)),
                         ClsUtilidades::ValorCampo(rs->value(1)),
                         ConTitulo && cuentas::interno::Marcado(rs->value(2))});
    cuentas::interno::Cierra(rs);
    return filas;
}

} // namespace

QString SentenciaPlan() {
    QString valor = CNStuffContable::Cfg(QStringLiteral("PlanCuentas_ClyPr")).trimmed();
    if (valor.isEmpty())
        valor = QStringLiteral("NO");
    if (valor.compare(QStringLiteral("NO"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE "
                              "DADA_DE_BAJA = 0 AND (TIPOVISTA <> 'CL' AND TIPOVISTA <> 'PR' OR "
                              "TIPOVISTA IS NULL) ORDER BY CODIGO");
    return QStringLiteral(
        "SELECT CODIGO,DESCRIPCION,TITULO FROM MA_Cuentas WHERE DADA_DE_BAJA = 0 ORDER BY CODIGO");
}

std::vector<FilaPlan> LeePlan() {
    return Lee(SentenciaPlan(), true);
}

std::vector<FilaPlan> LeePlanManual(std::optional<int> Desde) {
    if (!Desde)
        return Lee(QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE DADA_DE_BAJA = "
                                  "0 ORDER BY codigo"),
                   false);
    return Lee(QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE LEN(CODIGO) >= ") +
                   QString::number(*Desde) +
                   QStringLiteral(" AND DADA_DE_BAJA = 0 ORDER BY CODIGO"),
               false);
}

} // namespace PlanCuentas
