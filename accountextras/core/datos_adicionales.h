#pragma once
// The additional data of an account (one MA_CUENTASADIC row) without its
// window: the row's save and delete, each one transaction, and the copies in
// the other databases of the company brought into line only after the
// commit.
//
// Values are stored as typed, trimmed: the three codes of the commercial
// tables are fitted to their four characters, a blank number or date is Null,
// and every other value is converted by its column's type (the regional
// decimal comma, day-first dates).

#include "accountextras/core/resultado.h"
#include "accounts/core/cuenta.h"
#include "platform/ado/ado.h"

#include <QDateTime>
#include <QString>
#include <vector>

namespace cuentasadic {

inline const QString TablaAdicionales = QStringLiteral("MA_CUENTASADIC");

// One field of the window, as typed.
struct CampoAdicional {
    QString Columna; // its data-field name
    QString Texto;
    // Hidden by the account's view: an optional code is then not stored.
    bool Oculto = false;
    // Its lookup table: names the field, with the column, when its value
    // does not fit the column.
    QString Tag;
};

// The row as the window holds it.
struct DatosAdicionales {
    QString Codigo;     // the account; the CODIGO column is always this code
    bool Nuevo = false; // insert; otherwise the stored row is updated
    std::vector<CampoAdicional> Campos;
    std::vector<cuentas::CampoPersonalizado> Personalizados; // the "P_" columns
    QDateTime Ahora;                                         // the time stamped on the row
};

// Inserts or updates the row in one transaction, the price class of a
// customer or supplier account included, then replicates it. A value its
// column does not take is refused with the conversion box's text naming the
// field (Tag/column; a custom column by its name). A statement the database
// refuses goes to the operator error box ("ActualizarDatos"): Retry runs it
// again, any other answer stores nothing.
Resultado GrabaDatosAdicionales(const DatosAdicionales& D);

// Deletes the account's row in one transaction and replicates the delete;
// without a row there is nothing to do and it is done.
Resultado BorraDatosAdicionales(const QString& Codigo);

// The table's first row: the layout the window starts from (read-only).
// Failures are the data object's: the recordset is then closed.
ado::RecordsetPtr PrimeraFila();
// The table's columns and no row: the custom-fields grid's names.
ado::RecordsetPtr Columnas();
// The sheet of all accounts' additional data.
QString SentenciaPlanilla();

} // namespace cuentasadic
