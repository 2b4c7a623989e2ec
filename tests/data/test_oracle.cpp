// The Oracle road: statement rewriting, script cutting and the script runner.

#include "common/oracle_dialect.h"
#include "data/oracle_dicc.h"
#include "data_fixture.h"

using testutil::serverDialectLeft;
using testutil::TempDatabase;

namespace {

QString q(const char* s) {
    return QString::fromUtf8(s);
}

QStringList cut(const QString& script) {
    QStringList statements;
    QString rest = oracle::normalizeScript(script);
    while (const auto next = oracle::nextStatement(rest)) {
        statements << next->statement;
        rest = next->rest;
    }
    return statements;
}

} // namespace

TEST(OracleRewrite, EachRuleOnItsConstruct) {
    const std::pair<const char*, const char*> cases[] = {
        // Row limit: a WHERE of its own, or ANDed to the condition, kept whole.
        {"SELECT TOP 1 * FROM T", "SELECT * FROM T WHERE ROWNUM <= 1"},
        {"SELECT DISTINCT TOP 2 A FROM T WHERE A = 1 OR B = 2",
         "SELECT DISTINCT A FROM T WHERE (A = 1 OR B = 2) AND ROWNUM <= 2"},
        // Ordered or grouped: the first n of the order, counted after grouping.
        {"SELECT TOP 5 A FROM T ORDER BY A",
         "SELECT * FROM (SELECT A FROM T ORDER BY A) WHERE ROWNUM <= 5"},
        {"SELECT TOP 3 A, COUNT(*) FROM T WHERE B = 1 GROUP BY A",
         "SELECT * FROM (SELECT A, COUNT(*) FROM T WHERE B = 1 GROUP BY A) WHERE ROWNUM <= 3"},
        // A subquery's TOP stays in it; TOP 100 PERCENT is every row; LAPTOP
        // and a literal hold no row limit.
        {"SELECT A FROM T WHERE B = (SELECT TOP 1 B FROM U WHERE C = 1)",
         "SELECT A FROM T WHERE B = (SELECT B FROM U WHERE C = 1 AND ROWNUM <= 1)"},
        {"SELECT TOP 100 PERCENT LAPTOP FROM T WHERE D = 'TOP 5 A'",
         "SELECT LAPTOP FROM T WHERE D = 'TOP 5 A'"},
        {"SELECT LEN(A), LEN    (B), (LEN([C D])) FROM T WHERE XLEN(D) = 'LEN([x])'",
         "SELECT LENGTH(A), LENGTH(B), (LENGTH(\"C D\")) FROM T WHERE XLEN(D) = 'LEN([x])'"},
        // Dates: day first or ISO, without a time; TO_DATE's own argument stays.
        {"SELECT * FROM T WHERE F >= '31/12/2020' AND G < '1/2/2021' AND H = '2021-03-05'",
         "SELECT * FROM T WHERE F >= TO_DATE('31/12/2020','DD/MM/YYYY') AND G < "
         "TO_DATE('01/02/2021','DD/MM/YYYY') AND H = TO_DATE('05/03/2021','DD/MM/YYYY')"},
        {"UPDATE T SET F = TO_DATE('31/12/2020','DD/MM/YYYY'), G = TO_DATE('2020-12-31',"
         "'YYYY-MM-DD'), H = '31/12/2020 10:30', P = '03/2024', X = '31/02/2020'",
         "UPDATE T SET F = TO_DATE('31/12/2020','DD/MM/YYYY'), G = TO_DATE('2020-12-31',"
         "'YYYY-MM-DD'), H = '31/12/2020 10:30', P = '03/2024', X = '31/02/2020'"},
        // CHARINDEX takes its arguments the other way round.
        {"SELECT CHARINDEX('-', A), charindex(' ', D, 2), SUBSTRING(A,1,2), ISNULL(D,'ISNULL(') "
         "FROM T WHERE MYISNULL(E) = 1",
         "SELECT InStr(A, '-'), InStr(D, ' ', 2), SUBSTR(A,1,2), NVL(D,'ISNULL(') FROM T WHERE "
         "MYISNULL(E) = 1"},
        // CONVERT, and 103 as TO_CHAR's style only.
        {"SELECT CONVERT(NVARCHAR,F,103), CONVERT(VARCHAR,F,103), TO_CHAR(ROUND(F),103), "
         "TO_CHAR(X + 103) FROM T WHERE CONVERT(INT,P) = 103",
         "SELECT TO_CHAR(F,'DD/MM/YYYY'), CONVERT(VARCHAR,F,103), TO_CHAR(ROUND(F),'DD/MM/YYYY'), "
         "TO_CHAR(X + 103) FROM T WHERE TO_NUMBER(P) = 103"},
        // An empty text written is the blank Oracle keeps ('' would be NULL);
        // empty text tests after WHERE find it, and NULL; a quote inside a
        // literal is data.
        {"UPDATE T SET A = '', E = LTRIM('') WHERE NOMBRE = '' AND B='' AND C = 'O'' = ''X'",
         "UPDATE T SET A = ' ', E = LTRIM('') WHERE TRIM(NOMBRE) IS NULL AND TRIM(B) IS NULL AND "
         "C = 'O'' = ''X'"},
        {"INSERT INTO T (A,B,C,D) VALUES ('', 'x',LTRIM(''),'')",
         "INSERT INTO T (A,B,C,D) VALUES (' ', 'x',LTRIM(''),' ')"},
        {"INSERT INTO T (A) SELECT B FROM U WHERE u.[C] = '' AND (D) = '' AND 'k' = ''",
         "INSERT INTO T (A) SELECT B FROM U WHERE TRIM(u.\"C\") IS NULL AND TRIM((D)) IS NULL "
         "AND 'k' IS NULL"},
        // "<> ''" anywhere: neither blank nor NULL.
        {"SELECT CASE WHEN A <> '' THEN 1 END FROM T WHERE IdFamilia<>'' AND LTRIM(B) != ''AND "
         "C <> ' ' AND D <> 'x<>'''",
         "SELECT CASE WHEN TRIM(A) IS NOT NULL THEN 1 END FROM T WHERE TRIM(IdFamilia) IS NOT "
         "NULL AND TRIM(LTRIM(B)) IS NOT NULL AND C <> ' ' AND D <> 'x<>'''"},
        // Table hints go, with the blank before them; a CTE's WITH stays.
        {"WITH Q AS (SELECT A FROM T with(nolock)  WHERE B IN (SELECT B FROM U WITH ( NOLOCK ))) "
         "SELECT * FROM Q WITH(UPDLOCK, HOLDLOCK) WHERE C = 'with(nolock)'",
         "WITH Q AS (SELECT A FROM T  WHERE B IN (SELECT B FROM U)) SELECT * FROM Q WHERE C = "
         "'with(nolock)'"},
        // Owners and databases go; a table's qualifier of a column stays.
        {"SELECT dbo.T.A, b.C FROM dbo.T, [EMPRESA].DBO.U b, [E].[dbo].[V], E..W WHERE D = 'dbo.T'",
         "SELECT T.A, b.C FROM T, U b, \"V\", W WHERE D = 'dbo.T'"},
        // Date functions; a column named YEAR is no call.
        {"SELECT GETDATE() AS F, YEAR(F), month ( G ), Day(ISNULL(H, getdate ( ))) FROM T WHERE "
         "T.YEAR = 1",
         "SELECT SYSDATE AS F, EXTRACT(YEAR FROM F), EXTRACT(MONTH FROM G ), EXTRACT(DAY FROM "
         "NVL(H, SYSDATE)) FROM T WHERE T.YEAR = 1"},
        {"select getDate() as fecha", "select SYSDATE as fecha FROM DUAL"},
        {"SELECT 1 WHERE A = 1 UNION SELECT (SELECT 2) FROM T",
         "SELECT 1 FROM DUAL WHERE A = 1 UNION SELECT (SELECT 2 FROM DUAL) FROM T"},
        // #date#, day first or ISO, with a time or not; a text or no date stays.
        {"SELECT * FROM T WHERE F = #31/12/2020# AND G >= #2021-03-05# AND H < #5/3/2021 10:30# "
         "AND I = '#1/1/2020#' AND J = #31/02/2020#",
         "SELECT * FROM T WHERE F = TO_DATE('31/12/2020','DD/MM/YYYY') AND G >= "
         "TO_DATE('05/03/2021','DD/MM/YYYY') AND H < TO_DATE('05/03/2021 10:30:00','DD/MM/YYYY "
         "HH24:MI:SS') AND I = '#1/1/2020#' AND J = #31/02/2020#"},
        // FORMAT of a number; other patterns are no number model.
        {"SELECT FORMAT(MES,'00'), FORMAT((SELECT MAX(N) + 1 FROM T), '#,##0.00'), FORMAT(F, "
         "'dd/MM/yyyy') FROM T",
         "SELECT TO_CHAR(MES,'FM00'), TO_CHAR((SELECT MAX(N) + 1 FROM T), 'FM9G990D00'), "
         "FORMAT(F, 'dd/MM/yyyy') FROM T"},
        // Texts join with ||, numbers still add; RIGHT keeps a shorter text whole.
        {"SELECT RIGHT('0000' + LTRIM(A), 4) + '-' + B, LEFT(C, 2) + CAST(N AS VARCHAR(8)), "
         "MAX(N) + 1, 'x' + [LETRA] FROM T LEFT JOIN U ON 1 = 1",
         "SELECT SUBSTR('0000' || LTRIM(A), -LEAST(4, LENGTH('0000' || LTRIM(A)))) || '-' || B, "
         "SUBSTR(C, 1, 2) || CAST(N AS VARCHAR(8)), MAX(N) + 1, 'x' || \"LETRA\" FROM T LEFT "
         "JOIN U ON 1 = 1"},
        // A day kept as text stays text; names take Oracle's upper case, an
        // alias its own letters.
        {"INSERT INTO MV_ASIENTOS (FECHA, [numero asiento], AJUSTE_HASTA) VALUES ('31/12/2023', "
         "1, '31/12/2023')",
         "INSERT INTO MV_ASIENTOS (FECHA, \"NUMERO ASIENTO\", AJUSTE_HASTA) VALUES "
         "(TO_DATE('31/12/2023','DD/MM/YYYY'), 1, '31/12/2023')"},
        {"UPDATE T SET [Ajuste_Hasta] = '30/11/2023' WHERE '31/12/2023' = AJUSTE_HASTA AND F < "
         "'31/12/2023'",
         "UPDATE T SET \"AJUSTE_HASTA\" = '30/11/2023' WHERE '31/12/2023' = AJUSTE_HASTA AND F < "
         "TO_DATE('31/12/2023','DD/MM/YYYY')"},
        {"SELECT [Fecha Desde] AS [Nº Asiento] FROM T",
         "SELECT \"FECHA DESDE\" AS \"Nº Asiento\" FROM T"},
    };
    for (const auto& [sqlServer, oracle] : cases)
        EXPECT_EQ(oracle::rewriteStatement(q(sqlServer)), q(oracle)) << sqlServer;
}

