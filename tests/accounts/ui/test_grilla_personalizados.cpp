#include "widgets_fixture.h"

#include "accounts/core/mensajes.h"
#include "accounts/ui/grilla_personalizados.h"
#include "data/instances.h"
#include "platform/ui/edicion_celda.h"
#include "platform/ui/flexgrid.h"

#include <QLineEdit>
#include <functional>
#include <map>

namespace {

// The custom columns of the test company's accounts, of every kind the grid
// treats apart; one begins with a lower-case "p_".
class PersonalizadosTest : public WidgetsDb {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(WidgetsDb::SetUp());
        // Only the columns below: the demo company's own go.
        for (const QVariantList& c : db.rows(QStringLiteral(
                 "SELECT name FROM pragma_table_info('MA_CUENTAS') WHERE name LIKE 'P\\_%' "
                 "ESCAPE '\\'")))
            db.exec(QStringLiteral("ALTER TABLE MA_CUENTAS DROP COLUMN ") + c.value(0).toString());
        for (const char* col :
             {"P_RAZON VARCHAR(40) COLLATE SQLSRV", "p_cuotas INT", "P_LIMITE MONEY",
              "P_TASA FLOAT", "P_ALTA DATETIME", "P_ACTIVO BIT DEFAULT 1"})
            db.exec(QStringLiteral("ALTER TABLE MA_CUENTAS ADD COLUMN ") + col);
        db.exec("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, P_RAZON, p_cuotas, P_LIMITE, "
                "P_TASA, P_ALTA, P_ACTIVO) VALUES ('1101', 'Caja', '  ACME S.A.  ', 12, 1234.5, "
                "NULL, '2023-12-31 00:00:00', 1)");
    }

    // The account's row as the window holds it after looking the code up.
    static ado::RecordsetPtr cuenta(const QString& codigo) {
        ado::RecordsetPtr rs;
        gDatos().ExisteEnTabla("MA_CUENTAS", codigo, "Codigo", &rs, 8, QString(), true);
        return rs;
    }

    static int fila(const GrillaPersonalizados& g, const QString& campo) {
        for (int r = 1; r < g.MSFlexGrid1->Rows(); ++r)
            if (g.MSFlexGrid1->TextMatrix(r, 0) == campo)
                return r;
        return -1;
    }
};

TEST_F(PersonalizadosTest, TheGridListsEveryCustomColumnWithItsValue) {
    const auto adicionales = [] {
        ado::RecordsetPtr rs;
        gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTASADIC"), rs);
        return rs;
    };
    // The grid's rows as "Campo=Valor" joined by "|".
    const std::vector<std::tuple<const char*, ado::RecordsetPtr, QString>> casos = {
        {"an account: values trimmed, in the regional form, Null empty", cuenta("1101"),
         "Campo=Valor|P_RAZON=ACME S.A.|p_cuotas=12|P_LIMITE=1234,5|P_TASA=|P_ALTA=31/12/2023|"
         "P_ACTIVO=Verdadero"},
        {"a new account: names without values", cuenta("9999"),
         "Campo=Valor|P_RAZON=|p_cuotas=|P_LIMITE=|P_TASA=|P_ALTA=|P_ACTIVO="},
        {"a table without custom columns: the header alone", adicionales(), "Campo=Valor"},
    };
    GrillaPersonalizados g;
    for (const auto& [nombre, registro, esperado] : casos) {
        SCOPED_TRACE(nombre);
        g.AsignarPersonalizados(registro);
        QStringList filas;
        for (int r = 0; r < g.MSFlexGrid1->Rows(); ++r)
            filas << g.MSFlexGrid1->TextMatrix(r, 0) + u'=' + g.MSFlexGrid1->TextMatrix(r, 1);
        EXPECT_EQ(filas.join(u'|'), esperado);
        EXPECT_EQ(g.MSFlexGrid1->Cols(), 2);
        EXPECT_EQ(g.MSFlexGrid1->FixedCols(), 1);
        EXPECT_EQ(g.MSFlexGrid1->FixedRows(), 1);
        EXPECT_EQ(g.MSFlexGrid1->columnWidth(1), 2000 / FlexGrid::kTwipsPorPixel);
    }
    EXPECT_TRUE(responder->shown.empty());
}

struct CasoValor {
    QString campo;
    QString tecleado;
    std::optional<QString> literal; // nullopt: the column is left out
    bool error = false;
};

