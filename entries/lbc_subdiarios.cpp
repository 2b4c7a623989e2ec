// Subledger checks.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/sql/quoting.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

using namespace lbc;

bool Lbc_Asiento::ValidaFechaSubdiario(const QString& fecha, const QString& Subdiario) {
    ado::RecordsetPtr rs;
    Abre(QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = ") +
             sqltext::literal(Subdiario.trimmed()) + QStringLiteral(" AND PERIODO = ") +
             QString::number(PeriodoActual_),
         rs, ado::adOpenDynamic, ado::adLockOptimistic);
    if (rs->EOF()) {
        Suelta(rs);
        return true;
    }
    const QDateTime dia = Fecha(fecha);
    for (; !rs->EOF(); rs->MoveNext()) {
        const QVariant desde = rs->value(QStringLiteral("Fecha_Desde"));
        const QVariant hasta = rs->value(QStringLiteral("Fecha_Hasta"));
        const QVariant anulado = rs->value(QStringLiteral("Anulado"));
        // Missing limits cover nothing; only a false Anulado makes the row live.
        if (!vb::IsDate(desde) || !vb::IsDate(hasta) || vb::IsNull(anulado) || Marcado(anulado))
            continue;
        if (dia >= vb::CDate(desde) && dia <= vb::CDate(hasta)) {
            Suelta(rs);
            return false;
        }
    }
    Suelta(rs);
    return true;
}

bool Lbc_Asiento::ValidaSubdiarioTC(const QString& Subdiario, const QString& TC) {
    bool resultado = false;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ValidaSubdiarioTC"), [&](int paso) -> int {
        switch (paso) {
        case 0:
            gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_SUBDIARIOSCOMPROBANTES "
                                                   "WHERE RTRIM(LTRIM(SUBDIARIO)) = ") +
                                        sqltext::literal(Subdiario.trimmed()),
                                    rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic,
                                    -1, true);
            return 1;
        case 1:
            if (rs->EOF())
                return -1;
            if (ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("TC")))
                    .trimmed()
                    .compare(TC.trimmed(), Qt::CaseInsensitive) == 0) {
                resultado = true;
                return -1;
            }
            return 2;
        case 2:
            rs->MoveNext();
            return 1;
        default:
            return -1;
        }
    });
    Suelta(rs);
    return resultado;
}

bool Lbc_Asiento::AsientoResumenAnulado(const QString& Subdiario,
                                        const QString& NroAsiento_ConFomato) {
    bool resultado = false;
    QString mes, numero;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("AsientoResumenAnulado"),
           {[&] {
                const qsizetype guion = NroAsiento_ConFomato.indexOf(u'-');
                if (guion < 0)
                    vb::Raise(vb::errInvalidCall);
                mes = Num(NroAsiento_ConFomato.left(guion));
                numero = Num(NroAsiento_ConFomato.mid(guion + 1));
            },
            [&] {
                gDatos().AbrirRecordset(
                    QStringLiteral("SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO=") +
                        sqltext::literal(Subdiario.trimmed()) + QStringLiteral(" AND ID=") +
                        numero + QStringLiteral(" AND MONTH(FECHA_DESDE) = ") + mes +
                        QStringLiteral(" AND PERIODO = ") + QString::number(PeriodoActual_),
                    rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
            },
            [&] { return !rs->EOF(); },
            [&] {
                // Only the first row is looked at; only a true Anulado counts.
                if (Marcado(rs->value(QStringLiteral("Anulado")))) {
                    vb::MsgBox(QStringLiteral("Este Asiento Resumen ya fue Contrasentado!!!"),
                               vb::vbCritical | vb::vbOKOnly);
                    resultado = true;
                }
            }});
    Suelta(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaTCRegistraciones(const QString& Tipo) {
    bool resultado = false;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ValidaTCRegistraciones"),
           {[&] {
                Abre(QStringLiteral("SELECT TC FROM MA_SUBDIARIOSCOMPROBANTES WHERE TC=") +
                         sqltext::literal(Tipo.trimmed()),
                     rs);
            },
            [&] { resultado = !rs->EOF(); }});
    Suelta(rs);
    return resultado;
}
