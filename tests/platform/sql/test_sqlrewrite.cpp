#include "platform/sql/sqlrewrite.h"

#include <QString>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char* in;
    const char* out;
};

// Each output is also checked to come back unchanged: a text adapted once may
// reach the engine again.
void expectRewrites(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(c.in)).toStdString(), std::string(c.out))
            << "input: " << c.in;
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(c.out)).toStdString(), std::string(c.out))
            << "second pass of: " << c.in;
    }
}

void expectUnchanged(const std::vector<const char*>& statements) {
    for (const char* s : statements)
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(s)).toStdString(), std::string(s));
}

TEST(SqlRewrite, TopBecomesLimitAtTheEndOfItsSelect) {
    expectRewrites({
        {"SELECT TOP 1 x FROM T", "SELECT x FROM T LIMIT 1"},
        {"select top   5 * from T", "select * from T LIMIT 5"},
        {"SELECT DISTINCT TOP 1 a FROM T ORDER BY a",
         "SELECT DISTINCT a FROM T ORDER BY a LIMIT 1"},
        {"SELECT TOP 1 * FROM T WHERE a = 1 ", "SELECT * FROM T WHERE a = 1 LIMIT 1 "},
        {"SELECT TOP (3) a FROM T", "SELECT a FROM T LIMIT 3"},
        {"SELECT TOP 1 * FROM T -- first", "SELECT * FROM T LIMIT 1 -- first"},
        {"SELECT     TOP 100 PERCENT a FROM T ORDER BY a", "SELECT     a FROM T ORDER BY a"},
        {"SELECT TOP 1 a FROM T; SELECT TOP 2 b FROM U",
         "SELECT a FROM T LIMIT 1; SELECT b FROM U LIMIT 2"},
    });
}

TEST(SqlRewrite, TopInSubqueriesAndUnions) {
    expectRewrites({
        {"SELECT a, (SELECT TOP 1 b FROM U WHERE U.k = T.k ORDER BY b DESC) AS c FROM T",
         "SELECT a, (SELECT b FROM U WHERE U.k = T.k ORDER BY b DESC LIMIT 1) AS c FROM T"},
        {"SELECT TOP 2 a FROM T WHERE a IN (SELECT TOP 3 b FROM U WHERE b IN (SELECT c FROM V)) "
         "ORDER BY a",
         "SELECT a FROM T WHERE a IN (SELECT b FROM U WHERE b IN (SELECT c FROM V) LIMIT 3) ORDER "
         "BY a LIMIT 2"},
        {"SELECT TOP 1 a FROM T UNION SELECT b FROM U",
         "SELECT * FROM (SELECT a FROM T LIMIT 1) UNION SELECT b FROM U"},
        {"SELECT a FROM T UNION ALL SELECT TOP 2 b FROM U ORDER BY 1",
         "SELECT a FROM T UNION ALL SELECT * FROM (SELECT b FROM U LIMIT 2) ORDER BY 1"},
    });
    // A percentage other than 100 has no SQLite form: left for SQLite to refuse.
    expectUnchanged(
        {"SELECT TOP 10 PERCENT a FROM T", "SELECT laptop FROM T WHERE x = 'SELECT TOP 1'"});
}

TEST(SqlRewrite, TableHintsAreRemoved) {
    expectRewrites({
        {"SELECT * FROM T with(nolock)  WHERE a = 1", "SELECT * FROM T  WHERE a = 1"},
        {"SELECT * FROM T WITH (NOLOCK) WHERE a = 1", "SELECT * FROM T WHERE a = 1"},
        {"SELECT * FROM T WITH ( NOLOCK ) ", "SELECT * FROM T "},
        {"SELECT * FROM T (NOLOCK) WHERE a=1", "SELECT * FROM T WHERE a=1"},
        {"SELECT * FROM T with(nolock, rowlock) WHERE a=1", "SELECT * FROM T WHERE a=1"},
    });
    expectUnchanged(
        {"SELECT * FROM T WHERE d = 'with(nolock)'", "SELECT * FROM T /* WITH (NOLOCK) */"});
}

TEST(SqlRewrite, OwnerPrefixesAreRemoved) {
    expectRewrites({
        {"SELECT * FROM dbo.T", "SELECT * FROM T"},
        {"SELECT * FROM DBO.T", "SELECT * FROM T"},
        {"SELECT a FROM [EMPRESA].DBO.MA_CUENTAS WHERE x = 1",
         "SELECT a FROM MA_CUENTAS WHERE x = 1"},
        {"SELECT * FROM EMPRESA..T", "SELECT * FROM T"},
        {"SELECT * FROM [EMPRESA].[dbo].[T]", "SELECT * FROM \"T\""},
        {"SELECT dbo.T.a FROM dbo.T", "SELECT T.a FROM T"},
        {"ALTER TABLE dbo.T ADD C int", "ALTER TABLE T ADD C int"},
    });
    expectUnchanged({"SELECT a.x, b.y FROM T a, U b", "SELECT * FROM T WHERE n = 'dbo.T'"});
}

