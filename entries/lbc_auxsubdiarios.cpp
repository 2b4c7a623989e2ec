// The subledger work table: each entry's debit and credit lines side by side.

#include "data/instances.h"
#include "entries/lbc_asiento.h"
#include "entries/lbc_interno.h"
#include "platform/clsutilidades.h"
#include "platform/msgbox.h"
#include "platform/vb.h"
#include "startup/cnstuffcontable.h"
#include "startup/dll_display.h"
#include "startup/lbf_ctrldisplay.h"

#include <cmath>

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

} // namespace

void Lbc_Asiento::GeneraAuxiliarSubdiarios(QString& Fecha_Desde, QString& Fecha_Hasta,
                                           QString& TipoSub,
                                           const std::optional<bool>& EsArchivoLegal) {
    using CNStuffContable::gCartel;
    const ado::ConnectionPtr cnn = gDatos().cnn();
    const QString subdiario = Txt(TipoSub.trimmed());
    ado::RecordsetPtr lista, tabla, debe, haber;
    ado::RecordsetPtr* guia = &debe;
    ado::RecordsetPtr* otra = &haber;
    bool guiaDebe = true;
    QString titulo, periodo, mes, asiento, progreso;
    bool enCurso = false; // banner open and wait state on
    bool cancelado = false;

    const auto lineasDe = [&](const QString& lado) {
        return QStringLiteral("SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '") +
               subdiario + QStringLiteral("' AND [NUMERO ASIENTO] = ") + asiento +
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

    enum Paso {
        Inicio,
        Borra,
        Desde,
        Lista,
        Tabla,
        Vacia,
        Cartel,
        Asiento,
        Progreso,
        Cancelado,
        Debe,
        Haber,
        Lados,
        Par,
        Fila,
        Contraparte,
        Graba,
        SiguienteLinea,
        SiguienteAsiento,
        Fin,
    };

    // Begun and not yet committed: whatever way the run ends, this one is
    // rolled back, so no later save runs inside it.
    bool abierta = false;
    const bool completo = Atrapa(QStringLiteral("GeneraAuxiliarSubdiarios"), [&](int paso) -> int {
        switch (paso) {
        case Inicio:
            cnn->BeginTrans();
            abierta = true;
            return Borra;
        case Borra:
            cnn->Execute(QStringLiteral("DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = '") +
                         Txt(CNStuffContable::gUsuarioLogeado.trimmed()) + u'\'');
            return Desde;
        case Desde:
            if (Fecha_Desde.trimmed().isEmpty())
                Fecha_Desde = QStringLiteral("01/01/1990");
            return Lista;
        case Lista:
            gDatos().AbrirRecordset(
                QStringLiteral("SELECT DISTINCT Periodo,[MES_OPERATIVO],[NUMERO ASIENTO] FROM "
                               "MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = '") +
                    subdiario + QStringLiteral("' AND FECHA >= ") +
                    ClsUtilidades::FechaParaSQL(Fecha_Desde) + QStringLiteral(" AND FECHA <= ") +
                    ClsUtilidades::FechaParaSQL(Fecha_Hasta) +
                    QStringLiteral(" ORDER BY [MES_OPERATIVO],[NUMERO ASIENTO]"),
                lista, cnn, ado::adOpenDynamic, ado::adLockReadOnly, -1, true);
            return Tabla;
        case Tabla:
            gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM AUX_SUBDIARIOS"), tabla, cnn,
                                    ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
            return Vacia;
        case Vacia:
            if (lista->EOF()) {
                cnn->CommitTrans();
                abierta = false;
                return -1;
            }
            return Cartel;
        case Cartel:
            titulo = EsArchivoLegal.value_or(false)
                         ? QStringLiteral("Archivo Legal de Información")
                         : QStringLiteral("Generando Reporte de Subdiarios");
            gCartel().CartelInicio(titulo, true);
            enCurso = true;
            ClsUtilidades::CursorEspera(true);
            return Asiento;
        case Asiento:
            if (lista->EOF())
                return Fin;
            periodo = ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("Periodo")));
            mes = ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("MES_OPERATIVO")));
            asiento = ClsUtilidades::ValorCampo(lista->Fields(QStringLiteral("NUMERO ASIENTO")));
            progreso = vb::Format(vb::Val(mes), QStringLiteral("0000")) + u'-' +
                       vb::Format(vb::Val(asiento), QStringLiteral("0000000"));
            return Progreso;
        case Progreso:
            gCartel().CartelMostrar(cancelado, QVariant(QStringLiteral("Generando el Reporte")),
                                    QVariant(progreso));
            return cancelado ? Cancelado : Debe;
        case Cancelado:
            gCartel().Siempre_Visible(false);
            if (vb::MsgBox(QStringLiteral("¿Realmente desea abortar el proceso?"),
                           vb::vbYesNo | vb::vbQuestion) == vb::vbYes)
                return Fin;
            // A fresh banner gets its cancel button back.
            gCartel().CartelCerrar();
            gCartel().CartelInicio(titulo, true);
            gCartel().CartelMostrar(cancelado, QVariant(QStringLiteral("Generando el Reporte ")),
                                    QVariant(progreso));
            gCartel().Siempre_Visible(true);
            return Debe;
        case Debe:
            gDatos().AbrirRecordset(lineasDe(QStringLiteral("D")), debe, cnn, ado::adOpenDynamic,
                                    ado::adLockReadOnly, -1, true);
            return Haber;
        case Haber:
            gDatos().AbrirRecordset(lineasDe(QStringLiteral("H")), haber, cnn, ado::adOpenDynamic,
                                    ado::adLockReadOnly, -1, true);
            return Lados;
        case Lados:
            // A tie goes to the debit side.
            guiaDebe = Lineas(debe) >= Lineas(haber);
            guia = guiaDebe ? &debe : &haber;
            otra = guiaDebe ? &haber : &debe;
            if (!debe->EOF())
                debe->MoveFirst();
            if (!haber->EOF())
                haber->MoveFirst();
            return Par;
        case Par:
            return (*guia)->EOF() ? SiguienteAsiento : Fila;
        case Fila: {
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
                .setValue(guiaDebe ? ClsUtilidades::ValorCampo(l->Fields(QStringLiteral("FECHA")))
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
            return Contraparte;
        }
        case Contraparte:
            if (!(*otra)->EOF()) {
                LadoDe(tabla, *otra, guiaDebe ? QStringLiteral("H") : QStringLiteral("D"));
                (*otra)->MoveNext();
            }
            return Graba;
        case Graba:
            tabla->Update();
            return SiguienteLinea;
        case SiguienteLinea:
            (*guia)->MoveNext();
            return Par;
        case SiguienteAsiento:
            lista->MoveNext();
            return Asiento;
        case Fin:
            terminaCartel();
            cnn->CommitTrans();
            abierta = false;
            return -1;
        default:
            return -1;
        }
    });

    if (!completo)
        Suelta(tabla);
    if (abierta) {
        // Abandoned, or a refused commit passed over: nothing of this run stays.
        try {
            cnn->RollbackTrans();
        } catch (const std::exception&) {
        }
    }
    // The banner and the wait state never outlive the run.
    terminaCartel();
    for (ado::RecordsetPtr* rs : {&lista, &tabla, &debe, &haber})
        Suelta(*rs);
}
