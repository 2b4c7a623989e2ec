// Connection side of the ADO stand-in on real SQLite files: connection strings
// and engine choice, batches and transactions, the error table, the SQL Server
// functions and collation, busy waiting and fault injection.

#include "common/locks.h"
#include "common/odbc_env.h"
#include "common/tempdb.h"
#include "platform/ado/ado.h"
#include "platform/ado/ado_transaction.h"
#include "platform/ado/connstring.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/vb/vb.h"
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace ado;

namespace {

const char* kSchema = R"(
CREATE TABLE CLIENTES (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  CODIGO VARCHAR(6) COLLATE SQLSRV NOT NULL UNIQUE,
  NOMBRE VARCHAR(30) COLLATE SQLSRV,
  SALDO MONEY,
  ALTA DATETIME);
CREATE TABLE USUARIOS (NOMBRE VARCHAR(20) COLLATE SQLSRV PRIMARY KEY, CLAVE VARCHAR(10));
)";

class AdoConnection : public ::testing::Test {
protected:
    QTemporaryDir dir;

    QString makeDb(const QString& file, const char* schema = kSchema) {
        const QString path = dir.filePath(file);
        sqlite3* db = nullptr;
        EXPECT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
        registerSqlServerFunctions(db);
        char* err = nullptr;
        EXPECT_EQ(sqlite3_exec(db, schema, nullptr, nullptr, &err), SQLITE_OK) << err;
        sqlite3_free(err);
        sqlite3_close(db);
        return path;
    }
    QString serverString(const QString& database) const {
        return QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=%2;Pwd=%2;")
            .arg(dir.path(), database);
    }
    ConnectionPtr open(const QString& database = QStringLiteral("empresa")) {
        auto c = Connection::create();
        c->Open(testutil::viaOdbc()
                    ? testutil::odbcConnectionString(dir.filePath(database + QStringLiteral(".db")))
                    : serverString(database));
        return c;
    }
    long count(const ConnectionPtr& c, const QString& table) {
        auto rs = c->Execute(QStringLiteral("SELECT COUNT(*) AS N FROM ") + table);
        return rs->value(0).toInt();
    }
    // Runs `f`, which must throw ado::Exception, and returns its first error.
    template <typename F> Error failure(F f) {
        try {
            f();
        } catch (const Exception& e) {
            return e.error();
        }
        ADD_FAILURE() << "no ado::Exception";
        return Error{};
    }
};

} // namespace

// ---- Connection strings and engine choice --------------------------------------------------

TEST(AdoConnectionString, KeysIgnoreCaseAndBlanksAndQuotedValuesKeepSemicolons) {
    const auto p = parseConnectionString(
        QStringLiteral("PROVIDER=SQLOLEDB;Server=srv\\QUINDEL;Database =empresa; UId=ana ;"
                       "Pwd=\"a;b\"\"c\";Data  Source = x;NoValue;Pwd2='';server=otro"));
    EXPECT_EQ(p.value(QStringLiteral("Provider")), QStringLiteral("SQLOLEDB"));
    EXPECT_EQ(p.value(QStringLiteral("DATABASE")), QStringLiteral("empresa"));
    EXPECT_EQ(p.value(QStringLiteral("uid")), QStringLiteral("ana"));
    EXPECT_EQ(p.value(QStringLiteral("pwd")), QStringLiteral("a;b\"c"));
    EXPECT_EQ(p.value(QStringLiteral("data source")), QStringLiteral("x"));
    EXPECT_EQ(p.value(QStringLiteral("server")), QStringLiteral("otro")); // later wins
    EXPECT_TRUE(p.has(QStringLiteral("pwd2")));
    EXPECT_FALSE(p.has(QStringLiteral("novalue")));
}

