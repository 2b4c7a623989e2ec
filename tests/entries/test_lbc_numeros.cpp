// Entry numbers and their text forms.

#include "entries_fixture.h"

#include "entries/lbc_interno.h"

using Numeros = EntriesTest;

TEST_F(Numeros, SiguienteNumeroPorMesSerieYEjercicio) {
    Lbc_Asiento a;
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5)), 1);

    Linea l;
    l.numero = 7; // general
    linea(l);
    l.numero = 9; // summary: same series as the general entries
    l.tipoReg = Lbc_Asiento::TipoRegResumen();
    l.esResumen = 1;
    linea(l);
    l.esResumen = 0;
    l.numero = 40; // a subledger's own series
    l.tipoReg = QStringLiteral("VTAS");
    linea(l);
    l.tipoReg.clear();
    l.numero = 30; // another month
    l.mes = 6;
    linea(l);
    l.mes = 5; // another year
    l.periodo = 2024;
    l.numero = 50;
    linea(l);

    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5)), 10);
    EXPECT_EQ(a.UltimoNumeroAsiento(QStringLiteral("05")), 10);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(6)), 31);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(7)), 1);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5), QStringLiteral(" VTAS ")), 41);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5), QStringLiteral("COMP")), 1);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5), QString(), QVariant(QStringLiteral("2024"))), 51);
    EXPECT_EQ(a.UltimoNumeroAsiento(QVariant(5), QString(), QVariant(2022)), 1);
    EXPECT_TRUE(responder->shown.empty());
}

TEST_F(Numeros, SiguienteNumeroConErrorDevuelveCero) {
    Lbc_Asiento a;
    // A month that is no number never reaches the statement; leaving the
    // error box gives 0, under the routine's name.
    responder->answerMsg(vb::vbAbort);
    EXPECT_EQ(a.UltimoNumeroAsiento(QStringLiteral("5 OR 1=1")), 0);
    ASSERT_EQ(responder->shown.size(), 1u);
    EXPECT_TRUE(responder->shown[0].title.contains(QStringLiteral("UltimoNumeroAsiento")));
    EXPECT_TRUE(responder->shown[0].prompt.startsWith(
        QStringLiteral("Ha ocurrido el Siguiente Error (13) ")));
}

TEST_F(Numeros, FormasDeTexto) {
    Lbc_Asiento a;
    const QDateTime mayo = vb::MakeDate(2023, 5, 10);
    const QDateTime diciembre = vb::MakeDate(2023, 12, 10);
    EXPECT_EQ(a.FormatDisplayNroAsiento(QVariant(123), mayo), QStringLiteral("05-0000123"));
    EXPECT_EQ(a.FormatDisplayNroAsiento(QVariant(12345678), diciembre),
              QStringLiteral("12-12345678"));
    EXPECT_THROW(a.FormatDisplayNroAsiento(QVariant(QStringLiteral("abc")), mayo), ado::Exception);

    EXPECT_EQ(a.FormatNroAsiento(QStringLiteral("05-0000123")), QStringLiteral("123"));
    EXPECT_EQ(a.FormatNroAsiento(QStringLiteral("123")), QStringLiteral("123"));
    EXPECT_EQ(a.FormatNroAsiento(QStringLiteral("05-")), QStringLiteral("0"));
    for (int n : {1, 45, 9999999}) {
        for (int m : {1, 7, 12}) {
            const QString display = a.FormatDisplayNroAsiento(n, vb::MakeDate(2023, m, 1));
            EXPECT_EQ(a.FormatNroAsiento(display), QString::number(n));
        }
    }

    EXPECT_EQ(a.FMTNroAsiento(QStringLiteral("05123")), QStringLiteral("05-0000123"));
    EXPECT_EQ(a.FMTNroAsiento(QStringLiteral("05-123")), QStringLiteral("05-0000123"));
    EXPECT_EQ(a.FMTNroAsiento(QStringLiteral("5-123")), QStringLiteral("51-0000023"));
    EXPECT_EQ(a.FMTNroAsiento(QStringLiteral("12")), QStringLiteral("12"));
    EXPECT_EQ(a.FMTNroAsiento(QStringLiteral("1-2")), QStringLiteral("1-2"));

    EXPECT_EQ(a.EliminaCarNroAsiento(QStringLiteral("05-0000123")).toString(),
              QStringLiteral("5123"));
    EXPECT_EQ(a.EliminaCarNroAsiento(QStringLiteral("12-0000045")).toString(),
              QStringLiteral("1245"));
    EXPECT_EQ(a.EliminaCarNroAsiento(QStringLiteral("01-0000245")).toString(),
              QStringLiteral("1245"));
    EXPECT_EQ(
        a.EliminaCarNroAsiento(QStringLiteral("05/0000123"), std::nullopt, QStringLiteral("/"))
            .toString(),
        QStringLiteral("5123"));
    EXPECT_EQ(a.EliminaCarNroAsiento(QStringLiteral("0500123")).toString(),
              QStringLiteral("0500123"));
    EXPECT_EQ(a.EliminaCarNroAsiento(QString()).toString(), QString());
    const QVariant numero = a.EliminaCarNroAsiento(QStringLiteral("05-0000123"), 3);
    EXPECT_EQ(numero.typeId(), QMetaType::Int);
    EXPECT_EQ(numero.toInt(), 5123);
    EXPECT_EQ(a.EliminaCarNroAsiento(QStringLiteral("05-0000123"), 8).typeId(), QMetaType::QString);
    EXPECT_THROW(a.EliminaCarNroAsiento(QString(), 3), ado::Exception);
    EXPECT_THROW(a.EliminaCarNroAsiento(QStringLiteral("99-99999999999"), 2), ado::Exception);
}

TEST_F(Numeros, ClasesDeLinea) {
    using C = Lbc_Asiento::ClaseLinea;
    const QString rs = Lbc_Asiento::TipoRegResumen();
    EXPECT_EQ(rs.size(), 3);
    EXPECT_EQ(rs.at(0).unicode(), 255);
    EXPECT_EQ(Lbc_Asiento::ClaseDeLinea(QString(), false, false, false), C::General);
    EXPECT_EQ(Lbc_Asiento::ClaseDeLinea(QString(), false, true, false), C::Ajuste);
    EXPECT_EQ(Lbc_Asiento::ClaseDeLinea(QString(), false, false, true), C::SaldoApertura);
    EXPECT_EQ(Lbc_Asiento::ClaseDeLinea(QStringLiteral("VTAS"), false, false, false), C::Subdiario);
    EXPECT_EQ(Lbc_Asiento::ClaseDeLinea(rs, true, false, false), C::Resumen);
    EXPECT_TRUE(Lbc_Asiento::SerieGeneral(QString()));
    EXPECT_TRUE(Lbc_Asiento::SerieGeneral(rs));
    EXPECT_FALSE(Lbc_Asiento::SerieGeneral(QStringLiteral("VTAS")));
}
