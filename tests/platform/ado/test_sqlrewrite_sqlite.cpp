// The rewritten statements run on SQLite with the engine's functions and
// collation, directly and through the data object's connection.

#include "common/tempdb.h"
#include "platform/ado/ado.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/sql/sqlrewrite.h"
#include "platform/vb/vb.h"

#include <QFile>
#include <QString>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

// ---- The rewritten text on a real SQLite database ------------------------------------

class SqlRewriteOnSqlite : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(sqlite3_open(":memory:", &db), SQLITE_OK);
        ado::registerSqlServerFunctions(db); // what every engine connection gets
        exec(
            "CREATE TABLE MV_ASIENTOS (PERIODO INTEGER, FECHA TEXT, CUENTA TEXT, "
            "\"NUMERO ASIENTO\" INTEGER, \"DEBE-HABER\" TEXT, MES_OPERATIVO INTEGER, "
            "IMPORTE REAL, AJUSTE_HASTA TEXT);"
            "INSERT INTO MV_ASIENTOS VALUES (2021, '2021-03-15 00:00:00', '1.1', 12, 'D', 3, 10, "
            "'31/03/2021');"
            "INSERT INTO MV_ASIENTOS VALUES (2021, '2021-03-31 00:00:00', '1.2', 13, 'H', 3, 25, "
            "'30/04/2021');"
            "INSERT INTO MV_ASIENTOS VALUES (2020, '2020-12-31 00:00:00', '1.1', 40, 'D', 12, 5, "
            "NULL);"
            "CREATE TABLE MV_EJERCICIOS (PERIODO INTEGER, \"Fecha Desde\" TEXT, \"Fecha Hasta\" "
            "TEXT);"
            "INSERT INTO MV_EJERCICIOS VALUES (2020, '2020-01-01 00:00:00', '2020-12-31 00:00:00');"
            "INSERT INTO MV_EJERCICIOS VALUES (2021, '2021-01-01 00:00:00', '2021-12-31 00:00:00');"
            "CREATE TABLE V_TA_FAMILIAS (IdFamilia TEXT, Descripcion TEXT);"
            "INSERT INTO V_TA_FAMILIAS VALUES ('1', 'A'), ('11', 'B'), ('12', 'C'), ('121', 'D');"
            "CREATE TABLE \"MA_CASH-DETALLE\" (CUENTA TEXT);"
            "INSERT INTO \"MA_CASH-DETALLE\" VALUES ('1.1'), ('1.2');");
    }
    void TearDown() override { sqlite3_close(db); }

    void exec(const char* sql) {
        char* err = nullptr;
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, &err), SQLITE_OK) << (err ? err : "");
    }

    // Rows of the rewritten statement, columns joined by "|".
    std::vector<std::string> rows(const char* sqlServer) {
        const QByteArray sql = sqlrewrite::toSqlite(QString::fromUtf8(sqlServer)).toUtf8();
        std::vector<std::string> out;
        sqlite3_stmt* st = nullptr;
        const int rc = sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr);
        EXPECT_EQ(rc, SQLITE_OK) << sql.constData() << ": " << sqlite3_errmsg(db);
        if (rc != SQLITE_OK)
            return out;
        int step;
        while ((step = sqlite3_step(st)) == SQLITE_ROW) {
            std::string r;
            for (int c = 0; c < sqlite3_column_count(st); ++c) {
                const unsigned char* v = sqlite3_column_text(st, c);
                r += (c ? "|" : "") + std::string(v ? reinterpret_cast<const char*>(v) : "NULL");
            }
            out.push_back(r);
        }
        EXPECT_EQ(step, SQLITE_DONE) << sql.constData() << ": " << sqlite3_errmsg(db);
        sqlite3_finalize(st);
        return out;
    }

    sqlite3* db = nullptr;
};

using Rows = std::vector<std::string>;

