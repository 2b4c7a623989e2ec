#include "accounts/ui/plan_cuentas.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QComboBox>
#include <QStringList>
#include <algorithm>

namespace PlanCuentas {

namespace {

using pasos::Recuadro;

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
    std::vector<FilaPlan> filas;
    ado::RecordsetPtr rs;
    DB_Dll& datos = gDatos();
    datos.AbrirRecordset(SentenciaPlan(), rs, nullptr, ado::adOpenDynamic, ado::adLockReadOnly, -1,
                         true);
    if (!rs || rs->State() != ado::adStateOpen)
        return filas;
    for (; !rs->EOF(); rs->MoveNext()) {
        const QVariant titulo = rs->value(QStringLiteral("TITULO"));
        filas.push_back({ClsUtilidades::ValorCampo(rs->value(QStringLiteral("CODIGO"))),
                         ClsUtilidades::ValorCampo(rs->value(QStringLiteral("DESCRIPCION"))),
                         !vb::IsNull(titulo) && !vb::IsEmpty(titulo) && vb::CBool(titulo)});
    }
    datos.CierraRecordset(rs);
    return filas;
}

QString ItemTitulo(const FilaPlan& fila) {
    const qsizetype largo = fila.Codigo.trimmed().size();
    const qsizetype sangria = largo >= 10 ? 45 : 5 * std::max<qsizetype>(largo - 1, 0);
    return QString(sangria, u' ') + fila.Descripcion + QString(300, u' ') + fila.Codigo;
}

QString CodigoDeItem(const QString& item) {
    return item.right(50).trimmed();
}

QString NombreDeItem(const QString& item) {
    return item.left(80).trimmed();
}

void CargaComboTitulo(QComboBox* Combo1, const QString& /*Desde*/) {
    std::vector<FilaPlan> filas;
    QStringList items;
    pasos::RunSteps({
                        [&] {
                            filas = LeePlan();
                            return !filas.empty();
                        },
                        [&] {
                            items.reserve(qsizetype(filas.size()) + 1);
                            items << QString();
                            for (const FilaPlan& f : filas)
                                if (f.Titulo)
                                    items << ItemTitulo(f);
                        },
                        // All at once: a chart holds thousands of titles.
                        [&] {
                            Combo1->clear();
                            Combo1->addItems(items);
                        },
                    },
                    Recuadro(QStringLiteral("CargaComboTitulo")), pasos::Trap::AllErrors);
}

} // namespace PlanCuentas
