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

// A LIKE pattern that finds the text anywhere, as a literal: '%text%'. LIKE's
// own characters in the text (% _ and the [ of a set) are escaped with "!" and
// the ESCAPE clause follows, so that they stand for themselves:
// 50% -> '%50!%%' ESCAPE '!'. SQL Server, Oracle and SQLite read the clause.
QString likeContaining(const QString& text);

// The same for the texts that begin with `text`: 'text%'.
QString likeStarting(const QString& text);

} // namespace sqltext
