#pragma once
// Storing the adjustment entry without the window: the header values as the
// fields hold them and the lines go in; one INSERT per line of MV_ASIENTOS and
// the voucher book's advance come out, all in one transaction.

#include "adjustment/core/generacion.h"

#include <QString>
#include <cstdint>

class Lbc_AsientoRef;

// The header values the save reads once, as typed (they are trimmed here).
struct CabeceraAjuste {
    QString FECHA; // "dd/mm/yyyy"
    QString TC;
    QString SUCURSAL;
    QString NUMERO;
    QString LETRA; // blank: the book's X
    QString CABIMPORTE;
    QString DETALLE;
    QString PERIODO_DESDE; // "MM/AAAA": the first month the entry adjusts
    QString PERIODO_HASTA; // "MM/AAAA": the entry adjusts up to its last day
    QString Ejercicio;     // the fiscal year in use
    // How a FECHA that is no date is named to the user: its field's tag and column.
    QString TagFecha;
    QString CampoFecha;
};

class GrabacionAjuste {
public:
    // Stores the lines that take part as one entry in one transaction and
    // advances the voucher book in it. A range whose first month an
    // adjustment of the year already covers is refused, read in the same
    // transaction. The user is told why nothing was stored, or the voucher
    // number stored when another save took the typed one. True when the
    // entry was stored.
    static bool Graba(const CabeceraAjuste& Cabecera, const LineasAjuste& Lineas,
                      Lbc_AsientoRef& Reglas);
    // What the user is told of the year's last adjustment, dated Fecha.
    static QString AvisoUltimoAjuste(const QString& Fecha);
    // The stored adjustment lines as the PLANILLA sheet lists them.
    static const QString& SentenciaPlanilla();
    // Fiscal year containing a "dd/mm/yyyy" date; 0 when none does.
    static void ObtienePeriodo(const QString& Fecha, std::int16_t& Periodo);
};
