#include "common/db_fixture.h"

#include "lookup/lib_frmcons3tree.h"
#include "platform/sql/quoting.h"
#include "platform/ui/modal.h"

#include <QComboBox>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTreeView>
#include <QtTest/QTest>
#include <map>

namespace {

using Filas = std::vector<std::pair<QString, QString>>; // code, description
using Padres = std::map<QString, QString>;              // key -> parent key

class ArbolTest : public CompanyDbFixture {
protected:
    ArbolTest() : CompanyDbFixture(vb::MakeDate(2024, 3, 15, 10, 0, 0)) {}

    void inserta(const QString& tabla, const Filas& filas) const {
        for (const auto& [codigo, descripcion] : filas)
            db.exec(QStringLiteral("INSERT INTO %1 VALUES (%2, %3)")
                        .arg(tabla, sqltext::literal(codigo), sqltext::literal(descripcion)));
    }
    void cuentas(const Filas& filas) const {
        inserta(QStringLiteral("MA_CUENTAS (CODIGO, DESCRIPCION)"), filas);
    }

    static std::unique_ptr<Lib_FrmCons3Tree> ventana(const QString& sql, const QString& campo,
                                                     bool checks = false) {
        auto w = std::make_unique<Lib_FrmCons3Tree>();
        w->SQL = sql;
        w->CampoDevuelto = campo;
        w->CheckBoxes = checks;
        w->Cargar();
        return w;
    }
};

const QString kCuentas =
    QStringLiteral("SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS ORDER BY Codigo");

QString clave(const QModelIndex& i) {
    return i.data(Lib_FrmCons3Tree::KeyRole).toString();
}

// Every node's parent, the root's being empty.
Padres padres(const Lib_FrmCons3Tree& w) {
    Padres p;
    const std::function<void(const QModelIndex&)> visita = [&](const QModelIndex& padre) {
        for (int r = 0; r < w.TreeV->model()->rowCount(padre); ++r) {
            const QModelIndex i = w.TreeV->model()->index(r, 0, padre);
            p[clave(i)] = clave(padre);
            visita(i);
        }
    };
    visita(QModelIndex());
    return p;
}

// The keys of the tree, sorted.
QStringList claves(const Lib_FrmCons3Tree& w) {
    QStringList l;
    for (const auto& [k, p] : padres(w))
        l << k;
    return l;
}

QModelIndex nodo(const Lib_FrmCons3Tree& w, const QString& key) {
    const QModelIndexList l =
        w.TreeV->model()->match(w.TreeV->model()->index(0, 0), Lib_FrmCons3Tree::KeyRole, key, 1,
                                Qt::MatchExactly | Qt::MatchRecursive);
    return l.isEmpty() ? QModelIndex() : l.front();
}

TEST_F(ArbolTest, CodesHangUnderTheLongestCodeThatBeginsThem) {
    cuentas({{"1", "Activo"}, {"10", "Caja"}, {"100", "Caja chica"}, {"2", "Pasivo"}});
    auto w = ventana(kCuentas, QStringLiteral("CODIGO"));
    EXPECT_EQ(padres(*w),
              (Padres{{"A", ""}, {"A1", "A"}, {"A10", "A1"}, {"A100", "A10"}, {"A2", "A"}}));
    const QModelIndex raiz = w->TreeV->model()->index(0, 0);
    EXPECT_EQ(raiz.data().toString(), QStringLiteral("Consulta..."));
    EXPECT_TRUE(w->TreeV->isExpanded(raiz));
    EXPECT_EQ(nodo(*w, QStringLiteral("A10")).data().toString(), QStringLiteral("10 - Caja"));

    db.exec(QStringLiteral("DELETE FROM MA_CUENTAS"));
    QTest::mouseClick(w->CmdNueva, Qt::LeftButton);
    EXPECT_EQ(padres(*w), (Padres{{"A", ""}}));
}

// The hashed parent search gives what scanning every node present gives.
TEST_F(ArbolTest, ParentsMatchAScanOfEveryNode) {
    QRandomGenerator azar(7);
    const QString letras = QStringLiteral("12aB");
    QSet<QString> vistos;
    QStringList valores;
    while (valores.size() < 1000) { // of the 1,364 codes of 1 to 5 symbols
        QString c;
        for (int n = int(azar.bounded(1, 6)); n > 0; --n)
            c += letras[int(azar.bounded(letras.size()))];
        if (!vistos.contains(c.toUpper()))
            valores << QStringLiteral("('%1')").arg(c);
        vistos.insert(c.toUpper());
    }
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ") + valores.join(u','));
    auto w = ventana(kCuentas, {});

    Padres esperado{{QStringLiteral("A"), QString()}};
    QStringList presentes{QStringLiteral("A")};
    for (const QVariantList& f :
         db.rows(QStringLiteral("SELECT 'A' || CODIGO FROM MA_CUENTAS ORDER BY CODIGO"))) {
        const QString k = f[0].toString();
        QString padre;
        for (const QString& p : presentes)
            if (k.startsWith(p, Qt::CaseInsensitive) && p.size() > padre.size())
                padre = p;
        esperado[k] = padre;
        presentes << k;
    }
    EXPECT_EQ(padres(*w), esperado);
}

TEST_F(ArbolTest, FamiliesHangUnderTheirRelativeCode) {
    inserta(QStringLiteral("V_TA_FAMILIAS"),
            {{"01", "Bebidas"}, {"0102", "Gaseosas"}, {"010201", "Cola"}, {"02", "Almacén"}});
    // Any statement on the view builds the families' own tree.
    auto w = ventana(QStringLiteral("SELECT IdFamilia, Descripcion FROM V_TA_FAMILIAS"),
                     QStringLiteral("IDFAMILIA"));
    EXPECT_EQ(
        padres(*w),
        (Padres{{"A", ""}, {"A01", "A"}, {"A0102", "A01"}, {"A010201", "A0102"}, {"A02", "A"}}));
    EXPECT_TRUE(w->SQL.startsWith(QStringLiteral("SELECT     TOP 100 PERCENT IdFamilia")));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ArbolTest, DuplicateCodeIsReportedAndTheBuildGoesOn) {
    const QString sql = QStringLiteral("SELECT 'x1', 'a' UNION ALL SELECT 'X1', 'b' "
                                       "UNION ALL SELECT 'x2', 'c'");
    const struct {
        int respuesta;
        bool conX2;
    } casos[] = {{vb::vbIgnore, true}, {vb::vbRetry, true}, {vb::vbAbort, false}};
    for (const auto& c : casos) {
        responder->shown.clear();
        responder->answerMsg(c.respuesta);
        auto w = ventana(sql, {});
        ASSERT_EQ(responder->shown.size(), 1u) << c.respuesta;
        EXPECT_EQ(responder->shown[0].prompt,
                  QStringLiteral("Ha ocurrido el Siguiente Error (35602) La clave no es única en "
                                 "la colección"));
        EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral(" - ArmarTreeVAutomatico")));
        EXPECT_EQ(nodo(*w, QStringLiteral("Ax1")).data().toString(), QStringLiteral("x1 - a"));
        EXPECT_EQ(nodo(*w, QStringLiteral("Ax2")).isValid(), c.conX2);
    }
}

