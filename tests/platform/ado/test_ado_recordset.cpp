// Recordsets of the ADO stand-in on real SQLite files: column types and sizes,
// values, cursor movement, editing through writable recordsets, and schema
// queries.

#include "common/locks.h"
#include "common/odbc_env.h"
#include "common/tempdb.h"
#include "platform/ado/ado.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/vb/vb.h"
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace ado;

namespace {

const char* kSchema = R"(
CREATE TABLE TIPOS (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  V VARCHAR(30) COLLATE SQLSRV, NV NVARCHAR(12) COLLATE SQLSRV, C CHAR(4) COLLATE SQLSRV,
  NC NCHAR(2), T TEXT, NT NTEXT, I INT, SI SMALLINT, TI TINYINT, BI BIGINT, B BIT, M MONEY,
  F FLOAT, R REAL, N NUMERIC(12,4), D DATETIME, SD SMALLDATETIME, DT DATE);
CREATE TABLE MA_CUENTASADIC (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  CODIGO VARCHAR(10) COLLATE SQLSRV NOT NULL UNIQUE,
  CALLE VARCHAR(5) COLLATE SQLSRV,
  LIMITE_CREDITO MONEY,
  ACTIVO BIT DEFAULT 1,
  ALTA DATETIME);
CREATE VIEW V_ACTIVAS AS SELECT CODIGO, CALLE FROM MA_CUENTASADIC WHERE ACTIVO = 1;
INSERT INTO MA_CUENTASADIC (CODIGO, CALLE, LIMITE_CREDITO, ALTA)
  VALUES ('100', 'Sur', 1500.25, '2023-01-31 00:00:00'), ('200', 'Norte', NULL, '2023-02-01');
)";

class AdoRecordset : public ::testing::Test {
protected:
    QTemporaryDir dir;
    ConnectionPtr cnn;

    void SetUp() override {
        const QString path = dir.filePath(QStringLiteral("empresa.db"));
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                  SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
                  SQLITE_OK);
        registerSqlServerFunctions(db);
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(db, kSchema, nullptr, nullptr, &err), SQLITE_OK) << err;
        sqlite3_close(db);
        cnn = Connection::create();
        cnn->Open(testutil::viaOdbc()
                      ? testutil::odbcConnectionString(path)
                      : QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =empresa;UId=a;Pwd=a;")
                            .arg(dir.path()));
    }
    RecordsetPtr open(const QString& sql, int cursor = adOpenForwardOnly,
                      int lock = adLockReadOnly) {
        auto rs = Recordset::create();
        rs->Open(sql, cnn, cursor, lock, -1);
        return rs;
    }
    template <typename F> long failureNumber(F f) {
        try {
            f();
        } catch (const Exception& e) {
            return e.number();
        }
        ADD_FAILURE() << "no ado::Exception";
        return 0;
    }
};

} // namespace

TEST(AdoTypes, DeclaredTypesGiveAdoCodesAndSizes) {
    struct Case {
        const char* decl;
        int type;
        long size;
    };
    const Case cases[] = {
        {"VARCHAR(30)", adVarChar, 30},
        {"nvarchar (12)", adVarWChar, 12},
        {"CHAR(4)", adChar, 4},
        {"NCHAR(2)", adWChar, 2},
        {"VARCHAR(MAX)", adLongVarChar, 2147483647},
        {"TEXT", adLongVarChar, 2147483647},
        {"NTEXT", adLongVarWChar, 1073741823},
        {"INT", adInteger, 4},
        {"INTEGER", adInteger, 4},
        {"SMALLINT", adSmallInt, 2},
        {"TINYINT", adUnsignedTinyInt, 1},
        {"BIGINT", adBigInt, 8},
        {"BIT", adBoolean, 2},
        {"MONEY", adCurrency, 8},
        {"SMALLMONEY", adCurrency, 4},
        {"FLOAT", adDouble, 8},
        {"REAL", adDouble, 8},
        {"DECIMAL(18,2)", adNumeric, 19},
        {"NUMERIC", adNumeric, 19},
        {"DATETIME", adDBTimeStamp, 16},
        {"SMALLDATETIME", adDBTimeStamp, 16},
        {"DATE", adDBTimeStamp, 16},
        {"", adEmpty, 0},
        {"WHATEVER", adEmpty, 0},
    };
    for (const auto& c : cases) {
        const auto [type, size] = adoTypeOfDeclared(QString::fromLatin1(c.decl));
        EXPECT_EQ(type, c.type) << c.decl;
        EXPECT_EQ(size, c.size) << c.decl;
    }
}