TEST(SqlRewrite, BracketedNamesBecomeQuotedIdentifiers) {
    expectRewrites({
        {"SELECT [NUMERO ASIENTO], [DEBE-HABER] FROM T ORDER BY [FECHA HASTA]",
         "SELECT \"NUMERO ASIENTO\", \"DEBE-HABER\" FROM T ORDER BY \"FECHA HASTA\""},
        {"SELECT SUM(IMPORTE) AS [ELDEBE] FROM T", "SELECT SUM(IMPORTE) AS \"ELDEBE\" FROM T"},
        {"SELECT [a]]b], [c\"d] FROM T", "SELECT \"a]b\", \"c\"\"d\" FROM T"},
    });
    expectUnchanged({"SELECT VALOR, valoraux FROM TA_CONFIGURACION WHERE CLAVE = '[FECHA HASTA]'"});
}

TEST(SqlRewrite, DeleteForms) {
    expectRewrites({
        {"DELETE MA_CUENTAS WHERE CODIGO = '1'", "DELETE FROM MA_CUENTAS WHERE CODIGO = '1'"},
        {"DELETE * FROM [MA_CASH-DETALLE] WHERE TRIM(CUENTA)='1'",
         "DELETE FROM \"MA_CASH-DETALLE\" WHERE TRIM(CUENTA) COLLATE SQLSRV='1'"},
        {"DELETE T", "DELETE FROM T"},
        {"delete dbo.T where a=1", "delete FROM T where a=1"},
        {"BEGIN TRANSACTION \r\r\rDELETE MA_CUENTAS WHERE CODIGO = '1'\rDELETE MA_CUENTASADIC "
         "WHERE "
         "CODIGO = '1'\r",
         "BEGIN TRANSACTION \r\r\rDELETE FROM MA_CUENTAS WHERE CODIGO = '1'\rDELETE FROM "
         "MA_CUENTASADIC WHERE CODIGO = '1'\r"},
    });
    expectUnchanged({"DELETE FROM T WHERE a=1", "SELECT * FROM T WHERE x = 'DELETE T'",
                     "CREATE TABLE A (b int REFERENCES C(d) ON DELETE CASCADE)"});
}

TEST(SqlRewrite, FunctionsOfSqlServer) {
    expectRewrites({
        {"SELECT ISNULL(a, 0) FROM T", "SELECT IFNULL(a, 0) FROM T"},
        {"SELECT isnull (a,'') FROM T", "SELECT IFNULL (a,'') FROM T"},
        {"SELECT substring(ltrim(idarticulo),1,1) FROM T",
         "SELECT SUBSTR(ltrim(idarticulo),1,1) FROM T"},
        {"SELECT LEFT(CODIGO, 2), RIGHT (x,1) FROM A LEFT JOIN B ON 1=1",
         "SELECT LEFT_STR(CODIGO, 2), RIGHT_STR (x,1) FROM A LEFT JOIN B ON 1=1"},
        {"SELECT CONVERT(INT,PERIODO) FROM T", "SELECT CONVERT_INT(PERIODO, 'int') FROM T"},
        {"SELECT CONVERT(NVARCHAR(10), CODIGO) FROM T",
         "SELECT SUBSTR(CONVERT_TEXT(CODIGO), 1, 10) FROM T"},
        {"SELECT CONVERT(VARCHAR, CODIGO) FROM T", "SELECT CONVERT_TEXT(CODIGO) FROM T"},
        {"SELECT CONVERT(NVARCHAR, FECHA, 103) FROM T", "SELECT CONVERT_TEXT(FECHA, 103) FROM T"},
        {"SELECT CONVERT(DECIMAL(18,2), x), CONVERT(money, y) FROM T",
         "SELECT CONVERT_FLOAT(x, 'numeric'), CONVERT_MONEY(y, 'money') FROM T"},
        {"SELECT CONVERT(INT, CONVERT(VARCHAR, x)) FROM T",
         "SELECT CONVERT_INT(CONVERT_TEXT(x), 'int') FROM T"},
        {"SELECT CONVERT(DATETIME, '31/12/2020', 103)", "SELECT '2020-12-31 00:00:00'"},
        {"SELECT CONVERT(DATETIME, '31/12/2020 10:05')", "SELECT '2020-12-31 10:05:00'"},
        {"SELECT CONVERT(DATETIME, '2020-12-31', 120)", "SELECT '2020-12-31 00:00:00'"},
        {"SELECT CONVERT(DATETIME, AJUSTE_HASTA, 103) FROM T",
         "SELECT CONVERT_DATETIME(AJUSTE_HASTA, 103) FROM T"},
        {"SELECT CONVERT(DATETIME, '12/31/2020', 101)",
         "SELECT CONVERT_DATETIME('12/31/2020', 101)"},
        {"SELECT CONVERT(DATETIME, '31/02/2020', 103)",
         "SELECT CONVERT_DATETIME('31/02/2020', 103)"},
        {"SELECT CAST(x AS SMALLINT), CAST('20240315' AS DATETIME), CAST(y AS MONEY), "
         "CAST(z AS NUMERIC) FROM T",
         "SELECT CONVERT_INT(x, 'smallint'), '2024-03-15 00:00:00', CONVERT_MONEY(y, 'money'), "
         "CAST(z AS NUMERIC) FROM T"},
        {"SELECT DATEADD(day, 1, F), DATEDIFF(MM, a, b), DATEPART([dw], F) FROM T",
         "SELECT DATEADD('day', 1, F), DATEDIFF('mm', a, b), DATEPART('dw', F) FROM T"},
        {"SELECT * FROM T WHERE VAL(PERIODO) = 2021",
         "SELECT * FROM T WHERE CAST(PERIODO AS NUMERIC) = 2021"},
        {"SELECT FORMAT(MES,'00'), FORMAT(x, '0.00') FROM T",
         "SELECT PRINTF('%02.0f', MES), PRINTF('%04.2f', x) FROM T"},
        {"SELECT N'abc' FROM T", "SELECT 'abc' FROM T"},
    });
    // Registered on the connection, or not ours to guess.
    expectUnchanged({
        "SELECT LEN(CODIGO), CHARINDEX('-', x), GETDATE(), MONTH(F), YEAR(F), DAY(F) FROM T",
        "select getDate() as fecha",
        "SELECT CONVERT(XML, x) FROM T",
        "SELECT FORMAT(x, '#,##0') FROM T",
        "SELECT VAL FROM T",
        "SELECT 'ISNULL(a,b) CONVERT(INT,x)' FROM T",
    });
}

