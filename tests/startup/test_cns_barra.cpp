#include "test_cns_fixture.h"

#include "platform/ui/statusbar.h"

#include <QComboBox>
#include <QLabel>
#include <QWidget>

using namespace CNStuffContable;

namespace {

class BarraEstado : public CnsTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(CnsTest::SetUp());
        gCaja.clear();
        vb::setAppVersion(vb::Version{3, 14, 159});
    }
    void TearDown() override {
        gCaja.clear();
        gUsaMultiMonedas = false;
        vb::setAppVersion(std::nullopt);
        CnsTest::TearDown();
    }

    // A bar with these panels, as a window's start would fill it.
    static std::unique_ptr<StatusBar> barra(std::initializer_list<const char*> claves) {
        auto b = std::make_unique<StatusBar>();
        for (const char* c : claves)
            b->AddPanel(QLatin1String(c));
        return b;
    }
    static QString panel(const StatusBar& b, const char* clave) {
        const QLabel* p = b.Panel(QLatin1String(clave));
        return p ? p->text() : QStringLiteral("<none>");
    }

    // A start of the program with this cash box on its command line.
    QString arranque(const QString& caja) {
        gCaja = caja;
        auto b = barra({"CAJA"});
        CargaBarraEstado(b.get(), QString());
        return panel(*b, "CAJA");
    }

    // The cash boxes as stored: key as text, description.
    QStringList cajas() const {
        QStringList filas;
        for (const QVariantList& f : db.rows(QStringLiteral(
                 "SELECT CAST(IdCajas AS TEXT), Descripcion FROM V_TA_CAJAS ORDER BY 1")))
            filas << f[0].toString() + u'|' + f[1].toString();
        return filas;
    }

    // The key column as a database that keeps box numbers as text has it.
    void claveDeTexto() const {
        db.exec(QStringLiteral(
            "DROP VIEW SS_V_TA_CAJAS; DROP TABLE V_TA_CAJAS;"
            "CREATE TABLE V_TA_CAJAS (IdCajas VARCHAR(4) COLLATE SQLSRV NOT NULL PRIMARY KEY,"
            " Descripcion VARCHAR(50) COLLATE SQLSRV);"
            "CREATE VIEW SS_V_TA_CAJAS AS SELECT * FROM V_TA_CAJAS;"));
    }
};

