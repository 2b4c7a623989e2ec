// quarzelo-screenshot-cuentas: the accounts window's picture for the README,
// taken from a real run on the demo company.
//
//   quarzelo-screenshot-cuentas <output.png> <parameter string> [code]
//
// The start-up is the program's own; the account (by default the demo's bank
// account 110102001001) is chosen by a click on its node in the chart tree,
// and the window is saved once it shows the account. Any box shown fails the
// shot.

#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/frmma_cuentas.h"
#include "data/pasos.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QApplication>
#include <QLineEdit>
#include <QtTest/QTest>
#include <cstdio>
#include <memory>

namespace {

constexpr int kEspera = 10000; // ms

int falla(const char* motivo) {
    std::fprintf(stderr, "quarzelo-screenshot-cuentas: %s\n", motivo);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: quarzelo-screenshot-cuentas <output.png> <parameter string> "
                             "[code]\n");
        return 2;
    }
    const QString salida = QString::fromLocal8Bit(argv[1]);
    const QString codigo =
        argc == 4 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("110102001001");
    // The program sees only the parameter string on its command line.
    static int qtArgc = 2;
    static char* qtArgv[] = {argv[0], argv[2], nullptr};
    QApplication app(qtArgc, qtArgv);
    ui::installWidgets();
    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);
    ConectaConsultasConInicio();

    auto ventana = std::make_unique<FrmMA_CUENTAS>();
    try {
        CNStuffContable::IniciaSistema();
        ventana->Form_Load();
    } catch (const vb::ProgramEnded& fin) {
        std::fprintf(stderr, "quarzelo-screenshot-cuentas: the program ended at start-up (%d)\n",
                     fin.code);
        return fin.code ? fin.code : 1;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        return falla("start-up failed");
    }
    ventana->show();
    ventana->activateWindow();
    if (!QTest::qWaitForWindowActive(ventana.get(), kEspera))
        return falla("the window did not become active");

    auto* arbol = ventana->findChild<ArbolPlanCuentas*>(QStringLiteral("TreeV"));
    const QModelIndex nodo = arbol->modelo()->Nodo(QStringLiteral("A") + codigo);
    if (!nodo.isValid())
        return falla("the account has no node in the tree");
    arbol->scrollTo(nodo);
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, arbol->visualRect(nodo).center());
    const QLineEdit* nombre = nullptr;
    for (const QLineEdit* c : ventana->findChildren<QLineEdit*>(QStringLiteral("txtFields")))
        if (c->property("DataField").toString() == QLatin1String("DESCRIPCION"))
            nombre = c;
    if (!QTest::qWaitFor([&] { return !nombre->text().isEmpty(); }, kEspera))
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
