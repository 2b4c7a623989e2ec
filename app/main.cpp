#include "adjustment/ui/frmquarzelo.h"
#include "data/pasos.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/ui/dll_display.h"
#include "startup/ui/frmacceso.h"

#include <QApplication>

// The command line is the suite's parameter string ("@Server=...; @DbName=...;").
// The adjustment window is the start-up object: loading it starts the run.
int main(int argc, char** argv) {
    ui::ensureRuntimeDir();
    QApplication app(argc, argv);
    ui::installWidgets();
    ConectaConsultasConInicio();
    // A connection that fails, answered "Sí", asks in the access window.
    installAccessWindow();
    // Long operations show their progress in the banner.
    installBanner();
    auto* ventana = new FrmQuarzelo;
    ventana->setAttribute(Qt::WA_DeleteOnClose);
    try {
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