TEST_F(AdoConnection, ServerFolderOpensOneFilePerDatabaseName) {
    makeDb(QStringLiteral("empresa.db"));
    makeDb(QStringLiteral("GRUPO.db"));
    makeDb(QStringLiteral("pdv01")); // a file named exactly like the database
    auto c = open();
    EXPECT_EQ(c->State(), adStateOpen);
    EXPECT_EQ(c->DefaultDatabase(), QStringLiteral("empresa"));
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('E1')"));

    c->setDefaultDatabase(QStringLiteral("grupo")); // letter case ignored
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 0);
    c->setDefaultDatabase(QStringLiteral("PDV01"));
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 0);
    c->setDefaultDatabase(QStringLiteral("empresa"));
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 1);

    Error e = failure([&] { c->setDefaultDatabase(QStringLiteral("nadie")); });
    EXPECT_EQ(e.NativeError, nativeUnknownDatabase);
    ASSERT_EQ(c->errors().Count(), 1);
    EXPECT_EQ(c->DefaultDatabase(), QStringLiteral("empresa")); // still usable
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 1);
}

TEST_F(AdoConnection, MissingDatabaseIsNeverCreated) {
    auto c = Connection::create();
    Error e = failure([&] { c->Open(serverString(QStringLiteral("nueva"))); });
    EXPECT_EQ(e.Number, adErrUnspecified);
    EXPECT_EQ(e.NativeError, nativeCannotOpenDatabase);
    EXPECT_EQ(c->errors().Count(), 1);
    EXPECT_EQ(c->State(), adStateClosed);
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nueva.db"))));
    EXPECT_FALSE(QFile::exists(dir.filePath(QStringLiteral("nueva"))));
}

// A database name is a file of the server's folder, never a path elsewhere.
TEST_F(AdoConnection, DatabaseNamesNeverReachOutsideTheServerFolder) {
    makeDb(QStringLiteral("empresa.db"));
    ASSERT_TRUE(QDir(dir.path()).mkpath(QStringLiteral("srv/sub")));
    makeDb(QStringLiteral("srv/propia.db"));
    makeDb(QStringLiteral("srv/sub/empresa.db"));
    const QString server = QStringLiteral("Server=") + dir.filePath(QStringLiteral("srv"));
    auto propia = Connection::create();
    propia->Open(server + QStringLiteral(";Database=propia"));
    for (const QString& name : {QStringLiteral("../empresa"), QStringLiteral("..\\empresa"),
                                QStringLiteral("sub/empresa"), dir.filePath("empresa.db")}) {
        auto c = Connection::create();
        EXPECT_EQ(
            failure([&] { c->Open(server + QStringLiteral(";Database=") + name); }).NativeError,
            nativeCannotOpenDatabase);
        EXPECT_EQ(failure([&] { propia->setDefaultDatabase(name); }).NativeError,
                  nativeUnknownDatabase);
        EXPECT_EQ(propia->DefaultDatabase(), QStringLiteral("propia")) << name.toStdString();
    }
}

