#pragma once
// Adapts a statement written in the SQL Server dialect to SQLite. Works on
// tokens: quoted literals and comments are never touched.

#include <QString>

namespace sqlrewrite {

QString toSqlite(const QString& statement);

} // namespace sqlrewrite
