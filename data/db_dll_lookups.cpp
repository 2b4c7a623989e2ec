// Single-row lookups and column extremes.

#include "data/db_dll.h"

#include "data/db_dll_internal.h"
#include "data/instances.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"

using namespace dbdll;

namespace {

// The number the leading numeric part of the text denotes, written with a
// decimal point and without blanks.
QString Numero(const QString& valor) {
    return QString::number(vb::Val(valor), 'g', 15);
}

// " WHERE " unless the condition already carries it.
QString UneWhere(const QString& condicion) {
    return ContainsCI(condicion, QStringLiteral(" WHERE ")) ? QStringLiteral(" ")
                                                            : QStringLiteral(" WHERE ");
}

// The text column equal to the value, both without surrounding blanks, in a
// form an index on the column serves.
QString IgualSinBlancos(const QString& campo, const QString& valor) {
    return sqltext::equalsTrimmed(campo, sqltext::literal(Trim(valor)));
}

} // namespace

// The lookup is judged by the errors of the connection it ran on.
DB_Dll::Resume DB_Dll::FallaBusqueda(const ado::Error& e, short& contador, bool datosTabla,
                                     const ado::ConnectionPtr& conexion) {
    const ado::Errors& errs = conexion->errors();
    // Inside a transaction a reconnect would drop it: the box tells instead.
    if (errs.Count() > 0 && errs.Item(0).NativeError == ado::nativeLostLink &&
        !conexion->inTransaction()) {
        ReintentaConectar();
        if (gOpenFlag) {
            ++contador;
            if (contador < 3)
                return Resume::Retry;
        } else {
            for (;;) {
                ReintentaConectar();
                if (datosTabla) {
                    if (gOpenFlag)
                        return Resume::Retry;
                    ++contador;
                    if (contador < 3)
                        continue;
                } else if (gOpenFlag) {
                    ++contador;
                    if (contador < 3)
                        return Resume::Retry;
                    break;
                }
                LostLinkQuestion();
            }
        }
    }
    const int respuesta = vb::MsgBox(e.Description, vb::vbAbortRetryIgnore + vb::vbCritical,
                                     QStringLiteral("Aviso al Operador"));
    if (respuesta == vb::vbAbort)
        ++lecturasAbandonadas_;
    return ResumeFor(respuesta);
}

bool DB_Dll::ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado,
                             const QString& Campo, ado::RecordsetPtr* Lrcs, int Tipodato,
                             const QString& Condicion, bool SoloLectura) {
    return ExisteEnTablaImpl(true, Tabla, ValorBuscado, Campo, Lrcs, Tipodato, Condicion,
                             SoloLectura);
}

bool DB_Dll::ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                           ado::RecordsetPtr* Lrcs, int Tipodato, const QString& Condicion,
                           bool SoloLectura) {
    return ExisteEnTablaImpl(false, Tabla, ValorBuscado, Campo, Lrcs, Tipodato, Condicion,
                             SoloLectura);
}

