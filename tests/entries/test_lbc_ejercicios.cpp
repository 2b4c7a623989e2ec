// Creation of the rules object, fiscal years and operative dates.

#include "entries_fixture.h"

#include "entries/lbc_interno.h"
#include "platform/vb/errors.h"

using Ejercicios = EntriesTest;

TEST_F(Ejercicios, CreationReadsTheConfiguredYearAndFailsOnBadKeys) {
    EXPECT_EQ(Lbc_Asiento().PeriodoActual(), 2023);

    // Blank (absent) key, text and overflow: no object, and the reference
    // tries again on its next use.
    db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'PERIODO'"));
    Lbc_AsientoRef ref;
    try {
        ref.get();
        FAIL() << "created without a year";
    } catch (const ado::Exception& e) {
        EXPECT_EQ(e.number(), vb::errTypeMismatch);
    }
    EXPECT_FALSE(ref.creado());
    clave(QStringLiteral("PERIODO"), QStringLiteral("dos mil"));
    EXPECT_THROW(ref.get(), ado::Exception);
    clave(QStringLiteral("PERIODO"), QStringLiteral("70000"));
    try {
        ref.get();
        FAIL() << "created with an overflowing year";
    } catch (const ado::Exception& e) {
        EXPECT_EQ(e.number(), vb::errOverflow);
    }
    clave(QStringLiteral("PERIODO"), QStringLiteral(" 2024 "));
    EXPECT_EQ(ref->PeriodoActual(), 2024);
    EXPECT_TRUE(ref.creado());
}

TEST_F(Ejercicios, EstadoSinEjercicios) {
    Lbc_Asiento a;
    QString mensaje = QStringLiteral("previo");
    QVariant noCreado;
    EXPECT_FALSE(a.ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, &noCreado));
    EXPECT_EQ(mensaje, QStringLiteral("No se han creado Ejercicios!!!\rPara crear un Ejercicio "
                                      "debe hacerlo desde la configuración del sistema"));
    EXPECT_TRUE(noCreado.toBool());

    QString desde = QStringLiteral("x"), hasta = QStringLiteral("y");
    a.EjercicioRango(desde, hasta);
    EXPECT_TRUE(desde.isEmpty());
    EXPECT_TRUE(hasta.isEmpty());
    ASSERT_EQ(responder->messages().size(), 1);
    EXPECT_EQ(responder->messages().front(), mensaje);

    QString anterior = QStringLiteral("-1");
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(anterior));
    EXPECT_EQ(anterior, QStringLiteral("2023"));
    EXPECT_TRUE(
        a.ValidaRangoFechaEjercicio(QStringLiteral("01/01/2023"), QStringLiteral("31/12/2023")));
    EXPECT_EQ(a.FechaHastaUltimoPeriodo(), vb::MakeDate(1899, 12, 30));
}

TEST_F(Ejercicios, EstadoMatrix) {
    ejercicio(2021, QStringLiteral("2021-01-01"), QStringLiteral("2021-12-31"), 0, 0, 1);
    ejercicio(2022, QStringLiteral("2022-01-01"), QStringLiteral("2022-12-31"), 1, 1);
    ejercicio(2023, QStringLiteral("2023-01-01"), QStringLiteral("2023-12-31"));
    ejercicio(2024, QStringLiteral("2024-01-01"), QStringLiteral("2024-12-31"), 1);
    ejercicio(2025, QStringLiteral("2025-01-01"), QStringLiteral("2025-12-31"), 0, 1);
    Lbc_Asiento a;

    struct Caso {
        QString periodo;
        bool esperado;
        QString mensaje;
    };
    const Caso casos[] = {
        // The first year: nothing before it.
        {QStringLiteral("2021"), true, QStringLiteral("sin cambio")},
        // The year before was closed only by Cierre: that does not count here.
        {QStringLiteral("2022"), false,
         QStringLiteral("El Periodo tiene realizado el Cierre y la Cancelacion de saldos de "
                        "cuentas de resultados")},
        {QStringLiteral("2023"), true, QStringLiteral("sin cambio")},
        {QStringLiteral("2024"), false,
         QStringLiteral("El Periodo tiene realizado el Cierre de libros contables ")},
        {QStringLiteral("2025"), false,
         QStringLiteral("El Periodo tiene realizada la Cancelacion de saldos de cuentas de "
                        "resultados")},
        {QStringLiteral("2030"), true, QStringLiteral("sin cambio")},
    };
    for (const Caso& c : casos) {
        QString mensaje = QStringLiteral("sin cambio");
        QVariant cierre, cancelacion;
        EXPECT_EQ(a.ValidaEstadoPeriodoActual(mensaje, &cierre, &cancelacion, nullptr, c.periodo),
                  c.esperado)
            << c.periodo.toStdString();
        EXPECT_EQ(mensaje, c.mensaje) << c.periodo.toStdString();
        EXPECT_EQ(a.PeriodoActual(), c.periodo.toInt());
    }

    // 2022 itself is fine once its own flags are gone, but the year before it
    // (2021) has only Cierre.
    db.exec(QStringLiteral("UPDATE MV_EJERCICIOS SET CERRADO = 0, Cancelacion = 0 WHERE PERIODO = "
                           "2022"));
    QString mensaje;
    EXPECT_FALSE(
        a.ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, QStringLiteral("2022")));
    EXPECT_EQ(mensaje, QStringLiteral("El Periodo anterior (2021) no tiene realizado el cierre"));
    QString anterior = QStringLiteral("2022");
    EXPECT_TRUE(a.EjercicioAnteriorCerrado(anterior));
    // A year after an open one: not closed either way.
    anterior = QStringLiteral("2023");
    EXPECT_FALSE(a.EjercicioAnteriorCerrado(anterior));
}

