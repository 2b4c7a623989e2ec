// The side toolbar of the accounts window: the related windows it opens on
// the shown account, and the hierarchy and cash-flow commands.

#include "cuentas_fixture.h"

#include "accounts/ui/frmma_manualcuentas.h"

#include <QAction>

using CNStuffContable::CuentaActual;

namespace {

enum class Estado { Nueva, Cargada, SinCodigo, Consulta };

TEST_F(CuentasTest, BarraLateralAbreYActualizaSobreLaCuenta) {
    const QString kNoExiste =
        QStringLiteral("La cuenta 999 no existe en el Plan General de Cuentas\rIngrese una cuenta "
                       "nueva e intentelo de nuevo@Aviso al Operador...");
    const QString kPregunta = QStringLiteral("¿Desea actualizar la estructura de Cash-Flow?@");
    const struct {
        Estado estado;
        const char* cuenta; // CuentaActual before the key
        const char* clave;
        int respuesta; // 0: no box expected
        QStringList cajas, abiertas;
        const char *despues, *tablas; // CuentaActual; cash-flow lines : hierarchy rows
    } casos[] = {
        {Estado::Nueva,
         "",
         "DATOS ADICIONALES",
         0,
         {"Para asignar datos adicionales a esta cuenta debe primero grabarla@Aviso al "
          "Operador!!!"},
         {},
         "110101009",
         "0:0"},
        {Estado::Cargada, "", "datos adicionales", 0, {}, {"adic:110101001"}, "110101001", "0:0"},
        {Estado::SinCodigo, "1", "Datos Adicionales", 0, {}, {}, "", "0:0"},
        {Estado::Cargada, "", "CENTROS DE COSTOS", 0, {}, {"ccosto:110101001"}, "110101001", "0:0"},
        {Estado::Consulta, "110101001", "Centros de Costos", 0, {}, {}, "", "0:0"},
        {Estado::Consulta, "999", "actualizar cash flow", 0, {kNoExiste}, {}, "", "0:0"},
        {Estado::Consulta,
         "110101001",
         "Actualizar Cash Flow",
         vb::vbNo,
         {kPregunta},
         {},
         "110101001",
         "0:0"},
        {Estado::Consulta,
         "110101001",
         "Actualizar Cash Flow",
         vb::vbYes,
         {kPregunta},
         {},
         "110101001",
         "1:0"},
        {Estado::Consulta, " ", "Actualizar Cash Flow", 0, {}, {}, " ", "0:0"},
        {Estado::Consulta, "", "JERARQUÍAS DE CUENTAS", 0, {}, {}, "", "0:5"},
        {Estado::Cargada, "7", "Otra", 0, {}, {}, "7", "0:0"},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QStringList abiertas;
    w->AbreDatosAdicionales = [&] { abiertas << "adic:" + CuentaActual; };
    w->AbreCentrosCosto = [&] { abiertas << "ccosto:" + CuentaActual; };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.clave);
        db.exec("DELETE FROM [MA_CASH-DETALLE]; DELETE FROM MA_CUENTAS_JERARQUIAS");
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        if (c.estado == Estado::Nueva)
            w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        if (c.estado != Estado::Consulta) {
            ASSERT_NO_FATAL_FAILURE(
                escribeCodigo(*w, c.estado == Estado::Nueva ? "110101009" : "110101001"));
        }
        if (c.estado == Estado::SinCodigo)
            campo(*w, "Codigo")->clear();
        CuentaActual = QString::fromUtf8(c.cuenta);
        responder->shown.clear();
        abiertas.clear();
        if (c.respuesta)
            responder->answerMsg(c.respuesta);
        QAction boton;
        boton.setData(QString::fromUtf8(c.clave));
        w->Tbar_ButtonClick(&boton);
        QStringList cajas;
        for (const auto& s : responder->shown)
            cajas << s.prompt + u'@' + s.title;
        EXPECT_EQ(cajas, c.cajas);
        EXPECT_EQ(abiertas, c.abiertas);
        EXPECT_EQ(CuentaActual, QString::fromUtf8(c.despues));
        EXPECT_EQ(db.scalar("SELECT (SELECT COUNT(*) FROM [MA_CASH-DETALLE]) || ':' || "
                            "(SELECT COUNT(*) FROM MA_CUENTAS_JERARQUIAS)"),
                  c.tablas);
    }

    // The manual opens on the account CuentaActual holds; the key sets none.
    CuentaActual = QStringLiteral("110101002");
    QAction manual;
    manual.setData(QStringLiteral("MANUAL DE CUENTAS"));
    w->Tbar_ButtonClick(&manual);
    frmMa_ManualCuentas* ventana = frmMa_ManualCuentas::Instancia();
    ASSERT_NE(ventana, nullptr);
    EXPECT_TRUE(ventana->isVisible());
    EXPECT_EQ(CuentaActual, QStringLiteral("110101002"));
    ventana->close();
}

} // namespace
