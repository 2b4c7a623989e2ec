#include "adjustment/ui/frmquarzelo.h"
#include "app/arranque/arranque.h"
#include "data/pasos.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

// The command line is the suite's parameter string ("@Server=...; @DbName=...;").
// The adjustment window is the start-up object: loading it starts the run.
int main(int argc, char** argv) {
    const std::unique_ptr<QApplication> app = arranque::IniciaPrograma(argc, argv);
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
    return app->exec();
}
