#include "controles.h"
#include "lineas.h"

#include "platform/vb/msgbox.h"

#include <QGroupBox>
#include <QLineEdit>
#include <QTableWidget>
#include <gtest/gtest.h>
#include <memory>

namespace {

TipoLineaAjuste Linea(const QString& cuenta, const char* debe, const char* haber) {
    TipoLineaAjuste l;
    l.setCuenta(cuenta);
    l.setDescripcion(QStringLiteral("Cuenta ") + cuenta);
    l.Debe = importe(debe);
    l.Haber = importe(haber);
    return l;
}

// Records which header fields the save check validates; refuses one.
class Ventana : public FrmQuarzelo {
public:
    bool ValidaCampo(int Index) override {
        validados.push_back(Index);
        return Index != rechazado;
    }
    std::vector<int> validados;
    int rechazado = -1;
};

class ResumenTest : public ::testing::Test {
protected:
    void SetUp() override {
        responder = std::make_shared<vb::ScriptedResponder>();
        vb::setDialogResponder(responder);
    }
    QString celda(int fila, int columna) const { return ::celda(w, fila, columna); }
    std::shared_ptr<vb::ScriptedResponder> responder;
    Ventana w;
};

} // namespace

TEST_F(ResumenTest, GrillaArmada) {
    EXPECT_EQ(grilla(w)->rowCount(), 20);
    EXPECT_EQ(grilla(w)->columnCount(), 5);
    EXPECT_EQ(celda(0, 2), QStringLiteral("Descripción"));
    EXPECT_EQ(celda(0, 3), QStringLiteral("Debe             "));
    EXPECT_EQ(celda(0, 4), QStringLiteral("Haber            "));
    EXPECT_EQ(celda(19, 0), QStringLiteral("19"));
    EXPECT_EQ(grilla(w)->columnWidth(2), 47 * 80 / 15);
    EXPECT_EQ(grilla(w)->item(0, 3)->textAlignment(), int(Qt::AlignRight | Qt::AlignBottom));
    EXPECT_EQ(grilla(w)->item(0, 1)->textAlignment(), int(Qt::AlignLeft | Qt::AlignVCenter));
}

// Amounts are read as money: "0,5" shows 0,50 and a zero leaves the cell
// empty while the row keeps its account and description.
TEST_F(ResumenTest, ImportesDeLaGrilla) {
    w.setLineas({TipoLineaAjuste(), Linea(QStringLiteral("1101"), "0", ""),
                 Linea(QStringLiteral("1102"), "0,5", ""),
                 Linea(QStringLiteral("110101010101010"), "", "1234,5")});
    w.LlenaResumen();
    EXPECT_EQ(celda(1, 1), QStringLiteral("1101"));
    EXPECT_EQ(celda(1, 2), QStringLiteral("Cuenta 1101"));
    EXPECT_EQ(celda(1, 3), QString());
    EXPECT_EQ(celda(1, 4), QString());
    EXPECT_EQ(celda(2, 3), QStringLiteral("0,50"));
    // A code that fills all fifteen characters is still a line.
    EXPECT_EQ(celda(3, 1), QStringLiteral("110101010101010"));
    EXPECT_EQ(celda(3, 4), QStringLiteral("1234,50"));
    EXPECT_EQ(celda(4, 0), QStringLiteral("4"));
    EXPECT_EQ(celda(4, 1), QString());
    EXPECT_EQ(grilla(w)->rowCount(), 20);

    // A later fill with fewer lines leaves the old rows with their numbers only.
    cambiaLineas(w, [](LineasAjuste& l) { l.resize(2); });
    w.LlenaResumen();
    EXPECT_EQ(celda(2, 0), QStringLiteral("2"));
    EXPECT_EQ(celda(2, 1), QString());
    EXPECT_EQ(celda(2, 3), QString());
}

TEST_F(ResumenTest, VeinticincoLineasAgrandanLaGrilla) {
    LineasAjuste lineas(1);
    for (int i = 1; i <= 25; ++i)
        lineas.push_back(Linea(QString::number(1000 + i), "1", ""));
    w.setLineas(lineas);
    w.LlenaResumen();
    EXPECT_EQ(grilla(w)->rowCount(), 26);
    EXPECT_EQ(celda(25, 0), QStringLiteral("25"));
    EXPECT_EQ(celda(25, 1), QStringLiteral("1025"));
    EXPECT_EQ(celda(25, 3), QStringLiteral("1,00"));
}

