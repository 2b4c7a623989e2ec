#pragma once
// The level structure of account codes as the configuration states it at the
// moment: each level's digit count and where it ends in the code.

#include <QString>
#include <array>

namespace cuentas {

// A code never holds more characters than MA_CUENTAS.CODIGO takes.
inline constexpr int LargoMaximoCodigo = 15;

struct NivelesPlan {
    std::array<int, 6> Digitos{};
    std::array<int, 6> Fines{}; // cumulative: level n ends at Fines[n - 1]

    // Reads the DIGITOS_* keys through the shared loaders, so the run-wide
    // gDigitosNivel / gFinNivel values are refreshed as well.
    static NivelesPlan Lee();

    // A code of this length ends a level that has digits and fits the
    // column: the only lengths a code may have.
    bool EsFinDeNivel(int Largo) const;
    // Digit count of the first level with digits below a code of this
    // length; 0 when the length ends no level or no level follows it.
    int AnchoNivelSiguiente(int Largo) const;
    // The level (1 to 6) a code of this length ends; 0 when it ends none.
    int Nivel(int Largo) const;
    // A help for the next account typed after a save: the code of the level
    // above the saved one (the end of level 4 for a code that ends level 5,
    // of 5 at 6, of 3 at 4, of 2 at 3); empty for the first two levels and
    // for a length that ends no level.
    QString PrefijoPadre(const QString& Codigo) const;
};

} // namespace cuentas