TEST_F(AdoConnection, AnEmptyFileIsAnEmptyDatabaseThatAScriptFills) {
    QFile f(dir.filePath(QStringLiteral("nueva.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    auto c = open(QStringLiteral("nueva"));
    c->Execute(QStringLiteral("CREATE TABLE TA_CONFIGURACION (\r\n"
                              "  CLAVE VARCHAR(40) COLLATE SQLSRV NOT NULL,\r\n"
                              "  VALOR VARCHAR(255) COLLATE SQLSRV);\r\n"
                              "CREATE UNIQUE INDEX IX_CLAVE ON TA_CONFIGURACION (CLAVE)\r\n"
                              "CREATE VIEW V_CONF AS\r\n"
                              "SELECT CLAVE FROM TA_CONFIGURACION\r\n"
                              "INSERT INTO TA_CONFIGURACION VALUES ('Periodo', '2024')\r\n"));
    EXPECT_EQ(count(c, QStringLiteral("V_CONF WHERE CLAVE = 'PERIODO '")), 1);
}

// A server that is a local path but no folder is no server: it fails at once.
TEST_F(AdoConnection, APathThatIsNoFolderFailsAsAMissingServer) {
    auto c = Connection::create();
    Error e = failure([&] {
        c->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =x;UId=x;Pwd=x;")
                    .arg(dir.filePath(QStringLiteral("no-existe"))));
    });
    EXPECT_EQ(e.Number, adErrUnspecified);
    EXPECT_EQ(e.SQLState, QStringLiteral("08001"));
    EXPECT_EQ(e.NativeError, nativeServerNotFound);
    EXPECT_EQ(c->State(), adStateClosed);
}

TEST_F(AdoConnection, LocalFileProviderOpensTheNamedFile) {
    const QString path = makeDb(QStringLiteral("local.mdb"));
    auto c = Connection::create();
    c->Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =%1;User Id=a;Password=b;")
                .arg(path));
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 0);
    Error e = failure([&] { c->Open(); });
    EXPECT_EQ(e.Number, adErrObjectOpen);
    c->Close();
    EXPECT_EQ(failure([&] { c->Close(); }).Number, adErrObjectClosed);
    EXPECT_EQ(failure([&] { c->Execute(QStringLiteral("SELECT 1")); }).Number,
              adErrInvalidConnection);

    // Jet's SQL states tell a missing file from a bad path.
    e = failure([&] {
        c->Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =%1;")
                    .arg(dir.filePath(QStringLiteral("otra.mdb"))));
    });
    EXPECT_EQ(e.SQLState, QStringLiteral("3024"));
    e = failure([&] {
        c->Open(QStringLiteral("PROVIDER=Microsoft.Jet.OLEDB.4.0;Data Source =/no/existe/x.mdb;"));
    });
    EXPECT_EQ(e.SQLState, QStringLiteral("3044"));
}

TEST_F(AdoConnection, AFileThatIsNoDatabaseFailsToOpen) {
    QFile f(dir.filePath(QStringLiteral("empresa.db")));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(4096, 'x'));
    f.close();
    auto c = Connection::create();
    Error e = failure([&] { c->Open(serverString(QStringLiteral("empresa"))); });
    EXPECT_EQ(e.Number, adErrUnspecified);
    EXPECT_EQ(c->State(), adStateClosed);
}

// ---- Batches and transactions ---------------------------------------------------------------

TEST_F(AdoConnection, FailedBatchStopsAndRollbackLeavesNoRow) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    const QString batch =
        QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO CLIENTES (CODIGO) VALUES ('A1')\r"
                       "INSERT INTO CLIENTES (CODIGO) VALUES ('a1')\r"
                       "INSERT INTO CLIENTES (CODIGO) VALUES ('A3')\r");
    long affected = 77;
    Error e = failure([&] { c->Execute(batch, &affected); });
    EXPECT_EQ(affected, 77); // untouched on failure
    EXPECT_EQ(e.Number, adErrIntegrity);
    ASSERT_EQ(c->errors().Count(), 2); // as SQL Server: the error, then "statement terminated"
    EXPECT_EQ(c->errors().Item(0).NativeError, nativeDuplicateKey);
    EXPECT_EQ(c->errors().Item(0).Number, adErrIntegrity);
    EXPECT_EQ(c->errors().Item(0).SQLState, QStringLiteral("23000"));
    EXPECT_EQ(c->errors().Item(1).NativeError, nativeStatementTerminated);
    EXPECT_TRUE(c->inTransaction());
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 1); // the third never ran
    EXPECT_TRUE(c->errors().empty());                   // cleared by the next Execute

    c->Execute(QStringLiteral("ROLLBACK TRANSACTION"));
    EXPECT_FALSE(c->inTransaction());
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 0);

    // The same batch without the duplicate commits, counting every row.
    c->Execute(QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO CLIENTES (CODIGO) VALUES "
                              "('A1')\rINSERT INTO CLIENTES (CODIGO) VALUES ('A2')\r"),
               &affected);
    EXPECT_EQ(affected, 2);
    c->Execute(QStringLiteral("COMMIT TRANSACTION"));
    auto other = open();
    EXPECT_EQ(count(other, QStringLiteral("CLIENTES")), 2);
}