TEST_F(AdoRecordset, FieldsCarryTypesSizesAndTypedValues) {
    cnn->Execute(QStringLiteral(
        "INSERT INTO TIPOS (V, NV, C, NC, T, NT, I, SI, TI, BI, B, M, F, R, N, D, SD, DT) VALUES "
        "('ab', 'ñu', 'x', 'y', 'largo', 'largo', 5, 6, 7, 8000000000, 1, 12.3456, 1.5, 2.5, 3.25,"
        " '2024-02-29 13:14:15', '2024-02-29', '2024-02-29')"));
    auto rs = open(QStringLiteral("SELECT * FROM TIPOS"));
    const std::pair<const char*, int> types[] = {
        {"V", adVarChar},          {"NV", adVarWChar},     {"C", adChar},    {"NC", adWChar},
        {"T", adLongVarChar},      {"NT", adLongVarWChar}, {"I", adInteger}, {"SI", adSmallInt},
        {"TI", adUnsignedTinyInt}, {"BI", adBigInt},       {"B", adBoolean}, {"M", adCurrency},
        {"F", adDouble},           {"R", adDouble},        {"N", adNumeric}, {"D", adDBTimeStamp},
        {"SD", adDBTimeStamp},     {"DT", adDBTimeStamp},  {"ID", adInteger}};
    for (const auto& [name, type] : types)
        EXPECT_EQ(rs->Fields(QString::fromLatin1(name)).Type(), type) << name;
    EXPECT_EQ(rs->Fields(QStringLiteral("v")).DefinedSize(), 30);
    EXPECT_EQ(rs->Fields(QStringLiteral("C")).DefinedSize(), 4);

    EXPECT_EQ(rs->value(QStringLiteral("V")), QVariant(QStringLiteral("ab")));
    EXPECT_EQ(rs->value(QStringLiteral("C")), QVariant(QStringLiteral("x   "))); // padded
    EXPECT_EQ(rs->value(QStringLiteral("I")).typeId(), QMetaType::Int);
    EXPECT_EQ(rs->value(QStringLiteral("BI")).toLongLong(), 8000000000LL);
    EXPECT_EQ(rs->value(QStringLiteral("B")), QVariant(true));
    ASSERT_TRUE(vb::isCurrency(rs->value(QStringLiteral("M"))));
    EXPECT_EQ(vb::toCurrency(rs->value(QStringLiteral("M"))).raw(), 123456);
    EXPECT_EQ(rs->value(QStringLiteral("N")).toDouble(), 3.25);
    EXPECT_EQ(rs->value(QStringLiteral("D")).toDateTime(), vb::MakeDate(2024, 2, 29, 13, 14, 15));
    EXPECT_EQ(rs->value(QStringLiteral("DT")).toDateTime(), vb::MakeDate(2024, 2, 29));
    EXPECT_EQ(rs->value(QStringLiteral("NC")), QVariant(QStringLiteral("y ")));

    cnn->Execute(QStringLiteral("INSERT INTO TIPOS (V) VALUES (NULL)"));
    auto nulls = open(QStringLiteral("SELECT M, D FROM TIPOS WHERE V IS NULL"));
    EXPECT_TRUE(vb::IsNull(nulls->value(0)));
    EXPECT_TRUE(vb::IsNull(nulls->value(1)));

    // Expressions take their type from what they hold.
    auto ex = open(QStringLiteral("SELECT COUNT(*) AS N, SUM(F) AS S, MAX(D) AS MD, 'x' || V AS "
                                  "TX FROM TIPOS"));
    EXPECT_EQ(ex->Fields(QStringLiteral("N")).Type(), adInteger);
    EXPECT_EQ(ex->Fields(QStringLiteral("S")).Type(), adDouble);
    EXPECT_EQ(ex->Fields(QStringLiteral("MD")).Type(), adDBTimeStamp);
    EXPECT_EQ(ex->Fields(QStringLiteral("TX")).Type(), adVarWChar);
}

