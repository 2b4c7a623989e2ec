// quarzelo-screenshot-adicionales: the additional-data window's picture for
// the README, taken from a real run on the demo company.
//
//   quarzelo-screenshot-adicionales <output.png> <parameter string> [code]
//
// The start-up is the program's own; the window opens as the accounts window
// opens it, bound to the account (by default the demo's customers account
// 110301001, which has additional data), and is saved once it shows the
// account. Any box shown fails the shot.

#include "accountextras/ui/frmma_cuentasadic.h"
#include "data/pasos.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QtTest/QTest>
#include <cstdio>
#include <memory>

namespace {

constexpr int kEspera = 10000; // ms

int falla(const char* motivo) {
    std::fprintf(stderr, "quarzelo-screenshot-adicionales: %s\n", motivo);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: quarzelo-screenshot-adicionales <output.png> <parameter "
                             "string> [code]\n");
        return 2;
    }
    const QString salida = QString::fromLocal8Bit(argv[1]);
    const QString codigo =
        argc == 4 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("110301001");
    // The program sees only the parameter string on its command line.
    static int qtArgc = 2;
    static char* qtArgv[] = {argv[0], argv[2], nullptr};
    QApplication app(qtArgc, qtArgv);
    ui::installWidgets();
    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);
    ConectaConsultasConInicio();

    frmMA_CUENTASADIC* ventana = nullptr;
    try {
        CNStuffContable::IniciaSistema();
        CNStuffContable::CuentaActual = codigo;
        ventana = frmMA_CUENTASADIC::Muestra(false);
    } catch (const vb::ProgramEnded& fin) {
        std::fprintf(stderr,
                     "quarzelo-screenshot-adicionales: the program ended at start-up (%d)\n",
                     fin.code);
        return fin.code ? fin.code : 1;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        return falla("start-up failed");
    }
    if (!QTest::qWaitForWindowActive(ventana, kEspera))
        return falla("the window did not become active");
    const auto* nombre = ventana->findChild<QLabel*>(QStringLiteral("LblTitulo"));
    if (!QTest::qWaitFor([&] { return nombre->text() != QLatin1String("..."); }, kEspera))
        return falla("the account was not loaded");
    QTest::qWait(200);

    if (!respuestas->messages().isEmpty())
        return falla(
            qPrintable(QStringLiteral("a box was shown: ") + respuestas->messages().join(u'|')));
    if (!ventana->grab().save(salida))
        return falla("the picture could not be written");
    std::fprintf(stderr, "%s: %dx%d, %s\n", argv[1], ventana->width(), ventana->height(),
                 qPrintable(nombre->text()));
    return 0;
}
