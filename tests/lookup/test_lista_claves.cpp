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
            ASSERT_NO_FATAL_FAILURE(conectaOdbc(db.odbcConnectionString()));
        }
    }

    // The ODBC driver's own wait for a lock, shortened as the engine's is.
    void esperaCorta() {
        if (GetParam() && !testutil::viaOdbc()) {
            ASSERT_NO_FATAL_FAILURE(conectaOdbc(db.odbcConnectionString().replace(
                QStringLiteral("Timeout=2000"), QStringLiteral("Timeout=20"))));
        }
    }

    void conectaOdbc(const QString& cadena) {
        resetInstances();
        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.OpenServerADODB(false, 3, cadena, false, false);
        ASSERT_TRUE(d.gOpenFlag);
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
    ASSERT_NO_FATAL_FAILURE(esperaCorta());
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
// or different only in a long text the database does not compare), read
// on after a pause inside them, or backwards from the last row through
// them: every row comes once.
TEST_P(ListaClavesTest, RowsThatTieAreEachShownOnce) {
    constexpr int kNotas = 600;
    // Rows 200 to 560 tie: the pause after two batches and the batches read
    // backwards from the end all fall among them.
    constexpr int kDesde = 200, kHasta = 560;
    for (const bool texto : {false, true})
        for (const bool atras : {false, true}) {
            SCOPED_TRACE(std::string(texto ? "different long texts" : "alike rows") +
                         (atras ? ", backwards from the end" : ", after a pause"));
            db.exec(QStringLiteral("DROP TABLE IF EXISTS T_NOTAS; CREATE TABLE T_NOTAS (NOMBRE "
                                   "VARCHAR(20), NOTA TEXT); WITH RECURSIVE n(i) AS (SELECT 1 "
                                   "UNION ALL SELECT i + 1 FROM n WHERE i < %1) INSERT INTO "
                                   "T_NOTAS SELECT printf('N%05d', CASE WHEN i BETWEEN %2 AND %3 "
                                   "THEN %2 ELSE i END), CASE WHEN %4 THEN 'Nota ' || i ELSE "
                                   "'Nota' END FROM n")
                        .arg(kNotas)
                        .arg(kDesde)
                        .arg(kHasta)
                        .arg(texto ? 1 : 0));
            auto w = lista(QStringLiteral("SELECT NOMBRE, NOTA FROM T_NOTAS ORDER BY NOMBRE"));
            ASSERT_NO_FATAL_FAILURE(muestra(*w));
            ModeloConsulta& m = w->modelo();
            if (atras) {
                ListaTest::lista(*w)->setFocus();
                QTest::keyClick(ListaTest::lista(*w), Qt::Key_End, Qt::ControlModifier);
                ASSERT_TRUE(buscada(*w));
                ASSERT_LT(m.filas(), kNotas);
                EXPECT_EQ(seleccionada(*w), QStringLiteral("N%1").arg(kNotas, 5, 10, QChar(u'0')));
            } else {
                m.leeHasta(2 * ModeloConsulta::kLote);
                ASSERT_EQ(m.filas(), 2 * ModeloConsulta::kLote);
                m.pausa();
            }
            QStringList nombres = columna(*w);
            EXPECT_EQ(nombres.size(), kNotas);
            QStringList ordenados = nombres;
            ordenados.sort();
            EXPECT_EQ(nombres, ordenados);
            QStringList notas;
            for (int f = 0; f < m.filas(); ++f)
                notas << m.texto(f, 1);
            if (texto) {
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

// A read that meets another connection's lock and is answered "Ignorar": the
// re-open after a pause, or the read of the rows before the first one held
// (the list at its end). The list is not ended: the next search, or the next
// scroll to its other end, reads on once the lock is gone, and every row
// comes once.
TEST_P(ListaClavesTest, AFailedReadAnsweredIgnorarLeavesTheListReadingOn) {
    struct Caso {
        const char* nombre;
        bool atras; // the read that fails is the one before the first row
        bool busca; // then a search, else the scroll to the other end
    };
    const Caso casos[] = {{"re-open, then a search", false, true},
                          {"re-open, then to the end", false, false},
                          {"rows before, then a search", true, true},
                          {"rows before, then to the top", true, false}};
    ASSERT_NO_FATAL_FAILURE(esperaCorta());
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = lista(cuentasSql());
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ModeloConsulta& m = w->modelo();
        if (c.atras) {
            w->IrAlFinal();
            ASSERT_TRUE(buscada(*w));
        }
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
            if (c.atras)
                m.traeAnteriores();
            else
                m.leeHasta(leidas + ModeloConsulta::kLote);
            EXPECT_EQ(responder->shown.size(), 1u);
            EXPECT_EQ(m.filas(), leidas);
            EXPECT_TRUE(c.atras ? m.quedanAnteriores() : m.quedanFilas());
            EXPECT_EQ(sqlite3_exec(otra, "COMMIT", nullptr, nullptr, nullptr), SQLITE_OK);
            sqlite3_close(otra);
        }
        // A code the list does not hold: before the rows held at the end,
        // after those held from the first.
        const QString buscado = codigo(c.atras ? 2 * 5 : 2 * (kFilas - 5));
        if (c.busca) {
            combo(*w, 0)->setEditText(buscado);
            ASSERT_TRUE(buscada(*w));
            EXPECT_EQ(seleccionada(*w), buscado);
        }
        const QStringList todos = columna(*w);
        EXPECT_EQ(QSet<QString>(todos.begin(), todos.end()).size(), todos.size());
        EXPECT_EQ(todos.size(), kFilas);
    }
}

// End reaches the last row, and Home the first, without reading the rows
// between, in the statement's order and in a database sort either way; the
// rows between then come once each as the list scrolls.
TEST_P(ListaClavesTest, EndAndHomeReachTheEndsWithoutReadingTheRowsBetween) {
    struct Orden {
        const char* nombre;
        int clics; // on the DESCRIPCION header
        const char* orden;
    };
    const Orden ordenes[] = {{"statement's", 0, "CODIGO"},
                             {"ascending", 1, "DESCRIPCION, CODIGO"},
                             {"descending", 2, "DESCRIPCION DESC, CODIGO"}};
    for (const Orden& o : ordenes) {
        SCOPED_TRACE(o.nombre);
        QStringList esperados;
        for (const QVariantList& f :
             db.rows(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY %1").arg(o.orden)))
            esperados << f[0].toString();
        auto w = lista(cuentasSql());
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
        for (int k = 0; k < o.clics; ++k)
            clickEncabezado(*w, 1);
        ModeloConsulta& m = w->modelo();
        QTreeView* v = ListaTest::lista(*w);
        v->setFocus();
        for (const auto tecla : {Qt::Key_End, Qt::Key_Home, Qt::Key_End}) {
            QTest::keyClick(v, tecla, Qt::ControlModifier);
            ASSERT_TRUE(buscada(*w));
            const bool fin = tecla == Qt::Key_End;
            EXPECT_EQ(seleccionada(*w), fin ? esperados.back() : esperados.front());
            EXPECT_LT(m.filas(), 3 * ModeloConsulta::kLote);
        }
        EXPECT_EQ(enter(*w), esperados.back());
        EXPECT_EQ(columna(*w), esperados);
    }
}

// Check marks belong to rows by the value they return: rows checked by hand,
// started checked by ValoresDefault, or turned round by "Marcar", through a
// database sort and End. Aceptar returns every checked row once, in the
// list's order, and reads no row into the list to do it.
TEST_P(ListaClavesTest, AceptarReturnsEveryCheckedRowInTheListsOrder) {
    struct Caso {
        const char* nombre;
        bool porDefecto; // codes 00004, 00100 and the last start checked
        bool marcar;
        int clics; // on the DESCRIPCION header
        bool fin;  // End before Aceptar
    };
    const Caso casos[] = {
        {"checked by hand, sorted", false, false, 1, false},
        {"by default", true, false, 0, false},
        {"by default, sorted, at the end", true, false, 2, true},
        {"Marcar", false, true, 0, false},
        {"Marcar, sorted", true, true, 1, false},
        {"Marcar, at the end", false, true, 0, true},
    };
    const QStringList porDefecto{codigo(4), codigo(100), codigo(2 * kFilas)};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nombre);
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = cuentasSql();
        w->CheckBoxes = true;
        w->CampoDevuelto = QStringLiteral("CODIGO");
        if (c.porDefecto)
            w->ValoresDefault = porDefecto.join(u',');
        w->Cargar();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ModeloConsulta& m = w->modelo();
        QStringList aMano;
        for (const int fila : {0, 7, ModeloConsulta::kLote - 3}) {
            ASSERT_LT(fila, m.filas());
            m.setMarcada(fila, !m.marcada(fila));
            aMano << m.texto(fila, 0);
        }
        if (c.marcar)
            QTest::mouseClick(boton(*w, "CmdTodos"), Qt::LeftButton);
        for (int k = 0; k < c.clics; ++k)
            clickEncabezado(*w, 1);
        if (c.fin) {
            w->IrAlFinal();
            ASSERT_TRUE(buscada(*w));
        }
        QTest::mouseClick(boton(*w, "CmdAceptar"), Qt::LeftButton);
        EXPECT_TRUE(w->isHidden());
        EXPECT_LT(m.filas(), kFilas);
        QStringList esperadas;
        for (const QVariantList& f :
             db.rows(QStringLiteral("SELECT CODIGO FROM MA_CUENTAS ORDER BY %1")
                         .arg(c.clics == 0   ? QStringLiteral("CODIGO")
                              : c.clics == 1 ? QStringLiteral("DESCRIPCION, CODIGO")
                                             : QStringLiteral("DESCRIPCION DESC, CODIGO")))) {
            const QString cod = f[0].toString();
            if (((c.porDefecto && porDefecto.contains(cod)) != aMano.contains(cod)) != c.marcar)
                esperadas << cod;
        }
        EXPECT_EQ(w->Valores, esperadas);
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, ListaClavesTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Embebido"; });
