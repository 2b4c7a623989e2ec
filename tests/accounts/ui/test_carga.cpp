#include "cuentas_fixture.h"

#include "accounts/core/clsreglasplan.h"
#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/plan_cuentas.h"
#include "platform/ui/flexgrid.h"

#include <QAction>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QRadioButton>
#include <QSplitter>
#include <QToolBar>

namespace {

// The custom fields' "Valor" column, joined by "|".
QString valores(const QWidget& w) {
    const auto* g = control<FlexGrid>(w, "MSFlexGrid1");
    QStringList l;
    for (int r = 1; r < g->Rows(); ++r)
        l << g->TextMatrix(r, 1);
    return l.join(u'|');
}

// What loading fills, as one line: the text fields, the main account's name,
// the kind and VAT-book options chosen, the boxes ticked, the lists' items
// (-1 hidden) and the custom values.
QString estado(const QWidget& w) {
    QStringList l;
    for (const char* c :
         {"DESCRIPCION", "Codigo", "CodigoOpcional", "CuentaPrincipal", "CodTarjeta_ConcAuto"})
        l << campo(w, c)->text();
    l << control<QLabel>(w, "LblDescRelacionado")->text();
    for (const char* grupo : {"OptTipoCuenta", "optLibros"}) {
        const auto o = w.findChildren<QRadioButton*>(QLatin1String(grupo));
        for (int i = 0; i < o.size(); ++i)
            if (o[i]->isChecked())
                l << QString::number(i);
    }
    QStringList casillas;
    for (const char* c : {"CHKAjustable", "ChkBloqueo", "ChkVto", "ChkBdu", "ChkCyB", "chkTarjeta"})
        if (control<QCheckBox>(w, c)->isChecked())
            casillas << QLatin1String(c);
    l << casillas.join(u' ');
    for (const char* c : {"CmbIndices", "CmbMP", "CmbMoneda"}) {
        const auto* lista = control<QComboBox>(w, c);
        l << QString::number(lista->isHidden() ? -1 : lista->currentIndex());
    }
    return l.join(u'|') + u'|' + valores(w);
}

void clicNodo(ArbolPlanCuentas& arbol, const QString& codigo) {
    const QModelIndex nodo = arbol.modelo()->Nodo(QStringLiteral("A") + codigo);
    ASSERT_TRUE(nodo.isValid()) << codigo.toStdString();
    arbol.scrollTo(nodo);
    QTest::mouseClick(arbol.viewport(), Qt::LeftButton, {}, arbol.visualRect(nodo).center());
}

} // namespace

// Each account typed in turn shows every column as stored, whatever the
// account shown before it held.
TEST_F(CuentasTest, CargarMuestraCadaCampoComoEstaGuardado) {
    // Code, columns set and their values, the window's state, the cost-centre
    // box (a title's digit and box follow its kind, not the row).
    const std::tuple<const char*, const char*, const char*, const char*, bool> casos[] = {
        {"110101005",
         "DESCRIPCION, AJUSTE, INDICE, BLOQUEO, BIENES, PideVencimiento, UsaCCostos, "
         "CodigoOpcional",
         "'Rodados', 1, 3, 1, 1, 1, 1, 'RD01'",
         "Rodados|1-1-01-01-005|RD01||||0|0|CHKAjustable ChkBloqueo ChkVto ChkBdu|2|0|-1|||||",
         true},
        {"110101010",
         "DESCRIPCION, MedioDePago, Moneda, CajayBanco, CuentaPrincipal, CodTarjeta_ConcAuto, "
         "LIBRO_IVA_COMPRAS, LIBRO_IVA_DULVAR, P_CBU, P_EMAIL, P_LIMITE, P_PLAZO_DIAS, "
         "P_FECHA_ALTA",
         "'Banco Nación', 'DB', '0002', 1, '110101001', 'DN123', 1, 1, '0110599520000012345678',"
         "'bna@bna.com.ar', 2500000.5, 30, '2015-06-01 00:00:00'",
         "Banco Nación|1-1-01-01-010||110101001|DN123|Caja Moneda Nacional|0|1|ChkCyB|-1|4|1|"
         "0110599520000012345678|bna@bna.com.ar|2500000,5|30|01/06/2015",
         false},
        {"110101020", "DESCRIPCION, MedioDePago, NoPideDatosTarjeta, LIBRO_IVA_DULVAR",
         "'Visa', 'tj', 1, 1", "Visa|1-1-01-01-020|||||0|2|chkTarjeta|-1|3|0|||||", false},
        // The card box of the account before does not stay ticked; a currency
        // the list lacks shows none.
        {"110101033", "DESCRIPCION, MedioDePago, Moneda", "'Caja Chica', 'EF', '0009'",
         "Caja Chica|1-1-01-01-033|||||0|0||-1|1|-1|||||", false},
        {"110101002", "DESCRIPCION", "'Fondo Fijo'",
         "Fondo Fijo|1-1-01-01-002|||||0|0||-1|0|-1|||||", false},
        {"110101", "DESCRIPCION", "'CAJA'", "CAJA|1-1-01-01|||||1|0||-1|0|-1|||||", false},
    };
    db.exec(
        "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('UsaMultilesMonedas', 'SI');"
        "INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES ('0001', 'Pesos'), ('0002', 'U$S')");
    ClsReglasPlan reglas;
    // The stored digit is the code's own, which the field checks show too.
    const auto digito = [&](const char* c) { return QString::number(reglas.DigitoVerificador(c)); };
    for (const auto& [codigo, columnas, datos, esperado, ccostos] : casos)
        db.exec(QStringLiteral("INSERT OR IGNORE INTO MA_CUENTAS (CODIGO) VALUES ('%1');"
                               "UPDATE MA_CUENTAS SET (dv, %2) = (%3, %4) WHERE CODIGO = '%1'")
                    .arg(QLatin1String(codigo), QLatin1String(columnas), digito(codigo),
                         QString::fromUtf8(datos)));
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const auto& [codigo, columnas, datos, esperado, ccostos] : casos) {
        SCOPED_TRACE(codigo);
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QLatin1String(codigo)));
        EXPECT_TRUE(w->esModificacion());
        EXPECT_EQ(estado(*w), QString::fromUtf8(esperado));
        EXPECT_EQ(control<QLineEdit>(*w, "TxtCodigo")->text(), campo(*w, "Codigo")->text());
        const auto* arbol = control<ArbolPlanCuentas>(*w, "TreeV");
        EXPECT_EQ(ArbolPlanCuentas::CodigoDeNodo(arbol->currentIndex()), codigo);
        if (control<QRadioButton>(*w, "OptTipoCuenta")->isChecked()) {
            EXPECT_EQ(control<QLabel>(*w, "LblDV")->text(), digito(codigo));
            EXPECT_EQ(control<QCheckBox>(*w, "chkCCostos")->isChecked(), ccostos);
        }
    }
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
}

