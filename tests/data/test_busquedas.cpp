// Single-row lookups and column extremes.

#include "data_fixture.h"

#include "platform/win/clsutilidades.h"

#include <QRegularExpression>

using testutil::TempDatabase;

class BusquedasTest : public DataTest {
protected:
    void SetUp() override {
        DataTest::SetUp();
        db = std::make_unique<TempDatabase>(QStringLiteral("EMPRESA"), TempDatabase::Schema::Empty);
        db->exec(QStringLiteral(
            "CREATE TABLE T (Codigo VARCHAR(20), NOMBRE VARCHAR(40), NUM FLOAT, FECHA DATETIME)"));
        db->exec(QStringLiteral("INSERT INTO T VALUES (' A1 ', 'con blancos', 12, "
                                "'2024-03-01 00:00:00'), ('B2', NULL, 0, NULL), ('C3', 'tres', "
                                "1.5, '2024-03-02 00:00:00')"));
        d = &openShared(*db);
        d->gEsAdmin = true;
        capture(d->gCnn);
    }

    // The statement texts that read table T, in order. The engine drops the
    // trailing blanks of a statement before it sees it.
    QStringList reads() const {
        return seen.filter(QRegularExpression(QStringLiteral("FROM T\\b")));
    }
    QString lastRead() const {
        const QStringList r = reads();
        return r.isEmpty() ? QString() : r.last();
    }
    static QString sent(const QString& statement) {
        QString s = statement;
        while (s.endsWith(QLatin1Char(' ')))
            s.chop(1);
        return s;
    }

    std::unique_ptr<TempDatabase> db;
    DB_Dll* d = nullptr;
};

// A NUL inside a value travels whole: it neither cuts the statement nor
// matches the text before it.
TEST_F(BusquedasTest, ValueWithNulTravelsWhole) {
    const QString conNulo = QStringLiteral("a") + QChar(0) + QStringLiteral("z");
    long n = 0;
    d->EjecutaConsultaSQL(QStringLiteral("INSERT INTO T (Codigo) VALUES (") +
                              d->SQLValue(conNulo).toString() + u')',
                          n);
    EXPECT_EQ(d->gCnn->errors().Count(), 0);
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), conNulo));
    EXPECT_FALSE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("a")));
    EXPECT_FALSE(d->ExisteEnTabla(QStringLiteral("T"), QChar(0) + QStringLiteral("z")));
    EXPECT_TRUE(responder->shown.empty());
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT hex(Codigo) FROM T WHERE Codigo LIKE 'a%'")),
              QStringLiteral("61007A"));
}

