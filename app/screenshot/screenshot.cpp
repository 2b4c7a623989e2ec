// quarzelo-screenshot: the window's picture for the README, taken from a real
// run on the demo company.
//
//   quarzelo-screenshot <output.png> <parameter string> [lookup.png [voucher-lookup.png]]
//
// With a third argument the REI account is chosen in its lookup window
// instead of typed: the right button on the field opens it, the code is typed
// into the code column's search, the window's picture is saved and the row is
// accepted. With a fourth the voucher type is chosen likewise in its own
// lookup, the picture taken as it opens.
// The start-up is the program's own (arranque::IniciaPrograma, lookup hook, Form_Load reading the
// parameter string from the command line, End leaving the process). Only the
// boxes are scripted: the fiscal-year question takes its proposed year, and any
// other box fails the shot. The header is typed key by key (REI account, voucher type, letter),
// "&Generar" is clicked and the window is saved once the grid holds the lines.

#include "adjustment/ui/frmquarzelo.h"
#include "app/arranque/arranque.h"
#include "data/pasos.h"
#include "lookup/lib_frmcons3.h"
#include "platform/ui/modal.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/programend.h"
#include "platform/win/clsutilidades.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTreeView>
#include <QtTest/QTest>
#include <cstdio>
#include <memory>
#include <optional>

namespace {

constexpr int kEspera = 10000; // ms

// Answers every input box with its proposed text and writes every box shown.
class Respuestas : public vb::ScriptedResponder {
public:
    QString inputBox(const QString& prompt, const QString& title,
                     const QString& defaultText) override {
        answerInput(defaultText);
        std::fprintf(stderr, "input box \"%s\": answered %s\n", qPrintable(prompt),
                     qPrintable(defaultText));
        return ScriptedResponder::inputBox(prompt, title, defaultText);
    }
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        std::fprintf(stderr, "message box \"%s\": %s\n", qPrintable(title), qPrintable(prompt));
        return ScriptedResponder::messageBox(prompt, buttons, title);
    }
};

int falla(const char* motivo) {
    std::fprintf(stderr, "quarzelo-screenshot: %s\n", motivo);
    return 1;
}

QWidget* foco() {
    return QApplication::focusWidget();
}

// Types a value in the field that has the focus and accepts it with Enter;
// false when the focus did not land on the expected field first.
bool escribe(QWidget* esperado, const QString& texto) {
    if (!QTest::qWaitFor([&] { return foco() == esperado; }, kEspera))
        return false;
    QTest::keyClicks(esperado, texto);
    QTest::keyClick(esperado, Qt::Key_Return);
    return true;
}

// The window's control of that name, a header field by its bound column.
template <typename T> T* control(const QWidget& w, const char* nombre) {
    return w.findChild<T*>(QLatin1String(nombre));
}
QLineEdit* campo(const QWidget& w, const char* columna) {
    for (QLineEdit* c : w.findChildren<QLineEdit*>(QStringLiteral("txtFields")))
        if (c->property("DataField").toString() == QLatin1String(columna))
            return c;
    return nullptr;
}

// Loads the window as the program does: the process's exit code when the
// start-up failed or ended the program.
std::optional<int> carga(FrmQuarzelo& ventana) {
    try {
        ventana.Form_Load();
    } catch (const vb::ProgramEnded& fin) {
        std::fprintf(stderr, "quarzelo-screenshot: the program ended at start-up (%d)\n", fin.code);
        return fin.code ? fin.code : 1;
    } catch (const std::exception&) {
        ClsUtilidades::ReportaError(pasos::CurrentError(), vb::vbOKOnly + vb::vbCritical);
        return falla("start-up failed");
    }
    return std::nullopt;
}

// The steps below give nullptr, or why the shot fails.

const char* muestra(FrmQuarzelo& ventana) {
    ventana.show();
    if (!QTest::qWaitForWindowExposed(&ventana, kEspera))
        return "the window was not shown";
    ventana.activateWindow();
    if (!QTest::qWaitForWindowActive(&ventana, kEspera))
        return "the window did not become active";
    return nullptr;
}

// The REI account, typed; or (with `foto`, named `nombre` on the command
// line) chosen in its lookup, whose picture is taken there.
const char* cuentaRei(FrmQuarzelo& ventana, const QString& foto, const char* nombre) {
    QLineEdit* rei = campo(ventana, "CTA_REI");
    const QString cuentaRei = QStringLiteral("610301001");
    if (foto.isEmpty()) {
        QTest::mouseClick(rei, Qt::LeftButton);
        if (!escribe(rei, cuentaRei))
            return "the REI account field did not take the focus";
        return nullptr;
    }
    bool fotoConsulta = false;
    ui::setModalDriver([&](QDialog& d) {
        auto* lista = qobject_cast<Lib_FrmCons3*>(&d);
        if (!lista || !QTest::qWaitForWindowExposed(&d, kEspera))
            return;
        QComboBox* codigo = d.findChild<QComboBox*>(QStringLiteral("CmbSearch"));
        QTest::keyClicks(codigo, QStringLiteral("6103"));
        QTest::qWait(200);
        fotoConsulta = d.grab().save(foto);
        QTest::keyClicks(codigo, cuentaRei.mid(4));
        QTest::mouseClick(d.findChild<QPushButton*>(QStringLiteral("CmdAceptar")), Qt::LeftButton);
    });
    QTest::mouseClick(rei, Qt::RightButton);
    ui::setModalDriver({});
    if (!fotoConsulta)
        return "the lookup window's picture could not be taken";
    if (rei->text() != cuentaRei)
        return "the lookup did not fill the REI account";
    std::fprintf(stderr, "%s: the REI account chosen in its lookup\n", nombre);
    return nullptr;
}

