// The database work a long list does for the window's keys: how many times
// each statement reads the table, and which of it the window's own thread
// does. Every SQLite connection opened here (the ODBC driver's among them)
// counts the rows its statements pass, by thread. Each case runs on the
// embedded engine and through the SQLite ODBC driver.

#include "lista_fixture.h"

#include <atomic>
#include <chrono>
#include <sqlite3.h>
#include <thread>

namespace {

constexpr int kFilas = Lib_FrmCons3::kOrdenEnLista + 2000;

std::thread::id gHiloVentana;
std::atomic<int> gEnVentana{0};  // rows the window's thread passed
std::atomic<int> gEnOtros{0};    // rows other threads passed
std::atomic<bool> gLento{false}; // other threads take their time over each row

// PASA(x) is 1 for every row it sees, and counts it.
void Pasa(sqlite3_context* ctx, int, sqlite3_value**) {
    const bool ventana = std::this_thread::get_id() == gHiloVentana;
    (ventana ? gEnVentana : gEnOtros)++;
    if (!ventana && gLento)
        std::this_thread::sleep_for(std::chrono::microseconds(50));
    sqlite3_result_int(ctx, 1);
}

int ConPasa(sqlite3* db, char**, const sqlite3_api_routines*) {
    sqlite3_create_function(db, "PASA", 1, SQLITE_UTF8, nullptr, Pasa, nullptr, nullptr);
    return SQLITE_OK;
}

} // namespace

class ListaHiloTest : public ListaTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(ListaTest::SetUp());
        db.exec(QStringLiteral(
                    "DELETE FROM MA_CUENTAS; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT "
                    "i + 1 FROM n WHERE i < %1) INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, "
                    "INDICE) SELECT printf('%05d', 2 * i), 'Cuenta ' || printf('%05d', (i * 7) "
                    "% %1), i % 4 FROM n")
                    .arg(kFilas));
        gHiloVentana = std::this_thread::get_id();
        sqlite3_auto_extension(reinterpret_cast<void (*)()>(ConPasa));
        resetInstances();
        DB_Dll& d = gDatos();
        d.gServidor = db.folder();
        d.gDBName = db.dbName();
        d.gUsuario = QStringLiteral("sa");
        d.OpenServerADODB(false, 3,
                          GetParam() || testutil::viaOdbc() ? db.odbcConnectionString() : QString(),
                          false, false);
        ASSERT_TRUE(d.gOpenFlag);
    }
    void TearDown() override {
        gLento = false;
        resetInstances();
        sqlite3_cancel_auto_extension(reinterpret_cast<void (*)()>(ConPasa));
        ListaTest::TearDown();
    }
    static void cuenta() {
        gEnVentana = 0;
        gEnOtros = 0;
    }
    static std::unique_ptr<Lib_FrmCons3> lista() {
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS WHERE "
                                "PASA(CODIGO) = 1 ORDER BY CODIGO");
        w->CampoDevuelto = QStringLiteral("CODIGO");
        w->Cargar();
        return w;
    }
};

// F5 reads the filtered statement in the search's thread, the table once at
// most, with or without rows that match, and more of them than one read
// brings; the list then shows what a window that loads the filtered statement
// itself shows. "Nueva Busqueda" reads the first rows in the window's thread.
TEST_P(ListaHiloTest, F5ReadsOutsideTheWindowsThreadAndShowsWhatALoadShows) {
    struct Caso {
        const char* texto;
        int filas;
    };
    for (const Caso& c : {Caso{"2399", 5}, Caso{"zz", 0}, Caso{"1", 5000}}) {
        SCOPED_TRACE(c.texto);
        auto w = lista();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        combo(*w, 0)->setEditText(QString::fromLatin1(c.texto));
        ASSERT_TRUE(buscada(*w));
        cuenta();
        QTest::keyClick(combo(*w, 0), Qt::Key_F5);
        ASSERT_TRUE(buscada(*w));
        EXPECT_EQ(gEnVentana.load(), 0);
        EXPECT_GT(gEnOtros.load(), 0);
        EXPECT_LE(gEnOtros.load(), kFilas);
        EXPECT_TRUE(combo(*w, 0)->currentText().isEmpty());
        auto s = ListaTest::abre(w->SQL);
        ASSERT_NO_FATAL_FAILURE(muestra(*s));
        EXPECT_EQ(w->modelo().encabezados(), s->modelo().encabezados());
        EXPECT_EQ(w->modelo().encabezados(),
                  (QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION"),
                               QStringLiteral("INDICE")}));
        for (int k = 0; k < 3; ++k)
            EXPECT_EQ(ListaTest::lista(*w)->header()->sectionSize(k),
                      ListaTest::lista(*s)->header()->sectionSize(k));
        EXPECT_EQ(ListaTest::lista(*w)->currentIndex().row(),
                  ListaTest::lista(*s)->currentIndex().row());
        const QStringList filas = columna(*w);
        EXPECT_EQ(filas.size(), c.filas);
        EXPECT_EQ(filas, columna(*s));
        EXPECT_EQ(columna(*w, 1), columna(*s, 1));
        cuenta();
        QTest::mouseClick(boton(*w, "CmdNueva"), Qt::LeftButton);
        EXPECT_LE(gEnVentana.load(), Lib_FrmCons3::kTramo + 1);
        EXPECT_EQ(celda(*w, 0, 0), QStringLiteral("00002"));
    }
}

