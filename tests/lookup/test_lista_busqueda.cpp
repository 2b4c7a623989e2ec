#include "lista_fixture.h"

#include "lookup/sentencia_consulta.h"

#include <QDir>
#include <QFile>

using sentenciaconsulta::FiltroServidor;

TEST(FiltroServidor, PutsTheEscapedPatternBeforeTheTail) {
    struct Caso {
        const char* sql;
        const char* texto;
        bool contiene;
        MotorSQL motor;
        const char* esperado;
    };
    const Caso casos[] = {
        {"SELECT A FROM T WHERE X=1 ORDER BY A ", "ab", false, MotorSQL::SQLite,
         "SELECT A FROM T WHERE X=1  and A like 'ab%' ESCAPE '\\' ORDER BY A "},
        {"SELECT A FROM T ", "dos  pal", true, MotorSQL::SQLite,
         "SELECT A FROM T  where A like '%dos%%pal%' ESCAPE '\\' "},
        {"SELECT A FROM T GROUP BY A ORDER BY A ", "x", false, MotorSQL::SQLite,
         "SELECT A FROM T  where A like 'x%' ESCAPE '\\' GROUP BY A ORDER BY A "},
        // Quotes, wildcards and words inside the literal are the user's text.
        {"SELECT A FROM T WHERE B='order by' ", "O'B 50%_[x]\\*", false, MotorSQL::SQLite,
         "SELECT A FROM T WHERE B='order by'  and A like 'O''B 50\\%\\_\\[x]\\\\%%' ESCAPE '\\' "},
        {"SELECT A FROM T ", "[a]", true, MotorSQL::Oracle,
         "SELECT A FROM T  where A like '%[a]%' ESCAPE '\\' "},
        {"SELECT v_ma_articulos.A FROM V_MA_ARTICULOS ", "1", false, MotorSQL::SQLite,
         "SELECT v_ma_articulos.A FROM V_MA_ARTICULOS  where v_ma_articulos.A like '1%' "
         "ESCAPE '\\' "},
    };
    for (const Caso& c : casos) {
        const QString sql = QString::fromUtf8(c.sql);
        EXPECT_EQ(FiltroServidor(sql, sql, QStringLiteral("A"), QString::fromUtf8(c.texto),
                                 c.contiene, c.motor)
                      .sql,
                  QString::fromUtf8(c.esperado))
            << c.sql << " / " << c.texto;
    }
}

TEST(OrdenServidor, TheColumnGoesFirstAndTheStatementsOwnOrderBreaksTies) {
    struct Caso {
        const char* sql;
        int columna;
        bool bajando;
        const char* esperado;
    };
    const Caso casos[] = {
        {"SELECT A, B FROM T ", 2, false, "SELECT A, B FROM T ORDER BY 2"},
        {"SELECT A, B FROM T WHERE X=1 ORDER BY A, B DESC ", 1, true,
         "SELECT A, B FROM T WHERE X=1 ORDER BY 1 DESC, A, B DESC"},
        {"SELECT A FROM T GROUP BY A order  by A;", 1, false,
         "SELECT A FROM T GROUP BY A ORDER BY 1, A"},
        // Only the statement's own clause counts, not a subquery's or a text.
        {"SELECT A FROM (SELECT TOP 5 A FROM T ORDER BY A) X WHERE B = 'order by' ", 1, true,
         "SELECT A FROM (SELECT TOP 5 A FROM T ORDER BY A) X WHERE B = 'order by' ORDER BY 1 "
         "DESC"},
    };
    for (const Caso& c : casos)
        EXPECT_EQ(sentenciaconsulta::OrdenServidor(QString::fromUtf8(c.sql), c.columna, c.bajando),
                  QString::fromUtf8(c.esperado))
            << c.sql;
}

TEST_F(ListaTest, TypingSelectsTheFirstRowThatStartsWithTheText) {
    auto w = abre(cuentasSql());
    struct Caso {
        int columna;
        const char* texto;
        const char* codigo; // selected afterwards
    };
    const Caso casos[] = {
        {1, "cuenta 2", "1002"}, {0, "1010", "1010"},   {1, "sin par", "1010"}, // unchanged
        {1, "", "1001"},         {1, "BANCO C", "101"},
    };
    for (const Caso& c : casos) {
        combo(*w, c.columna)->setEditText(QString::fromUtf8(c.texto));
        ASSERT_TRUE(buscada(*w));
        EXPECT_EQ(seleccionada(*w), QString::fromUtf8(c.codigo)) << c.texto;
    }
}

TEST_F(ListaTest, TypingFindsRowsNotReadYet) {
    for (const char* texto : {"o'bri", "Banco N"}) {
        auto w = abre(cuentasSql());
        ASSERT_LT(w->modelo().filas(), kCuentas);
        combo(*w, 1)->setEditText(QString::fromUtf8(texto));
        ASSERT_TRUE(buscada(*w));
        EXPECT_EQ(seleccionada(*w), QString::fromUtf8(texto[0] == 'o' ? "2003" : "2005")) << texto;
    }
}

