// The sheet of adjustment lines behind the PLANILLA key: its query, in the
// server's dialect as the window hands it over, must run on each engine and
// compose the entry and voucher numbers.

#include "ventana_fixture.h"

#include <QTableWidget>

namespace {

// The sheet window the key left open, or nullptr.
QWidget* planillaAbierta() {
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->objectName() == QLatin1String("Planilla") && w->isVisible())
            return w;
    return nullptr;
}

} // namespace

class PlanillaTest : public VentanaTest {
protected:
    // Adjustment lines of one entry, an ordinary line and a subledger's
    // adjustment line; PLANILLA on a new entry must list the first two only.
    void compruebaPlanilla();
};

void PlanillaTest::compruebaPlanilla() {
    db.exec(QStringLiteral(
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", SECUENCIA, FECHA, "
        "TC, SUCURSAL, NUMERO, LETRA, CUENTA, IMPORTE, \"DEBE-HABER\", TIPO_REG, DETALLE, "
        "ESAJUSTE) VALUES "
        "(2023, 12, 13, 2, '2023-12-31 00:00:00', 'AJUS', '0001', '00000002', 'X', '5901', "
        "150.25, 'H', '', 'R.E.I.', 1),"
        "(2023, 12, 13, 1, '2023-12-31 00:00:00', 'AJUS', '0001', '00000002', 'X', '1101', "
        "150.25, 'D', '', 'Ajuste Caja', 1),"
        "(2023, 3, 7, 1, '2023-03-10 00:00:00', '00AS', '0002', '00000005', 'A', '1102', 80, "
        "'D', '', 'Asiento común', 0),"
        "(2023, 12, 14, 1, '2023-12-31 00:00:00', 'AJUS', '0001', '00000003', 'X', '1103', 9, "
        "'D', 'R', 'Resumen', 1)"));

    auto w = nueva(); // tells of the last adjustment already made
    const size_t avisos = responder->shown.size();
    w->Paxtor1_ButtonClick(QStringLiteral("PLANILLA"));
    EXPECT_EQ(responder->shown.size(), avisos) << ultimoMensaje().toStdString();
    QWidget* planilla = planillaAbierta();
    ASSERT_NE(planilla, nullptr);
    EXPECT_EQ(planilla->windowTitle(), QStringLiteral("Asientos de Ajuste"));
    auto* grilla = planilla->findChild<QTableWidget*>();
    ASSERT_NE(grilla, nullptr);

    QStringList titulos;
    for (int c = 0; c < grilla->columnCount(); ++c)
        titulos << grilla->horizontalHeaderItem(c)->text();
    EXPECT_EQ(titulos, (QStringList{"CUENTA", QStringLiteral("Nº Asiento"), "FECHA", "TC",
                                    QStringLiteral("Nº de Comprobante"), "DEBE-HABER", "IMPORTE",
                                    "LINEA", "EJERCICIO", "CONCEPTO"}));

    ASSERT_EQ(grilla->rowCount(), 2);
    auto celda = [grilla](int f, int c) { return grilla->item(f, c)->text(); };
    // Ordered by line within the entry, not by insertion.
    EXPECT_EQ(celda(0, 0), "1101");
    EXPECT_EQ(celda(1, 0), "5901");
    for (int f = 0; f < 2; ++f) {
        EXPECT_EQ(celda(f, 1), "12-00000013");
        EXPECT_EQ(celda(f, 3), "AJUS");
        EXPECT_EQ(celda(f, 4), "0001-00000002-X");
        EXPECT_EQ(celda(f, 7), QString::number(f + 1));
        EXPECT_EQ(celda(f, 8), "2023");
    }
    EXPECT_EQ(celda(0, 5), "D");
    EXPECT_EQ(celda(1, 5), "H");
    EXPECT_EQ(celda(0, 9), "Ajuste Caja");
    planilla->close(); // deletes itself
}

TEST_F(PlanillaTest, PlanillaMuestraSoloLasLineasDeAjusteConSusNumeros) {
    compruebaPlanilla();
}

// The sheet opens its own connection with the data object's string; through
// the ODBC engine (here on the SQLite ODBC driver) the same statement lists
// the same lines.
TEST_F(PlanillaTest, PlanillaPorOdbc) {
    resetInstances();
    DB_Dll& datos = gDatos();
    datos.gServidor = db.folder();
    datos.gDBName = db.dbName();
    datos.gUsuario = QStringLiteral("sa");
    datos.OpenServerADODB(false, 3, db.odbcConnectionString(), false, true);
    ASSERT_TRUE(datos.gOpenFlag);
    ASSERT_TRUE(datos.gConnString.startsWith(QLatin1String("DRIVER=SQLite3")));
    compruebaPlanilla();
}
