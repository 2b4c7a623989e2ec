#include "accounts/core/carga.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/core/codigos.h"
#include "accounts/core/interno.h"
#include "data/db_dll.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "platform/ado/engine.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/mod_macuentas.h"

namespace cuentas {

namespace {

using interno::Marcado;

} // namespace

bool BuscaCuenta(const QString& Codigo, ado::RecordsetPtr& Rs) {
    return gDatos().ExisteEnTabla(QStringLiteral("MA_CUENTAS"), Codigo, QStringLiteral("Codigo"),
                                  &Rs, 8, QString(), true);
}

bool DadaDeBaja(const ado::RecordsetPtr& Rs) {
    return Marcado(Rs->value(QStringLiteral("DADA_DE_BAJA")));
}

CuentaCargada LeeCuenta(const ado::RecordsetPtr& Rs) {
    if (!Rs || Rs->State() != ado::adStateOpen || Rs->BOF() || Rs->EOF())
        ado::throwAdo(ado::adErrNoCurrentRecord);
    const auto valor = [&](const char* columna) { return Rs->value(QString::fromLatin1(columna)); };
    const auto texto = [&](const char* columna) {
        return ClsUtilidades::ValorCampo(valor(columna));
    };

    CuentaCargada r;
    Cuenta& c = r.C;
    c.Codigo = Mod_Macuentas::FormateaCuenta(texto("Codigo").trimmed());
    c.Descripcion = texto("DESCRIPCION");
    c.CodigoOpcional = texto("CodigoOpcional");
    c.CuentaPrincipal = texto("CuentaPrincipal");
    c.CodTarjeta_ConcAuto = texto("CodTarjeta_ConcAuto");
    c.Titulo = Marcado(valor("TITULO"));
    r.DigitoVerificador = c.Titulo ? QString() : texto("dv");
    c.UsaCCostos = !c.Titulo && Marcado(valor("usaccostoS"));
    c.Ajuste = Marcado(valor("AJUSTE"));
    c.Indice = c.Ajuste ? int(vb::Val(texto("INDICE"))) - 1 : 0;
    c.MedioDePago = PosicionMedioDePago(valor("MedioDePago"), texto("codigo"));
    c.NoPideDatosTarjeta =
        (c.MedioDePago == MedioTarjetas || c.MedioDePago == MedioSolicitudCredito) &&
        Marcado(valor("nopidedatostarjeta"));
    c.Bloqueo = Marcado(valor("BLOQUEO"));
    c.CajayBanco = Marcado(valor("CajayBanco"));
    r.LibroCompras = Marcado(valor("libro_iva_compras"));
    r.LibroDulvar = Marcado(valor("libro_iva_dulvar"));
    c.Bienes = Marcado(valor("BIENES"));
    c.Moneda = PosicionMoneda(valor("Moneda"));
    r.MonedaGuardada = !texto("Moneda").trimmed().isEmpty();
    c.PideVencimiento = Marcado(valor("PideVencimiento"));
    r.DadaDeBaja = Marcado(valor("DADA_DE_BAJA"));
    const QString principal = c.CuentaPrincipal.trimmed();
    if (!principal.isEmpty())
        r.DescripcionPrincipal =
            gDatos()
                .DatosTabla(QStringLiteral("ma_cuentas"), principal, QStringLiteral("Descripcion"),
                            QStringLiteral("Codigo"), 8, QString(), true, false)
                .toString();
    return r;
}

QString TextoDeColumna(const Cuenta& C, const QString& Columna) {
    const struct {
        const char* columna;
        const QString Cuenta::*texto;
    } columnas[] = {{"Codigo", &Cuenta::Codigo},
                    {"DESCRIPCION", &Cuenta::Descripcion},
                    {"CodigoOpcional", &Cuenta::CodigoOpcional},
                    {"CuentaPrincipal", &Cuenta::CuentaPrincipal},
                    {"CodTarjeta_ConcAuto", &Cuenta::CodTarjeta_ConcAuto}};
    for (const auto& c : columnas)
        if (Columna.trimmed().compare(QLatin1String(c.columna), Qt::CaseInsensitive) == 0)
            return C.*c.texto;
    return QString();
}

ResumenCuenta ResumeCuenta(const QString& Codigo) {
    ResumenCuenta r;
    ado::RecordsetPtr rs;
    r.Existe = gDatos().ExisteEnTabla(QStringLiteral("MA_CUENTAS"), Codigo,
                                      QStringLiteral("Codigo"), &rs, 8, QString(), true);
    if (r.Existe) {
        r.DadaDeBaja = Marcado(rs->value(QStringLiteral("DADA_DE_BAJA")));
        r.Titulo = Marcado(rs->value(QStringLiteral("Titulo")));
        r.Descripcion = ClsUtilidades::ValorCampo(rs->value(QStringLiteral("Descripcion")));
    }
    interno::Cierra(rs);
    return r;
}

void AbreRecordsetCuentas(const QString& Tabla, ado::RecordsetPtr& Rs) {
    DB_Dll& datos = gDatos();
    datos.AbrirRecordset(QStringLiteral("SELECT  top 1 * FROM ") + Tabla +
                             QStringLiteral(" WHERE TITULO = 0"),
                         Rs, datos.gCnn, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
}

std::optional<QString> CCostoPorDefecto() {
    ado::RecordsetPtr rs = interno::Consulta(QStringLiteral("SELECT TOP 1 * FROM TA_CCOSTO"));
    std::optional<QString> codigo;
    if (rs->State() == ado::adStateOpen && !rs->EOF())
        codigo = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Codigo")));
    interno::Cierra(rs);
    return codigo;
}

QString SentenciaPlanilla(const QString& Tabla) {
    return QStringLiteral("SELECT CODIGO,DV,DESCRIPCION,TITULO,AJUSTE,INDICE,BLOQUEO FROM ") +
           Tabla + QStringLiteral(" WHERE (DADA_DE_BAJA = 0) ORDER BY CODIGO");
}

void AbreCuentaManual(const QString& Tabla, const QString& Codigo, ado::RecordsetPtr& Rs) {
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM ") + Tabla +
                                QStringLiteral(" WHERE CODIGO = ") +
                                sqltext::literal(Codigo.trimmed()),
                            Rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic, -1, true);
}

bool AlimentaSubdiario(const QString& QueCuenta, ClsReglasPlan& Reglas) {
    const QString cuenta = QueCuenta.trimmed();
    bool alimenta = false;
    ado::RecordsetPtr rs;
    const auto sinGuiones = [&](const char* columna) {
        return CodigoSinGuiones(ClsUtilidades::ValorCampo(rs->value(QString::fromLatin1(columna))));
    };
    pasos::RunSteps(
        {
            [&] {
                gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_SUBDIARIOS"), rs, nullptr,
                                        ado::adOpenStatic, ado::adLockReadOnly, -1, true);
            },
            [&] {
                for (; !alimenta && !rs->EOF(); rs->MoveNext()) {
                    const QString sub = sinGuiones("CUENTA");
                    const QString desde = sinGuiones("CUENTA-DESDE");
                    const QString hasta = sinGuiones("CUENTA-HASTA");
                    if (Reglas.ValidaSubdiario(sub))
                        alimenta = cuenta.compare(sub, Qt::CaseInsensitive) == 0;
                    else if (desde.isEmpty())
                        alimenta = cuenta.startsWith(sub, Qt::CaseInsensitive);
                    else
                        alimenta = desde.compare(cuenta, Qt::CaseInsensitive) <= 0 &&
                                   cuenta.compare(hasta, Qt::CaseInsensitive) <= 0;
                }
            },
        },
        [&](const ado::Error& e) {
            const pasos::Resume r = pasos::ResumeFor(
                ClsUtilidades::ReportaError(e, std::nullopt, QStringLiteral("ValidaCuentaSubd")));
            if (r == pasos::Resume::Exit)
                alimenta = false;
            return r;
        },
        pasos::Trap::AllErrors);
    interno::Cierra(rs);
    return alimenta;
}

} // namespace cuentas
