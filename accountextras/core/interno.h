#pragma once
// Helpers shared by the sources of the additional data's core.

#include "data/pasos.h"

#include <QString>
#include <QStringList>
#include <QVariant>

namespace cuentasadic::interno {

using pasos::Recuadro;

// The rows of a view of TA_VISTAS, matched by trimmed name.
QString SentenciaVista(const QString& Vista);

// The operator error box of a save's routine before anything is written:
// Retry repeats the step, any other answer leaves.
pasos::OnError RecuadroGrabacion(const QString& Rutina);

// A stored value as a text that two reads of it give alike: Null apart
// from an empty text, texts without the trailing blanks a server pads
// fixed widths with. For a save to tell whether a row is as it was loaded.
QString ValorComparable(const QVariant& Valor);

} // namespace cuentasadic::interno