TEST_F(AdoRecordset, DatesWrittenByAnyRouteCompareWithDateLiterals) {
    // Through a recordset (a DATE column too) and through statements: the
    // same stored form, so the program's day-first literals find the rows.
    auto rs = open(QStringLiteral("SELECT V, D, DT FROM TIPOS"), adOpenDynamic, adLockOptimistic);
    rs->AddNew();
    rs->Fields(QStringLiteral("V")).setValue(QStringLiteral("fila"));
    rs->Fields(QStringLiteral("D")).setValue(vb::MakeDate(2024, 3, 5, 10, 0, 0));
    rs->Fields(QStringLiteral("DT")).setValue(QDate(2024, 3, 5));
    rs->Update();
    cnn->Execute(QStringLiteral("INSERT INTO TIPOS (V, D, DT) VALUES ('texto', '5/3/2024 10:00', "
                                "'05/03/2024')"));
    auto check = cnn->Execute(QStringLiteral(
        "SELECT COUNT(*) FROM TIPOS WHERE DT = '05/03/2024' AND D = '05/03/2024 10:00:00'"));
    EXPECT_EQ(check->value(0).toInt(), 2);
}

TEST_F(AdoRecordset, CursorMovesAndCountsAsAdo) {
    auto fwd = open(QStringLiteral("SELECT CODIGO FROM MA_CUENTASADIC ORDER BY CODIGO"));
    EXPECT_EQ(fwd->RecordCount(), -1);
    EXPECT_FALSE(fwd->BOF());
    EXPECT_EQ(fwd->value(QStringLiteral("codigo")).toString(), QStringLiteral("100"));
    EXPECT_EQ(failureNumber([&] { fwd->MovePrevious(); }), adErrNoBackwardFetch);
    fwd->MoveNext();
    fwd->MoveNext();
    EXPECT_TRUE(fwd->EOF());
    EXPECT_EQ(failureNumber([&] { fwd->value(0); }), adErrNoCurrentRecord);
    EXPECT_EQ(failureNumber([&] { fwd->MoveNext(); }), adErrNoCurrentRecord);
    EXPECT_EQ(failureNumber([&] { fwd->Fields(QStringLiteral("NO_HAY")); }), adErrItemNotFound);
    EXPECT_EQ(failureNumber([&] { fwd->Fields(1); }), adErrItemNotFound);

    auto st =
        open(QStringLiteral("SELECT CODIGO FROM MA_CUENTASADIC ORDER BY CODIGO"), adOpenStatic);
    EXPECT_EQ(st->RecordCount(), 2);
    st->MoveLast();
    EXPECT_EQ(st->AbsolutePosition(), 2);
    st->MovePrevious();
    st->MovePrevious();
    EXPECT_TRUE(st->BOF());
    EXPECT_FALSE(st->EOF());

    // A connection with client-side cursors gives static cursors.
    cnn->CursorLocation = adUseClient;
    auto client = open(QStringLiteral("SELECT * FROM MA_CUENTASADIC"));
    EXPECT_EQ(client->CursorType(), adOpenStatic);
    EXPECT_EQ(client->RecordCount(), 2);

    auto empty = open(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE 1 = 0"));
    EXPECT_TRUE(empty->BOF());
    EXPECT_TRUE(empty->EOF());
    EXPECT_EQ(failureNumber([&] { empty->MoveFirst(); }), adErrNoCurrentRecord);
    empty->Close();
    EXPECT_EQ(empty->State(), adStateClosed);
    EXPECT_EQ(failureNumber([&] { empty->EOF(); }), adErrObjectClosed);
    EXPECT_EQ(failureNumber([&] { empty->Close(); }), adErrObjectClosed);
}

// A streamed recordset moves as a forward-only one over more rows than it
// reads at a time; a value of a later batch keeps what it is.
TEST_F(AdoRecordset, StreamedRowsComeAsTheRecordsetMoves) {
    cnn->Execute(QStringLiteral("CREATE TABLE NUMEROS (N INT PRIMARY KEY);"
                                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 600) INSERT INTO NUMEROS SELECT i FROM n"));
    cnn->CursorLocation = adUseClient; // the program's connections
    auto streamed = [&](const QString& sql) {
        auto rs = Recordset::create();
        rs->setStreaming(true);
        rs->Open(sql, cnn, adOpenForwardOnly, adLockReadOnly, -1);
        return rs;
    };
    auto rs = streamed(QStringLiteral(
        "SELECT N, CASE WHEN N = 400 THEN 0.5 ELSE N END AS V FROM NUMEROS ORDER BY N"));
    EXPECT_EQ(rs->CursorType(), adOpenForwardOnly);
    EXPECT_EQ(rs->RecordCount(), -1);
    EXPECT_FALSE(rs->BOF());
    int n = 0;
    for (; !rs->EOF(); rs->MoveNext()) {
        ++n;
        ASSERT_EQ(rs->value(0).toInt(), n);
        ASSERT_EQ(rs->AbsolutePosition(), n);
        ASSERT_EQ(rs->value(1).toDouble(), n == 400 ? 0.5 : n);
    }
    EXPECT_EQ(n, 600);
    EXPECT_FALSE(rs->BOF());
    EXPECT_EQ(failureNumber([&] { rs->MoveNext(); }), adErrNoCurrentRecord);
    rs->MoveFirst();
    EXPECT_EQ(rs->value(0).toInt(), 1);
    rs->MoveLast();
    EXPECT_EQ(rs->value(0).toInt(), 600);
    EXPECT_EQ(rs->AbsolutePosition(), 600);

    auto empty = streamed(QStringLiteral("SELECT N FROM NUMEROS WHERE N < 0"));
    EXPECT_TRUE(empty->BOF());
    EXPECT_TRUE(empty->EOF());
    // Other cursors and locks read everything at once.
    auto writable = Recordset::create();
    writable->setStreaming(true);
    writable->Open(QStringLiteral("SELECT N FROM NUMEROS"), cnn, adOpenDynamic, adLockOptimistic);
    EXPECT_EQ(writable->RecordCount(), 600);
}

// A streamed read holds no lock while the recordset waits: letting go of it,
// or running anything else on its connection, lets another connection write,
// and the read goes on where it was (with what was written meanwhile).
TEST_F(AdoRecordset, StreamedReadLetsASecondWriterIn) {
    cnn->Execute(QStringLiteral("CREATE TABLE NUMEROS (N INT PRIMARY KEY);"
                                "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                                "WHERE i < 600) INSERT INTO NUMEROS SELECT i FROM n"));
    sqlite3* otra = nullptr;
    ASSERT_EQ(sqlite3_open_v2(QFile::encodeName(dir.filePath(QStringLiteral("empresa.db"))), &otra,
                              SQLITE_OPEN_READWRITE, nullptr),
              SQLITE_OK);
    auto escribe = [&](int n) {
        return sqlite3_exec(otra, QStringLiteral("INSERT INTO NUMEROS VALUES (%1)").arg(n).toUtf8(),
                            nullptr, nullptr, nullptr);
    };
    auto rs = Recordset::create();
    rs->setStreaming(true);
    rs->Open(QStringLiteral("SELECT N FROM NUMEROS ORDER BY N"), cnn);
    for (int i = 0; i < 300; ++i)
        rs->MoveNext();
    EXPECT_EQ(escribe(1000), SQLITE_BUSY); // the read holds the file
    rs->releaseCursor();
    EXPECT_EQ(escribe(1001), SQLITE_OK);
    rs->MoveNext();
    cnn->Execute(QStringLiteral("INSERT INTO NUMEROS VALUES (1002)"));
    EXPECT_EQ(escribe(1003), SQLITE_OK);
    QList<int> resto;
    for (; !rs->EOF(); rs->MoveNext())
        resto << rs->value(0).toInt();
    EXPECT_EQ(resto.size(), 300 - 1 + 3);
    EXPECT_EQ(resto.front(), 302);
    EXPECT_EQ(resto.mid(resto.size() - 3), (QList<int>{1001, 1002, 1003}));

    // A read that meets the other connection's lock fails with the lock
    // time-out and stays on its row; asked again, it goes on from there.
    const testutil::LockWaits esperas(20);
    rs = Recordset::create();
    rs->setStreaming(true);
    rs->Open(QStringLiteral("SELECT N FROM NUMEROS ORDER BY N"), cnn);
    for (int i = 1; i < 256; ++i)
        rs->MoveNext();
    rs->releaseCursor();
    ASSERT_EQ(sqlite3_exec(otra, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    try {
        rs->MoveNext();
        ADD_FAILURE() << "no lock time-out";
    } catch (const Exception& e) {
        EXPECT_EQ(e.error().NativeError, nativeLockTimeout);
    }
    EXPECT_EQ(rs->value(0).toInt(), 256);
    ASSERT_EQ(sqlite3_exec(otra, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    rs->MoveNext();
    EXPECT_EQ(rs->value(0).toInt(), 257);
    sqlite3_close(otra);
}

TEST_F(AdoRecordset, AddNewWritesTheRowAndReadsTheGeneratedId) {
    auto rs = Recordset::create();
    rs->setCursorType(adOpenDynamic);
    rs->setLockType(adLockOptimistic);
    // No row: the recordset serves only as the layout, as "SELECT top 1 *" of an empty table.
    rs->Open(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE CODIGO = 'nada'"), cnn);
    EXPECT_TRUE(rs->EOF());
    EXPECT_EQ(rs->LockType(), adLockOptimistic);
    rs->AddNew();
    EXPECT_EQ(rs->EditMode(), adEditAdd);
    rs->Fields(QStringLiteral("codigo")).setValue(QStringLiteral("300"));
    rs->Fields(QStringLiteral("LIMITE_CREDITO")).setValue(QStringLiteral("1500,5"));
    rs->Fields(QStringLiteral("ALTA")).setValue(QStringLiteral("31/12/2023"));
    rs->Update();
    EXPECT_EQ(rs->EditMode(), adEditNone);
    EXPECT_FALSE(rs->EOF()); // on the new row
    EXPECT_EQ(rs->value(QStringLiteral("ID")).toInt(), 3);
    EXPECT_EQ(rs->value(QStringLiteral("ACTIVO")), QVariant(true)); // the column's default

    auto check = open(QStringLiteral("SELECT LIMITE_CREDITO, ALTA, typeof(LIMITE_CREDITO) AS TM "
                                     "FROM MA_CUENTASADIC WHERE ID = 3"));
    EXPECT_EQ(vb::toCurrency(check->value(0)).raw(), 15005000);
    EXPECT_EQ(check->value(1).toDateTime(), vb::MakeDate(2023, 12, 31));
    EXPECT_EQ(check->value(2).toString(), QStringLiteral("real"));
    // Stored as ISO text, so text order is date order.
    auto stored = cnn->Execute(QStringLiteral(
        "SELECT COUNT(*) FROM MA_CUENTASADIC WHERE ALTA = '2023-12-31 00:00:00' AND ID = 3"));
    EXPECT_EQ(stored->value(0).toInt(), 1);
}

TEST_F(AdoRecordset, EditAndDeleteWriteThroughByRow) {
    auto rs = open(QStringLiteral("SELECT CODIGO, CALLE, ACTIVO FROM MA_CUENTASADIC ORDER BY "
                                  "CODIGO"),
                   adOpenDynamic, adLockOptimistic);
    rs->Fields(QStringLiteral("CALLE")).setValue(QStringLiteral("Este"));
    rs->Fields(QStringLiteral("ACTIVO")).setValue(QStringLiteral("Falso"));
    EXPECT_EQ(rs->EditMode(), adEditInProgress);
    rs->MoveNext(); // moving saves the pending edit, as ADO does
    EXPECT_EQ(rs->EditMode(), adEditNone);
    rs->Delete();
    EXPECT_EQ(failureNumber([&] { rs->value(0); }), adErrNoCurrentRecord);
    rs->MovePrevious();
    EXPECT_EQ(rs->value(QStringLiteral("CALLE")).toString(), QStringLiteral("Este"));
    EXPECT_EQ(rs->RecordCount(), 1);

    auto check =
        open(QStringLiteral("SELECT CODIGO, CALLE, ACTIVO FROM MA_CUENTASADIC"), adOpenStatic);
    ASSERT_EQ(check->RecordCount(), 1);
    EXPECT_EQ(check->value(QStringLiteral("CALLE")).toString(), QStringLiteral("Este"));
    EXPECT_EQ(check->value(QStringLiteral("ACTIVO")), QVariant(false));

    // A row deleted behind the recordset's back is reported, not silently lost.
    cnn->Execute(QStringLiteral("DELETE FROM MA_CUENTASADIC"));
    rs->Fields(QStringLiteral("CALLE")).setValue(QStringLiteral("Oeste"));
    EXPECT_EQ(failureNumber([&] { rs->Update(); }), adErrRowNotFound);
    rs->CancelUpdate();
}

TEST_F(AdoRecordset, RefusedValuesAndPendingEdits) {
    auto rs = open(QStringLiteral("SELECT * FROM MA_CUENTASADIC"), adOpenDynamic, adLockOptimistic);
    EXPECT_EQ(failureNumber([&] {
                  rs->Fields(QStringLiteral("ALTA")).setValue(QStringLiteral("31/02/2023"));
              }),
              adErrDataConversion);
    EXPECT_EQ(failureNumber([&] {
                  rs->Fields(QStringLiteral("LIMITE_CREDITO")).setValue(QStringLiteral("abc"));
              }),
              adErrDataConversion);

    // Longer than VARCHAR(5): refused with SQL Server's truncation error; the
    // edit stays pending, so Close is refused with 3219 until it is cancelled.
    rs->Fields(QStringLiteral("CALLE")).setValue(QStringLiteral("Avenida"));
    try {
        rs->Update();
        ADD_FAILURE() << "Update accepted a text longer than its column";
    } catch (const Exception& e) {
        EXPECT_EQ(e.error().NativeError, nativeTruncation);
    }
    ASSERT_GE(cnn->errors().Count(), 1);
    EXPECT_EQ(cnn->errors().Item(0).NativeError, nativeTruncation);
    EXPECT_EQ(rs->EditMode(), adEditInProgress);
    EXPECT_EQ(failureNumber([&] { rs->Close(); }), adErrIllegalOperation);
    rs->CancelUpdate();
    rs->Close();
    EXPECT_EQ(open(QStringLiteral("SELECT CALLE FROM MA_CUENTASADIC WHERE CODIGO = '100'"))
                  ->value(0)
                  .toString(),
              QStringLiteral("Sur"));

    // Trailing blanks beyond the size are dropped silently, as SQL Server does.
    auto again = open(QStringLiteral("SELECT * FROM MA_CUENTASADIC WHERE CODIGO = '100'"),
                      adOpenDynamic, adLockOptimistic);
    again->Fields(QStringLiteral("CALLE")).setValue(QStringLiteral("Oeste   "));
    again->Update();

    // A duplicate key from AddNew: the error reaches Errors, the add stays pending.
    again->AddNew();
    again->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("200"));
    EXPECT_EQ(failureNumber([&] { again->Update(); }), adErrIntegrity);
    EXPECT_EQ(cnn->errors().Item(0).NativeError, nativeDuplicateKey);
    EXPECT_EQ(again->EditMode(), adEditAdd);
    again->CancelUpdate();
    EXPECT_EQ(again->value(QStringLiteral("CODIGO")).toString(), QStringLiteral("100"));
}

TEST_F(AdoRecordset, ReadOnlyAndMultiTableRowsRefuseEdits) {
    auto ro = open(QStringLiteral("SELECT * FROM MA_CUENTASADIC"));
    EXPECT_EQ(failureNumber([&] { ro->AddNew(); }), adErrFeatureNotAvailable);
    EXPECT_EQ(failureNumber([&] { ro->Fields(0).setValue(1); }), adErrFeatureNotAvailable);
    for (const char* sql : {"SELECT * FROM V_ACTIVAS",
                            "SELECT a.CODIGO, b.CODIGO FROM MA_CUENTASADIC a, MA_CUENTASADIC b",
                            "SELECT DISTINCT CALLE FROM MA_CUENTASADIC",
                            "SELECT CALLE, COUNT(*) FROM MA_CUENTASADIC GROUP BY CALLE"}) {
        auto rs = open(QString::fromLatin1(sql), adOpenDynamic, adLockOptimistic);
        EXPECT_FALSE(rs->EOF()) << sql;
        EXPECT_EQ(failureNumber([&] { rs->AddNew(); }), adErrFeatureNotAvailable) << sql;
    }
}

TEST_F(AdoRecordset, SchemaQueriesListTablesViewsAndColumns) {
    auto tables = cnn->OpenSchema(adSchemaTables);
    QStringList names;
    while (!tables->EOF()) {
        names << tables->value(QStringLiteral("TABLE_NAME")).toString() + u':' +
                     tables->value(QStringLiteral("TABLE_TYPE")).toString();
        tables->MoveNext();
    }
    EXPECT_EQ(names,
              QStringList({QStringLiteral("MA_CUENTASADIC:TABLE"), QStringLiteral("TIPOS:TABLE"),
                           QStringLiteral("V_ACTIVAS:VIEW")}));

    auto one =
        cnn->OpenSchema(adSchemaTables, {QVariant(), QVariant(), QStringLiteral("v_activas")});
    EXPECT_EQ(one->RecordCount(), 1);

    auto cols = cnn->OpenSchema(
        adSchemaColumns, {QStringLiteral("empresa"), QVariant(), QStringLiteral("ma_cuentasadic")});
    QStringList colNames;
    while (!cols->EOF()) {
        colNames << cols->value(QStringLiteral("COLUMN_NAME")).toString();
        if (cols->value(QStringLiteral("COLUMN_NAME")).toString() == u"CALLE") {
            EXPECT_EQ(cols->value(QStringLiteral("DATA_TYPE")).toInt(), adVarChar);
            EXPECT_EQ(cols->value(QStringLiteral("CHARACTER_MAXIMUM_LENGTH")).toInt(), 5);
            EXPECT_EQ(cols->value(QStringLiteral("IS_NULLABLE")), QVariant(true));
        }
        if (cols->value(QStringLiteral("COLUMN_NAME")).toString() == u"LIMITE_CREDITO") {
            EXPECT_EQ(cols->value(QStringLiteral("DATA_TYPE")).toInt(), adCurrency);
        }
        cols->MoveNext();
    }
    EXPECT_EQ(colNames, QStringList({QStringLiteral("ID"), QStringLiteral("CODIGO"),
                                     QStringLiteral("CALLE"), QStringLiteral("LIMITE_CREDITO"),
                                     QStringLiteral("ACTIVO"), QStringLiteral("ALTA")}));
    auto viewCol =
        cnn->OpenSchema(adSchemaColumns, {QVariant(), QVariant(), QStringLiteral("V_ACTIVAS"),
                                          QStringLiteral("calle")});
    EXPECT_EQ(viewCol->RecordCount(), 1);
}

// Oracle keeps '' as NULL, which a NOT NULL column refuses: an empty text
// goes to it as one blank and one blank reads back empty; every other
// server, and every other value, passes as it is.
TEST(AdoTexts, EmptyTextsOnOracleAreKeptAsOneBlank) {
    const struct {
        ServerKind kind;
        QVariant value;
        QVariant sent;
        QVariant read;
    } cases[] = {
        {ServerKind::Oracle, QString(), QStringLiteral(" "), QString()},
        {ServerKind::Oracle, QStringLiteral(" "), QStringLiteral(" "), QString()},
        {ServerKind::Oracle, QStringLiteral("  "), QStringLiteral("  "), QStringLiteral("  ")},
        {ServerKind::Oracle, QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("a")},
        {ServerKind::Oracle, QVariant(0), QVariant(0), QVariant(0)},
        {ServerKind::Oracle, vb::Null(), vb::Null(), vb::Null()},
        {ServerKind::SqlServer, QString(), QString(), QString()},
        {ServerKind::SqlServer, QStringLiteral(" "), QStringLiteral(" "), QStringLiteral(" ")},
        {ServerKind::Sqlite, QString(), QString(), QString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.value.toString().toStdString() + " on " + std::to_string(int(c.kind)));
        EXPECT_EQ(textToServer(c.kind, c.value), c.sent);
        EXPECT_EQ(textFromServer(c.kind, c.value), c.read);
        EXPECT_EQ(vb::IsNull(textToServer(c.kind, c.value)), vb::IsNull(c.value));
    }
}
