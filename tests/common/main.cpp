#include "common/odbc_env.h"
#include "platform/ui/modal.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

// One QApplication per test executable, with the widget side of the seams in
// place as the program has it. Boxes are answered by a scripted responder so
// that no test can block on a modal window. What the run writes to the
// temporary folder (the operator error log among it) stays in one of its own.
int main(int argc, char** argv) {
    // The same machine for every run: C locale, whatever the desktop's.
    qputenv("LC_ALL", "C.UTF-8");
    testutil::isolateOdbc();
    QTemporaryDir temporal;
    qputenv("TEMP", temporal.path().toLocal8Bit());
    qunsetenv("TMP");
    ui::ensureRuntimeDir();
    // Offscreen, the screen the windows must fit: 1280x800.
    QByteArray plataforma = qgetenv("QT_QPA_PLATFORM");
    if (plataforma.isEmpty() || plataforma == "offscreen") {
        QFile pantalla(temporal.filePath(QStringLiteral("pantalla.json")));
        if (pantalla.open(QIODevice::WriteOnly))
            pantalla.write(R"({"screens": [{"name": "Pantalla", "x": 0, "y": 0, "width": 1280,
                "height": 800, "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})");
        pantalla.close();
        plataforma = "offscreen:configfile=" + QFile::encodeName(pantalla.fileName());
    }
    qputenv("QT_QPA_PLATFORM", plataforma);
    QApplication app(argc, argv);
    ui::installWidgets();
    vb::setDialogResponder(std::make_shared<vb::ScriptedResponder>());
    // A modal window that no test drives closes at once, as if cancelled.
    ui::setModalDriver([](QDialog&) {});
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
