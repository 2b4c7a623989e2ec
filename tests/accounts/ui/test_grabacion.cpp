// Saving and deleting an account from the accounts window, on a company
// whose group database keeps copies of the chart.

#include "accounts/ui/grilla_personalizados.h"
#include "cuentas_fixture.h"
#include "platform/ui/flexgrid.h"

#include "accounts/core/cuenta.h"
#include "accounts/core/mensajes.h"
#include "accounts/ui/arbol_plan.h"
#include "platform/sql/quoting.h"
#include "platform/ui/modal.h"
#include "platform/win/clsutilidades.h"
#include "startup/ui/frmacceso.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

using CNStuffContable::CuentaActual;

namespace {

const QString kCodigo = QStringLiteral("110101005");
const QString kDonde = QStringLiteral(" WHERE CODIGO = '110101005'");

class GrabacionTest : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CuentasTest::SetUp());
        db.exec(QStringLiteral(
                    "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                    "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                    "'MA_CUENTAS|MA_CUENTASADIC|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|"
                    "MA_CUENTAS_USUARIOS|'), ('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL),"
                    "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL),"
                    "('USADATOSADIC', 'si', NULL);"
                    "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0100', 'Ventas');"
                    "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES "
                    "('CONTADORES', '11'), ('GERENCIA', '1');")
                    .arg(sqltext::literal(db.folder())));
        w = arranca();
        arbol = w->findChild<ArbolPlanCuentas*>(QStringLiteral("TreeV"));
        ASSERT_NE(arbol, nullptr);
        w->Treev_Estado(true);
        arbol->ArmarTreeVAutomatico();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
    }

    // Types the account's fields and presses GRABAR; a new one from NUEVO.
    void graba(bool nueva, const QString& nombre, int medio,
               const std::function<void()>& mas = {}) {
        if (nueva)
            w->Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, kCodigo));
        ASSERT_EQ(w->esModificacion(), !nueva);
        campo(*w, "DESCRIPCION")->setText(nombre);
        control<QComboBox>(*w, "CmbMP")->setCurrentIndex(medio);
        if (mas)
            mas();
        w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    }
    QString clave(const char* nombre) const {
        return db
            .scalar(QStringLiteral("SELECT VALOR FROM TA_CONFIGURACION WHERE CLAVE = '%1'")
                        .arg(QLatin1String(nombre)))
            .toString();
    }
    QStringList acciones() const {
        QStringList l;
        for (const QVariantList& f :
             db.rows("SELECT Tipo_accion, SYSTEMUSER FROM V_MV_CPTEACCIONES"))
            l << f[0].toString() + u':' + f[1].toString();
        return l;
    }
    bool nodo() const { return arbol->modelo()->Nodo(QStringLiteral("A") + kCodigo).isValid(); }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
    std::unique_ptr<FrmMA_CUENTAS> w;
    ArbolPlanCuentas* arbol = nullptr;
};

// A new account is stored with its satellites in both databases, a change
// reaches the copy exactly, and the delete takes every satellite along.
TEST_F(GrabacionTest, AltaModificacionYBaja) {
    QStringList abiertas;
    w->AbreDatosAdicionales = [&] { abiertas << CuentaActual; };
    responder->answerMsg(vb::vbYes); // the bank's additional data
    ASSERT_NO_FATAL_FAILURE(graba(true, "Banco", cuentas::MedioDebitosBancarios,
                                  [&] { control<QCheckBox>(*w, "chkCCostos")->setChecked(true); }));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(abiertas, QStringList{kCodigo});
    // The next code starts under the saved account's parent, caret at its end.
    auto* caja = control<QLineEdit>(*w, "TxtCodigo");
    EXPECT_EQ(caja->text() + u'|' + campo(*w, "Codigo")->text(), "110101|110101");
    EXPECT_EQ(caja->cursorPosition(), 6);
    EXPECT_TRUE(caja->hasFocus());
    EXPECT_TRUE(nodo());
    for (const testutil::TempDatabase* d : {&db, &grupo}) {
        EXPECT_EQ(d->scalar("SELECT TIPOVISTA FROM MA_CUENTAS" + kDonde), "BC");
        EXPECT_EQ(d->rows("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '110101005' "
                          "ORDER BY 1"),
                  (QList<QVariantList>{{"CONTADORES"}, {"GERENCIA"}}));
    }
    EXPECT_EQ(db.rows("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO" + kDonde),
              (QList<QVariantList>{{"0100", 0.0}}));

    // Changes: the keys of the means of payment follow it once it is stored.
    const struct {
        int medio;
        const char *retencion, *solicitud;
    } cambios[] = {{cuentas::MedioRetencionSUSS, "SU", ""},
                   {cuentas::MedioSolicitudCredito, "", "110101005"},
                   {cuentas::MedioEfectivo, "", ""}};
    for (const auto& c : cambios) {
        ASSERT_NO_FATAL_FAILURE(graba(false, "Caja D'Ahorro", c.medio));
        ASSERT_FALSE(w->hayError()) << c.medio;
        EXPECT_EQ(clave("CTA_RET_OTRA_110101005"), c.retencion) << c.medio;
        EXPECT_EQ(clave("CTASOLICITUDCREDITO"), c.solicitud) << c.medio;
        EXPECT_EQ(grupo.scalar("SELECT DESCRIPCION FROM MA_CUENTAS" + kDonde), "Caja D'Ahorro");
        // No additional data asked: leaving the name for the code box did
        // not load the parent title.
        EXPECT_EQ(caja->text(), "110101");
        EXPECT_FALSE(enEdicion(*w));
    }

    db.exec("INSERT INTO [MA_CASH-DETALLE] (CUENTA) VALUES (' 110101005 ');"
            "INSERT INTO MA_CUENTASCCOSTO_UNEG VALUES ('110101005', '0001', '0100', 100);"
            "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('110101005')");
    escribeCodigo(*w, kCodigo);
    CuentaActual = QStringLiteral("110101001"); // another window's account
    responder->answerMsg(vb::vbYes);
    responder->answerMsg(vb::vbYes); // its cash-flow lines too
    w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(db.scalar("SELECT (SELECT COUNT(*) FROM MA_CUENTAS) + (SELECT COUNT(*) FROM "
                        "MA_CUENTASADIC) + (SELECT COUNT(*) FROM MA_CUENTASCCOSTO) + (SELECT "
                        "COUNT(*) FROM MA_CUENTASCCOSTO_UNEG) + (SELECT COUNT(*) FROM "
                        "[MA_CASH-DETALLE]) + (SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS)"),
              6 + 2); // the chart as it was and the rights of "1" and "11"
    EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS").toInt() +
                  grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS").toInt(),
              0);
    EXPECT_FALSE(nodo());
    const QStringList auditoria = {"A:110101005 110101005", "M:110101005 1-1-01-01-005",
                                   "M:110101005 1-1-01-01-005", "M:110101005 1-1-01-01-005",
                                   "B:110101005 1-1-01-01-005"};
    EXPECT_EQ(acciones(), auditoria);
    w->ActualizaCuenta(); // neither mode: nothing at all
    EXPECT_EQ(acciones(), auditoria);
}

