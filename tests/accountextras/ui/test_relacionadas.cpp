// The accounts window's side toolbar opens the additional data and the cost
// centres of the account it shows, each window keeping that account.

#include "adicionales_fixture.h"

#include "accountextras/ui/frmta_asigccosto.h"
#include "accountextras/ui/relacionadas.h"
#include "accounts/ui/frmma_cuentas.h"

#include <QAction>
#include <memory>

namespace {

using RelacionadasTest = AdicionalesTest;

TEST_F(RelacionadasTest, LaBarraAbreCadaVentanaEnLaCuentaMostrada) {
    auto cuentas = std::make_unique<FrmMA_CUENTAS>();
    cuentas->Form_Load();
    ConectaVentanasRelacionadas(*cuentas);
    cuentas->show();
    QApplication::setActiveWindow(cuentas.get());
    ASSERT_TRUE(QTest::qWaitForWindowActive(cuentas.get()));
    auto* codigo = cuentas->findChild<QLineEdit*>(QStringLiteral("TxtCodigo"));
    codigo->setFocus();
    QTest::keyClicks(codigo, QStringLiteral("110301001"));
    campo(*cuentas, "DESCRIPCION")->setFocus();
    ASSERT_EQ(campo(*cuentas, "DESCRIPCION")->text(), "Cooperativa Obrera");

    cuentas->Tbar_ButtonClick(cuentas->BotonTbar(2)); // Datos Adicionales
    const Adicionales* adicionales = Adicionales::Instancia();
    ASSERT_NE(adicionales, nullptr);
    EXPECT_TRUE(adicionales->isVisible());
    EXPECT_EQ(campo(*adicionales, "CODIGO")->text(), "110301001");
    EXPECT_EQ(titulo(*adicionales), "Cooperativa Obrera");

    cuentas->Tbar_ButtonClick(cuentas->BotonTbar(4)); // Centros de Costos
    const Frmta_asigccosto* centros = Frmta_asigccosto::Instancia();
    ASSERT_NE(centros, nullptr);
    EXPECT_TRUE(centros->isVisible());
    EXPECT_FALSE(centros->Menu);
    EXPECT_EQ(centros->findChild<QLineEdit*>(QStringLiteral("txtCuenta"))->text(), "110301001");
    EXPECT_TRUE(responder->messages().isEmpty()) << responder->messages().join(u'|').toStdString();

    // Asked for another account while open: each window asks before giving
    // up what was typed in it; kept, it stays on its own account.
    const struct {
        bool escrito;
        int respuesta;
        const char* muestra;
    } casos[] = {
        {false, 0, "110301002"}, {true, vb::vbNo, "110301001"}, {true, vb::vbYes, "110301002"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.respuesta);
        for (const char* cuenta : {"110301001", "110301002"}) {
            // The user comes back to the accounts window to type the code.
            QApplication::setActiveWindow(cuentas.get());
            ASSERT_TRUE(QTest::qWaitForWindowActive(cuentas.get()));
            codigo->setFocus();
            codigo->clear();
            QTest::keyClicks(codigo, QLatin1String(cuenta));
            campo(*cuentas, "DESCRIPCION")->setFocus();
            if (c.escrito && cuenta == std::string("110301002"))
                campo(*Adicionales::Instancia(), "CALLE")->setText(QStringLiteral("Alem 10"));
            responder->shown.clear();
            if (c.respuesta && cuenta == std::string("110301002"))
                responder->answerMsg(c.respuesta);
            cuentas->Tbar_ButtonClick(cuentas->BotonTbar(2));
        }
        EXPECT_EQ(campo(*Adicionales::Instancia(), "CODIGO")->text(), c.muestra);
        EXPECT_EQ(responder->messages(),
                  c.escrito ? QStringList{QStringLiteral("¿Está seguro de abandonar la carga de "
                                                         "datos?")}
                            : QStringList());
    }
    cuentas->Tbar_ButtonClick(cuentas->BotonTbar(4));
    EXPECT_EQ(centros->findChild<QLineEdit*>(QStringLiteral("txtCuenta"))->text(), "110301002");
    delete Frmta_asigccosto::Instancia();
}

} // namespace
