// Typing into a search box of a long list: the database finds the row in
// any column, whatever the list's order, in a thread of its own; the row
// selected is the one a full reading of the list finds first, and a search
// the next key or Escape overtook never selects its row. Each case runs on
// the embedded engine and through the SQLite ODBC driver.

#include "lista_fixture.h"

#include <QItemSelectionModel>
#include <sqlite3.h>

namespace {

constexpr int kFilas = Lib_FrmCons3::kOrdenEnLista + 2000;

// Codes 00002, 00004, ..., names in no order; a few names alike but for
// letter case, one beyond ASCII, one INDICE found only far down the list.
QString cuentas() {
    return QStringLiteral(
               "DELETE FROM MA_CUENTAS; WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
               "FROM n WHERE i < %1) INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION, INDICE) SELECT "
               "printf('%05d', 2 * i), 'Cuenta ' || printf('%05d', (i * 7) % %1), i % 4 FROM n; "
               "UPDATE MA_CUENTAS SET DESCRIPCION = 'ZORRO 1' WHERE CODIGO = '09000'; "
               "UPDATE MA_CUENTAS SET DESCRIPCION = 'zorro 2' WHERE CODIGO = '05000'; "
               "UPDATE MA_CUENTAS SET DESCRIPCION = 'Zorro 3' WHERE CODIGO = '15000'; "
               "UPDATE MA_CUENTAS SET DESCRIPCION = 'Ñandú' WHERE CODIGO = '12000'; "
               "UPDATE MA_CUENTAS SET INDICE = 7 WHERE CODIGO = '20000'")
        .arg(kFilas);
}

} // namespace

class ListaBusquedaBaseTest : public ListaTest, public ::testing::WithParamInterface<bool> {
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

    static std::unique_ptr<Lib_FrmCons3> lista(const std::vector<int>& clics) {
        auto w = std::make_unique<Lib_FrmCons3>();
        w->SQL =
            QStringLiteral("SELECT CODIGO, DESCRIPCION, INDICE FROM MA_CUENTAS ORDER BY CODIGO");
        w->CampoDevuelto = QStringLiteral("CODIGO");
        w->Cargar();
        for (int encabezado : clics)
            w->ListView1_ColumnClick(encabezado);
        return w;
    }
    // The code of the first row of the whole list whose column starts with
    // the text, letter case ignored: a full reading of a list sorted alike.
    static QString porLectura(const std::vector<int>& clics, int columna, const QString& texto) {
        auto w = lista(clics);
        const QStringList codigos = ListaTest::columna(*w, 0);
        const QStringList valores = ListaTest::columna(*w, columna);
        EXPECT_EQ(valores.size(), kFilas);
        for (qsizetype i = 0; i < valores.size(); ++i)
            if (valores[i].trimmed().startsWith(texto, Qt::CaseInsensitive))
                return codigos[i];
        return QString();
    }
    // Another connection holds the file: the search waits for it.
    struct Cerrojo {
        explicit Cerrojo(const QString& archivo) {
            // Other work on the connection lets go of the list's read.
            gDatos().cnn()->Execute(QStringLiteral("SELECT 1"));
            sqlite3_open(QFile::encodeName(archivo), &otra);
            // The search's connection may be opening meanwhile.
            sqlite3_busy_timeout(otra, 2000);
            tomado = sqlite3_exec(otra, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr) == SQLITE_OK;
        }
        void suelta() {
            if (tomado)
                sqlite3_exec(otra, "COMMIT", nullptr, nullptr, nullptr);
            tomado = false;
        }
        ~Cerrojo() {
            suelta();
            sqlite3_close(otra);
        }
        sqlite3* otra = nullptr;
        bool tomado = false;
    };
};

TEST_P(ListaBusquedaBaseTest, TypingSelectsTheRowAFullReadingFindsFirst) {
    struct Caso {
        std::vector<int> clics; // headers clicked (1-based) before typing
        int columna;
        const char* texto;
    };
    const Caso casos[] = {
        {{}, 1, "cuenta 0999"},  {{}, 1, "zorro"},      {{}, 1, "ÑAN"},
        {{}, 1, "cuenta 9x"},                  // none
        {{}, 0, "1999"},         {{}, 2, "7"}, // a number column
        {{2}, 1, "cuenta 1"},    {{2}, 1, "cuenta 9x"}, {{2}, 0, "2399"},
        {{2, 2}, 1, "cuenta 0"}, {{2, 2}, 1, "zorro"},  {{1, 1}, 0, "0001"},
        {{1, 1}, 1, "zorro"},    {{1, 1}, 2, "7"},
    };
    for (const Caso& c : casos) {
        const QString texto = QString::fromUtf8(c.texto);
        SCOPED_TRACE(QStringLiteral("%1 clicks, column %2, %3")
                         .arg(c.clics.size())
                         .arg(c.columna)
                         .arg(texto)
                         .toStdString());
        const QString esperado = porLectura(c.clics, c.columna, texto);
        auto w = lista(c.clics);
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        ASSERT_TRUE(w->modelo().quedanFilas());
        ListaTest::lista(*w)->setCurrentIndex(QModelIndex());
        // Key by key, each key overtaking the search of the one before; a
        // text without a match at once, so that no row is selected.
        for (qsizetype n = esperado.isEmpty() ? texto.size() : 1; n <= texto.size(); ++n)
            combo(*w, c.columna)->setEditText(texto.left(n));
        ASSERT_TRUE(buscada(*w));
        EXPECT_EQ(seleccionada(*w), esperado);
    }
}

TEST_P(ListaBusquedaBaseTest, ASearchOvertakenNeverSelectsItsRow) {
    enum class Luego { OtraTecla, TeclaSinPar, Escape };
    for (const Luego luego : {Luego::OtraTecla, Luego::TeclaSinPar, Luego::Escape}) {
        SCOPED_TRACE(int(luego));
        auto w = lista({});
        ASSERT_NO_FATAL_FAILURE(muestra(*w));
        QStringList actuales;
        QObject::connect(ListaTest::lista(*w)->selectionModel(),
                         &QItemSelectionModel::currentChanged, [&](const QModelIndex& i) {
                             if (i.isValid())
                                 actuales << i.siblingAtColumn(1).data().toString();
                         });
        Cerrojo cerrojo(db.path());
        ASSERT_TRUE(cerrojo.tomado);
        combo(*w, 1)->setEditText(QStringLiteral("Cuenta 11990"));
        EXPECT_TRUE(w->buscando()); // the window answers while the search waits
        switch (luego) {
        case Luego::OtraTecla:
            combo(*w, 1)->setEditText(QStringLiteral("Cuenta 11991"));
            break;
        case Luego::TeclaSinPar:
            combo(*w, 1)->setEditText(QStringLiteral("Cuenta 11990x"));
            break;
        case Luego::Escape:
            QTest::keyClick(combo(*w, 1), Qt::Key_Escape);
            EXPECT_FALSE(w->isVisible());
            break;
        }
        cerrojo.suelta();
        ASSERT_TRUE(buscada(*w));
        QCoreApplication::processEvents();
        EXPECT_FALSE(actuales.contains(QStringLiteral("Cuenta 11990")))
            << actuales.join(u',').toStdString();
        EXPECT_EQ(actuales, luego == Luego::OtraTecla ? QStringList{QStringLiteral("Cuenta 11991")}
                                                      : QStringList{});
        EXPECT_TRUE(responder->shown.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(Motores, ListaBusquedaBaseTest, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "Odbc" : "Embebido"; });