TEST_F(BusquedasTest, ExisteEnTablaStatements) {
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral(" A1  ")));
    // Stored with blanks around it, found; the column is compared as it
    // stands, which its index serves, and trimmed only where it begins
    // with a blank.
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT TOP 1  * FROM T with(nolock)  WHERE (Codigo "
                                              "='A1' OR Codigo < '0' AND LTRIM(RTRIM(Codigo)) "
                                              "='A1')")));
    EXPECT_FALSE(
        d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("ZZ"), QStringLiteral("NOMBRE")));

    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("12abc"),
                                 QStringLiteral("NUM"), nullptr, 3));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 12")));
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("1.5"), QStringLiteral("NUM"),
                                 nullptr, 5));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 1.5")));
    // A decimal comma ends the number; letters only give 0.
    d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("1,5"), QStringLiteral("NUM"), nullptr, 4);
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 1")));
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("abc"), QStringLiteral("NUM"),
                                 nullptr, 3));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 0")));
    d->ExisteEnTabla(QStringLiteral("T"), QString(), QStringLiteral("NUM"), nullptr, 3);
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 0")));

    d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("NUM"), QStringLiteral("NUM"), nullptr,
                     11);
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = NUM")));

    // A condition replaces key and value.
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("x"), QStringLiteral("x"),
                                 nullptr, 8, QStringLiteral("NUM > 10")));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM > 10")));
    d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("x"), QStringLiteral("x"), nullptr, 8,
                     QStringLiteral("T2 WHERE NUM > 10"));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  T2 WHERE NUM > 10")));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(BusquedasTest, ExisteEnTablaSTStatementsAndRecordset) {
    // No trimming in the full scan.
    EXPECT_FALSE(d->ExisteEnTablaST(QStringLiteral("T"), QStringLiteral("A1")));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT * FROM T with(nolock)   WHERE Codigo ='A1'")));
    EXPECT_TRUE(d->ExisteEnTablaST(QStringLiteral("T"), QStringLiteral(" A1 ")));
    d->ExisteEnTablaST(QStringLiteral("T"), QStringLiteral("7x"), QStringLiteral("NUM"), nullptr,
                       3);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT * FROM T with(nolock)   WHERE NUM = 7")));
    d->ExisteEnTablaST(QStringLiteral("T"), QString(), QString(), nullptr, 8,
                       QStringLiteral("NUM < 5"));
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT * FROM T with(nolock)   WHERE NUM < 5")));

    // Whatever instance is asked, the full scan runs on the shared connection.
    EXPECT_TRUE(gDatosAux().ExisteEnTablaST(QStringLiteral("T"), QStringLiteral("B2")));
    EXPECT_EQ(gDatosAux().gCnn->State(), ado::adStateClosed);

    // The recordset stays open on the first matching row.
    ado::RecordsetPtr rs;
    EXPECT_TRUE(d->ExisteEnTablaST(QStringLiteral("T"), QString(), QString(), &rs, 8,
                                   QStringLiteral("NUM < 5 ORDER BY NUM DESC")));
    ASSERT_TRUE(rs);
    ASSERT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_EQ(rs->value(QStringLiteral("Codigo")).toString(), QStringLiteral("C3"));
    rs->MoveNext();
    EXPECT_EQ(rs->value(QStringLiteral("Codigo")).toString(), QStringLiteral("B2"));
    // Given again while open: closed and reopened.
    EXPECT_FALSE(
        d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("QQ"), QStringLiteral("Codigo"), &rs));
    EXPECT_EQ(rs->State(), ado::adStateOpen);
    EXPECT_TRUE(rs->BOF());
}

TEST_F(BusquedasTest, ExisteEnTablaRestrictedView) {
    TempDatabase full(QStringLiteral("COMPLETA"));
    full.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES ('11', 'CAJA')"));
    resetInstances();
    seen.clear();
    DB_Dll& e = openShared(full);
    e.gEsAdmin = false;
    capture(e.gCnn);
    EXPECT_TRUE(e.ExisteEnTabla(QStringLiteral("MA_CUENTAS"), QStringLiteral("11"),
                                QStringLiteral("CODIGO")));
    EXPECT_EQ(seenWith(QStringLiteral("MA_CUENTAS")),
              QStringList{QStringLiteral("SELECT TOP 1  * FROM SS_MA_CUENTAS with(nolock)  WHERE "
                                         "(CODIGO ='11' OR CODIGO < '0' AND LTRIM(RTRIM(CODIGO)) "
                                         "='11')")});
}

TEST_F(BusquedasTest, DatosTablaStatementsAndValues) {
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("A1"), QStringLiteral("NOMBRE")),
              QVariant(QStringLiteral("con blancos")));
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE (Codigo "
                                              "='A1' OR Codigo < '0' AND LTRIM(RTRIM(Codigo)) "
                                              "='A1') ")));
    // A number column searched as text: the bound of the blanks' range
    // compares as a number too.
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("12"), QStringLiteral("NOMBRE"),
                            QStringLiteral("NUM")),
              QVariant(QStringLiteral("con blancos")));
    // Without trimming the blanks must match.
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("A1"), QStringLiteral("NOMBRE"),
                            QStringLiteral("Codigo"), 8, QString(), false),
              QVariant(QString()));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE Codigo ='A1' ")));
    // A blank condition adds no AND but keeps its blanks.
    d->DatosTabla(QStringLiteral("T"), QStringLiteral("A1"), QStringLiteral("NOMBRE"),
                  QStringLiteral("Codigo"), 8, QStringLiteral("  "));
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE (Codigo "
                                              "='A1' OR Codigo < '0' AND LTRIM(RTRIM(Codigo)) "
                                              "='A1')   ")));
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("1.5"), QStringLiteral("Codigo"),
                            QStringLiteral("NUM"), 5, QStringLiteral("NOMBRE='tres'")),
              QVariant(QStringLiteral("C3")));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = 1.5 AND "
                                  "NOMBRE='tres'")));
    d->DatosTabla(QStringLiteral("T"), QStringLiteral("NUM"), QStringLiteral("Codigo"),
                  QStringLiteral("NUM"), 2);
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE NUM = NUM")));

    // Missing row and Null column both give the empty text.
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("ZZ"), QStringLiteral("NOMBRE")),
              QVariant(QString()));
    const QVariant nulo =
        d->DatosTabla(QStringLiteral("T"), QStringLiteral("B2"), QStringLiteral("NOMBRE"));
    EXPECT_TRUE(nulo.isValid());
    EXPECT_EQ(nulo.toString(), QString());

    // "'" as type: text, and the caller's variable becomes 8.
    QVariant tipo = QStringLiteral("'");
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("C3"), QStringLiteral("NOMBRE"),
                            QStringLiteral("Codigo"), tipo, QString(), true, false),
              QVariant(QStringLiteral("tres")));
    EXPECT_EQ(tipo.toInt(), 8);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(BusquedasTest, DatosTablaDateComparesByDay) {
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral(" 02/03/2024 "),
                            QStringLiteral("Codigo"), QStringLiteral("FECHA"), 7),
              QVariant(QStringLiteral("C3")));
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE FECHA = ") +
                   ClsUtilidades::FechaParaSQL(QStringLiteral("02/03/2024")) +
                   QStringLiteral(" ")));
    EXPECT_FALSE(lastRead().contains(QLatin1Char('#')));
}

