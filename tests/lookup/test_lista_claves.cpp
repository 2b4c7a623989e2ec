// A long list read on by key: what others write while it waits, a sort by
// the database, a search beyond the rows read and a failed read passed over
// never show a row twice nor lose the row chosen. Each case runs on the
// embedded engine and through the SQLite ODBC driver.

#include "common/locks.h"
#include "lista_fixture.h"

#include <QScrollBar>
#include <QSet>
#include <sqlite3.h>

namespace {

constexpr int kFilas = Lib_FrmCons3::kOrdenEnLista + 2000;

QString codigo(int i) {
    return QStringLiteral("%1").arg(i, 5, 10, QChar(u'0'));
}

// Codes 00002, 00004, ... (room for rows between them), names in no order.
QString cuentas() {
    return QStringLiteral(
               "DELETE FROM MA_CUENTAS; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
               "FROM n WHERE i < %1) INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, INDICE) SELECT "
               "printf('%05d', 2 * i), 'Cuenta ' || printf('%05d', (i * 7) % %1), i % 4 FROM n")
        .arg(kFilas);
}

} // namespace

class ListaClavesTest : public ListaTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ListaTest::SetUp());
        db.exec(cuentas());
        if (GetParam() && !testutil::viaOdbc()) {
            resetInstances();
            DB_Dll& d = gDatos();
            d.gServidor = db.folder();
            d.gDBName = db.dbName();
            d.gUsuario = QStringLiteral("sa");
            d.OpenServerADODB(false, 3, db.odbcConnectionString(), false, false);
            ASSERT_TRUE(d.gOpenFlag);
        }
    }

    static std::unique_ptr<Lib_FrmCons3> lista(const QString& sql) {
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = sql;
        w->CampoDevuelto = QStringLiteral("CODIGO");
        w->Cargar();
        return w;
    }
    static QString cuentasSql() {
        return QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    }
    // Enter on the list: the value the lookup returns.
    static QString enter(Lib_FrmCons3& w) {
        ListaTest::lista(w)->setFocus();
        QTest::keyClick(ListaTest::lista(w), Qt::Key_Return);
        return w.ValorDevuelto.toString();
    }
};

// Others insert and delete rows before, at and after where the list stopped
// while it waits, whatever its order: every row comes once and in order, the
// rows after it as the database now has them, and Enter returns the row the
// user had highlighted.
TEST_P(ListaClavesTest, RowsWrittenByOthersDuringAPauseComeOnceAndInOrder) {
    struct Orden {
        const char* nombre;
        int clics; // on the DESCRIPCION header
    };
    struct Cambio {
        const char* nombre;
        int desde; // rows from the last one read
        bool inserta;
    };
    const Orden ordenes[] = {{"statement's", 0}, {"ascending", 1}, {"descending", 2}};
    const Cambio cambios[] = {{"insert before", -100, true}, {"insert at", 0, true},
                              {"insert after", 500, true},   {"delete before", -100, false},
                              {"delete at", 1, false},       {"delete after", 500, false}};
    for (const Orden& o : ordenes)
        for (const Cambio& c : cambios) {
            SCOPED_TRACE(std::string(o.nombre) + ", " + c.nombre);
            db.exec(cuentas());
            auto w = lista(cuentasSql());
            ASSERT_NO_FATAL_FAILURE(muestra(*w));
            // No row chosen yet: the sorted list starts at its first row.
            ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
            for (int k = 0; k < o.clics; ++k)
                clickEncabezado(*w, 1);
            ModeloConsulta& m = w->modelo();
            m.leeHasta(2 * ModeloConsulta::kLote);
            const int elegidaFila = m.filas() - 10;
            ListaTest::lista(*w)->setCurrentIndex(m.index(elegidaFila, 0));
            const QString elegida = m.texto(elegidaFila, 0);
            // Moving there may have read on.
            const int leidas = m.filas();
            ASSERT_LT(leidas, kFilas);
            m.pausa();

            // The row of the order `c.desde` rows from the last one read:
            // read already (before), or still to come.
            QList<QVariantList> orden =
                db.rows(QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY %1")
                            .arg(o.clics == 0   ? QStringLiteral("CODIGO")
                                 : o.clics == 1 ? QStringLiteral("DESCRIPCION, CODIGO")
                                                : QStringLiteral("DESCRIPCION DESC, CODIGO")));
            const QVariantList fila = orden[leidas - 1 + c.desde];
            const QString cod = fila[0].toString();
            if (c.inserta)
                // Right after that row in every order: the next code, the same name.
                db.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) VALUES "
                                       "('%1', '%2')")
                            .arg(codigo(cod.toInt() + 1), fila[1].toString()));
            else
                db.exec(QStringLiteral("DELETE FROM MA_CUENTAS WHERE CODIGO = '%1'").arg(cod));

            m.traerTodo();
            QStringList vistos;
            for (int f = 0; f < m.filas(); ++f)
                vistos << m.texto(f, 0);
            EXPECT_EQ(QSet<QString>(vistos.begin(), vistos.end()).size(), vistos.size());
            // What was shown, then the rows that now follow it.
            QStringList esperados = vistos.mid(0, leidas);
            const QString ultima = vistos[leidas - 1];
            orden = db.rows(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY %1")
                                .arg(o.clics == 0   ? QStringLiteral("CODIGO")
                                     : o.clics == 1 ? QStringLiteral("DESCRIPCION, CODIGO")
                                                    : QStringLiteral("DESCRIPCION DESC, CODIGO")));
            bool despues = false;
            for (const QVariantList& r : orden) {
                if (despues)
                    esperados << r[0].toString();
                despues = despues || r[0].toString() == ultima;
            }
            EXPECT_EQ(vistos, esperados);
            EXPECT_EQ(enter(*w), elegida);
        }
}

