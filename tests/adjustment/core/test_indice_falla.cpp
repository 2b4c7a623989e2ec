#include "ajuste_fixture.h"

// The coefficient lookup fails and the operator answers Ignore: the month has
// no coefficient, never the series number read by the step before.
TEST_F(AjusteTest, IndiceQueFallaIgnoradoNoDaLaSerie) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 3);
    indice(2023, 1, 1.5);
    gDatos().cnn()->setFaultInjector([](const QString& s) -> std::optional<ado::Error> {
        if (s.contains(QStringLiteral("FROM MA_INDAJUSTE")))
            return ado::Error{-2147217900, QStringLiteral("Sintaxis incorrecta"), {}, 102, {}};
        return std::nullopt;
    });
    for (int i = 0; i < 8; ++i)
        responder->answerMsg(vb::vbIgnore);
    const double d = GeneracionAjuste::PorcentajeIndice(
        QStringLiteral("1101"), QStringLiteral("2023"), QStringLiteral("1"));
    gDatos().cnn()->setFaultInjector({});
    EXPECT_EQ(d, 0.0) << responder->messages().join(u'|').toStdString();
}

// The link is lost during the run and the operator chooses to close the
// application: the program ends; the run does not report it as its own
// failure and go on.
TEST_F(AjusteTest, FinDelProgramaDuranteLaGeneracion) {
    cuenta(QStringLiteral("1101"), QStringLiteral("Caja"), 1);
    indices(2023, 1, 12, 1.5);
    mov({QStringLiteral("1101"), QStringLiteral("2023-01-10"), QStringLiteral("D"), 100});
    const QString cadena = gDatos().cnn()->ConnectionString;
    for (bool indiceSolo : {false, true}) {
        SCOPED_TRACE(indiceSolo);
        responder->shown.clear();
        gDatos().cnn()->setFaultInjector([&](const QString& s) -> std::optional<ado::Error> {
            if (s == cadena || s.contains(indiceSolo ? QStringLiteral("FROM MA_INDAJUSTE")
                                                     : QStringLiteral("FROM MA_CUENTAS")))
                return ado::lostLinkError();
            return std::nullopt;
        });
        responder->answerMsg(vb::vbNo);
        if (indiceSolo)
            EXPECT_THROW(GeneracionAjuste::PorcentajeIndice(
                             QStringLiteral("1101"), QStringLiteral("2023"), QStringLiteral("1")),
                         vb::ProgramEnded);
        else
            EXPECT_THROW(genera(QStringLiteral("01/2023"), QStringLiteral("01/2023")),
                         vb::ProgramEnded);
        gDatos().cnn()->setFaultInjector({});
        EXPECT_EQ(responder->shown.size(), 1u) << responder->messages().join(u'|').toStdString();
    }
    EXPECT_FALSE(banner->abierto);
}
