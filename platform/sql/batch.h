#pragma once
// A batch of statements (the "BEGIN TRANSACTION" text of the statement
// builder, an update script) cut into its statements: at ";" outside
// parentheses, at a line that holds only GO, and at a line break followed by
// a word that starts a statement. SELECT and SET start one only where they
// cannot continue the statement so far (INSERT ... SELECT, UNION SELECT,
// CREATE VIEW ... AS SELECT, UPDATE T <line break> SET), and the statement
// after "IF [NOT] EXISTS (...)" belongs to the IF.

#include "platform/sql/lexer.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace sqltext {

// For each token of `tokens` (lex(batch)), whether it separates two
// statements: the ";", the line break or the GO line between them. A
// separator is no part of any statement.
std::vector<bool> separators(const QString& batch, const std::vector<Token>& tokens);

// The statements of the batch, each trimmed; no empty ones.
QStringList splitBatch(const QString& batch);

// The words and numbers of a statement outside literals and parentheses,
// upper-cased.
QStringList topLevelWords(const QString& sql);

} // namespace sqltext
