#pragma once
// The run's data objects, each created on first use and kept for the run.

#include "data/db_dll.h"

// The shared instance on the company database.
DB_Dll& gDatos();
// The list lookup's instance.
DB_Dll& gDatosAux();
// Point-of-sale connections (reach test).
DB_Dll& gDatosRemoto();

// Drops the three instances and the replication's target object
// (ModGruposEmp::gDatosDestino); the next use creates new ones. For tests.
void resetInstances();