TEST_F(BusquedasTest, ExistenceTestsCompareDatesByDay) {
    const QString literal = ClsUtilidades::FechaParaSQL(QStringLiteral("02/03/2024"));
    const struct {
        bool st;
        QString valor;
        bool existe;
        QString sentencia;
    } casos[] = {
        {false, QStringLiteral(" 02/03/2024 "), true,
         QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE FECHA = ") + literal},
        {true, QStringLiteral("02/03/2024"), true,
         QStringLiteral("SELECT * FROM T with(nolock)   WHERE FECHA = ") + literal},
        {false, QStringLiteral("03/03/2024"), false, QString()},
        {true, QStringLiteral("03/03/2024"), false, QString()},
        // Not a date: no row can match.
        {false, QStringLiteral("x"), false,
         QStringLiteral("SELECT TOP 1 * FROM T with(nolock)  WHERE FECHA = NULL")},
    };
    for (const auto& c : casos) {
        const bool existe = c.st ? d->ExisteEnTablaST(QStringLiteral("T"), c.valor,
                                                      QStringLiteral("FECHA"), nullptr, 7)
                                 : d->ExisteEnTabla(QStringLiteral("T"), c.valor,
                                                    QStringLiteral("FECHA"), nullptr, 7);
        EXPECT_EQ(existe, c.existe) << c.st << c.valor.toStdString();
        if (!c.sentencia.isEmpty()) {
            EXPECT_EQ(lastRead(), sent(c.sentencia)) << c.valor.toStdString();
        }
    }
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(BusquedasTest, DatosTablaFailures) {
    // Unknown column: silent with IgnoraError, the operator's box otherwise.
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("C3"), QStringLiteral("NO_HAY"),
                            QStringLiteral("Codigo"), 8, QString(), true, true),
              QVariant(QString()));
    EXPECT_TRUE(responder->shown.empty());
    responder->answerMsg(vb::vbAbort);
    const QVariant r =
        d->DatosTabla(QStringLiteral("T"), QStringLiteral("C3"), QStringLiteral("NO_HAY"));
    EXPECT_FALSE(r.isValid());
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbAbortRetryIgnore + vb::vbCritical);
    EXPECT_FALSE(responder->shown[0].prompt.isEmpty());
    // This box writes no log line.
    EXPECT_TRUE(readLog(logPath()).isEmpty());

    // Connection not open: Empty.
    d->gCnn->Close();
    d->gOpenFlag = false;
    responder->shown.clear();
    responder->answerMsg(vb::vbAbort); // AbrirRecordset's own box
    const QVariant cerrada =
        d->DatosTabla(QStringLiteral("T"), QStringLiteral("C3"), QStringLiteral("NOMBRE"));
    EXPECT_FALSE(cerrada.isValid());
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral(" - AbrirRecordset")));
}