// Refused and failed saves and deletes leave everything as it was: rows,
// configuration keys, tree, audit, copies; the window keeps what it showed.
TEST_F(GrabacionTest, RechazosYFallosNoDejanNada) {
    const struct {
        const char* caso;
        const char* preparacion;
        const char* borrar; // the code deleted; nullptr: a new account saved
        std::vector<int> respuestas;
        QString mensaje; // the refusal; empty: the runner's error box
    } casos[] = {
        {"insert refused",
         "CREATE TRIGGER t BEFORE INSERT ON MA_CUENTAS BEGIN SELECT RAISE(ABORT, 'no'); END",
         nullptr,
         {},
         {}},
        {"adjustable without series",
         "",
         nullptr,
         {},
         QStringLiteral("Debe elegir la serie de índices de la cuenta ajustable")},
        {"a satellite's delete refused",
         "CREATE TRIGGER t BEFORE DELETE ON MA_CUENTAS_USUARIOS BEGIN SELECT RAISE(ABORT, 'no'); "
         "END",
         "110101001",
         {vb::vbYes, vb::vbYes},
         {}},
        {"lower levels",
         "",
         "110101",
         {},
         QStringLiteral("No se puede eliminar esta cuenta porque posee un nivel inferior\r"
                        "Elimine primero las demás cuentas e inténtelo nuevamente")},
        {"cash-flow lines kept", "", "110101001", {vb::vbYes, vb::vbNo}, {}},
    };
    db.exec("INSERT INTO MA_CUENTAS_USUARIOS VALUES ('GERENCIA', '110101001');"
            "INSERT INTO [MA_CASH-DETALLE] (CUENTA) VALUES ('110101001')");
    const QString todo = QStringLiteral(
        "SELECT (SELECT GROUP_CONCAT(CODIGO) FROM MA_CUENTAS), (SELECT COUNT(*) FROM "
        "MA_CUENTAS_USUARIOS), (SELECT COUNT(*) FROM [MA_CASH-DETALLE]), (SELECT COUNT(*) FROM "
        "V_MV_CPTEACCIONES), (SELECT COUNT(*) FROM TA_CONFIGURACION)");
    const QList<QVariantList> antes = db.rows(todo);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS t;") + QLatin1String(c.preparacion));
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        responder->shown.clear();
        for (int r : c.respuestas)
            responder->answerMsg(r);
        if (c.borrar) {
            escribeCodigo(*w, QString::fromLatin1(c.borrar));
            w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        } else {
            ASSERT_NO_FATAL_FAILURE(graba(true, "Caja", cuentas::MedioRetencionSUSS, [&] {
                control<QCheckBox>(*w, "CHKAjustable")->setChecked(true);
                control<QComboBox>(*w, "CmbIndices")->setCurrentIndex(c.mensaje.isEmpty() ? 1 : -1);
            }));
        }
        EXPECT_EQ(w->hayError(), c.respuestas.empty() || c.respuestas.back() == vb::vbYes);
        if (!c.mensaje.isEmpty()) {
            EXPECT_EQ(mensajes(), QStringList{c.mensaje});
        }
        EXPECT_TRUE(responder->msgAnswers.empty());
        EXPECT_TRUE(enEdicion(*w));
        EXPECT_EQ(db.rows(todo), antes);
        EXPECT_FALSE(nodo());
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS"), 0);
    }
}