// A header sort by the database sorts the rows the statement's TOP chose,
// and the row the user is on stays current after a sort of either kind.
TEST_P(ListaClavesTest, ASortKeepsTheRowsAndTheCurrentRow) {
    const int top = Lib_FrmCons3::kOrdenEnLista + 1000;
    auto w = lista(QStringLiteral("SELECT TOP %1 CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY "
                                  "CODIGO")
                       .arg(top));
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    clickEncabezado(*w, 1);
    const QStringList codigos = columna(*w);
    ASSERT_EQ(codigos.size(), top);
    QStringList esperados;
    for (int i = 1; i <= top; ++i)
        esperados << codigo(2 * i);
    QStringList ordenados = codigos;
    ordenados.sort();
    EXPECT_EQ(ordenados, esperados);
    EXPECT_NE(codigos, esperados); // sorted by the names

    for (const QString& sql : {cuentasSql(), QStringLiteral("SELECT TOP 300 CODIGO, DESCRIPCION "
                                                            "FROM MA_CUENTAS ORDER BY CODIGO")}) {
        SCOPED_TRACE(sql.toStdString());
        auto v = lista(sql);
        ASSERT_NO_FATAL_FAILURE(muestra(*v));
        // Every row read: a long list still sorts by the database.
        v->modelo().traerTodo();
        ListaTest::lista(*v)->setCurrentIndex(v->modelo().index(5, 0));
        for (int clic = 0; clic < 3; ++clic) {
            clickEncabezado(*v, 1);
            EXPECT_EQ(seleccionada(*v), codigo(12)) << "click " << clic;
        }
        EXPECT_EQ(enter(*v), codigo(12));
    }
}

// Typing finds a code far beyond the rows read without reading the rows
// before it; the rows above it come as the user scrolls up, once each.
TEST_P(ListaClavesTest, TypingSeeksInTheDatabase) {
    auto w = lista(cuentasSql());
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    combo(*w, 0)->setEditText(QStringLiteral("2000"));
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(seleccionada(*w), QStringLiteral("20000"));
    // A batch from the row found, and those before it that the list reads
    // while the row came.
    EXPECT_LE(w->modelo().filas(), 3 * ModeloConsulta::kLote);
    combo(*w, 0)->setEditText(QStringLiteral("2000x"));
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(seleccionada(*w), QStringLiteral("20000"));
    // The list now starts at 20000: an earlier row with such a name comes
    // before those it holds.
    combo(*w, 1)->setEditText(QStringLiteral("cuenta 0"));
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(seleccionada(*w), QStringLiteral("00002"));
    EXPECT_LT(w->modelo().filas(), 3 * ModeloConsulta::kLote);
    // A name, sought in the list's order.
    combo(*w, 1)->setEditText(QStringLiteral("cuenta 11990"));
    ASSERT_TRUE(buscada(*w));
    EXPECT_EQ(seleccionada(*w, 1), QStringLiteral("Cuenta 11990"));
    const QStringList todos = columna(*w);
    EXPECT_EQ(todos.size(), kFilas);
    QStringList ordenados = todos;
    ordenados.sort();
    EXPECT_EQ(todos, ordenados);
    EXPECT_EQ(enter(*w), seleccionada(*w));
}

