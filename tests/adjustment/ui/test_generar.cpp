// The "&Generar" button on the window: what the run leaves in the lines, the
// grid, the totals and the window's state.

#include "ventana_fixture.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>

using Fin = GeneracionAjuste::Fin;
using Lectura = GeneracionAjuste::Lectura;

// January: debits 300, credits 100, coefficient 1.20: 240 - 200 = 40 on the
// debit side; February has no movements; the REI account balances on credit.
TEST_F(AjusteTest, EjemploDelBotonGenerar) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indice(2023, 1, 1.2);
    indice(2023, 2, 1.1);
    indice(2023, 12, 1.0);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-05"), QStringLiteral("D"), 200});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-31"), QStringLiteral("D"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-20"), QStringLiteral("H"), 100});

    auto w = ventana(QStringLiteral("01/2023"), QStringLiteral("02/2023"));
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    ASSERT_TRUE(w->modificado());
    w->CmdGenerar_Click();

    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
    EXPECT_EQ(w->finGeneracion(), Fin::Completa);
    ASSERT_EQ(w->lineas().size(), 3u);
    EXPECT_EQ(w->lineas()[1].Cuenta, QStringLiteral("1101").leftJustified(15));
    EXPECT_EQ(w->lineas()[1].Debe, importe("40"));
    EXPECT_EQ(w->lineas()[1].Haber, std::nullopt);
    EXPECT_EQ(w->lineas()[2].Cuenta.trimmed(), QStringLiteral("5901"));
    EXPECT_EQ(w->lineas()[2].Haber, importe("40"));

    EXPECT_EQ(total(*w, 0)->text(), QStringLiteral("40,00"));
    EXPECT_EQ(total(*w, 1)->text(), QStringLiteral("40,00"));
    EXPECT_EQ(campo(*w, "CABIMPORTE")->text(), QStringLiteral("40,00"));
    EXPECT_EQ(QStringList({celda(*w, 1, 0), celda(*w, 1, 1), celda(*w, 1, 2), celda(*w, 1, 3),
                           celda(*w, 1, 4)}),
              QStringList({"1", "1101", "Caja", "40,00", ""}));
    EXPECT_EQ(QStringList({celda(*w, 2, 1), celda(*w, 2, 2), celda(*w, 2, 3), celda(*w, 2, 4)}),
              QStringList({"5901", "R.E.I.", "", "40,00"}));

    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    EXPECT_FALSE(generar(*w)->isEnabled());
    EXPECT_TRUE(campo(*w, "DETALLE")->isEnabled());
    EXPECT_FALSE(w->modificado());
    EXPECT_FALSE(banner->abierto); // banner closed
}

// Series 1 lacks March: account 1101 stops after two months, the account
// before it (series 2) keeps its four months, the balancing line is still
// added, and the entry cannot be stored.
TEST_F(AjusteTest, FaltaElIndiceDelTercerMes) {
    cuenta(QStringLiteral("1100"), QStringLiteral("Bancos"), 2);
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    cuenta(QStringLiteral("1102"), QStringLiteral("Valores"), 2);
    indices(2023, 1, 2, 1.1);
    indices(2023, 4, 12, 1.1);
    db.exec(QStringLiteral("INSERT INTO MA_INDAJUSTE VALUES (2023, 3, 0, 1.1, 1.1, 1.1)"));
    for (const char* c : {"1100", "1101", "1102"})
        for (const char* f : {"2023-01-10", "2023-02-10", "2023-03-10", "2023-04-10"})
            mov({QString::fromLatin1(c), QString::fromLatin1(f), QStringLiteral("D"), 100});

    auto w = ventana(QStringLiteral("01/2023"), QStringLiteral("04/2023"));
    w->CmdGenerar_Click();

    const QString esperado = QStringLiteral("No Existe el Indice para la Cuenta 1101 Periodo: "
                                            "3/2023\r\nEl asiento no puede grabarse.");
    EXPECT_EQ(responder->messages(), QStringList{esperado});
    EXPECT_EQ(w->finGeneracion(), Fin::FaltaIndice);
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("1100"))->Debe, importe("40"));
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("1101"))->Debe, importe("20"));
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("1102")), nullptr);
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("5901"))->Haber, importe("60"));
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoCancelar));
    EXPECT_EQ(celda(*w, 3, 1), QStringLiteral("5901"));
}

TEST_F(AjusteTest, CancelarElProceso) {
    cancelaEnLaSegundaCuenta();

    responder->shown.clear();
    responder->answerMsg(vb::vbYes);
    auto w = ventana(QStringLiteral("01/2023"), QStringLiteral("01/2023"));
    w->setLecturaGeneracion(Lectura::PorCuenta);
    w->CmdGenerar_Click();
    EXPECT_EQ(responder->messages(),
              QStringList{QStringLiteral("¿Realmente desea Cancelar el Proceso?")});
    EXPECT_EQ(w->finGeneracion(), Fin::Cancelada);
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("1101"))->Debe, importe("10"));
    EXPECT_EQ(linea(w->lineas(), QStringLiteral("1102")), nullptr);
    EXPECT_FALSE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
    EXPECT_FALSE(banner->abierto);
}

// The REI account has a debit of its own and receives the balancing credit:
// its line is netted so that it is stored with one side.
TEST_F(AjusteTest, CuentaReiAjustable) {
    db.exec(QStringLiteral("UPDATE MA_CUENTAS SET AJUSTE = 1, INDICE = 1 WHERE CODIGO = '5901'"));
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.2);
    mov({QStringLiteral("5901"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 150});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 250});

    auto w = ventana(QStringLiteral("01/2023"), QStringLiteral("01/2023"));
    w->CmdGenerar_Click();
    const auto* rei = linea(w->lineas(), QStringLiteral("5901"));
    ASSERT_NE(rei, nullptr);
    EXPECT_EQ(rei->Debe, std::nullopt);
    EXPECT_EQ(rei->Haber, importe("50"));
    EXPECT_EQ(total(*w, 0)->text(), QStringLiteral("50,00"));
    EXPECT_EQ(total(*w, 1)->text(), QStringLiteral("50,00"));
    EXPECT_TRUE(paxtor(*w)->estado(Paxtor::EstadoGrabar));
}

TEST_F(AjusteTest, SinMovimientos) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    auto w = ventana(QStringLiteral("01/2023"), QStringLiteral("12/2023"));
    ASSERT_TRUE(valida(*w, "CTA_REI", QStringLiteral("5901")));
    ASSERT_TRUE(w->ctaReiValidada());
    w->CmdGenerar_Click();
    EXPECT_EQ(w->lineas().size(), 1u);
    EXPECT_EQ(total(*w, 0)->text(), QStringLiteral(",00"));
    EXPECT_EQ(responder->messages(),
              QStringList{QStringLiteral("No hay movimientos para generar el Asiento de Ajuste , "
                                         "con los datos proporcionados")});
    EXPECT_EQ(responder->shown[0].title, QStringLiteral("Aviso al operador"));
    EXPECT_FALSE(w->ctaReiValidada());
    EXPECT_TRUE(generar(*w)->isEnabled());
}