// A delete of an account that journal lines name, or that the database
// refuses because other rows name it, drops it by its flag, unless it has
// postings this year or an opening balance.
TEST_F(GrabacionTest, BajaLogicaSiOtrasFilasLaNombran) {
    db.exec("CREATE TABLE REFERENCIAS (CUENTA VARCHAR(15) REFERENCES MA_CUENTAS (CODIGO));"
            "INSERT INTO REFERENCIAS VALUES ('110101002')");
    const QString periodo = QString::number(CNStuffContable::gPeriodoActual.toInt());
    const struct {
        const char *asiento, *mensaje; // its one line: ES_SALDO_APERTURA, IMPORTE
        int baja;
    } casos[] = {
        {"0, 10", "La cuenta que intenta eliminar Tiene movimientos en este Ejercicio", 0},
        {"1, 10", "La cuenta que intenta eliminar no tiene Saldo 0 de Apertura", 0},
        {"1, 0", nullptr, 1},
        {nullptr, nullptr, 1}, // no line: the database's own refusal
    };
    for (const auto& c : casos) {
        db.exec("DELETE FROM MV_ASIENTOS; DELETE FROM V_MV_CPTEACCIONES;"
                "UPDATE MA_CUENTAS SET DADA_DE_BAJA = 0");
        if (c.asiento)
            db.exec("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, ES_SALDO_APERTURA, IMPORTE) VALUES "
                    "(" +
                    periodo + ", '110101002', " + c.asiento + ")");
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        escribeCodigo(*w, QStringLiteral("110101002"));
        responder->shown.clear();
        responder->answerMsg(vb::vbYes);
        w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        // The confirmation, the refused transaction when the database
        // refused it, the drop's refusal.
        QStringList cajas;
        for (const auto& m : responder->shown)
            cajas << m.title + u'@' + (m.title.endsWith(u"!!!") ? m.prompt : QString());
        EXPECT_EQ(cajas.join(u'|'),
                  QStringLiteral("Atención!@") +
                      (c.asiento ? QString() : QStringLiteral("|Aviso al Operador!@")) +
                      (c.mensaje
                           ? QStringLiteral("|Aviso al operador!!!@") + QLatin1String(c.mensaje)
                           : QStringLiteral("|Aviso al operador...@")));
        // A drop is done: the user is told so and the window browses.
        EXPECT_EQ(w->hayError(), !c.baja);
        EXPECT_EQ(enEdicion(*w), !c.baja);
        EXPECT_EQ(db.scalar("SELECT DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = '110101002'"),
                  c.baja);
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS WHERE DADA_DE_BAJA = 1"), c.baja);
        EXPECT_EQ(acciones().size(), c.baja) << c.asiento;
    }
}

} // namespace

// A custom value the user cleared is stored as Null; one typed is stored,
// also while it is still in the edit box when F4 is pressed.
TEST_F(GrabacionTest, ValoresPersonalizadosBorradosYEscritos) {
    db.exec("UPDATE MA_CUENTAS SET P_EMAIL = 'caja@empresa.com' WHERE CODIGO = '110101001'");
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    ASSERT_TRUE(w->esModificacion());
    control<QTabWidget>(*w, "SSTab1")->setCurrentIndex(1);
    auto* grilla = w->findChild<GrillaPersonalizados*>();
    FlexGrid* g = grilla->MSFlexGrid1;
    for (int fila = 1; fila < g->Rows(); ++fila) {
        if (g->TextMatrix(fila, 0) == QStringLiteral("P_EMAIL"))
            g->setTextMatrix(fila, 1, QString());
        if (g->TextMatrix(fila, 0) == QStringLiteral("P_CBU"))
            g->setRow(fila);
    }
    g->setFocus();
    QTest::keyClick(g, '0');
    ASSERT_TRUE(grilla->TxtEdit->isVisible());
    QTest::keyClicks(grilla->TxtEdit, "110");
    QTest::keyClick(grilla->TxtEdit, Qt::Key_F4);
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(d->rows("SELECT P_EMAIL IS NULL, P_CBU FROM MA_CUENTAS WHERE CODIGO = "
                          "'110101001'"),
                  (QList<QVariantList>{{1, "0110"}}));

    // Letters in a number column: the conversion box names the column and
    // nothing is written.
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    g = w->findChild<GrillaPersonalizados*>()->MSFlexGrid1;
    for (int fila = 1; fila < g->Rows(); ++fila) {
        if (g->TextMatrix(fila, 0) == QStringLiteral("P_CBU"))
            g->setTextMatrix(fila, 1, QStringLiteral("0220"));
        if (g->TextMatrix(fila, 0) == QStringLiteral("P_LIMITE"))
            g->setTextMatrix(fila, 1, QStringLiteral("mucho"));
    }
    responder->shown.clear();
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_TRUE(w->hayError());
    ASSERT_EQ(mensajes().size(), 1);
    EXPECT_TRUE(mensajes().at(0).endsWith(QStringLiteral("En el campo: P_LIMITE")))
        << mensajes().at(0).toStdString();
    EXPECT_EQ(db.rows("SELECT P_CBU FROM MA_CUENTAS WHERE CODIGO = '110101001'"),
              (QList<QVariantList>{{"0110"}}));
}

