// Saving and deleting an account from the accounts window, on a company
// whose group database keeps copies of the chart.

#include "cuentas_fixture.h"

#include "accounts/core/cuenta.h"
#include "accounts/ui/arbol_plan.h"
#include "platform/sql/quoting.h"

#include <QCheckBox>
#include <QRadioButton>

using CNStuffContable::CuentaActual;

namespace {

class GrabacionTest : public CuentasTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CuentasTest::SetUp());
        db.exec(QStringLiteral(
                    "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR, ValorAux) VALUES "
                    "('GRP_Deshabilitado', '0', NULL), ('GRP_Tablas', '', "
                    "'MA_CUENTAS|MA_CUENTASADIC|MA_CUENTASCCOSTO|MA_CUENTASCCOSTO_UNEG|"
                    "MA_CUENTAS_USUARIOS|'), ('GRP_Tipos', '111', NULL), ('GRP_Server', %1, NULL),"
                    "('GRP_Base', 'GRUPO', NULL), ('GRP_User', 'GRUPO', NULL);"
                    "INSERT INTO TA_CCOSTO (CODIGO, DESCRIPCION) VALUES ('0100', 'Ventas');"
                    "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES "
                    "('CONTADORES', '11'), ('GERENCIA', '1');")
                    .arg(sqltext::literal(db.folder())));
    }

    // A new postable account typed and saved as the user does.
    void grabaNueva(FrmMA_CUENTAS& w, const QString& codigo, const QString& nombre,
                    const std::function<void()>& ajusta = {}) {
        w.Paxtor1_ButtonClick(QStringLiteral("NUEVO"));
        ASSERT_NO_FATAL_FAILURE(escribeCodigo(w, codigo));
        ASSERT_TRUE(enEdicion(w));
        campo(w, "DESCRIPCION")->setText(nombre);
        if (ajusta)
            ajusta();
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    }

    QVariant uno(const testutil::TempDatabase& d, const QString& sql) const {
        return d.scalar(sql);
    }
    int cuantas(const testutil::TempDatabase& d, const QString& sql) const {
        return d.scalar(sql).toInt();
    }
    QStringList acciones() const {
        QStringList l;
        for (const QVariantList& f :
             db.rows("SELECT Tipo_accion, SYSTEMUSER FROM V_MV_CPTEACCIONES ORDER BY FECHAHORA"))
            l << f[0].toString() + u':' + f[1].toString();
        return l;
    }

    testutil::TempDatabase grupo = db.sibling(QStringLiteral("GRUPO"));
};

const QString kCodigo = QStringLiteral("110101005");
const QString kCuentaCodigo = QStringLiteral("'110101005'");

