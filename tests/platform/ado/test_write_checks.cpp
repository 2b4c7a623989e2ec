// What the server refuses on a write, the embedded engine refuses too, by
// statements and recordsets alike, on files built from the company schema the
// way every test database is built; and the restricted views take writes
// inside their filter only.

#include "common/tempdb.h"
#include "platform/ado/ado.h"

#include <gtest/gtest.h>

using namespace ado;
using testutil::TempDatabase;

namespace {

class WriteChecks : public ::testing::Test {
protected:
    TempDatabase db;
    ConnectionPtr cnn;

    void SetUp() override {
        // A restricted view as the server's: accounts that other groups keep
        // to themselves are hidden.
        db.exec(QStringLiteral(
            "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1101', 'Caja'), "
            "('5101', 'Sueldos');"
            "INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('PERIODO', '2024');"
            "INSERT INTO MA_CUENTAS_USUARIOS (GRUPOUSER, CUENTA) VALUES ('GERENCIA', '5101'), "
            "('GERENCIA', '5102');"
            "DROP VIEW SS_MA_CUENTAS;"
            "CREATE VIEW SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE CODIGO NOT IN "
            "(SELECT CUENTA FROM MA_CUENTAS_USUARIOS WHERE GRUPOUSER <> 'CONTADORES');"));
        cnn = open();
    }
    ConnectionPtr open() const {
        auto c = Connection::create();
        c->Open(db.connectionString());
        return c;
    }
    long execute(const QString& sql) const {
        long affected = -2;
        cnn->Execute(sql, &affected);
        return affected;
    }
    // The first error of a statement that must fail.
    Error refusal(const ConnectionPtr& c, const QString& sql) const {
        try {
            c->Execute(sql);
        } catch (const Exception& e) {
            EXPECT_GE(c->errors().Count(), 1) << sql.toStdString();
            return e.error();
        }
        ADD_FAILURE() << "accepted: " << sql.toStdString();
        return Error{};
    }
    // Everything the refused statements could have touched.
    QString contents() const {
        return db
            .scalar(QStringLiteral(
                "SELECT (SELECT group_concat(CODIGO || '|' || ifnull(DESCRIPCION, '') || '|' || "
                "INDICE, ';') FROM MA_CUENTAS) || (SELECT group_concat(CLAVE, ';') FROM "
                "TA_CONFIGURACION) || (SELECT COUNT(*) FROM MV_ASIENTOS) || (SELECT COUNT(*) "
                "FROM MA_INDAJUSTE)"))
            .toString();
    }
    long count(const QString& table, const QString& where) const {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2").arg(table, where))
            .toInt();
    }
};

RecordsetPtr editable(const QString& sql, const ConnectionPtr& cnn) {
    auto rs = Recordset::create();
    rs->Open(sql, cnn, adOpenDynamic, adLockOptimistic);
    return rs;
}

} // namespace

