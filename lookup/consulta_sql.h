#pragma once
// The statement a lookup runs: the caller's own SELECT, or one built for a
// bare table or view name from its record in the query-mask file or from the
// table's own columns. No window is involved; the lookup object opens one on
// the result.

#include <QString>
#include <optional>

// Row limit of every statement built here: key "TopConsArt", 1000 when it
// reads as no positive whole number.
int LimiteConsulta();

// Turns SQL (a full SELECT, or a table or view name) into the lookup's
// statement. CampoBusqueda comes back holding the search and sort column
// chosen; Where comes back in its rewritten form (wrapped in parentheses,
// and after a full SELECT prefixed with " WHERE "). SentenciaOpcional stands
// for a table that has no mask record. With UsarMascaras off, a table name
// is never looked up in the mask file RutaMascara.
//
// std::nullopt means the lookup must stop: the mask record names a single
// column and no search column was given, and the operator has been told
// "Debe configurar la consulta para esta tabla".
//
// No failure reaches the caller: a step that fails is passed over.
std::optional<QString> ArmaSentenciaConsulta(const QString& SQL, QString& CampoBusqueda,
                                             QString& Where, const QString& SentenciaOpcional,
                                             bool UsarMascaras, const QString& RutaMascara);