// A new account is written with its satellites in both databases, a change
// reaches the copy exactly, and the delete takes everything with it.
TEST_F(GrabacionTest, NuevaModificadaYBorradaEnAmbasBases) {
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_NO_FATAL_FAILURE(grabaNueva(*w, kCodigo, QStringLiteral("Caja Chica"), [&] {
        control<QCheckBox>(*w, "chkCCostos")->setChecked(true);
    }));
    EXPECT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    EXPECT_FALSE(enEdicion(*w));
    EXPECT_TRUE(campo(*w, "DESCRIPCION")->text().isEmpty());
    for (const testutil::TempDatabase* d : {&db, &grupo}) {
        EXPECT_EQ(uno(*d, "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = " + kCuentaCodigo),
                  "Caja Chica");
        EXPECT_EQ(d->rows("SELECT GRUPOUSER FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " +
                          kCuentaCodigo + " ORDER BY 1"),
                  (QList<QVariantList>{{"CONTADORES"}, {"GERENCIA"}}));
    }
    EXPECT_EQ(
        db.rows("SELECT CCOSTO, PORCENTAJE FROM MA_CUENTASCCOSTO WHERE CODIGO = " + kCuentaCodigo),
        (QList<QVariantList>{{"0100", 0.0}}));
    EXPECT_EQ(acciones(), QStringList{"A:110101005 110101005"});

    // The change: an apostrophe goes through as it was typed.
    escribeCodigo(*w, kCodigo);
    ASSERT_TRUE(enEdicion(*w));
    ASSERT_TRUE(w->esModificacion());
    campo(*w, "DESCRIPCION")->setText(QStringLiteral("Caja D'Ahorro"));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_FALSE(w->hayError());
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(uno(*d, "SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = " + kCuentaCodigo),
                  "Caja D'Ahorro");
    EXPECT_EQ(acciones().last(), "M:110101005 1-1-01-01-005");

    // The delete, with a cash-flow line and shares per business unit.
    db.exec("INSERT INTO [MA_CASH-DETALLE] (CUENTA) VALUES (' 110101005 ');"
            "INSERT INTO MA_CUENTASCCOSTO_UNEG (CODIGO, UNEGOCIO, CCOSTO, PORCENTAJE) VALUES "
            "('110101005', '0001', '0100', 100);"
            "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('110101005')");
    escribeCodigo(*w, kCodigo);
    CuentaActual = QStringLiteral("110101001"); // another window's account
    responder->answerMsg(vb::vbYes);
    responder->answerMsg(vb::vbYes);
    w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
    EXPECT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    for (const char* tabla : {"MA_CUENTAS", "MA_CUENTASADIC", "MA_CUENTASCCOSTO",
                              "MA_CUENTASCCOSTO_UNEG", "[MA_CASH-DETALLE]"})
        EXPECT_EQ(cuantas(db, QStringLiteral("SELECT COUNT(*) FROM %1 WHERE TRIM(%2) = '110101005'")
                                  .arg(tabla, QLatin1String(*tabla == '[' ? "CUENTA" : "CODIGO"))),
                  0)
            << tabla;
    for (const testutil::TempDatabase* d : {&db, &grupo}) {
        EXPECT_EQ(
            cuantas(*d, "SELECT COUNT(*) FROM MA_CUENTAS_USUARIOS WHERE CUENTA = " + kCuentaCodigo),
            0);
        EXPECT_EQ(cuantas(*d, "SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = " + kCuentaCodigo),
                  0);
    }
    EXPECT_EQ(cuantas(db, "SELECT COUNT(*) FROM MA_CUENTAS WHERE CODIGO = '110101001'"), 1);
    EXPECT_EQ(acciones().last(), "B:110101005 1-1-01-01-005");
}

