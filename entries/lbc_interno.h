#pragma once
// Helpers shared by the rules object's sources.

#include "data/pasos.h"
#include "platform/ado/ado.h"

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <cstdint>
#include <functional>
#include <vector>

namespace lbc {

// Runs paso(i) from step 0 through the step runner (data/pasos.h); each call
// returns the next step, or -1 when the routine is done. A step that throws
// goes to the operator error box under `rutina`: Retry runs it again, Ignore
// goes on with step i + 1, anything else leaves. False when the operator left.
bool Atrapa(const QString& rutina, const std::function<int(int)>& paso);
// The same over a list of steps run in order; a step may return false to end
// the routine there.
bool Atrapa(const QString& rutina, const std::vector<pasos::Step>& lista);

// ---- Statement pieces ----------------------------------------------------------------
// A number written bare: the trimmed text when it is a plain decimal number,
// else a type mismatch (the text never reaches the statement).
QString Num(const QString& texto);
// The number a text starts with, written as a plain decimal.
QString Decimal(double valor);
QString ValTexto(const QString& texto);

// ---- Conversions -----------------------------------------------------------------------
// Whole number of a text: sign and digits only (else 13), within 16 bits (else 6).
std::int16_t Entero16(const QString& texto);
// 32-bit whole number of a value as the runtime converts it: Null 94, a text
// that is no number 13, beyond the range 6.
std::int32_t Entero32(const QVariant& valor);
// A date value or a day-first date text; Null 94, anything else 13.
QDateTime Fecha(const QVariant& valor);
// The numeric value of a field: Null as 0, texts by their leading number.
double Numerico(const QVariant& valor);
// A flag column is set (true or a non-zero number); Null is not set.
bool Marcado(const QVariant& valor);

// Opens a query through the data object on its connection, with the Oracle
// rewrite asked for; read-only and forward-only unless told otherwise.
void Abre(const QString& sql, ado::RecordsetPtr& rs, int cursor = ado::adOpenForwardOnly,
          int bloqueo = ado::adLockReadOnly);

// Closes a recordset without reporting anything (clean-up after a failure).
void Suelta(ado::RecordsetPtr& rs);

} // namespace lbc
