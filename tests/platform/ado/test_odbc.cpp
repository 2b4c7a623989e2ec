// The ODBC engine's own side: connection strings for the drivers, the
// servers' diagnostics in the program's numbers, a refused connection
// through FreeTDS, the Oracle road through a data source name, and on the
// demo schema through the SQLite ODBC driver the same column types and sizes
// as the embedded engine, and write-back by primary key.

#include "common/odbc_env.h"
#include "common/tempdb.h"
#include "platform/ado/ado.h"
#include "platform/ado/connstring.h"
#include "platform/ado/engine_odbc.h"
#include "platform/vb/vb.h"
#include <QElapsedTimer>
#include <QFile>
#include <QTcpServer>
#include <gtest/gtest.h>

using namespace ado;

namespace {

class DriverSetting {
public:
    explicit DriverSetting(const QString& value) : saved_(qgetenv(kName)) {
        if (value.isNull())
            qunsetenv(kName);
        else
            qputenv(kName, value.toUtf8());
    }
    ~DriverSetting() {
        if (saved_.isNull())
            qunsetenv(kName);
        else
            qputenv(kName, saved_);
    }

private:
    static constexpr const char* kName = "QUARZELO_SQLSERVER_DRIVER";
    QByteArray saved_;
};

template <typename F> Error failure(F f) {
    try {
        f();
    } catch (const Exception& e) {
        return e.error();
    }
    ADD_FAILURE() << "no ado::Exception";
    return Error{};
}

} // namespace

TEST(OdbcConnectionString, TheProgramsStringsBecomeTheDriversOnes) {
    struct Case {
        const char* setting; // nullptr: unset
        const char* oledb;
        const char* odbc;
        const char* database;
    };
    const Case cases[] = {
        {nullptr, "PROVIDER=SQLOLEDB;Server=srv\\QUINDEL;Database =EMPRESA;UId=EMPRESA;Pwd=a;b;",
         "DRIVER=FreeTDS;SERVER=srv\\QUINDEL;DATABASE=EMPRESA;UID=EMPRESA;PWD=a;", "EMPRESA"},
        {"", "PROVIDER=SQLOLEDB;Server=10.1.1.9,1500;Database =E;UId=u;Pwd={x};",
         "DRIVER=FreeTDS;SERVER=10.1.1.9;PORT=1500;DATABASE=E;UID=u;PWD={{x}}};", "E"},
        {"ODBC Driver 18 for SQL Server",
         "PROVIDER=SQLOLEDB;Server=srv,1500;Database =E;UId=u;"
         "Pwd=\"p;w\";",
         "DRIVER=ODBC Driver 18 for SQL Server;SERVER=srv,1500;DATABASE=E;UID=u;PWD={p;w};", "E"},
        {nullptr, "Provider=OraOLEDB.Oracle.1;Data Source=VENTAS;User Id=V;Password=V;",
         "DSN=VENTAS;UID=V;PWD=V;", "VENTAS"},
        {nullptr, "DSN=QZ;UID=a;Database=E", "database=E;dsn=QZ;uid=a;", "E"},
        {nullptr, "Driver=SQLite3;Database=/datos/EMPRESA.db",
         "database=/datos/EMPRESA.db;driver=SQLite3;", "EMPRESA"},
    };
    for (const auto& c : cases) {
        const DriverSetting setting(c.setting ? QString::fromUtf8(c.setting) : QString());
        const OdbcTarget t =
            odbcTarget(parseConnectionString(QString::fromUtf8(c.oledb)), QStringLiteral("OTRA"));
        EXPECT_EQ(t.connectionString.toStdString(), c.odbc) << c.oledb;
        EXPECT_EQ(t.database.toStdString(), c.database) << c.oledb;
    }
}

