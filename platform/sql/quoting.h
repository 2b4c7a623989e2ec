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

// [name] with every ] doubled, as SQL Server quotes a name (a database's in
// "[db].DBO.table").
QString bracketed(const QString& name);

// A LIKE pattern that finds the text anywhere, as a literal: '%text%'. LIKE's
// own characters in the text (% _ and the [ of a set) are escaped with "!" and
// the ESCAPE clause follows, so that they stand for themselves:
// 50% -> '%50!%%' ESCAPE '!'. SQL Server, Oracle and SQLite read the clause.
QString likeContaining(const QString& text);

// The same for the texts that begin with `text`: 'text%'.
QString likeStarting(const QString& text);

// The text column equal to a literal of a value without surrounding blanks,
// the column's own blanks ignored, in a form an index on the column serves:
// the databases' collation already ignores trailing blanks (and letter
// case), so only a value stored with leading blanks needs the column
// trimmed, and such values sort before the digits. The bound is a digit so
// that a server comparing it with a number column reads it as 0 instead of
// refusing it.
// (column ='x' OR column < '0' AND LTRIM(RTRIM(column)) ='x')
QString equalsTrimmed(const QString& column, const QString& literal);

// A statement for SQLite, whose reader ends a literal at a NUL character:
// each literal that holds one is written as its pieces joined with char(0),
// so that the text travels whole. Other statements come back unchanged.
QString nulsSpelled(const QString& sqliteStatement);

} // namespace sqltext
