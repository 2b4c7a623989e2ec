#pragma once
// Reading accounts for the accounts window and the chart manual: an account
// found by its code, its row turned into the values the window shows, the
// short facts the field checks need, and the window's other reads.

#include "accounts/core/cuenta.h"

#include "platform/ado/ado.h"

#include <QString>
#include <optional>

class ClsReglasPlan;

namespace cuentas {

// Looks the account up by its code (without "-"; letter case and trailing
// blanks ignored, as the database compares) and leaves its row in Rs, read
// only. False when MA_CUENTAS has no such row.
bool BuscaCuenta(const QString& Codigo, ado::RecordsetPtr& Rs);

// The row on which Rs stands is a dropped account.
bool DadaDeBaja(const ado::RecordsetPtr& Rs);

// A stored account as the window shows it.
struct CuentaCargada {
    // The row's values: the code with "-" between levels, the other texts as
    // stored; the lists' positions (-1 where the stored value has none).
    Cuenta C;
    bool DadaDeBaja = false;
    QString DigitoVerificador; // dv as text; empty for a title
    bool LibroCompras = false;
    bool LibroDulvar = false;
    bool MonedaGuardada = false;  // Moneda holds something
    QString DescripcionPrincipal; // the main account's name; empty for none
};
// The values of the row on which Rs stands. Raises 3021 when it stands on
// none.
CuentaCargada LeeCuenta(const ado::RecordsetPtr& Rs);
// The text of a text field's column ("Codigo", "DESCRIPCION", ...: letter
// case ignored) in the values; empty for another column.
QString TextoDeColumna(const Cuenta& C, const QString& Columna);

// What the field checks need of another account.
struct ResumenCuenta {
    bool Existe = false;
    bool DadaDeBaja = false;
    bool Titulo = false;
    QString Descripcion;
};
ResumenCuenta ResumeCuenta(const QString& Codigo);

// The window's recordset over the table (a postable row, updatable).
void AbreRecordsetCuentas(const QString& Tabla, ado::RecordsetPtr& Rs);
// The code of the first cost centre of TA_CCOSTO; nothing when it has none.
std::optional<QString> CCostoPorDefecto();
// The query of the chart's read-only sheet (PLANILLA).
QString SentenciaPlanilla(const QString& Tabla);
// The manual's account, updatable (its texts are written through it).
void AbreCuentaManual(const QString& Tabla, const QString& Codigo, ado::RecordsetPtr& Rs);

// The account feeds a subledger of MA_SUBDIARIOS: the subledger's own
// account, one below its title or one within its range of codes. Failures
// go to the operator error box ("ValidaCuentaSubd"); leaving it answers
// false.
bool AlimentaSubdiario(const QString& QueCuenta, ClsReglasPlan& Reglas);

} // namespace cuentas