TEST(OdbcErrorTable, ServerDiagnosticsMapOntoTheNumbersTheProgramTests) {
    struct Case {
        const char* state;
        long native;
        bool connecting;
        long number, mappedNative;
        const char* mappedState;
    };
    const Case cases[] = {
        {"23000", 2627, false, adErrIntegrity, 2627, "23000"},
        {"23000", 515, false, adErrIntegrity, 515, "23000"},
        {"22001", 8152, false, adErrDataOverflow, 8152, "22001"},
        {"42S02", 208, false, adErrNoSuchTable, 208, "42S02"},
        {"42000", 102, false, adErrCommand, 102, "42000"},
        {"HY000", 1222, false, adErrUnspecified, 1222, "HYT00"},
        {"HYT00", 0, false, adErrTimeout, 0, "HYT00"},
        {"08S01", 20006, false, adErrUnspecified, 11, "08S01"},
        {"08S01", 0, false, adErrUnspecified, 11, "08S01"},
        {"08001", 20009, true, adErrUnspecified, 17, "08001"},
        {"IM002", 0, true, adErrUnspecified, 17, "08001"},
        {"01000", 0, true, adErrUnspecified, 17, "08001"},
        {"28000", 18456, true, adErrUnspecified, 18456, "28000"},
    };
    for (const auto& c : cases) {
        const Exception e = odbcException(
            {{QString::fromLatin1(c.state), c.native, QStringLiteral("texto del servidor")},
             {QStringLiteral("01000"), 3621, QStringLiteral("Se terminó la instrucción.")}},
            ServerKind::SqlServer, c.connecting);
        EXPECT_EQ(e.error().Number, c.number) << c.state << ' ' << c.native;
        EXPECT_EQ(e.error().NativeError, c.mappedNative) << c.state << ' ' << c.native;
        EXPECT_EQ(e.error().SQLState.toStdString(), c.mappedState) << c.native;
        EXPECT_EQ(e.error().Description, QStringLiteral("texto del servidor"));
        ASSERT_EQ(e.all().size(), 2u);
        if (c.connecting)
            continue;
        EXPECT_EQ(e.all()[1].NativeError, 3621); // the server's own companion stays
        EXPECT_EQ(e.all()[1].Number, c.number);
    }
}

// Nothing listens on the port: FreeTDS is refused at once, and the program
// sees the missing server of its connection-failure box.
TEST(OdbcFreeTds, AClosedLocalPortFailsFastAsAMissingServer) {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost));
    const quint16 port = probe.serverPort();
    probe.close();
    const DriverSetting setting(testutil::freeTdsDriver());
    auto c = Connection::create();
    QElapsedTimer t;
    t.start();
    const Error e = failure([&] {
        c->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1,%1;Database =EMPRESA;"
                               "UId=EMPRESA;Pwd=EMPRESA;")
                    .arg(port));
    });
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_EQ(e.Number, adErrUnspecified);
    EXPECT_EQ(e.SQLState, QStringLiteral("08001"));
    EXPECT_EQ(e.NativeError, nativeServerNotFound);
    ASSERT_GE(c->errors().Count(), 1);
    EXPECT_EQ(c->errors().Item(0).NativeError, nativeServerNotFound);
    EXPECT_EQ(c->State(), adStateClosed);

    // Without the setting the default driver is asked for, which this
    // configuration does not register: refused as well, and as fast.
    const DriverSetting unset{QString()};
    EXPECT_EQ(failure([&] {
                  c->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=127.0.0.1,%1;").arg(port));
              }).NativeError,
              nativeServerNotFound);
}

