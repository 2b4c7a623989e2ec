#include "startup/core/cnstuffcontable.h"

#include "data/db_dll.h"
#include "data/instances.h"
#include "data/pasos.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cns_pasos.h"

#include <stdexcept>

namespace CNStuffContable {

// ---- Run-wide values --------------------------------------------------------------
QString gSeccionIni;
bool gFlatToolbars = false;
QString gParametroAdicional;
QString gMenu;
QString gCaja;
QString gCadenaODBC;
QString gPeriodoActual;
bool gSoloMayusculas = false;
bool gBloqueoActivo = false;
QString gUNegocioUsuario;
QString gTablaConfiguracion;
QVariant gIdControlAcceso;
std::int16_t gDigitosNivel1 = 0, gDigitosNivel2 = 0, gDigitosNivel3 = 0, gDigitosNivel4 = 0,
             gDigitosNivel5 = 0, gDigitosNivel6 = 0;
std::int16_t gFinNivel1 = 0, gFinNivel2 = 0, gFinNivel3 = 0, gFinNivel4 = 0, gFinNivel5 = 0,
             gFinNivel6 = 0;
QString CuentaActual;
std::int16_t gTalonario = 0;
int gEstiloSkin = 0;
bool gUsaMultiMonedas = false;

namespace detail {

void Intenta(const std::function<void()>& paso) {
    pasos::RunSteps({paso}, IgnorarError, pasos::Trap::AllErrors);
}

} // namespace detail

namespace {

void AseguraTablaConfiguracion() {
    if (gTablaConfiguracion.trimmed().isEmpty())
        gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
}

int CajaRutina(const ado::Error& e, const QString& rutina) {
    return ClsUtilidades::ReportaError(e, std::nullopt, rutina);
}

} // namespace

QString Cfg(const QString& Clave, QString& ValorAux) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    QString sentencia;
    QString resultado;
    const QString clave = Clave.trimmed();
    const bool completo = pasos::RunSteps(
        {
            [] { AseguraTablaConfiguracion(); },
            [&] {
                sentencia = QStringLiteral("SELECT VALOR, valoraux FROM ") + gTablaConfiguracion +
                            QStringLiteral(" WHERE CLAVE = ") + sqltext::literal(clave);
            },
            [&] {
                if (clave.compare(u"[FECHA HASTA]", Qt::CaseInsensitive) == 0 ||
                    clave.compare(u"[FECHA DESDE]", Qt::CaseInsensitive) == 0)
                    sentencia = sentencia.toUpper();
            },
            [&] { gDatos().AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true); },
            [&] {
                if (rs->EOF()) {
                    resultado = QStringLiteral(" ");
                    ValorAux.clear();
                } else {
                    resultado = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("VALOR")));
                    ValorAux = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("valoraux")));
                }
            },
            [&] { gDatos().CierraRecordset(rs); },
        },
        [](const ado::Error& e) {
            // Retry is no way out here: only Ignore goes on.
            return CajaRutina(e, QStringLiteral("Cfg")) == vb::vbIgnore ? pasos::Resume::Next
                                                                        : pasos::Resume::Exit;
        },
        pasos::Trap::AllErrors);
    if (!completo) {
        CierraSinAviso(rs);
        return QString();
    }
    return resultado;
}

QString Cfg(const QString& Clave) {
    QString valorAux;
    return Cfg(Clave, valorAux);
}

bool CfgSi(const QString& Clave) {
    return Cfg(Clave).compare(u"SI", Qt::CaseInsensitive) == 0;
}

void GrabaDfg(const QString& Clave, const QVariant& Valor, const QString& ValorAux,
              bool PoliticaNegocio, const QString& Grupo) {
    ado::RecordsetPtr rs = ado::Recordset::create();
    QString sentencia;
    // The key is looked up in the form in which it is stored.
    const QString clave = Clave.trimmed().toUpper();
    const bool completo = pasos::RunSteps(
        {
            [&] {
                AseguraTablaConfiguracion();
                sentencia = QStringLiteral("SELECT * FROM ") + gTablaConfiguracion +
                            QStringLiteral(" WHERE CLAVE = ") + sqltext::literal(clave);
            },
            [&] { gDatos().AbrirRecordset(sentencia, rs, nullptr, 2, 3, -1, true); },
            [&] {
                if (rs->EOF())
                    rs->AddNew();
            },
            [&] { rs->Fields(QStringLiteral("Grupo")).setValue(Grupo); },
            [&] { rs->Fields(QStringLiteral("Clave")).setValue(clave); },
            [&] { rs->Fields(QStringLiteral("Valor")).setValue(vb::CStr(Valor).trimmed()); },
            [&] { rs->Fields(QStringLiteral("PoliticaNegocio")).setValue(PoliticaNegocio); },
            [&] {
                if (!ValorAux.isEmpty())
                    rs->Fields(QStringLiteral("ValorAux")).setValue(ValorAux.trimmed());
            },
            [&] { rs->Update(); },
            [&] { gDatos().CierraRecordset(rs); },
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(CajaRutina(e, QStringLiteral("GrabaDfg")));
        },
        pasos::Trap::AllErrors);
    if (!completo)
        CierraSinAviso(rs);
}

void IniContable() {
    pasos::RunSteps(
        {
            [] { gSoloMayusculas = CfgSi(QStringLiteral("ESCRIBE_SOLO_MAYUSCULAS")); },
            [] { gBloqueoActivo = CfgSi(QStringLiteral("SS_BloqueoActivo")); },
            [] { gPeriodoActual = Cfg(QStringLiteral("PERIODO")); },
            [] {
                gUNegocioUsuario = ClsUtilidades::RellenaCeros(
                    vb::CStr(gDatos().DatosTabla(
                        QStringLiteral("ta_usuarios"), gUsuarioLogeado, QStringLiteral("UNegocio"),
                        QStringLiteral("nombre"), 8, QString(), true, false)),
                    4);
            },
            [] { gConfidencialidad = CfgSi(QStringLiteral("SS_CONFIDENCIALIDAD")); },
            [] {
                // Unit 1 in the form every stored unit takes.
                if (gUNegocioUsuario.isEmpty())
                    gUNegocioUsuario = ClsUtilidades::RellenaCeros(QStringLiteral("1"), 4);
            },
        },
        [](const ado::Error& e) {
            return pasos::ResumeFor(CajaRutina(e, QStringLiteral("IniContable")));
        },
        pasos::Trap::AllErrors);
}

} // namespace CNStuffContable
