#include "data/instances.h"

#include "data/mod_gruposemp.h"

#include <memory>

namespace {

struct Instances {
    std::unique_ptr<DB_Dll> datos;
    std::unique_ptr<DB_Dll> aux;
    std::unique_ptr<DB_Dll> remoto;
    std::unique_ptr<DB_Dll> destino;
};

Instances& instances() {
    static Instances i;
    return i;
}

DB_Dll& get(std::unique_ptr<DB_Dll>& slot) {
    if (!slot)
        slot = std::make_unique<DB_Dll>();
    return *slot;
}

} // namespace

DB_Dll& gDatos() {
    return get(instances().datos);
}

DB_Dll& gDatosAux() {
    return get(instances().aux);
}

DB_Dll& gDatosRemoto() {
    return get(instances().remoto);
}

DB_Dll& ModGruposEmp::gDatosDestino() {
    return get(instances().destino);
}

void resetInstances() {
    instances().datos.reset();
    instances().aux.reset();
    instances().remoto.reset();
    instances().destino.reset();
}