TEST(SqlRewrite, DateLiterals) {
    expectRewrites({
        {"SELECT * FROM T WHERE FECHA = #31/12/2020# ",
         "SELECT * FROM T WHERE FECHA = '2020-12-31 00:00:00' "},
        {"SELECT * FROM T WHERE FECHA > #2020-12-31#",
         "SELECT * FROM T WHERE FECHA > '2020-12-31 00:00:00'"},
        // Day-first texts compared with a column are dates, as the server reads them.
        {"Select * from MV_EJERCICIOS  with(nolock) where [Fecha Desde] <= '15/03/2021' and [Fecha "
         "Hasta] >= '15/03/2021'",
         "Select * from MV_EJERCICIOS where \"Fecha Desde\" <= '2021-03-15 00:00:00' and \"Fecha "
         "Hasta\" >= '2021-03-15 00:00:00'"},
        {"SELECT * FROM T WHERE '1/3/2021 08:30' < b.FECHA",
         "SELECT * FROM T WHERE '2021-03-01 08:30:00' < b.FECHA"},
        {"SELECT * FROM T WHERE FECHA <= '2021-03-31'",
         "SELECT * FROM T WHERE FECHA <= '2021-03-31 00:00:00'"},
        {"SELECT * FROM T WHERE FECHA BETWEEN '01/03/2021' AND '31/03/2021'",
         "SELECT * FROM T WHERE FECHA BETWEEN '2021-03-01 00:00:00' AND '2021-03-31 00:00:00'"},
        {"SELECT * FROM T WHERE LTRIM(F) = '15/03/2021'",
         "SELECT * FROM T WHERE LTRIM(F) COLLATE SQLSRV = '15/03/2021'"},
        {"SELECT * FROM T WHERE CONVERT(VARCHAR, F, 103) = '15/03/2021'",
         "SELECT * FROM T WHERE CONVERT_TEXT(F, 103) COLLATE SQLSRV = '15/03/2021'"},
    });
    // Written values, invalid dates and two-digit years stay as they are.
    expectUnchanged({
        "SELECT * FROM T WHERE FECHA = #31/02/2020#",
        "UPDATE T SET FECHA = '15/03/2021', B = 1 WHERE A = 1",
        "INSERT INTO T (F) VALUES ('15/03/2021')",
        "SELECT * FROM T WHERE FECHA = '15/03/21'",
        "SELECT * FROM T WHERE FECHA = ''",
        "SELECT * FROM T WHERE DETALLE LIKE '15/03/2021'",
    });
}

