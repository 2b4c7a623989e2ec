#include "adjustment/core/lectura.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "entries/lbc_asiento.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

namespace {

QString Texto(const QString& valor) {
    return gDatos().SQLValue(valor, QStringLiteral("'")).toString();
}

bool Abierto(const ado::RecordsetPtr& rs) {
    return rs && rs->State() == ado::adStateOpen;
}

// An amount as the stored lines show it, to the cent; zero when the column
// holds no number.
vb::Currency Importe(const QVariant& importe) {
    if (!vb::IsNumeric(importe))
        return vb::Currency();
    return ClsUtilidades::TextoAMoneda(vb::Format(importe, QStringLiteral("#########.00")));
}

} // namespace

std::optional<QString> LecturaAjuste::PrimerEjercicioAbierto() {
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs;
    datos.AbrirRecordset(
        QStringLiteral("SELECT * FROM MV_EJERCICIOS WHERE CERRADO = 0 ORDER BY PERIODO "), rs,
        nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    std::optional<QString> periodo;
    if (Abierto(rs) && !rs->EOF())
        periodo = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Periodo")));
    if (rs)
        datos.CierraRecordset(rs);
    return periodo;
}

QString LecturaAjuste::MotivoEjercicio(const QString& Respuesta, int& Ejercicio) {
    const QString texto = Respuesta.trimmed();
    const QString invalido = QStringLiteral("El número de ejercicio ingresado no es válido");
    if (!ClsUtilidades::EsNumero(texto))
        return invalido;
    const vb::Currency n = ClsUtilidades::TextoAMoneda(texto);
    if (n.rounded(0) != n || n < vb::Currency() || n > vb::Currency::fromRaw(32767LL * 10000))
        return invalido;
    Ejercicio = int(n.raw() / 10000);
    ado::RecordsetPtr rs;
    DB_Dll& datos = gDatos();
    datos.AbrirRecordset(QStringLiteral("SELECT * FROM MV_EJERCICIOS WHERE PERIODO = ") +
                             QString::number(Ejercicio),
                         rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    QString motivo;
    if (!Abierto(rs) || rs->EOF()) {
        motivo = QStringLiteral("El ejercicio ") + QString::number(Ejercicio) +
                 QStringLiteral(" no existe");
    } else {
        const QVariant cerrado = rs->value(QStringLiteral("CERRADO"));
        if (!vb::IsNull(cerrado) && vb::CBool(cerrado))
            motivo = QStringLiteral("El ejercicio ") + QString::number(Ejercicio) +
                     QStringLiteral(" está cerrado y no puede ajustarse");
    }
    if (rs)
        datos.CierraRecordset(rs);
    return motivo;
}

void LecturaAjuste::AbreRecordsetAsientos(const QString& Tabla, ado::RecordsetPtr& Rs) {
    pasos::RunSteps(
        [&](int) {
            gDatos().AbrirRecordset(QStringLiteral("SELECT top 1 * FROM ") + Tabla, Rs,
                                    gDatos().gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1,
                                    true);
            return -1;
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("Generar")));
        },
        0, pasos::Trap::AllErrors);
}

const QString& LecturaAjuste::ConsultaCuentaRei() {
    static const QString sentencia =
        QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE TITULO = 0 "
                       "ORDER BY CODIGO");
    return sentencia;
}

AsientoCargado LecturaAjuste::CargaAsiento(std::int32_t NumeroAsiento, int Mes,
                                           const QString& Ejercicio, ado::RecordsetPtr& Rs) {
    AsientoCargado a;
    DB_Dll& datos = gDatos();
    const QString numero = QString::number(NumeroAsiento);
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = ") + numero +
                  QStringLiteral(" AND PERIODO = ") + Texto(Ejercicio);
    if (Mes > 0)
        sql += QStringLiteral(" AND MES_OPERATIVO = ") + QString::number(Mes);
    sql += QStringLiteral(" AND TIPO_REG =") + Texto(Lbc_Asiento::TipoRegResumen()) +
           QStringLiteral(" AND (ESRESUMEN = 1) ORDER BY MES_OPERATIVO, SECUENCIA");
    datos.AbrirRecordset(sql, Rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!Abierto(Rs) || Rs->EOF())
        return a;
    a.Hallado = true;
    // The same number in another month is another entry.
    const std::int64_t mes = vb::CLng(Rs->value(QStringLiteral("MES_OPERATIVO")));

    ado::RecordsetPtr control;
    datos.AbrirRecordset(QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE ID = ") + numero +
                             QStringLiteral(" AND PERIODO = ") + Texto(Ejercicio) +
                             QStringLiteral(" AND MONTH(FECHA_DESDE) = ") + QString::number(mes),
                         control, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (Abierto(control) && !control->EOF()) {
        for (int i = 0; i < control->fieldCount(); ++i) {
            const ado::Field f = control->Fields(i);
            a.Control.emplace_back(f.Name(), ClsUtilidades::ValorCampo(f));
        }
    }
    if (control)
        datos.CierraRecordset(control);

    a.CabImporte =
        vb::Format(Rs->value(QStringLiteral("Cabimporte")), QStringLiteral("#######0.00"));
    a.Lineas.assign(2, TipoLineaAjuste());
    for (; !Rs->EOF(); Rs->MoveNext()) {
        if (vb::CLng(Rs->value(QStringLiteral("MES_OPERATIVO"))) != mes)
            break;
        TipoLineaAjuste& l = a.Lineas.back();
        const QString cuenta = ClsUtilidades::ValorCampo(Rs->Fields(QStringLiteral("CUENTA")));
        l.setCuenta(cuenta);
        l.setDescripcion(datos
                             .DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta,
                                         QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8)
                             .toString());
        const QString lado =
            ClsUtilidades::ValorCampo(Rs->Fields(QStringLiteral("DEBE-HABER"))).trimmed();
        const QVariant monto = Rs->value(QStringLiteral("IMPORTE"));
        if (lado.compare(u"D", Qt::CaseInsensitive) == 0)
            l.Debe = Importe(monto);
        else if (lado.compare(u"H", Qt::CaseInsensitive) == 0)
            l.Haber = Importe(monto);
        l.Vencimiento = ClsUtilidades::ValorCampo(Rs->Fields(QStringLiteral("VENCIMIENTO")));
        a.Lineas.emplace_back();
    }
    return a;
}

bool LecturaAjuste::BuscaControlResumen(const QDate& Fecha, const QString& Subdiario) {
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs;
    datos.AbrirRecordset(
        QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE ") +
            sqltext::equalsTrimmed(QStringLiteral("SUBDIARIO"), Texto(Subdiario.trimmed())),
        rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!Abierto(rs))
        return false;
    bool existe = false;
    for (; !rs->EOF(); rs->MoveNext()) {
        const QVariant desde = rs->value(QStringLiteral("Fecha_Desde"));
        const QVariant hasta = rs->value(QStringLiteral("Fecha_Hasta"));
        const QVariant anulado = rs->value(QStringLiteral("Anulado"));
        // Missing limits cover nothing; only a false Anulado makes the row live.
        if (!vb::IsDate(desde) || !vb::IsDate(hasta) || vb::IsNull(anulado) || vb::CBool(anulado))
            continue;
        // Limits compare by calendar day, whatever time of day they carry.
        if (Fecha >= vb::CDate(desde).date() && Fecha <= vb::CDate(hasta).date()) {
            existe = true;
            break;
        }
    }
    datos.CierraRecordset(rs);
    return existe;
}