TEST_F(SqlRewriteOnSqlite, LookupsFindTheRowsSqlServerWould) {
    EXPECT_EQ(rows("SELECT CUENTA FROM MV_ASIENTOS WHERE RTRIM(LTRIM(PERIODO)) = 2021 AND "
                   "[DEBE-HABER] = 'D'"),
              Rows{"1.1"});
    EXPECT_EQ(rows("SELECT CUENTA FROM MV_ASIENTOS WHERE RTRIM(LTRIM([DEBE-HABER])) = 'h'"),
              Rows{"1.2"});
    EXPECT_EQ(rows("Select PERIODO from MV_EJERCICIOS  with(nolock) where [Fecha Desde] <= "
                   "'15/03/2021' and [Fecha Hasta] >= '15/03/2021'"),
              Rows{"2021"});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM MV_ASIENTOS WHERE FECHA <= '31/03/2021' AND FECHA >= "
                   "'2021-03-15'"),
              Rows{"2"});
    EXPECT_EQ(rows("SELECT TOP 1 [NUMERO ASIENTO] FROM dbo.MV_ASIENTOS WITH (NOLOCK) WHERE "
                   "CONVERT(INT,PERIODO) = 2021 ORDER BY [NUMERO ASIENTO] DESC"),
              Rows{"13"});
    EXPECT_EQ(rows("SELECT TOP 1 CUENTA FROM MV_ASIENTOS WHERE FECHA = #31/12/2020#"), Rows{"1.1"});
    EXPECT_EQ(rows("SELECT CUENTA FROM MV_ASIENTOS WHERE CONVERT(DATETIME, AJUSTE_HASTA, 103) > "
                   "'2021-04-01 00:00:00'"),
              Rows{"1.2"});
    EXPECT_EQ(rows("SELECT ISNULL(AJUSTE_HASTA, '-') FROM MV_ASIENTOS WHERE VAL(PERIODO) = 2020"),
              Rows{"-"});
}

TEST_F(SqlRewriteOnSqlite, FamilyTreeNamesTheNearestShorterCode) {
    EXPECT_EQ(rows("SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia "
                   "FROM v_ta_familias a   Where a.IdFamilia < b.IdFamilia And "
                   "(Len(LTrim(RTrim(a.IdFamilia))) < Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY "
                   "idfamilia DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' "
                   "ORDER BY IdFamilia"),
              (Rows{"1|A|NULL", "11|B|1", "12|C|1", "121|D|12"}));
}

TEST_F(SqlRewriteOnSqlite, UnionsListsAndDeletesRun) {
    EXPECT_EQ(rows("SELECT TOP 1 CUENTA FROM MV_ASIENTOS WHERE PERIODO = 2020 UNION SELECT TOP 1 "
                   "CUENTA FROM MV_ASIENTOS WHERE PERIODO = 2021 ORDER BY 1"),
              (Rows{"1.1"}));
    EXPECT_EQ(rows("SELECT CUENTA + ' - ' + [DEBE-HABER], FORMAT(MES_OPERATIVO,'00') +'-'+ "
                   "FORMAT([NUMERO ASIENTO],'00000000') AS [Nº Asiento] FROM MV_ASIENTOS WHERE "
                   "PERIODO = 2021 ORDER BY 1"),
              (Rows{"1.1 - D|03-00000012", "1.2 - H|03-00000013"}));
    EXPECT_EQ(rows("DELETE * FROM [MA_CASH-DETALLE] WHERE TRIM(CUENTA)='1.1'"), Rows{});
    EXPECT_EQ(rows("DELETE [MA_CASH-DETALLE] WHERE CUENTA = '1.2'"), Rows{});
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [MA_CASH-DETALLE]"), Rows{"0"});
}

// ---- Through the engine, on the company schema --------------------------------------