// A nested code picked in the shown window comes back checked against its table.
TEST_F(ArbolTest, PickedCodeIsCheckedAgainstItsTable) {
    cuentas({{"1", "Activo"}, {"11", "Caja"}, {"111", "Caja chica"}, {"112", "Fondo fijo"}});
    inserta(QStringLiteral("TA_CCOSTO (CODIGO, DESCRIPCION)"), {{"112", "Centro"}});
    db.exec(QStringLiteral("CREATE TABLE MA_POSICIONES (IDPOSICION VARCHAR(10) COLLATE SQLSRV "
                           "PRIMARY KEY, DESCRIPCION VARCHAR(50) COLLATE SQLSRV)"));
    inserta(QStringLiteral("MA_POSICIONES"), {{"111", "Góndola"}});
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET CODIGO = '111 ' WHERE CODIGO = '111'"));
    const struct {
        const char* campo;
        const char* tecleado;
        QVariant esperado;
    } casos[] = {
        {"CODIGO", "111", QStringLiteral("111 ")}, // not a cost centre: the account
        {"codigo", "112", QStringLiteral("112")},  // the cost centre
        {"IDPOSICION", "Caja chica", QStringLiteral("111")},
        {"IDPOSICION", "11", QStringLiteral("")}, // in neither table
    };
    for (const auto& c : casos) {
        auto w = ventana(kCuentas, QString::fromUtf8(c.campo));
        bool oculta = false;
        const ui::ModalDriver previo = ui::setModalDriver([&](QDialog& d) {
            auto& v = static_cast<Lib_FrmCons3Tree&>(d);
            QTest::keyClicks(v.CmbSearch[0], QString::fromUtf8(c.tecleado));
            QTest::mouseClick(v.CmdAceptar, Qt::LeftButton);
            oculta = !v.isVisible();
        });
        ui::showModal(*w);
        ui::setModalDriver(previo);
        EXPECT_TRUE(oculta) << c.campo;
        EXPECT_EQ(w->ValorDevuelto, c.esperado) << c.campo << ' ' << c.tecleado;
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ArbolTest, CheckGoesSixLevelsDownAndCheckedCodesComeBack) {
    Filas filas;
    for (QString c = QStringLiteral("1"); c.size() <= 9; c += QString::number(c.size() + 1))
        filas.push_back({c, QStringLiteral("Nivel ") + QString::number(c.size())});
    filas.push_back({"2", "Otro"});
    cuentas(filas);
    auto w = ventana(kCuentas, QStringLiteral("CODIGO"), true);
    const auto marcados = [&] {
        QStringList l;
        for (const QString& k : claves(*w))
            if (nodo(*w, k).data(Qt::CheckStateRole).toInt() == Qt::Checked)
                l << k;
        return l;
    };
    QAbstractItemModel* m = w->TreeV->model();
    m->setData(nodo(*w, QStringLiteral("A1")), Qt::Checked, Qt::CheckStateRole);
    EXPECT_EQ(marcados(),
              QStringList({"A1", "A12", "A123", "A1234", "A12345", "A123456", "A1234567"}));
    m->setData(nodo(*w, QStringLiteral("A123")), Qt::Unchecked, Qt::CheckStateRole);
    EXPECT_EQ(marcados(), QStringList({"A1", "A12"}));

    // The root checked gives no value of its own.
    m->setData(nodo(*w, QStringLiteral("A")), Qt::Checked, Qt::CheckStateRole);
    w->CmdAceptar_Click();
    w->CmdAceptar_Click(); // accepting again gives the same values, once
    EXPECT_EQ(w->Valores, QStringList({"1", "12", "123", "1234", "12345", "123456", "2"}));
    EXPECT_FALSE(w->isVisible());
}

// F5 filters on the server, twice; the typed text stays a value.
TEST_F(ArbolTest, F5FiltersTheStatementOnDescription) {
    cuentas({{"1", "Caja sur"},
             {"2", "Caja norte"},
             {"3", "Banco sur"},
             {"4", "Caja d'Ell sur"},
             {"5", "Retención 50% sur"},
             {"6", "Retención 500 sur"},
             {"7", "Caja_x sur"}});
    const QString base = kCuentas.left(kCuentas.indexOf(u"ORDER"));
    const QString sur = QStringLiteral("  and Descripcion like '%sur%' ORDER BY Codigo");
    const struct {
        QString primero, segundo, sentencia;
        QStringList claves;
    } casos[] = {
        {"caja", "sur", base + " where Descripcion like '%caja%'" + sur, {"A", "A1", "A4", "A7"}},
        {"d'Ell", "sur", base + " where Descripcion like '%d''Ell%'" + sur, {"A", "A4"}},
        {"50%", "sur", base + " where Descripcion like '%50!%%' ESCAPE '!'" + sur, {"A", "A5"}},
        {"a_", "sur", base + " where Descripcion like '%a!_%' ESCAPE '!'" + sur, {"A", "A7"}},
    };
    for (const auto& c : casos) {
        auto w = ventana(kCuentas, {});
        for (const QString& texto : {c.primero, c.segundo}) {
            QTest::keyClicks(w->CmbSearch[0], texto);
            QTest::keyClick(w->CmbSearch[0], Qt::Key_F5);
            EXPECT_TRUE(w->CmbSearch[0]->currentText().isEmpty());
        }
        EXPECT_EQ(w->SQL, c.sentencia);
        EXPECT_EQ(claves(*w), c.claves);
        QTest::mouseClick(w->CmdNueva, Qt::LeftButton); // the filters stay
        EXPECT_EQ(claves(*w), c.claves) << c.primero.toStdString();
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ArbolTest, TypingSelectsTheFirstNodeByCodeOrDescription) {
    cuentas({{"1", "Activo"}, {"11", "Caja"}, {"2", "Cajas de ahorro"}, {"3", "Con-cepto"}});
    auto w = ventana(kCuentas, {});
    const struct {
        const char* texto;
        const char* clave;
    } casos[] = {{"11", "A11"},  {"caj", "A11"}, {"cajas", "A2"}, {"con", "A"},
                 {"con-", "A3"}, {"", "A"},      {"zz", "A"}};
    for (const auto& c : casos) {
        w->CmbSearch[0]->setEditText(QString::fromUtf8(c.texto));
        EXPECT_EQ(clave(w->TreeV->currentIndex()), QString::fromUtf8(c.clave)) << c.texto;
    }
    QTest::mouseClick(w->CmdCancelar, Qt::LeftButton);
    EXPECT_EQ(w->ValorDevuelto, QVariant(QStringLiteral("")));
}

} // namespace
