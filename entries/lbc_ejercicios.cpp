// Fiscal years and operative dates.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

using namespace lbc;

namespace {

const QString kNoHayEjercicios =
    QStringLiteral("No se han creado Ejercicios!!!") + vb::vbCr +
    QStringLiteral("Para crear un Ejercicio debe hacerlo desde la configuración del sistema");

QString Anio(const std::optional<QVariant>& periodo, std::int16_t actual) {
    return periodo ? Num(vb::CStr(*periodo)) : QString::number(actual);
}

} // namespace

void Lbc_Asiento::UltimoAjuste(QString& fecha, QString& Periodo, QVariant& NroAsiento,
                               const std::optional<QVariant>& Ejercicio) {
    fecha.clear();
    Periodo.clear();
    NroAsiento = 0;
    // The latest adjustment of the year, not whichever row the engine meets first.
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = ") +
                                Anio(Ejercicio, PeriodoActual_) +
                                QStringLiteral(" AND EsAjuste = 1 ORDER BY FECHA DESC, "
                                               "[NUMERO ASIENTO] DESC"),
                            rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1,
                            true);
    if (!rs->EOF()) {
        fecha = vb::Format(rs->value(QStringLiteral("FECHA")), QStringLiteral("dd/mm/yyyy"));
        Periodo = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("AJUSTE_HASTA")));
        NroAsiento = rs->value(QStringLiteral("NUMERO ASIENTO"));
    }
    gDatos().CierraRecordset(rs);
}

void Lbc_Asiento::EjercicioRango(QString& FhDesde, QString& FhHasta,
                                 const std::optional<QVariant>& Periodo) {
    const QString anio = Anio(Periodo, PeriodoActual_);
    FhDesde.clear();
    FhHasta.clear();
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MV_EJERCICIOS WHERE PERIODO = ") + anio,
                            rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1,
                            true);
    if (rs->EOF()) {
        vb::MsgBox(kNoHayEjercicios, vb::vbOKOnly);
    } else {
        FhDesde =
            vb::Format(rs->value(QStringLiteral("Fecha Desde")), QStringLiteral("dd/mm/yyyy"));
        FhHasta =
            vb::Format(rs->value(QStringLiteral("Fecha Hasta")), QStringLiteral("dd/mm/yyyy"));
    }
    gDatos().CierraRecordset(rs);
}

bool Lbc_Asiento::ValidaEstadoPeriodoActual(QString& Mensaje, QVariant* lCierre,
                                            QVariant* lCancelacion, QVariant* lNoCreado,
                                            const QString& Periodo) {
    bool resultado = false;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ValidaEstadoPeriodoActual"), [&](int paso) -> int {
        switch (paso) {
        case 0:
            if (!Periodo.isEmpty())
                PeriodoActual_ = Entero16(Periodo);
            return 1;
        case 1:
            gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO"),
                                    rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic,
                                    -1, true);
            return 2;
        case 2:
            if (rs->EOF()) {
                Mensaje = kNoHayEjercicios;
                if (lNoCreado)
                    *lNoCreado = true;
                return -1;
            }
            return 3;
        case 3: // walk to the current year
            if (rs->EOF()) {
                resultado = true;
                return -1;
            }
            return Numerico(rs->value(QStringLiteral("PERIODO"))) == PeriodoActual_ ? 5 : 4;
        case 4:
            rs->MoveNext();
            return 3;
        case 5:
            if (lCierre)
                *lCierre = rs->value(QStringLiteral("CERRADO"));
            if (lCancelacion)
                *lCancelacion = rs->value(QStringLiteral("Cancelacion"));
            return 6;
        case 6: {
            const bool cerrado = Marcado(rs->value(QStringLiteral("CERRADO")));
            const bool cancelado = Marcado(rs->value(QStringLiteral("Cancelacion")));
            if (cerrado && cancelado) {
                Mensaje = QStringLiteral("El Periodo tiene realizado el Cierre y la Cancelacion "
                                         "de saldos de cuentas de resultados");
                return -1;
            }
            if (cerrado) {
                Mensaje =
                    QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ");
                return -1;
            }
            if (cancelado) {
                Mensaje = QStringLiteral(
                    "El Periodo tiene realizada la Cancelacion de saldos de cuentas de resultados");
                return -1;
            }
            return 7;
        }
        case 7:
            rs->MovePrevious();
            return 8;
        case 8:
            // Only CERRADO closes the year before for this check.
            if (rs->BOF() || Marcado(rs->value(QStringLiteral("CERRADO")))) {
                resultado = true;
            } else {
                Mensaje = QStringLiteral("El Periodo anterior (") +
                          ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("PERIODO"))) +
                          QStringLiteral(") no tiene realizado el cierre");
            }
            return -1;
        default:
            return -1;
        }
    });
    Suelta(rs);
    return resultado;
}

