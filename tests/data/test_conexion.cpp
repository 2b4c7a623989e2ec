// Connection and login.

#include "data_fixture.h"

#include "common/odbc_env.h"
#include "platform/ado/connstring.h"
#include "platform/ado/engine_odbc.h"
#include <QElapsedTimer>
#include <QTcpServer>

using testutil::TempDatabase;

namespace {

// The access window as a test drives it: answers with fixed values.
struct FakeAccessWindow : AccessWindow {
    bool accept = true;
    QString dbName;
    QString server;
    int platform = 0;
    int shown = 0;
    int hidden = 0;
    QString gotDb, gotServer, gotUser, gotPassword;
    bool exchange(DB_Dll& datos, QString& db, QString& srv, QString& user, QString& password,
                  int& platformIndex) override {
        EXPECT_EQ(&datos, &gDatos());
        ++shown;
        gotDb = db;
        gotServer = srv;
        gotUser = user;
        gotPassword = password;
        EXPECT_EQ(platformIndex, 0);
        db = dbName;
        srv = server;
        platformIndex = platform;
        return accept;
    }
    void hide() override { ++hidden; }
};

// A users table whose Administrador column holds text, so that the numeric
// reading of the flag can be tried with any text.
void usersTable(const TempDatabase& db, const QString& admin) {
    db.exec(QStringLiteral("CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(50) COLLATE SQLSRV, "
                           "Administrador VARCHAR(10))"));
    db.exec(QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('  PEREZ ', '%1')").arg(admin));
}

} // namespace

class ConexionTest : public DataTest {
protected:
    DB_Dll& prepare(const TempDatabase& db) {
        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.gUserPassWord = QStringLiteral("clave");
        return d;
    }
};

TEST_F(ConexionTest, SqlServerConnectionString) {
    TempDatabase db;
    DB_Dll& d = prepare(db);
    d.gProveedor = QStringLiteral("MSDASQL"); // the string names SQLOLEDB all the same
    d.gExtended = QStringLiteral("Application Name=CN000P;");
    d.OpenServerADODB(false, 3, QStringLiteral("   "), false, true);
    EXPECT_EQ(d.gConnString, QStringLiteral("PROVIDER=SQLOLEDB;Server=") + db.folder() +
                                 QStringLiteral(";Database =") + db.dbName() +
                                 QStringLiteral(";UId=sa;Pwd=clave;Application Name=CN000P;"));
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    EXPECT_EQ(d.gCnn->CursorLocation, 3);
    EXPECT_EQ(d.gProveedor, QStringLiteral("MSDASQL"));
    EXPECT_TRUE(d.gEsAdmin); // ValidaAdmin False

    DB_Dll& otro = gDatosAux();
    otro.gServidor = db.folder();
    otro.gDBName = db.dbName();
    otro.OpenServerADODB(false, 3, QString(), false, true);
    EXPECT_EQ(otro.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_TRUE(otro.gConnString.startsWith(QStringLiteral("PROVIDER=SQLOLEDB;Server=")));
    EXPECT_TRUE(otro.gConnString.endsWith(QStringLiteral(";UId=;Pwd=;")));
}

// Login values holding ";", "=", braces or quotes come back whole from the
// connection string, add no keyword of their own, and reach the ODBC driver's
// string between braces.
TEST_F(ConexionTest, LoginValuesStayWholeInTheConnectionString) {
    DB_Dll& d = gDatos();
    d.gServidor = QStringLiteral("srv;Trusted_Connection=yes");
    d.gDBName = QStringLiteral("E;F");
    d.gUsuario = QStringLiteral("\"u\"");
    d.gUserPassWord = QStringLiteral("p;w={x}} ");
    d.OpenServerADODB(false, 3, QString(), false, false); // no such server: silent
    EXPECT_FALSE(d.gOpenFlag);
    const ado::ConnectionStringParts partes = ado::parseConnectionString(d.gConnString);
    EXPECT_EQ(partes.values, (QMap<QString, QString>{{"provider", "SQLOLEDB"},
                                                     {"server", "srv;Trusted_Connection=yes"},
                                                     {"database", "E;F"},
                                                     {"uid", "\"u\""},
                                                     {"pwd", "p;w={x}} "}}))
        << d.gConnString.toStdString();
    EXPECT_TRUE(ado::odbcTarget(partes, QString())
                    .connectionString.endsWith(QStringLiteral(
                        "SERVER={srv;Trusted_Connection=yes};DATABASE={E;F};UID=\"u\";"
                        "PWD={p;w={x}}}} };")))
        << ado::odbcTarget(partes, QString()).connectionString.toStdString();
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ConexionTest, OracleConnectionString) {
    for (const QString& server : {QStringLiteral("#"), QStringLiteral("ORA#1")}) {
        resetInstances();
        DB_Dll& d = gDatos();
        d.gServidor = server;
        d.gDBName = QStringLiteral("XE");
        d.gUsuario = QStringLiteral("u");
        d.gUserPassWord = QStringLiteral("p");
        d.gExtended = QStringLiteral("X=1;");
        d.OpenServerADODB(false, 3, QString(), true, false);
        EXPECT_EQ(
            d.gConnString,
            QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=XE;User Id=u;Password=p;"));
        EXPECT_FALSE(d.gOpenFlag); // no Oracle here; silent failure
        EXPECT_TRUE(responder->shown.empty());
    }
}

TEST_F(ConexionTest, GivenStringIsUsedUnchanged) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    d.OpenServerADODB(false, 3, db.connectionString(), false, true);
    EXPECT_EQ(d.gConnString, db.connectionString());
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
}

TEST_F(ConexionTest, AdministratorFromUsersTable) {
    const struct {
        const char* admin;
        const char* user;
        bool expected;
    } cases[] = {
        {"1", "PEREZ", true},  {"1.00", "perez", true}, {"1abc", "PEREZ", true},
        {"0", "PEREZ", false}, {"2", "PEREZ", false},   {"", "PEREZ", false},
        {"1", "GOMEZ", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.admin);
        resetInstances();
        TempDatabase db(QStringLiteral("EMPRESA"), TempDatabase::Schema::Empty);
        usersTable(db, QString::fromUtf8(c.admin));
        CNStuffContable::gUsuarioLogeado = QString::fromUtf8(c.user);
        DB_Dll& d = prepare(db);
        d.OpenServerADODB(false, 3, QString(), true, true);
        EXPECT_TRUE(d.gOpenFlag);
        EXPECT_EQ(d.gEsAdmin, c.expected);
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ConexionTest, UserNameWithApostrophe) {
    TempDatabase db(QStringLiteral("EMPRESA"), TempDatabase::Schema::Empty);
    db.exec(QStringLiteral("CREATE TABLE TA_USUARIOS (NOMBRE VARCHAR(50), Administrador INT)"));
    db.exec(QStringLiteral("INSERT INTO TA_USUARIOS VALUES ('O''NEIL', 1)"));
    CNStuffContable::gUsuarioLogeado = QStringLiteral("O'NEIL");
    DB_Dll& d = prepare(db);
    d.OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_TRUE(d.gEsAdmin);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ConexionTest, AdministratorTestSkips) {
    TempDatabase db(QStringLiteral("EMPRESA"), TempDatabase::Schema::Empty);
    usersTable(db, QStringLiteral("0"));
    CNStuffContable::gUsuarioLogeado = QStringLiteral("PEREZ");

    // Silent mode with the table present: administrator without reading it.
    DB_Dll& d = prepare(db);
    capture(d.gCnn);
    d.OpenServerADODB(false, 3, QString(), true, false);
    EXPECT_TRUE(d.gEsAdmin);
    EXPECT_TRUE(seenWith(QStringLiteral("ta_usuarios")).isEmpty());

    // ValidaAdmin False: administrator without touching the database.
    resetInstances();
    seen.clear();
    DB_Dll& e = prepare(db);
    capture(e.gCnn);
    e.OpenServerADODB(false, 3, QString(), false, true);
    EXPECT_TRUE(e.gEsAdmin);
    EXPECT_TRUE(seenWith(QStringLiteral("OpenSchema")).isEmpty());
    EXPECT_TRUE(seenWith(QStringLiteral("ta_usuarios")).isEmpty());

    // No users table: the flag keeps its value.
    TempDatabase vacia(QStringLiteral("VACIA"), TempDatabase::Schema::Empty);
    for (bool before : {false, true}) {
        resetInstances();
        DB_Dll& f = prepare(vacia);
        f.gEsAdmin = before;
        f.OpenServerADODB(false, 3, QString(), true, true);
        EXPECT_TRUE(f.gOpenFlag);
        EXPECT_EQ(f.gEsAdmin, before);
    }
}

TEST_F(ConexionTest, InteractiveFailureAnsweredNo) {
    TempDatabase db;
    DB_Dll& d = prepare(db);
    d.gDBName = QStringLiteral("NOEXISTE");
    vb::setAppExeName(QStringLiteral("CN000P"));
    responder->answerMsg(vb::vbNo);
    d.OpenServerADODB(false, 3, QString(), true, true);
    EXPECT_FALSE(d.gOpenFlag);
    ASSERT_EQ(responder->shown.size(), 1u);
    const auto& box = responder->shown[0];
    EXPECT_EQ(box.title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_EQ(box.buttons, vb::vbYesNo + vb::vbCritical);
    // The whole text, with its lone CRs and its CR LF pairs where they stand.
    ASSERT_GT(d.gCnn->errors().Count(), 0);
    const ado::Error& e = d.gCnn->errors().Item(0);
    ASSERT_EQ(e.Number, ado::adErrUnspecified); // shown as VB's signed Long
    EXPECT_EQ(
        box.prompt,
        QStringLiteral(" Estado de Sql: ") + e.SQLState +
            QStringLiteral("\rNumero de Error: -2147467259\rDescripcion: ") + e.Description +
            QStringLiteral("\rCodigo Nativo: ") + QString::number(e.NativeError) +
            QStringLiteral("\r\r\nNombre de Proceso: CN000P\r\r\n\r\n"
                           "1. Verifique el Usuario, contraseña y base de datos\r\n"
                           "2. Verifique el nombre del servidor, quizas necesite agregarle "
                           "el nombre de la instancia, por ejemplo : ") +
            db.folder() +
            QStringLiteral("\\QUINDEL\r\n3. Verifique si el inicio de sesion para el "
                           "usuario sa existe\r\n\r\n\r\n - Desea Intentarlo Nuevamente??? "));
}

TEST_F(ConexionTest, InteractiveFailureRetriedThroughAccessWindow) {
    TempDatabase db;
    auto window = std::make_shared<FakeAccessWindow>();
    window->dbName = db.dbName();
    window->server = db.folder();
    DB_Dll::setAccessWindow(window);
    CNStuffContable::gUsuarioLogeado = QStringLiteral("PEREZ");
    CNStuffContable::gPasswordUsuario = QStringLiteral("secreta");

    DB_Dll& d = prepare(db);
    d.gDBName = QStringLiteral("NOEXISTE");
    responder->answerMsg(vb::vbYes);
    d.OpenServerADODB(false, 3, QString(), false, true);
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    EXPECT_EQ(window->shown, 1);
    EXPECT_EQ(window->hidden, 1);
    EXPECT_EQ(window->gotDb, QStringLiteral("NOEXISTE"));
    EXPECT_EQ(window->gotUser, QStringLiteral("PEREZ"));
    EXPECT_EQ(window->gotPassword, QStringLiteral("secreta"));
    EXPECT_EQ(d.gDBName, db.dbName());
    EXPECT_EQ(d.gUsuario, db.dbName());
    EXPECT_EQ(d.gUserPassWord, db.dbName());
    EXPECT_EQ(d.gProveedor, QStringLiteral("SQLOLEDB"));
    EXPECT_TRUE(d.gConnString.contains(QStringLiteral(";UId=") + db.dbName() +
                                       QStringLiteral(";Pwd=") + db.dbName() +
                                       QStringLiteral(";")));
}

// A SQL Server that nobody answers (FreeTDS, a closed local port): the
// connection fails at once with the missing server in the failure box, and
// "Sí" goes to the access window, whose choice connects.
TEST_F(ConexionTest, UnansweredServerShowsTheFailureBoxThenTheAccessWindow) {
    TempDatabase db;
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const QString servidor = QStringLiteral("127.0.0.1,%1").arg(probe.serverPort());
    probe.close();
    const testutil::SavedEnv driver("QUARZELO_SQLSERVER_DRIVER");
    qputenv("QUARZELO_SQLSERVER_DRIVER", testutil::freeTdsDriver().toUtf8());
    auto window = std::make_shared<FakeAccessWindow>();
    window->dbName = db.dbName();
    window->server = db.folder();
    DB_Dll::setAccessWindow(window);

    DB_Dll& d = prepare(db);
    d.gServidor = servidor;
    responder->answerMsg(vb::vbYes);
    QElapsedTimer t;
    t.start();
    d.OpenServerADODB(false, 3, QString(), false, true);
    driver.restore();
    EXPECT_LT(t.elapsed(), 5000);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral(" Error de Conexion a Base de Datos"));
    EXPECT_TRUE(responder->shown[0].prompt.startsWith(
        QStringLiteral(" Estado de Sql: 08001\rNumero de Error: -2147467259\rDescripcion: ")));
    EXPECT_TRUE(responder->shown[0].prompt.contains(QStringLiteral("\rCodigo Nativo: 17\r")));
    EXPECT_EQ(window->gotServer, servidor);
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
}

TEST_F(ConexionTest, AccessWindowAskedFirst) {
    TempDatabase db;
    auto window = std::make_shared<FakeAccessWindow>();
    window->dbName = db.dbName();
    window->server = db.folder();
    window->platform = 1;
    DB_Dll::setAccessWindow(window);
    DB_Dll& d = gDatos();
    d.OpenServerADODB(true, 3, QString(), false, false);
    // Oracle chosen: provider and a "#" on the server; no Oracle here.
    EXPECT_EQ(d.gProveedor, QStringLiteral("OraOLEDB.Oracle.1"));
    EXPECT_EQ(d.gServidor, db.folder() + QStringLiteral("#"));
    EXPECT_TRUE(d.gConnString.startsWith(QStringLiteral("Provider=OraOLEDB.Oracle.1;")));

    // Cancelled: nothing is opened.
    resetInstances();
    window->accept = false;
    DB_Dll& e = gDatos();
    e.OpenServerADODB(true, 3, QString(), false, true);
    EXPECT_FALSE(e.gOpenFlag);
    EXPECT_EQ(e.gCnn->State(), ado::adStateClosed);

    // No access window installed counts as cancelled.
    resetInstances();
    DB_Dll::setAccessWindow(nullptr);
    gDatos().OpenServerADODB(true, 3, QString(), false, true);
    EXPECT_FALSE(gDatos().gOpenFlag);
}

TEST_F(ConexionTest, SilentAlreadyOpenIsRetriedOnce) {
    TempDatabase db;
    DB_Dll& d = prepare(db);
    d.OpenServerADODB(false, 3, QString(), false, false);
    ASSERT_TRUE(d.gOpenFlag);
    // Opening again: 3705, close, open again.
    d.OpenServerADODB(false, 3, QString(), false, false);
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);

    // An open that keeps failing with 3705 is tried twice only.
    int opens = 0;
    d.gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s == d.gConnString) {
            ++opens;
            return providerError(ado::adErrObjectOpen);
        }
        return std::nullopt;
    });
    d.gCnn->Close();
    d.OpenServerADODB(false, 3, QString(), false, false);
    EXPECT_EQ(opens, 2);
    EXPECT_FALSE(d.gOpenFlag);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ConexionTest, ReintentaConectar) {
    TempDatabase db;
    DB_Dll& d = prepare(db);
    d.OpenServerADODB(false, 3, QString(), false, true);
    d.ReintentaConectar();
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->CommandTimeout, 90);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);

    // Closed already: the close error is passed over.
    d.gCnn->Close();
    d.ReintentaConectar();
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_TRUE(responder->shown.empty());

    // Unspecified failure of the reopen: silent, not open.
    const QString cadena = d.gCnn->ConnectionString;
    long failWith = ado::adErrUnspecified;
    int opens = 0;
    d.gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s == cadena && failWith != 0) {
            ++opens;
            return providerError(failWith);
        }
        return std::nullopt;
    });
    d.ReintentaConectar();
    EXPECT_FALSE(d.gOpenFlag);
    EXPECT_TRUE(responder->shown.empty());

    // Another failure goes to the error box; Ignore leaves it closed and says so.
    failWith = ado::adErrInvalidConnection;
    responder->answerMsg(vb::vbIgnore);
    d.ReintentaConectar();
    EXPECT_FALSE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateClosed);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral(" - AbrirRecordset")));

    // Retry repeats the reopen, which then succeeds.
    opens = 0;
    responder->answerMsg(vb::vbRetry);
    d.gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s == cadena && opens++ == 0)
            return providerError(ado::adErrInvalidConnection);
        return std::nullopt;
    });
    d.ReintentaConectar();
    EXPECT_EQ(opens, 2);
    EXPECT_TRUE(d.gOpenFlag);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
}

