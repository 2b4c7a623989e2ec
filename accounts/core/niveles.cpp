#include "accounts/core/niveles.h"

#include "startup/core/cnstuffcontable.h"
#include "startup/core/mod_macuentas.h"

namespace cuentas {

NivelesPlan NivelesPlan::Lee() {
    using namespace CNStuffContable;
    Mod_Macuentas::CargaDigitosPlan();
    Mod_Macuentas::CargaNivelesPlan();
    NivelesPlan n;
    n.Digitos = {gDigitosNivel1, gDigitosNivel2, gDigitosNivel3,
                 gDigitosNivel4, gDigitosNivel5, gDigitosNivel6};
    n.Fines = {gFinNivel1, gFinNivel2, gFinNivel3, gFinNivel4, gFinNivel5, gFinNivel6};
    return n;
}

namespace {

// Index of the level with digits that ends at Largo; -1 when none does.
int NivelQueTermina(const NivelesPlan& n, int Largo) {
    if (Largo <= 0 || Largo > LargoMaximoCodigo)
        return -1;
    for (int i = 0; i < 6; ++i)
        if (n.Digitos[size_t(i)] > 0 && n.Fines[size_t(i)] == Largo)
            return i;
    return -1;
}

} // namespace

bool NivelesPlan::EsFinDeNivel(int Largo) const {
    return NivelQueTermina(*this, Largo) >= 0;
}

int NivelesPlan::AnchoNivelSiguiente(int Largo) const {
    const int nivel = NivelQueTermina(*this, Largo);
    if (nivel < 0)
        return 0;
    for (int i = nivel + 1; i < 6; ++i) {
        const int ancho = Digitos[size_t(i)];
        if (ancho > 0)
            return Largo + ancho <= LargoMaximoCodigo ? ancho : 0;
    }
    return 0;
}

int NivelesPlan::Nivel(int Largo) const {
    return NivelQueTermina(*this, Largo) + 1;
}

QString NivelesPlan::PrefijoPadre(const QString& Codigo) const {
    const int largo = int(Codigo.size());
    // Pairs of (level the code ends, level whose end is kept), in the order
    // they are tried; a level without digits ends where the one above does,
    // and a prefix as long as the code helps nobody.
    constexpr std::array<std::pair<int, int>, 4> kPadres{{{5, 4}, {6, 5}, {4, 3}, {3, 2}}};
    for (const auto& [nivel, padre] : kPadres) {
        const int fin = Fines[size_t(padre - 1)];
        if (largo == Fines[size_t(nivel - 1)] && fin > 0 && fin < largo)
            return Codigo.left(fin);
    }
    return QString();
}

} // namespace cuentas
