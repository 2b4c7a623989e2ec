#pragma once
// The additional data of an account (one MA_CUENTASADIC row) without its
// window: the row's save and delete, each one transaction, and the copies in
// the other databases of the company brought into line only after the
// commit.
//
// Values are stored as typed, trimmed: the three codes of the commercial
// tables are fitted to their four characters, a blank number or date is Null,
// and every other value is converted by its column's type (the regional
// decimal comma, day-first dates). A field the account's view hides is not
// written: an update keeps what is stored there.
//
// Inside the save's transaction the account must still be in the chart, and
// the row must still be as the window loaded it: another user's change since
// is refused, never overwritten.

#include "accountextras/core/resultado.h"
#include "accounts/core/cuenta.h"
#include "platform/ado/ado.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace cuentasadic {

inline const QString TablaAdicionales = QStringLiteral("MA_CUENTASADIC");

// One field of the window, as typed.
struct CampoAdicional {
    QString Columna; // its data-field name
    QString Texto;
    // Hidden by the account's view: not written.
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
    // An update: the row as the window loaded it (HuellaFila); nothing: not
    // compared.
    std::optional<QStringList> Cargada;
};

// Refusals of a save that finds the row otherwise than the window loaded it,
// or the account gone, with the title TituloAviso.
inline const QString TituloAviso = QStringLiteral("Aviso al operador...");
inline const QString MsgCuentaInexistente = QStringLiteral("La cuenta ingresada no existe!!!");
inline const QString MsgCambiadosPorOtro =
    QStringLiteral("Los datos adicionales de la cuenta fueron modificados por otro usuario después "
                   "de cargarlos. Cárguelos nuevamente para ver sus datos actuales.");
inline const QString MsgBorradosPorOtro =
    QStringLiteral("Los datos adicionales de la cuenta fueron eliminados por otro usuario después "
                   "de cargarlos. No se grabaron los cambios.");
inline const QString MsgAltaPorOtro =
    QStringLiteral("Los datos adicionales de la cuenta ya fueron dados de alta por otro usuario. "
                   "Cárguelos nuevamente para ver sus datos.");

// The row on which Rs stands, every column as a text that another read of
// the same values gives alike; empty when Rs stands on no row.
QStringList HuellaFila(const ado::RecordsetPtr& Rs);

// Inserts or updates the row in one transaction, the price class of a
// customer or supplier account included, then replicates it. A value its
// column does not take is refused with the conversion box's text naming the
// field (Tag/column; a custom column by its name). A statement the database
// refuses goes to the operator error box ("ActualizarDatos"): Retry runs it
// again, any other answer stores nothing. An account no longer in the chart,
// a row another user stored for a new one, or an updated row gone or no
// longer D.Cargada is refused with its message: nothing is written.
Resultado GrabaDatosAdicionales(const DatosAdicionales& D);

// Deletes the account's row in one transaction and replicates the delete;
// without a row there is nothing to do and it is done. With Cargada (the
// row as the window loaded it) a row another user changed since is refused
// with MsgCambiadosPorOtro: nothing is deleted.
Resultado BorraDatosAdicionales(const QString& Codigo,
                                const std::optional<QStringList>& Cargada = std::nullopt);

// The table's first row: the layout the window starts from (read-only).
// Failures are the data object's: the recordset is then closed.
ado::RecordsetPtr PrimeraFila();
// The table's columns and no row: the custom-fields grid's names.
ado::RecordsetPtr Columnas();
// The sheet of all accounts' additional data.
QString SentenciaPlanilla();

} // namespace cuentasadic