TEST_F(Ejercicios, RangosYUltimoPeriodo) {
    ejercicio(2022, QStringLiteral("2022-01-01"), QStringLiteral("2022-12-31"));
    ejercicio(2023, QStringLiteral("2023-01-01"), QStringLiteral("2023-12-31"));
    Lbc_Asiento a;

    QString desde, hasta;
    a.EjercicioRango(desde, hasta, QVariant(2022));
    EXPECT_EQ(desde, QStringLiteral("01/01/2022"));
    EXPECT_EQ(hasta, QStringLiteral("31/12/2022"));
    a.EjercicioRango(desde, hasta);
    EXPECT_EQ(hasta, QStringLiteral("31/12/2023"));
    EXPECT_TRUE(responder->shown.empty());

    EXPECT_EQ(a.FechaHastaUltimoPeriodo(), vb::MakeDate(2023, 12, 31));

    const QString d1 = QStringLiteral("01/01/2022"), d2 = QStringLiteral("31/12/2022");
    EXPECT_TRUE(a.ValidaRangoFechaEjercicio(d1, d2, QVariant(2022)));
    EXPECT_FALSE(a.ValidaRangoFechaEjercicio(d1, d2));
    EXPECT_FALSE(a.ValidaRangoFechaEjercicio(d1, QStringLiteral("01/01/2023"), QVariant(2022)));
    EXPECT_TRUE(
        a.ValidaRangoFechaEjercicio(QStringLiteral("01/01/2030"), QStringLiteral("31/12/2030")));
}

TEST_F(Ejercicios, MovimientosFueraDelRango) {
    Linea l;
    l.fecha = QStringLiteral("2023-03-01");
    linea(l);
    Lbc_Asiento a;
    // Boundary days count as outside.
    EXPECT_TRUE(a.ExistenMovFueraPeriodo(QStringLiteral("2023"), QStringLiteral("01/03/2023"),
                                         QStringLiteral("31/12/2023")));
    EXPECT_FALSE(a.ExistenMovFueraPeriodo(QStringLiteral("2023"), QStringLiteral("28/02/2023"),
                                          QStringLiteral("31/12/2023")));
    EXPECT_FALSE(a.ExistenMovFueraPeriodo(QStringLiteral("2022"), QStringLiteral("01/03/2023"),
                                          QStringLiteral("31/12/2023")));
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join('|').toStdString();
}

TEST_F(Ejercicios, UltimoAjusteEsElMasRecienteDelEjercicioPedido) {
    Lbc_Asiento a;
    QString fecha = QStringLiteral("x"), periodo = QStringLiteral("y");
    QVariant nro = 5;
    a.UltimoAjuste(fecha, periodo, nro);
    EXPECT_TRUE(fecha.isEmpty());
    EXPECT_TRUE(periodo.isEmpty());
    EXPECT_EQ(nro.toInt(), 0);

    // Stored out of order: the latest by date (then entry number) is the answer.
    Linea l;
    l.esAjuste = 1;
    l.mes = 6;
    l.numero = 4;
    l.fecha = QStringLiteral("2023-06-30");
    l.ajusteHasta = QStringLiteral("30/06/2023");
    linea(l);
    l.mes = 12;
    l.numero = 2;
    l.fecha = QStringLiteral("2023-12-31");
    l.ajusteHasta = QStringLiteral("31/12/2023");
    linea(l);
    l.mes = 3;
    l.numero = 9;
    l.fecha = QStringLiteral("2023-03-31");
    l.ajusteHasta = QStringLiteral("31/03/2023");
    linea(l);
    l.mes = 12;
    l.numero = 3;
    l.fecha = QStringLiteral("2023-12-31");
    l.ajusteHasta = QStringLiteral("31/12/2023");
    linea(l);
    // Another year's adjustment is later still.
    l.periodo = 2024;
    l.numero = 1;
    l.fecha = QStringLiteral("2024-06-30");
    l.ajusteHasta = QStringLiteral("30/06/2024");
    linea(l);

    a.UltimoAjuste(fecha, periodo, nro);
    EXPECT_EQ(fecha, QStringLiteral("31/12/2023"));
    EXPECT_EQ(periodo, QStringLiteral("31/12/2023"));
    EXPECT_EQ(nro.toInt(), 3);

    // The year the user chose, not the configured one.
    a.UltimoAjuste(fecha, periodo, nro, QVariant(QStringLiteral("2024")));
    EXPECT_EQ(fecha, QStringLiteral("30/06/2024"));
    EXPECT_EQ(periodo, QStringLiteral("30/06/2024"));
    EXPECT_EQ(nro.toInt(), 1);
    a.UltimoAjuste(fecha, periodo, nro, QVariant(2022));
    EXPECT_TRUE(fecha.isEmpty());
}