TEST_F(BusquedasTest, LostLinkInLookups) {
    const QString cadena = d->gCnn->ConnectionString;
    int failures = 0;
    int reopens = 0;
    d->gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s == cadena) {
            ++reopens;
            return std::nullopt;
        }
        if (s.contains(QStringLiteral("FROM T ")) && failures > 0) {
            --failures;
            return ado::lostLinkError();
        }
        return std::nullopt;
    });
    // Two losses in one call are overcome silently...
    failures = 2;
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("C3")));
    EXPECT_EQ(reopens, 2);
    EXPECT_TRUE(responder->shown.empty());
    // ...the third shows the operator's box.
    failures = 3;
    reopens = 0;
    responder->answerMsg(vb::vbAbort);
    EXPECT_FALSE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("C3")));
    EXPECT_EQ(reopens, 3);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al Operador"));

    // DatosTabla reads through AbrirRecordset, whose own box follows the
    // first reconnect; its Retry runs the query again.
    failures = 1;
    reopens = 0;
    responder->shown.clear();
    responder->answerMsg(vb::vbRetry);
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), QStringLiteral("C3"), QStringLiteral("NOMBRE")),
              QVariant(QStringLiteral("tres")));
    EXPECT_EQ(reopens, 1);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral(" - AbrirRecordset")));
}

TEST_F(BusquedasTest, LostLinkThatDoesNotComeBack) {
    const QString cadena = d->gCnn->ConnectionString;
    int reopens = 0;
    d->gCnn->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (s == cadena) {
            ++reopens;
            return ado::lostLinkError();
        }
        if (s.contains(QStringLiteral("FROM T ")))
            return ado::lostLinkError();
        return std::nullopt;
    });
    // The existence test asks after two failed reconnects; No ends the program.
    responder->answerMsg(vb::vbNo);
    EXPECT_THROW(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("C3")), vb::ProgramEnded);
    EXPECT_EQ(reopens, 2);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("AVISO AL OPERADOR"));
}

