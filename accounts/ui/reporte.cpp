// The chart-of-accounts report: handed to the suite's report runner with the
// run's connection values; the window does not wait for it.

#include "accounts/ui/frmma_cuentas.h"

#include "data/instances.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsreporte.h"
#include "platform/win/clsutilidades.h"

void FrmMA_CUENTAS::LlamarReporte(const QString& Reporte) {
    try {
        if (Reporte.trimmed().isEmpty())
            return;
        const DB_Dll& datos = gDatos();
        const QString parametros =
            QStringLiteral("@Menu=") + Reporte + QStringLiteral(";@Server=") + datos.gServidor +
            QStringLiteral(";@DbName=") + datos.gDBName + QStringLiteral(";@Usuario=") +
            datos.gUsuario + QStringLiteral(";@Password=") + datos.gUserPassWord +
            QStringLiteral(";kovu@");
        const QString carpeta = ClsUtilidades::CarpetaConBarra(vb::AppPath());
        const QString programa = ClsReporte::BuscaPrograma(carpeta, ClsReporte::Ejecutor());
        if (programa.isEmpty()) {
            vb::MsgBox(QStringLiteral("Error de integridad en los Archivos del sistema (CN000R), "
                                      "copie este mensaje y comuniquese con su proveedor de "
                                      "software"),
                       vb::vbCritical, QStringLiteral("Aviso al operador"));
            return;
        }
        ClsReporte::Inicia(programa, {parametros}, carpeta);
    } catch (const vb::ProgramEnded&) {
        throw;
    } catch (const std::exception&) {
        // A runner that cannot be started ends the routine without a message.
    }
}