// A new code never shows the custom values of the account shown before it,
// while GRABAR's checks keep what was typed for the new one.
TEST_F(CuentasTest, UnCodigoNuevoNoHeredaLosPersonalizados) {
    db.exec("UPDATE MA_CUENTAS SET P_CBU = '0110', P_PLAZO_DIAS = 30 WHERE CODIGO = '110101001';"
            "UPDATE MA_CUENTAS SET CodigoOpcional = 'OP1' WHERE CODIGO = '110101002'");
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto* grilla = control<FlexGrid>(*w, "MSFlexGrid1");
    const std::pair<QString, QString> casos[] = {
        {"", "||||"},
        {"NUEVO", "||||"},
        {"CANCELAR", "||||"},
        // GRABAR refused (a repeated optional code): what was typed stays.
        {"GRABAR", "0720||||"},
    };
    for (const auto& [clave, esperado] : casos) {
        SCOPED_TRACE(clave.toStdString());
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
        ASSERT_EQ(valores(*w), QStringLiteral("0110|||30|"));
        if (clave.isEmpty() || clave == u"GRABAR") {
            ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101099")));
        }
        if (clave == u"CANCELAR") {
            responder->answerMsg(vb::vbYes);
        } else if (clave == u"GRABAR") {
            grilla->setTextMatrix(1, 1, QStringLiteral("0720"));
            campo(*w, "DESCRIPCION")->setText(QStringLiteral("Nueva"));
            campo(*w, "CodigoOpcional")->setText(QStringLiteral("OP1"));
        }
        if (!clave.isEmpty())
            w->Paxtor1_ButtonClick(clave);
        EXPECT_EQ(valores(*w), esperado);
        EXPECT_EQ(grilla->Rows(), 6);
        responder->shown.clear();
        w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
    }
}

// The demo company: the tree holds its active chart and loads the account of
// a node, the title list holds its titles without taking their width, and
// hiding the tree gives its width back.
class CuentasDemoTest : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CompanyDbFixture::SetUp());
        useAppFolder();
        CNStuffContable::gTablaConfiguracion.clear();
        QFile f(QStringLiteral(QUARZELO_DEMO_DATA));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        db.exec(QStringLiteral("BEGIN;\n") + QString::fromUtf8(f.readAll()) +
                QStringLiteral("\n;INSERT INTO TA_USUARIOS (NOMBRE, UNegocio, Administrador) "
                               "VALUES ('sa', '0001', 1); COMMIT;"));
    }
};

