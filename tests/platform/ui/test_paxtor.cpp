#include "platform/ui/paxtor.h"

#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {

const QStringList kClaves = {"NUEVO",     "BORRAR",  "GRABAR", "PLANILLA",
                             "CONSULTAR", "REPORTE", "CERRAR", "CANCELAR"};

class PaxtorTest : public ::testing::Test {
protected:
    void SetUp() override {
        bar.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&bar));
    }
    QStringList disparadas() const {
        QStringList l;
        for (const QList<QVariant>& args : spy)
            l << args.at(0).toString();
        return l;
    }
    void clic(const QString& clave) {
        QToolButton* b = bar.boton(clave);
        ASSERT_NE(b, nullptr) << clave.toStdString();
        QTest::mouseClick(b, Qt::LeftButton);
    }

    Paxtor bar;
    QSignalSpy spy{&bar, &Paxtor::ButtonClick};
};

TEST_F(PaxtorTest, EachButtonRaisesItsOwnKeyOnce) {
    EXPECT_EQ(Paxtor::Claves(), kClaves);
    for (const QString& clave : kClaves)
        clic(clave);
    EXPECT_EQ(disparadas(), kClaves);
    EXPECT_EQ(bar.boton("grabar"), bar.boton("GRABAR"));
    EXPECT_EQ(bar.boton("OTRO"), nullptr);
}

TEST_F(PaxtorTest, FunctionKeysFireTheirButtonsAndOtherKeysNothing) {
    // F2 .. F9 in bar order, as runtime key codes and as Qt key codes.
    for (int i = 0; i < 8; ++i)
        bar.ProcesaTecla(113 + i);
    EXPECT_EQ(disparadas(), kClaves);
    spy.clear();
    for (int i = 0; i < 8; ++i)
        bar.ProcesaTecla(Qt::Key_F2 + i);
    EXPECT_EQ(disparadas(), kClaves);
    spy.clear();
    for (int k : {13, 27, 112, 121, int('A'), int(Qt::Key_F1), int(Qt::Key_F10),
                  int(Qt::Key_Return), int(Qt::Key_Escape), 0, -1})
        bar.ProcesaTecla(k);
    EXPECT_TRUE(disparadas().isEmpty()) << disparadas().join(',').toStdString();
}

TEST_F(PaxtorTest, DisabledButtonNeverFiresByMouseOrKey) {
    for (int e = Paxtor::EstadoNuevo; e <= Paxtor::EstadoCancelar; ++e) {
        const QString clave = kClaves.at(e - 1);
        bar.setEstado(Paxtor::Estado(e), false);
        clic(clave);
        bar.ProcesaTecla(113 + e - 1);
        bar.ProcesaTecla(Qt::Key_F2 + e - 1);
        EXPECT_TRUE(disparadas().isEmpty()) << clave.toStdString();

        bar.setEstado(Paxtor::Estado(e), true);
        clic(clave);
        bar.ProcesaTecla(113 + e - 1);
        EXPECT_EQ(disparadas(), QStringList({clave, clave}));
        spy.clear();
    }
    bar.setEnabled(false);
    bar.ProcesaTecla(113);
    EXPECT_TRUE(disparadas().isEmpty());
}

TEST_F(PaxtorTest, EachStateDrivesExactlyItsButtonAndIsKept) {
    for (int e = Paxtor::EstadoNuevo; e <= Paxtor::EstadoCancelar; ++e) {
        bar.setEstado(Paxtor::Estado(e), false);
        for (int i = 0; i < 8; ++i) {
            const bool esperado = i != e - 1;
            EXPECT_EQ(bar.boton(kClaves.at(i))->isEnabled(), esperado)
                << "state " << e << " button " << kClaves.at(i).toStdString();
            EXPECT_EQ(bar.estado(Paxtor::Estado(i + 1)), esperado);
        }
        // Setting another state leaves this one as it was.
        bar.setEstado(Paxtor::Estado(e % 8 + 1), true);
        EXPECT_FALSE(bar.boton(kClaves.at(e - 1))->isEnabled());
        bar.setEstado(Paxtor::Estado(e), true);
    }
}

TEST_F(PaxtorTest, PairStatesDriveTheDocumentedMembers) {
    struct Par {
        Paxtor::Estado primero, segundo;
        const char *botonPrimero, *botonSegundo;
    };
    const Par pares[] = {
        {Paxtor::NuevoCerrarPrimero, Paxtor::NuevoCerrarSegundo, "NUEVO", "CERRAR"},
        {Paxtor::GrabarCancelarPrimero, Paxtor::GrabarCancelarSegundo, "GRABAR", "CANCELAR"},
        {Paxtor::PlanillaReportePrimero, Paxtor::PlanillaReporteSegundo, "PLANILLA", "REPORTE"},
    };
    for (const Par& p : pares) {
        bar.setEstado(p.primero, true);
        bar.setEstado(p.segundo, false);
        EXPECT_TRUE(bar.boton(p.botonPrimero)->isEnabled()) << p.botonPrimero;
        EXPECT_FALSE(bar.boton(p.botonSegundo)->isEnabled()) << p.botonSegundo;
        bar.setEstado(p.primero, false);
        bar.setEstado(p.segundo, true);
        EXPECT_FALSE(bar.boton(p.botonPrimero)->isEnabled()) << p.botonPrimero;
        EXPECT_TRUE(bar.boton(p.botonSegundo)->isEnabled()) << p.botonSegundo;
    }
}

} // namespace
