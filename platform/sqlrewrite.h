#pragma once
// Adapts a statement written in the SQL Server dialect to SQLite. Works on
// tokens: quoted literals and comments are never touched, except day-first
// date literals where the target column is known to hold dates.

#include <QList>
#include <QString>
#include <functional>

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

// DATETIME, SMALLDATETIME, DATETIME2 and DATE: the columns whose day-first
// texts the server converts to dates.
bool isDateType(const QString& declaredType);

} // namespace sqlrewrite
