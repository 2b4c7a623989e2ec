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
    delete Frmta_asigccosto::Instancia();
}

} // namespace