TEST(SqlRewriteThroughAdo, StatementsOfTheProgramRunOnTheCompanyDatabase) {
    testutil::TempDatabase db;
    db.exec(
        "INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1.1.01', 'Caja'), ('9', 'X');"
        "INSERT INTO MA_CUENTASADIC (CODIGO) VALUES ('9');"
        "INSERT INTO \"MA_CASH-DETALLE\" (CUENTA) VALUES ('1.1.01');"
        "INSERT INTO MV_EJERCICIOS (PERIODO, \"Fecha Desde\", \"Fecha Hasta\") VALUES "
        "(2020, '2020-01-01 00:00:00', '2020-12-31 00:00:00'),"
        "(2021, '2021-01-01 00:00:00', '2021-12-31 00:00:00');"
        "INSERT INTO MV_ASIENTOS (PERIODO, MES_OPERATIVO, \"NUMERO ASIENTO\", SECUENCIA, FECHA, "
        "CUENTA, IMPORTE, \"DEBE-HABER\", TIPO_REG) VALUES "
        "(2021, 3, 7, 1, '2021-03-15 00:00:00', '1.1.01', 100, 'D', 'VT'),"
        "(2021, 3, 7, 2, '2021-03-15 00:00:00', '9', 100, 'H', 'VT');");
    auto c = ado::Connection::create();
    c->Open(db.connectionString());

    auto rs = c->Execute("SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE "
                         "LTRIM(RTRIM(CODIGO)) ='1.1.01'");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->value("DESCRIPCION").toString(), "Caja");

    rs = c->Execute("Select * from MV_EJERCICIOS  with(nolock) where [Fecha Desde] <= '15/03/2021' "
                    "and [Fecha Hasta] >= '15/03/2021'");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->value("PERIODO").toInt(), 2021);

    rs = c->Execute("SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = 'vt' AND [NUMERO "
                    "ASIENTO] = 7 AND MES_OPERATIVO = 3 AND RTRIM(LTRIM(PERIODO)) = 2021 AND "
                    "[DEBE-HABER] = 'D' ORDER BY CUENTA");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->value("CUENTA").toString(), "1.1.01");
    rs->MoveNext();
    EXPECT_TRUE(rs->EOF());

    rs = c->Execute("SELECT MAX([NUMERO ASIENTO]) AS [NRO_ASIENTO] FROM dbo.MV_ASIENTOS WHERE "
                    "MES_OPERATIVO = 3 AND CONVERT(INT,PERIODO) = 2021 AND TIPO_REG = 'VT' ");
    EXPECT_EQ(rs->value("NRO_ASIENTO").toInt(), 7);

    c->Execute(
        "BEGIN TRANSACTION \r\r\rDELETE MA_CUENTAS WHERE CODIGO = '9'\rDELETE MA_CUENTASADIC "
        "WHERE CODIGO = '9'\rCOMMIT TRANSACTION");
    c->Execute("DELETE * FROM [MA_CASH-DETALLE] WHERE TRIM(CUENTA)='1.1.01'");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTAS").toInt(), 1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM MA_CUENTASADIC").toInt(), 0);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM \"MA_CASH-DETALLE\"").toInt(), 0);

    // The layout read of an updatable recordset, then a row added through it.
    auto log = ado::Recordset::create();
    log->Open("select  top 1 * from AUX_ERR", c, ado::adOpenDynamic, ado::adLockOptimistic);
    log->AddNew();
    log->Fields("Proceso").setValue(QStringLiteral("Generar"));
    log->Update();
    log->Close();
    EXPECT_EQ(db.scalar("SELECT Proceso FROM AUX_ERR").toString(), "Generar");
}

TEST(SqlRewriteThroughAdo, DateTextsWrittenIntoDateColumnsSortAndCompareAsDates) {
    testutil::TempDatabase db;
    auto c = ado::Connection::create();
    c->Open(db.connectionString());
    long n = 0;
    c->Execute("INSERT INTO MV_ASIENTOS (PERIODO, SECUENCIA, FECHA, AJUSTE_HASTA, "
               "fechahora_grabacion) VALUES (2023, 1, '31/12/2023', '31/12/2023', '07/03/2024 "
               "09:05:02')",
               &n);
    EXPECT_EQ(n, 1);
    c->Execute("INSERT INTO MV_ASIENTOS (PERIODO, SECUENCIA, FECHA, AJUSTE_HASTA) VALUES (2024, 2, "
               "'01/02/2024', '01/02/2024')");
    c->Execute("INSERT INTO MV_ASIENTOS (PERIODO, SECUENCIA) VALUES (2024, 3)");
    c->Execute("UPDATE MV_ASIENTOS SET FECHA = '15/01/2024', AJUSTE_HASTA = '15/01/2024' WHERE "
               "SECUENCIA = 3");

    // Stored as the server would hold them: dates as dates, the text as text.
    EXPECT_EQ(db.rows("SELECT FECHA, AJUSTE_HASTA, fechahora_grabacion FROM MV_ASIENTOS ORDER "
                      "BY SECUENCIA"),
              (QList<QVariantList>{
                  {"2023-12-31 00:00:00", "31/12/2023", "2024-03-07 09:05:02"},
                  {"2024-02-01 00:00:00", "01/02/2024", QVariant()},
                  {"2024-01-15 00:00:00", "15/01/2024", QVariant()},
              }));
    // Date order, not the order of the day-first texts.
    auto rs = c->Execute("SELECT SECUENCIA FROM MV_ASIENTOS ORDER BY FECHA");
    QList<int> order;
    for (; !rs->EOF(); rs->MoveNext())
        order << rs->value(0).toInt();
    EXPECT_EQ(order, (QList<int>{1, 3, 2}));
    rs = c->Execute("SELECT COUNT(*) FROM MV_ASIENTOS WHERE FECHA > '31/12/2023' AND FECHA <= "
                    "'01/02/2024'");
    EXPECT_EQ(rs->value(0).toInt(), 2);
    rs = c->Execute("SELECT FECHA FROM MV_ASIENTOS WHERE FECHA = '31/12/2023'");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->value(0).toDateTime(), vb::MakeDate(2023, 12, 31));
    // The text column compares as text, as on the server.
    rs = c->Execute("SELECT SECUENCIA FROM MV_ASIENTOS WHERE AJUSTE_HASTA = '31/12/2023'");
    ASSERT_FALSE(rs->EOF());
    EXPECT_EQ(rs->value(0).toInt(), 1);

    // The catalogue is read again after a change of schema, also one made by
    // another connection: the same statement then writes a date.
    c->Execute("CREATE TABLE AUX_FECHAS (F VARCHAR(10))");
    c->Execute("INSERT INTO AUX_FECHAS (F) VALUES ('31/12/2023')");
    db.exec("DROP TABLE AUX_FECHAS; CREATE TABLE AUX_FECHAS (F DATETIME)");
    c->Execute("INSERT INTO AUX_FECHAS (F) VALUES ('31/12/2023')");
    EXPECT_EQ(db.scalar("SELECT F FROM AUX_FECHAS").toString().toStdString(),
              "2023-12-31 00:00:00");
}

