#pragma once
// Adapts a statement written in the SQL Server dialect to SQLite. Works on
// tokens: quoted literals and comments are never touched, except date
// literals where the target column is known to hold dates, and the object
// name given to OBJECT_ID.

#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace sqlrewrite {

struct DeclaredColumn {
    QString name;
    QString type; // as declared ("DATETIME", "VARCHAR(10)"); empty when undeclared
};

// The columns of a table or view in their order; empty when there is no such
// table. The engine answers from the database's catalogue.
using TableColumns = std::function<QList<DeclaredColumn>(const QString& table)>;

// Without `columnsOf` the rewriting knows nothing of the schema: written
// values are left as they are and every date literal compared with a column
// is taken for a date.
QString toSqlite(const QString& statement, const TableColumns& columnsOf = {});

// "IF [NOT] EXISTS (query) statement" of the server's scripts: SQLite has no
// IF, so the engine runs `test` (a SELECT of 1 or 0, in the server's dialect)
// and then `statement` only when it gave 1. Nothing for any other text, and
// nothing for a block (IF ... BEGIN ... END), which then fails as written.
struct Conditional {
    QString test;
    QString statement;
};
std::optional<Conditional> conditional(const QString& statement);

// DATETIME, SMALLDATETIME, DATETIME2 and DATE: the columns whose day-first
// texts the server converts to dates.
bool isDateType(const QString& declaredType);

// The stored form 'yyyy-mm-dd hh:mm:ss' of a date text the server reads as a
// date ("yyyy-mm-dd", "dd/mm/yyyy", with or without the time); "" for any
// other text.
QString storedDate(const QString& text);

// A text shaped as a date the server reads (as storedDate's, or
// "yyyymmdd") that names no day or time, such as "2024-02-30": the server
// refuses it as out of range.
bool impossibleDate(const QString& text);

} // namespace sqlrewrite