// ---- With the catalogue: date texts written into date columns -----------------------

// The columns of a few tables of the company schema, as the engine reports them.
QList<sqlrewrite::DeclaredColumn> fakeCatalogue(const QString& table) {
    using C = sqlrewrite::DeclaredColumn;
    const QString t = table.toUpper();
    if (t == u"MV_ASIENTOS")
        return {C{"PERIODO", "INT"},
                C{"FECHA", "DATETIME"},
                C{"IMPORTE", "MONEY"},
                C{"ESAJUSTE", "bit"},
                C{"NUMERO ASIENTO", "INT"},
                C{"DETALLE", "VARCHAR(100)"},
                C{"AJUSTE_HASTA", "VARCHAR(10)"},
                C{"fechahora_grabacion", "DATETIME"}};
    if (t == u"V_TA_TPV")
        return {C{"ID", "INT"}, C{"ULTIMA_DETECCION", "datetime"}};
    if (t == u"V_MV_FALTANTES")
        return {C{"FechaHora", "DATETIME"}, C{"Nota", "CHAR(10)"}};
    if (t == u"OTRAS")
        return {C{"S", "SMALLDATETIME"}, C{"D", "DATE"}, C{"SINTIPO", ""}, C{"T", "TEXT"}};
    return {};
}

void expectWithCatalogue(const std::vector<Case>& cases) {
    for (const Case& c : cases) {
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(c.in), fakeCatalogue).toStdString(),
                  std::string(c.out))
            << "input: " << c.in;
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(c.out), fakeCatalogue).toStdString(),
                  std::string(c.out))
            << "second pass of: " << c.in;
    }
}

