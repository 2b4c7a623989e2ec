#include "data/runwide.h"

namespace CNStuffContable {

QString gUsuarioLogeado;
QString gPasswordUsuario;
bool gConfidencialidad = false;

} // namespace CNStuffContable