TEST_F(WriteChecks, StatementsAreRefusedWithTheServersErrors) {
    const struct {
        const char* sql;
        long number;
        long native;
        const char* description; // nullptr: SQLite's own words
    } cases[] = {
        {"INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1234567890123456', 'x')",
         adErrDataOverflow, nativeTruncation, "String or binary data would be truncated."},
        {"UPDATE MA_CUENTAS SET DESCRIPCION = REPLICATE('x', 151) WHERE CODIGO = '1101'",
         adErrDataOverflow, nativeTruncation, "String or binary data would be truncated."},
        {"INSERT INTO MV_ASIENTOS (LETRA) VALUES ('AB')", adErrDataOverflow, nativeTruncation,
         "String or binary data would be truncated."},
        {"INSERT INTO MV_ASIENTOS (PERIODO) VALUES ('dos mil')", adErrCommand, nativeConversion,
         "Conversion failed when converting the varchar value 'dos mil' to data type int."},
        {"UPDATE MA_CUENTAS SET INDICE = 'x' WHERE CODIGO = '1101'", adErrCommand, nativeConversion,
         "Conversion failed when converting the varchar value 'x' to data type tinyint."},
        {"INSERT INTO MV_ASIENTOS (ESAJUSTE) VALUES ('quizas')", adErrCommand, nativeConversion,
         "Conversion failed when converting the varchar value 'quizas' to data type bit."},
        {"INSERT INTO MA_INDAJUSTE (ANIO, MES, INDICE1) VALUES (2024, 1, 'uno')", adErrCommand,
         nativeNumberConversion, "Error converting data type varchar to float."},
        {"INSERT INTO MV_ASIENTOS (IMPORTE) VALUES ('diez')", adErrCommand, nativeMoneyConversion,
         "Cannot convert a char value to money. The char value has incorrect syntax."},
        {"INSERT INTO MA_CUENTAS (DESCRIPCION) VALUES ('sin codigo')", adErrIntegrity,
         nativeNotNull,
         "Cannot insert the value NULL into column 'CODIGO', table 'EMPRESA.dbo.MA_CUENTAS'; "
         "column does not allow nulls. INSERT fails."},
        {"UPDATE TA_CONFIGURACION SET CLAVE = NULL", adErrIntegrity, nativeNotNull,
         "Cannot insert the value NULL into column 'CLAVE', table "
         "'EMPRESA.dbo.TA_CONFIGURACION'; column does not allow nulls. UPDATE fails."},
        {"INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES ('periodo ', 'x')", adErrIntegrity,
         nativeDuplicateKey, nullptr},
    };
    const QString before = contents();
    for (const auto& c : cases) {
        const Error e = refusal(cnn, QString::fromUtf8(c.sql));
        EXPECT_EQ(e.Number, c.number) << c.sql;
        EXPECT_EQ(e.NativeError, c.native) << c.sql;
        if (c.description) {
            EXPECT_EQ(e.Description, QString::fromUtf8(c.description)) << c.sql;
        }
    }
    EXPECT_EQ(contents(), before);
}

TEST_F(WriteChecks, WhatTheServerTakesIsTaken) {
    // A row written before the checks existed does not stop changes to its
    // other columns.
    db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1199', '%1')")
                .arg(QString(200, u'x')));
    for (const char* sql : {
             "INSERT INTO MV_ASIENTOS (LETRA, TC) VALUES ('A   ', 'FA')", // blanks beyond size
             "INSERT INTO MV_ASIENTOS (PERIODO, IMPORTE, MES_OPERATIVO) VALUES ('2024', ' 12.5 ', "
             "'')",
             "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('ÑÑÑÑÑÑÑÑÑÑÑÑÑÑÑ', 'quince')",
             "INSERT INTO MV_ASIENTOS (ESAJUSTE, ESRESUMEN) VALUES ('true', 'FALSE')",
             "UPDATE MA_CUENTAS SET TITULO = 1 WHERE CODIGO = '1199'",
         }) {
        EXPECT_NO_THROW(cnn->Execute(QString::fromUtf8(sql))) << sql;
    }
    EXPECT_EQ(count(QStringLiteral("MV_ASIENTOS"), QStringLiteral("1 = 1")), 3);
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"), QStringLiteral("TITULO = 1")), 1);
}

// (AddField's own cases are in the data object's and the save batch's tests.)
TEST_F(WriteChecks, ColumnsAnotherConnectionAddsAreCheckedHere) {
    open()->Execute(QStringLiteral("ALTER TABLE V_TA_CAJAS ADD P_NOTA VARCHAR(2) NULL"));
    EXPECT_EQ(refusal(cnn, QStringLiteral("INSERT INTO V_TA_CAJAS (IdCajas, P_NOTA) VALUES (1, "
                                          "'abc')"))
                  .NativeError,
              nativeTruncation);
}