TEST(OracleRewrite, ProgramStatementsLeaveNoServerDialect) {
    // As the lookups, the lookup windows, the start-up, the entries and the
    // adjustment write them.
    const char* statements[] = {
        "SELECT TOP 1  * FROM MA_CUENTAS with(nolock)  WHERE LTRIM(RTRIM(CODIGO)) ='1.1'",
        "SELECT TOP 1 * FROM MV_EJERCICIOS with(nolock)  WHERE FECHA = #31/12/2023#  AND A = 1",
        "SELECT MAX(IDARTICULO) AS MAYOR FROM V_MA_ARTICULOS WHERE  "
        "substring(ltrim(idarticulo),1,1)<>'0'",
        "SELECT     TOP 100 PERCENT IdFamilia, Descripcion, (SELECT     TOP 1 idfamilia FROM "
        "v_ta_familias a   Where a.IdFamilia < b.IdFamilia And (Len(LTrim(RTrim(a.IdFamilia))) < "
        "Len(LTrim(RTrim(b.IdFamilia))))  ORDER BY idfamilia DESC) AS [relative] FROM "
        "dbo.V_TA_FAMILIAS b Where IdFamilia<>'' ORDER BY IdFamilia",
        "select getDate() as fecha",
        "SELECT CODIGO,DESCRIPCION FROM [EMPRESA].DBO.MA_CUENTAS WHERE CODIGO = '1'",
        "ALTER TABLE dbo.MA_CUENTAS ADD OBS VARCHAR(50) Null ",
        "SELECT * FROM MV_CONTROL_AS_RES WHERE SUBDIARIO='VENTAS' AND ID=3 AND "
        "MONTH(FECHA_DESDE) = 4 AND PERIODO = 2024",
        "INSERT INTO MV_ASIENTOS (NUMERO, TIPO_REG) VALUES ((CASE WHEN EXISTS (SELECT NUMERO FROM "
        "MV_ASIENTOS WHERE TC = 'FA' AND NUMERO = '00000001') THEN FORMAT((SELECT "
        "MAX(CAST(NUMERO AS INT)) + 1 FROM MV_ASIENTOS WHERE TC = 'FA'), '00000000') ELSE "
        "'00000001' END), '')",
    };
    for (const char* sql : statements) {
        const QString oracle = oracle::rewriteStatement(q(sql));
        EXPECT_EQ(serverDialectLeft(oracle), QStringList()) << oracle.toStdString();
        // The checker sees what it looks for.
        EXPECT_FALSE(serverDialectLeft(q(sql)).isEmpty()) << sql;
    }
}

