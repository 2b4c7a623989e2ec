#include "ajuste_fixture.h"

using Fin = GeneracionAjuste::Fin;
using Lectura = GeneracionAjuste::Lectura;

// A fiscal year from July to June: 11/2023 to 02/2024 runs the counters
// 11/2023, 12/2023, 01/2024, 02/2024; 29/02/2024 still belongs to February.
TEST_F(AjusteTest, RangoQueCruzaElAnio) {
    ejercicio(2024, QStringLiteral("2023-07-01"), QStringLiteral("2024-06-30"));
    CNStuffContable::gPeriodoActual = QStringLiteral("2024");
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 3);
    indice(2023, 11, 1.1);
    indice(2023, 12, 1.2);
    indice(2024, 1, 1.3);
    indice(2024, 2, 1.4);
    indice(2024, 6, 1.0);
    for (const char* f :
         {"2023-11-15", "2023-12-31", "2024-01-31", "2024-02-29", "2024-03-01", "2023-10-31"})
        mov({QStringLiteral("1101"), QString::fromLatin1(f), QStringLiteral("D"), 100,
             QStringLiteral("00AS"), 0, 0, 0, 2024});

    for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
        const auto r = genera(QStringLiteral("11/2023"), QStringLiteral("02/2024"), false, l);
        EXPECT_EQ(r.fin, Fin::Completa);
        const auto* a = linea(r.Lineas, QStringLiteral("1101"));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Debe, importe("100")); // 10 + 20 + 30 + 40
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901"))->Haber, importe("100"));
    }
    EXPECT_EQ(GeneracionAjuste::UltimoDiaMes(QStringLiteral("02"), QStringLiteral("2023")), 28);
    EXPECT_EQ(GeneracionAjuste::UltimoDiaMes(QStringLiteral("13"), QStringLiteral("2023")), 0);
}

// A month takes every row of its last day, whatever its time of day, and
// none of the next month's first midnight.
TEST_F(AjusteTest, ElUltimoDiaDelMesCuentaACualquierHora) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.2);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-31 15:30:00"), QStringLiteral("D"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-31 23:59:59"), QStringLiteral("H"), 50});
    mov({QStringLiteral("1101"), QStringLiteral("2023-02-01 00:00:00"), QStringLiteral("D"), 900});

    for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
        const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("01/2023"), false, l);
        EXPECT_EQ(r.fin, Fin::Completa);
        const auto* a = linea(r.Lineas, QStringLiteral("1101"));
        ASSERT_NE(a, nullptr);
        EXPECT_EQ(a->Debe, importe("10")); // (100 - 50) x 1.2 - 50
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901"))->Haber, importe("10"));
    }
}

// A day stored without its time by another program is that day's midnight:
// 01/02 counts in February, never in January.
TEST_F(AjusteTest, UnDiaGuardadoSinHoraCuentaEnSuMes) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.2);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-15"), QStringLiteral("D"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-02-01"), QStringLiteral("D"), 900});
    db.exec(QStringLiteral("UPDATE MV_ASIENTOS SET FECHA = substr(FECHA, 1, 10)"));
    const struct {
        const char* mes;
        const char* debe;
    } cases[] = {{"01/2023", "20"}, {"02/2023", "180"}};
    for (const auto& c : cases)
        for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
            const auto r = genera(QLatin1String(c.mes), QLatin1String(c.mes), false, l);
            const auto* a = linea(r.Lineas, QStringLiteral("1101"));
            ASSERT_NE(a, nullptr) << c.mes;
            EXPECT_EQ(a->Debe, importe(c.debe)) << c.mes;
        }
}

TEST_F(AjusteTest, CuentaDeDepreciacionSeSalta) {
    cuenta(QStringLiteral("1301"), QStringLiteral("Amortizacion acumulada"), 2);
    cuenta(QStringLiteral("1201"), QStringLiteral("Rodados"), 2, QStringLiteral("1301"), 1);
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 2);
    indices(2023, 1, 12, 1.5);
    mov({QStringLiteral("1301"), QStringLiteral("2023-01-10"), QStringLiteral("H"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});

    for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
        const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("01/2023"), false, l);
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("1301")), nullptr);
        ASSERT_NE(linea(r.Lineas, QStringLiteral("1101")), nullptr);
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("1101"))->Debe, importe("50"));
    }
}

// Pro-forma vouchers count neither as opening rows nor in the sums unless
// asked for; the opening row is restated by the previous year's closing
// coefficient (1.5), not by the closing one of the year in use (2.0).
TEST_F(AjusteTest, ProformaExcluidaEIncluida) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indice(2022, 12, 1.5);
    indice(2023, 1, 1.1);
    indice(2023, 12, 2.0);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-01"), QStringLiteral("D"), 1000,
         QStringLiteral("FP"), 1});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-11"), QStringLiteral("D"), 50,
         QStringLiteral("FP")});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-12"), QStringLiteral("D"), 30,
         QStringLiteral("CBFP")});

    for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
        EXPECT_EQ(linea(genera("01/2023", "01/2023", false, l).Lineas, "1101")->Debe,
                  importe("10"));
        EXPECT_EQ(linea(genera("01/2023", "01/2023", true, l).Lineas, "1101")->Debe,
                  importe("518")); // 500 + 18
    }
}