TEST_F(PersonalizadosTest, TheSaveSendsEachValueAsALiteralOfItsColumnsType) {
    const std::vector<CasoValor> casos = {
        {"P_RAZON", "S.A. O'Brien", "'S.A. O''Brien'"},
        {"P_RAZON", "", "Null"},      // cleared: it held a value
        {"P_TASA", "", std::nullopt}, // blank as it was shown
        {"P_TASA", "0,25", "0.25"},
        {"P_LIMITE", "1.234,5", "1234.5"},
        {"p_cuotas", "12", "12"},
        {"p_cuotas", "12,6", std::nullopt, true}, // no column holds 12,6 as an integer
        {"P_ALTA", "01/02/2024", "'2024-02-01 00:00:00'"},
        {"P_ACTIVO", "Falso", "0"},
        {"P_LIMITE", "null", "Null"},
        {"P_RAZON", " NULL ", "Null"},
        {"P_ACTIVO", "a veces", std::nullopt, true},
        {"P_LIMITE", "abc", std::nullopt, true},
        {"P_ALTA", "31/02/2024", std::nullopt, true},
        {"p_cuotas", "1O", std::nullopt, true},
    };
    GrillaPersonalizados g;
    for (const CasoValor& c : casos) {
        SCOPED_TRACE((c.campo + " <- " + c.tecleado).toStdString());
        g.AsignarPersonalizados(cuenta("1101"));
        g.MSFlexGrid1->setTextMatrix(fila(g, c.campo), 1, c.tecleado);
        CNStuffContable::AgregaCampo("CODIGO", "1101", "'", true);
        std::map<QString, QString> pares;
        try {
            g.AgregaCamposPersonalizados();
            ASSERT_FALSE(c.error);
        } catch (const ado::Exception& e) {
            ASSERT_TRUE(c.error) << e.what();
            EXPECT_EQ(e.number(), ado::adErrDataConversion);
            EXPECT_EQ(e.error().Source, c.campo);
        }
        for (const auto& p : CNStuffContable::gCamposSQL)
            pares[p.Campo] = p.Valor;
        if (c.literal)
            EXPECT_EQ(pares[c.campo], *c.literal);
        else
            EXPECT_EQ(pares.count(c.campo), 0u);
    }
}

TEST_F(PersonalizadosTest, EditingInPlaceAndSavingStoresTheTypedValues) {
    QWidget ventana;
    auto* g = new GrillaPersonalizados(&ventana);
    g->resize(400, 300);
    ASSERT_NO_FATAL_FAILURE(muestra(ventana));
    g->AsignarPersonalizados(cuenta("1101"));
    FlexGrid* grilla = g->MSFlexGrid1;
    grilla->setFocus();
    grilla->setRow(fila(*g, "P_RAZON"));
    // Each value typed over the old one; Enter walks down the "Valor" column.
    QTest::keyClick(grilla, 'N');
    QTest::keyClicks(g->TxtEdit, "ueva S.A.");
    QTest::keyClick(g->TxtEdit, Qt::Key_Return);
    EXPECT_EQ(grilla->Row(), fila(*g, "p_cuotas"));
    EXPECT_EQ(grilla->Col(), 1);
    QTest::keyClick(grilla, Qt::Key_Down);
    QTest::keyClick(grilla, '9');
    // Number column: the separator once, as the regional one; the text
    // column above kept its points.
    QTest::keyClicks(g->TxtEdit, "9.5.0");
    QTest::keyClick(g->TxtEdit, Qt::Key_Return);
    EXPECT_EQ(grilla->TextMatrix(fila(*g, "P_LIMITE"), 1), "99,50");
    grilla->setRow(fila(*g, "P_ALTA"));
    QTest::keyClick(grilla, Qt::Key_Return); // opens on the cell's text
    g->TxtEdit->clear();
    QTest::keyClick(g->TxtEdit, Qt::Key_Up);
    EXPECT_EQ(grilla->TextMatrix(fila(*g, "P_RAZON"), 1), "Nueva S.A.");
    EXPECT_EQ(grilla->TextMatrix(fila(*g, "P_ALTA"), 1), "");

    CNStuffContable::AgregaCampo("CODIGO", "1101", "'", true);
    g->AgregaCamposPersonalizados();
    QStringList sentencias{QString()};
    QString donde = QStringLiteral(" CODIGO = '1101'");
    CNStuffContable::ArmaSentenciaSQL(CNStuffContable::gCamposSQL, sentencias, "@Admin_MA_Cuentas",
                                      true, donde);
    bool error = false;
    std::int32_t nativo = 0;
    CNStuffContable::EjecutaTransaccion(sentencias, error, nativo);
    ASSERT_FALSE(error) << sentencias.join('\n').toStdString();
    // Cleared P_ALTA is Null, untouched P_TASA stays Null, the rest as typed.
    EXPECT_EQ(db.scalar("SELECT P_RAZON || '|' || p_cuotas || '|' || P_LIMITE || '|' || "
                        "IFNULL(P_TASA, 'null') || '|' || IFNULL(P_ALTA, 'null') || '|' || "
                        "P_ACTIVO FROM MA_CUENTAS WHERE CODIGO = '1101'")
                  .toString(),
              "Nueva S.A.|12|99.5|null|null|1");
}