TEST(SqlRewrite, DateTextsWrittenIntoDateColumnsAreStoredAsDates) {
    expectWithCatalogue({
        // The save of an adjustment entry: the date and the moment convert,
        // the "dd/mm/yyyy" text of AJUSTE_HASTA and a date-like detail stay.
        {"INSERT INTO MV_ASIENTOS (PERIODO, FECHA, DETALLE, AJUSTE_HASTA, fechahora_grabacion) "
         "VALUES (2023, '31/12/2023', '01/02/2023', '31/12/2023', '07/03/2024 09:05:02')",
         "INSERT INTO MV_ASIENTOS (PERIODO, FECHA, DETALLE, AJUSTE_HASTA, fechahora_grabacion) "
         "VALUES (2023, '2023-12-31 00:00:00', '01/02/2023', '31/12/2023', '2024-03-07 "
         "09:05:02')"},
        {"INSERT INTO dbo.[MV_ASIENTOS] ([FECHA],[NUMERO ASIENTO]) VALUES ('1/2/2023',1), "
         "('29/02/2024 8:05',2)",
         "INSERT INTO \"MV_ASIENTOS\" (\"FECHA\",\"NUMERO ASIENTO\") VALUES ('2023-02-01 "
         "00:00:00',1), ('2024-02-29 08:05:00',2)"},
        {"insert into mv_asientos (fecha) values ('31-12-23')",
         "insert into mv_asientos (fecha) values ('2023-12-31 00:00:00')"},
        {"INSERT INTO OTRAS (S, D, SINTIPO, T) VALUES ('31/12/2023', '31/12/2023', '31/12/2023', "
         "'31/12/2023')",
         "INSERT INTO OTRAS (S, D, SINTIPO, T) VALUES ('2023-12-31 00:00:00', '2023-12-31 "
         "00:00:00', '31/12/2023', '31/12/2023')"},
        {"UPDATE V_TA_TPV SET ULTIMA_DETECCION = '07/03/2024 09:05:02' WHERE ID = 3",
         "UPDATE V_TA_TPV SET ULTIMA_DETECCION = '2024-03-07 09:05:02' WHERE ID = 3"},
        {"update v_mv_faltantes set Nota = '05/03/2024', fechahora='5/3/2024 10:00'",
         "update v_mv_faltantes set Nota = '05/03/2024', fechahora='2024-03-05 10:00:00'"},
        // SET values and the comparisons of the WHERE follow each column's type;
        // a lower bound at midnight is the bare day, which a day stored without
        // its time also reaches.
        {"UPDATE MV_ASIENTOS SET AJUSTE_HASTA = '31/12/2023', FECHA = '31/12/2023' WHERE "
         "AJUSTE_HASTA = '30/11/2023' AND FECHA >= '01/12/2023'",
         "UPDATE MV_ASIENTOS SET AJUSTE_HASTA = '31/12/2023', FECHA = '2023-12-31 00:00:00' "
         "WHERE AJUSTE_HASTA = '30/11/2023' AND FECHA >= '2023-12-01'"},
        {"BEGIN TRANSACTION\rUPDATE V_TA_TPV SET ULTIMA_DETECCION = '1/1/2024'\rINSERT INTO "
         "V_MV_FALTANTES (FechaHora) VALUES ('2/1/2024')\rCOMMIT TRANSACTION",
         "BEGIN TRANSACTION\rUPDATE V_TA_TPV SET ULTIMA_DETECCION = '2024-01-01 00:00:00'\rINSERT "
         "INTO V_MV_FALTANTES (FechaHora) VALUES ('2024-01-02 00:00:00')\rCOMMIT TRANSACTION"},
        // Comparisons: a declared text column compares as text, a date column
        // and an unknown one as dates.
        {"SELECT * FROM MV_ASIENTOS A WHERE A.AJUSTE_HASTA = '31/12/2023' AND A.FECHA <= "
         "'31/12/2023' AND X.OTRA = '31/12/2023'",
         "SELECT * FROM MV_ASIENTOS A WHERE A.AJUSTE_HASTA = '31/12/2023' AND A.FECHA <= "
         "'2023-12-31 00:00:00' AND X.OTRA = '2023-12-31 00:00:00'"},
        {"SELECT * FROM V_TA_TPV T, MV_ASIENTOS WHERE '31/12/2023' = MV_ASIENTOS.AJUSTE_HASTA AND "
         "'31/12/2023' < ULTIMA_DETECCION AND DESCONOCIDA = '31/12/2023'",
         "SELECT * FROM V_TA_TPV T, MV_ASIENTOS WHERE '31/12/2023' = MV_ASIENTOS.AJUSTE_HASTA AND "
         "'2023-12-31 00:00:00' < ULTIMA_DETECCION AND DESCONOCIDA = '2023-12-31 00:00:00'"},
        {"SELECT * FROM MV_ASIENTOS LEFT JOIN OTRAS ON 1 = 1 WHERE AJUSTE_HASTA BETWEEN "
         "'01/01/2023' AND '31/12/2023' AND SINTIPO = '31/12/2023'",
         "SELECT * FROM MV_ASIENTOS LEFT JOIN OTRAS ON 1 = 1 WHERE AJUSTE_HASTA BETWEEN "
         "'01/01/2023' AND '31/12/2023' AND SINTIPO = '2023-12-31 00:00:00'"},
        // A date that names no day goes to the server's conversion, which refuses it.
        {"INSERT INTO MV_ASIENTOS (FECHA) VALUES ('31/02/2023')",
         "INSERT INTO MV_ASIENTOS (FECHA) VALUES (CONVERT_DATETIME('31/02/2023'))"},
        {"DELETE MV_ASIENTOS WHERE AJUSTE_HASTA = '31/12/2023' AND FECHA = '31/12/2023'",
         "DELETE FROM MV_ASIENTOS WHERE AJUSTE_HASTA = '31/12/2023' AND FECHA = '2023-12-31 "
         "00:00:00'"},
    });
    // Values that are more than a literal, an INSERT without a
    // column list or from a SELECT, unknown tables and text columns: as written.
    const std::vector<const char*> unchanged = {
        "INSERT INTO MV_ASIENTOS (FECHA, DETALLE) VALUES ('31/12/' || '2023', '31/12/2023')",
        "INSERT INTO MV_ASIENTOS VALUES (2023, '31/12/2023')",
        "INSERT INTO MV_ASIENTOS (FECHA) SELECT '31/12/2023'",
        "INSERT INTO NO_EXISTE (FECHA) VALUES ('31/12/2023')",
        "UPDATE MV_ASIENTOS SET FECHA = '31/12/2023' || 'x', DETALLE = '31/12/2023'",
        "UPDATE MV_ASIENTOS SET DETALLE = 'FECHA = ''31/12/2023'''",
        "UPDATE V_MV_FALTANTES SET Nota = '31/12/2023' WHERE Nota = '31/12/2023'",
    };
    for (const char* s : unchanged)
        EXPECT_EQ(sqlrewrite::toSqlite(QString::fromUtf8(s), fakeCatalogue).toStdString(),
                  std::string(s));
}

// A text into a whole-number column goes through the server's conversion,
// and a money literal longer than a double through CONVERT_MONEY as written;
// numbers that a double holds, and other columns, stay.
TEST(SqlRewrite, WrittenValuesTakeTheServersConversion) {
    expectWithCatalogue({
        {"UPDATE MV_ASIENTOS SET PERIODO = '2.5', \"NUMERO ASIENTO\" = 3, DETALLE = '4', "
         "ESAJUSTE = 'true' WHERE PERIODO = '7'",
         "UPDATE MV_ASIENTOS SET PERIODO = CONVERT_INT('2.5', 'int'), \"NUMERO ASIENTO\" = 3, "
         "DETALLE = '4', ESAJUSTE = CONVERT_INT('true', 'bit') WHERE PERIODO = '7'"},
        {"INSERT INTO MV_ASIENTOS (IMPORTE, PERIODO, FECHA) VALUES (-922337203685477.5809, ' 7 ', "
         "'20240315'), (12.5, 2024, NULL)",
         "INSERT INTO MV_ASIENTOS (IMPORTE, PERIODO, FECHA) VALUES "
         "(CONVERT_MONEY('-922337203685477.5809', 'money'), CONVERT_INT(' 7 ', 'int'), "
         "'2024-03-15 00:00:00'), (12.5, 2024, NULL)"},
    });
}

