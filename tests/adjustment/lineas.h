#pragma once
// Adjustment lines in tests: their sides written as regional amount texts.

#include "adjustment/core/generacion.h"

#include <QString>
#include <gtest/gtest.h>
#include <optional>
#include <ostream>

namespace vb {
inline void PrintTo(const Currency& c, std::ostream* os) {
    *os << c.toString().toStdString();
}
} // namespace vb

// A side of a line from its regional text ("90,7402"); a blank text is a side
// without an amount.
inline std::optional<vb::Currency> importe(const char* texto) {
    const QString t = QString::fromUtf8(texto).trimmed();
    if (t.isEmpty())
        return std::nullopt;
    const std::optional<vb::Currency> c = vb::Currency::parse(t);
    if (!c)
        ADD_FAILURE() << "no amount: " << texto;
    return c;
}

// A side as text: its shortest regional form, empty without an amount.
inline QString texto(const std::optional<vb::Currency>& lado) {
    return lado ? lado->toString() : QString();
}

// A line of an account with its sides as regional texts.
inline TipoLineaAjuste lineaDe(const char* cuenta, const char* debe, const char* haber) {
    TipoLineaAjuste l;
    l.setCuenta(QLatin1String(cuenta));
    l.Debe = importe(debe);
    l.Haber = importe(haber);
    return l;
}