// (The data object's tests edit and add accounts through the view as a user
// who is not an administrator; these are the engine's own cases.)
TEST_F(WriteChecks, WritesThroughARestrictedViewStayInsideIt) {
    EXPECT_EQ(execute(QStringLiteral(
                  "INSERT INTO SS_MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1102', 'Banco')")),
              1);
    // Columns left out take the table's defaults.
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"), QStringLiteral("CODIGO = '1102' AND TITULO = 0")),
              1);
    const QString before = contents();
    EXPECT_EQ(refusal(cnn, QStringLiteral(
                               "UPDATE SS_MA_CUENTAS SET CODIGO = '5102' WHERE CODIGO = '1102'"))
                  .NativeError,
              nativeOutsideView);
    EXPECT_EQ(refusal(cnn, QStringLiteral("INSERT INTO SS_MA_CUENTAS (CODIGO, DESCRIPCION) "
                                          "VALUES ('1103', REPLICATE('x', 151))"))
                  .NativeError,
              nativeTruncation);
    EXPECT_EQ(contents(), before);
    EXPECT_EQ(execute(QStringLiteral("DELETE FROM SS_MA_CUENTAS WHERE CODIGO IN ('1102', '5101')")),
              1);

    // A recordset's row is found again after its key changed.
    auto rs = editable(QStringLiteral("SELECT * FROM SS_MA_CUENTAS"), cnn);
    rs->Fields(QStringLiteral("CODIGO")).setValue(QStringLiteral("1105"));
    rs->Update();
    rs->Fields(QStringLiteral("DESCRIPCION")).setValue(QStringLiteral("Caja central"));
    rs->Update();
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"),
                    QStringLiteral("CODIGO = '1105' AND DESCRIPCION = 'Caja central'")),
              1);
    rs->Delete();
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"), QStringLiteral("1 = 1")), 1);

    // A table without a key: its rows are found by every column.
    execute(QStringLiteral(
        "INSERT INTO SS_MV_ASIENTOS (PERIODO, CUENTA, IMPORTE) VALUES (2024, '1101', 10)"));
    EXPECT_EQ(execute(QStringLiteral("UPDATE SS_MV_ASIENTOS SET IMPORTE = 20")), 1);

    // A table that numbers its rows: the added row shows what was written.
    db.exec(QStringLiteral("CREATE VIEW V_CASH AS SELECT * FROM \"MA_CASH-DETALLE\""));
    auto cash = editable(QStringLiteral("SELECT * FROM V_CASH"), cnn);
    cash->AddNew();
    cash->Fields(QStringLiteral("CUENTA")).setValue(QStringLiteral("1101"));
    cash->Update();
    EXPECT_EQ(cash->value(QStringLiteral("CUENTA")).toString(), QStringLiteral("1101"));

    // A view that joins tables stays read only.
    db.exec(QStringLiteral("CREATE VIEW V_CUENTAS_GRUPOS AS SELECT C.CODIGO, C.DESCRIPCION FROM "
                           "MA_CUENTAS C JOIN MA_CUENTAS_USUARIOS U ON U.CUENTA = C.CODIGO"));
    auto joined = editable(QStringLiteral("SELECT * FROM V_CUENTAS_GRUPOS"), cnn);
    try {
        joined->AddNew();
        ADD_FAILURE() << "a join took a new row";
    } catch (const Exception& e) {
        EXPECT_EQ(e.number(), adErrFeatureNotAvailable);
    }
}