// Update scripts test the server's catalogue before they change something;
// each runs twice, as on a database already updated.
TEST(SqlRewriteThroughAdo, ScriptStatementsRunOnlyWhenTheirTestHolds) {
    testutil::TempDatabase db;
    auto c = ado::Connection::create();
    c->Open(db.connectionString());
    const char* const cases[][2] = {
        {"IF NOT EXISTS (SELECT * FROM sysobjects WHERE name = 'aux_nueva' AND xtype = 'U')\r\n"
         "CREATE TABLE AUX_NUEVA (A INT)",
         "SELECT COUNT(*) FROM sqlite_master WHERE name = 'AUX_NUEVA'"},
        {"IF EXISTS (SELECT * FROM dbo.sysobjects WHERE id = object_id(N'[dbo].[V_CUENTAS]') AND "
         "OBJECTPROPERTY(id, N'IsView') = 1)\r\nDROP VIEW [dbo].[V_CUENTAS]\r\nGO\r\n"
         "CREATE VIEW V_CUENTAS AS SELECT CODIGO FROM MA_CUENTAS",
         "SELECT COUNT(*) FROM sqlite_master WHERE name = 'V_CUENTAS'"},
        {"IF NOT EXISTS (SELECT * FROM syscolumns WHERE id = OBJECT_ID('ma_cuentas') AND name = "
         "'NUEVO') ALTER TABLE MA_CUENTAS ADD NUEVO VARCHAR(10) NULL",
         "SELECT COUNT(*) FROM pragma_table_info('MA_CUENTAS') WHERE name = 'NUEVO'"},
        {"IF NOT EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_NAME = 'mv_asientos' "
         "AND COLUMN_NAME = 'FECHA' AND DATA_TYPE = 'datetime') DROP TABLE MV_ASIENTOS",
         "SELECT COUNT(*) FROM sqlite_master WHERE name = 'MV_ASIENTOS'"},
        {"BEGIN TRANSACTION\r\nIF NOT EXISTS (SELECT * FROM INFORMATION_SCHEMA.TABLES T, "
         "TA_CONFIGURACION WHERE T.TABLE_NAME = 'ta_configuracion' AND CLAVE = 'x')\r\nINSERT INTO "
         "TA_CONFIGURACION (CLAVE) VALUES ('X')\r\nCOMMIT TRANSACTION",
         "SELECT COUNT(*) FROM TA_CONFIGURACION WHERE CLAVE = 'X'"},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(k[0]);
        for (int run = 0; run < 2; ++run)
            EXPECT_NO_THROW(c->Execute(QString::fromUtf8(k[0])));
        EXPECT_EQ(db.scalar(QString::fromUtf8(k[1])).toInt(), 1);
    }
    // A block is no single statement: it fails whole, and nothing of it runs.
    EXPECT_THROW(c->Execute("IF EXISTS (SELECT 1)\r\nBEGIN\r\nDROP TABLE MA_CUENTAS\r\nEND"),
                 ado::Exception);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM sqlite_master WHERE name = 'MA_CUENTAS'").toInt(), 1);
}