// A cell whose value its column cannot hold stops GRABAR at the window's
// gate, nothing stored; the value it takes is stored and shown back.
TEST_F(GrabacionTest, UnaCeldaRechazadaDetieneLaGrabacion) {
    db.exec("UPDATE MA_CUENTAS SET P_PLAZO_DIAS = 30 WHERE CODIGO = '110101001'");
    const auto plazo = [&] {
        return db.scalar("SELECT P_PLAZO_DIAS FROM MA_CUENTAS WHERE CODIGO = '110101001'");
    };
    const auto celda = [&](const char* valor) {
        auto* grilla = w->findChild<GrillaPersonalizados*>();
        FlexGrid* g = grilla->MSFlexGrid1;
        for (int fila = 1; fila < g->Rows(); ++fila)
            if (g->TextMatrix(fila, 0) == QStringLiteral("P_PLAZO_DIAS"))
                g->setRow(fila);
        g->setFocus();
        QTest::keyClick(g, Qt::Key_Backspace);
        QTest::keyClicks(grilla->TxtEdit, valor);
        return grilla;
    };
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    control<QTabWidget>(*w, "SSTab1")->setCurrentIndex(1);
    GrillaPersonalizados* grilla = celda("2,5");
    // The user left for another tab with the box still open.
    control<QTabWidget>(*w, "SSTab1")->setCurrentIndex(0);
    responder->shown.clear();
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(mensajes(), QStringList{cuentas::MsgValorEntero});
    EXPECT_EQ(plazo(), 30);
    EXPECT_EQ(acciones().size(), 0);
    EXPECT_EQ(control<QTabWidget>(*w, "SSTab1")->currentIndex(), 1);
    EXPECT_TRUE(grilla->TxtEdit->hasFocus());
    EXPECT_TRUE(w->esModificacion());

    grilla->TxtEdit->clear();
    QTest::keyClicks(grilla->TxtEdit, "2");
    responder->shown.clear();
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(plazo(), 2);
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
    FlexGrid* g = w->findChild<GrillaPersonalizados*>()->MSFlexGrid1;
    QString leido;
    for (int fila = 1; fila < g->Rows(); ++fila)
        if (g->TextMatrix(fila, 0) == QStringLiteral("P_PLAZO_DIAS"))
            leido = g->TextMatrix(fila, 1);
    EXPECT_EQ(leido, "2");
}

