#pragma once
// The lookup object: one per process, created on first use and kept for the
// run. Every lookup of the program goes through it.

#include <QString>

class Lib_ClsCons3 {
public:
    // Connection string of the lookups' own queries; when empty at the time
    // of a lookup, the data object's is used.
    QString gConnString;
    // Bare table names take their columns, filter and order from the
    // query-mask file while this is on.
    bool gUsarMascarasConsultas = false;
    // Full path of the query-mask file ("consultas.zub").
    QString gRutaMascaraConsultas;
};

// The process-wide lookup object.
Lib_ClsCons3& gConsulta();
// Drops it; the next use creates a new one. For tests.
void resetConsulta();

// Lets the start-up set the three values of gConsulta(). Call once before
// CNStuffContable::IniciaSistema.
void ConectaConsultasConInicio();
