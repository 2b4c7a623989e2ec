#include "lookup/lib_clscons3.h"

#include "startup/cnstuffcontable.h"

#include <memory>

namespace {

std::unique_ptr<Lib_ClsCons3>& instancia() {
    static std::unique_ptr<Lib_ClsCons3> objeto;
    return objeto;
}

} // namespace

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
