// Saving and deleting the additional data of an account, in the company and
// in the group database that keeps its copies.

#include "adicionales_fixture.h"

#include "accountextras/core/datos_adicionales.h"

#include "accounts/core/mensajes.h"
#include "accounts/ui/grilla_personalizados.h"
#include "platform/ui/flexgrid.h"

#include <QTabWidget>

namespace {

const QString kCliente = QStringLiteral("110301001");
const QString kColumnas = QStringLiteral(
    "CALLE, NUMERO, TELEFONO, MAIL, DOCUMENTO_TIPO, IDCOND_Cpra_Vta, idcategoria, "
    "LIMITE_CREDITO, IdMotivoVta, P_FECHA_ALTA, P_RUBRO, CLASE, fechahora_grabacion, "
    "fechahora_modificacion");

// Types a value into the custom-fields grid's row of a column.
void personalizado(const QWidget& w, const QString& columna, const QString& valor) {
    FlexGrid* g = w.findChild<GrillaPersonalizados*>(QStringLiteral("Grilla"))->MSFlexGrid1;
    for (int fila = 1; fila < g->Rows(); ++fila)
        if (g->TextMatrix(fila, 0).compare(columna, Qt::CaseInsensitive) == 0)
            g->setTextMatrix(fila, 1, valor);
}

bool cerrada() {
    return QTest::qWaitFor([] { return !Adicionales::Instancia(); });
}

using GrabacionTest = AdicionalesTest;

// A new row is stored as typed (no zero padding of texts, blank numbers and
// dates as Null, the price class of a customer), copied to the group
// database, and a later change updates both; the window works on the account
// it was opened on whatever CuentaActual says meanwhile, and leaves it alone.
TEST_F(GrabacionTest, AltaYModificacionReplicadas) {
    CuentaActual = kCliente;
    Adicionales* w = &abre(false);
    EXPECT_EQ(titulo(*w), "Cooperativa Obrera");
    EXPECT_TRUE(w->esNuevo());
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoBorrar));
    EXPECT_FALSE(campo(*w, "CODIGO")->isEnabled());
    EXPECT_EQ(campo(*w, "CODIGO")->text(), kCliente);
    CuentaActual = QStringLiteral("210101001"); // the accounts window moved on

    completa(*w);
    const std::pair<const char*, const char*> valores[] = {
        {"CALLE", "Pje. D'Elía"},   {"TELEFONO", "0291 455-1234"}, {"MAIL", "compras@coop.com.ar"},
        {"DOCUMENTO_TIPO", "0080"}, {"IDCOND_Cpra_Vta", "0001"},   {"LIMITE_CREDITO", "150000,50"},
    };
    for (const auto& [columna, valor] : valores)
        campo(*w, columna)->setText(QString::fromUtf8(valor));
    personalizado(*w, QStringLiteral("P_RUBRO"), QStringLiteral("Supermercados"));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    ASSERT_TRUE(cerrada()); // bound: a save unloads the window

    QVariantList esperado = {QStringLiteral("Pje. D'Elía"),
                             "1250",
                             "0291 455-1234",
                             "compras@coop.com.ar",
                             "0080",
                             "0001",
                             QVariant(),
                             150000.5,
                             QVariant(),
                             QVariant(),
                             "Supermercados",
                             "MAYOR",
                             "15/03/24 10:20",
                             QVariant()};
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(fila(*d, kColumnas, kCliente), esperado) << d->dbName().toStdString();
    EXPECT_EQ(fila(db, "COUNT(*)", "210101001"), QVariantList{0});
    EXPECT_EQ(CuentaActual, "210101001");

    // The change: the stored values come back and go out again unchanged.
    vb::setClock([] { return vb::MakeDate(2024, 3, 16, 9, 5, 0); });
    CuentaActual = kCliente;
    w = &abre(false);
    EXPECT_TRUE(w->esModificacion());
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoBorrar));
    EXPECT_EQ(campo(*w, "CALLE")->text(), QStringLiteral("Pje. D'Elía"));
    campo(*w, "CALLE")->setText(QStringLiteral("Av. Alem"));
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    ASSERT_TRUE(cerrada());
    esperado[0] = QStringLiteral("Av. Alem");
    esperado.back() = QStringLiteral("16/03/24 09:05");
    for (const testutil::TempDatabase* d : {&db, &grupo})
        EXPECT_EQ(fila(*d, kColumnas, kCliente), esperado) << d->dbName().toStdString();
    EXPECT_EQ(CuentaActual, kCliente);
}