// A read that meets another connection's lock, answered "Ignorar", goes on
// after the last row shown: no row comes twice.
TEST_P(ListaClavesTest, ALockTimeOutPassedOverRepeatsNoRow) {
    if (GetParam())
        GTEST_SKIP() << "the embedded engine's lock";
    auto w = lista(cuentasSql());
    ModeloConsulta& m = w->modelo();
    const int leidas = m.filas();
    const testutil::LockWaits esperas(20);
    // Other work on the connection lets go of the read.
    gDatos().cnn()->Execute(QStringLiteral("SELECT 1"));
    sqlite3* otra = nullptr;
    ASSERT_EQ(sqlite3_open(QFile::encodeName(db.path()), &otra), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(otra, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    responder->answerMsg(vb::vbIgnore);
    m.fetchMore(QModelIndex());
    EXPECT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(sqlite3_exec(otra, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(otra);
    const QStringList todos = columna(*w);
    EXPECT_GE(todos.size(), leidas);
    EXPECT_EQ(QSet<QString>(todos.begin(), todos.end()).size(), todos.size());
    EXPECT_EQ(todos.size(), kFilas);
}

// Rows that tie on every key the list can read on by (alike in every column,
// or different only in a long text the database does not compare), read on
// after a pause between them: every row comes once.
TEST_P(ListaClavesTest, RowsThatTieAreEachShownOnceAfterAPause) {
    constexpr int kNotas = 600;
    constexpr int kPar = 2 * ModeloConsulta::kLote; // the pause falls inside the pair
    for (const bool texto : {false, true}) {
        SCOPED_TRACE(texto ? "different long texts" : "alike rows");
        db.exec(QStringLiteral(
                    "DROP TABLE IF EXISTS T_NOTAS; CREATE TABLE T_NOTAS (NOMBRE VARCHAR(20), NOTA "
                    "TEXT); WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE "
                    "i < %1) INSERT INTO T_NOTAS SELECT printf('N%05d', CASE WHEN i = %2 THEN i - "
                    "1 ELSE i END), CASE WHEN %3 THEN 'Nota ' || i ELSE 'Nota' END FROM n")
                    .arg(kNotas)
                    .arg(kPar + 1)
                    .arg(texto ? 1 : 0));
        auto w = lista(QStringLiteral("SELECT NOMBRE, NOTA FROM T_NOTAS ORDER BY NOMBRE"));
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ModeloConsulta& m = w->modelo();
        m.leeHasta(kPar);
        ASSERT_EQ(m.filas(), kPar);
        m.pausa();
        const QStringList nombres = columna(*w);
        EXPECT_EQ(nombres.size(), kNotas);
        QStringList notas;
        for (int f = 0; f < m.filas(); ++f)
            notas << m.texto(f, 1);
        if (texto) {
            EXPECT_TRUE(notas.contains(QStringLiteral("Nota %1").arg(kPar + 1)));
            EXPECT_EQ(QSet<QString>(notas.begin(), notas.end()).size(), kNotas);
        }
    }
}

// Dates written by other programs in other forms (a day alone, with its
// time, with milliseconds), read on after a pause: every row once, in the
// dates' order.
TEST_P(ListaClavesTest, DatesInEveryFormAreReadOnInTheirOrder) {
    constexpr int kFechas = 600;
    // Each form in turn is the last row read before the pause.
    for (int forma = 0; forma < 3; ++forma) {
        SCOPED_TRACE(forma);
        db.exec(
            QStringLiteral(
                "DROP TABLE IF EXISTS T_FECHAS; CREATE TABLE T_FECHAS (FECHA DATETIME, NOMBRE "
                "VARCHAR(20)); WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n "
                "WHERE i < %1) INSERT INTO T_FECHAS SELECT CASE (i + %2) % 3 WHEN 0 THEN "
                "date('2024-01-01', '+' || i || ' days') WHEN 1 THEN datetime('2024-01-01', '+' "
                "|| i || ' days') ELSE strftime('%Y-%m-%d %H:%M:%f', '2024-01-01 10:00:00.123', "
                "'+' || i || ' days') END, printf('F%03d', i) FROM n")
                .arg(kFechas - 1)
                .arg(forma));
        auto w = lista(QStringLiteral("SELECT FECHA, NOMBRE FROM T_FECHAS ORDER BY FECHA"));
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ModeloConsulta& m = w->modelo();
        m.leeHasta(2 * ModeloConsulta::kLote);
        m.pausa();
        columna(*w);
        QStringList nombres;
        for (int f = 0; f < m.filas(); ++f)
            nombres << m.texto(f, 1);
        QStringList esperados;
        for (int i = 0; i < kFechas; ++i)
            esperados << QStringLiteral("F%1").arg(i, 3, 10, QChar(u'0'));
        EXPECT_EQ(nombres, esperados);
    }
}

// A TOP statement whose order names a column the list does not show (no
// keys to read on by), sorted by a header: the same rows the TOP chose,
// in the header's order, with the current row still current.
TEST_P(ListaClavesTest, ATopWithoutKeysSortsTheRowsItChose) {
    constexpr int kTop = Lib_FrmCons3::kOrdenEnLista + 500; // beyond what the list sorts itself
    const QString sql = QStringLiteral("SELECT TOP %1 CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER "
                                       "BY INDICE DESC, CODIGO DESC")
                            .arg(kTop);
    QStringList elegidas;
    for (const QVariantList& f : db.rows(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY "
                                                        "INDICE DESC, CODIGO DESC LIMIT %1")
                                             .arg(kTop)))
        elegidas << f[0].toString();
    ASSERT_EQ(elegidas.size(), kTop);
    auto w = lista(sql);
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ListaTest::lista(*w)->setCurrentIndex(w->modelo().index(3, 0));
    const QString actual = seleccionada(*w);
    for (int clic = 0; clic < 2; ++clic) {
        SCOPED_TRACE(clic);
        clickEncabezado(*w, 1);
        const QStringList codigos = columna(*w);
        QStringList a = codigos, b = elegidas;
        a.sort();
        b.sort();
        EXPECT_EQ(a, b);
        QStringList nombres = columna(*w, 1);
        QStringList ordenados = nombres;
        std::stable_sort(ordenados.begin(), ordenados.end(),
                         [&](const QString& x, const QString& y) {
                             const int c = QString::compare(x, y, Qt::CaseInsensitive);
                             return clic == 0 ? c < 0 : c > 0;
                         });
        EXPECT_EQ(nombres, ordenados);
        EXPECT_EQ(seleccionada(*w), actual);
    }
}

// Rows checked, then the list sorted by the database (which reads it again
// in the new order): Aceptar returns every checked row, in the list's order,
// also those the new order has not read yet.
TEST_P(ListaClavesTest, ChecksSurviveADatabaseSort) {
    auto w = std::make_unique<Lib_FrmCons3>();
    w->SQL = cuentasSql();
    w->CheckBoxes = true;
    w->CampoDevuelto = QStringLiteral("CODIGO");
    w->Cargar();
    ASSERT_NO_FATAL_FAILURE(muestra(*w));
    ModeloConsulta& m = w->modelo();
    QStringList marcadas;
    for (const int fila : {0, 7, ModeloConsulta::kLote - 3}) {
        ASSERT_LT(fila, m.filas());
        m.setMarcada(fila, true);
        marcadas << m.texto(fila, 0);
    }
    clickEncabezado(*w, 1);
    ASSERT_LT(m.filas(), kFilas);
    w->CmdAceptar_Click();
    // The list's order: by name, then code.
    QStringList esperadas;
    for (const QVariantList& f :
         db.rows(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY DESCRIPCION, CODIGO")))
        if (marcadas.contains(f[0].toString()))
            esperadas << f[0].toString();
    EXPECT_EQ(w->Valores, esperadas);
}

// The re-open after a pause meets another connection's lock and is answered
// "Ignorar": the list is not ended. The next search, or the next scroll to
// the end, reads on once the lock is gone, and every row comes once.
TEST_P(ListaClavesTest, AFailedReopenAnsweredIgnorarLeavesTheListReadingOn) {
    if (GetParam())
        GTEST_SKIP() << "the embedded engine's lock";
    for (const bool busca : {true, false}) {
        SCOPED_TRACE(busca ? "then a search" : "then to the end");
        auto w = lista(cuentasSql());
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ModeloConsulta& m = w->modelo();
        const int leidas = m.filas();
        ASSERT_LT(leidas, kFilas);
        m.pausa();
        {
            const testutil::LockWaits esperas(20);
            sqlite3* otra = nullptr;
            ASSERT_EQ(sqlite3_open(QFile::encodeName(db.path()), &otra), SQLITE_OK);
            // The window's search connection may be opening meanwhile.
            sqlite3_busy_timeout(otra, 2000);
            ASSERT_EQ(sqlite3_exec(otra, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
            responder->shown.clear();
            responder->answerMsg(vb::vbIgnore);
            m.leeHasta(leidas + ModeloConsulta::kLote);
            EXPECT_EQ(responder->shown.size(), 1u);
            EXPECT_EQ(m.filas(), leidas);
            EXPECT_TRUE(m.quedanFilas());
            EXPECT_EQ(sqlite3_exec(otra, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(otra);
        }
        if (busca) {
            combo(*w, 0)->setEditText(codigo(2 * (kFilas - 5)));
            ASSERT_TRUE(buscada(*w));
            EXPECT_EQ(seleccionada(*w), codigo(2 * (kFilas - 5)));
        }
        const QStringList todos = columna(*w);
        EXPECT_EQ(QSet<QString>(todos.begin(), todos.end()).size(), todos.size());
        EXPECT_EQ(todos.size(), kFilas);
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, ListaClavesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Embebido"; });
