#include "widgets_fixture.h"

#include "accounts/ui/arbol_plan.h"
#include "accounts/ui/plan_cuentas.h"

#include <QComboBox>
#include <QRegularExpression>
#include <QSignalSpy>
#include <functional>

namespace {

QString claveDe(const QModelIndex& i) {
    return i.data(ModeloArbolPlan::ClaveRole).toString();
}

// The tree below the root as one line: each code after a dot per level below
// the root's children, in the order shown ("1 .11 ..1101 2").
QString esquema(const ModeloArbolPlan& m) {
    QStringList l;
    const std::function<void(const QModelIndex&, int)> visita = [&](const QModelIndex& p, int n) {
        for (int r = 0; r < m.rowCount(p); ++r) {
            const QModelIndex i = m.index(r, 0, p);
            EXPECT_EQ(m.parent(i), p);
            l << QString(n, u'.') + ArbolPlanCuentas::CodigoDeNodo(i);
            visita(i, n + 1);
        }
    };
    visita(m.Raiz(), 0);
    return l.join(u' ');
}

class ArbolPlanTest : public WidgetsDb {
protected:
    // Titles for codes of one or two characters, postable otherwise.
    void plan(const QString& codigos) const {
        std::vector<Cuenta> filas;
        for (const QString& c : codigos.split(u' '))
            filas.push_back({c, QStringLiteral("Cuenta ") + c, c.size() <= 2});
        cuentas(filas);
    }
};

TEST_F(ArbolPlanTest, EachAccountHangsUnderTheNearestAccountThatBeginsItsCode) {
    const std::vector<std::tuple<const char*, QString, QString>> casos = {
        {"levels in code order", "1 11 1101 1102 12 2", "1 .11 ..1101 ..1102 .12 2"},
        // Not under "11", the account placed right before it.
        {"a missing title: under the title above", "1 11 1101 1201", "1 .11 ..1101 .1201"},
        {"skipped levels hang directly", "1 10101 2", "1 .10101 2"},
        {"nothing begins the code: under the root", "11 111 12", "11 .111 12"},
        {"letters compare without regard to case", "B b1 BC", "B .b1 .BC"},
    };
    for (const auto& [nombre, codigos, arbolEsperado] : casos) {
        SCOPED_TRACE(nombre);
        db.exec(QStringLiteral("DELETE FROM MA_CUENTAS"));
        plan(codigos);
        ArbolPlanCuentas arbol;
        arbol.ArmarTreeVAutomatico(QStringLiteral(" "));
        EXPECT_EQ(esquema(*arbol.modelo()), arbolEsperado);
        EXPECT_TRUE(arbol.isExpanded(arbol.modelo()->Raiz()));
    }
}

TEST_F(ArbolPlanTest, NodesShowCodeAndDescriptionAndDroppedAccountsAreLeftOut) {
    cuentas({{"1", "Activo", true}, {"1101", "x"}, {"1102", "Vieja", false, std::nullopt, true}});
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET DESCRIPCION = NULL WHERE CODIGO = '1101'"));
    ArbolPlanCuentas arbol;
    arbol.ArmarTreeVAutomatico();
    const ModeloArbolPlan& m = *arbol.modelo();
    EXPECT_EQ(claveDe(m.Raiz()) + m.Raiz().data().toString(), "APlan General de Cuentas");
    EXPECT_EQ(m.Nodo("A1").data().toString(), "1 - Activo");
    EXPECT_EQ(m.Nodo("A1101").data().toString(), "1101 - ");
    EXPECT_EQ(esquema(m), "1 .1101");
    db.exec(QStringLiteral("DELETE FROM MA_CUENTAS"));
    arbol.ArmarTreeVAutomatico();
    EXPECT_EQ(m.CantidadNodos(), 1); // the root alone
}

TEST_F(ArbolPlanTest, CustomerAndSupplierAccountsFollowTheirKey) {
    cuentas({{"1", "Activo", true},
             {"11", "Clientes", true, QStringLiteral("CL")},
             {"12", "Proveedores", true, QStringLiteral("PR")},
             {"13", "Sin vista", true},
             {"14", "Banco", false, QStringLiteral("BC")}});
    // The key's value (nullopt: no key) and whether both kinds show.
    const std::vector<std::pair<std::optional<QString>, bool>> casos = {
        {std::nullopt, false}, {" ", false}, {"NO", false},
        {" no ", false},       {"SI", true}, {"X", true}};
    for (const auto& [valor, muestra] : casos) {
        SCOPED_TRACE(valor.value_or("(no key)").toStdString());
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION"));
        if (valor)
            clave(QStringLiteral("PlanCuentas_ClyPr"), *valor);
        ArbolPlanCuentas arbol;
        arbol.ArmarTreeVAutomatico();
        EXPECT_EQ(esquema(*arbol.modelo()), muestra ? "1 .11 .12 .13 .14" : "1 .13 .14");
        QComboBox Combo1;
        PlanCuentas::CargaComboTitulo(&Combo1);
        QStringList codigos;
        for (int i = 0; i < Combo1.count(); ++i)
            codigos << PlanCuentas::CodigoDeItem(Combo1.itemText(i));
        EXPECT_EQ(codigos.join(u','), muestra ? ",1,11,12,13" : ",1,13"); // no postable
    }
}

TEST_F(ArbolPlanTest, TitleEntriesIndentByCodeLengthAndReadBack) {
    // Code and indent; the last one's long name is cut to what fits in 80.
    const std::vector<std::pair<QString, int>> casos = {
        {"1", 0}, {"12", 5}, {"123456789", 40}, {"1234567890", 45}, {"123456789012", 45}};
    const QString larga(100, u'x');
    std::vector<Cuenta> filas;
    for (const auto& [codigo, sangria] : casos)
        filas.push_back({codigo, codigo.size() == 12 ? larga : "Titulo " + codigo, true});
    cuentas(filas);
    QComboBox Combo1;
    PlanCuentas::CargaComboTitulo(&Combo1);
    ASSERT_EQ(Combo1.count(), int(casos.size()) + 1);
    EXPECT_EQ(Combo1.itemText(0), "");
    for (size_t i = 0; i < casos.size(); ++i) {
        const auto& [codigo, sangria] = casos[i];
        SCOPED_TRACE(codigo.toStdString());
        const QString item = Combo1.itemText(int(i) + 1);
        EXPECT_EQ(item.indexOf(QRegularExpression("\\S")), sangria);
        EXPECT_TRUE(item.endsWith(QString(300, u' ') + codigo));
        EXPECT_EQ(PlanCuentas::CodigoDeItem(item), codigo);
        EXPECT_EQ(PlanCuentas::NombreDeItem(item),
                  codigo.size() == 12 ? larga.left(80 - sangria) : "Titulo " + codigo);
    }
    // A chart that gives no row leaves the list as it was.
    db.exec(QStringLiteral("DELETE FROM MA_CUENTAS"));
    PlanCuentas::CargaComboTitulo(&Combo1);
    EXPECT_EQ(Combo1.count(), int(casos.size()) + 1);
}

TEST_F(ArbolPlanTest, ASavedAccountGetsItsNodeUnderTheTitleOfTheLevelAbove) {
    setFines({1, 2, 4, 6, 9, 12});
    cuentas(
        {{"1", "Activo", true}, {"11", "Caja", true}, {"1101", "Caja chica"}, {"2", "P", true}});
    // Code and text saved, the tree afterwards and the node's text.
    const std::vector<std::tuple<QString, QString, QString, QString>> casos = {
        {"1100", "Nueva", "1 .11 ..1101 ..1100 2", "1100 - Nueva"}, // last, not in order
        {"3", "Patrimonio", "1 .11 ..1101 2 3", "3 - Patrimonio"},
        {"1101", "Otra", "1 .11 ..1101 2", "1101 - Caja chica"}, // kept as it was
        {"1301", "Sin titulo", "1 .11 ..1101 2", ""},
        {"1234567890123", "Demasiado largo", "1 .11 ..1101 2", ""},
    };
    for (const auto& [codigo, texto, arbolEsperado, textoNodo] : casos) {
        SCOPED_TRACE(codigo.toStdString());
        ArbolPlanCuentas arbol;
        arbol.ArmarTreeVAutomatico();
        arbol.ActualizaTreeV(codigo, texto);
        EXPECT_EQ(esquema(*arbol.modelo()), arbolEsperado);
        EXPECT_EQ(arbol.modelo()->Nodo("A" + codigo).data().toString(), textoNodo);
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ArbolPlanTest, AClickGivesTheNodesCodeAndTypingGoesToTheWindow) {
    cuentas({{"1", "Activo", true}, {"11", "Caja", true}, {"1101", "Caja chica"}});
    QWidget ventana;
    auto* arbol = new ArbolPlanCuentas(&ventana);
    arbol->resize(400, 300);
    arbol->ArmarTreeVAutomatico();
    arbol->expandAll();
    ASSERT_NO_FATAL_FAILURE(muestra(ventana));
    QSignalSpy clics(arbol, &ArbolPlanCuentas::NodeClick);
    QSignalSpy teclas(arbol, &ArbolPlanCuentas::KeyPress);
    for (const char* k : {"A1101", "A"})
        QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {},
                          arbol->visualRect(arbol->modelo()->Nodo(k)).center());
    ASSERT_EQ(clics.count(), 2);
    EXPECT_EQ(clics[0][0].toString(), "1101");
    EXPECT_EQ(clics[1][0].toString(), ""); // the root

    arbol->setFocus();
    arbol->setCurrentIndex(arbol->modelo()->Nodo("A1"));
    QTest::keyClick(arbol, 'c'); // a plain tree would jump to "Caja"
    ASSERT_EQ(teclas.count(), 1);
    EXPECT_EQ(teclas[0][0].toInt(), int('c'));
    EXPECT_EQ(claveDe(arbol->currentIndex()), "A1");
    QTest::keyClick(arbol, Qt::Key_Down); // the arrows still move
    EXPECT_EQ(claveDe(arbol->currentIndex()), "A11");
    EXPECT_EQ(teclas.count(), 1);
}

TEST_F(ArbolPlanTest, SelectingAndRemovingAnAccountsNode) {
    setFines({1, 2, 4, 6, 9, 12});
    plan("1 1A 1A01 1A02 1A03");
    ArbolPlanCuentas arbol;
    arbol.ArmarTreeVAutomatico();
    EXPECT_TRUE(arbol.SeleccionaCuenta("1a02"));
    EXPECT_EQ(claveDe(arbol.currentIndex()), "A1A02");
    EXPECT_FALSE(arbol.SeleccionaCuenta("9"));
    EXPECT_EQ(claveDe(arbol.currentIndex()), "A1A02");
    arbol.QuitaNodoSeleccionado();
    EXPECT_EQ(esquema(*arbol.modelo()), "1 .1A ..1A01 ..1A03");
    arbol.ActualizaTreeV("1A02", "Banco"); // the key is free again
    EXPECT_EQ(esquema(*arbol.modelo()), "1 .1A ..1A01 ..1A03 ..1A02");
    // A removed title takes its accounts along; the root stays.
    arbol.SeleccionaCuenta("1A");
    arbol.QuitaNodoSeleccionado();
    arbol.setCurrentIndex(arbol.modelo()->Raiz());
    arbol.QuitaNodoSeleccionado();
    EXPECT_EQ(esquema(*arbol.modelo()), "1");
}

} // namespace