// A date that does not exist, left in the custom grid's edit box, stops
// GRABAR at the window's gate with nothing stored; the date it takes is
// stored as that date.
TEST_F(GrabacionTest, UnaFechaInexistenteEnLaGrillaDetieneLaGrabacion) {
    CuentaActual = kCliente;
    Adicionales* w = &abre(false);
    completa(*w);
    auto* grilla = w->findChild<GrillaPersonalizados*>(QStringLiteral("Grilla"));
    w->findChild<QTabWidget*>(QStringLiteral("SSTab1"))->setCurrentIndex(2);
    FlexGrid* g = grilla->MSFlexGrid1;
    for (int fila = 1; fila < g->Rows(); ++fila)
        if (g->TextMatrix(fila, 0).compare(u"P_FECHA_ALTA", Qt::CaseInsensitive) == 0)
            g->setRow(fila);
    g->setFocus();
    QTest::keyClick(g, Qt::Key_Backspace);
    QTest::keyClicks(grilla->TxtEdit, "30/02/2024");
    responder->shown.clear();
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    EXPECT_EQ(mensajes(), QStringList{cuentas::MsgValorFecha});
    EXPECT_EQ(Adicionales::Instancia(), w);
    EXPECT_EQ(fila(db, "COUNT(*)", kCliente), QVariantList{0});

    grilla->TxtEdit->clear();
    QTest::keyClicks(grilla->TxtEdit, "29/02/2024");
    w->Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
    ASSERT_FALSE(w->hayError()) << mensajes().join(u'|').toStdString();
    ASSERT_TRUE(cerrada());
    EXPECT_EQ(fila(db, "P_FECHA_ALTA", kCliente), QVariantList{"2024-02-29 00:00:00"});
}

// A save that fails is told, leaves nothing in either database and keeps the
// window open on what was typed; once the cause is gone the same save goes
// through.
TEST_F(GrabacionTest, GrabacionFallidaNoSeReplicaNiSeMuestraComoHecha) {
    const struct {
        const char* caso;
        const char* limite; // the credit limit typed
        bool rechazo;       // the database refuses the insert
        int respuesta;      // to the error box
        const char* titulo; // of the box shown
    } casos[] = {
        {"refused, abort", "100", true, vb::vbAbort, "ActualizarDatos"},
        {"refused, ignore", "100", true, vb::vbIgnore, "ActualizarDatos"},
        {"letters as an amount", "mucho", false, vb::vbOK, "Error en conversion de datos"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        db.exec(QStringLiteral("DROP TRIGGER IF EXISTS t;") +
                (c.rechazo ? QStringLiteral("CREATE TRIGGER t BEFORE INSERT ON MA_CUENTASADIC "
                                            "BEGIN SELECT RAISE(ABORT, 'no'); END")
                           : QString()));
        responder->shown.clear();
        CuentaActual = kCliente;
        Adicionales& w = abre(false);
        completa(w);
        campo(w, "LIMITE_CREDITO")->setText(QLatin1String(c.limite));
        responder->answerMsg(c.respuesta);
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));

        EXPECT_TRUE(w.hayError());
        ASSERT_EQ(responder->shown.size(), 1u) << mensajes().join(u'|').toStdString();
        EXPECT_TRUE(responder->shown[0].title.contains(QLatin1String(c.titulo)))
            << responder->shown[0].title.toStdString();
        if (!c.rechazo) {
            EXPECT_TRUE(responder->shown[0].prompt.endsWith(u"En el campo: /LIMITE_CREDITO"));
        }
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(fila(*d, "COUNT(*)", kCliente), QVariantList{0});
        EXPECT_EQ(Adicionales::Instancia(), &w);
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.esNuevo());
        EXPECT_TRUE(campo(w, "CALLE")->isEnabled());
        EXPECT_EQ(campo(w, "CALLE")->text(), QStringLiteral("Av. Colón"));

        db.exec("DROP TRIGGER IF EXISTS t");
        campo(w, "LIMITE_CREDITO")->setText(QStringLiteral("100"));
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_FALSE(w.hayError()) << mensajes().join(u'|').toStdString();
        ASSERT_TRUE(cerrada());
        for (const testutil::TempDatabase* d : {&db, &grupo}) {
            EXPECT_EQ(fila(*d, "CALLE, LIMITE_CREDITO", kCliente),
                      (QVariantList{QStringLiteral("Av. Colón"), 100.0}));
            d->exec("DELETE FROM MA_CUENTASADIC WHERE CODIGO = '110301001'");
        }
    }
}