// Oracle's string names a data source; here the data source is a SQLite file.
TEST(OdbcDataSource, AnOracleStringReachesItsDataSourceName) {
    QFile::remove(testutil::dsnDatabase());
    {
        testutil::TempDatabase db; // the driver's connections know the collation
        (void)db.odbcConnectionString();
        ASSERT_TRUE(QFile::copy(db.path(), testutil::dsnDatabase()));
    }
    auto c = Connection::create();
    c->Open(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=QZ_DSN;User Id=x;Password=y;"));
    EXPECT_EQ(c->DefaultDatabase(), QStringLiteral("QZ_DSN"));
    auto rs = c->Execute(QStringLiteral("SELECT COUNT(*) FROM TA_CONFIGURACION"));
    EXPECT_GE(rs->value(0).toInt(), 0);
    c->Close();
    QFile::remove(testutil::dsnDatabase());
}

// Every column of the company schema reads with the type and size the
// embedded engine gives it, in the catalogue and in the recordsets.
TEST(OdbcTypes, TheDemoSchemaReadsAsOnTheEmbeddedEngine) {
    testutil::TempDatabase db;
    auto embedded = Connection::create();
    embedded->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=a;Pwd=a;")
                       .arg(db.folder(), db.dbName()));
    auto odbc = Connection::create();
    odbc->Open(db.odbcConnectionString());
    EXPECT_EQ(odbc->serverKind(), ServerKind::Sqlite);
    EXPECT_EQ(odbc->DefaultDatabase(), embedded->DefaultDatabase());

    auto a = embedded->OpenSchema(adSchemaColumns);
    auto b = odbc->OpenSchema(adSchemaColumns);
    ASSERT_EQ(a->RecordCount(), b->RecordCount());
    ASSERT_GT(a->RecordCount(), 100);
    for (; !a->EOF(); a->MoveNext(), b->MoveNext()) {
        const QString where = a->value(QStringLiteral("TABLE_NAME")).toString() + u'.' +
                              a->value(QStringLiteral("COLUMN_NAME")).toString();
        for (const char* f : {"TABLE_NAME", "COLUMN_NAME", "ORDINAL_POSITION", "DATA_TYPE",
                              "CHARACTER_MAXIMUM_LENGTH", "IS_NULLABLE"})
            EXPECT_EQ(a->value(QLatin1String(f)), b->value(QLatin1String(f)))
                << where.toStdString() << ' ' << f;
    }

    for (auto t = embedded->OpenSchema(adSchemaTables, {{}, {}, {}, QStringLiteral("TABLE")});
         !t->EOF(); t->MoveNext()) {
        const QString sql = QStringLiteral("SELECT * FROM [") + t->value(2).toString() + u']';
        auto x = Recordset::create();
        auto y = Recordset::create();
        x->Open(sql, embedded);
        y->Open(sql, odbc);
        ASSERT_EQ(x->fieldCount(), y->fieldCount()) << sql.toStdString();
        for (int i = 0; i < x->fieldCount(); ++i) {
            EXPECT_EQ(x->Fields(i).Name(), y->Fields(i).Name());
            EXPECT_EQ(x->Fields(i).Type(), y->Fields(i).Type())
                << sql.toStdString() << ' ' << x->Fields(i).Name().toStdString();
            EXPECT_EQ(x->Fields(i).DefinedSize(), y->Fields(i).DefinedSize())
                << sql.toStdString() << ' ' << x->Fields(i).Name().toStdString();
        }
    }
}

// A table keyed by a text: the row is found by its key, which moves with an
// edit of it; a table numbered by the server gives the new number back.
TEST(OdbcWriteBack, RowsAreFoundByThePrimaryKey) {
    testutil::TempDatabase db(QStringLiteral("EMPRESA"), testutil::TempDatabase::Schema::Empty);
    db.exec(QStringLiteral(
        "CREATE TABLE CLAVES (CODIGO VARCHAR(6) COLLATE SQLSRV PRIMARY KEY, NOMBRE VARCHAR(20), "
        "SALDO MONEY) WITHOUT ROWID;"
        "CREATE TABLE NUMERADA (ID INTEGER PRIMARY KEY AUTOINCREMENT, NOMBRE VARCHAR(20));"
        "INSERT INTO CLAVES VALUES ('A1', 'uno', 1.5), ('B2', 'dos', NULL);"));
    auto c = Connection::create();
    c->Open(db.odbcConnectionString());

    auto rs = Recordset::create();
    rs->Open(QStringLiteral("SELECT NOMBRE, SALDO FROM CLAVES WHERE CODIGO = 'b2'"), c,
             adOpenDynamic, adLockOptimistic);
    ASSERT_FALSE(rs->EOF());
    rs->Fields(QStringLiteral("SALDO")).setValue(QStringLiteral("2,25"));
    rs->Update();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT SALDO FROM CLAVES WHERE CODIGO = 'B2'")), 2.25);
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT SALDO FROM CLAVES WHERE CODIGO = 'A1'")), 1.5);

    rs = Recordset::create();
    rs->Open(QStringLiteral("SELECT * FROM CLAVES ORDER BY CODIGO"), c, adOpenDynamic,
             adLockOptimistic);
    rs->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("A9"));
    rs->Update();
    rs->Fields(QStringLiteral("NOMBRE")).setValue(QStringLiteral("nueve"));
    rs->Update(); // found by its new key
    rs->MoveNext();
    rs->Delete();
    EXPECT_EQ(db.rows(QStringLiteral("SELECT CODIGO, NOMBRE FROM CLAVES")),
              (QList<QVariantList>{{QStringLiteral("A9"), QStringLiteral("nueve")}}));
    // A row gone meanwhile is told as such.
    rs->MoveFirst();
    db.exec(QStringLiteral("DELETE FROM CLAVES"));
    rs->Fields(QStringLiteral("NOMBRE")).setValue(QStringLiteral("x"));
    EXPECT_EQ(failure([&] { rs->Update(); }).Number, adErrRowNotFound);
    rs->CancelUpdate();

    rs = Recordset::create();
    rs->Open(QStringLiteral("SELECT * FROM NUMERADA"), c, adOpenDynamic, adLockOptimistic);
    for (const char* n : {"primera", "segunda"}) {
        rs->AddNew();
        rs->Fields(QStringLiteral("NOMBRE")).setValue(QString::fromLatin1(n));
        rs->Update();
    }
    EXPECT_EQ(rs->value(QStringLiteral("ID")).toInt(), 2);
    EXPECT_EQ(rs->value(QStringLiteral("NOMBRE")).toString(), QStringLiteral("segunda"));
}