TEST(OracleScript, CutAtStatementKeywords) {
    const std::pair<const char*, QStringList> cases[] = {
        // The short transaction words.
        {"BEGIN TRANS\r\nDROP TABLE X\r\nROLLBACK TRANS\r\n",
         {q("SET TRANSACTION"), q("DROP TABLE X"), q("ROLLBACK")}},
        // Parts of names, and keywords within parentheses, start nothing.
        {"UPDATE T SET FECHA_UPDATE = 1, COMMITTED = 0 WHERE A IN (SELECT A FROM U) AND (ON "
         "DELETE CASCADE)",
         {q("UPDATE T SET FECHA_UPDATE = 1, COMMITTED = 0 WHERE A IN (SELECT A FROM U) AND (ON "
            "DELETE CASCADE)")}},
        // Text before the first keyword never runs.
        {"SELECT 1 INSERT INTO T VALUES (1)", {q("INSERT INTO T VALUES (1)")}},
        {"SELECT * FROM T", {}},
    };
    for (const auto& [script, statements] : cases)
        EXPECT_EQ(cut(q(script)), statements) << script;
}

class OracleTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        db.exec(q("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('1', 'A'), ('11', 'C')"));
    }

    // gDatos on a SQLite file whose connection string names Oracle: the data
    // object takes its Oracle road to an engine that runs here.
    DB_Dll& openAsOracle() {
        gDatos().gExtended = q("Application Name=ORACLE;");
        DB_Dll& d = openShared(db);
        capture(d.gCnn);
        return d;
    }

    QString descripcion(const char* codigo) const {
        return db.scalar(q("SELECT DESCRIPCION FROM MA_CUENTAS WHERE CODIGO = '%1'").arg(q(codigo)))
            .toString();
    }

    TempDatabase db;
    ado::RecordsetPtr rs;
    long afectados = 0;
};