// A change of a stored row that the database refuses, whether the operator
// gives up at once or after retrying it: the row and its copy stay as they
// were, and the window stays on what was typed until the same save goes
// through.
TEST_F(GrabacionTest, UnaModificacionRechazadaNoCambiaNada) {
    const std::vector<int> casos[] = {{vb::vbAbort}, {vb::vbRetry, vb::vbIgnore}};
    const QVariantList guardada{QStringLiteral("Sarmiento"), QVariant()};
    for (const std::vector<int>& respuestas : casos) {
        SCOPED_TRACE(respuestas.size());
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("DELETE FROM MA_CUENTASADIC WHERE CODIGO = '110301001';"
                    "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, NUMERO, CPOSTAL, LOCALIDAD, "
                    "PROVINCIA, PAIS, NUMERO_DOCUMENTO) VALUES ('110301001', 'Sarmiento', '1', "
                    "'8000', 'Bahía Blanca', 'B', 'AR', '30-71234567-9')");
        db.exec("CREATE TRIGGER t BEFORE UPDATE ON MA_CUENTASADIC BEGIN SELECT RAISE(ABORT, "
                "'no'); END");
        responder->shown.clear();
        CuentaActual = kCliente;
        Adicionales& w = abre(false);
        ASSERT_TRUE(w.esModificacion());
        campo(w, "CALLE")->setText(QStringLiteral("Av. Alem"));
        for (int r : respuestas)
            responder->answerMsg(r);
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));

        EXPECT_TRUE(w.hayError());
        EXPECT_EQ(responder->shown.size(), respuestas.size())
            << mensajes().join(u'|').toStdString();
        for (const auto& box : responder->shown)
            EXPECT_TRUE(box.title.contains(QLatin1String("ActualizarDatos")))
                << box.title.toStdString();
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(fila(*d, "CALLE, fechahora_modificacion", kCliente), guardada)
                << d->dbName().toStdString();
        EXPECT_EQ(Adicionales::Instancia(), &w);
        EXPECT_TRUE(w.esModificacion());
        EXPECT_EQ(campo(w, "CALLE")->text(), QStringLiteral("Av. Alem"));

        db.exec("DROP TRIGGER t");
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_FALSE(w.hayError()) << mensajes().join(u'|').toStdString();
        ASSERT_TRUE(cerrada());
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(fila(*d, "CALLE", kCliente), QVariantList{"Av. Alem"});
    }
}

// BORRAR stays off until a stored row is shown, so the empty state (which
// stands on the table's first row, another account's) deletes nothing; a
// delete takes only the shown account's row, in both databases, in either
// mode.
TEST_F(GrabacionTest, BorrarSoloLaCuentaMostrada) {
    for (const bool independiente : {true, false}) {
        SCOPED_TRACE(independiente ? "standalone" : "bound");
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("INSERT INTO MA_CUENTASADIC (CODIGO, CALLE) VALUES ('110301001', "
                    "'Sarmiento')");
        responder->shown.clear();
        CuentaActual = independiente ? QString() : kCliente;
        Adicionales& w = abre(independiente);
        if (independiente) {
            EXPECT_FALSE(paxtor(w)->estado(Paxtor::EstadoBorrar));
            QTest::keyClick(campo(w, "CODIGO"), Qt::Key_F3);
            EXPECT_TRUE(responder->shown.empty());
            escribeCodigo(w, kCliente);
        }
        EXPECT_EQ(campo(w, "CALLE")->text(), "Sarmiento");
        ASSERT_TRUE(paxtor(w)->estado(Paxtor::EstadoBorrar));

        responder->answerMsg(vb::vbNo);
        w.Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        EXPECT_EQ(fila(db, "CALLE", kCliente), QVariantList{"Sarmiento"});
        EXPECT_EQ(campo(w, "CALLE")->text(), "Sarmiento");

        responder->answerMsg(vb::vbYes);
        QTest::keyClick(campo(w, "CALLE"), Qt::Key_F3);
        EXPECT_FALSE(w.hayError()) << mensajes().join(u'|').toStdString();
        EXPECT_EQ(mensajes(), QStringList(2, QStringLiteral("Confirma la baja de este registro?")));
        for (const testutil::TempDatabase* d : {&db, &grupo})
            EXPECT_EQ(d->rows("SELECT CODIGO, CALLE FROM MA_CUENTASADIC"),
                      (QList<QVariantList>{{"110301002", "Zelarrayán"}}))
                << d->dbName().toStdString();
        // The empty state: nothing shown, nothing to delete; a bound window
        // stays until it is closed.
        EXPECT_EQ(Adicionales::Instancia(), &w);
        EXPECT_EQ(campo(w, "CALLE")->text(), "");
        EXPECT_FALSE(campo(w, "CALLE")->isEnabled());
        EXPECT_FALSE(paxtor(w)->estado(Paxtor::EstadoBorrar));
        delete &w;
    }
}

} // namespace