TEST_F(AdoConnection, TransactionsNestAndUnmatchedCommitFails) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    c->BeginTrans();
    c->Execute(QStringLiteral("BEGIN TRAN"));
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('N1')"));
    c->Execute(QStringLiteral("COMMIT"));
    EXPECT_TRUE(c->inTransaction()); // inner commit writes nothing yet
    c->RollbackTrans();
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 0);

    Error e = failure([&] { c->Execute(QStringLiteral("COMMIT TRANSACTION")); });
    EXPECT_EQ(e.NativeError, nativeNoTransactionToCommit);
    EXPECT_EQ(c->errors().Count(), 1);

    c->BeginTrans();
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('N2')"));
    c->CommitTrans();
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 1);

    // Closing with a transaction open undoes it.
    c->BeginTrans();
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('N3')"));
    c->Close();
    EXPECT_EQ(count(open(), QStringLiteral("CLIENTES")), 1);
}

TEST_F(AdoConnection, ScopedTransactionRollsBackUnlessCommitted) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    const auto refuse = [](const char* command) -> FaultInjector {
        return [command](const QString& s) -> std::optional<Error> {
            if (s.startsWith(QLatin1String(command)))
                return Error{long(adErrUnspecified), QStringLiteral("rechazado"), {}, 0, {}};
            return std::nullopt;
        };
    };
    enum class End { Commit, Leave, Throw, RefusedCommit };
    const struct {
        End end;
        long kept;
    } cases[] = {{End::Commit, 1}, {End::Leave, 0}, {End::Throw, 0}, {End::RefusedCommit, 0}};
    for (const auto& k : cases) {
        const int n = int(k.end);
        c->Execute(QStringLiteral("DELETE FROM CLIENTES"));
        c->setFaultInjector(k.end == End::RefusedCommit ? refuse("COMMIT") : FaultInjector{});
        bool reported = false;
        try {
            ScopedTransaction t(c);
            t.Begin();
            c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('T1')"));
            if (k.end == End::Throw)
                throw std::logic_error("fuera");
            if (k.end != End::Leave)
                t.Commit();
        } catch (const Exception&) {
            reported = true;
        } catch (const std::logic_error&) {
        }
        c->setFaultInjector({});
        EXPECT_EQ(reported, k.end == End::RefusedCommit) << n;
        EXPECT_FALSE(c->inTransaction()) << n;
        EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), k.kept) << n;
    }

    // A refused begin leaves alone the transaction the connection already has.
    c->BeginTrans();
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('T2')"));
    c->setFaultInjector(refuse("BEGIN"));
    {
        ScopedTransaction t(c);
        EXPECT_THROW(t.Begin(), Exception);
    }
    c->setFaultInjector({});
    EXPECT_TRUE(c->inTransaction());
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 1);
    c->RollbackTrans();
}

TEST_F(AdoConnection, ExecuteReturnsRowsOfTheLastQueryAndCountsChanges) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    long affected = 0;
    auto none = c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('1');"
                                          "INSERT INTO CLIENTES (CODIGO) VALUES ('2')"),
                           &affected);
    EXPECT_EQ(none->State(), adStateClosed);
    EXPECT_EQ(affected, 2);
    auto rs = c->Execute(QStringLiteral("SET NOCOUNT ON\r\nUPDATE CLIENTES SET NOMBRE = 'x'\r\n"
                                        "SELECT CODIGO FROM CLIENTES ORDER BY CODIGO DESC"),
                         &affected);
    EXPECT_EQ(affected, 2);
    ASSERT_EQ(rs->State(), adStateOpen);
    EXPECT_EQ(rs->value(QStringLiteral("codigo")).toString(), QStringLiteral("2"));
    c->Execute(QStringLiteral("SELECT 1"), &affected);
    EXPECT_EQ(affected, -1);
}