// A text run for many rows goes to the driver as parameter arrays: every
// kind of value arrives as given, a parameter whose values are of different
// kinds still goes in, and a refused row stops the run with the driver's
// error, the rows before it written.
TEST(OdbcPrepared, RowsGoTogetherWithTheirValues) {
    testutil::TempDatabase db(QStringLiteral("EMPRESA"), testutil::TempDatabase::Schema::Empty);
    db.exec(QStringLiteral("CREATE TABLE T (C VARCHAR(40) PRIMARY KEY, N INT, R FLOAT, M MONEY, "
                           "F DATETIME, B VARBINARY(10), X VARCHAR(10))"));
    auto c = Connection::create();
    c->Open(db.odbcConnectionString());
    int preguntas = 0;
    c->setFaultInjector([&](const QString&) -> std::optional<Error> {
        ++preguntas;
        return std::nullopt;
    });
    const QString alta = QStringLiteral("INSERT INTO T (C, N, R, M, F, B, X) VALUES (?, ?, ?, ?, "
                                        "?, ?, ?)");
    const QVariant dinero = vb::fromCurrency(*vb::Currency::parse(QStringLiteral("12.3456"), u'.'));
    const QDate dia(2023, 1, 1);
    long escritas = 0;
    c->ExecutePrepared(
        alta,
        {{QStringLiteral("Cía O'Brien"), 7, 0.5, dinero, QDate(2023, 3, 15),
          QByteArray("\x01\x00\x02", 3), QStringLiteral("uno")},
         {QStringLiteral("b"), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
          QVariant()},
         {QString(40, u'ñ'), -2, 1e10, dinero, QDateTime(QDate(2023, 4, 1), QTime(17, 45), Qt::UTC),
          QByteArray("xyz"), QStringLiteral("tres")}},
        &escritas);
    EXPECT_EQ(escritas, 3);
    EXPECT_EQ(preguntas, 3);
    // Values of different kinds in one parameter.
    c->ExecutePrepared(
        alta,
        {{QStringLiteral("d"), 1, 1.0, dinero, dia, QVariant(), 5},
         {QStringLiteral("e"), 2, 2.0, dinero, dia, QVariant(), QStringLiteral("cinco")}},
        &escritas);
    EXPECT_EQ(escritas, 2);
    EXPECT_EQ(
        db.rows(QStringLiteral("SELECT C, N, R, M, F, hex(B), X FROM T ORDER BY rowid")),
        (QList<QVariantList>{
            {QStringLiteral("Cía O'Brien"), 7, 0.5, 12.3456, QStringLiteral("2023-03-15 00:00:00"),
             QStringLiteral("010002"), QStringLiteral("uno")},
            {QStringLiteral("b"), QVariant(), QVariant(), QVariant(), QVariant(),
             QStringLiteral(""), QVariant()},
            {QString(40, u'ñ'), -2, 1e10, 12.3456, QStringLiteral("2023-04-01 17:45:00"),
             QStringLiteral("78797A"), QStringLiteral("tres")},
            {QStringLiteral("d"), 1, 1.0, 12.3456, QStringLiteral("2023-01-01 00:00:00"),
             QStringLiteral(""), QStringLiteral("5")},
            {QStringLiteral("e"), 2, 2.0, 12.3456, QStringLiteral("2023-01-01 00:00:00"),
             QStringLiteral(""), QStringLiteral("cinco")}}));

    // The second row repeats a key: the first is written, the third never.
    c->BeginTrans();
    const Error e = failure([&] {
        c->ExecutePrepared(alta,
                           {{QStringLiteral("f1"), 1, 1.0, dinero, dia, QVariant(), QVariant()},
                            {QStringLiteral("b"), 2, 2.0, dinero, dia, QVariant(), QVariant()},
                            {QStringLiteral("f3"), 3, 3.0, dinero, dia, QVariant(), QVariant()}});
    });
    EXPECT_EQ(e.NativeError, nativeDuplicateKey);
    ASSERT_GE(c->errors().Count(), 1);
    EXPECT_EQ(c->Execute(QStringLiteral("SELECT group_concat(C) FROM T WHERE C LIKE 'f%'"))
                  ->value(0)
                  .toString(),
              QStringLiteral("f1"));
    c->RollbackTrans();
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM T")).toInt(), 5);
}