// The voucher type, typed; or (with `foto`, named `nombre` on the command
// line) chosen in its lookup, whose picture is taken as it opens.
const char* tipoComprobante(FrmQuarzelo& ventana, const QString& foto, const char* nombre) {
    QLineEdit* tc = campo(ventana, "TC");
    if (foto.isEmpty()) {
        if (!escribe(tc, QStringLiteral("AJUS")))
            return "the voucher type field did not take the focus";
        return nullptr;
    }
    if (!QTest::qWaitFor([&] { return foco() == tc; }, kEspera))
        return "the voucher type field did not take the focus";
    bool tomada = false;
    ui::setModalDriver([&](QDialog& d) {
        if (!qobject_cast<Lib_FrmCons3*>(&d) || !QTest::qWaitForWindowExposed(&d, kEspera))
            return;
        d.activateWindow();
        if (!QTest::qWaitForWindowActive(&d, kEspera))
            return;
        QTest::qWait(200);
        tomada = d.grab().save(foto);
        // Typed where the window puts the focus: the code's search box.
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("AJUS"));
        QTest::keyClick(d.findChild<QTreeView*>(QStringLiteral("ListView1")), Qt::Key_Return);
    });
    QTest::mouseClick(tc, Qt::RightButton);
    ui::setModalDriver({});
    if (!tomada)
        return "the voucher-type lookup's picture could not be taken";
    if (tc->text() != QLatin1String("AJUS"))
        return "the lookup did not fill the voucher type";
    std::fprintf(stderr, "%s: the voucher type chosen in its lookup\n", nombre);
    return nullptr;
}

// The letter, and the header accepted with it.
const char* letra(FrmQuarzelo& ventana) {
    if (!escribe(campo(ventana, "LETRA"), QStringLiteral("X")))
        return "the letter field did not take the focus";
    const QGroupBox* cabecera = control<QGroupBox>(ventana, "FrmCabecera");
    if (!QTest::qWaitFor([&] { return !cabecera->isEnabled(); }, kEspera) ||
        !control<QPushButton>(ventana, "CmdGenerar")->isEnabled())
        return "the header was not accepted";
    return nullptr;
}

// "&Generar", until the grid holds the lines.
const char* genera(FrmQuarzelo& ventana) {
    QTest::mouseClick(control<QPushButton>(ventana, "CmdGenerar"), Qt::LeftButton);
    const bool lineas = QTest::qWaitFor(
        [&] {
            const QTableWidgetItem* cuenta =
                control<QTableWidget>(ventana, "FgResumen")->item(1, 1);
            return ventana.lineas().size() > 1 && cuenta && !cuenta->text().isEmpty() &&
                   !campo(ventana, "CABIMPORTE")->text().isEmpty();
        },
        kEspera);
    if (!lineas)
        return "the generation filled no lines";
    // The banner of the generation may have taken the activation.
    ventana.activateWindow();
    if (!QTest::qWaitForWindowActive(&ventana, kEspera))
        std::fprintf(stderr, "quarzelo-screenshot: the window is not the active one\n");
    QTest::qWait(200);
    return nullptr;
}

// The window's picture, saved as `salida` (`nombre` on the command line).
const char* guarda(FrmQuarzelo& ventana, const QString& salida, const char* nombre) {
    if (!ventana.grab().save(salida))
        return "the picture could not be written";
    std::fprintf(stderr, "%s: %dx%d, %zu lines, total %s\n", nombre, ventana.width(),
                 ventana.height(), ventana.lineas().size() - 1,
                 qPrintable(control<QLineEdit>(ventana, "txtTotal")->text()));
    return nullptr;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3 || argc > 5) {
        std::fprintf(stderr, "usage: quarzelo-screenshot <output.png> <parameter string> "
                             "[lookup.png [voucher-lookup.png]]\n");
        return 2;
    }
    const QString salida = QString::fromLocal8Bit(argv[1]);
    const QString salidaConsulta = argc >= 4 ? QString::fromLocal8Bit(argv[3]) : QString();
    const QString salidaComprobantes = argc == 5 ? QString::fromLocal8Bit(argv[4]) : QString();
    // The program sees only the parameter string on its command line.
    static int qtArgc = 2;
    static char* qtArgv[] = {argv[0], argv[2], nullptr};
    const std::unique_ptr<QApplication> app = arranque::IniciaPrograma(qtArgc, qtArgv);
    auto respuestas = std::make_shared<Respuestas>();
    vb::setDialogResponder(respuestas);
    auto ventana = std::make_unique<FrmQuarzelo>();
    if (const std::optional<int> fin = carga(*ventana))
        return *fin;
    if (const char* motivo = muestra(*ventana))
        return falla(motivo);
    if (const char* motivo = cuentaRei(*ventana, salidaConsulta, argc >= 4 ? argv[3] : nullptr))
        return falla(motivo);
    if (const char* motivo =
            tipoComprobante(*ventana, salidaComprobantes, argc == 5 ? argv[4] : nullptr))
        return falla(motivo);
    if (const char* motivo = letra(*ventana))
        return falla(motivo);
    if (const char* motivo = genera(*ventana))
        return falla(motivo);
    if (!respuestas->messages().isEmpty())
        return falla("a message box was shown during the run");
    if (const char* motivo = guarda(*ventana, salida, argv[1]))
        return falla(motivo);
    return 0;
}