// One text run once per row: each row's values go in as given, through the
// server's refusals, and a schema change in between prepares the text again.
TEST_F(AdoConnection, PreparedStatementRunsOncePerRowWithItsValues) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    int preguntas = 0;
    c->setFaultInjector([&](const QString&) -> std::optional<Error> {
        ++preguntas;
        return std::nullopt;
    });
    // Written in the server's dialect: the brackets are rewritten once.
    const QString alta =
        QStringLiteral("INSERT INTO CLIENTES ([CODIGO], NOMBRE, SALDO, ALTA) VALUES (?, ?, ?, ?)");
    long escritas = 0;
    c->ExecutePrepared(
        alta,
        {{QStringLiteral("A1"), QStringLiteral("Ana"),
          vb::fromCurrency(*vb::Currency::parse(QStringLiteral("10.5"), u'.')), QDate(2023, 3, 15)},
         {QStringLiteral("B2"), QVariant(), 0.25,
          QDateTime(QDate(2023, 4, 1), QTime(17, 45), Qt::UTC)}},
        &escritas);
    EXPECT_EQ(escritas, 2);
    EXPECT_EQ(preguntas, 2);
    auto rs = c->Execute(QStringLiteral("SELECT CODIGO, NOMBRE, SALDO FROM CLIENTES ORDER BY "
                                        "CODIGO"));
    EXPECT_EQ(rs->value(1).toString(), QStringLiteral("Ana"));
    EXPECT_EQ(vb::toCurrency(rs->value(2)).toString(), QStringLiteral("10,5"));
    rs->MoveNext();
    EXPECT_TRUE(vb::IsNull(rs->value(1)));
    // Dates are stored as the engine stores them, ISO text.
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES WHERE ALTA || '' IN ('2023-03-15 00:00:00', "
                                      "'2023-04-01 17:45:00')")),
              2);

    // A refused row stops the run; the transaction undoes the rows before it.
    c->Execute(QStringLiteral("ALTER TABLE CLIENTES ADD NOTA VARCHAR(3)"));
    c->BeginTrans();
    const Error e = failure([&] {
        c->ExecutePrepared(alta, {{QStringLiteral("C3"), QStringLiteral("x"), 1, QVariant()},
                                  {QStringLiteral("DEMASIADO"), QStringLiteral("y"), 2, QVariant()},
                                  {QStringLiteral("E5"), QStringLiteral("z"), 3, QVariant()}});
    });
    EXPECT_EQ(e.NativeError, nativeTruncation);
    ASSERT_GE(c->errors().Count(), 1);
    EXPECT_EQ(c->errors().Item(0).NativeError, nativeTruncation);
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 3);
    c->RollbackTrans();
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 2);

    // A row with too few values never runs.
    EXPECT_NE(failure([&] { c->ExecutePrepared(alta, {{QStringLiteral("F6")}}); }).Description,
              QString());
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 2);
}

// ---- The error table ------------------------------------------------------------------------