TEST_F(OracleTest, OtherPlatformsPassUnchanged) {
    DB_Dll& d = gDatos();
    const QString sql = q("SELECT TOP 5 [A], LEN(B), ISNULL(C,''), GETDATE() FROM dbo.T "
                          "with(nolock) WHERE F = '31/12/2020' AND G <> '' AND YEAR(H) = 2020");
    d.gConnString = q("PROVIDER=SQLOLEDB;Server=srv;Database =EMPRESA;UId=sa;Pwd=x;");
    EXPECT_EQ(d.ORACLE_Dicc(sql), sql);
    d.gConnString = q("Provider=OraOLEDB.Oracle.1;Data Source=XE;");
    EXPECT_EQ(d.ORACLE_Dicc(q("len")), q("LENGTH"));
    EXPECT_EQ(d.ORACLE_Dicc(q("LEN(X)")), q("LEN(X)"));

    // On SQLite the engine gets the statements as written.
    openShared(db);
    capture(d.gCnn);
    const QString update = q("UPDATE MA_CUENTAS SET [DESCRIPCION] = ISNULL(NULL, 'B') WHERE "
                             "CODIGO = '11'");
    const QString select = q("SELECT TOP 1 [CODIGO] FROM MA_CUENTAS");
    d.EjecutaConsultaSQL(update + q("\r\n") + select, afectados);
    d.AbrirRecordset(select, rs);
    EXPECT_EQ(seen, QStringList({update, select, select}));
    EXPECT_EQ(descripcion("11"), q("B"));
}