// What the user does while F5's statement is still read wins: a key typed, a
// header sort, "Nueva Busqueda" or Escape leave the statement without the
// filter, and the rows read never reach the list. The embedded engine stops
// reading the table.
TEST_P(ListaHiloTest, WhatComesDuringF5Wins) {
    enum Accion { Tecla, Orden, Nueva, Escape };
    for (const Accion a : {Tecla, Orden, Nueva, Escape}) {
        SCOPED_TRACE(int(a));
        auto w = lista();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        const QString sinFiltro = w->SQL;
        combo(*w, 0)->setEditText(QStringLiteral("zz"));
        ASSERT_TRUE(buscada(*w));
        gLento = true;
        cuenta();
        QTest::keyClick(combo(*w, 0), Qt::Key_F5);
        ASSERT_TRUE(w->buscando()); // the window answers before the rows come
        switch (a) {
        case Tecla:
            combo(*w, 1)->setEditText(QStringLiteral("Cuenta 00007"));
            break;
        case Orden:
            clickEncabezado(*w, 1);
            break;
        case Nueva:
            QTest::mouseClick(boton(*w, "CmdNueva"), Qt::LeftButton);
            break;
        case Escape:
            QTest::keyClick(ListaTest::lista(*w), Qt::Key_Escape);
            break;
        }
        ASSERT_TRUE(buscada(*w));
        QTest::qWait(1000); // a stale answer would have come by now
        gLento = false;
        EXPECT_EQ(w->SQL.trimmed(), sinFiltro.trimmed());
        EXPECT_EQ(w->modelo().encabezados().size(), 3);
        EXPECT_GT(w->modelo().filas(), 0);
        if (!GetParam() && !testutil::viaOdbc()) {
            EXPECT_LT(gEnOtros.load(), kFilas);
        }
        if (a == Tecla) {
            EXPECT_EQ(seleccionada(*w, 1), QStringLiteral("Cuenta 00007"));
        }
        if (a == Escape) {
            EXPECT_FALSE(w->isVisible());
        }
    }
}

// A key whose row lies beyond the rows held, in a list the database sorts by
// a column without an index: the search's thread reads the row, those after
// it and those before it, and the window's thread asks the database nothing.
// Every row then comes once, in the list's order.
TEST_P(ListaHiloTest, ARowFoundFarAwayIsReadOutsideTheWindowsThread) {
    struct Caso {
        int clics; // on the DESCRIPCION header
        int columna;
        const char* texto;
        const char* nombre; // of the row found
    };
    const Caso casos[] = {{1, 1, "cuenta 03", "Cuenta 03000"},
                          {2, 1, "cuenta 0899", "Cuenta 08999"},
                          {1, 0, "06000", "Cuenta 09000"}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.texto);
        auto w = lista();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
        for (int k = 0; k < c.clics; ++k)
            clickEncabezado(*w, 1);
        ASSERT_TRUE(w->modelo().quedanFilas());
        cuenta();
        combo(*w, c.columna)->setEditText(QString::fromLatin1(c.texto));
        ASSERT_TRUE(buscada(*w));
        QCoreApplication::processEvents();
        EXPECT_EQ(gEnVentana.load(), 0);
        EXPECT_GT(gEnOtros.load(), 0);
        EXPECT_EQ(seleccionada(*w, 1), QString::fromLatin1(c.nombre));
        QStringList esperados;
        for (const QVariantList& r :
             db.rows(QStringLiteral("SELECT DESCRIPCION FROM MA_CUENTAS ORDER BY DESCRIPCION%1")
                         .arg(c.clics == 2 ? QStringLiteral(" DESC") : QString())))
            esperados << r[0].toString();
        EXPECT_EQ(columna(*w, 1), esperados);
    }
}