// Refused and failed saves and deletes write nothing anywhere: no row, no
// configuration key, no audit row, no copy; the window keeps what it showed.
TEST_F(GrabacionTest, UnaGrabacionRechazadaOFallidaNoDejaNada) {
    const QString sinSerie =
        QStringLiteral("Debe elegir la serie de índices de la cuenta ajustable");
    const QString nivelInferior =
        QStringLiteral("No se puede eliminar esta cuenta porque posee un nivel inferior\r"
                       "Elimine primero las demás cuentas e inténtelo nuevamente");
    const char* const cuentaConDerechos =
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO) VALUES ('110101005', 'X', 0);"
        "INSERT INTO MA_CUENTAS_USUARIOS VALUES ('GERENCIA', '110101005');"
        "INSERT INTO [MA_CASH-DETALLE] (CUENTA) VALUES ('110101005');";
    const struct {
        const char* caso;
        QString preparacion;
        const char* borrar; // the code deleted; nullptr: a new account saved
        std::vector<int> respuestas;
        QStringList mensajes; // exact refusals; empty: the runner's error box
        bool error;
    } casos[] = {
        {"insert refused",
         "CREATE TRIGGER t BEFORE INSERT ON MA_CUENTAS BEGIN SELECT RAISE(ABORT, 'no'); END",
         nullptr,
         {},
         {},
         true},
        {"adjustable without series", "", nullptr, {}, {sinSerie}, true},
        {"delete of a satellite refused",
         QString::fromLatin1(cuentaConDerechos) +
             "CREATE TRIGGER t BEFORE DELETE ON MA_CUENTAS_USUARIOS BEGIN "
             "SELECT RAISE(ABORT, 'no'); END",
         "110101005",
         {vb::vbYes, vb::vbYes},
         {},
         true},
        {"lower levels", "", "110101", {}, {nivelInferior}, true},
        {"cash-flow lines kept", cuentaConDerechos, "110101005", {vb::vbYes, vb::vbNo}, {}, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        db.exec("DROP TRIGGER IF EXISTS t; DELETE FROM V_MV_CPTEACCIONES; "
                "DELETE FROM [MA_CASH-DETALLE];"
                "DELETE FROM MA_CUENTAS WHERE CODIGO = '110101005';"
                "DELETE FROM MA_CUENTAS_USUARIOS WHERE CUENTA = '110101005'");
        if (!c.preparacion.isEmpty())
            db.exec(c.preparacion);
        const QList<QVariantList> antes = db.rows("SELECT * FROM MA_CUENTAS ORDER BY CODIGO");
        const QList<QVariantList> derechos =
            db.rows("SELECT * FROM MA_CUENTAS_USUARIOS ORDER BY 1, 2");
        const QList<QVariantList> cash = db.rows("SELECT * FROM [MA_CASH-DETALLE]");
        auto w = arranca();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        responder->shown.clear();
        for (int r : c.respuestas)
            responder->answerMsg(r);
        if (c.borrar) {
            escribeCodigo(*w, QString::fromLatin1(c.borrar));
            w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        } else {
            ASSERT_NO_FATAL_FAILURE(grabaNueva(*w, kCodigo, QStringLiteral("Caja"), [&] {
                control<QCheckBox>(*w, "CHKAjustable")->setChecked(true);
                control<QComboBox>(*w, "CmbIndices")
                    ->setCurrentIndex(c.mensajes.isEmpty() ? 1 : -1);
                control<QComboBox>(*w, "CmbMP")->setCurrentIndex(cuentas::MedioRetencionSUSS);
            }));
        }
        EXPECT_EQ(w->hayError(), c.error);
        if (!c.mensajes.isEmpty()) {
            EXPECT_EQ(mensajes(), c.mensajes);
        }
        EXPECT_TRUE(responder->msgAnswers.empty());
        EXPECT_EQ(db.rows("SELECT * FROM [MA_CASH-DETALLE]"), cash);
        EXPECT_TRUE(enEdicion(*w));
        EXPECT_EQ(db.rows("SELECT * FROM MA_CUENTAS ORDER BY CODIGO"), antes);
        EXPECT_EQ(db.rows("SELECT * FROM MA_CUENTAS_USUARIOS ORDER BY 1, 2"), derechos);
        EXPECT_EQ(cuantas(db, "SELECT COUNT(*) FROM V_MV_CPTEACCIONES"), 0);
        EXPECT_EQ(cuantas(db, "SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE LIKE 'CTA_RET%'"),
                  0);
        EXPECT_EQ(cuantas(grupo, "SELECT COUNT(*) FROM MA_CUENTAS"), 0);
        w->close();
    }
}

