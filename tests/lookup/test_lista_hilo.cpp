// The database work a long list does for the window's keys: how many times
// each statement reads the table, and which of it the window's own thread
// does. Every SQLite connection opened here (the ODBC driver's among them)
// counts the rows its statements pass, by thread. Each case runs on the
// embedded engine and through the SQLite ODBC driver.

#include "lista_fixture.h"

#include <atomic>
#include <sqlite3.h>
#include <thread>

namespace {

constexpr int kFilas = Lib_FrmCons3::kOrdenEnLista + 2000;

std::thread::id gHiloVentana;
std::atomic<int> gEnVentana{0}; // rows the window's thread passed
std::atomic<int> gEnOtros{0};   // rows other threads passed

// PASA(x) is 1 for every row it sees, and counts it.
void Pasa(sqlite3_context* ctx, int, sqlite3_value**) {
    (std::this_thread::get_id() == gHiloVentana ? gEnVentana : gEnOtros)++;
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

// F5 runs the filtered statement once, with or without a row that matches,
// and nothing else reads the table meanwhile; the box "Nueva Busqueda" once
// too: the column names are those of the statement the filter was added to.
TEST_P(ListaHiloTest, F5AndNuevaBusquedaReadTheTableOnce) {
    struct Caso {
        const char* texto;
        int filas;
    };
    for (const Caso& c : {Caso{"2399", 5}, Caso{"zz", 0}}) {
        SCOPED_TRACE(c.texto);
        auto w = lista();
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        combo(*w, 0)->setEditText(QString::fromLatin1(c.texto));
        ASSERT_TRUE(buscada(*w));
        cuenta();
        QTest::keyClick(combo(*w, 0), Qt::Key_F5);
        EXPECT_EQ(gEnVentana.load(), kFilas);
        EXPECT_EQ(gEnOtros.load(), 0); // no search competes with the load
        EXPECT_EQ(columna(*w).size(), c.filas);
        EXPECT_EQ(w->modelo().encabezados(),
                  (QStringList{QStringLiteral("CODIGO"), QStringLiteral("DESCRIPCION"),
                               QStringLiteral("INDICE")}));
        cuenta();
        QTest::mouseClick(boton(*w, "CmdNueva"), Qt::LeftButton);
        EXPECT_LE(gEnVentana.load(), Lib_FrmCons3::kTramo + 1);
        EXPECT_EQ(celda(*w, 0, 0), QStringLiteral("00002"));
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

INSTANTIATE_TEST_SUITE_P(Motores, ListaHiloTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Embebido"; });