// What the program writes, values filled in, runs on the demo company.
TEST(SqlRewriteThroughAdo, StatementsTheProgramWritesRunOnTheDemoCompany) {
    testutil::TempDatabase db;
    QFile data(QStringLiteral(QUARZELO_SOURCE_DIR "/demo/data.sql"));
    ASSERT_TRUE(data.open(QIODevice::ReadOnly));
    db.exec("BEGIN;\n" + QString::fromUtf8(data.readAll()) + "\n;COMMIT;");
    auto c = ado::Connection::create();
    c->Open(db.connectionString());
    const char* const statements[] = {
        "SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'",
        "select getDate() as fecha",
        "SELECT TOP 1 * FROM MV_EJERCICIOS with(nolock)  WHERE [Fecha Hasta] = '31/12/2023' ",
        "SELECT * FROM V_TA_TPV  with(nolock)  WHERE INTERNET = 0 AND BAJA = 0 ORDER BY CODIGO ",
        "INSERT INTO V_TA_Cajas (IDCAJAS,DESCRIPCION) VALUES('0007','CAJA 7')",
        "UPDATE V_TA_TPV SET CONECTADO = 0, ULTIMA_DETECCION = '07/03/2024 09:05:02' WHERE CODIGO "
        "= '0001'",
        "SELECT top 1  * FROM MV_ASIENTOS WHERE PERIODO = 2023 AND EsAjuste = 1",
        "SELECT * FROM MV_ASIENTOS WHERE VAL(PERIODO) = 2023 AND (FECHA <= '01/01/2023' OR FECHA "
        ">= '31/12/2023' )",
        "SELECT TOP 1 *  FROM MV_ASIENTOS WHERE TIPO_REG = '' AND  TC = 'ASTO' AND SUCURSAL = "
        "'0001' AND NUMERO = '00000001' AND LETRA = 'X' and Fecha = '01/01/2022'",
        "SELECT * FROM MV_CONTROL_AS_RES WHERE RTRIM(LTRIM(SUBDIARIO)) = 'VT' AND PERIODO = 2023",
        "SELECT SUM(IMPORTE) AS [ELDEBE] FROM MV_ASIENTOS WHERE CUENTA = '110101001' AND "
        "(ESRESUMEN=0) AND [DEBE-HABER] = 'D' AND FECHA >= '2023-03-01 00:00:00' ",
        "SELECT CUENTA,FORMAT(SUCURSAL,'0000') & '-' & FORMAT(NUMERO,'00000000') & '-' & [LETRA] "
        "AS [Nº de Comprobante] FROM MV_ASIENTOS WHERE TRIM(TIPO_REG) = '' AND ESAJUSTE ORDER BY "
        "[NUMERO ASIENTO],SECUENCIA ",
        "INSERT INTO V_MV_FALTANTES (FechaHora,IdArticulo,Descripcion,Usuario) "
        "values('07/03/2024 09:05:02','0000000000000000000000001','Tornillo','sa')",
        "select codigo,descripcion,titulo from ma_cuentas where dada_de_baja=0 and (codigo>='1' "
        "and codigo<='110101') order by codigo",
        "SELECT CODIGO,DESCRIPCION FROM MA_Cuentas WHERE LEN(CODIGO) >= 4 AND DADA_DE_BAJA = 0",
        "SELECT MA_CUENTASCCOSTO.CODIGO,MA_CUENTAS.DESCRIPCION ,MA_CUENTASCCOSTO.CCOSTO AS [C "
        "COSTOS] FROM MA_CUENTAS,MA_CUENTASCCOSTO,TA_CCOSTO WHERE "
        "LTRIM(RTRIM(MA_CUENTASCCOSTO.CODIGO)) = LTRIM(RTRIM(MA_CUENTAS.CODIGO))",
        "DELETE MA_CUENTASCCOSTO_UNEG where CODIGO = '110101001' AND UNEGOCIO = '0001'",
        "SELECT COUNT(*) FROM MV_ASIENTOS WHERE FECHA BETWEEN '20230101' AND '20231231'",
        "SELECT TOP 1 TC + SUCURSAL + NUMERO FROM MV_ASIENTOS ORDER BY FECHA, SECUENCIA",
    };
    ado::RecordsetPtr rs;
    for (const char* s : statements) {
        try {
            rs = c->Execute(QString::fromUtf8(s));
        } catch (const ado::Exception& e) {
            ADD_FAILURE() << s << ": " << e.error().Description.toStdString();
        }
    }
    // The last two give what the server gives.
    EXPECT_EQ(rs->value(0).toString(), QStringLiteral("ASTO000100000001"));
    EXPECT_EQ(c->Execute(statements[std::size(statements) - 2])->value(0).toInt(),
              db.scalar("SELECT COUNT(*) FROM MV_ASIENTOS WHERE PERIODO = 2023").toInt());
}

} // namespace