bool DB_Dll::ExisteEnTablaImpl(bool st, const QString& Tabla, const QString& ValorBuscado,
                               const QString& Campo, ado::RecordsetPtr* Lrcs, int Tipodato,
                               const QString& Condicion, bool SoloLectura) {
    bool resultado = false;
    short contador = 0;
    QString sql;
    ado::RecordsetPtr propio;
    // The full scan runs on the shared instance's connection.
    auto conexion = [&]() -> ado::ConnectionPtr { return st ? gDatos().cnn() : cnn(); };

    auto construye = [&] {
        if (!Condicion.isEmpty()) {
            sql = (st ? QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)  ")
                      : QStringLiteral("SELECT TOP 1 * FROM ") + Tabla +
                            QStringLiteral(" with(nolock) ")) +
                  UneWhere(Condicion) + Condicion;
            return;
        }
        const QString cabeza =
            st ? QStringLiteral("SELECT * FROM ") + Tabla + QStringLiteral(" with(nolock)   WHERE ")
               : QStringLiteral("SELECT TOP 1 * FROM ") + Tabla +
                     QStringLiteral(" with(nolock)  WHERE ");
        switch (Tipodato) {
        case 8:
            if (st)
                sql = cabeza + Campo + QStringLiteral(" =") + sqltext::literal(ValorBuscado);
            else
                sql = QStringLiteral("SELECT TOP 1  * FROM ") + Tabla +
                      QStringLiteral(" with(nolock)  WHERE ") +
                      IgualSinBlancos(Campo, ValorBuscado);
            break;
        case 7:
            // Bare, a day-first date would be read as a division.
            sql = cabeza + Campo + QStringLiteral(" = ") +
                  ClsUtilidades::FechaParaSQL(Trim(ValorBuscado)) + QStringLiteral(" ");
            break;
        case 3:
        case 4:
        case 5:
            sql = cabeza + Campo + QStringLiteral(" = ") + Numero(ValorBuscado);
            break;
        default:
            sql = cabeza + Campo + QStringLiteral(" = ") + ValorBuscado;
            break;
        }
    };

    std::vector<Step> steps;
    steps.push_back(construye);
    if (!st)
        steps.push_back([&] { sql = SS_TSinonimos(sql); });
    // Every form reaches the server in its dialect, not only the one
    // without a recordset of the caller's.
    steps.push_back([&] { sql = (st ? gDatos() : *this).ORACLE_Dicc(sql); });
    if (Lrcs) {
        steps.push_back([&] {
            if (!*Lrcs)
                *Lrcs = ado::Recordset::create();
            if ((*Lrcs)->State() != ado::adStateClosed)
                (*Lrcs)->Close();
        });
        steps.push_back([&] {
            if (SoloLectura)
                (*Lrcs)->Open(sql, conexion(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
            else
                (*Lrcs)->Open(sql, conexion(), ado::adOpenUnspecified, ado::adLockUnspecified, -1);
        });
        steps.push_back([&] { resultado = !(*Lrcs)->BOF(); });
    } else {
        steps.push_back([&] {
            propio = ado::Recordset::create();
            propio->Open(sql, conexion(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
        });
        steps.push_back([&] { resultado = !propio->BOF(); });
        steps.push_back([&] {
            propio->Close();
            propio.reset();
        });
    }
    RunSteps(steps,
             [&](const ado::Error& e) { return FallaBusqueda(e, contador, false, conexion()); });
    return resultado;
}

QVariant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                            const QString& CampoDevuelto, const QString& Campo, int Tipodato,
                            const QString& Condicion, bool UsaTrim, bool IgnoraError) {
    QVariant tipo = Tipodato;
    return DatosTabla(Tabla, ValorBuscado, CampoDevuelto, Campo, tipo, Condicion, UsaTrim,
                      IgnoraError);
}

QVariant DB_Dll::DatosTabla(const QString& Tabla, const QString& ValorBuscado,
                            const QString& CampoDevuelto, const QString& Campo, QVariant& Tipodato,
                            const QString& Condicion, bool UsaTrim, bool IgnoraError) {
    QVariant resultado;
    short contador = 0;
    QString sql;
    ado::RecordsetPtr rs;

    const std::vector<Step> steps = {
        [&] {
            if (Tipodato.toString() == QLatin1String("'"))
                Tipodato = 8;
        },
        [&] {
            const QString y = Trim(Condicion).isEmpty() ? QString() : QStringLiteral(" AND ");
            const QString cabeza = QStringLiteral("SELECT TOP 1 * FROM ") + Tabla +
                                   QStringLiteral(" with(nolock)  WHERE ");
            switch (vb::CLng(Tipodato)) {
            case 8:
                if (UsaTrim)
                    sql = cabeza + IgualSinBlancos(Campo, ValorBuscado) + QStringLiteral(" ") + y +
                          Condicion;
                else
                    sql = cabeza + Campo + QStringLiteral(" =") + sqltext::literal(ValorBuscado) +
                          QStringLiteral(" ") + y + Condicion;
                break;
            case 7:
                sql = cabeza + Campo + QStringLiteral(" = ") +
                      ClsUtilidades::FechaParaSQL(Trim(ValorBuscado)) + QStringLiteral(" ") + y +
                      Condicion;
                break;
            case 3:
            case 4:
            case 5:
                sql = cabeza + Campo + QStringLiteral(" = ") + Numero(ValorBuscado) + y + Condicion;
                break;
            default:
                sql = cabeza + Campo + QStringLiteral(" = ") + ValorBuscado + y + Condicion;
                break;
            }
        },
        [&] {
            AbrirRecordset(sql, rs, cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1, true);
        },
        // Rows not opened (the failure already told) are not read again.
        [&] { return gOpenFlag && rs && rs->State() != ado::adStateClosed; },
        [&] {
            resultado =
                rs->BOF() ? QString() : ClsUtilidades::ValorCampo(rs->Fields(CampoDevuelto));
        },
        [&] { rs->Close(); },
    };
    RunSteps(steps, [&](const ado::Error& e) {
        if (IgnoraError) {
            resultado = QString();
            return Resume::Exit;
        }
        return FallaBusqueda(e, contador, true, cnn());
    });
    // A lookup left early (a failure ignored or abandoned) closes its rows too.
    if (rs && rs->State() != ado::adStateClosed) {
        try {
            rs->Close();
        } catch (const std::exception&) {
        }
    }
    return resultado;
}

// ---- Column extremes ---------------------------------------------------------------------------

QVariant DB_Dll::Extremo(const QString& statement, const QString& columna) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    rs->Open(ORACLE_Dicc(statement), cnn(), ado::adOpenForwardOnly, ado::adLockReadOnly, -1);
    if (rs->BOF()) {
        rs->Close();
        return QVariant();
    }
    const QString texto = ClsUtilidades::ValorCampo(rs->Fields(columna));
    rs->Close();
    return texto;
}

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                             std::optional<int> Tipo) {
    return BuscaMaximoImpl(QueTabla, QueCampo, Tipo, nullptr);
}