// The catalogue decides: "yyyymmdd" is a date only where a date column meets
// it, and "+" joins texts when every operand is a text.
TEST(SqlRewrite, CompactDatesAndTextJoinsFollowTheDeclaredTypes) {
    expectWithCatalogue({
        {"SELECT * FROM MV_ASIENTOS a WHERE a.FECHA BETWEEN '20230101' AND '20231231 23:59'",
         "SELECT * FROM MV_ASIENTOS a WHERE a.FECHA BETWEEN '2023-01-01' AND "
         "'2023-12-31 23:59:00'"},
        {"INSERT INTO MV_ASIENTOS (FECHA, DETALLE) VALUES ('20231231', '20231231')",
         "INSERT INTO MV_ASIENTOS (FECHA, DETALLE) VALUES ('2023-12-31 00:00:00', '20231231')"},
        {"SELECT CONVERT(DATETIME, '20231231', 112)", "SELECT '2023-12-31 00:00:00'"},
        {"SELECT * FROM OTRAS WHERE SINTIPO = '20231231' OR D = '20231331' OR T = '20231231'",
         "SELECT * FROM OTRAS WHERE SINTIPO = '20231231' OR D = '20231331' OR T = '20231231'"},
        {"SELECT * FROM MV_ASIENTOS WHERE PERIODO = '20231231' OR OTRA = '20231231'",
         "SELECT * FROM MV_ASIENTOS WHERE PERIODO = '20231231' OR OTRA = '20231231'"},
        {"SELECT a.DETALLE + RTRIM(b.Nota) FROM MV_ASIENTOS a, V_MV_FALTANTES b",
         "SELECT a.DETALLE || RTRIM(b.Nota) FROM MV_ASIENTOS a, V_MV_FALTANTES b"},
        {"UPDATE MV_ASIENTOS SET DETALLE = ISNULL(DETALLE, '') + AJUSTE_HASTA WHERE PERIODO = 1",
         "UPDATE MV_ASIENTOS SET DETALLE = IFNULL(DETALLE, '') || AJUSTE_HASTA WHERE PERIODO = 1"},
        {"SELECT '5' + '6'", "SELECT '5' || '6'"},
        {"SELECT DETALLE + PERIODO, DETALLE + OTRA, FECHA + 1, T + S FROM MV_ASIENTOS, OTRAS",
         "SELECT DETALLE + PERIODO, DETALLE + OTRA, FECHA + 1, T + S FROM MV_ASIENTOS, OTRAS"},
    });
}

TEST(SqlRewrite, DateTypesOfTheCatalogue) {
    for (const char* t : {"DATETIME", "datetime", " SMALLDATETIME ", "DATE", "DATETIME2(7)"})
        EXPECT_TRUE(sqlrewrite::isDateType(QString::fromUtf8(t))) << t;
    for (const char* t : {"", "VARCHAR(10)", "TEXT", "TIMESTAMP", "DATETIMEX", "CHAR(10)"})
        EXPECT_FALSE(sqlrewrite::isDateType(QString::fromUtf8(t))) << t;
}

