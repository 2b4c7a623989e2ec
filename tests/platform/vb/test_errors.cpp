#include "platform/vb/errors.h"
#include "platform/vb/vb.h"

#include <gtest/gtest.h>

namespace {

// Every error the program raises itself carries the runtime's own Spanish
// text, and the program as its source, whoever raises it.
TEST(VbErrors, RaiseGivesTheRuntimesNumberTextAndSource) {
    const struct {
        long number;
        const char* text;
    } cases[] = {
        {vb::errInvalidCall, "Llamada a procedimiento o argumento no válidos"},
        {vb::errOverflow, "Desbordamiento"},
        {vb::errSubscriptOutOfRange, "El subíndice está fuera del intervalo"},
        {vb::errDivisionByZero, "División por cero"},
        {vb::errTypeMismatch, "No coinciden los tipos"},
        {vb::errFileNotFound, "No se encontró el archivo"},
        {vb::errObjectNotSet, "Variable de objeto o bloque With no establecido"},
        {vb::errInvalidUseOfNull, "Uso no válido de Null"},
        {vb::errNotSupported, "El objeto no admite esta propiedad o método"},
        {1001, "Error definido por la aplicación o el objeto"},
    };
    vb::setAppExeName(QStringLiteral("Quarzelo"));
    for (const auto& c : cases) {
        try {
            vb::Raise(c.number);
            ADD_FAILURE() << "no error raised for " << c.number;
        } catch (const vb::TrappableError& e) {
            EXPECT_EQ(e.number(), c.number);
            EXPECT_EQ(e.error().Description, QString::fromUtf8(c.text)) << c.number;
            EXPECT_EQ(e.error().Source, QStringLiteral("Quarzelo"));
            EXPECT_STREQ(e.what(), c.text);
        }
    }
    vb::setAppExeName(QString());
}

// The money type's overflow is no trappable error of its own: the step
// runner turns it into error 6 with the same text.
TEST(VbErrors, MoneyOverflowSpeaksWithTheTablesText) {
    try {
        vb::Currency::fromDouble(1e16);
        ADD_FAILURE() << "no overflow";
    } catch (const std::overflow_error& e) {
        EXPECT_EQ(QString::fromUtf8(e.what()), vb::ErrorText(vb::errOverflow));
    }
}

} // namespace