TEST_F(ListaTest, F5AsksTheServerWithTheTypedTextAsItIs) {
    auto w = abre(cuentasSql());
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    struct Caso {
        bool contiene;
        const char* texto;
        QStringList codigos;
    };
    const Caso casos[] = {
        {false, "Caja 50%", {QStringLiteral("2001")}},
        {false, "o'bri", {QStringLiteral("2003")}},
        {false, "*50%", {QStringLiteral("2001")}},
        {false, "Banco_N", {QStringLiteral("2004")}},
        {true, "50% dól", {QStringLiteral("2001")}},
        {true, "nac", {QStringLiteral("2004"), QStringLiteral("2005")}},
    };
    for (const Caso& c : casos) {
        w->CfgUsaConsultaLIKE = c.contiene;
        combo(*w, 1)->setEditText(QString::fromUtf8(c.texto));
        QTest::keyClick(combo(*w, 1), Qt::Key_F5);
        ASSERT_TRUE(buscada(*w)); // the rows may come after the key
        EXPECT_EQ(columna(*w), c.codigos) << c.texto;
        EXPECT_TRUE(combo(*w, 1)->currentText().isEmpty());
        EXPECT_TRUE(responder->shown.empty()) << c.texto;
        w->CmdNueva_Click();
        EXPECT_EQ(w->modelo().filas(), ModeloConsulta::kLote);
    }
    // Filters build on each other; "Nueva Busqueda" starts again.
    w->CfgUsaConsultaLIKE = false;
    for (const char* texto : {"Caja", "Caja 500"}) {
        combo(*w, 1)->setEditText(QString::fromUtf8(texto));
        QTest::keyClick(combo(*w, 1), Qt::Key_F5);
        ASSERT_TRUE(buscada(*w)); // each filter on the rows of the one before
    }
    EXPECT_EQ(columna(*w), QStringList{QStringLiteral("2002")});
    EXPECT_TRUE(w->sqlActual().contains(QLatin1String(" and DESCRIPCION like 'Caja 500%'")));
    EXPECT_EQ(w->sqlInicial(), cuentasSql() + u' ');
    w->CmdNueva_Click();
    EXPECT_EQ(columna(*w).size(), kCuentas);
}

TEST_F(ListaTest, HeaderClicksSortUpThenDown) {
    auto w = abre(cuentasSql());
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    clickEncabezado(*w, 1);
    EXPECT_FALSE(w->recordsetAbierto()); // sorting read every row
    QStringList subida = columna(*w, 1);
    ASSERT_EQ(subida.size(), kCuentas);
    EXPECT_EQ(subida.mid(0, 4),
              (QStringList{QStringLiteral("banco chico"), QStringLiteral("Banco Nacion"),
                           QStringLiteral("Banco_Nación"), QStringLiteral("Caja 50% dólares")}));
    clickEncabezado(*w, 1);
    std::reverse(subida.begin(), subida.end());
    EXPECT_EQ(columna(*w, 1), subida);
}

TEST_F(ListaTest, CancelReturnsTheEmptyText) {
    auto w = abre(cuentasSql());
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    w->CmpsDevueltos = {QStringLiteral("CODIGO")};
    QTest::mouseClick(boton(*w, "CmdCancelar"), Qt::LeftButton);
    EXPECT_EQ(w->ValorDevuelto, QVariant(QString()));
    EXPECT_TRUE(w->CmpsDevueltos.isEmpty());
    EXPECT_FALSE(w->isVisible());
}

TEST_F(ListaTest, NuevoStartsTheTablesMaintenanceProgram) {
    const QString programa = QDir(tempDir.path()).filePath(QStringLiteral("V_MA_CLIENTES"));
    QFile f(programa);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("#!/bin/sh\nfor a in \"$@\"; do echo \"$a\"; done > \"$0.tmp\"; mv \"$0.tmp\" "
            "\"$0.args\"\n");
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    db.exec(QStringLiteral("CREATE VIEW VT_PROVEEDORES AS SELECT CODIGO FROM MA_CUENTAS"));
    auto w = abre(QStringLiteral("SELECT * FROM VT_PROVEEDORES"));
    QTest::mouseClick(boton(*w, "CmdNuevo"), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(programa + ".args"); }, 10000));
    QFile args(programa + ".args");
    ASSERT_TRUE(args.open(QIODevice::ReadOnly));
    EXPECT_TRUE(args.readAll().contains("@ParametroAdicional=0;"));
}

