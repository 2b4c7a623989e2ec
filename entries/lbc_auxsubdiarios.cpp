// The subledger work table: each entry's debit and credit lines side by side.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/ado/ado_transaction.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"
#include "startup/core/cnstuffcontable.h"

#include <cmath>
#include <functional>

using namespace lbc;

namespace {

QVariant NumeroDe(double valor) {
    if (valor == std::trunc(valor) && std::fabs(valor) < 1e15)
        return QVariant(static_cast<qlonglong>(valor));
    return QVariant(valor);
}

long Lineas(const ado::RecordsetPtr& rs) {
    const long n = rs->RecordCount();
    if (n >= 0)
        return n;
    long contadas = 0;
    if (!rs->EOF()) {
        for (rs->MoveFirst(); !rs->EOF(); rs->MoveNext())
            ++contadas;
        rs->MoveFirst();
    }
    return contadas;
}

QString Descripcion(const QString& cuenta) {
    return ClsUtilidades::ValorCampo(
        gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), cuenta, QStringLiteral("DESCRIPCION"),
                            QStringLiteral("CODIGO"), 8, QString(), true, false));
}

// Account, description and amount of a line into one side's columns.
void LadoDe(const ado::RecordsetPtr& tabla, const ado::RecordsetPtr& linea, const QString& lado) {
    const QString cuenta = ClsUtilidades::ValorCampo(linea->Fields(QStringLiteral("CUENTA")));
    tabla->Fields(QStringLiteral("cuenta_") + lado).setValue(cuenta);
    tabla->Fields(QStringLiteral("descripcion_") + lado).setValue(Descripcion(cuenta));
    tabla->Fields(QStringLiteral("importe_") + lado)
        .setValue(linea->value(QStringLiteral("IMPORTE")));
}

// The operator left after a failure: the run ends, and nothing of it stays.
struct Abandono {};