TEST_F(OracleTest, TranslationWhereTheConnectionIsOracle) {
    DB_Dll& d = openAsOracle();
    const QString consulta = q("SELECT [CODIGO] FROM MA_CUENTAS WHERE LEN(CODIGO) = 2");
    d.AbrirRecordset(consulta, rs, nullptr, 0, 1, -1, true);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(q("CODIGO")).toString(), q("11"));
    d.AbrirRecordset(consulta, rs, nullptr, 0, 1, -1, false);
    // ROWNUM is unknown to SQLite: the lookup's error box is answered.
    responder->answerMsg(vb::vbCancel);
    d.ExisteEnTabla(q("MA_CUENTAS"), q("11"), q("[CODIGO]"));
    // Rows of a prepared statement stand for statements of a script.
    d.EjecutaPreparada(q("INSERT INTO MA_CUENTAS ([CODIGO], DESCRIPCION) VALUES (?, ?)"),
                       {{q("2"), q("PASIVO")}}, afectados);
    EXPECT_EQ(seen, QStringList(
                        {q("SELECT \"CODIGO\" FROM MA_CUENTAS WHERE LENGTH(CODIGO) = 2"), consulta,
                         q("SELECT * FROM MA_CUENTAS  WHERE (\"CODIGO\" ='11' OR \"CODIGO\" < "
                           "'0' AND LTRIM(RTRIM(\"CODIGO\")) ='11') AND ROWNUM <= 1"),
                         q("INSERT INTO MA_CUENTAS (\"CODIGO\", DESCRIPCION) VALUES (?, ?)")}));
    EXPECT_EQ(descripcion("2"), q("PASIVO"));

    // The lookups that open their recordsets themselves read in Oracle's dialect too.
    seen.clear();
    ado::RecordsetPtr fila;
    EXPECT_TRUE(d.ExisteEnTablaST(q("MA_CUENTAS"), q("11"), q("[CODIGO]")));
    EXPECT_TRUE(d.ExisteEnTablaST(q("MA_CUENTAS"), q("1"), q("CODIGO"), &fila));
    EXPECT_EQ(d.BuscaMinimo(q("MA_CUENTAS"), q("CODIGO")), QVariant(1.0));
    EXPECT_EQ(seen, QStringList({q("SELECT * FROM MA_CUENTAS   WHERE \"CODIGO\" ='11'"),
                                 q("SELECT * FROM MA_CUENTAS   WHERE CODIGO ='1'"),
                                 q("SELECT MIN(CODIGO) AS MENOR FROM MA_CUENTAS")}));

    // A query that cannot be rewritten goes to the error box, not past it.
    responder->answerMsg(vb::vbCancel);
    d.AbrirRecordset(q("SELECT * FROM MA_CUENTAS WHERE CODIGO = '1"), rs);
    EXPECT_EQ(rs->State(), ado::adStateClosed);
    EXPECT_TRUE(responder->shown.back().title.contains(q("AbrirRecordset")));
}

