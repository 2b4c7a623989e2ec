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
