#include "startup/core/cnstuffcontable.h"

#include "data/instances.h"
#include "platform/sql/quoting.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/vb/vb.h"
#include "platform/win/clsentorno.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cns_pasos.h"

namespace CNStuffContable {

using detail::Intenta;

void ControlaAccesoProceso(const std::optional<QString>& Proceso, bool Avisar) {
    const QString ejecutable = vb::AppExeName();
    // The start-up names no process: the log then names the program.
    const QString dado = Proceso ? Proceso->trimmed() : QString();
    const QString proceso = dado.isEmpty() ? ejecutable : dado;
    DB_Dll& datos = gDatos();
    ado::RecordsetPtr rs = ado::Recordset::create();
    QString tarea;
    bool hayFila = false;

    Intenta([&] {
        if (gUsuarioLogeado.isEmpty())
            gUsuarioLogeado = datos.gUsuario;
    });
    Intenta([&] {
        const QString sentencia =
            QStringLiteral("SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , "
                           "TA_MENU.Nombre ") +
            QStringLiteral(" FROM TA_TAREAS INNER JOIN TA_MENU ON TA_TAREAS.TAREA = "
                           "TA_MENU.Clave ") +
            QStringLiteral(" WHERE (TA_TAREAS.USUARIO = ") +
            sqltext::literal(gUsuarioLogeado + QStringLiteral(" ")) +
            QStringLiteral(") AND (TA_MENU.Proceso LIKE ") +
            sqltext::literal(QStringLiteral("%") + ejecutable + QStringLiteral("%")) +
            QStringLiteral(")");
        datos.AbrirRecordset(sentencia, rs, nullptr, 0, 1, -1, true);
    });
    Intenta([&] {
        if (!rs->EOF()) {
            hayFila = true;
            tarea = ClsUtilidades::ValorCampo(rs->Fields(QStringLiteral("Nombre")));
        }
    });
    if (!hayFila) {
        if (ejecutable.compare(u"CN000PR", Qt::CaseInsensitive) == 0) {
            tarea = QStringLiteral("Menu Principal");
        } else if (Avisar) {
            vb::MsgBox(QStringLiteral(
                           "NO TIENE ACCESO A ESTE PROCESO, UTILICE EL MENU CORRESPONDIENTE!!!"),
                       vb::vbOKOnly + vb::vbCritical, QStringLiteral("ATENCION!"));
            vb::End();
        }
    }
    Intenta([&] { datos.CierraRecordset(rs); });

    ado::RecordsetPtr log = ado::Recordset::create();
    Intenta([&] {
        datos.AbrirRecordset(QStringLiteral("Select top 1 * from Control_Acceso"), log, nullptr, 2,
                             3, -1, true);
    });
    // The row is written field by field so that it holds whatever could be set.
    Intenta([&] { log->AddNew(); });
    Intenta([&] {
        log->Fields(QStringLiteral("Maquina")).setValue(ClsEntorno::NombrePC().trimmed().toUpper());
    });
    Intenta([&] {
        log->Fields(QStringLiteral("Usuario"))
            .setValue(ClsEntorno::UsuarioWindows().trimmed().toUpper());
    });
    Intenta([&] { log->Fields(QStringLiteral("Formulario")).setValue(proceso.toUpper()); });
    Intenta([&] { log->Fields(QStringLiteral("Tarea")).setValue(tarea.trimmed().toUpper()); });
    Intenta([&] {
        log->Fields(QStringLiteral("Ingreso")).setValue(vb::Format(vb::Now(), FormatoFechaHora()));
    });
    Intenta([&] { log->Fields(QStringLiteral("NombreUsuario")).setValue(gUsuarioLogeado); });
    Intenta([&] {
        log->Update();
        gIdControlAcceso = log->value(QStringLiteral("ID"));
    });
    Intenta([&] {
        if (log->State() != ado::adStateClosed && log->EditMode() != ado::adEditNone)
            log->CancelUpdate();
    });
    Intenta([&] { datos.CierraRecordset(log); });
}

} // namespace CNStuffContable