TEST_F(ResumenTest, Totales) {
    w.setLineas(LineasAjuste(1));
    w.ActualizaTotales();
    EXPECT_EQ(total(w, 0)->text(), QStringLiteral(",00"));
    EXPECT_EQ(total(w, 1)->text(), QStringLiteral(",00"));

    w.setLineas({TipoLineaAjuste(), Linea(QStringLiteral("1101"), "100,004", ""),
                 Linea(QStringLiteral("5901"), "", "100")});
    vb::Currency d, h;
    w.CalculaTotales(d, h);
    EXPECT_EQ(d, vb::Currency::fromRaw(1000040));
    EXPECT_EQ(total(w, 0)->text(), QStringLiteral("100,00"));

    // 100.004 and 100.00 both show 100,00: the entry balances.
    bool ok = false;
    w.ValidaTotales(ok);
    EXPECT_TRUE(ok);
    EXPECT_TRUE(responder->shown.empty());

    cambiaLineas(w, [](LineasAjuste& l) { l[1].Debe = importe("100,006"); });
    w.ValidaTotales(ok);
    EXPECT_FALSE(ok);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_EQ(responder->shown[0].prompt,
              QStringLiteral("Totales Incorrectos!!\r\nCorrija el asiento"));
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al operador"));
}

// The save check validates the enabled header fields in index order, also
// when the header frame is locked, and stops at the first refused one.
TEST_F(ResumenTest, ValidaTotalesRevalidaLosCampos) {
    campo(w, "PERIODO_DESDE")->setEnabled(false);
    cabecera(w)->setEnabled(false);
    bool ok = true;
    w.ValidaTotales(ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(w.validados, (std::vector<int>{0, 2, 3, 4, 5, 6, 7, 9, 10}));

    w.validados.clear();
    w.rechazado = 4;
    cambiaLineas(w, [](LineasAjuste& l) { l.push_back(Linea(QStringLiteral("1101"), "5", "")); });
    w.ValidaTotales(ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(w.validados.back(), 4);
    EXPECT_TRUE(responder->shown.empty()); // stopped before the totals
}

// The lines hold money: one side, a zero, both sides or none all pass.
TEST_F(ResumenTest, ValidaLineas) {
    w.setLineas({TipoLineaAjuste(), Linea(QStringLiteral("1101"), "12,5", " "),
                 Linea(QStringLiteral("1102"), "0", "3"), Linea(QStringLiteral("1103"), "", "")});
    bool ok = false;
    w.ValidaLineas(ok);
    EXPECT_TRUE(ok);
}

TEST_F(ResumenTest, ControlaTotalCabecera) {
    LineasAjuste lineas = {TipoLineaAjuste(), Linea(QStringLiteral("1101"), "40", ""),
                           Linea(QStringLiteral("5901"), "", "40")};
    w.setLineas(lineas);
    QLineEdit* cab = campo(w, "CABIMPORTE");
    QString r;

    cab->setText(QStringLiteral("40,00"));
    w.ControlaTotalCabecera(r);
    EXPECT_EQ(r, QStringLiteral("OK"));
    EXPECT_EQ(total(w, 0)->text(), QStringLiteral("40,00"));

    cab->setText(QStringLiteral("41"));
    w.ControlaTotalCabecera(r);
    EXPECT_EQ(r, QString());
    EXPECT_FALSE(w.hayError());

    w.setVerificaTotales(true);
    w.ControlaTotalCabecera(r);
    EXPECT_EQ(r, QStringLiteral("Totales Incorrecto!"));
    EXPECT_TRUE(w.hayError());

    // On a window that has had no error yet.
    Ventana otra;
    lineas[2].Haber = importe("39");
    otra.setLineas(lineas);
    otra.setVerificaTotales(true);
    campo(otra, "CABIMPORTE")->setText(QStringLiteral("41"));
    EXPECT_FALSE(otra.hayError());
    otra.ControlaTotalCabecera(r);
    EXPECT_EQ(r, QStringLiteral("Debe difiere del haber!"));
    EXPECT_TRUE(otra.hayError());
}
