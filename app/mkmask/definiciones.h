#pragma once
// The readable form of the query masks that we keep in the repository
// (demo/consultas.txt), one table or view per line:
//
//   TABLE ; COLUMN|COLUMN|... ; CONDITION
//
// Blanks around the fields do not count; the condition (without WHERE) may
// be empty and is everything after the second ";". Blank lines and lines
// that begin with "#" are ignored.

#include "lookup/consultas_zub.h"

#include <QString>
#include <optional>
#include <vector>

namespace mkmask {

// The records in the order of the lines; std::nullopt, with the line number
// and the reason in Error, for a line without its two ";", an empty table or
// column list, or a table named twice (only the first would ever be used).
std::optional<std::vector<consultas_zub::MascaraConsulta>> LeeDefiniciones(const QString& Texto,
                                                                           QString& Error);

} // namespace mkmask
