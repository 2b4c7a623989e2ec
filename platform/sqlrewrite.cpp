#include "platform/sqlrewrite.h"

namespace sqlrewrite {

QString toSqlite(const QString& statement) { return statement; }

} // namespace sqlrewrite