TEST(AdoErrorTable, SqliteCodesMapOntoTheNumbersTheProgramTests) {
    struct Case {
        int code;
        const char* message;
        long number, native;
        const char* state;
        size_t errors;
    };
    const Case cases[] = {
        {SQLITE_CONSTRAINT_PRIMARYKEY, "UNIQUE constraint failed: T.ID", adErrIntegrity, 2627,
         "23000", 2},
        {SQLITE_CONSTRAINT_UNIQUE, "UNIQUE constraint failed: T.C", adErrIntegrity, 2627, "23000",
         2},
        {SQLITE_CONSTRAINT_NOTNULL, "NOT NULL constraint failed: T.C", adErrIntegrity, 515, "23000",
         2},
        {SQLITE_CONSTRAINT_FOREIGNKEY, "FOREIGN KEY constraint failed", adErrIntegrity, 547,
         "23000", 2},
        {SQLITE_CONSTRAINT_TRIGGER, "no", adErrCommand, 50000, "42000", 1},
        {SQLITE_ERROR, "no such table: X", adErrNoSuchTable, 208, "42S02", 1},
        {SQLITE_ERROR, "no such column: X", adErrCommand, 207, "42S22", 1},
        {SQLITE_ERROR, "near \"FORM\": syntax error", adErrCommand, 102, "42000", 1},
        {SQLITE_ERROR, "Conversion failed when converting the value 'x' to data type int.",
         adErrCommand, 245, "22018", 2},
        {SQLITE_BUSY, "database is locked", adErrUnspecified, 1222, "HYT00", 1},
        {SQLITE_LOCKED_SHAREDCACHE, "database table is locked", adErrUnspecified, 1222, "HYT00", 1},
        {SQLITE_IOERR_READ, "disk I/O error", adErrUnspecified, 0, "HY000", 1},
        {SQLITE_NOTADB, "file is not a database", adErrUnspecified, 0, "HY000", 1},
    };
    for (const auto& c : cases) {
        const Exception e = sqliteException(c.code, QString::fromUtf8(c.message));
        EXPECT_EQ(e.error().Number, c.number) << c.message;
        EXPECT_EQ(e.error().NativeError, c.native) << c.message;
        EXPECT_EQ(e.error().SQLState, QString::fromLatin1(c.state)) << c.message;
        // A busy file is told in the server's words.
        EXPECT_EQ(e.error().Description, c.native == nativeLockTimeout
                                             ? lockTimeoutError().Description
                                             : QString::fromUtf8(c.message));
        EXPECT_EQ(e.all().size(), c.errors) << c.message;
    }
}

TEST_F(AdoConnection, StatementFailuresReachErrorsMapped) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    EXPECT_EQ(failure([&] { c->Execute(QStringLiteral("SELECT * FROM NO_HAY")); }).NativeError,
              nativeUnknownTable);
    EXPECT_EQ(c->errors().Item(0).Number, adErrNoSuchTable);
    EXPECT_EQ(failure([&] { c->Execute(QStringLiteral("SELECT NO_HAY FROM CLIENTES")); }).Number,
              adErrCommand);
    EXPECT_EQ(failure([&] {
                  c->Execute(QStringLiteral("INSERT INTO CLIENTES (NOMBRE) VALUES "
                                            "('x')"));
              }).NativeError,
              nativeNotNull);
}

// ---- Text comparison and functions ------------------------------------------------------------

TEST_F(AdoConnection, TextComparesIgnoringCaseAndTrailingBlanks) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    c->Execute(QStringLiteral("INSERT INTO USUARIOS (NOMBRE) VALUES ('ana ')"));
    c->Execute(QStringLiteral("INSERT INTO USUARIOS (NOMBRE) VALUES ('Ñandú')"));
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE = 'ANA'")), 1);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE = 'ñANDÚ  '")), 1);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE = 'nandu'")), 0); // accents count
    EXPECT_EQ(failure([&] {
                  c->Execute(QStringLiteral("INSERT INTO USUARIOS (NOMBRE) VALUES ('ANA')"));
              }).NativeError,
              nativeDuplicateKey);
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('b')"));
    EXPECT_EQ(failure([&] {
                  c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('B  ')"));
              }).NativeError,
              nativeDuplicateKey);

    // LIKE ignores case, accented letters included, and knows SQL Server's sets.
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE '%ANDÚ'")), 1);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE '[a-c]n_'")), 1);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE '[^a]%'")), 1);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE 'an'")), 0);
    EXPECT_EQ(count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE 'a!%' ESCAPE '!'")), 0);
}

