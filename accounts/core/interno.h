#pragma once
// Helpers shared by the sources of the chart's core.

#include "platform/ado/ado.h"

#include <QString>
#include <QVariant>

namespace cuentas::interno {

// A read-only, forward-only query through the data object. A failure the
// data object reported leaves the recordset closed, so that reading it
// raises to the caller.
ado::RecordsetPtr Consulta(const QString& sql);
// The query gives at least one row.
bool HayFila(const QString& sql);
// Closes a recordset through the data object.
void Cierra(ado::RecordsetPtr& rs);
// A flag column is set (true or a non-zero number); Null is not.
bool Marcado(const QVariant& valor);

} // namespace cuentas::interno