// Which accounts feed a subledger: its own postable account exactly, the
// accounts below a title, or those within its range of codes.
TEST_F(GrabacionTest, CuentasQueAlimentanUnSubdiario) {
    db.exec("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES "
            "('2101', 'PROVEEDORES', 1), ('210101', 'Proveedor Uno', 0);"
            "INSERT INTO MA_SUBDIARIOS (CODIGO, CUENTA, [CUENTA-DESDE], [CUENTA-HASTA]) VALUES "
            "('PRV', '2101', NULL, NULL), ('CAJ', '110101001', NULL, NULL),"
            "('GTO', '5', '5101', '51-99')");
    const struct {
        const char* cuenta;
        bool alimenta;
    } casos[] = {
        {"210101", true},      {"2101", true}, {"21", false},  {"110101001", true},
        {"1101010011", false}, {"5150", true}, {"5101", true}, {"5200", false},
        {"  210101  ", true},  {"o'1", false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(w->ValidaCuentaSubD(QString::fromLatin1(c.cuenta)), c.alimenta) << c.cuenta;
    EXPECT_TRUE(mensajes().isEmpty());
}

namespace {

const QString kTodo = QStringLiteral(
    "SELECT (SELECT GROUP_CONCAT(CODIGO || ':' || DESCRIPCION || ':' || DADA_DE_BAJA) FROM "
    "MA_CUENTAS), (SELECT COUNT(*) FROM MA_CUENTASCCOSTO), (SELECT COUNT(*) FROM "
    "MA_CUENTAS_USUARIOS), (SELECT COUNT(*) FROM V_MV_CPTEACCIONES), (SELECT COUNT(*) FROM "
    "TA_CONFIGURACION)");

// Any statement of a save or a drop that the database refuses, a satellite's
// included, leaves nothing stored, shows the box and keeps the window as the
// user left it.
TEST_F(GrabacionTest, UnSateliteRechazadoNoDejaNada) {
    const struct {
        const char* caso;
        const char* tabla;
        const char* cuando;
    } casos[] = {
        {"the cost-centre row", "MA_CUENTASCCOSTO", "INSERT"},
        {"the user-group rights", "MA_CUENTAS_USUARIOS", "INSERT"},
        {"the audit row", "V_MV_CPTEACCIONES", "INSERT"},
        {"the logical drop's flag", "MA_CUENTAS", "UPDATE"},
    };
    // Journal lines of another year name 110101002: its delete drops it by its flag.
    db.exec("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, ES_SALDO_APERTURA, IMPORTE) VALUES (1990, "
            "'110101002', 1, 0)");
    auto* ccostos = control<QCheckBox>(*w, "chkCCostos");
    const QList<QVariantList> antes = db.rows(kTodo);
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS t; CREATE TRIGGER t BEFORE %1 ON %2 BEGIN "
                               "SELECT RAISE(ABORT, 'no'); END")
                    .arg(QLatin1String(c.cuando), QLatin1String(c.tabla)));
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        responder->shown.clear();
        const bool baja = QLatin1String(c.cuando) == u"UPDATE";
        if (baja) {
            ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101002")));
            responder->answerMsg(vb::vbYes);
            w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        } else {
            ASSERT_NO_FATAL_FAILURE(graba(true, "Banco", cuentas::MedioRetencionSUSS,
                                          [&] { ccostos->setChecked(true); }));
        }
        QStringList cajas;
        for (const auto& m : responder->shown)
            cajas << m.title;
        EXPECT_EQ(cajas, baja ? QStringList({"Atención!", "Aviso al Operador!"})
                              : QStringList{"Aviso al Operador!"});
        EXPECT_TRUE(w->hayError());
        EXPECT_TRUE(enEdicion(*w));
        if (!baja) {
            EXPECT_TRUE(w->esNuevo());
            EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), "Banco");
            EXPECT_EQ(campo(*w, "Codigo")->text().remove(u'-'), kCodigo);
            EXPECT_TRUE(ccostos->isChecked());
            EXPECT_EQ(control<QComboBox>(*w, "CmbMP")->currentIndex(), cuentas::MedioRetencionSUSS);
        }
        EXPECT_EQ(db.rows(kTodo), antes);
        EXPECT_FALSE(nodo());
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS"), 0);
    }
}

// A refusal holds whatever focus moves it makes, and a code edited in place
// is checked again at GRABAR as if it were typed: a stored account is shown,
// never overwritten by the new one, once the user gives up what was typed;
// a dropped one asks first.
TEST_F(GrabacionTest, UnRechazoSeSostieneYUnCodigoEditadoSeVuelveAJuzgar) {
    auto* caja = control<QLineEdit>(*w, "TxtCodigo");
    const auto nuevaConCodigo = [&](const QString& codigo) {
        caja->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return caja->hasFocus(); }));
        caja->clear();
        QTest::keyClicks(caja, codigo);
    };
    const QList<QVariantList> antes = db.rows(kTodo);
    QTest::keyClick(w.get(), Qt::Key_F2); // Nuevo
    ASSERT_NO_FATAL_FAILURE(nuevaConCodigo(kCodigo));
    QTest::keyClick(caja, Qt::Key_Tab);
    responder->shown.clear();
    QTest::keyClick(w.get(), Qt::Key_F4); // Grabar
    QTest::keyClick(w.get(), Qt::Key_F4); // and again
    EXPECT_EQ(mensajes(), QStringList(2, QStringLiteral("Debe ingresar el nombre de la cuenta")));
    EXPECT_TRUE(w->hayError());
    EXPECT_TRUE(enEdicion(*w));
    EXPECT_EQ(db.rows(kTodo), antes);

    const QString reutiliza = QStringLiteral(
        "La cuenta Solicitada se encuentra Actualmente dada de Baja ¿Desea reutilizarla?");
    const QString abandona = QStringLiteral("¿Está seguro de abandonar la carga de datos?");
    // The name typed for the new account is what loading would drop.
    const struct {
        const char* codigo;
        std::vector<int> respuestas;
        QStringList preguntas;
        bool cargada;
        const char* nombre;   // the name field afterwards
        const char* mostrado; // the code box afterwards
    } casos[] = {
        {"110101001", {vb::vbYes}, {abandona}, true, "Caja Moneda Nacional", "1-1-01-01-001"},
        {"110101001", {vb::vbNo}, {abandona}, false, "Nueva", "1-1-01-01-005"},
        {"110101004", {vb::vbNo}, {reutiliza}, false, "Nueva", "1-1-01-01-005"},
        {"110101004",
         {vb::vbYes, vb::vbYes},
         {reutiliza, abandona},
         true,
         "Caja Vieja",
         "1-1-01-01-004"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.codigo);
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        QTest::keyClick(w.get(), Qt::Key_F2);
        ASSERT_NO_FATAL_FAILURE(nuevaConCodigo(kCodigo));
        QTest::keyClick(caja, Qt::Key_Tab);
        ASSERT_TRUE(w->esNuevo());
        campo(*w, "DESCRIPCION")->setText(QStringLiteral("Nueva"));
        ASSERT_NO_FATAL_FAILURE(nuevaConCodigo(QString::fromLatin1(c.codigo)));
        responder->shown.clear();
        for (int r : c.respuestas)
            responder->answerMsg(r);
        QTest::keyClick(w.get(), Qt::Key_F4);
        EXPECT_EQ(mensajes(), c.preguntas);
        EXPECT_EQ(w->esModificacion(), c.cargada);
        EXPECT_EQ(w->esNuevo(), !c.cargada);
        EXPECT_EQ(campo(*w, "DESCRIPCION")->text(), c.nombre);
        EXPECT_EQ(caja->text(), c.mostrado);
        EXPECT_EQ(db.rows(kTodo), antes);
    }
    // Saved again, the reused account comes back as it is shown.
    QTest::keyClick(w.get(), Qt::Key_F4);
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_EQ(db.scalar("SELECT DESCRIPCION || ':' || DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = "
                        "'110101004'"),
              "Caja Vieja:0");
}

} // namespace

