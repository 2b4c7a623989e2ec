#include "accountextras/ui/frmma_cuentasadic.h"
#include "accountextras/ui/frmta_asigccosto.h"
#include "accountextras/ui/relacionadas.h"
#include "accounts/ui/frmma_cuentas.h"
#include "app/arranque/arranque.h"
#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/core/cnstuffcontable.h"

// The chart-of-accounts program, started by the suite's menu on its own with
// the same parameter string as the adjustment program ("@Server=...;
// @DbName=...;"). The menu entry ("@Menu=") picks the window: CN_DATOSADIC
// the additional data of accounts, standalone; CN_CCOSTOS the cost-centre
// distribution with an empty account box; anything else the accounts window.
// The run's start-up comes first; the program ends when that window closes.
namespace {

enum class Ventana { Cuentas, DatosAdicionales, CentrosCosto };

Ventana VentanaDelMenu(const QString& menu) {
    const QString m = menu.trimmed();
    if (m.compare(u"CN_DATOSADIC", Qt::CaseInsensitive) == 0)
        return Ventana::DatosAdicionales;
    if (m.compare(u"CN_CCOSTOS", Qt::CaseInsensitive) == 0)
        return Ventana::CentrosCosto;
    return Ventana::Cuentas;
}

} // namespace

int main(int argc, char** argv) {
    const std::unique_ptr<QApplication> app = arranque::IniciaPrograma(argc, argv);
    try {
        CNStuffContable::IniciaSistema();
        switch (VentanaDelMenu(CNStuffContable::gMenu)) {
        case Ventana::DatosAdicionales:
            frmMA_CUENTASADIC::Muestra(true);
            break;
        case Ventana::CentrosCosto:
            Frmta_asigccosto::Muestra(true);
            break;
        case Ventana::Cuentas: {
            auto* ventana = new FrmMA_CUENTAS;
            ventana->setAttribute(Qt::WA_DeleteOnClose);
            ConectaVentanasRelacionadas(*ventana);
            ventana->Form_Load();
            ventana->show();
            break;
        }
        }
    } catch (const vb::ProgramEnded& fin) {
        return fin.code;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        vb::End(1);
    }
    return app->exec();
}
