#include "accounts/core/clsreglasplan.h"

#include "accounts/core/interno.h"
#include "accounts/core/mensajes.h"
#include "accounts/core/niveles.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "platform/sql/quoting.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

#include <QSet>

namespace {

using cuentas::NivelesPlan;
using cuentas::interno::HayFila;

// The code as judged: trimmed, without the level separators.
QString Limpio(const QString& Codigo) {
    return ClsUtilidades::LimpiaTexto(Codigo.trimmed(), QStringLiteral("-")).trimmed();
}

} // namespace

void ClsReglasPlan::LlenaArbolPlan(
    const std::function<void(const QString& Codigo, const QString& Descripcion)>& Agrega) {
    ado::RecordsetPtr rs = cuentas::interno::Consulta(
        QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS WHERE ISNULL(DADA_DE_BAJA, 0) = "
                       "0 ORDER BY CODIGO"));
    std::vector<std::pair<QString, QString>> filas;
    for (; !rs->EOF(); rs->MoveNext())
        filas.emplace_back(ClsUtilidades::ValorCampo(rs->value(0)),
                           ClsUtilidades::ValorCampo(rs->value(1)));
    // Released before the caller's tree is touched.
    cuentas::interno::Cierra(rs);
    for (const auto& [codigo, descripcion] : filas)
        Agrega(codigo, descripcion);
}

std::int16_t ClsReglasPlan::DigitoVerificador(const QString& Codigo) {
    return Lbc_Asiento::CalculoDV(Limpio(Codigo));
}

bool ClsReglasPlan::TieneMovimientos(const QString& Codigo) {
    return HayFila(QStringLiteral("SELECT TOP 1 CUENTA FROM MV_ASIENTOS WHERE CUENTA = ") +
                   sqltext::literal(Limpio(Codigo)));
}

bool ClsReglasPlan::ValidaCodigoImputable(const QString& Codigo, QString& Mensaje) {
    if (ValidaCantidadDigitos(Codigo))
        return true;
    Mensaje = cuentas::MsgCantidadDigitos;
    return false;
}

bool ClsReglasPlan::ValidaCodigoTitulo(const QString& Codigo, QString& Mensaje) {
    if (NivelesPlan::Lee().AnchoNivelSiguiente(int(Limpio(Codigo).size())) > 0)
        return true;
    Mensaje = cuentas::MsgNoPuedeSerTitulo;
    return false;
}

bool ClsReglasPlan::ValidaCantidadDigitos(const QString& Codigo) {
    return NivelesPlan::Lee().EsFinDeNivel(int(Limpio(Codigo).size()));
}

bool ClsReglasPlan::TieneSubcuentas(const QString& Codigo) {
    const QString codigo = Limpio(Codigo);
    if (codigo.isEmpty())
        return false;
    return HayFila(QStringLiteral("SELECT TOP 1 CODIGO FROM MA_CUENTAS WHERE CODIGO LIKE ") +
                   sqltext::likeStarting(codigo) + QStringLiteral(" AND LEN(CODIGO) > ") +
                   QString::number(codigo.size()));
}

bool ClsReglasPlan::ValidaSubdiario(const QString& Codigo) {
    const QString codigo = Limpio(Codigo);
    if (codigo.isEmpty())
        return false;
    return HayFila(QStringLiteral("SELECT TOP 1 CODIGO FROM MA_CUENTAS WHERE CODIGO = ") +
                   sqltext::literal(codigo) + QStringLiteral(" AND ISNULL(TITULO, 0) = 0"));
}

void ClsReglasPlan::ActualizaJerarquias() {
    std::vector<cuentas::CuentaPlan> plan;
    ado::RecordsetPtr rs = cuentas::interno::Consulta(
        QStringLiteral("SELECT CODIGO, TITULO FROM MA_CUENTAS WHERE ISNULL(DADA_DE_BAJA, 0) = 0 "
                       "ORDER BY CODIGO"));
    while (!rs->EOF()) {
        plan.push_back({ClsUtilidades::ValorCampo(rs->value(0)).trimmed(),
                        cuentas::interno::Marcado(rs->value(1))});
        rs->MoveNext();
    }
    cuentas::interno::Cierra(rs);

    CNStuffContable::SentenciaRepetida altas{
        QStringLiteral(
            "INSERT INTO MA_CUENTAS_JERARQUIAS (CODIGO, NIVEL, CODIGO_PADRE) VALUES (?, ?, ?)"),
        {}};
    for (const cuentas::FilaJerarquia& f : cuentas::JerarquiaPlan(plan, NivelesPlan::Lee()))
        altas.Filas.push_back({f.Codigo, f.Nivel > 0 ? QVariant(f.Nivel) : QVariant(),
                               f.Padre.isEmpty() ? QVariant() : QVariant(f.Padre)});
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion({QStringLiteral("DELETE FROM MA_CUENTAS_JERARQUIAS")},
                                        error, nativo, false, {}, {altas});
}

void ClsReglasPlan::ActualizaCashFlow(const QString& Codigo) {
    const QString codigo = sqltext::literal(Limpio(Codigo));
    long afectados = 0;
    gDatos().EjecutaConsultaSQL(
        QStringLiteral("INSERT INTO [MA_CASH-DETALLE] (CUENTA) SELECT ") + codigo +
            QStringLiteral(" WHERE NOT EXISTS (SELECT 1 FROM [MA_CASH-DETALLE] WHERE "
                           "LTRIM(RTRIM(CUENTA)) = ") +
            codigo + u')',
        afectados);
}

namespace cuentas {

std::vector<FilaJerarquia> JerarquiaPlan(const std::vector<CuentaPlan>& Cuentas,
                                         const NivelesPlan& Niveles) {
    QSet<QString> titulos;
    for (const CuentaPlan& c : Cuentas)
        if (c.Titulo)
            titulos.insert(c.Codigo.trimmed().toUpper());
    std::vector<FilaJerarquia> filas;
    for (const CuentaPlan& c : Cuentas) {
        FilaJerarquia f{c.Codigo.trimmed(), Niveles.Nivel(int(c.Codigo.trimmed().size())), {}};
        for (int i = 5; i >= 0 && f.Padre.isEmpty(); --i) {
            const int fin = Niveles.Fines[size_t(i)];
            if (Niveles.Digitos[size_t(i)] > 0 && fin < f.Codigo.size() &&
                titulos.contains(f.Codigo.left(fin).toUpper()))
                f.Padre = f.Codigo.left(fin);
        }
        filas.push_back(f);
    }
    return filas;
}

} // namespace cuentas