// Each kind of column holds a value exactly as shown, or says why not.
TEST_F(PersonalizadosTest, AValueIsHeldOnlyAsItsColumnShowsIt) {
    db.exec("CREATE TABLE T_TIPOS (P_CHICO TINYINT, P_CORTO SMALLINT, P_LARGO BIGINT, "
            "P_TASA DECIMAL(5, 2), P_SIN DECIMAL, P_MONTO MONEY, P_POCO SMALLMONEY, "
            "P_REAL FLOAT, P_DIA DATETIME, P_CODIGO CHAR(4), P_NOTA NVARCHAR(5), P_SI BIT)");
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM T_TIPOS"), rs);
    const auto rango = [](const char* a, const char* b) {
        return cuentas::MsgValorRango(QLatin1String(a), QLatin1String(b));
    };
    const std::vector<std::tuple<const char*, const char*, QString>> casos = {
        {"P_CORTO", "", {}},
        {"P_CORTO", "null", {}},
        {"P_CORTO", "2", {}},
        {"P_CORTO", "-32.768", {}},
        {"P_CORTO", "2,5", cuentas::MsgValorEntero},
        {"P_CORTO", "2,0", {}},
        {"P_CORTO", "32768", rango("-32768", "32767")},
        {"P_CORTO", "dos", cuentas::MsgValorNumero},
        {"P_CORTO", "1.5", cuentas::MsgValorNumero}, // read as 15
        {"P_CHICO", "255", {}},
        {"P_CHICO", "-1", rango("0", "255")},
        {"P_LARGO", "9223372036854775807", {}},
        {"P_LARGO", "9223372036854775808", rango("-9223372036854775808", "9223372036854775807")},
        {"P_TASA", "999,99", {}},
        {"P_TASA", "1,234", cuentas::MsgValorDecimales(2)},
        {"P_TASA", "1000", cuentas::MsgValorEnteros(3)},
        {"P_SIN", "123456789012345678", {}},
        {"P_SIN", "0,5", cuentas::MsgValorEntero},
        {"P_MONTO", "-922.337.203.685.477,5808", {}},
        {"P_MONTO", "922337203685477,5808", rango("-922337203685477,5808", "922337203685477,5807")},
        {"P_MONTO", "0,00001", cuentas::MsgValorDecimales(4)},
        {"P_POCO", "214748,3648", rango("-214748,3648", "214748,3647")},
        {"P_REAL", "0,1", {}},
        {"P_DIA", "29/02/2024", {}},
        {"P_DIA", "30/02/2024", cuentas::MsgValorFecha},
        {"P_DIA", "mañana", cuentas::MsgValorFecha},
        {"P_CODIGO", "ABCD", {}},
        {"P_CODIGO", "ABCDE", cuentas::MsgValorLargo(4)},
        {"P_NOTA", "ñandú", {}},
        {"P_NOTA", "ñandús", cuentas::MsgValorLargo(5)},
        {"P_SI", "Verdadero", {}},
        {"P_SI", "a veces", cuentas::MsgValorBooleano},
    };
    for (const auto& [campo, valor, motivo] : casos) {
        SCOPED_TRACE(std::string(campo) + " <- " + valor);
        const cuentas::ColumnaPersonalizada c = cuentas::ColumnaDe(rs->Fields(campo));
        EXPECT_EQ(cuentas::RechazoPersonalizado(c, QString::fromUtf8(valor)), motivo);
    }
}

