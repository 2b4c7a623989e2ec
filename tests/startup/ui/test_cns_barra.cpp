#include "test_cns_fixture.h"

#include "platform/ui/statusbar.h"
#include "startup/ui/cns_ventana.h"

#include <QComboBox>
#include <QLabel>

using namespace CNStuffContable;

namespace {

class BarraEstado : public CnsTest {
protected:
    void TearDown() override {
        gCaja.clear();
        gUsaMultiMonedas = false;
        CnsTest::TearDown();
    }
    // A start of the program with this cash box on its command line.
    QString arranque(const QString& caja) {
        gCaja = caja;
        StatusBar b;
        const QLabel* panel = b.AddPanel(QStringLiteral("CAJA"));
        CargaBarraEstado(&b, QString());
        return panel->text();
    }
};

// Two starts: the box is stored once, padded, whether the key column holds
// numbers or text and whichever form each start passes.
TEST_F(BarraEstado, CashBoxStoredOnceAcrossStarts) {
    const struct {
        bool texto;
        const char *previa, *primera, *segunda, *panel, *guardada;
    } casos[] = {
        {false, "", "1", "0001", "0001 CAJA 1", "1|CAJA 1"},
        {false, "", "12345", "12345", "12345 CAJA 12345", "12345|CAJA 12345"},
        {true, "", "1", "1", "1 CAJA 1", "0001|CAJA 1"},
        {true, "1|Caja Central", "0001", "0001", "0001 Caja Central", "1|Caja Central"},
        {true, "3|", "3", "3", "3 ", "3|"}, // no description is no missing box
        {true, "", "A'B", "A'B", "A'B CAJA A'B", "A'B|CAJA A'B"}, // a letter code as typed
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.primera) + " then " + c.segunda);
        db.exec(QStringLiteral("DELETE FROM V_TA_CAJAS"));
        if (c.texto)
            db.exec(QStringLiteral(
                "DROP VIEW SS_V_TA_CAJAS; DROP TABLE V_TA_CAJAS; CREATE TABLE V_TA_CAJAS (IdCajas "
                "VARCHAR(4) COLLATE SQLSRV PRIMARY KEY, Descripcion VARCHAR(50) COLLATE SQLSRV);"
                "CREATE VIEW SS_V_TA_CAJAS AS SELECT * FROM V_TA_CAJAS;"));
        if (const QStringList f = QString::fromUtf8(c.previa).split(u'|'); f.size() == 2)
            db.exec(QStringLiteral("INSERT INTO V_TA_CAJAS VALUES ('%1', '%2')").arg(f[0], f[1]));
        arranque(QString::fromUtf8(c.primera));
        EXPECT_EQ(arranque(QString::fromUtf8(c.segunda)), QString::fromUtf8(c.panel));
        QStringList filas;
        for (const QVariantList& f : db.rows(QStringLiteral(
                 "SELECT CAST(IdCajas AS TEXT) || '|' || Descripcion FROM V_TA_CAJAS")))
            filas << f[0].toString();
        EXPECT_EQ(filas, QStringList{QString::fromUtf8(c.guardada)});
    }
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

TEST_F(BarraEstado, CurrencyListOnlyWithSeveralCurrencies) {
    db.exec(QStringLiteral("INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES "
                           "('0002', ' Dólares '), ('0001', 'Pesos'), ('0003', NULL)"));
    const struct {
        const char* valor; // of UsaMultilesMonedas; "" no key
        bool vacia;        // TA_MONEDAS emptied first
        bool visible;
        QStringList items;
    } casos[] = {
        {"", false, false, {}},
        {"si", false, true, {QStringLiteral("PESOS"), QStringLiteral("DÓLARES"), QString()}},
        {"SI", true, true, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor);
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION"));
        if (*c.valor)
            db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                   "('UsaMultilesMonedas', '%1')")
                        .arg(QLatin1String(c.valor)));
        if (c.vacia)
            db.exec(QStringLiteral("DELETE FROM TA_MONEDAS"));
        QWidget ventana;
        auto* lista = new QComboBox(&ventana);
        lista->addItem(QStringLiteral("de antes"));
        lista->setVisible(!c.visible);
        CargaComboMonedas(lista);
        EXPECT_EQ(gUsaMultiMonedas, c.visible);
        EXPECT_EQ(lista->isVisibleTo(&ventana), c.visible);
        QStringList items;
        for (int i = 0; i < lista->count(); ++i)
            items << lista->itemText(i);
        EXPECT_EQ(items, c.items);
        EXPECT_EQ(lista->currentIndex(), c.items.isEmpty() ? -1 : 0);
    }
}

} // namespace
