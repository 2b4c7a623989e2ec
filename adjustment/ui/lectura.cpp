// Reading back a stored summary entry (the lines marked with the summary
// series and ESRESUMEN) into the header, the lines and the grid, and the
// search for the summary control row of a subledger and day.

#include "adjustment/ui/frmquarzelo.h"

#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ui/clsformulario.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QLineEdit>

namespace {

QString Texto(const QString& valor) {
    return gDatos().SQLValue(valor, QStringLiteral("'")).toString();
}

bool Abierto(const ado::RecordsetPtr& rs) {
    return rs && rs->State() == ado::adStateOpen;
}

// The month of a number in display form ("05-0000123"); 0 when the text
// carries none.
int MesDe(const QString& numero) {
    const qsizetype guion = numero.indexOf(u'-');
    if (guion < 0)
        return 0;
    const double mes = vb::Val(numero.left(guion));
    return mes >= 1 && mes <= 12 ? int(mes) : 0;
}

// An amount as the stored lines show it, to the cent; zero when the column
// holds no number.
vb::Currency Importe(const QVariant& importe) {
    if (!vb::IsNumeric(importe))
        return vb::Currency();
    return ClsUtilidades::TextoAMoneda(vb::Format(importe, QStringLiteral("#########.00")));
}

} // namespace

void FrmQuarzelo::MuestraAsiento() {
    try {
        QLineEdit* id = Campo(QStringLiteral("ID"));
        if (!id)
            return;
        const QString texto = id->text();
        NumeroCargado = std::int32_t(vb::CLng(vb::Val(Reglas->FormatNroAsiento(texto))));
        CargaAsiento(NumeroCargado, MesDe(texto));
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        const ado::Error e = pasos::CurrentError();
        if (e.Number == ado::adErrNoCurrentRecord)
            return;
        vb::MsgBox(QStringLiteral("Error detectado: ") + QString::number(e.Number) + u' ' +
                   e.Description);
    }
}

void FrmQuarzelo::CargaAsiento(std::int32_t NumeroAsiento, int Mes) {
    DB_Dll& datos = gDatos();
    const QString numero = QString::number(NumeroAsiento);
    QString sql = QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE [NUMERO ASIENTO] = ") + numero +
                  QStringLiteral(" AND PERIODO = ") + Texto(CNStuffContable::gPeriodoActual);
    if (Mes > 0)
        sql += QStringLiteral(" AND MES_OPERATIVO = ") + QString::number(Mes);
    sql += QStringLiteral(" AND TIPO_REG =") + Texto(Lbc_Asiento::TipoRegResumen()) +
           QStringLiteral(" AND (ESRESUMEN = 1) ORDER BY MES_OPERATIVO, SECUENCIA");
    datos.AbrirRecordset(sql, RsAsientos, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1,
                         true);
    // A failed read was reported by the data object; no lines, nothing shown.
    if (!Abierto(RsAsientos) || RsAsientos->EOF())
        return;
    // The same number in another month is another entry.
    const std::int64_t mes = vb::CLng(RsAsientos->value(QStringLiteral("MES_OPERATIVO")));

    ado::RecordsetPtr control;
    datos.AbrirRecordset(QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE ID = ") + numero +
                             QStringLiteral(" AND PERIODO = ") +
                             Texto(CNStuffContable::gPeriodoActual) +
                             QStringLiteral(" AND MONTH(FECHA_DESDE) = ") + QString::number(mes),
                         control, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (Abierto(control) && !control->EOF()) {
        ClsFormulario::CopiaRegistro(*control, txtFields);
        QLineEdit* id = Campo(QStringLiteral("ID"));
        QLineEdit* hasta = Campo(QStringLiteral("FECHA_HASTA"));
        const std::optional<QDateTime> fecha =
            hasta ? vb::ParseDate(hasta->text()) : std::optional<QDateTime>();
        if (id && fecha)
            id->setText(Reglas->FormatDisplayNroAsiento(id->text(), *fecha));
    }
    if (control)
        datos.CierraRecordset(control);

    HabilitaCabecera(true);

    if (QLineEdit* importe = Campo(QStringLiteral("CABIMPORTE")))
        importe->setText(vb::Format(RsAsientos->value(QStringLiteral("Cabimporte")),
                                    QStringLiteral("#######0.00")));
    Lineas.assign(2, TipoLineaAjuste());
    for (; !RsAsientos->EOF(); RsAsientos->MoveNext()) {
        if (vb::CLng(RsAsientos->value(QStringLiteral("MES_OPERATIVO"))) != mes)
            break;
        TipoLineaAjuste& l = Lineas.back();
        const QString cuenta =
            ClsUtilidades::ValorCampo(RsAsientos->Fields(QStringLiteral("CUENTA")));
        l.setCuenta(cuenta);
        l.setDescripcion(datos
                             .DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta,
                                         QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"), 8)
                             .toString());
        const QString lado =
            ClsUtilidades::ValorCampo(RsAsientos->Fields(QStringLiteral("DEBE-HABER"))).trimmed();
        const QVariant monto = RsAsientos->value(QStringLiteral("IMPORTE"));
        if (lado.compare(u"D", Qt::CaseInsensitive) == 0)
            l.Debe = Importe(monto);
        else if (lado.compare(u"H", Qt::CaseInsensitive) == 0)
            l.Haber = Importe(monto);
        l.Vencimiento =
            ClsUtilidades::ValorCampo(RsAsientos->Fields(QStringLiteral("VENCIMIENTO")));
        Lineas.emplace_back();
    }

    LlenaResumen();
    Paxtor1->setEstado(Paxtor::EstadoBorrar, true);
}

void FrmQuarzelo::BuscaControlResumen(const QDate& Fecha, const QString& Subdiario, bool& Existe) {
    Existe = false;
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs;
    datos.AbrirRecordset(
        QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE LTRIM(RTRIM(SUBDIARIO))=") +
            Texto(Subdiario.trimmed()),
        rs, nullptr, ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
    if (!Abierto(rs))
        return;
    for (; !rs->EOF(); rs->MoveNext()) {
        const QVariant desde = rs->value(QStringLiteral("Fecha_Desde"));
        const QVariant hasta = rs->value(QStringLiteral("Fecha_Hasta"));
        const QVariant anulado = rs->value(QStringLiteral("Anulado"));
        // Missing limits cover nothing; only a false Anulado makes the row live.
        if (!vb::IsDate(desde) || !vb::IsDate(hasta) || vb::IsNull(anulado) || vb::CBool(anulado))
            continue;
        // Limits compare by calendar day, whatever time of day they carry.
        if (Fecha >= vb::CDate(desde).date() && Fecha <= vb::CDate(hasta).date()) {
            Existe = true;
            break;
        }
    }
    datos.CierraRecordset(rs);
}