// ---- Local database file ----------------------------------------------------------------------

namespace {

struct FakeDialog : DB_Dll::ClsDialogoArchivo {
    QStringList answers; // "" = cancelled
    int shown = 0;
    void MuestraAbrir() override {
        ++shown;
        chosen_ = answers.isEmpty() ? QString() : answers.takeFirst();
        cancelled_ = chosen_.isEmpty();
    }
    QString title() const { return title_; }
    QString filter() const { return filter_; }
};

} // namespace

TEST_F(ConexionTest, LocalFileOpens) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    d.gProveedor = DB_Dll::pJETOLEDB40();
    d.gDBName = db.path();
    d.gUsuario = QStringLiteral("Admin");
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(d.gConnString, QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =") +
                                 db.path() + QStringLiteral(";User ID=Admin;Password=;"));
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    EXPECT_FALSE(d.gOpenFlag); // not touched
}

TEST_F(ConexionTest, LocalFilePickedInDialog) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    auto dialog = std::make_shared<FakeDialog>();
    d.CmdDlg = dialog;
    d.gProveedor = DB_Dll::pJETOLEDB40();
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(dialog->shown, 1);
    EXPECT_EQ(dialog->title(), QStringLiteral("Buscar Base de Datos"));
    EXPECT_EQ(dialog->filter(), QStringLiteral("Base de Datos de Microsoft Access |*.MDB"));
    EXPECT_EQ(d.gCnn->State(), ado::adStateClosed);

    dialog->answers = {db.path()};
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(d.gDBName, db.path());
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
}

