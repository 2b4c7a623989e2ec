// The grouped reading must give exactly the lines of the account-by-account
// reading, which stays here as the reference.

#include "ajuste_fixture.h"

#include <random>

using Lectura = GeneracionAjuste::Lectura;

namespace {

std::vector<std::string> Texto(const GeneracionAjuste::Resultado& r) {
    std::vector<std::string> t;
    for (const TipoLineaAjuste& l : r.Lineas)
        t.push_back((l.Cuenta.trimmed() + u'|' + l.Descripcion.trimmed() + u'|' + texto(l.Debe) +
                     u'|' + texto(l.Haber))
                        .toStdString());
    return t;
}

} // namespace

TEST_F(AjusteTest, LecturaAgrupadaIgualALaDeCadaCuenta) {
    std::mt19937 azar(20240315);
    auto entre = [&](int a, int b) { return std::uniform_int_distribution<int>(a, b)(azar); };

    // 30 adjustable accounts in the four series, 10 that are not, one fixed
    // asset whose accumulated depreciation is adjustable.
    QStringList codigos;
    for (int i = 0; i < 40; ++i) {
        const QString c = QString::number(1100 + i);
        cuenta(c, QStringLiteral("Cuenta %1").arg(i), i < 30 ? 1 + i % 4 : 0);
        codigos << c;
    }
    cuenta(QStringLiteral("1900"), QStringLiteral("Rodados"), 1, QStringLiteral("1105"), 1);
    db.exec(QStringLiteral("INSERT INTO MA_INDAJUSTE VALUES (2022, 12, 1.31, 1.42, 1.53, 1.64)"));
    for (int m = 1; m <= 12; ++m)
        db.exec(QStringLiteral("INSERT INTO MA_INDAJUSTE VALUES (2023, %1, %2, %3, %4, %5)")
                    .arg(m)
                    .arg(1 + 0.0731 * (13 - m), 0, 'f', 6)
                    .arg(1 + 0.0452 * (13 - m), 0, 'f', 6)
                    .arg(1 + 0.0213 * (13 - m), 0, 'f', 6)
                    .arg(1 + 0.0111 * (13 - m), 0, 'f', 6));

    // Opening rows: several for some accounts, the later one stored first,
    // pro-forma ones among them. All rows go in one transaction.
    QString lote = QStringLiteral("BEGIN;");
    for (int i = 0; i < 40; i += 3) {
        lote += movSql({codigos[i], QStringLiteral("2023-01-02"), i % 2 ? "H" : "D", 1000.0 + i,
                        i % 9 == 0 ? "FP" : "00AS", 1});
        if (i % 6 == 0)
            lote += movSql({codigos[i], QStringLiteral("2023-01-01"), "D", 77.77, "00AS", 1});
    }
    const QStringList tcs = {"00AS", "00AS", "00AS", "FP", "CBFP", "FA"};
    for (int n = 0; n < 1500; ++n) {
        Mov m;
        m.cuenta = codigos[entre(0, 39)];
        const int mes = entre(1, 12);
        const int dia = entre(1, GeneracionAjuste::UltimoDiaMes(QString::number(mes), "2023"));
        m.fecha =
            QStringLiteral("2023-%1-%2").arg(mes, 2, 10, QChar(u'0')).arg(dia, 2, 10, QChar(u'0'));
        if (entre(0, 20) == 0)
            m.fecha += QStringLiteral(" 15:30:00"); // after midnight: still in the day's month
        m.dh = entre(0, 10) == 0 ? "d" : (entre(0, 1) ? "D" : "H");
        m.importe = entre(1, 5000000) / 100.0;
        m.tc = tcs[entre(0, int(tcs.size()) - 1)];
        m.resumen = entre(0, 30) == 0;
        m.ajuste = entre(0, 30) == 0;
        lote += movSql(m);
    }
    // One account written with other letter case and trailing blanks, a
    // code with a non-ASCII letter too: the same account for the database.
    cuenta(QStringLiteral("AB10"), QStringLiteral("Letras"), 1);
    cuenta(QStringLiteral("ÑA20"), QStringLiteral("Eñe"), 2);
    const QStringList variantes = {"AB10", "ab10", "Ab10  ", "ÑA20", "ña20", "Ña20 "};
    for (int n = 0; n < 300; ++n) {
        Mov m;
        m.cuenta = variantes[entre(0, int(variantes.size()) - 1)];
        const int mes = entre(1, 12);
        m.fecha = QStringLiteral("2023-%1-%2")
                      .arg(mes, 2, 10, QChar(u'0'))
                      .arg(entre(25, GeneracionAjuste::UltimoDiaMes(QString::number(mes), "2023")),
                           2, 10, QChar(u'0'));
        if (entre(0, 4) == 0)
            m.fecha += QStringLiteral(" 08:15:00");
        m.dh = entre(0, 1) ? "D" : "h";
        m.importe = entre(1, 900000) / 100.0;
        m.tc = tcs[entre(0, int(tcs.size()) - 1)];
        lote += movSql(m);
    }
    // Dates stored without their time: the month's last day is in the month,
    // the next month's first day is not (it comes before its midnight).
    lote += QStringLiteral(
        "INSERT INTO MV_ASIENTOS (PERIODO, FECHA, TC, CUENTA, IMPORTE, \"DEBE-HABER\") VALUES "
        "(2023, '2023-04-30', '00AS', 'ab10', 123.45, 'D'), "
        "(2023, '2023-05-01', '00AS', 'AB10', 77.7, 'D');");
    // An account whose only row of the year falls on a month's last day after
    // its midnight: the month counts it.
    cuenta(QStringLiteral("1150"), QStringLiteral("Tarde"), 3);
    lote += movSql({QStringLiteral("1150"), QStringLiteral("2023-06-30 10:00:00"), "D", 50});
    // Accounts whose only rows of the year stay out of the sums (a summary
    // row, an adjustment row, a flag that is not known): they have
    // movements all the same, so each gets its (zero) line.
    cuenta(QStringLiteral("1160"), QStringLiteral("Solo resumen"), 1);
    cuenta(QStringLiteral("1161"), QStringLiteral("Solo ajuste"), 2);
    cuenta(QStringLiteral("1162"), QStringLiteral("Marca desconocida"), 3);
    lote += movSql({QStringLiteral("1160"), QStringLiteral("2023-05-10"), "D", 80, "00AS", 0, 1});
    lote +=
        movSql({QStringLiteral("1161"), QStringLiteral("2023-07-10"), "H", 90, "00AS", 0, 0, 1});
    lote += QStringLiteral(
        "INSERT INTO MV_ASIENTOS (PERIODO, FECHA, TC, CUENTA, IMPORTE, \"DEBE-HABER\", "
        "ESRESUMEN, ESAJUSTE, ES_SALDO_APERTURA) VALUES (2023, '2023-08-10 00:00:00', '00AS', "
        "'1162', 70, 'D', NULL, 0, 0);");
    db.exec(lote + QStringLiteral("COMMIT;"));
    // Rows of other years and an account with rows outside the range only.
    mov({codigos[1], QStringLiteral("2022-12-31"), "D", 999, "00AS", 0, 0, 0, 2022});
    mov({QStringLiteral("1129"), QStringLiteral("2023-11-30"), "D", 10});

    struct Caso {
        const char* desde;
        const char* hasta;
        bool proforma;
    };
    for (const Caso c : {Caso{"01/2023", "12/2023", false}, Caso{"01/2023", "12/2023", true},
                         Caso{"03/2023", "08/2023", false}}) {
        const auto ref = genera(c.desde, c.hasta, c.proforma, Lectura::PorCuenta);
        const auto agr = genera(c.desde, c.hasta, c.proforma, Lectura::Agrupada);
        EXPECT_EQ(ref.fin, GeneracionAjuste::Fin::Completa);
        EXPECT_GT(ref.Lineas.size(), 20u);
        EXPECT_EQ(Texto(agr), Texto(ref)) << c.desde << "-" << c.hasta << " " << c.proforma;
        // 50 restated by June's coefficient of series 3 (1.1491): 7,455.
        const TipoLineaAjuste* tarde = linea(agr.Lineas, QStringLiteral("1150"));
        ASSERT_NE(tarde, nullptr);
        EXPECT_EQ(tarde->Debe, importe("7,46"));
        for (const char* solo : {"1160", "1161", "1162"})
            EXPECT_NE(linea(ref.Lineas, QString::fromLatin1(solo)), nullptr) << solo;
    }
    EXPECT_TRUE(responder->shown.empty()) << responder->messages().join(u'|').toStdString();
}