// A scan compares the pattern's first letter before reading a value whole:
// the rows it keeps are those the whole comparison keeps.
TEST_F(AdoConnection, LikeOverManyRowsKeepsWhatTheWholeComparisonKeeps) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    c->Execute(QStringLiteral("INSERT INTO USUARIOS (NOMBRE) VALUES ('ana '), ('Ñandú'), "
                              "('ANTONIO'), ('%pct'), ('9x'), ('')"));
    const std::pair<const char*, int> casos[] = {
        {"'A%'", 2}, {"'ñ%'", 1},  {"'n%'", 0},   {"'!%%' ESCAPE '!'", 1},
        {"'9%'", 1}, {"'_n%'", 2}, {"'[a]%'", 2}, {"'%'", 6},
    };
    for (const auto& [patron, filas] : casos)
        EXPECT_EQ(
            count(c, QStringLiteral("USUARIOS WHERE NOMBRE LIKE ") + QString::fromUtf8(patron)),
            filas)
            << patron;
}

TEST_F(AdoConnection, SqlServerFunctionsAreRegistered) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    vb::setClock([] { return vb::MakeDate(2024, 3, 5, 14, 30, 15); });
    auto rs = c->Execute(QStringLiteral(
        "SELECT LEN('ab  ') AS L, CHARINDEX('B', 'abcb') AS C1, CHARINDEX('b', 'abcb', 3) AS C2, "
        "MONTH('2024-03-05 10:00:00') AS M, YEAR('2024-03-05') AS Y, DAY('2024-03-05') AS D, "
        "REPLICATE('0', 3) AS R, LEFT_STR('abcd', 2) AS LS, RIGHT_STR('abcd', 3) AS RS, "
        "CONVERT_INT(' 7 ') AS I, CONVERT_INT('') AS I0, CONVERT_INT(7.9) AS I7, "
        "CONVERT_TEXT('2024-03-05 00:00:00', 103) AS T, CONVERT_DATETIME('31/12/2020', 103) AS DT, "
        "CONVERT_MONEY('1.23456') AS MO, GETDATE() AS HOY"));
    EXPECT_EQ(rs->value(QStringLiteral("L")).toInt(), 2);
    EXPECT_EQ(rs->value(QStringLiteral("C1")).toInt(), 2);
    EXPECT_EQ(rs->value(QStringLiteral("C2")).toInt(), 4);
    EXPECT_EQ(rs->value(QStringLiteral("M")).toInt(), 3);
    EXPECT_EQ(rs->value(QStringLiteral("Y")).toInt(), 2024);
    EXPECT_EQ(rs->value(QStringLiteral("D")).toInt(), 5);
    EXPECT_EQ(rs->value(QStringLiteral("R")).toString(), QStringLiteral("000"));
    EXPECT_EQ(rs->value(QStringLiteral("LS")).toString(), QStringLiteral("ab"));
    EXPECT_EQ(rs->value(QStringLiteral("RS")).toString(), QStringLiteral("bcd"));
    EXPECT_EQ(rs->value(QStringLiteral("I")).toInt(), 7);
    EXPECT_EQ(rs->value(QStringLiteral("I0")).toInt(), 0);
    EXPECT_EQ(rs->value(QStringLiteral("I7")).toInt(), 7);
    EXPECT_EQ(rs->value(QStringLiteral("T")).toString(), QStringLiteral("05/03/2024"));
    EXPECT_EQ(rs->value(QStringLiteral("DT")).toDateTime(), vb::MakeDate(2020, 12, 31));
    EXPECT_DOUBLE_EQ(rs->value(QStringLiteral("MO")).toDouble(), 1.2346);
    // GETDATE() reads as a date although SQLite hands back text.
    EXPECT_EQ(rs->Fields(QStringLiteral("HOY")).Type(), adDBTimeStamp);
    EXPECT_EQ(rs->value(QStringLiteral("HOY")).toDateTime(), vb::MakeDate(2024, 3, 5, 14, 30, 15));
    vb::setClock({});

    EXPECT_EQ(failure([&] { c->Execute(QStringLiteral("SELECT CONVERT_INT('7x')")); }).NativeError,
              nativeConversion);
    EXPECT_EQ(
        failure([&] { c->Execute(QStringLiteral("SELECT MONTH('31/02/2020')")); }).NativeError,
        nativeDateOutOfRange);
}