// The previous year is the greatest number below the one in use; a credit
// opening balance keeps its side; the months' zero differences on the debit
// side are netted away.
TEST_F(AjusteTest, AperturaReexpresadaConElCierreAnterior) {
    db.exec(QStringLiteral("DELETE FROM MV_EJERCICIOS WHERE PERIODO = 2022"));
    ejercicio(2019, QStringLiteral("2019-01-01"), QStringLiteral("2019-12-31"));
    ejercicio(2021, QStringLiteral("2021-01-01"), QStringLiteral("2022-12-31"));
    cuenta(QStringLiteral("2101"), QStringLiteral("Proveedores"), 4);
    indice(2019, 12, 3.0);
    indice(2022, 12, 1.5);
    indices(2023, 1, 11, 1.0);
    indice(2023, 12, 2.0);
    mov({QStringLiteral("2101"), QStringLiteral("2023-01-01"), QStringLiteral("H"), 1000,
         QStringLiteral("00AS"), 1});

    auto comprueba = [&] {
        for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada}) {
            const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("12/2023"), false, l);
            EXPECT_EQ(r.fin, Fin::Completa);
            const auto* a = linea(r.Lineas, QStringLiteral("2101"));
            ASSERT_NE(a, nullptr);
            EXPECT_EQ(a->Haber, importe("500"));
            EXPECT_EQ(a->Debe, std::nullopt);
            EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901"))->Debe, importe("500"));
        }
    };
    comprueba();
    // With no earlier year at all, the opening stands at the day before the
    // year begins.
    db.exec(QStringLiteral("DELETE FROM MV_EJERCICIOS WHERE PERIODO < 2023"));
    comprueba();
}

TEST_F(AjusteTest, DiferenciaNegativaVaAlHaber) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.2);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-11"), QStringLiteral("H"), 300});
    mov({QStringLiteral("1101"), QStringLiteral("2023-02-11"), QStringLiteral("D"), 50});

    const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("02/2023"));
    const auto* a = linea(r.Lineas, QStringLiteral("1101"));
    ASSERT_NE(a, nullptr);
    // January -40 on credit, February +10 on debit: one line, netted.
    EXPECT_EQ(a->Haber, importe("30"));
    EXPECT_EQ(a->Debe, std::nullopt);
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901"))->Debe, importe("30"));
}

TEST_F(AjusteTest, FallaDeLaGeneracion) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    const auto r = genera(QStringLiteral("13/2023"), QStringLiteral("13/2023"));
    EXPECT_EQ(r.fin, Fin::Falla);
    EXPECT_EQ(
        responder->messages(),
        QStringList{QStringLiteral("No coinciden los tipos\r\nEl asiento no puede grabarse.")});
}

// 100 x 1.00004 leaves 0.004 on the debit side: both totals show ",00", so
// no balancing line is added.
TEST_F(AjusteTest, DiferenciaMasAllaDelSegundoDecimal) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.00004);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
    const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("01/2023"));
    // 0.004 is stored as it is shown: no cent.
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("1101"))->Debe, importe("0"));
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901")), nullptr);
}

// Series 1 lacks March: account 1101 stops after two months, the account
// before it (series 2) keeps its four months, the balancing line is still
// added, and the run says why the entry cannot be stored.
TEST_F(AjusteTest, FaltaElIndiceDelTercerMesDetieneLaCorrida) {
    cuenta(QStringLiteral("1100"), QStringLiteral("Bancos"), 2);
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    cuenta(QStringLiteral("1102"), QStringLiteral("Valores"), 2);
    indices(2023, 1, 2, 1.1);
    indices(2023, 4, 12, 1.1);
    db.exec(QStringLiteral("INSERT INTO MA_INDAJUSTE VALUES (2023, 3, 0, 1.1, 1.1, 1.1)"));
    for (const char* c : {"1100", "1101", "1102"})
        for (const char* f : {"2023-01-10", "2023-02-10", "2023-03-10", "2023-04-10"})
            mov({QString::fromLatin1(c), QString::fromLatin1(f), QStringLiteral("D"), 100});

    const auto r = genera(QStringLiteral("01/2023"), QStringLiteral("04/2023"));
    const QString esperado = QStringLiteral("No Existe el Indice para la Cuenta 1101 Periodo: "
                                            "3/2023\r\nEl asiento no puede grabarse.");
    EXPECT_EQ(responder->messages(), QStringList{esperado});
    EXPECT_EQ(r.fin, Fin::FaltaIndice);
    EXPECT_FALSE(r.Grabable());
    EXPECT_EQ(r.Mensaje, esperado);
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("1100"))->Debe, importe("40"));
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("1101"))->Debe, importe("20"));
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("1102")), nullptr);
    EXPECT_EQ(linea(r.Lineas, QStringLiteral("5901"))->Haber, importe("60"));
}

