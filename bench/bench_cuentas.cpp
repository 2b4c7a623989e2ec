// Times the accounts window on a large synthetic chart:
//   (v) the window shown: built, loaded (tree and title list) and on screen,
//       from the program's start-up done; the first, the best and the
//       median of --aperturas openings (5), each a new window;
//   (c) a click in the tree loading an account into the window, over a
//       spread of postable accounts (mean and slowest).
// The machine's load varies between runs; the figures are for comparison
// with the targets, not a test.
//
//   bench_cuentas [--cuentas N] [--clics N] [--aperturas N]

#include "accounts/ui/frmma_cuentas.h"
#include "app/arranque/arranque.h"
#include "bench/comun.h"
#include "data/instances.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/vb/msgbox.h"
#include "platform/vb/vb.h"
#include "startup/core/cnstuffcontable.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sqlite3.h>
#include <vector>

namespace {

using bench::Ejecuta;
using bench::EmpresaNueva;
using bench::Falla;
using bench::Reloj;

// A company whose chart has `cuentas` accounts under the levels 1-1-2-2-3-3:
// titles down to the fourth level, postable accounts at the fifth. Returns
// the postable codes.
QStringList ArmaEmpresa(const QString& archivo, int cuentas) {
    sqlite3* db = EmpresaNueva(archivo, "open");
    ado::installWriteChecks(db, QStringLiteral("EMPRESA"));
    Ejecuta(db, QStringLiteral("PRAGMA synchronous = OFF; PRAGMA journal_mode = MEMORY; BEGIN"));
    Ejecuta(db, QStringLiteral(
                    "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', "
                    "'0001', 1);"
                    "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('NOMBRE', 'BANCO DE "
                    "PRUEBA'), ('DIGITOS_CAPITULO', '1'), ('DIGITOS_SUBCAPITULO', '1'), "
                    "('DIGITOS_RUBRO', '2'), ('DIGITOS_SUBRUBRO', '2'), ('DIGITOS_CUENTA', '3'), "
                    "('DIGITOS_SUBCUENTA', '3'), ('PlanCuentas_ClyPr', 'SI');"
                    "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0100', 'Ventas')"));

    sqlite3_stmt* cta = nullptr;
    if (sqlite3_prepare_v2(db,
                           "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, dv, DADA_DE_BAJA) "
                           "VALUES (?, ?, ?, 0, 0)",
                           -1, &cta, nullptr) != SQLITE_OK)
        Falla(db, "prepare MA_CUENTAS");
    int escritas = 0;
    QStringList imputables;
    auto agrega = [&](const QString& codigo, bool titulo) {
        const QByteArray c = codigo.toUtf8(), d = (QStringLiteral("Cuenta ") + codigo).toUtf8();
        sqlite3_bind_text(cta, 1, c.constData(), int(c.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(cta, 2, d.constData(), int(d.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(cta, 3, titulo ? 1 : 0);
        if (sqlite3_step(cta) != SQLITE_DONE)
            Falla(db, "insert MA_CUENTAS");
        sqlite3_reset(cta);
        ++escritas;
        if (!titulo)
            imputables << codigo;
    };
    const auto n = [](int v, int ancho) {
        return QStringLiteral("%1").arg(v, ancho, 10, QChar(u'0'));
    };
    // Twenty postable accounts under each heading of the fourth level.
    for (int cap = 1; cap <= 9 && escritas < cuentas; ++cap) {
        const QString c1 = n(cap, 1);
        agrega(c1, true);
        for (int sub = 1; sub <= 9 && escritas < cuentas; ++sub) {
            const QString c2 = c1 + n(sub, 1);
            agrega(c2, true);
            for (int rub = 1; rub <= 99 && escritas < cuentas; ++rub) {
                const QString c3 = c2 + n(rub, 2);
                agrega(c3, true);
                for (int srub = 1; srub <= 10 && escritas < cuentas; ++srub) {
                    const QString c4 = c3 + n(srub, 2);
                    agrega(c4, true);
                    for (int cuenta = 1; cuenta <= 20 && escritas < cuentas; ++cuenta)
                        agrega(c4 + n(cuenta, 3), false);
                }
            }
        }
    }
    sqlite3_finalize(cta);
    Ejecuta(db, QStringLiteral("COMMIT"));
    sqlite3_close(db);
    return imputables;
}

// Boxes are not expected: each one is told and answered as the script's
// default.
class Cajas : public vb::ScriptedResponder {
public:
    int messageBox(const QString& prompt, int buttons, const QString& title) override {
        std::fprintf(stderr, "caja: %s: %s\n", qPrintable(title), qPrintable(prompt));
        return ScriptedResponder::messageBox(prompt, buttons, title);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QApplication> programa = arranque::IniciaPrograma(argc, argv);
    QApplication& app = *programa;
    int cuentas = 100000;
    int clics = 200;
    int aperturas = 5;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == u"--cuentas")
            cuentas = std::max(1, args[++i].toInt());
        else if (args[i] == u"--clics")
            clics = std::max(1, args[++i].toInt());
        else if (args[i] == u"--aperturas")
            aperturas = std::max(1, args[++i].toInt());
    }

    QTemporaryDir temporal;
    Reloj t;
    const QStringList imputables =
        ArmaEmpresa(temporal.path() + QStringLiteral("/EMPRESA.db"), cuentas);
    std::printf("plan: %d cuentas (%lld imputables), armado en %.0f ms\n", cuentas,
                static_cast<long long>(imputables.size()), t.pared());
    if (imputables.isEmpty())
        return 1;

    vb::setAppPath(temporal.path());
    vb::setDialogResponder(std::make_shared<Cajas>());
    CNStuffContable::setLineaComandos(
        QStringLiteral("@Server=") + temporal.path() +
        QStringLiteral("; @DbName=EMPRESA; @Usuario=sa; @Password=; @UsuarioLogeado=sa;"));
    CNStuffContable::IniciaSistema();

    // The machine's speed varies from one moment to the next: each opening
    // is timed on its own; the first one also pays what a process does once.
    FrmMA_CUENTAS* ventana = nullptr;
    std::vector<double> pared, cpu;
    for (int i = 0; i < aperturas; ++i) {
        delete ventana;
        QApplication::processEvents();
        t.restart();
        ventana = new FrmMA_CUENTAS;
        ventana->Form_Load();
        ventana->show();
        QApplication::processEvents();
        pared.push_back(t.pared());
        cpu.push_back(t.cpu());
    }
    const double primera = pared.front(), primeraCpu = cpu.front();
    std::sort(pared.begin(), pared.end());
    std::sort(cpu.begin(), cpu.end());
    std::printf("ventana de cuentas mostrada: %.1f ms la primera, %.1f ms la mejor, %.1f ms la "
                "mediana (CPU %.1f / %.1f / %.1f ms; %d aperturas)\n",
                primera, pared.front(), pared[pared.size() / 2], primeraCpu, cpu.front(),
                cpu[cpu.size() / 2], aperturas);

    // Accounts spread over the chart, each clicked once: the click's handler
    // loading the account into the window, then the window painted again.
    double total = 0, totalCpu = 0, peor = 0, pintado = 0;
    for (int i = 0; i < clics; ++i) {
        const QString codigo = imputables.at(qsizetype(i) * imputables.size() / clics);
        t.restart();
        ventana->TreeV_NodeClick(codigo);
        total += t.pared();
        totalCpu += t.cpu();
        peor = std::max(peor, t.pared());
        if (!ventana->esModificacion()) {
            std::fprintf(stderr, "el clic en %s no cargó la cuenta\n", qPrintable(codigo));
            return 1;
        }
        t.restart();
        QApplication::processEvents();
        pintado += t.pared();
    }
    std::printf("clic en el árbol que carga una cuenta: %.2f ms de media (%.2f ms de CPU), "
                "%.2f ms el más lento; repintado después: %.2f ms de media (%d clics)\n",
                total / clics, totalCpu / clics, peor, pintado / clics, clics);
    delete ventana;
    return 0;
}
