#pragma once
// The adjustment window on a company database: an administrator, the
// accounting voucher type AJUS with its receipt book, the program folder in a
// temporary directory (INI files) and the start-up from a parameter string.

#include "ajuste_fixture.h"
#include "controles.h"

#include "adjustment/ui/frmquarzelo.h"
#include "platform/ui/clsformulario.h"
#include "platform/ui/paxtor.h"
#include "platform/win/clsini.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest/QTest>

// A window with the header the generation reads.
template <class Ventana = FrmQuarzelo>
std::unique_ptr<Ventana> ventana(const QString& desde, const QString& hasta) {
    auto w = std::make_unique<Ventana>();
    campo(*w, "PERIODO_DESDE")->setText(desde);
    campo(*w, "PERIODO_HASTA")->setText(hasta);
    campo(*w, "CTA_REI")->setText(QStringLiteral("5901"));
    paxtor(*w)->setEstado(Paxtor::EstadoGrabar, false);
    return w;
}

class VentanaTest : public AjusteTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(AjusteTest::SetUp());
        useAppFolder();
        db.exec(QStringLiteral(
            "INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) VALUES ('sa', '0001', 1)"));
        comprobantes();
    }

    void TearDown() override {
        vb::setAppVersion(std::nullopt);
        CNStuffContable::setLineaComandos(std::nullopt);
        AjusteTest::TearDown();
    }

    static QString lineaComandos(const testutil::TempDatabase& db) {
        return QStringLiteral("@Server=") + db.folder() + QStringLiteral("; @DbName=") +
               db.dbName() + QStringLiteral("; @Usuario=sa; @Password=;");
    }

    // The program's start: the data object closed, the parameter string, the
    // fiscal year answered.
    std::unique_ptr<FrmQuarzelo> arranca(const QString& ejercicio = QStringLiteral("2023")) {
        return arrancaEn(db, *responder, ejercicio);
    }
    static std::unique_ptr<FrmQuarzelo> arrancaEn(const testutil::TempDatabase& db,
                                                  vb::ScriptedResponder& responder,
                                                  const QString& ejercicio) {
        resetInstances();
        CNStuffContable::setLineaComandos(lineaComandos(db));
        responder.answerInput(ejercicio);
        auto w = std::make_unique<FrmQuarzelo>();
        w->Form_Load();
        return w;
    }

    // A prepared new entry on the data object the fixture opened.
    std::unique_ptr<FrmQuarzelo> nueva() {
        auto w = std::make_unique<FrmQuarzelo>();
        w->NuevoAsiento();
        return w;
    }

    // The window on screen with the keyboard focus, as the user has it.
    static void muestra(FrmQuarzelo& w) {
        w.show();
        QApplication::setActiveWindow(&w);
        ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    }

    QString ultimoMensaje() const {
        return responder->shown.empty() ? QString() : responder->shown.back().prompt;
    }
};