// A number beyond its column's type refuses the whole statement, in the
// server's words; the last value that fits is taken.
TEST_F(WriteChecks, NumbersBeyondTheirColumnsTypeAreRefused) {
    for (const char* column :
         {"P_CUOTA SMALLINT", "P_TASA DECIMAL(5, 2)", "P_TOPE BIGINT", "P_CHICO SMALLMONEY"})
        execute(QStringLiteral("ALTER TABLE MA_CUENTAS ADD %1 NULL").arg(QLatin1String(column)));
    const struct {
        const char* sql;
        long native;
        const char* description;
    } cases[] = {
        {"UPDATE MA_CUENTAS SET P_CUOTA = 99999", nativeValueOverflow,
         "Arithmetic overflow error for data type smallint, value = 99999."},
        // One row beyond: none is written.
        {"UPDATE MA_CUENTAS SET P_CUOTA = CASE CODIGO WHEN '1101' THEN 1 ELSE -32769 END",
         nativeValueOverflow, "Arithmetic overflow error for data type smallint, value = -32769."},
        {"UPDATE MA_CUENTAS SET INDICE = 256", nativeValueOverflow,
         "Arithmetic overflow error for data type tinyint, value = 256."},
        {"UPDATE MA_CUENTAS SET INDICE = -1", nativeValueOverflow,
         "Arithmetic overflow error for data type tinyint, value = -1."},
        {"UPDATE MA_CUENTAS SET INDICE = 3000000000", nativeArithmeticOverflow,
         "Arithmetic overflow error converting expression to data type tinyint."},
        {"INSERT INTO MV_ASIENTOS (MES_OPERATIVO) VALUES (1), (40000)", nativeValueOverflow,
         "Arithmetic overflow error for data type smallint, value = 40000."},
        {"INSERT INTO MV_ASIENTOS (PERIODO) VALUES (2147483648)", nativeArithmeticOverflow,
         "Arithmetic overflow error converting expression to data type int."},
        {"UPDATE MA_CUENTAS SET P_TOPE = 1e19", nativeArithmeticOverflow,
         "Arithmetic overflow error converting expression to data type bigint."},
        {"UPDATE MA_CUENTAS SET P_TASA = 1000", nativeArithmeticOverflow,
         "Arithmetic overflow error converting int to data type numeric."},
        // Rounded to the scale first: 999.995 is 1000.00.
        {"UPDATE MA_CUENTAS SET P_TASA = 999.995", nativeArithmeticOverflow,
         "Arithmetic overflow error converting numeric to data type numeric."},
        {"INSERT INTO MV_ASIENTOS (IMPORTE) VALUES (1000000000000000)", nativeArithmeticOverflow,
         "Arithmetic overflow error converting expression to data type money."},
        {"UPDATE MA_CUENTAS SET P_CHICO = 214748.3649", nativeArithmeticOverflow,
         "Arithmetic overflow error converting expression to data type smallmoney."},
    };
    const QString before = contents();
    for (const auto& c : cases) {
        const Error e = refusal(cnn, QString::fromUtf8(c.sql));
        EXPECT_EQ(e.Number, adErrDataOverflow) << c.sql;
        EXPECT_EQ(e.NativeError, c.native) << c.sql;
        EXPECT_EQ(e.Description, QString::fromUtf8(c.description)) << c.sql;
    }
    EXPECT_EQ(contents(), before);
    const QString untouched =
        QStringLiteral("P_CUOTA IS NULL AND P_TASA IS NULL AND P_TOPE IS NULL AND P_CHICO IS NULL");
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"), untouched), 2);

    // A recordset's row is refused alike (its fields refuse integers themselves).
    auto rs = editable(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE CODIGO = '1101'"), cnn);
    rs->Fields(QStringLiteral("P_TASA")).setValue(1000);
    try {
        rs->Update();
        ADD_FAILURE() << "a recordset stored 1000 as decimal(5, 2)";
    } catch (const Exception& e) {
        EXPECT_EQ(e.error().NativeError, nativeArithmeticOverflow);
    }
    rs->CancelUpdate();
    EXPECT_EQ(count(QStringLiteral("MA_CUENTAS"), untouched), 2);

    EXPECT_EQ(execute(QStringLiteral("UPDATE MA_CUENTAS SET INDICE = 255, P_CUOTA = -32768, P_TASA "
                                     "= 999.994, P_TOPE = 9223372036854775807, P_CHICO = "
                                     "-214748.3648 WHERE CODIGO = '1101'")),
              1);
    EXPECT_EQ(execute(QStringLiteral("INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, IMPORTE) "
                                     "VALUES (-2147483648, 32767, 100000000000000)")),
              1);
}

// Whatever road a date takes into a date column, it is stored in the one form
// whose text order is date order.
TEST_F(WriteChecks, DatesAreStoredInOneForm) {
    execute(QStringLiteral("INSERT INTO MV_ASIENTOS (SECUENCIA, FECHA) SELECT 1, '2023-02-01'"));
    execute(QStringLiteral("INSERT INTO MV_ASIENTOS (SECUENCIA, FECHA) VALUES (2, '2023-02-0' || "
                           "'1')"));
    execute(QStringLiteral("INSERT INTO MV_ASIENTOS (SECUENCIA) VALUES (3)"));
    execute(QStringLiteral("UPDATE MV_ASIENTOS SET FECHA = (SELECT '01/02/2023 10:30') WHERE "
                           "SECUENCIA = 3"));
    // Through a restricted view, and a text that is no date, as written.
    execute(QStringLiteral("INSERT INTO SS_MV_ASIENTOS (SECUENCIA, FECHA) SELECT 4, '2023-02-01'"));
    execute(QStringLiteral("INSERT INTO MV_ASIENTOS (SECUENCIA, FECHA) SELECT 5, 'pendiente'"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT FECHA FROM MV_ASIENTOS ORDER BY SECUENCIA")),
              (QList<QVariantList>{{"2023-02-01 00:00:00"},
                                   {"2023-02-01 00:00:00"},
                                   {"2023-02-01 10:30:00"},
                                   {"2023-02-01 00:00:00"},
                                   {"pendiente"}}));
}
