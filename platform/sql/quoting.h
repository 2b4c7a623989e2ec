#pragma once
// The one way text is put into a statement: as a literal, apostrophes
// doubled, so that no value can end the literal and run as SQL. Names are
// quoted alike with double quotes.

#include <QString>

namespace sqltext {

// 'text' with every ' doubled: O'Brien -> 'O''Brien'.
QString literal(const QString& text);

// "name" with every " doubled.
QString identifier(const QString& name);

} // namespace sqltext