// The keys that tell the SUSS retention and the credit request from the codes
// they share follow the account's means of payment once it is saved.
TEST_F(GrabacionTest, ClavesDelMedioDePagoSiguenALaCuenta) {
    const struct {
        int medio;
        const char* retencion; // CTA_RET_OTRA_110101005; nullptr when absent
        const char* solicitud; // CtaSolicitudCredito
    } pasos[] = {
        {cuentas::MedioRetencionSUSS, "SU", nullptr},
        {cuentas::MedioSolicitudCredito, "", "110101005"},
        {cuentas::MedioEfectivo, "", ""},
    };
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    bool primero = true;
    for (const auto& p : pasos) {
        SCOPED_TRACE(p.medio);
        auto elige = [&] { control<QComboBox>(*w, "CmbMP")->setCurrentIndex(p.medio); };
        if (primero) {
            ASSERT_NO_FATAL_FAILURE(grabaNueva(*w, kCodigo, QStringLiteral("Retenciones"), elige));
        } else {
            escribeCodigo(*w, kCodigo);
            ASSERT_TRUE(w->esModificacion());
            elige();
            w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        }
        primero = false;
        ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
        auto clave = [&](const char* nombre) {
            const QVariant v = db.scalar(
                QStringLiteral("SELECT TRIM(VALOR) FROM TA_CONFIGURACION WHERE UPPER(CLAVE) = '%1'")
                    .arg(nombre));
            return v.isNull() ? std::optional<QString>() : v.toString();
        };
        auto espera = [](const char* v) {
            return v ? std::optional<QString>(QString::fromLatin1(v)) : std::optional<QString>();
        };
        EXPECT_EQ(clave("CTA_RET_OTRA_110101005"), espera(p.retencion));
        EXPECT_EQ(clave("CTASOLICITUDCREDITO"), espera(p.solicitud));
    }
}

// The tree shows an account only once it is stored, and loses it with the
// delete.
TEST_F(GrabacionTest, ElArbolSigueALaBase) {
    auto w = arranca();
    auto* arbol = new ArbolPlanCuentas;
    w->setArbol(arbol);
    w->Treev_Estado(true);
    arbol->ArmarTreeVAutomatico();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    const QString clave = QStringLiteral("A") + kCodigo;
    ASSERT_TRUE(arbol->modelo()->Nodo(QStringLiteral("A110101")).isValid());

    db.exec("CREATE TRIGGER t BEFORE INSERT ON MA_CUENTAS BEGIN SELECT RAISE(ABORT, 'no'); END");
    ASSERT_NO_FATAL_FAILURE(grabaNueva(*w, kCodigo, QStringLiteral("Caja Chica")));
    ASSERT_TRUE(w->hayError());
    EXPECT_FALSE(arbol->modelo()->Nodo(clave).isValid());

    db.exec("DROP TRIGGER t");
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError());
    const QModelIndex nodo = arbol->modelo()->Nodo(clave);
    ASSERT_TRUE(nodo.isValid());
    EXPECT_EQ(nodo.data().toString(), QStringLiteral("110101005 - Caja Chica"));

    escribeCodigo(*w, kCodigo);
    responder->answerMsg(vb::vbYes);
    w->Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
    ASSERT_FALSE(w->hayError());
    EXPECT_FALSE(arbol->modelo()->Nodo(clave).isValid());
    EXPECT_TRUE(arbol->modelo()->Nodo(QStringLiteral("A110101001")).isValid());
}

// The additional-data question: Yes hands the saved account to the window's
// hook; with neither mode set, ActualizaCuenta writes nothing at all.
TEST_F(GrabacionTest, DatosAdicionalesYSinModo) {
    db.exec("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('USADATOSADIC', 'si')");
    auto w = arranca();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    QStringList abiertas;
    w->AbreDatosAdicionales = [&] { abiertas << CuentaActual; };
    responder->answerMsg(vb::vbYes);
    ASSERT_NO_FATAL_FAILURE(grabaNueva(*w, kCodigo, QStringLiteral("Banco"), [&] {
        control<QComboBox>(*w, "CmbMP")->setCurrentIndex(cuentas::MedioDebitosBancarios);
    }));
    ASSERT_FALSE(w->hayError());
    EXPECT_EQ(abiertas, QStringList{kCodigo});
    EXPECT_EQ(responder->shown.back().title, QStringLiteral("Atención!"));

    const int acciones = cuantas(db, "SELECT COUNT(*) FROM V_MV_CPTEACCIONES");
    w->ActualizaCuenta();
    EXPECT_EQ(cuantas(db, "SELECT COUNT(*) FROM V_MV_CPTEACCIONES"), acciones);
}

} // namespace