// A value its column cannot hold as shown is refused in the cell on every
// road into it: the cell keeps what it held, the box stays open over it
// with the focus, and the user reads why, once.
TEST_F(PersonalizadosTest, TheCellRefusesWhatItsColumnCannotHoldOnEveryRoad) {
    db.exec("ALTER TABLE MA_CUENTAS ADD COLUMN P_PORC DECIMAL(5, 2)");
    QWidget ventana;
    auto* g = new GrillaPersonalizados(&ventana);
    auto* otro = new QLineEdit(&ventana); // where Tab goes
    g->resize(400, 300);
    otro->move(0, 310);
    ASSERT_NO_FATAL_FAILURE(muestra(ventana));
    FlexGrid* grilla = g->MSFlexGrid1;
    const std::vector<std::pair<const char*, std::function<void()>>> caminos = {
        {"Enter", [&] { QTest::keyClick(g->TxtEdit, Qt::Key_Return); }},
        {"Tab", [&] { QTest::keyClick(g->TxtEdit, Qt::Key_Tab); }},
        {"Up", [&] { QTest::keyClick(g->TxtEdit, Qt::Key_Up); }},
        {"a click on another cell",
         [&] {
             QTest::mouseClick(grilla->viewport(), Qt::LeftButton, {},
                               grilla->visualRect(grilla->model()->index(1, 1)).center());
         }},
        {"the grid taking the focus back", [&] { grilla->setFocus(Qt::TabFocusReason); }},
        {"a command's gate", [&] { EXPECT_FALSE(g->ConfirmaEdicion()); }},
    };
    const std::vector<std::tuple<const char*, QString, QString>> rechazos = {
        {"p_cuotas", "2,5", cuentas::MsgValorEntero},
        {"p_cuotas", "2147483648", cuentas::MsgValorRango("-2147483648", "2147483647")},
        {"P_ALTA", "30/02/2024", cuentas::MsgValorFecha},
        {"P_RAZON", QString(41, u'x'), cuentas::MsgValorLargo(40)},
        {"P_PORC", "1,234", cuentas::MsgValorDecimales(2)},
        {"P_LIMITE", "0,00001", cuentas::MsgValorDecimales(4)},
    };
    for (const auto& [camino, deja] : caminos) {
        for (const auto& [campo, valor, motivo] : rechazos) {
            SCOPED_TRACE(QStringLiteral("%1 <- %2 by %3").arg(campo, valor, camino).toStdString());
            g->AsignarPersonalizados(cuenta("1101"));
            const int f = fila(*g, campo);
            const QString antes = grilla->TextMatrix(f, 1);
            grilla->setFocus();
            grilla->setRow(f);
            QTest::keyClick(grilla, Qt::Key_Backspace);
            ASSERT_TRUE(g->TxtEdit->isVisible());
            QTest::keyClicks(g->TxtEdit, valor);
            ASSERT_EQ(g->TxtEdit->text(), valor);
            responder->shown.clear();
            deja();
            ASSERT_EQ(responder->shown.size(), 1u);
            EXPECT_EQ(responder->shown[0].prompt, motivo);
            EXPECT_EQ(responder->shown[0].title, cuentas::TituloAvisoOperador);
            EXPECT_EQ(grilla->TextMatrix(f, 1), antes);
            EXPECT_TRUE(g->TxtEdit->isVisible());
            EXPECT_EQ(g->TxtEdit->text(), valor);
            EXPECT_EQ(g->Edicion->FilaEditada(), f);
            EXPECT_EQ(grilla->Row(), f);
            EXPECT_EQ(QApplication::focusWidget(), g->TxtEdit);
            // Escape gives the cell up: it shows what it held.
            QTest::keyClick(g->TxtEdit, Qt::Key_Escape);
            EXPECT_FALSE(g->TxtEdit->isVisible());
            EXPECT_EQ(grilla->TextMatrix(f, 1), antes);
        }
    }
}

TEST_F(PersonalizadosTest, AdditionalDataTakesEveryRowByItsColumnsType) {
    for (const char* col :
         {"P_NOTA VARCHAR(20) COLLATE SQLSRV", "P_LIMITE MONEY", "P_DESDE DATETIME", "P_NUM INT"})
        db.exec(QStringLiteral("ALTER TABLE MA_CUENTASADIC ADD COLUMN ") + col);
    db.exec("INSERT INTO MA_CUENTASADIC (CODIGO, P_NOTA, P_LIMITE, P_NUM) "
            "VALUES ('1101', 'vieja', NULL, 7)");
    ado::RecordsetPtr rs;
    gDatos().AbrirRecordset(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE CODIGO = '1101'"),
                            rs, nullptr, ado::adOpenDynamic, ado::adLockOptimistic);
    GrillaPersonalizados g;
    g.AsignarPersonalizados(rs);
    ASSERT_EQ(g.MSFlexGrid1->Rows(), 5);
    g.MSFlexGrid1->setTextMatrix(fila(g, "P_NOTA"), 1, ""); // text: empty text
    g.MSFlexGrid1->setTextMatrix(fila(g, "P_DESDE"), 1, "15/03/2024");
    g.MSFlexGrid1->setTextMatrix(fila(g, "P_NUM"), 1, "abc"); // refused: skipped
    // P_LIMITE stays blank: a number column takes it as Null, without a box.
    responder->answerMsg(5);
    g.GrabarPersonalizados(rs);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains("UltimoNumero$"));
    rs->Update();
    EXPECT_EQ(db.scalar("SELECT IFNULL(P_NOTA, 'null') || '|' || IFNULL(P_LIMITE, 'null') || "
                        "'|' || P_DESDE || '|' || P_NUM FROM MA_CUENTASADIC")
                  .toString(),
              "|null|2024-03-15 00:00:00|7");
}

} // namespace