TEST_F(BarraEstado, FactsOnceThenOnlyTheMessage) {
    db.exec(QStringLiteral("INSERT INTO V_TA_CAJAS (IdCajas, Descripcion) VALUES (2, "
                           "' Caja Neuquén ')"));
    gCaja = QStringLiteral("2");
    DB_Dll& datos = gDatos();
    auto b = barra({"VERSION", "SERVER", "BASEDEDATOS", "USUARIO", "CAJA", "MENSAJE"});

    CargaBarraEstado(b.get(), QStringLiteral("Listo"));
    EXPECT_EQ(panel(*b, "MENSAJE"), QStringLiteral("Listo"));
    EXPECT_EQ(panel(*b, "SERVER"), QStringLiteral("Srv: ") + db.folder());
    EXPECT_EQ(panel(*b, "USUARIO"), QStringLiteral("Uid: sa"));
    EXPECT_EQ(panel(*b, "BASEDEDATOS"), QStringLiteral("Db: EMPRESA"));
    EXPECT_EQ(panel(*b, "CAJA"), QStringLiteral("2 Caja Neuquén"));
    EXPECT_EQ(panel(*b, "VERSION"), QStringLiteral("V.3.14.159"));

    // Later calls change the message only, whatever the facts now are.
    datos.gUsuario = QStringLiteral("otro");
    CargaBarraEstado(b.get(), QStringLiteral("Grabando"));
    EXPECT_EQ(panel(*b, "MENSAJE"), QStringLiteral("Grabando"));
    EXPECT_EQ(panel(*b, "USUARIO"), QStringLiteral("Uid: sa"));

    // Without a SERVER panel nothing says the facts are there: every call
    // fills them again, and the missing panels are passed over.
    auto sinServer = barra({"USUARIO", "MENSAJE"});
    CargaBarraEstado(sinServer.get(), QString());
    EXPECT_EQ(panel(*sinServer, "USUARIO"), QStringLiteral("Uid: otro"));
    datos.gUsuario = QStringLiteral("tercero");
    CargaBarraEstado(sinServer.get(), QString());
    EXPECT_EQ(panel(*sinServer, "USUARIO"), QStringLiteral("Uid: tercero"));
    EXPECT_EQ(panel(*sinServer, "SERVER"), QStringLiteral("<none>"));
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

// Two starts of the program: the cash box is stored once, padded, whether the
// database keeps box numbers as numbers or as text and whichever form each
// start passes.
TEST_F(BarraEstado, CashBoxStoredOnceAcrossStarts) {
    const struct {
        bool texto;         // key column of text
        const char* previa; // a row already there ("id|description"), or none
        const char* primera;
        const char* segunda;
        const char* panelSegunda;
        const char* guardada;
    } casos[] = {
        {false, nullptr, "", "1", "1 CAJA 1", "1|CAJA 1"},
        {false, nullptr, "1", "0001", "0001 CAJA 1", "1|CAJA 1"},
        {false, nullptr, "0001", "1", "1 CAJA 0001", "1|CAJA 0001"},
        {false, nullptr, "12345", "12345", "12345 CAJA 12345", "12345|CAJA 12345"},
        {true, nullptr, "1", "1", "1 CAJA 1", "0001|CAJA 1"},
        {true, nullptr, "1", "0001", "0001 CAJA 1", "0001|CAJA 1"},
        {true, nullptr, "0001", "1", "1 CAJA 0001", "0001|CAJA 0001"},
        {true, "1|Caja Central", "0001", "1", "1 Caja Central", "1|Caja Central"},
        {true, "3|", "3", "0003", "0003 ", "3|"}, // a box without description
        {true, nullptr, "A'B", "A'B", "A'B CAJA A'B", "0A'B|CAJA A'B"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.primera) + " then " + c.segunda + (c.texto ? " (text)" : ""));
        db.exec(QStringLiteral("DELETE FROM V_TA_CAJAS"));
        if (c.texto)
            claveDeTexto();
        if (c.previa) {
            const QStringList f = QString::fromUtf8(c.previa).split(u'|');
            db.exec(QStringLiteral("INSERT INTO V_TA_CAJAS VALUES ('%1', '%2')").arg(f[0], f[1]));
        }
        arranque(QString::fromUtf8(c.primera));
        EXPECT_EQ(arranque(QString::fromUtf8(c.segunda)), QString::fromUtf8(c.panelSegunda));
        EXPECT_EQ(cajas(), QStringList{QString::fromUtf8(c.guardada)});
        EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
        responder->shown.clear();
    }
}

TEST_F(BarraEstado, CurrencyListOnlyWithSeveralCurrencies) {
    db.exec(QStringLiteral("INSERT INTO TA_MONEDAS (CODIGO, Descripcion) VALUES "
                           "('0002', ' Dólares '), ('0001', 'Pesos'), ('0003', NULL)"));
    const struct {
        const char* valor; // of UsaMultilesMonedas; nullptr: no key
        bool monedas;      // TA_MONEDAS keeps its rows
        bool visible;
        QStringList items;
    } casos[] = {
        {nullptr, true, false, {}},
        {"NO", true, false, {}},
        {"si", true, true, {QStringLiteral("PESOS"), QStringLiteral("DÓLARES"), QString()}},
        {"SI", false, true, {}},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.valor ? c.valor : "no key");
        db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION"));
        if (c.valor)
            db.exec(QStringLiteral("INSERT INTO TA_CONFIGURACION (CLAVE, VALOR) VALUES "
                                   "('UsaMultilesMonedas', '%1')")
                        .arg(QLatin1String(c.valor)));
        if (!c.monedas)
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
        EXPECT_EQ(lista->currentText(), c.items.value(0));
    }
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}

} // namespace