namespace {

using GrabacionTest = AdicionalesTest;

// A save finds the account in the chart and its row as the window loaded
// it, or stores nothing and says why, whichever way the window was opened
// (bound, as the accounts window opens it); what was typed stays.
TEST_F(GrabacionTest, ASaveFindsTheAccountAndTheRowAsLoaded) {
    using namespace cuentasadic;
    const char* sinCuenta = "DELETE FROM MA_CUENTAS WHERE CODIGO = '110301001'";
    const char* conFila = "INSERT INTO MA_CUENTASADIC (CODIGO, CALLE) VALUES ('110301001', 'Sa')";
    const char* cambia = "UPDATE MA_CUENTASADIC SET CALLE = 'Otra'";
    const char* borra = "DELETE FROM MA_CUENTASADIC WHERE CODIGO = '110301001'";
    const struct {
        bool independiente;
        const char* antes;   // another user, before the window opens
        const char* despues; // and once it loaded the account
        QStringList mensajes;
    } casos[] = {
        {false, sinCuenta, "", {MsgCuentaInexistente, MsgCuentaInexistente}},
        {true, "", sinCuenta, {MsgCuentaInexistente}},
        {false, conFila, cambia, {MsgCambiadosPorOtro}},
        {false, conFila, borra, {MsgBorradosPorOtro}},
        {true, "", conFila, {MsgAltaPorOtro}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.antes) + c.despues);
        db.exec(QLatin1String(borra) +
                ";INSERT OR IGNORE INTO MA_CUENTAS (CODIGO, DESCRIPCION, TITULO, TIPOVISTA, "
                "DADA_DE_BAJA) VALUES ('110301001', 'Cooperativa Obrera', 0, 'CL', 0);" +
                QLatin1String(c.antes));
        responder->shown.clear();
        CuentaActual = kCliente;
        Adicionales& w = abre(c.independiente);
        if (c.independiente)
            escribeCodigo(w, kCliente);
        completa(w);
        db.exec(QLatin1String(c.despues));
        const QList<QVariantList> suya = db.rows("SELECT * FROM MA_CUENTASADIC ORDER BY 1");
        w.Paxtor1_ButtonClick(QStringLiteral("GRABAR"));
        EXPECT_EQ(mensajes(), c.mensajes);
        EXPECT_EQ(campo(w, "CALLE")->text(), QStringLiteral("Av. Colón"));
        EXPECT_EQ(db.rows("SELECT * FROM MA_CUENTASADIC ORDER BY 1"), suya);
        delete &w;
    }
}

// A delete takes the row as the window loaded it: one another user changed
// since is refused and kept in both databases, with what the window shows;
// one already gone leaves nothing to do.
TEST_F(GrabacionTest, ADeleteFindsTheRowAsLoaded) {
    using namespace cuentasadic;
    const QString cuenta = QStringLiteral("110301002");
    const struct {
        const char* despues; // another user, once the window loaded the row
        QStringList mensajes;
        bool queda;
    } casos[] = {
        {"", {}, false},
        {"UPDATE MA_CUENTASADIC SET CALLE = 'Otra' WHERE CODIGO = '110301002'",
         {MsgCambiadosPorOtro},
         true},
        {"DELETE FROM MA_CUENTASADIC WHERE CODIGO = '110301002'", {}, false},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.despues);
        for (const testutil::TempDatabase* d : {&db, &grupo})
            d->exec("INSERT OR REPLACE INTO MA_CUENTASADIC (CODIGO, CALLE, LOCALIDAD) VALUES "
                    "('110301002', 'Zelarrayán', 'Bahía Blanca')");
        responder->shown.clear();
        CuentaActual = cuenta;
        Adicionales& w = abre(false);
        ASSERT_EQ(campo(w, "CALLE")->text(), QStringLiteral("Zelarrayán"));
        db.exec(QLatin1String(c.despues));
        const QList<QVariantList> suya = db.rows("SELECT * FROM MA_CUENTASADIC ORDER BY 1");
        responder->answerMsg(vb::vbYes);
        w.Paxtor1_ButtonClick(QStringLiteral("BORRAR"));
        EXPECT_EQ(mensajes(),
                  QStringList{QStringLiteral("Confirma la baja de este registro?")} + c.mensajes);
        EXPECT_EQ(w.hayError(), c.queda);
        if (c.queda) {
            EXPECT_EQ(db.rows("SELECT * FROM MA_CUENTASADIC ORDER BY 1"), suya);
            EXPECT_EQ(fila(grupo, "CALLE", cuenta), QVariantList{QStringLiteral("Zelarrayán")});
            EXPECT_EQ(campo(w, "CALLE")->text(), QStringLiteral("Zelarrayán"));
        } else {
            EXPECT_TRUE(fila(db, "CALLE", cuenta).isEmpty());
            // Nothing left to delete is nothing to replicate.
            EXPECT_EQ(fila(grupo, "CALLE", cuenta).isEmpty(), !*c.despues);
        }
        delete &w;
    }
}

} // namespace