TEST_F(Ejercicios, FechaValidada) {
    clave(QStringLiteral("FECHAOPERDESDE"), QStringLiteral("01/01/2023"));
    clave(QStringLiteral("FECHAOPERHASTA"), QStringLiteral("31/12/2023"));
    Lbc_Asiento a;
    struct Caso {
        QString campo;
        bool error;
        QString mensaje;
    };
    const Caso casos[] = {
        {QStringLiteral("  "), true, QStringLiteral("Debe ingresar una fecha")},
        {QStringLiteral("31/02/2023"), true, QStringLiteral("La fecha ingresada no es correcta!!")},
        {QStringLiteral("01/01/2023"), false, QString()},
        {QStringLiteral("31/12/2023"), false, QString()},
        {QStringLiteral("31/12/2022"), true,
         QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!")},
        {QStringLiteral("01/01/2024"), true,
         QStringLiteral("La fecha ingresada No es una Fecha Operativa posible!")},
    };
    for (const Caso& c : casos) {
        QString mensaje;
        bool error = false;
        EXPECT_TRUE(vb::IsEmpty(a.FechaValidada(c.campo, mensaje, error)));
        EXPECT_EQ(error, c.error) << c.campo.toStdString();
        EXPECT_EQ(mensaje, c.mensaje) << c.campo.toStdString();
    }
    // Already in error: the range is not looked at, and nothing clears it.
    QString mensaje = QStringLiteral("antes");
    bool error = true;
    a.FechaValidada(QStringLiteral("01/01/2030"), mensaje, error);
    EXPECT_TRUE(error);
    EXPECT_EQ(mensaje, QStringLiteral("antes"));

    // A missing operative limit is a conversion error for the caller.
    db.exec(QStringLiteral("DELETE FROM TA_CONFIGURACION WHERE CLAVE = 'FECHAOPERHASTA'"));
    error = false;
    EXPECT_THROW(a.FechaValidada(QStringLiteral("01/05/2023"), mensaje, error), ado::Exception);
}

TEST_F(Ejercicios, UltimoDiaMes) {
    Lbc_Asiento a;
    EXPECT_EQ(a.UltimoDiaMes(QStringLiteral("02"), QStringLiteral("2024")), 29);
    EXPECT_EQ(a.UltimoDiaMes(QStringLiteral("02"), QStringLiteral("2023")), 28);
    EXPECT_EQ(a.UltimoDiaMes(QStringLiteral("04"), QStringLiteral("2023")), 30);
    EXPECT_EQ(a.UltimoDiaMes(QStringLiteral("12"), QStringLiteral("2023")), 31);
    EXPECT_EQ(a.UltimoDiaMes(QStringLiteral("13"), QStringLiteral("2023")), 0);
}

TEST_F(Ejercicios, EstadoConAnioIlegibleSigueConElAnterior) {
    ejercicio(2022, QStringLiteral("2022-01-01"), QStringLiteral("2022-12-31"), 1);
    ejercicio(2023, QStringLiteral("2023-01-01"), QStringLiteral("2023-12-31"), 1);
    Lbc_Asiento a;
    // Ignore: the year stays 2023 and the check goes on with it.
    responder->answerMsg(vb::vbIgnore);
    QString mensaje;
    EXPECT_FALSE(
        a.ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, QStringLiteral("dos mil")));
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral("ValidaEstadoPeriodoActual")));
    EXPECT_EQ(a.PeriodoActual(), 2023);
    EXPECT_EQ(mensaje, QStringLiteral("El Periodo tiene realizado el Cierre de libros contables "));
    // Any other answer leaves with False and the message untouched.
    responder->answerMsg(vb::vbAbort);
    mensaje = QStringLiteral("sin tocar");
    EXPECT_FALSE(
        a.ValidaEstadoPeriodoActual(mensaje, nullptr, nullptr, nullptr, QStringLiteral("99999")));
    EXPECT_EQ(mensaje, QStringLiteral("sin tocar"));
}