QDateTime Lbc_Asiento::FechaHastaUltimoPeriodo() {
    QDateTime resultado = vb::MakeDate(1899, 12, 30);
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("FechaHastaUltimoPeriodo"),
           {
               [&] {
                   gDatos().AbrirRecordset(
                       QStringLiteral("SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO"), rs,
                       gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
               },
               [&] { return !rs->EOF(); },
               [&] { rs->MoveLast(); },
               [&] { resultado = Fecha(rs->value(QStringLiteral("Fecha Hasta"))); },
           });
    Suelta(rs);
    return resultado;
}

bool Lbc_Asiento::ValidaRangoFechaEjercicio(QString Fecha_Desde, QString Fecha_Hasta,
                                            const std::optional<QVariant>& lPeriodo) {
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MV_EJERCICIOS ORDER BY PERIODO"), rs,
                            gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
    bool resultado = true;
    if (!rs->EOF()) {
        const QDateTime fechas[2] = {Fecha(Fecha_Desde), Fecha(Fecha_Hasta)};
        for (; resultado && !rs->EOF(); rs->MoveNext()) {
            const QDateTime desde = Fecha(rs->value(QStringLiteral("Fecha Desde")));
            const QDateTime hasta = Fecha(rs->value(QStringLiteral("Fecha Hasta")));
            for (const QDateTime& f : fechas) {
                if (f < desde || f > hasta)
                    continue;
                if (!lPeriodo ||
                    vb::Val(ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("PERIODO")))) !=
                        Numerico(*lPeriodo)) {
                    resultado = false;
                    break;
                }
            }
        }
    }
    gDatos().CierraRecordset(rs);
    return resultado;
}

bool Lbc_Asiento::EjercicioAnteriorCerrado(QString& QueEjercicio) {
    if (vb::Val(QueEjercicio) == -1)
        QueEjercicio = QString::number(PeriodoActual_);
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MV_EJERCICIOS WHERE PERIODO < ") +
                                ValTexto(QueEjercicio) + QStringLiteral(" ORDER BY PERIODO"),
                            rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1,
                            true);
    bool resultado = true;
    if (!rs->EOF()) {
        rs->MoveLast();
        resultado = Marcado(rs->value(QStringLiteral("CERRADO"))) ||
                    Marcado(rs->value(QStringLiteral("Cierre")));
    }
    gDatos().CierraRecordset(rs);
    return resultado;
}

bool Lbc_Asiento::ExistenMovFueraPeriodo(const QString& Periodo, QString NFecha_Desde,
                                         QString NFecha_Hasta) {
    bool resultado = false;
    QString desde, hasta;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("ExistenMovFueraPeriodo"),
           {
               [&] {
                   desde = ClsUtilidades::FechaParaSQL(NFecha_Desde);
                   hasta = ClsUtilidades::FechaParaSQL(NFecha_Hasta);
               },
               [&] {
                   // Lines on either boundary day count as outside.
                   gDatos().AbrirRecordset(
                       QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE CONVERT(INT, PERIODO) = ") +
                           ValTexto(Periodo) + QStringLiteral(" AND (FECHA <= ") + desde +
                           QStringLiteral(" OR FECHA >= ") + hasta + QStringLiteral(" )"),
                       rs, gDatos().cnn(), ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
               },
               [&] { resultado = !rs->EOF(); },
               [&] { gDatos().CierraRecordset(rs); },
           });
    Suelta(rs);
    return resultado;
}

QVariant Lbc_Asiento::FechaValidada(const QString& Campo, QString& Mensaje, bool& lhayError) {
    if (Campo.trimmed().isEmpty()) {
        lhayError = true;
        Mensaje = QStringLiteral("Debe ingresar una fecha");
    } else if (!vb::IsDate(Campo)) {
        lhayError = true;
        Mensaje = QStringLiteral("La fecha ingresada no es correcta!!");
    }
    if (!lhayError) {
        const QDateTime desde = Fecha(CNStuffContable::Cfg(QStringLiteral("FECHAOPERDESDE")));
        const QDateTime hasta = Fecha(CNStuffContable::Cfg(QStringLiteral("FECHAOPERHASTA")));
        const QDateTime fecha = Fecha(Campo);
        if (fecha < desde || fecha > hasta) {
            Mensaje = QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!");
            lhayError = true;
        }
    }
    return vb::Empty();
}

std::int16_t Lbc_Asiento::UltimoDiaMes(const QString& Mes, const QString& Anio) {
    // The first day from 31 down that forms a date.
    for (int dia = 31; dia >= 1; --dia) {
        if (vb::ParseDate(QString::number(dia) + u'/' + Mes + u'/' + Anio))
            return static_cast<std::int16_t>(dia);
    }
    return 0;
}