// Rows come a block at a time through the SQLite driver, whole and typed as
// on the embedded engine, a text longer than its declared size included.
TEST(OdbcRead, RowsComeWholeAndTypedAsOnTheEmbeddedEngine) {
    testutil::TempDatabase db(QStringLiteral("EMPRESA"), testutil::TempDatabase::Schema::Empty);
    db.exec(QStringLiteral(
        "CREATE TABLE L (N INT, C VARCHAR(3), M MONEY, F DATETIME);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 600) "
        "INSERT INTO L SELECT i, CASE WHEN i = 280 THEN printf('%.500c', 'z') ELSE 'c' || i END, "
        "i / 8.0, CASE WHEN i % 7 = 0 THEN NULL ELSE '2023-03-15 10:20:30' END FROM n"));
    auto embedded = Connection::create();
    embedded->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=a;Pwd=a;")
                       .arg(db.folder(), db.dbName()));
    auto odbc = Connection::create();
    odbc->Open(db.odbcConnectionString());
    for (const char* sql :
         {"SELECT N, M, F, N * 0.5 AS MITAD, 'x' || N AS T, SUM(N) AS S, N * 3e-6 AS CHICO, N "
          "* 1e14 AS GRANDE, CASE WHEN N % 2 = 0 THEN N ELSE N / 4.0 END AS MEZCLA FROM L GROUP "
          "BY N, M, F ORDER BY N",
          "SELECT C FROM L WHERE N < 280 ORDER BY N DESC", "SELECT N, C FROM L ORDER BY N"}) {
        SCOPED_TRACE(sql);
        auto a = embedded->Execute(QString::fromLatin1(sql));
        auto b = odbc->Execute(QString::fromLatin1(sql));
        ASSERT_EQ(a->fieldCount(), b->fieldCount());
        for (int i = 0; i < a->fieldCount(); ++i)
            EXPECT_EQ(a->Fields(i).Type(), b->Fields(i).Type()) << i;
        int filas = 0;
        for (; !a->EOF() && !b->EOF(); a->MoveNext(), b->MoveNext(), ++filas)
            for (int i = 0; i < a->fieldCount(); ++i) {
                const QVariant x = a->value(i), y = b->value(i);
                // A real travels as its fifteen digits.
                if (x.typeId() == QMetaType::Double && y.typeId() == QMetaType::Double)
                    ASSERT_NEAR(x.toDouble(), y.toDouble(), std::abs(x.toDouble()) * 1e-14)
                        << filas << ' ' << i;
                else
                    ASSERT_EQ(x, y) << filas << ' ' << i;
            }
        EXPECT_TRUE(a->EOF() && b->EOF());
        EXPECT_GE(filas, 279);
    }
}