// The group database's login fails while a saved account is copied and the
// operator answers "Sí": the access window works on the group's connection.
// Whatever is pressed in it, the company's save is complete, its connection
// stays open and the window goes on.
TEST_F(GrabacionTest, ElAccesoDeUnaReplicacionFallidaNoTocaLaEmpresa) {
    enum Boton { Registrar, Conectar, Cancelar };
    const struct {
        const char* caso;
        std::vector<Boton> botones;
        bool copiada; // the group got the account
    } casos[] = {
        {"Conectar", {Conectar}, true},
        {"Registrar, then Cancelar", {Registrar, Cancelar}, false},
        {"Cancelar", {Cancelar}, false},
    };
    installAccessWindow();
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        // The group's database under a name that has no file.
        db.exec("UPDATE TA_CONFIGURACION SET VALOR = 'NOHAY' WHERE CLAVE IN ('GRP_Base', "
                "'GRP_User'); DELETE FROM MA_CUENTAS" +
                kDonde + "; DELETE FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '110101005'");
        grupo.exec("DELETE FROM MA_CUENTAS; DELETE FROM MA_CUENTAS_USUARIOS");
        CNStuffContable::gTablaConfiguracion.clear();
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        // The last case's dialogs took the activation with them.
        w->hide();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        responder->shown.clear();
        for (int i = 0; i < 8; ++i)
            responder->answerMsg(vb::vbYes);
        int mostradas = 0;
        ui::setModalDriver([&](QDialog& d) {
            ++mostradas;
            auto* acceso = qobject_cast<frmAcceso*>(&d);
            ASSERT_NE(acceso, nullptr);
            acceso->TxtServidor->setText(db.folder());
            acceso->TxtDbName->setText(QStringLiteral("GRUPO"));
            for (const Boton b : c.botones)
                QTest::mouseClick(b == Registrar  ? acceso->CmdRegistrar
                                  : b == Conectar ? acceso->bcAceptar
                                                  : acceso->bcCancelar,
                                  Qt::LeftButton);
        });
        bool terminado = false;
        try {
            graba(true, "Banco", cuentas::MedioEfectivo);
        } catch (const vb::ProgramEnded&) {
            terminado = true;
        }
        ui::setModalDriver([](QDialog&) {});
        EXPECT_FALSE(terminado);
        // Asked once: the row and the two groups' rights are one change.
        EXPECT_EQ(mostradas, 1);
        // Registering the same connection again is refused with its own box.
        qsizetype preguntas = 0;
        for (const auto& m : responder->shown)
            preguntas += m.title == QStringLiteral(" Error de Conexion a Base de Datos");
        EXPECT_EQ(preguntas, 1);
        EXPECT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
        EXPECT_FALSE(enEdicion(*w));
        EXPECT_TRUE(nodo());
        // The company's save whole, through a connection still open.
        EXPECT_EQ(gDatos().cnn()->State(), ado::adStateOpen);
        EXPECT_EQ(ClsUtilidades::ValorCampo(
                      gDatos().DatosTabla(QStringLiteral("MA_CUENTAS"), kCodigo,
                                          QStringLiteral("DESCRIPCION"), QStringLiteral("CODIGO"))),
                  QStringLiteral("Banco"));
        EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '110101005'"),
                  2);
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS" + kDonde), c.copiada ? 1 : 0);
        EXPECT_EQ(grupo.scalar("SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS"), c.copiada ? 2 : 0);
    }
}

namespace {

// The chart of the fixture, in the company and its group copy alike.
const QString kPlan =
    QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, dv, DADA_DE_BAJA) VALUES "
                   "('1', 'ACTIVO', 1, 0, 0), ('11', 'ACTIVO CORRIENTE', 1, 0, 0),"
                   "('110101', 'CAJA', 1, 0, 0), ('110101001', 'Caja Moneda Nacional', 0, 7, 0),"
                   "('110101002', 'Fondo Fijo', 0, 3, 0), ('110101004', 'Caja Vieja', 0, 5, 1)");
const QString kPlanInicial =
    QStringLiteral("1:0,11:0,110101:0,110101001:0,110101002:0,110101004:1");

