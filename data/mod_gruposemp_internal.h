#pragma once
// Shared by the replication's source files; not for other folders.

#include "data/mod_gruposemp.h"

namespace ModGruposEmp {

// The installed services, or stand-ins that reach nothing.
Servicios& servicios();
bool hayServicios();

// The table name without the "@ADMIN_" marker (any case).
QString SinMarcaAdmin(const QString& Tabla);

} // namespace ModGruposEmp
