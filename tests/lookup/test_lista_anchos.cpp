#include "lista_fixture.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <cstdio>

namespace {

QByteArray lee(const QString& ruta) {
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void escribe(const QString& ruta, const QByteArray& bytes) {
    QFile f(ruta);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

TEST_F(ListaTest, ColumnWidthsSurviveTheWindowInTheWidthFile) {
    const QString ruta = QDir(tempDir.path()).filePath(QStringLiteral("CONSULTASLEN.ZUB"));
    // "AÑOS" in Windows-1252; the old line of MA_CUENTAS is replaced.
    escribe(ruta, "\"A\xD1OS\",\"100|\"\r\n\"ma_cuentas\",\"15|30|\"\r\n\"OTRA\",\"45|\"\r\n");
    {
        auto w = abre(cuentasSql());
        w->GrabarCfg = true;
        for (auto [c, px] : {std::pair{0, 80}, {1, 200}, {2, 40}})
            lista(*w)->header()->resizeSection(c, px);
        int cancelar = 0;
        w->Form_Unload(cancelar);
    }
    EXPECT_EQ(lee(ruta), QByteArray("\"A\xD1OS\",\"100|\"\r\n\"OTRA\",\"45|\"\r\n"
                                    "\"MA_CUENTAS\",\"1200|3000|600|\"\r\n"));
    EXPECT_FALSE(QFile::exists(QDir(tempDir.path()).filePath(QStringLiteral("CONSULTASLEN.AUX"))));

    auto w = abre(cuentasSql());
    QHeaderView* h = lista(*w)->header();
    EXPECT_EQ((std::array{h->sectionSize(0), h->sectionSize(1), h->sectionSize(2)}),
              (std::array{80, 200, 40}));
    EXPECT_EQ(combo(*w, 1)->width(), 200 - 3);

    // Fewer widths than columns: those given are set, the rest keep theirs.
    QFile::remove(ruta);
    w->Form_Load();
    const int antes = h->sectionSize(2);
    escribe(ruta, "\"MA_CUENTAS\",\"1500|750|\"\r\n");
    w->Form_Load();
    EXPECT_EQ((std::array{h->sectionSize(0), h->sectionSize(1), h->sectionSize(2)}),
              (std::array{100, 50, antes}));
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(ListaTest, StockViewKeepsItsWidthsUnderTheArticlesName) {
    db.exec(QStringLiteral("CREATE TABLE Stk_ma_articulos (idarticulo VARCHAR(25))"));
    auto w = abre(QStringLiteral("SELECT idarticulo FROM Stk_ma_articulos"));
    w->GrabarCfg = true;
    lista(*w)->header()->resizeSection(0, 60);
    w.reset();
    EXPECT_EQ(lee(QDir(tempDir.path()).filePath(QStringLiteral("CONSULTASLEN.ZUB"))),
              QByteArray("\"VT_MA_ARTICULOS\",\"900|\"\r\n"));
    w = abre(QStringLiteral("SELECT idarticulo FROM Stk_ma_articulos"));
    EXPECT_EQ(lista(*w)->header()->sectionSize(0), 60);
}

TEST_F(ListaTest, AHundredThousandRowsAreReadAsTheListScrolls) {
    constexpr int kFilas = 100000;
    db.exec(QStringLiteral("DELETE FROM MA_CUENTAS; "
                           "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                           "WHERE i < %1) INSERT INTO MA_CUENTAS (CODIGO, DESCRIPCION) "
                           "SELECT printf('%06d', i), 'Cuenta ' || i FROM n")
                .arg(kFilas));
    auto w = std::make_unique<Lib_FrmCons3>();
    w->SQL = QStringLiteral("SELECT CODIGO, DESCRIPCION FROM MA_CUENTAS ORDER BY CODIGO");
    w->show();
    QElapsedTimer reloj;
    reloj.start();
    w->Form_Load();
    ASSERT_TRUE(QTest::qWaitFor([&] { return lista(*w)->indexAt(QPoint(1, 1)).isValid(); }, 5000));
    const qint64 ms = reloj.elapsed();
    std::printf("[ timing ] %d rows: first rows shown %lld ms after Form_Load started\n", kFilas,
                static_cast<long long>(ms));
    EXPECT_LT(ms, 5000);

    const int leidas = w->modelo().filas();
    EXPECT_LT(leidas, kFilas);
    EXPECT_TRUE(w->recordsetAbierto());
    QScrollBar* barra = lista(*w)->verticalScrollBar();
    barra->setValue(barra->maximum());
    EXPECT_GT(w->modelo().filas(), leidas);
    EXPECT_EQ(celda(*w, w->modelo().filas() - 1, 0),
              QStringLiteral("%1").arg(w->modelo().filas(), 6, 10, QChar(u'0')));

    // The database sorts them: the first rows come at once, the rest as the
    // list scrolls.
    reloj.restart();
    w->ListView1_ColumnClick(2);
    std::printf("[ timing ] %d rows: sorted in %lld ms\n", kFilas,
                static_cast<long long>(reloj.elapsed()));
    EXPECT_LT(w->modelo().filas(), kFilas);
    EXPECT_TRUE(w->recordsetAbierto());
    EXPECT_EQ(celda(*w, 2, 1), QStringLiteral("Cuenta 100"));
}