class CuentaMostradaTest : public GrabacionTest {
protected:
    // Codes with their dropped flag, in code order.
    static QString plan(const testutil::TempDatabase& d) {
        return d
            .scalar("SELECT GROUP_CONCAT(c, ',') FROM (SELECT CODIGO || ':' || DADA_DE_BAJA AS c "
                    "FROM MA_CUENTAS ORDER BY CODIGO)")
            .toString();
    }
    // The audit rows as action and code.
    QString auditoria() const {
        QStringList l;
        for (const QString& a : acciones())
            l << a.section(u' ', 0, 0);
        return l.join(u',');
    }
    // What the window shows: the state and the account's name.
    QString estado() const {
        if (!enEdicion(*w))
            return QStringLiteral("consulta");
        return (w->esNuevo() ? QStringLiteral("nueva:") : QStringLiteral("cuenta:")) +
               campo(*w, "DESCRIPCION")->text();
    }
    // Types a code into a code control without leaving it.
    static void editaEnLugar(QLineEdit* donde, const QString& codigo) {
        donde->setFocus();
        ASSERT_TRUE(QTest::qWaitFor([&] { return donde->hasFocus(); }));
        donde->clear();
        QTest::keyClicks(donde, codigo);
    }
    static void tecla(Qt::Key k) { QTest::keyClick(QApplication::focusWidget(), k); }
};

