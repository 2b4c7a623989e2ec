// The side toolbar of the accounts window: the related windows it opens on
// the shown account, and the hierarchy and cash-flow commands.

#include "cuentas_fixture.h"

#include "accounts/ui/frmma_manualcuentas.h"

#include <QAction>

using CNStuffContable::CuentaActual;

TEST_F(CuentasTest, BarraLateralAbreYActualizaSobreLaCuenta) {
    const char* kPregunta = "¿Desea actualizar la estructura de Cash-Flow?@|";
    const struct {
        char estado;                // N new, C loaded, V loaded with the code emptied, - none
        const char *cuenta, *clave; // CuentaActual before the key
        int respuesta;
        const char *sucesos, *despues, *tablas; // boxes|windows; lines:hierarchy rows
    } casos[] = {
        {'N', "", "DATOS ADICIONALES", 0,
         "Para asignar datos adicionales a esta cuenta debe primero grabarla@Aviso al "
         "Operador!!!|",
         "110101009", "0:0"},
        {'C', "", "datos adicionales", 0, "adic:110101001|", "110101001", "0:0"},
        // An emptied code is judged before anything opens.
        {'V', "1", "Datos Adicionales", 0,
         "La cuenta Ingresada no es correcta verifique la cantidad de Digitos@Aviso al "
         "operador...|",
         "1", "0:0"},
        {'C', "", "CENTROS DE COSTOS", 0, "ccosto:110101001|", "110101001", "0:0"},
        {'-', "110101001", "Centros de Costos", 0, "", "", "0:0"},
        {'-', "999", "actualizar cash flow", 0,
         "La cuenta 999 no existe en el Plan General de Cuentas\rIngrese una cuenta nueva e "
         "intentelo de nuevo@Aviso al Operador...|",
         "", "0:0"},
        {'-', "110101001", "Actualizar Cash Flow", vb::vbNo, kPregunta, "110101001", "0:0"},
        {'-', "110101001", "Actualizar Cash Flow", vb::vbYes, kPregunta, "110101001", "1:0"},
        {'-', "", "JERARQUÍAS DE CUENTAS", 0, "", "", "0:5"},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QString sucesos;
    w->AbreDatosAdicionales = [&] { sucesos += "adic:" + CuentaActual + u'|'; };
    w->AbreCentrosCosto = [&] { sucesos += "ccosto:" + CuentaActual + u'|'; };
    const auto pulsa = [&](const char* clave) {
        QAction boton;
        boton.setData(QString::fromUtf8(clave));
        w->Tbar_ButtonClick(&boton);
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clave);
        db.exec("DELETE FROM [MA_CASH-DETALLE]; DELETE FROM MA_CUENTAS_JERARQUIAS");
        w->Paxtor1_ButtonClick(QString::fromLatin1(c.estado == 'N' ? "NUEVO" : "CANCELAR"));
        if (c.estado != '-')
            escribeCodigo(*w, c.estado == 'N' ? "110101009" : "110101001");
        if (c.estado == 'V')
            campo(*w, "Codigo")->clear();
        CuentaActual = QString::fromUtf8(c.cuenta);
        responder->shown.clear();
        if (c.respuesta)
            responder->answerMsg(c.respuesta);
        sucesos.clear();
        pulsa(c.clave);
        for (const auto& s : responder->shown)
            sucesos.prepend(s.prompt + u'@' + s.title + u'|');
        EXPECT_EQ(sucesos, QString::fromUtf8(c.sucesos));
        EXPECT_EQ(CuentaActual, QLatin1String(c.despues));
        EXPECT_EQ(db.scalar("SELECT (SELECT COUNT(*) FROM [MA_CASH-DETALLE]) || ':' || "
                            "(SELECT COUNT(*) FROM MA_CUENTAS_JERARQUIAS)"),
                  c.tablas);
    }
    // The manual opens on the account shown, whatever another window left.
    escribeCodigo(*w, QStringLiteral("110101002"));
    CuentaActual = QStringLiteral("110101001");
    pulsa("MANUAL DE CUENTAS");
    ASSERT_TRUE(frmMa_ManualCuentas::Instancia() && frmMa_ManualCuentas::Instancia()->isVisible());
    EXPECT_EQ(CuentaActual, QStringLiteral("110101002"));
    frmMa_ManualCuentas::Instancia()->close();
}
