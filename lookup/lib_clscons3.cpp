#include "lookup/lib_clscons3.h"

#include "startup/core/cnstuffcontable.h"

#include <memory>

namespace {

// A stock colour as configured; a key stored empty is colour 0.
QVariant ColorStock(const QString& clave) {
    const QString valor = CNStuffContable::Cfg(clave);
    return valor.isEmpty() ? QVariant(0) : QVariant(valor);
}

std::unique_ptr<Lib_ClsCons3>& instancia() {
    static std::unique_ptr<Lib_ClsCons3> objeto;
    return objeto;
}

} // namespace

Lib_ClsCons3::Lib_ClsCons3() {
    using CNStuffContable::Cfg;
    MuestraStock = Cfg(QStringLiteral("MostrarStockenConsultas"));
    StkNivel1 = ColorStock(QStringLiteral("Stk_Nivel1"));
    StkNivel2 = ColorStock(QStringLiteral("Stk_Nivel2"));
    StkNivel3 = ColorStock(QStringLiteral("Stk_Nivel3"));
    StkNivel4 = ColorStock(QStringLiteral("Stk_Nivel4"));
    usaConsultaLike_ =
        Cfg(QStringLiteral("UsaConsultaLike")).compare(u"SI", Qt::CaseInsensitive) == 0;
}

Lib_ClsCons3& gConsulta() {
    if (!instancia())
        instancia() = std::make_unique<Lib_ClsCons3>();
    return *instancia();
}

void resetConsulta() {
    instancia().reset();
}

void ConectaConsultasConInicio() {
    CNStuffContable::setPreparaConsultas(
        [](const QString& connString, bool usarMascaras, const QString& rutaMascara) {
            Lib_ClsCons3& consulta = gConsulta();
            consulta.gConnString = connString;
            consulta.gUsarMascarasConsultas = usarMascaras;
            consulta.gRutaMascaraConsultas = rutaMascara;
        });
}
