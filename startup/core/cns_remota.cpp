// The point-of-sale reach test with its marks in V_TA_TPV, and the services
// the replication module takes from this module.

#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "data/mod_gruposemp.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cartel.h"

#include <QFileInfo>

namespace CNStuffContable {

namespace {

ProgramasMaestros& programasMaestros() {
    static ProgramasMaestros p;
    return p;
}

// The marks are written without looking at the outcome.
void Ejecuta(const QString& sentencia) {
    long afectados = 0;
    gDatos().EjecutaConsultaSQL(sentencia, afectados);
}

// The pending flags the running program leaves on a point of sale it could
// not reach (its kinds of data), or nothing.
QString PendientesDelPrograma() {
    const QString programa = QFileInfo(vb::AppExeName()).completeBaseName();
    const ProgramasMaestros& p = programasMaestros();
    if (p.Clientes.contains(programa, Qt::CaseInsensitive))
        return QStringLiteral("PEND_CLIENTES= 1, PEND_PROVEEDORES = 1");
    if (p.Tablas.contains(programa, Qt::CaseInsensitive))
        return QStringLiteral("PEND_TABLAS = 1");
    if (p.Articulos.contains(programa, Qt::CaseInsensitive))
        return QStringLiteral("PEND_ARTICULOS = 1,PEND_PRECIOS = 1");
    return QString();
}

QString CondicionPunto(const QString& Codigo) {
    return QStringLiteral(" WHERE CODIGO = ") +
           sqltext::literal(ClsUtilidades::RellenaCeros(Codigo));
}

// The failed attempt: its time, and what the point of sale still has to get.
// Failures reach the caller.
std::vector<pasos::Step> PasosDesconectado(const QString& Codigo) {
    return {
        [Codigo] {
            Ejecuta(QStringLiteral("UPDATE V_TA_TPV SET CONECTADO = 0, ULTIMA_DETECCION = ") +
                    ClsUtilidades::FechaHoraParaSQL(FechaServidor()) + CondicionPunto(Codigo));
        },
        [Codigo] {
            const QString pendientes = PendientesDelPrograma();
            if (!pendientes.isEmpty())
                Ejecuta(QStringLiteral("UPDATE V_TA_TPV SET ") + pendientes +
                        CondicionPunto(Codigo));
        },
    };
}

class ServiciosReplicacion : public ModGruposEmp::Servicios {
public:
    QString Cfg(const QString& Clave, QString& ValorAux) override {
        return CNStuffContable::Cfg(Clave, ValorAux);
    }
    bool ConectaBaseRemota(const QString& Servidor, const QString& Base, const QString& Usuario,
                           const QString& Password, const QString& Codigo) override {
        return CNStuffContable::ConectaBaseRemota(Servidor, Base, Usuario, Password, Codigo);
    }
    void MarcaDesconectado(const QString& Codigo) override {
        for (const pasos::Step& paso : PasosDesconectado(Codigo))
            paso();
    }
    int AvisaErrorOperador(const ado::Error& Err, const QString& Rutina) override {
        return CNStuffContable::AvisaErrorOperador(Err, std::nullopt, Rutina);
    }
    void AnotaError(const QString& Mensaje, const QString& Rutina) override {
        AnotaErrorOperador(Mensaje, Rutina);
    }
    void GrabaErrorAux(const QString& Sentencia, std::int32_t NroError,
                       const QString& Descripcion) override {
        CNStuffContable::GrabaErrorAux(Sentencia, vb::AppExeName(), NroError, Descripcion);
    }
    void CartelCerrar() override { gCartel().CartelCerrar(); }
    QString TextoDespuesDeBarra(const QString& Texto) override {
        return CNStuffContable::TextoDespuesDeBarra(Texto);
    }
};

} // namespace

void setProgramasMaestros(const ProgramasMaestros& Programas) {
    programasMaestros() = Programas;
}

bool ConectaBaseRemota(const QString& Servidor, const QString& Base, const QString& Usuario,
                       const QString& Password, const QString& Codigo) {
    DB_Dll& remoto = gDatosRemoto();
    const auto onError = [](const ado::Error& e) {
        return ClsUtilidades::ReportaError(e, vb::vbRetryCancel,
                                           QStringLiteral("Conexion Base Remota")) == vb::vbRetry
                   ? pasos::Resume::Retry
                   : pasos::Resume::Exit;
    };
    const bool completo = pasos::RunSteps(
        {
            [&] {
                // A connection already lost needs no closing.
                if (remoto.gOpenFlag && remoto.cnn()->State() == ado::adStateOpen)
                    remoto.cnn()->Close();
            },
            [&] {
                remoto.gProveedor = DB_Dll::pSQLOLEDB();
                remoto.gServidor = TextoDespuesDeBarra(Servidor.trimmed());
                remoto.gDBName = Base.trimmed();
                remoto.gUsuario = Usuario.trimmed();
                remoto.gUserPassWord = Password.trimmed();
            },
            [&] { remoto.OpenServerADODB(false, ado::adUseClient, QString(), true, false); },
        },
        onError, pasos::Trap::AllErrors);
    if (!completo)
        return false;
    if (!remoto.gOpenFlag) {
        if (!Codigo.isEmpty())
            pasos::RunSteps(PasosDesconectado(Codigo), onError, pasos::Trap::AllErrors);
        return false;
    }
    bool resultado = false;
    pasos::RunSteps({
                        [&] { remoto.cnn()->setDefaultDatabase(remoto.gDBName); },
                        [&] {
                            if (!Codigo.isEmpty())
                                Ejecuta(QStringLiteral("UPDATE V_TA_TPV SET CONECTADO = 1") +
                                        CondicionPunto(Codigo));
                        },
                        [&] { resultado = true; },
                    },
                    onError, pasos::Trap::AllErrors);
    return resultado;
}

void InstalaReplicacion() {
    ModGruposEmp::setServicios(std::make_shared<ServiciosReplicacion>());
}

} // namespace CNStuffContable
