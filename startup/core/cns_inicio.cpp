#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/ado/connstring.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsini.h"
#include "platform/win/clsreporte.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"
#include "startup/core/cns_pasos.h"

#include <QCoreApplication>

namespace CNStuffContable {

namespace {

std::optional<QString>& lineaFijada() {
    static std::optional<QString> linea;
    return linea;
}

PreparaConsultas& preparaConsultas() {
    static PreparaConsultas prepara;
    return prepara;
}

// Runs one step of the start-up. A missing item is passed over; any other
// failure is shown and ends the program, so no window opens half prepared.
template <typename F> void Paso(F&& paso) {
    try {
        paso();
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        const ado::Error e = pasos::CurrentError();
        if (e.Number == ado::adErrItemNotFound)
            return;
        AvisaErrorOperador(e, vb::vbOKOnly + vb::vbCritical, QStringLiteral("IniciaSistema"));
        vb::End(1);
    }
}

} // namespace

QString LineaComandos() {
    if (lineaFijada())
        return *lineaFijada();
    return QCoreApplication::arguments().mid(1).join(u' ');
}

void setLineaComandos(const std::optional<QString>& Linea) {
    lineaFijada() = Linea;
}

void setPreparaConsultas(PreparaConsultas Prepara) {
    preparaConsultas() = std::move(Prepara);
}

QString ValorParametro(const QString& Linea, const QString& Clave) {
    if (Clave.isEmpty())
        return QString();
    qsizetype desde = 0;
    for (;;) {
        const qsizetype p = Linea.indexOf(Clave, desde, Qt::CaseInsensitive);
        if (p < 0)
            return QString();
        // Only the whole key counts: "@Usuario" is not "@UsuarioLogeado".
        qsizetype igual = p + Clave.size();
        while (igual < Linea.size() && (Linea.at(igual) == u' ' || Linea.at(igual) == u'\t'))
            ++igual;
        if (igual < Linea.size() && Linea.at(igual) == u'=') {
            const qsizetype fin = Linea.indexOf(u';', igual);
            if (fin < 0)
                return QString();
            // Only the separating "=" goes: a password may hold one.
            return Linea.mid(igual + 1, fin - igual - 1).trimmed();
        }
        desde = p + 1;
    }
}

void IniciaSistema() {
    QString carpeta;
    QString linea;
    DB_Dll& datos = gDatos();

    // Every wait for another user's lock is shown while it lasts (unless
    // whoever runs the start-up installed a notice of its own).
    if (!ado::lockWaitNotice())
        ado::setLockWaitNotice(AvisoEsperaBloqueo);
    InstalaReplicacion();
    Paso([&] { carpeta = ClsUtilidades::CarpetaConBarra(vb::AppPath()); });
    Paso([&] { linea = LineaComandos(); });
    Paso([&] {
        gSeccionIni =
            ClsEntorno::NombrePC().toUpper() + u'|' + ClsEntorno::UsuarioWindows().toUpper();
    });
    Paso([&] {
        const QString plano = ClsIni::LeeIni(QStringLiteral("CN000p.INI"), gSeccionIni,
                                             QStringLiteral("FlatToolbars"), QStringLiteral("1"));
        gFlatToolbars = vb::Val(plano) != 0;
    });

    if (!datos.gOpenFlag) {
        QString servidor, base, usuario, clave;
        Paso([&] {
            gParametroAdicional = ValorParametro(linea, QStringLiteral("@ParametroAdicional"));
            gMenu = ValorParametro(linea, QStringLiteral("@Menu"));
            servidor = ValorParametro(linea, QStringLiteral("@Server"));
            base = ValorParametro(linea, QStringLiteral("@DbName"));
            usuario = ValorParametro(linea, QStringLiteral("@Usuario"));
            clave = ValorParametro(linea, QStringLiteral("@Password"));
            gUsuarioLogeado = ValorParametro(linea, QStringLiteral("@UsuarioLogeado"));
            gCaja = ValorParametro(linea, QStringLiteral("@Caja"));
        });
        Paso([&] {
            datos.gUsuario = usuario;
            datos.gDBName = base;
            datos.gUserPassWord = clave;
            datos.gServidor = servidor;
        });
        // A file that is no company database (empty, or another program's)
        // fails the open itself, once, instead of every query of the run.
        datos.setTablasRequeridas({gTablaConfiguracion.trimmed().isEmpty()
                                       ? QStringLiteral("TA_CONFIGURACION")
                                       : gTablaConfiguracion.trimmed(),
                                   QStringLiteral("MA_CUENTAS"), QStringLiteral("MV_ASIENTOS"),
                                   QStringLiteral("MV_EJERCICIOS")});
        Paso([&] { datos.OpenServerADODB(false, ado::adUseClient, QString(), true, true); });
        // The data object has already told the operator why.
        if (!datos.gOpenFlag)
            vb::End(1);
        Paso([&] {
            datos.cnn()->CommandTimeout = 360;
            datos.cnn()->setDefaultDatabase(datos.gDBName);
        });
    }

    Paso([&] {
        gCadenaODBC = QStringLiteral("DSN=") + ado::odbcValue(datos.gDBName) +
                      QStringLiteral("; UID=") + ado::odbcValue(datos.gUsuario) +
                      QStringLiteral("; PWD=") + ado::odbcValue(datos.gUserPassWord);
    });
    Paso([&] { gReporte().CarpetaReportes(carpeta); });
    Paso([&] {
        if (const PreparaConsultas& prepara = preparaConsultas())
            prepara(datos.gConnString, true, carpeta + QStringLiteral("consultas.zub"));
    });
    Paso([&] { gUsuarioLogeado = datos.gUsuario; });
    Paso([] { IniContable(); });
    Paso([] { ControlaAccesoProceso(QString(), false); });
}

} // namespace CNStuffContable