// Borrar and Grabar after a code was edited in place (the code box or the
// code field, to a stored, a dropped or a new code) first judge that code as
// if typed: the account is shown and only the account shown is deleted; one
// never stored stores, audits and copies nothing.
TEST_F(CuentaMostradaTest, CadaOrdenActuaSobreLaCuentaMostrada) {
    const struct {
        const char* caso;
        bool campo; // edited in the code field; else in the code box
        const char* codigo;
        Qt::Key tecla;
        int reutiliza;                // the answer to the reuse question; 0: none asked
        const char* estado;           // after the first key
        const char *auditoria, *plan; // after Borrar again and Sí, or after Grabar
        const char* rechazo = "";     // the refusal the first key shows
    } casos[] = {
        {"box, stored, Borrar", false, "110101002", Qt::Key_F3, 0, "cuenta:Fondo Fijo",
         "B:110101002", "1:0,11:0,110101:0,110101001:0,110101004:1"},
        {"field, stored, Borrar", true, "110101002", Qt::Key_F3, 0, "cuenta:Fondo Fijo",
         "B:110101002", "1:0,11:0,110101:0,110101001:0,110101004:1"},
        // Not reused: the account shown stays, and the second Borrar deletes it.
        {"box, dropped, not reused, Borrar", false, "110101004", Qt::Key_F3, vb::vbNo,
         "cuenta:Caja Moneda Nacional", "B:110101001", "1:0,11:0,110101:0,110101002:0,110101004:1"},
        {"box, new, Borrar", false, "110101009", Qt::Key_F3, 0, "nueva:", "", ""},
        {"box, stored, Grabar", false, "110101002", Qt::Key_F4, 0, "cuenta:Fondo Fijo", "", ""},
        {"field, dropped, not reused, Grabar", true, "110101004", Qt::Key_F4, vb::vbNo,
         "cuenta:Caja Moneda Nacional", "", ""},
        // A new code starts from nothing: its name is asked for.
        {"box, new, Grabar", false, "110101009", Qt::Key_F4, 0, "nueva:", "", "",
         "Debe ingresar el nombre de la cuenta"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("DELETE FROM MA_CUENTAS; DELETE FROM V_MV_CPTEACCIONES;" + kPlan);
        if (w->datosModificados())
            responder->answerMsg(vb::vbYes);
        w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
        arbol->ArmarTreeVAutomatico();
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101001")));
        ASSERT_NO_FATAL_FAILURE(
            editaEnLugar(c.campo ? campo(*w, "Codigo") : control<QLineEdit>(*w, "TxtCodigo"),
                         QString::fromLatin1(c.codigo)));
        responder->shown.clear();
        if (c.reutiliza)
            responder->answerMsg(c.reutiliza);
        tecla(c.tecla);
        QStringList esperados;
        if (c.reutiliza)
            esperados << QStringLiteral("La cuenta Solicitada se encuentra Actualmente dada de "
                                        "Baja ¿Desea reutilizarla?");
        if (*c.rechazo)
            esperados << QString::fromUtf8(c.rechazo);
        EXPECT_EQ(mensajes(), esperados);
        EXPECT_EQ(estado(), QString::fromUtf8(c.estado));
        if (c.tecla == Qt::Key_F3) {
            EXPECT_EQ(auditoria(), "") << "nothing deleted yet";
            if (enEdicion(*w)) {
                responder->answerMsg(vb::vbYes);
                tecla(Qt::Key_F3);
                EXPECT_TRUE(responder->msgAnswers.empty());
                EXPECT_EQ(estado(), "consulta");
            }
        }
        const QString esperado = *c.plan ? QString::fromLatin1(c.plan) : kPlanInicial;
        EXPECT_EQ(auditoria(), QString::fromLatin1(c.auditoria));
        EXPECT_EQ(plan(db), esperado);
        EXPECT_EQ(plan(grupo), esperado);
    }
}

// After a save, a refused delete and a logical drop the window is in the
// state that follows each: the prefix a save leaves loads nothing, a refused
// delete keeps the account as it was, a drop is told and the window browses.
TEST_F(CuentaMostradaTest, EstadoTrasGrabarBorrarRechazadoYBaja) {
    auto* caja = control<QLineEdit>(*w, "TxtCodigo");
    auto* titulos = control<QComboBox>(*w, "Combo1");
    ASSERT_NO_FATAL_FAILURE(graba(true, "Banco", cuentas::MedioEfectivo));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    ASSERT_EQ(caja->text(), "110101");
    // Left unchanged, the prefix loads nothing and the title list proposes.
    QTest::keyClick(caja, Qt::Key_Tab);
    EXPECT_EQ(estado(), "consulta");
    EXPECT_EQ(caja->text(), "110101");
    titulos->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return titulos->hasFocus(); }));
    titulos->setCurrentIndex(1); // ACTIVO
    campo(*w, "DESCRIPCION")->setFocus();
    EXPECT_EQ(estado(), "nueva:");
    EXPECT_EQ(campo(*w, "Codigo")->text().remove(u'-'), "12");

    // The first tree click after a save loads the account clicked.
    w->Paxtor1_ButtonClick(QStringLiteral("CANCELAR"));
    ASSERT_NO_FATAL_FAILURE(graba(false, "Banco Nación", cuentas::MedioEfectivo));
    ASSERT_EQ(caja->text(), "110101");
    ASSERT_TRUE(caja->hasFocus());
    const QModelIndex nodo = arbol->modelo()->Nodo(QStringLiteral("A110101002"));
    arbol->scrollTo(nodo);
    QTest::mouseClick(arbol->viewport(), Qt::LeftButton, {}, arbol->visualRect(nodo).center());
    EXPECT_EQ(estado(), "cuenta:Fondo Fijo");
    EXPECT_EQ(arbol->currentIndex(), nodo);
    const QString auditado = auditoria();
    EXPECT_EQ(auditado, "A:110101005,M:110101005");

    // Refused: the account stays loaded as it was; its additional data open.
    const QString periodo = QString::number(CNStuffContable::gPeriodoActual.toInt());
    db.exec("INSERT INTO MV_ASIENTOS (PERIODO, CUENTA, ES_SALDO_APERTURA, IMPORTE) VALUES (" +
            periodo + ", '110101002', 0, 10)");
    const bool modificados = w->datosModificados();
    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    tecla(Qt::Key_F3);
    EXPECT_EQ(mensajes(), (QStringList{"Confirma la baja de este registro?",
                                       "La cuenta que intenta eliminar Tiene movimientos en este "
                                       "Ejercicio"}));
    EXPECT_EQ(estado(), "cuenta:Fondo Fijo");
    EXPECT_EQ(w->datosModificados(), modificados);
    QStringList abiertas;
    w->AbreDatosAdicionales = [&] { abiertas << CuentaActual; };
    QAction adicionales;
    adicionales.setData(QStringLiteral("Datos Adicionales"));
    responder->shown.clear();
    w->Tbar_ButtonClick(&adicionales);
    EXPECT_EQ(abiertas, QStringList{"110101002"});
    EXPECT_TRUE(mensajes().isEmpty());
    EXPECT_EQ(auditoria(), auditado);

    // Dropped by its flag (its lines are of another year): told, reset, its
    // node gone; typed again it asks to be reused, never revived silently.
    db.exec("UPDATE MV_ASIENTOS SET PERIODO = 1990");
    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    tecla(Qt::Key_F3);
    EXPECT_EQ(mensajes(), (QStringList{"Confirma la baja de este registro?",
                                       "La cuenta tiene movimientos o datos asociados, fue dada "
                                       "de baja"}));
    EXPECT_FALSE(w->hayError());
    EXPECT_EQ(estado(), "consulta");
    EXPECT_FALSE(arbol->modelo()->Nodo(QStringLiteral("A110101002")).isValid());
    const QString baja = QStringLiteral("SELECT DADA_DE_BAJA FROM MA_CUENTAS WHERE CODIGO = "
                                        "'110101002'");
    EXPECT_EQ(db.scalar(baja), 1);
    EXPECT_EQ(grupo.scalar(baja), 1);
    EXPECT_EQ(auditoria(), auditado + ",B:110101002");
    responder->shown.clear();
    responder->answerMsg(vb::vbNo);
    ASSERT_NO_FATAL_FAILURE(escribeCodigo(*w, QStringLiteral("110101002")));
    EXPECT_EQ(mensajes(), QStringList{"La cuenta Solicitada se encuentra Actualmente dada de Baja "
                                      "¿Desea reutilizarla?"});
    EXPECT_EQ(estado(), "consulta");
    EXPECT_EQ(db.scalar(baja), 1);
}

} // namespace
