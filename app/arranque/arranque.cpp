#include "app/arranque/arranque.h"

#include "lookup/lib_clscons3.h"
#include "platform/ui/widgets.h"
#include "startup/ui/dll_display.h"
#include "startup/ui/frmacceso.h"

namespace arranque {

std::unique_ptr<QApplication> IniciaPrograma(int& argc, char** argv) {
    ui::ensureRuntimeDir();
    auto app = std::make_unique<QApplication>(argc, argv);
    ui::installWidgets();
    ConectaConsultasConInicio();
    // A connection that fails, answered "Sí", asks in the access window.
    installAccessWindow();
    // Long operations show their progress in the banner.
    installBanner();
    return app;
}

} // namespace arranque