TEST(SqlRewrite, TrimmedTextsCompareAsTheServerDoes) {
    expectRewrites({
        // With a number: as numbers.
        {"SELECT * FROM T WHERE RTRIM(LTRIM(PERIODO)) = 2021",
         "SELECT * FROM T WHERE CAST(RTRIM(LTRIM(PERIODO)) AS NUMERIC) = 2021"},
        {"SELECT * FROM T WHERE 7 = LTRIM(TC)",
         "SELECT * FROM T WHERE 7 = CAST(LTRIM(TC) AS NUMERIC)"},
        {"SELECT * FROM T WHERE LTRIM(x) <> -1",
         "SELECT * FROM T WHERE CAST(LTRIM(x) AS NUMERIC) <> -1"},
        {"UPDATE T SET a = 1 WHERE LTRIM(b) = 2",
         "UPDATE T SET a = 1 WHERE CAST(LTRIM(b) AS NUMERIC) = 2"},
        // Otherwise as texts, without regard to case or trailing blanks.
        {"SELECT * FROM T WHERE LTRIM(x) = '7'",
         "SELECT * FROM T WHERE LTRIM(x) COLLATE SQLSRV = '7'"},
        {"SELECT * FROM T WHERE RTRIM(LTRIM(TIPO_REG)) = ''",
         "SELECT * FROM T WHERE RTRIM(LTRIM(TIPO_REG)) COLLATE SQLSRV = ''"},
        {"SELECT * FROM T WHERE 'a' < UPPER(x) AND LTRIM(x) = 7 + a",
         "SELECT * FROM T WHERE 'a' < UPPER(x) COLLATE SQLSRV AND LTRIM(x) COLLATE SQLSRV = 7 + a"},
        {"SELECT * FROM A, B WHERE LTRIM(RTRIM(A.C)) = LTRIM(RTRIM(B.C))",
         "SELECT * FROM A, B WHERE LTRIM(RTRIM(A.C)) COLLATE SQLSRV = LTRIM(RTRIM(B.C)) COLLATE "
         "SQLSRV"},
    });
    expectUnchanged({
        "SELECT * FROM T WHERE LEN(x) = 7",
        "SELECT * FROM T WHERE a + LTRIM(x) = 7",
        "SELECT * FROM T WHERE x = 'a'",
        "UPDATE T SET a = LTRIM(b)",
    });
}

TEST(SqlRewrite, ConcatenationWithTextLiterals) {
    expectRewrites({
        {"SELECT CODIGO + ' - ' + DESCRIPCION FROM T",
         "SELECT CODIGO || ' - ' || DESCRIPCION FROM T"},
        {"SELECT a + b + 'x' FROM T", "SELECT a || b || 'x' FROM T"},
        {"SELECT LTRIM(a) + ' ' + T.b FROM T", "SELECT LTRIM(a) || ' ' || T.b FROM T"},
        {"SELECT FORMAT(MES_OPERATIVO, '00') + '-' + FORMAT([NUMERO ASIENTO], '00000000') AS "
         "[Nº Asiento] FROM MV_ASIENTOS",
         "SELECT PRINTF('%02.0f', MES_OPERATIVO) || '-' || PRINTF('%08.0f', \"NUMERO ASIENTO\") "
         "AS \"Nº Asiento\" FROM MV_ASIENTOS"},
        {"SELECT RIGHT('0000' + LTRIM(RTRIM(SUCURSAL)), 4) + '-' + [LETRA] FROM MV_ASIENTOS",
         "SELECT RIGHT_STR('0000' || LTRIM(RTRIM(SUCURSAL)), 4) || '-' || \"LETRA\" FROM "
         "MV_ASIENTOS"},
    });
    // Numbers add; a numeric text adds too ('5' + 1 is 6); "*" binds tighter;
    // "&" is a bitwise AND on both engines, also beside a text.
    expectUnchanged({"SELECT a + b FROM T", "SELECT a + '5' FROM T", "SELECT 2 * a + 'x' FROM T",
                     "SELECT 'a+b' FROM T", "SELECT a & 4 FROM T", "SELECT a &'-'& b FROM T"});
}

// Every construct the rewriter knows, written inside a quoted literal: data, not SQL.
TEST(SqlRewrite, ConstructsInsideLiteralsAreLeftAlone) {
    expectUnchanged({
        "SELECT * FROM T WHERE d = 'SELECT TOP 5 x' AND e = 'TOP 100 PERCENT'",
        "SELECT * FROM T WHERE d = 'MA_CUENTAS WITH (NOLOCK)'",
        "SELECT * FROM T WHERE d = '[EMPRESA].DBO.MA_CUENTAS'",
        "SELECT * FROM T WHERE d = 'DELETE * FROM X' AND e = 'DELETE X WHERE'",
        "SELECT * FROM T WHERE d = 'GETDATE() LEN(x) MONTH(f) CHARINDEX(a, b)'",
        "SELECT * FROM T WHERE d = 'SUBSTRING(x,1,1) LEFT(x, 2) VAL(x)'",
        "SELECT * FROM T WHERE d = 'CONVERT(DATETIME, ''31/12/2020'', 103)'",
        "SELECT * FROM T WHERE d = '#31/12/2020#'",
        "SELECT * FROM T WHERE d = '[NUMERO ASIENTO] [DEBE-HABER]'",
        "SELECT * FROM T WHERE d = 'LTRIM(RTRIM(x)) = 7'",
        "SELECT * FROM T WHERE d = 'a + ''b'' + c' AND e = 'SET NOCOUNT ON'",
    });
}