TEST_F(CuentasDemoTest, ArbolYTitulosDelPlanDemo) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    auto* arbol = control<ArbolPlanCuentas>(*w, "TreeV");
    const auto cuenta = [&](const char* donde) {
        return db
            .scalar(QStringLiteral("SELECT COUNT(*) FROM MA_CUENTAS WHERE DADA_DE_BAJA = 0") +
                    QLatin1String(donde))
            .toInt();
    };
    EXPECT_EQ(arbol->modelo()->CantidadNodos() - 1, cuenta(""));
    QStringList camino;
    for (QModelIndex i = arbol->modelo()->Nodo("A110102001001"); i.isValid(); i = i.parent())
        camino.prepend(ArbolPlanCuentas::CodigoDeNodo(i));
    EXPECT_EQ(camino.join(u' '), " 1 11 1101 110102 110102001 110102001001");

    auto* titulos = control<QComboBox>(*w, "Combo1");
    EXPECT_EQ(titulos->count() - 1, cuenta(" AND TITULO = 1"));
    EXPECT_TRUE(titulos->itemText(0).isEmpty());
    EXPECT_EQ(PlanCuentas::CodigoDeItem(titulos->itemText(
                  titulos->findText(QString(25, u' ') + "BANCOS", Qt::MatchStartsWith))),
              "110102");
    EXPECT_LT(titulos->sizeHint().width(), 400);

    // A node loads its account (one currency: the stored one asks nothing);
    // the root empties the name and the code; a letter goes to the name.
    ASSERT_NO_FATAL_FAILURE(clicNodo(*arbol, QStringLiteral("110102001001")));
    EXPECT_EQ(estado(*w), "B.N.A. Cuenta Corriente|1-1-01-02-001001|||||0|0|ChkCyB|-1|4|-1|"
                          "0110599520000012345678|empresas.bahia@bna.com.ar|2500000|30|01/06/2015");
    EXPECT_TRUE(enEdicion(*w));
    EXPECT_TRUE(mensajes().isEmpty()) << mensajes().join(u'|').toStdString();
    ASSERT_NO_FATAL_FAILURE(clicNodo(*arbol, QString()));
    EXPECT_EQ(campo(*w, "DESCRIPCION")->text() + campo(*w, "Codigo")->text(), QString());
    QTest::keyClick(arbol, Qt::Key_X);
    EXPECT_TRUE(campo(*w, "DESCRIPCION")->hasFocus());
    EXPECT_TRUE(campo(*w, "DESCRIPCION")->text().isEmpty());

    // Hidden, shown, shown again: the account's side keeps its width.
    QAction* adjuntar = control<QToolBar>(*w, "Tbar")->actions().at(5);
    const auto* datos = control<QWidget>(*w, "SSTab1");
    const int ancho = w->width(), lado = datos->width();
    const int sinArbol = ancho - control<QWidget>(*w, "PanelArbol")->width() -
                         control<QSplitter>(*w, "Divisor")->handleWidth();
    for (const bool mostrar : {false, true, true}) {
        adjuntar->setChecked(mostrar);
        w->Tbar_ButtonClick(adjuntar);
        const int esperado = mostrar ? ancho : sinArbol;
        (void)QTest::qWaitFor([&] { return w->width() == esperado && datos->width() == lado; });
        EXPECT_EQ(w->width(), esperado) << mostrar;
        EXPECT_EQ(datos->width(), lado) << mostrar;
    }
}

// The README's walk-through on the demo company, as the user does it: a new
// bank account under BANCOS from the title list, saved and then dropped.
TEST_F(CuentasDemoTest, RecorridoDelReadme) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QStringList abiertas;
    w->AbreDatosAdicionales = [&] { abiertas << CNStuffContable::CuentaActual; };

    QTest::keyClick(w.get(), Qt::Key_F2); // Nuevo
    auto* titulos = control<QComboBox>(*w, "Combo1");
    titulos->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return titulos->hasFocus(); }));
    titulos->setCurrentIndex(titulos->findText(QString(25, u' ') + "BANCOS", Qt::MatchStartsWith));
    QTest::keyClick(titulos, Qt::Key_Tab);
    EXPECT_EQ(campo(*w, "Codigo")->text(), "110102004"); // 003 is a dropped account
    auto* nombre = campo(*w, "DESCRIPCION");
    EXPECT_EQ(QApplication::focusWidget(), nombre); // the name is typed next
    QTest::keyClicks(nombre, QStringLiteral("Banco Galicia Cuenta Corriente"));
    responder->answerMsg(vb::vbYes);      // its additional data
    QTest::keyClick(w.get(), Qt::Key_F4); // Grabar
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(abiertas, QStringList{"110102004"});
    EXPECT_EQ(db.scalar("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '110102004'"),
              "BANCO GALICIA CUENTA CORRIENTE"); // the demo writes capitals only
    EXPECT_EQ(control<QLineEdit>(*w, "TxtCodigo")->text(), "110102"); // for the next one

    auto* arbol = control<ArbolPlanCuentas>(*w, "TreeV");
    ASSERT_NO_FATAL_FAILURE(clicNodo(*arbol, QStringLiteral("110102004")));
    responder->answerMsg(vb::vbYes);
    QTest::keyClick(w.get(), Qt::Key_F3); // Borrar
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = '110102004'"), 0);
    EXPECT_FALSE(arbol->modelo()->Nodo("A110102004").isValid());
}