TEST_F(OracleTest, ScriptRunsStatementByStatement) {
    DB_Dll& d = openAsOracle();
    // Keywords, GO and line breaks inside a literal are data.
    const QString dato = q("SET NOCOUNT GO \r\nCOMMIT");
    QString script = q("SET NOCOUNT ON\r\nUPDATE MA_CUENTAS SET [DESCRIPCION] = '") + dato +
                     q("' WHERE CODIGO = '11'\r\nGO\r\nUPDATE MA_CUENTAS SET DESCRIPCION = 'D' "
                       "WHERE CODIGO = '1'"
                       "\r\nCREATE TABLE TMP_X (A INT)\r\n"
                       // The condition goes with its statement; what follows it runs.
                       "IF NOT EXISTS (SELECT * FROM TMP_X) DROP TABLE NO_EXISTE");
    afectados = 1;
    d.EjecutaConsultaSQL(script, afectados);
    EXPECT_EQ(seen, QStringList({q("UPDATE MA_CUENTAS SET \"DESCRIPCION\" = '") + dato +
                                     q("' WHERE CODIGO = '11'"),
                                 q("UPDATE MA_CUENTAS SET DESCRIPCION = 'D' WHERE CODIGO = '1'"),
                                 q("CREATE TABLE TMP_X (A INT)"), q("DROP TABLE NO_EXISTE")}));
    // Two rows (the CREATE counts none). The DROP failed: the rest stays in
    // the caller's text, the error in the connection's.
    EXPECT_EQ(afectados, 3);
    EXPECT_EQ(script, q("DROP TABLE NO_EXISTE"));
    EXPECT_GT(d.gCnn->errors().Count(), 0);
    EXPECT_EQ(descripcion("11"), dato);
}

TEST_F(OracleTest, FailedStatementLeavesTheTransactionToTheCaller) {
    DB_Dll& d = openAsOracle();
    testutil::recordStatements(d.gCnn, seen, [](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(q("'8'")))
            return providerError(-2147217900, 2627, q("23000"));
        return std::nullopt;
    });
    const QString insert = q("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('%1', 'X%1')");
    QString lote = q("BEGIN TRANSACTION \r\r\r") + insert.arg(7) + q("\r") + insert.arg(8);
    d.EjecutaConsultaSQL(lote, afectados);
    EXPECT_EQ(seen, QStringList({q("BEGIN TRANSACTION"), insert.arg(7), insert.arg(8)}));
    EXPECT_EQ(lote, insert.arg(8));
    ASSERT_EQ(d.gCnn->errors().Count(), 1);
    EXPECT_EQ(d.gCnn->errors().Item(0).NativeError, 2627);
    EXPECT_TRUE(d.gCnn->inTransaction());
    d.EjecutaConsultaSQL(q("ROLLBACK TRANSACTION"), afectados);
    EXPECT_FALSE(d.gCnn->inTransaction());
    EXPECT_TRUE(descripcion("7").isEmpty());

    // A statement that cannot be rewritten fails like a refused one.
    d.EjecutaConsultaSQL(q("BEGIN TRANSACTION \rUPDATE MA_CUENTAS SET A = 'x\r"), afectados);
    ASSERT_EQ(d.gCnn->errors().Count(), 1);
    EXPECT_EQ(d.gCnn->errors().Item(0).Number, vb::errInvalidCall);
    d.EjecutaConsultaSQL(q("ROLLBACK TRANSACTION"), afectados);

    lote = q("BEGIN TRANSACTION \r") + insert.arg(7) + q("\rCOMMIT TRANSACTION");
    d.EjecutaConsultaSQL(lote, afectados);
    EXPECT_EQ(descripcion("7"), q("X7"));
    EXPECT_FALSE(d.gCnn->inTransaction());
}
