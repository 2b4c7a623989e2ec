#pragma once
// The code ranges of the accounts that take additional data
// (TA_RANGOS_DATOS_ADIC) and the views they name (TA_VISTAS): the view type
// an account is saved with, and the condition that selects every account of
// some range. Both tables belong to the installation and are only read.
//
// A range holds a code when its trimmed bounds enclose the trimmed code,
// compared as texts without regard to case (so 15 lies between 1 and 2); a
// bound that is Null holds nothing. Where ranges overlap, the one with the
// lowest first code wins, for the view type and for the window's fields
// alike.

#include <QString>
#include <optional>

namespace cuentasadic {

// One row of TA_RANGOS_DATOS_ADIC, texts trimmed.
struct RangoDatosAdicionales {
    QString Desde;
    QString Hasta;
    QString Descripcion;
    QString Vista; // TA_VISTAS.NOMBRE; empty: the range has no view
    bool PideVencimiento = false;
};

// The range that holds the code; none when no range does. Read failures
// reach the caller.
std::optional<RangoDatosAdicionales> RangoDeCuenta(const QString& Codigo);

// The view type, range, view name and due-date flag of an account code, as
// the accounts window's save asks for them. Each output is written only when
// given (non-null):
// - with no range at all in the table, Rango, Vista and PideVencimiento are
//   left untouched; otherwise they get the holding range's (empty and false
//   when none holds the code);
// - TipoVista gets the type of the range's view ("NN" for a range without a
//   view; the view named blank for a code outside every range); a view
//   without rows leaves it as passed;
// - when TipoVista is still blank, the configured title prefixes decide:
//   "TituloClientes" CL, "TituloProveedores" PR, "TituloBancos" and
//   "TituloBancosDiferido" BC, "TITULOPERSONAL" PE, then the accounts
//   window's TituloBonos CB and TituloMutuales (its values of the keys
//   "TituloClientesBonos" and "TituloClientesMutuales") CM.
// Failures show the operator error box ("ObtieneVistaRango"): Retry repeats
// the step, Ignore goes on, any other answer leaves the outputs set so far.
void ObtieneVistaRangoVto(const QString& QueCuenta, QString* Rango, QString* Vista,
                          QString* TipoVista, bool* PideVencimiento, const QString& TituloBonos,
                          const QString& TituloMutuales);

// The SQL condition on CODIGO that selects every code lying in some range,
// the ranges taken by description and joined by " OR "; empty when there is
// none. Failures show the operator error box ("Form_Unload").
QString Rangos_Adicionales();

} // namespace cuentasadic