// One step of the run under the operator error box: Retry runs it again,
// Ignore goes on after it (false: the step did not run through), anything
// else abandons the run.
bool Paso(const std::function<void()>& paso) {
    bool hecho = false;
    if (!Atrapa(QStringLiteral("GeneraAuxiliarSubdiarios"), {[&] {
                    paso();
                    hecho = true;
                }}))
        throw Abandono{};
    return hecho;
}

} // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, QString& Fecha_Hasta,
                                           QString& TipoSub,
                                           const std::optional<bool>& EsArchivoLegal) {
    using CNStuffContable::gCartel;
    const ado::ConnectionPtr cnn = gDatos().cnn();
    const QString subdiario = sqltext::literal(TipoSub.trimmed());
    ado::RecordsetPtr lista, tabla, debe, haber;
    ado::RecordsetPtr* guia = &debe;
    ado::RecordsetPtr* otra = &haber;
    bool guiaDebe = true;
    QString titulo, periodo, mes, asiento, progreso;
    bool enCurso = false; // banner open and wait state on
    bool cancelado = false;

    const auto lineasDe = [&](const QString& lado) {
        return QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = ") +
               subdiario + QStringLiteral(" AND [NUMERO ASIENTO] = ") + asiento +
               QStringLiteral(" AND MES_OPERATIVO = ") + mes +
               QStringLiteral(" AND RTRIM(LTRIM(PERIODO)) = ") + periodo +
               QStringLiteral(" AND [DEBE-HABER] = '") + lado + QStringLiteral("' ORDER BY CUENTA");
    };
    const auto terminaCartel = [&] {
        if (!enCurso)
            return;
        ClsUtilidades::CursorEspera(false);
        gCartel().CartelCerrar();
        enCurso = false;
    };

    // The rows of one entry, pair by pair. A failed test of the driving side
    // writes the row all the same; a failed step to its next line leaves the
    // entry.
    const auto escribeFilas = [&] {
        for (;;) {
            bool fin = false;
            Paso([&] { fin = (*guia)->EOF(); });
            if (fin)
                return;
            Paso([&] {
                const ado::RecordsetPtr& l = *guia;
                tabla->AddNew();
                tabla->Fields(QStringLiteral("Usuario")).setValue(CNStuffContable::gUsuarioLogeado);
                tabla->Fields(QStringLiteral("Periodo"))
                    .setValue(NumeroDe(
                        vb::Val(ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("PERIODO"))))));
                tabla->Fields(QStringLiteral("Mes_Operativo"))
                    .setValue(NumeroDe(vb::Val(
                        ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("MES_OPERATIVO"))))));
                tabla->Fields(QStringLiteral("numero asiento"))
                    .setValue(l->value(QStringLiteral("NUMERO ASIENTO")));
                tabla->Fields(QStringLiteral("fecha"))
                    .setValue(guiaDebe
                                  ? ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("FECHA")))
                                  : vb::Format(l->value(QStringLiteral("FECHA")),
                                               QStringLiteral("dd/mm/yy")));
                for (const char* columna : {"TC", "Sucursal", "Numero", "letra"})
                    tabla->Fields(QLatin1String(columna))
                        .setValue(ClsUtilidades::ValorCampo(l->Fields(QLatin1String(columna))));
                tabla->Fields(QStringLiteral("Cabimporte"))
                    .setValue(l->value(QStringLiteral("CABIMPORTE")));
                LadoDe(tabla, l, guiaDebe ? QStringLiteral("D") : QStringLiteral("H"));
                tabla->Fields(QStringLiteral("Concepto"))
                    .setValue(ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("DETALLE"))));
            });
            Paso([&] {
                if (!(*otra)->EOF()) {
                    LadoDe(tabla, *otra, guiaDebe ? QStringLiteral("H") : QStringLiteral("D"));
                    (*otra)->MoveNext();
                }
            });
            Paso([&] { tabla->Update(); });
            if (!Paso([&] { (*guia)->MoveNext(); }))
                return;
        }
    };

    const auto genera = [&](ado::ScopedTransaction& transaccion) {
        Paso([&] { transaccion.Begin(); });
        Paso([&] {
            cnn->Execute(QStringLiteral("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = ") +
                         sqltext::literal(CNStuffContable::gUsuarioLogeado.trimmed()));
        });
        if (Fecha_Desde.trimmed().isEmpty())
            Fecha_Desde = QStringLiteral("01/01/1990");
        Paso([&] {
            gDatos().AbrirRecordset(
                QStringLiteral("SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM "
                               "MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = ") +
                    subdiario + QStringLiteral(" AND FECHA >= ") +
                    ClsUtilidades::FechaParaSQL(Fecha_Desde) + QStringLiteral(" AND FECHA <= ") +
                    ClsUtilidades::FechaParaSQL(Fecha_Hasta) +
                    QStringLiteral(" ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]"),
                lista, cnn, ado::adOpenDynamic, ado::adLockReadOnly, -1, true);
        });
        Paso([&] {
            gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS"), tabla, cnn,
                                    ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
        });
        // No entry: the deletion alone is committed, and no banner shows.
        bool vacia = false;
        Paso([&] {
            if (lista->EOF()) {
                transaccion.Commit();
                vacia = true;
            }
        });
        if (vacia)
            return;
        Paso([&] {
            titulo = EsArchivoLegal.value_or(false)
                         ? QStringLiteral("Archivo Legal de Información")
                         : QStringLiteral("Generando Reporte de Subdiarios");
            gCartel().CartelInicio(titulo, true);
            enCurso = true;
            ClsUtilidades::CursorEspera(true);
        });
        // The entries in list order, up to the operator's abort. A failed test
        // of the list goes into the entry all the same; a failed step to the
        // next entry ends the list.
        for (;;) {
            bool fin = false;
            Paso([&] {
                if (lista->EOF()) {
                    fin = true;
                    return;
                }
                periodo = ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("Periodo")));
                mes = ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("MES_OPERATIVO")));
                asiento =
                    ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("NUMERO ASIENTO")));
                progreso = vb::Format(vb::Val(mes), QStringLiteral("0000")) + u'-' +
                           vb::Format(vb::Val(asiento), QStringLiteral("0000000"));
            });
            if (fin)
                break;
            // A failed progress display asks too.
            bool pregunta = true;
            Paso([&] {
                gCartel().CartelMostrar(cancelado, QVariant(QStringLiteral("Generando el Reporte")),
                                        QVariant(progreso));
                pregunta = cancelado;
            });
            if (pregunta) {
                bool aborta = false;
                Paso([&] {
                    gCartel().Siempre_Visible(false);
                    if (vb::MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"),
                                   vb::vbYesNo | vb::vbQuestion) == vb::vbYes) {
                        aborta = true;
                        return;
                    }
                    // A fresh banner gets its cancel button back.
                    gCartel().CartelCerrar();
                    gCartel().CartelInicio(titulo, true);
                    gCartel().CartelMostrar(cancelado,
                                            QVariant(QStringLiteral("Generando el Reporte ")),
                                            QVariant(progreso));
                    gCartel().Siempre_Visible(true);
                });
                if (aborta)
                    break;
            }
            Paso([&] {
                gDatos().AbrirRecordset(lineasDe(QStringLiteral("D")), debe, cnn,
                                        ado::adOpenDynamic, ado::adLockReadOnly, -1, true);
            });
            Paso([&] {
                gDatos().AbrirRecordset(lineasDe(QStringLiteral("H")), haber, cnn,
                                        ado::adOpenDynamic, ado::adLockReadOnly, -1, true);
            });
            Paso([&] {
                // A tie goes to the debit side.
                guiaDebe = Lineas(debe) >= Lineas(haber);
                guia = guiaDebe ? &debe : &haber;
                otra = guiaDebe ? &haber : &debe;
                if (!debe->EOF())
                    debe->MoveFirst();
                if (!haber->EOF())
                    haber->MoveFirst();
            });
            escribeFilas();
            if (!Paso([&] { lista->MoveNext(); }))
                break;
        }
        Paso([&] {
            terminaCartel();
            transaccion.Commit();
        });
    };

    {
        // Abandoned, or a refused commit passed over: the transaction is
        // rolled back as it goes out of scope, so nothing of this run stays
        // and no later save runs inside it.
        ado::ScopedTransaction transaccion(cnn);
        try {
            genera(transaccion);
        } catch (const Abandono&) {
            Suelta(tabla);
        }
    }
    // The banner and the wait state never outlive the run.
    terminaCartel();
    for (ado::RecordsetPtr* rs : {&lista, &tabla, &debe, &haber})
        Suelta(*rs);
}