TEST_F(ListaTest, F12ReportsTheArticleAsMissing) {
    db.exec(QStringLiteral(
        "CREATE TABLE V_MA_ARTICULOS (idarticulo VARCHAR(25), Descripcion VARCHAR(60));"
        "INSERT INTO V_MA_ARTICULOS VALUES ('77', 'Llave O''Neil')"));
    auto w = abre(QStringLiteral("SELECT idarticulo, Descripcion FROM V_MA_ARTICULOS"));
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    combo(*w, 0)->setEditText(QStringLiteral("77"));
    for (int respuesta : {vb::vbNo, vb::vbYes}) {
        responder->answerMsg(respuesta);
        QTest::keyClick(lista(*w), Qt::Key_F12);
    }
    ASSERT_EQ(responder->shown.size(), 2u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Desea informar el articulo 77 Llave O'Neil\r\ncomo un faltante de "
                             "stock?"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Atención!"));
    EXPECT_EQ(responder->shown[0].buttons, vb::vbYesNo + vb::vbQuestion);
    EXPECT_EQ(db.rows(QStringLiteral("SELECT * FROM V_MV_FALTANTES")),
              (QList<QVariantList>{{QStringLiteral("2024-03-15 10:20:30"),
                                    QString(23, u'0') + QStringLiteral("77"),
                                    QStringLiteral("Llave O'Neil"), QStringLiteral("sa")}}));
    // Outside an article lookup F12 does nothing.
    auto cuentas = abre(cuentasSql());
    QTest::keyClick(lista(*cuentas), Qt::Key_F12);
    EXPECT_EQ(responder->shown.size(), 2u);
}

namespace {

// More accounts than the list sorts itself: codes 00001 .., descriptions in
// another order.
constexpr int kLarga = Lib_FrmCons3::kOrdenEnLista + 2000;

QString cuentasLargas() {
    return QStringLiteral(
               "DELETE FROM MA_CUENTAS; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
               "FROM n WHERE i < %1) INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, INDICE) SELECT "
               "printf('%05d', i), 'Cuenta ' || ((i * 7) % %1), i % 4 FROM n")
        .arg(kLarga);
}

} // namespace

// On a list longer than the batches it reads, typing and F5 find a row far
// beyond the first batch.
TEST_F(ListaTest, ALongListFindsRowsBeyondTheFirstBatch) {
    db.exec(cuentasLargas());
    auto w = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO"));
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ASSERT_LT(w->modelo().filas(), 1000);
    ASSERT_TRUE(w->recordsetAbierto());
    combo(*w, 0)->setEditText(QStringLiteral("11999"));
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(seleccionada(*w, 1), QStringLiteral("Cuenta 11993"));
    combo(*w, 1)->setEditText(QStringLiteral("Cuenta 11986"));
    QTest::keyClick(combo(*w, 1), Qt::Key_F5);
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(columna(*w), QStringList{QStringLiteral("11998")});
}

// A header sort of a long list comes from the database: the rows come in
// order from the first batch on, both ways, and rows already read keep
// their check marks.
TEST_F(ListaTest, HeaderSortOfALongListComesFromTheDatabase) {
    db.exec(cuentasLargas());
    QStringList esperadas;
    for (int i = 1; i <= kLarga; ++i)
        esperadas << QStringLiteral("Cuenta %1").arg(i * 7 % kLarga);
    std::sort(esperadas.begin(), esperadas.end());
    for (const bool bajando : {false, true}) {
        SCOPED_TRACE(bajando ? "descending" : "ascending");
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
        w->CheckBoxes = true;
        w->CampoDevuelto = QStringLiteral("CODIGO");
        w->Cargar();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        w->modelo().setMarcada(1, true); // 00002
        clickEncabezado(*w, 1);
        if (bajando)
            clickEncabezado(*w, 1);
        EXPECT_TRUE(w->recordsetAbierto());
        EXPECT_LT(w->modelo().filas(), kLarga);
        EXPECT_EQ(columna(*w, 1),
                  bajando ? QStringList(esperadas.rbegin(), esperadas.rend()) : esperadas);
        const int fila = int(columna(*w, 0).indexOf(QStringLiteral("00002")));
        ASSERT_GE(fila, 0);
        EXPECT_TRUE(w->modelo().marcada(fila));
        EXPECT_EQ(celda(*w, fila, 1), QStringLiteral("Cuenta 14"));
    }
}

// A lookup of the table itself for a user who otherwise sees it through its
// restricted view: each sort opens it again, on the table every time.
TEST_F(ListaTest, ALongListSortedAgainKeepsTheTableItAskedFor) {
    db.exec(cuentasLargas() + QStringLiteral("; DROP VIEW SS_MA_CUENTAS; CREATE VIEW "
                                             "SS_MA_CUENTAS AS SELECT * FROM MA_CUENTAS WHERE 0"));
    gDatos().gEsAdmin = false;
    auto w = abre(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM @Admin_MA_CUENTAS"));
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    for (const char* vez : {"ascending", "descending", "ascending again"}) {
        SCOPED_TRACE(vez);
        clickEncabezado(*w, 0);
        EXPECT_EQ(columna(*w).size(), kLarga);
    }
}

// While the list waits with rows left, the database is free for others'
// writes; scrolling on reads the rows that follow.
TEST_F(ListaTest, AWaitingListLetsOthersWrite) {
    db.exec(cuentasLargas());
    auto w = abre(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY CODIGO"));
    w->modelo().fetchMore(QModelIndex());
    const int leidas = w->modelo().filas();
    w->modelo().pausa();
    EXPECT_EQ(db.tryExec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO) VALUES ('99999')")),
              QString());
    w->modelo().fetchMore(QModelIndex());
    EXPECT_EQ(celda(*w, leidas, 0), QStringLiteral("%1").arg(leidas + 1, 5, 10, QChar(u'0')));
    EXPECT_EQ(columna(*w).back(), QStringLiteral("99999"));
}

// The list's order over its select list, and the statement that reads on
// from a row: the statement's TOP chooses the rows first, NULL sorts first
// on every engine, and a statement whose columns cannot be named from an
// outer query is not read by key.
TEST(SentenciaPorClaves, ReadsOnAfterARowInTheListsOrder) {
    using namespace sentenciaconsulta;
    struct Caso {
        const char* sql;
        QStringList nombres;
        std::vector<bool> ordenables;
        Desde desde;
        std::vector<QVariant> valores;
        MotorSQL motor;
        int top;
        const char* esperado; // empty: not read by key
    };
    const QStringList ab{QStringLiteral("A"), QStringLiteral("B")};
    const Caso casos[] = {
        {"SELECT TOP 5 A, B FROM T ORDER BY B DESC",
         ab,
         {},
         Desde::Principio,
         {},
         MotorSQL::SQLite,
         0,
         "SELECT * FROM (SELECT TOP 5 A, B FROM T ORDER BY B DESC) Q_LISTA ORDER BY [B] DESC, [A]"},
        {"SELECT A, B FROM T ORDER BY T.A;",
         ab,
         {},
         Desde::Despues,
         {QStringLiteral("x'y"), vb::Null()},
         MotorSQL::SqlServer,
         0,
         "SELECT * FROM (SELECT A, B FROM T) Q_LISTA WHERE [A] >= N'x''y' AND ([A] > N'x''y' OR "
         "([A] = N'x''y' AND ([B] IS NOT NULL OR ([B] IS NULL AND 1 = 0)))) ORDER BY [A], [B]"},
        {"SELECT A, B FROM T ORDER BY 2",
         ab,
         {},
         Desde::Antes,
         {QStringLiteral("x"), QVariant(2)},
         MotorSQL::Oracle,
         3,
         "SELECT TOP 3 * FROM (SELECT A, B FROM T) Q_LISTA WHERE (\"B\" <= 2 OR \"B\" IS NULL) AND "
         "((\"B\" < 2 OR \"B\" IS NULL) OR (\"B\" = 2 AND ((\"A\" < 'x' OR \"A\" IS NULL) OR "
         "(\"A\" = 'x' AND 1 = 0)))) ORDER BY \"B\" DESC NULLS LAST, \"A\" DESC NULLS LAST"},
        {"SELECT A, B FROM T",
         ab,
         {true, false},
         Desde::En,
         {QDateTime(QDate(2023, 1, 2), QTime(3, 4, 5, 600)), QStringLiteral("memo")},
         MotorSQL::SqlServer,
         0,
         "SELECT * FROM (SELECT A, B FROM T) Q_LISTA WHERE [A] >= '20230102 03:04:05.600' AND ([A] "
         "> "
         "'20230102 03:04:05.600' OR ([A] = '20230102 03:04:05.600' AND 1 = 1)) ORDER BY [A]"},
        {"SELECT A, A FROM T",
         ab.mid(0, 1) << QStringLiteral("a"),
         {},
         Desde::Principio,
         {},
         MotorSQL::SQLite,
         0,
         ""},
        {"SELECT A, B FROM T ORDER BY LEN(A)",
         ab,
         {},
         Desde::Principio,
         {},
         MotorSQL::SQLite,
         0,
         ""},
    };
    for (const Caso& c : casos) {
        const QString sql = QString::fromUtf8(c.sql);
        const auto claves = OrdenDeSentencia(sql, c.nombres, c.ordenables);
        ASSERT_EQ(claves.has_value(), *c.esperado != 0) << c.sql;
        if (claves) {
            EXPECT_EQ(SentenciaPorClaves(sql, c.nombres, *claves, c.desde, c.valores, c.motor,
                                         QString(), c.top),
                      QString::fromUtf8(c.esperado))
                << c.sql;
        }
    }
}
