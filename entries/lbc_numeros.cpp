// Entry numbers and their text forms.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

using namespace lbc;

std::int32_t Lbc_Asiento::UltimoNumeroAsiento(const QVariant& Mes, const QString& Tipo_Reg,
                                              const std::optional<QVariant>& Periodo) {
    std::int32_t resultado = 0;
    QString sql;
    ado::RecordsetPtr rs;
    Atrapa(QStringLiteral("UltimoNumeroAsiento"),
           {[&] {
                const QString mes = Num(vb::CStr(Mes));
                const QString anio =
                    Periodo ? ValTexto(vb::CStr(*Periodo)) : QString::number(PeriodoActual_);
                const QString serie = Tipo_Reg.trimmed();
                sql = QStringLiteral("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM "
                                     "@ADMIN_MV_ASIENTOS WHERE MES_OPERATIVO = ") +
                      mes + QStringLiteral(" AND PERIODO = '") + anio;
                // General and summary entries share one series.
                if (serie.isEmpty())
                    sql += QStringLiteral("' AND (TIPO_REG = '") + TipoRegResumen() +
                           QStringLiteral("' OR TIPO_REG = '') ");
                else
                    sql += QStringLiteral("' AND TIPO_REG = ") + sqltext::literal(serie) +
                           QStringLiteral(" ");
            },
            [&] { Abre(sql, rs); },
            [&] {
                if (rs->EOF() || vb::IsNull(rs->value(QStringLiteral("Nro_Asiento"))))
                    resultado = 1;
                else
                    resultado = Entero32(rs->value(QStringLiteral("Nro_Asiento"))) + 1;
            }});
    Suelta(rs);
    return resultado;
}

QString Lbc_Asiento::FormatDisplayNroAsiento(const QVariant& NroAsiento, const QDateTime& fecha) {
    return vb::Format(double(fecha.date().month()), QStringLiteral("00")).trimmed() + u'-' +
           vb::Format(double(Entero32(NroAsiento)), QStringLiteral("0000000"));
}

QString Lbc_Asiento::FormatNroAsiento(const QString& Nro_Con_Formato) {
    const qsizetype guion = Nro_Con_Formato.indexOf(u'-', 0, Qt::CaseInsensitive);
    const QString numero = guion < 0 ? Nro_Con_Formato : Nro_Con_Formato.mid(guion + 1);
    return ValTexto(numero).trimmed();
}

QString Lbc_Asiento::FMTNroAsiento(const QString& NroAsiento) {
    const QString limpio = ClsUtilidades::LimpiaTexto(NroAsiento, QStringLiteral("-")).trimmed();
    if (limpio.size() < 3)
        return NroAsiento;
    // The first two characters are always the month.
    return limpio.left(2).trimmed() + u'-' +
           vb::Format(vb::Val(limpio.mid(2).trimmed()), QStringLiteral("0000000"));
}

QVariant Lbc_Asiento::EliminaCarNroAsiento(const QString& QueAsiento,
                                           const std::optional<int>& Tipo,
                                           const std::optional<QString>& Char) {
    const QString separador = Char ? *Char : QStringLiteral("-");
    QString resultado;
    if (!QueAsiento.isEmpty()) {
        const qsizetype p =
            separador.isEmpty() ? -1 : QueAsiento.indexOf(separador, 0, Qt::CaseInsensitive);
        if (p >= 0)
            resultado =
                ValTexto(QueAsiento.left(p)) + ValTexto(QueAsiento.mid(p + separador.size()));
        else
            resultado = QueAsiento;
    }
    if (Tipo && (*Tipo == 3 || *Tipo == 2))
        return QVariant(Entero32(resultado));
    return resultado;
}
