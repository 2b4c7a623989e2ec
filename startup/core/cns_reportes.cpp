#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/vb/errors.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "platform/win/clsreporte.h"
#include "platform/win/clsutilidades.h"

#include <memory>

namespace CNStuffContable {

namespace {

std::unique_ptr<ClsReporte>& reporte() {
    static std::unique_ptr<ClsReporte> objeto;
    return objeto;
}

} // namespace

ClsReporte& gReporte() {
    if (!reporte())
        reporte() = std::make_unique<ClsReporte>();
    return *reporte();
}

void resetReporte() {
    reporte().reset();
}

void ImprimeReporte(const QString& Menu) {
    const QString menu = Menu.trimmed();
    if (menu.isEmpty())
        return;
    try {
        if (ClsReporte::BuscaPrograma(vb::AppPath(), ClsReporte::Ejecutor()).isEmpty()) {
            vb::MsgBox(QStringLiteral("Error de integridad en los Archivos del sistema (CN000R), "
                                      "copie este mensaje y comuniquese con su proveedor de "
                                      "software"),
                       vb::vbCritical, QStringLiteral("Aviso al operador"));
            return;
        }
        // The runner gets the connection the way the suite's programs hand
        // each other a login; each value stays inside its own argument.
        const DB_Dll& datos = gDatos();
        gReporte().EjecutaReporte(menu, {QStringLiteral("@Server=") + datos.gServidor + u';',
                                         QStringLiteral("@DbName=") + datos.gDBName + u';',
                                         QStringLiteral("@Usuario=") + datos.gUsuario + u';',
                                         QStringLiteral("@Password=") + datos.gUserPassWord + u';',
                                         QStringLiteral("kovu@;")});
    } catch (const std::exception&) {
        // A report that cannot run ends here, without a message.
    }
}

QStringList ParametrosProceso(const QString& ParametroAdicional) {
    const DB_Dll& datos = gDatos();
    return {QStringLiteral(";"),
            QStringLiteral("@server=") + datos.gServidor + u';',
            QStringLiteral("@dbname=") + datos.gDBName + u';',
            QStringLiteral("@usuario=") + datos.gUsuario + u';',
            QStringLiteral("@Password=") + datos.gUserPassWord + u';',
            QStringLiteral("@ParametroAdicional=") + ParametroAdicional + u';',
            QStringLiteral("kovu@"),
            QStringLiteral(";")};
}

void EjecutaProcesoExterno(const QString& Opcion, const QString& ParametroAdicional,
                           std::int32_t& IdTarea) {
    const QStringList argumentos = ParametrosProceso(ParametroAdicional);
    const QString carpeta = ClsUtilidades::CarpetaConBarra(vb::AppPath());
    const QString programa = ClsReporte::BuscaPrograma(carpeta, Opcion.mid(6));
    if (programa.isEmpty())
        vb::Raise(vb::errFileNotFound);
    const qint64 tarea = ClsReporte::Inicia(programa, argumentos, carpeta);
    IdTarea = tarea > 0 && tarea <= INT32_MAX ? std::int32_t(tarea) : 0;
    if (IdTarea == 0)
        vb::MsgBox(QStringLiteral("Opcion no Implementada!") + vb::vbCr +
                       QStringLiteral("Comuniquese con su proveedor de sistemas"),
                   vb::vbCritical, QStringLiteral("Atención"));
}

} // namespace CNStuffContable