// ---- Two processes on one file ------------------------------------------------------------------

// A write that meets another connection's lock waits the lock wait, not the
// command time-out, and fails with the server's lock time-out; both
// connections stay open and the holder's transaction commits whole.
TEST_F(AdoConnection, SecondWriterWaitsBrieflyThenTimesOut) {
    makeDb(QStringLiteral("empresa.db"));
    auto a = open();
    auto b = open();
    a->BeginTrans();
    a->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('A')"));
    b->CommandTimeout = 360;
    testutil::LockWaits waits(300);
    QElapsedTimer t;
    t.start();
    Error e =
        failure([&] { b->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('B')")); });
    EXPECT_GE(t.elapsed(), 300); // waited, did not fail at once
    EXPECT_EQ(e.Number, adErrUnspecified);
    EXPECT_EQ(e.NativeError, nativeLockTimeout);
    EXPECT_EQ(e.Description, lockTimeoutError().Description);
    EXPECT_EQ(waits.told, (QList<bool>{true, false}));
    EXPECT_EQ(b->State(), adStateOpen);
    a->CommitTrans();
    b->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('B')"));
    EXPECT_EQ(count(a, QStringLiteral("CLIENTES")), 2);
}

// ---- Fault injection ---------------------------------------------------------------------------

TEST_F(AdoConnection, InjectedFaultsFailTheirStatementsOnly) {
    makeDb(QStringLiteral("empresa.db"));
    auto c = open();
    QStringList seen;
    c->setFaultInjector([&](const QString& s) -> std::optional<Error> {
        seen << s;
        if (s.contains(QLatin1String("'X'")))
            return Error{adErrIntegrity,
                         QStringLiteral("rechazado"),
                         QStringLiteral("23000"),
                         nativeDuplicateKey,
                         {}};
        if (s.contains(QLatin1String("USUARIOS")))
            return lostLinkError();
        return std::nullopt;
    });
    c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('A')\rINSERT INTO CLIENTES "
                              "(CODIGO) VALUES ('B')"));
    EXPECT_EQ(seen, QStringList({QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('A')"),
                                 QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('B')")}));
    Error e = failure([&] {
        c->Execute(QStringLiteral("INSERT INTO CLIENTES (CODIGO) VALUES ('C')\rINSERT INTO "
                                  "CLIENTES (CODIGO) VALUES ('X')\rINSERT INTO CLIENTES (CODIGO) "
                                  "VALUES ('D')"));
    });
    EXPECT_EQ(e.Description, QStringLiteral("rechazado"));
    ASSERT_EQ(c->errors().Count(), 1);
    EXPECT_EQ(c->errors().Item(0).NativeError, nativeDuplicateKey);
    EXPECT_EQ(count(c, QStringLiteral("CLIENTES")), 3); // A, B, C; D never ran

    auto rs = Recordset::create();
    e = failure([&] { rs->Open(QStringLiteral("SELECT * FROM USUARIOS"), c); });
    EXPECT_EQ(e.NativeError, nativeLostLink);
    EXPECT_EQ(c->errors().Item(0).NativeError, nativeLostLink);
    EXPECT_EQ(rs->State(), adStateClosed);

    // A lost link can be kept from coming back: the injector also sees Open.
    c->setFaultInjector([opened = c->ConnectionString](const QString& s) -> std::optional<Error> {
        if (s == opened)
            return lostLinkError();
        return std::nullopt;
    });
    c->Close();
    EXPECT_EQ(failure([&] { c->Open(); }).NativeError, nativeLostLink);
    c->setFaultInjector({});
    c->Open();
    EXPECT_EQ(c->State(), adStateOpen);
}
