#include "accounts/ui/frmma_cuentas.h"
#include "data/pasos.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"
#include "startup/frmacceso.h"

#include <QApplication>

// The chart-of-accounts program, started by the suite's menu on its own with
// the same parameter string as the adjustment program ("@Server=...;
// @DbName=...;"). The run's start-up comes first, then the accounts window;
// the program ends when the window closes.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ui::installWidgets();
    ConectaConsultasConInicio();
    // A connection that fails, answered "Sí", asks in the access window.
    installAccessWindow();
    auto* ventana = new FrmMA_CUENTAS;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    try {
        CNStuffContable::IniciaSistema();
        ventana->Form_Load();
    } catch (const vb::ProgramEnded& fin) {
        return fin.code;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        vb::End(1);
    }
    ventana->show();
    return app.exec();
}