// The operator presses the banner's Cancel while the second account runs:
// answering No goes on to the end, Yes stops with the lines so far.
TEST_F(AjusteTest, CancelarElProcesoSinVentana) {
    cancelaEnLaSegundaCuenta();

    for (const bool cancela : {false, true}) {
        SCOPED_TRACE(cancela);
        responder->shown.clear();
        responder->answerMsg(cancela ? vb::vbYes : vb::vbNo);
        const auto r =
            genera(QStringLiteral("01/2023"), QStringLiteral("01/2023"), false, Lectura::PorCuenta);
        EXPECT_EQ(responder->messages(),
                  QStringList{QStringLiteral("¿Realmente desea Cancelar el Proceso?")});
        EXPECT_EQ(r.fin, cancela ? Fin::Cancelada : Fin::Completa);
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("1101"))->Debe, importe("10"));
        EXPECT_EQ(linea(r.Lineas, QStringLiteral("1102")) != nullptr, !cancela);
        EXPECT_FALSE(banner->abierto);
    }
}

// A run that does not start at the year's first month reads no opening row;
// the banner is open before the run's first statement all the same, and a
// Cancel pressed while it runs is asked about and acted on, on both readings.
TEST_F(AjusteTest, CancelarEnUnaCorridaQueNoEmpiezaElEjercicio) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    cuenta(QStringLiteral("1102"), QStringLiteral("Valores"), 1);
    indices(2023, 1, 12, 1.1);
    for (const char* c : {"1101", "1102"}) {
        mov({QString::fromLatin1(c), QStringLiteral("2023-01-01"), QStringLiteral("D"), 500,
             QStringLiteral("00AS"), 1});
        mov({QString::fromLatin1(c), QStringLiteral("2023-03-10"), QStringLiteral("D"), 100});
    }
    // The operator presses Cancel once, while the second account is read,
    // or, on the grouped reading, while the months are.
    bool primera = true;
    bool cartelAbierto = false;
    bool pulsado = false;
    gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
        if (primera) {
            primera = false;
            cartelAbierto = banner->visible;
        }
        if (banner->abierto && !pulsado &&
            (s.contains(QStringLiteral("CUENTA = '1102'")) ||
             s.contains(QStringLiteral("GROUP BY CUENTA")))) {
            pulsado = true;
            banner->pulsaCancelar();
        }
        return std::nullopt;
    });

    for (Lectura l : {Lectura::PorCuenta, Lectura::Agrupada})
        for (const bool cancela : {false, true}) {
            SCOPED_TRACE(testing::Message() << int(l) << " " << cancela);
            responder->shown.clear();
            responder->answerMsg(cancela ? vb::vbYes : vb::vbNo);
            primera = true;
            cartelAbierto = false;
            pulsado = false;
            const auto r = genera(QStringLiteral("03/2023"), QStringLiteral("04/2023"), false, l);
            EXPECT_TRUE(cartelAbierto);
            EXPECT_EQ(responder->messages(),
                      QStringList{QStringLiteral("¿Realmente desea Cancelar el Proceso?")});
            EXPECT_EQ(r.fin, cancela ? Fin::Cancelada : Fin::Completa);
            EXPECT_EQ(linea(r.Lineas, QStringLiteral("1102")) != nullptr, !cancela);
            if (!cancela) {
                ASSERT_NE(linea(r.Lineas, QStringLiteral("1101")), nullptr);
                EXPECT_EQ(linea(r.Lineas, QStringLiteral("1101"))->Debe, importe("10"));
            }
            EXPECT_FALSE(banner->abierto);
        }
    gDatos().cnn()->setFaultInjector({});
}

// The netting leaves one side per line, to the cent, and keeps a side that
// received a zero apart from one that received nothing.
TEST(LineasAjuste, NetoLineasSoloLadosConImporte) {
    const struct {
        const char* debe;
        const char* haber;
        const char* netoDebe;
        const char* netoHaber;
    } casos[] = {
        {"", "", "", ""},
        {"0", "", "0", ""},
        {"", "0,004", "", "0"},
        {"10,005", "3", "7,01", ""},
        {"3", "10,005", "", "7,01"},
        {"5", "5", "0", ""},
        {"-0,005", "", "-0,01", ""},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.debe) + " / " + c.haber);
        LineasAjuste lineas(2);
        lineas[1].setCuenta(QStringLiteral("1101"));
        lineas[1].Debe = importe(c.debe);
        lineas[1].Haber = importe(c.haber);
        GeneracionAjuste::NetoLineas(lineas);
        EXPECT_EQ(lineas[1].Debe, importe(c.netoDebe));
        EXPECT_EQ(lineas[1].Haber, importe(c.netoHaber));
        EXPECT_EQ(lineas[0].Debe, std::nullopt);
    }
}
