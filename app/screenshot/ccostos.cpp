// quarzelo-screenshot-ccostos: the cost-centre window's picture for the
// README, taken from a real run on the demo company.
//
//   quarzelo-screenshot-ccostos <output.png> <parameter string> [code [unit]]
//
// The start-up is the program's own; the window opens as the accounts window
// opens it, on the account (by default the demo's 530101001, administrative
// salaries), the account is accepted with Enter and the business unit
// (by default 0002) is chosen in its list. Any box shown fails the shot.

#include "accountextras/ui/frmta_asigccosto.h"
#include "data/pasos.h"
#include "lookup/lib_clscons3.h"
#include "platform/ui/flexgrid.h"
#include "platform/ui/widgets.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"
#include "startup/cnstuffcontable.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QtTest/QTest>
#include <cstdio>

namespace {

constexpr int kEspera = 10000; // ms

int falla(const char* motivo) {
    std::fprintf(stderr, "quarzelo-screenshot-ccostos: %s\n", motivo);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: quarzelo-screenshot-ccostos <output.png> <parameter string> "
                             "[code [unit]]\n");
        return 2;
    }
    const QString salida = QString::fromLocal8Bit(argv[1]);
    const QString codigo =
        argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QStringLiteral("530101001");
    const QString unidad = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QStringLiteral("0002");
    // The program sees only the parameter string on its command line.
    static int qtArgc = 2;
    static char* qtArgv[] = {argv[0], argv[2], nullptr};
    QApplication app(qtArgc, qtArgv);
    ui::installWidgets();
    auto respuestas = std::make_shared<vb::ScriptedResponder>();
    vb::setDialogResponder(respuestas);
    ConectaConsultasConInicio();

    Frmta_asigccosto* ventana = nullptr;
    try {
        CNStuffContable::IniciaSistema();
        CNStuffContable::CuentaActual = codigo;
        ventana = Frmta_asigccosto::Muestra(false);
    } catch (const vb::ProgramEnded& fin) {
        std::fprintf(stderr, "quarzelo-screenshot-ccostos: the program ended at start-up (%d)\n",
                     fin.code);
        return fin.code ? fin.code : 1;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        return falla("start-up failed");
    }
    if (!QTest::qWaitForWindowActive(ventana, kEspera))
        return falla("the window did not become active");

    auto* cuenta = ventana->findChild<QLineEdit*>(QStringLiteral("txtCuenta"));
    cuenta->setFocus();
    QTest::keyClick(cuenta, Qt::Key_Return);
    if (!ventana->enEdicion())
        return falla("the account was not accepted");
    auto* lista = ventana->findChild<QComboBox*>(QStringLiteral("CmbUnegocio"));
    if (!ventana->findChild<QCheckBox*>(QStringLiteral("ChkVariable"))->isChecked())
        return falla("the account's percentages do not vary by business unit");
    int indice = -1;
    for (int i = 1; i < lista->count(); ++i)
        if (lista->itemText(i).startsWith(unidad))
            indice = i;
    if (indice < 0)
        return falla("the business unit is not in the list");
    lista->setCurrentIndex(indice);
    auto* grilla = ventana->findChild<FlexGrid*>(QStringLiteral("FGCCosto"));
    if (grilla->TextMatrix(1, 1).isEmpty())
        return falla("the business unit has no distribution");
    grilla->setFocus();
    QTest::qWait(200);

    if (!respuestas->messages().isEmpty())
        return falla(
            qPrintable(QStringLiteral("a box was shown: ") + respuestas->messages().join(u'|')));
    if (!ventana->grab().save(salida))
        return falla("the picture could not be written");
    std::fprintf(stderr, "%s: %dx%d, %s %s\n", argv[1], ventana->width(), ventana->height(),
                 qPrintable(codigo), qPrintable(lista->currentText()));
    return 0;
}