// End and Home over a list the database sorts by a column without an index
// read their rows in the search's thread. The window shows the rows, and the
// current row, that a window reading them itself shows: one whose connection
// holds rows not committed, which the search's thread would not see.
TEST_P(ListaHiloTest, EndAndHomeAfterADatabaseSortReadOutsideTheWindowsThread) {
    struct Caso {
        int clics; // on the DESCRIPCION header
        std::vector<Qt::Key> teclas;
    };
    const Caso casos[] = {{1, {Qt::Key_End}},
                          {2, {Qt::Key_End}},
                          {1, {Qt::Key_End, Qt::Key_Home}},
                          {2, {Qt::Key_End, Qt::Key_Home, Qt::Key_End}}};
    struct Vista {
        QStringList filas;
        int actual = -1;
        bool quedanFilas = false, quedanAnteriores = false;
        QStringList todas;
    };
    auto recorre = [this](const Caso& c, bool enTransaccion, int& enVentana, int& enOtros) {
        Vista v;
        auto w = lista();
        muestra(*w);
        ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
        for (int k = 0; k < c.clics; ++k)
            clickEncabezado(*w, 1);
        const ado::ConnectionPtr& cn = gDatos().cnn();
        if (enTransaccion)
            cn->BeginTrans();
        cuenta();
        for (const Qt::Key tecla : c.teclas) {
            QTest::keyClick(ListaTest::lista(*w), tecla);
            EXPECT_TRUE(buscada(*w));
        }
        QCoreApplication::processEvents();
        enVentana = gEnVentana;
        enOtros = gEnOtros;
        for (int f = 0; f < w->modelo().filas(); ++f)
            v.filas << celda(*w, f, 0) + u'|' + celda(*w, f, 1);
        v.actual = ListaTest::lista(*w)->currentIndex().row();
        v.quedanFilas = w->modelo().quedanFilas();
        v.quedanAnteriores = w->modelo().quedanAnteriores();
        v.todas = columna(*w);
        if (enTransaccion)
            cn->RollbackTrans();
        return v;
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(testing::Message() << c.clics << " clics, " << c.teclas.size() << " teclas");
        int enVentana = 0, enOtros = 0;
        const Vista propia = recorre(c, true, enVentana, enOtros);
        EXPECT_GT(enVentana, 0);
        EXPECT_EQ(enOtros, 0);
        const Vista v = recorre(c, false, enVentana, enOtros);
        EXPECT_EQ(enVentana, 0);
        EXPECT_GT(enOtros, 0);
        EXPECT_EQ(v.filas, propia.filas);
        EXPECT_EQ(v.actual, propia.actual);
        EXPECT_EQ(v.actual, c.teclas.back() == Qt::Key_End ? v.filas.size() - 1 : 0);
        EXPECT_EQ(v.quedanFilas, propia.quedanFilas);
        EXPECT_EQ(v.quedanAnteriores, propia.quedanAnteriores);
        EXPECT_EQ(v.todas.size(), kFilas);
        EXPECT_EQ(v.todas, propia.todas);
    }
}

// A key that comes while End waits for its rows wins, and End's rows never
// reach the list: a move in the list, a key typed into a search box, Home.
TEST_P(ListaHiloTest, AKeyDuringAPendingEndWins) {
    enum Accion { Abajo, Tecla, Inicio };
    for (const Accion a : {Abajo, Tecla, Inicio}) {
        SCOPED_TRACE(int(a));
        auto w = lista();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
        clickEncabezado(*w, 1);
        const QString primera = celda(*w, 0, 1);
        ListaTest::lista(*w)->setCurrentIndex(w->modelo().index(0, 0));
        gLento = true;
        QTest::keyClick(ListaTest::lista(*w), Qt::Key_End);
        ASSERT_TRUE(w->buscando()); // the window answers before the rows come
        switch (a) {
        case Abajo:
            QTest::keyClick(ListaTest::lista(*w), Qt::Key_Down);
            break;
        case Tecla:
            combo(*w, 1)->setEditText(QStringLiteral("Cuenta 00007"));
            break;
        case Inicio:
            QTest::keyClick(ListaTest::lista(*w), Qt::Key_Home);
            break;
        }
        ASSERT_TRUE(buscada(*w));
        QTest::qWait(1000); // a stale answer would have come by now
        gLento = false;
        EXPECT_TRUE(w->modelo().quedanFilas());
        EXPECT_EQ(celda(*w, 0, 1), primera);
        const int esperada = a == Abajo ? 1 : 0;
        if (a == Tecla)
            EXPECT_EQ(seleccionada(*w, 1), QStringLiteral("Cuenta 00007"));
        else
            EXPECT_EQ(ListaTest::lista(*w)->currentIndex().row(), esperada);
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, ListaHiloTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Embebido"; });