TEST_F(BusquedasTest, ApostropheRoundTrip) {
    const QString nombre = QStringLiteral("D'Alessandro");
    long n = 0;
    d->EjecutaConsultaSQL(QStringLiteral("INSERT INTO T (Codigo, NOMBRE) VALUES (") +
                              d->SQLValue(QStringLiteral("X'1")).toString() + QStringLiteral(", ") +
                              d->SQLValue(nombre).toString() + QStringLiteral(")"),
                          n);
    EXPECT_EQ(n, 1);
    EXPECT_EQ(db->scalar(QStringLiteral("SELECT NOMBRE FROM T WHERE Codigo = 'X''1'")).toString(),
              nombre);
    EXPECT_TRUE(d->ExisteEnTabla(QStringLiteral("T"), QStringLiteral("X'1")));
    EXPECT_TRUE(d->ExisteEnTablaST(QStringLiteral("T"), nombre, QStringLiteral("NOMBRE")));
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), nombre, QStringLiteral("Codigo"),
                            QStringLiteral("NOMBRE")),
              QVariant(QStringLiteral("X'1")));
    EXPECT_EQ(d->DatosTabla(QStringLiteral("T"), nombre, QStringLiteral("Codigo"),
                            QStringLiteral("NOMBRE"), 8, QString(), false),
              QVariant(QStringLiteral("X'1")));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(BusquedasTest, ColumnExtremes) {
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("T"), QStringLiteral("NUM")).toDouble(), 12.0);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MAX(NUM) AS MAYOR FROM T")));
    QString cond = QStringLiteral("  NUM < 5 ");
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("T"), QStringLiteral("NUM"), 7, cond),
              QVariant(ClsUtilidades::ValorCampo(QVariant(1.5))));
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MAX(NUM) AS MAYOR FROM T WHERE NUM < 5")));

    EXPECT_EQ(d->BuscaMinimo(QStringLiteral("T"), QStringLiteral("NUM")).toDouble(), 0.0);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MIN(NUM) AS MENOR FROM T  with(nolock) ")));
    EXPECT_EQ(d->BuscaMinimo(QStringLiteral("T"), QStringLiteral("NUM"), std::nullopt,
                             QStringLiteral(" NUM > 2 "))
                  .toDouble(),
              12.0);
    EXPECT_EQ(lastRead(),
              sent(QStringLiteral("SELECT MIN(NUM) AS MENOR FROM T  with(nolock)  WHERE NUM > 2")));
    // A blank condition given still sends its WHERE, which the server refuses.
    QString blanca = QStringLiteral("  ");
    EXPECT_THROW(d->BuscaMinimo(QStringLiteral("T"), QStringLiteral("NUM"), std::nullopt, blanca),
                 ado::Exception);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MIN(NUM) AS MENOR FROM T  with(nolock)  "
                                              "WHERE ")));
    EXPECT_THROW(d->BuscaMaximo(QStringLiteral("T"), QStringLiteral("NUM"), 7, blanca),
                 ado::Exception);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MAX(NUM) AS MAYOR FROM T WHERE ")));

    EXPECT_EQ(d->BuscaUltimoCodigo(QStringLiteral("T"), QStringLiteral("Codigo")).toDouble(), 0.0);
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MAX(Codigo) AS MAYOR FROM T")));
    d->BuscaUltimoCodigo(QStringLiteral("T"), QStringLiteral("NUM"), 8, QStringLiteral(" NUM < 5"));
    EXPECT_EQ(lastRead(), sent(QStringLiteral("SELECT MAX(NUM) AS MAYOR FROM T WHERE  NUM < 5")));

    db->exec(QStringLiteral("CREATE TABLE VACIA (N INT)"));
    EXPECT_EQ(d->BuscaUltimoCodigo(QStringLiteral("VACIA"), QStringLiteral("N")).toDouble(), 0.0);
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("VACIA"), QStringLiteral("N"), 7), QVariant(QString()));

    // Errors reach the caller.
    EXPECT_THROW(d->BuscaMaximo(QStringLiteral("NO_HAY"), QStringLiteral("N")), ado::Exception);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(BusquedasTest, ArticleCodesBeginningWithZero) {
    db->exec(
        QStringLiteral("CREATE TABLE V_MA_ARTICULOS (IDARTICULO VARCHAR(20), OTRO VARCHAR(5))"));
    db->exec(QStringLiteral("INSERT INTO V_MA_ARTICULOS VALUES ('0999', '01'), ('0500', '01'), "
                            "(' 7', '01')"));
    // Without a condition the search past the leading zeros makes its own;
    // a condition given is extended in the caller's variable.
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("v_ma_articulos"), QStringLiteral("idarticulo"), 7),
              QVariant(QStringLiteral(" 7")));
    EXPECT_EQ(reads().size(), 0); // (reads() looks for table T)
    EXPECT_EQ(seenWith(QStringLiteral("v_ma_articulos")),
              (QStringList{QStringLiteral("SELECT MAX(idarticulo) AS MAYOR FROM v_ma_articulos"),
                           QStringLiteral("SELECT MAX(idarticulo) AS MAYOR FROM v_ma_articulos "
                                          "WHERE substring(ltrim(idarticulo),1,1)<>'0'")}));
    QString cond = QStringLiteral("IDARTICULO < '0600'");
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("IDARTICULO"),
                             std::nullopt, cond)
                  .toDouble(),
              7.0);
    EXPECT_EQ(cond,
              QStringLiteral("IDARTICULO < '0600' and substring(ltrim(idarticulo),1,1)<>'0'"));

    // Every code begins with zero: the repeated search finds nothing.
    db->exec(QStringLiteral("DELETE FROM V_MA_ARTICULOS WHERE IDARTICULO = ' 7'"));
    seen.clear();
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("IDARTICULO"), 7),
              QVariant(QString()));
    EXPECT_EQ(
        d->BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("IDARTICULO")).toDouble(),
        0.0);
    EXPECT_EQ(seenWith(QStringLiteral("V_MA_ARTICULOS")).size(), 4);

    // Another column whose maximum keeps beginning with zero: one repetition only.
    db->exec(QStringLiteral("INSERT INTO V_MA_ARTICULOS VALUES (' 9', '02')"));
    seen.clear();
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("OTRO"), 7),
              QVariant(QStringLiteral("02")));
    EXPECT_EQ(seenWith(QStringLiteral("V_MA_ARTICULOS")).size(), 2);
    // Other tables are not searched again.
    db->exec(QStringLiteral("CREATE TABLE V_MA_ARTICULOS2 AS SELECT * FROM V_MA_ARTICULOS"));
    seen.clear();
    EXPECT_EQ(d->BuscaMaximo(QStringLiteral("V_MA_ARTICULOS2"), QStringLiteral("IDARTICULO"), 7),
              QVariant(QStringLiteral("0999")));
    EXPECT_EQ(seenWith(QStringLiteral("V_MA_ARTICULOS2")).size(), 1);
}