TEST(SqlRewrite, ScriptsCommentsAndOddInput) {
    expectRewrites({
        {"SET NOCOUNT ON", ""},
        {"set nocount off", ""},
    });
    expectUnchanged({"", "BEGIN TRANSACTION", "COMMIT TRANSACTION",
                     "SELECT a FROM T -- TOP 1 dbo.T [x] ISNULL(", "SELECT 'abc FROM dbo.T",
                     "SELECT a FROM [T", "SELECT a FROM T WHERE x = 'it''s dbo.T [y]'"});
}

// Statements as the program builds them.
TEST(SqlRewrite, StatementsOfTheProgram) {
    expectRewrites({
        {"SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1.1.01'",
         "SELECT * FROM MA_CUENTAS  WHERE LTRIM(RTRIM(CODIGO)) COLLATE SQLSRV ='1.1.01' LIMIT 1"},
        {"SELECT TOP 1 * FROM MV_EJERCICIOS with(nolock)  WHERE FECHA = #31/12/2021#  AND PERIODO "
         "= 2021",
         "SELECT * FROM MV_EJERCICIOS  WHERE FECHA = '2021-12-31 00:00:00'  AND PERIODO = 2021 "
         "LIMIT 1"},
        {"SELECT TOP 1000 CODIGO,DESCRIPCION FROM MA_CUENTAS  with(nolock)  where DESCRIPCION like "
         "'%caja%' ORDER BY CODIGO",
         "SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS  where DESCRIPCION like '%caja%' ORDER BY "
         "CODIGO "
         "LIMIT 1000"},
        {"SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM "
         "@Admin_v_ta_familias a   Where a.IdFamilia < b.IdFamilia And "
         "(Len(LTrim(RTrim(a.IdFamilia))) < Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY idfamilia "
         "DESC) AS [relative] FROM dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia",
         "SELECT     IdFamilia, Descripcion, (SELECT     idfamilia FROM @Admin_v_ta_familias a   "
         "Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
         "Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY idfamilia DESC LIMIT 1) AS \"relative\" FROM "
         "V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia"},
        {"SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) = 'VT' AND [NUMERO ASIENTO] = 12 "
         "AND MES_OPERATIVO = 3 AND RTRIM(LTRIM(PERIODO)) = 2021 AND [DEBE-HABER] = 'D' ORDER BY "
         "CUENTA",
         "SELECT * FROM MV_ASIENTOS WHERE RTRIM(LTRIM(TIPO_REG)) COLLATE SQLSRV = 'VT' AND "
         "\"NUMERO ASIENTO\" = 12 "
         "AND MES_OPERATIVO = 3 AND CAST(RTRIM(LTRIM(PERIODO)) AS NUMERIC) = 2021 AND "
         "\"DEBE-HABER\" "
         "= 'D' ORDER BY CUENTA"},
        {"SELECT * FROM MV_ASIENTOS WHERE CUENTA = '1.1' AND CONVERT(INT,PERIODO) = 2021 AND "
         "(ES_SALDO_APERTURA = 0)",
         "SELECT * FROM MV_ASIENTOS WHERE CUENTA = '1.1' AND CONVERT_INT(PERIODO, 'int') = 2021 "
         "AND "
         "(ES_SALDO_APERTURA = 0)"},
        {"SELECT CODIGO,DESCRIPCION FROM [EMPRESA].DBO.MA_CUENTAS WHERE CODIGO = '1.1'",
         "SELECT CODIGO,DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '1.1'"},
        {"SELECT MAX(idarticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE "
         "substring(ltrim(idarticulo),1,1)<>'0'",
         "SELECT MAX(idarticulo) AS MAYOR FROM V_MA_ARTICULOS WHERE SUBSTR(ltrim(idarticulo),1,1) "
         "COLLATE SQLSRV<>'0'"},
        {"DELETE AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) = 'ADMIN'",
         "DELETE FROM AUX_SUBDIARIOS WHERE RTRIM(LTRIM(USUARIO)) COLLATE SQLSRV = 'ADMIN'"},
        {"select  top 1 * from AUX_ERR", "select  * from AUX_ERR LIMIT 1"},
    });
    expectUnchanged({
        "SELECT TA_TAREAS.USUARIO, TA_MENU.Proceso, TA_MENU.Clave , TA_MENU.Nombre  FROM TA_TAREAS "
        "INNER JOIN TA_MENU ON TA_TAREAS.TAREA = TA_MENU.Clave  WHERE (TA_TAREAS.USUARIO = 'ADMIN "
        "') "
        "AND (TA_MENU.Proceso LIKE '%quarzelo%')",
        "INSERT INTO MV_ASIENTOS (Detalle,Secuencia) VALUES ('abc',1)",
        "UPDATE MA_CUENTAS SET DESCRIPCION = 'abc'  WHERE  CODIGO = '1'",
    });
}

} // namespace
