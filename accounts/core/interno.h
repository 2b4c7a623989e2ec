#pragma once
// Helpers shared by the sources of the chart's core.

#include "platform/ado/ado.h"

#include <QString>
#include <QVariant>

namespace cuentas::interno {

// A read-only, forward-only query through the data object. A failure the
// data object reported leaves the recordset closed, so that reading it
// raises to the caller.
// Streamed (corrido), the rows are read a batch at a time instead of all at
// the open: for reads that go once from the first row to the last.
ado::RecordsetPtr Consulta(const QString& sql, bool corrido = false);
// The query gives at least one row.
bool HayFila(const QString& sql);
// Closes a recordset through the data object.
void Cierra(ado::RecordsetPtr& rs);
// A flag column is set (true or a non-zero number); Null is not.
bool Marcado(const QVariant& valor);

} // namespace cuentas::interno