QVariant DB_Dll::BuscaMaximo(const QString& QueTabla, const QString& QueCampo,
                             std::optional<int> Tipo, QString& Condicion) {
    return BuscaMaximoImpl(QueTabla, QueCampo, Tipo, &Condicion);
}

QVariant DB_Dll::BuscaMaximoImpl(const QString& QueTabla, const QString& QueCampo,
                                 std::optional<int> Tipo, QString* Condicion) {
    QString condicionPropia;
    bool repetido = false;
    for (;;) {
        QString sql = QStringLiteral("SELECT MAX(") + QueCampo +
                      QStringLiteral(") AS MAYOR FROM ") + QueTabla;
        // A condition given adds its WHERE, even a blank one (which the
        // server refuses, and the caller is told).
        if (Condicion)
            sql += QStringLiteral(" WHERE ") + Trim(*Condicion);
        const QVariant maximo = Extremo(sql, QStringLiteral("MAYOR"));
        if (!maximo.isValid())
            return maximo;
        const QString texto = maximo.toString();
        // Article codes beginning with zero are searched past once.
        if (!repetido &&
            QueTabla.compare(QLatin1String("V_MA_ARTICULOS"), Qt::CaseInsensitive) == 0 &&
            Trim(texto).startsWith(QLatin1Char('0'))) {
            if (!Condicion)
                Condicion = &condicionPropia;
            const QString filtro = QStringLiteral("substring(ltrim(idarticulo),1,1)<>'0'");
            if (Trim(*Condicion).isEmpty())
                *Condicion = QStringLiteral(" ") + filtro;
            else
                *Condicion += QStringLiteral(" and ") + filtro;
            repetido = true;
            continue;
        }
        if (Tipo && *Tipo == 7)
            return texto;
        return vb::Val(texto);
    }
}

QVariant DB_Dll::BuscaMinimo(const QString& QueTabla, const QString& QueCampo,
                             std::optional<int> Tipo, const std::optional<QString>& Condicion) {
    Q_UNUSED(Tipo);
    QString sql = QStringLiteral("SELECT MIN(") + QueCampo + QStringLiteral(") AS MENOR FROM ") +
                  QueTabla + QStringLiteral("  with(nolock) ");
    // A condition given adds its WHERE, even a blank one (which the server
    // refuses, and the caller is told).
    if (Condicion)
        sql += QStringLiteral(" WHERE ") + Trim(*Condicion);
    const QVariant minimo = Extremo(sql, QStringLiteral("MENOR"));
    if (!minimo.isValid())
        return minimo;
    return vb::Val(minimo.toString());
}

QVariant DB_Dll::BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, int Tipo,
                                   const QString& Condicion) {
    Q_UNUSED(Tipo);
    QString sql =
        QStringLiteral("SELECT MAX(") + QueCampo + QStringLiteral(") AS MAYOR FROM ") + QueTabla;
    if (!Trim(Condicion).isEmpty())
        sql += QStringLiteral(" WHERE ") + Condicion;
    const QVariant maximo = Extremo(sql, QStringLiteral("MAYOR"));
    if (!maximo.isValid())
        return maximo;
    return vb::Val(maximo.toString());
}