TEST_F(ConexionTest, LocalFileNotFoundAsksForAnother) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    auto dialog = std::make_shared<FakeDialog>();
    dialog->answers = {db.path()};
    d.CmdDlg = dialog;
    d.gProveedor = DB_Dll::pJETOLEDB40();
    d.gDBName = QStringLiteral("/nada/VIEJA.MDB");
    d.gCnn->setFaultInjector([](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("VIEJA.MDB")))
            return providerError(ado::adErrUnspecified, 0, QStringLiteral("3024"));
        return std::nullopt;
    });
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(dialog->shown, 1);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ConexionTest, LocalPasswordTypedOrGivenUp) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    d.gProveedor = DB_Dll::pJETOLEDB40();
    d.gDBName = db.path();
    QStringList opens;
    d.gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (!s.startsWith(QStringLiteral("PROVIDER=")))
            return std::nullopt;
        opens << s;
        if (s.endsWith(QStringLiteral(" Jet OLEDB:Database Password=buena;")))
            return std::nullopt;
        return providerError(ado::adErrUnspecified, 0, QStringLiteral("3031"));
    });
    responder->answerInput(QStringLiteral("mala"));
    responder->answerInput(QStringLiteral("buena"));
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(opens.size(), 3);
    EXPECT_EQ(d.gCnn->State(), ado::adStateOpen);
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_TRUE(responder->shown[0].isInput);
    EXPECT_EQ(responder->shown[0].prompt, QStringLiteral("ingrese el password:"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Password Access"));

    // Cancel (an empty answer) gives up.
    d.gCnn->Close();
    opens.clear();
    responder->shown.clear();
    responder->answerInput(QString());
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    EXPECT_EQ(opens.size(), 1);
    EXPECT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(d.gCnn->State(), ado::adStateClosed);
}

TEST_F(ConexionTest, LocalStoredPasswordIsTriedBoundedTimes) {
    TempDatabase db;
    DB_Dll& d = gDatos();
    d.gProveedor = DB_Dll::pJETOLEDB40();
    d.gDBName = db.path();
    d.gUserPassWord = QStringLiteral("vieja");
    d.gIgnoraPassWord = true;
    responder->answerMsg(vb::vbOK);
    QStringList opens;
    d.gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (!s.startsWith(QStringLiteral("PROVIDER=")))
            return std::nullopt;
        opens << s;
        return providerError(ado::adErrUnspecified, 0, QStringLiteral("3031"));
    });
    d.OpenLocalADODB(QString(), QStringLiteral("User ID"), QStringLiteral("Password"));
    // The plain open, then the stored password three times.
    EXPECT_EQ(opens.size(), 4);
    EXPECT_TRUE(opens.last().endsWith(QStringLiteral(";Jet OLEDB:Database Password=vieja;")));
    // No input box; one final error box.
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_FALSE(responder->shown[0].isInput);
    EXPECT_EQ(d.gCnn->State(), ado::adStateClosed);
}