// A streamed read through the driver, a block of rows at a time, gives what
// the embedded engine gives: across blocks, after letting go of the query
// mid-block, with NULLs, accents, and values longer than their buffers.
TEST(OdbcRead, StreamedRowsComeAsOnTheEmbeddedEngine) {
    testutil::TempDatabase db(QStringLiteral("EMPRESA"), testutil::TempDatabase::Schema::Empty);
    db.exec(QStringLiteral(
        "CREATE TABLE L (N INT, G BIGINT, B BIT, R FLOAT, M MONEY, D DECIMAL(18,4), F DATETIME, "
        "C VARCHAR(3), W NVARCHAR(20), T TEXT);"
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 700) "
        "INSERT INTO L SELECT i, i * 10000000000, i % 2, i / 3.0, i / 8.0, i / 16.0, "
        "CASE WHEN i % 7 = 0 THEN NULL ELSE '2023-03-15 10:20:' || printf('%02d', i % 60) END, "
        "CASE WHEN i = 280 THEN printf('%.500c', 'z') WHEN i % 5 = 0 THEN NULL ELSE 'c' || i % 100 "
        "END, 'ñandú ' || i || ' €', CASE WHEN i IN (300, 513) THEN printf('%.6000c', 'á') "
        "WHEN i % 11 = 0 THEN NULL ELSE 'Nota ' || i END FROM n"));
    auto embedded = Connection::create();
    embedded->Open(QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=a;Pwd=a;")
                       .arg(db.folder(), db.dbName()));
    auto odbc = Connection::create();
    odbc->Open(db.odbcConnectionString());
    const QString todas = QStringLiteral("SELECT N, G, B, R, M, D, F, C, W, T FROM L");
    struct Caso {
        QString sql;
        int filas;
        QList<int> suelta; // rows after which the query is let go of
    };
    const Caso casos[] = {
        {todas + QStringLiteral(" ORDER BY N"), 700, {}},
        {todas + QStringLiteral(" ORDER BY N"), 700, {100, 256, 299, 301, 600}},
        {QStringLiteral("SELECT N FROM L WHERE N <= 256 ORDER BY N"), 256, {}},
        {QStringLiteral("SELECT N, W FROM L WHERE N <= 512 ORDER BY N DESC"), 512, {256}},
        {QStringLiteral("SELECT C, N FROM L WHERE N BETWEEN 200 AND 290 ORDER BY N"), 91, {}},
        {QStringLiteral("SELECT N * 0.5 AS MITAD, 'x' || N AS X, CASE WHEN N % 2 = 0 THEN N ELSE "
                        "N / 4.0 END AS MEZCLA, upper(W) AS U FROM L ORDER BY N"),
         700,
         {258}},
        {QStringLiteral("SELECT N, T FROM L WHERE N < 0"), 0, {}},
    };
    auto abre = [](const ConnectionPtr& c, const QString& sql) {
        auto rs = Recordset::create();
        rs->setStreaming(true);
        rs->Open(sql, c, adOpenForwardOnly, adLockReadOnly, -1);
        return rs;
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.sql.toStdString());
        auto a = abre(embedded, caso.sql);
        auto b = abre(odbc, caso.sql);
        ASSERT_EQ(a->fieldCount(), b->fieldCount());
        int filas = 0;
        for (; !a->EOF() && !b->EOF(); a->MoveNext(), b->MoveNext()) {
            ++filas;
            for (int i = 0; i < a->fieldCount(); ++i) {
                const QVariant x = a->value(i), y = b->value(i);
                ASSERT_EQ(x.typeId(), y.typeId()) << filas << ' ' << i;
                if (x.typeId() == QMetaType::Double)
                    ASSERT_NEAR(x.toDouble(), y.toDouble(), std::abs(x.toDouble()) * 1e-14)
                        << filas << ' ' << i;
                else
                    ASSERT_EQ(x, y) << filas << ' ' << i;
            }
            if (caso.suelta.contains(filas))
                b->releaseCursor();
        }
        for (int i = 0; i < a->fieldCount(); ++i)
            EXPECT_EQ(a->Fields(i).Type(), b->Fields(i).Type()) << i;
        EXPECT_TRUE(a->EOF() && b->EOF());
        EXPECT_EQ(filas, caso.filas);
    }
}
