// Which engine a connection string names.
//
//  - A local-file provider (Jet or ACE): its data source is the path of a
//    SQLite file.
//  - Any other provider but Oracle's, whose server ("Server", else "Data
//    Source") names an existing local folder: SQLite files in that folder, one
//    per database name (SqliteEngine::databaseFile gives the rule), so the
//    company, group and point-of-sale databases are files side by side.
//  - Anything else is a real server, reached through ODBC (engine_odbc.h):
//    SQL Server by its server name, Oracle by its data source name, or an
//    ODBC connection string as it stands. A server written as a local path
//    that is no folder names no server and fails at once.
//
// Files are never created here: a missing one fails the open.

#include "platform/ado/engine.h"
#include "platform/ado/connstring.h"
#include "platform/ado/engine_odbc.h"
#include "platform/ado/engine_sqlite.h"
#include "platform/ado/engine_text.h"
#include "platform/sql/batch.h"
#include "platform/vb/vb.h"
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

namespace ado {

ValueKind valueKind(const QVariant& v) {
    if (!v.isValid() || vb::IsNull(v))
        return ValueKind::Null;
    if (vb::isCurrency(v))
        return ValueKind::Money;
    switch (v.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
        return ValueKind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return ValueKind::Real;
    case QMetaType::QByteArray:
        return ValueKind::Bytes;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
        return ValueKind::Date;
    default:
        return ValueKind::Text;
    }
}

QVariant textToServer(ServerKind kind, const QVariant& value) {
    if (kind == ServerKind::Oracle && value.typeId() == QMetaType::QString &&
        value.toString().isEmpty())
        return QStringLiteral(" ");
    return value;
}

QVariant textFromServer(ServerKind kind, const QVariant& value) {
    if (kind == ServerKind::Oracle && value.typeId() == QMetaType::QString &&
        value.toString() == QLatin1String(" "))
        return QString();
    return value;
}

QDateTime parameterDateTime(const QVariant& v) {
    return v.typeId() == QMetaType::QDate ? QDateTime(v.toDate(), QTime(0, 0), Qt::UTC)
                                          : v.toDateTime();
}

namespace {

bool isLocalFileProvider(const QString& provider) {
    return provider.contains(QLatin1String("JET"), Qt::CaseInsensitive) ||
           provider.contains(QLatin1String("ACE.OLEDB"), Qt::CaseInsensitive);
}

} // namespace

std::unique_ptr<Engine> openEngine(const QString& connectionString, const QString& defaultDatabase,
                                   const FaultInjector* fault) {
    const ConnectionStringParts parts = parseConnectionString(connectionString);
    const QString provider = parts.value(QStringLiteral("provider"));

    if (isLocalFileProvider(provider)) {
        const QString path = parts.value(QStringLiteral("data source"));
        const QFileInfo fi(path);
        // The SQL states are Jet's, which the local open tells apart.
        if (path.isEmpty() || !fi.absoluteDir().exists())
            throw Exception(connectionError(
                0, QStringLiteral("3044"),
                QStringLiteral("'%1' no es una ruta válida. Asegúrese de que la ruta de acceso "
                               "está escrita correctamente.")
                    .arg(path)));
        if (!fi.isFile())
            throw Exception(
                connectionError(0, QStringLiteral("3024"),
                                QStringLiteral("No se pudo encontrar el archivo '%1'.").arg(path)));
        return std::make_unique<SqliteEngine>(fi.absoluteFilePath(), fi.completeBaseName(),
                                              fi.absolutePath(), fault);
    }

    const bool oracle = provider.contains(QLatin1String("ORA"), Qt::CaseInsensitive);
    QString server = parts.value(QStringLiteral("server"));
    if (server.isEmpty())
        server = parts.value(QStringLiteral("data source"));
    if (server.isEmpty())
        server = parts.value(QStringLiteral("address"));
    if (!oracle && !server.isEmpty() && QFileInfo(server).isDir()) {
        QString database = parts.value(QStringLiteral("database"));
        if (database.isEmpty())
            database = parts.value(QStringLiteral("initial catalog"));
        if (database.isEmpty())
            database = defaultDatabase;
        database = database.trimmed();
        const QString file = SqliteEngine::databaseFile(server, database);
        if (file.isEmpty())
            throw Exception(connectionError(
                nativeCannotOpenDatabase, QStringLiteral("42000"),
                QStringLiteral("No se puede abrir la base de datos \"%1\" solicitada por el inicio "
                               "de sesión. Error de inicio de sesión.")
                    .arg(database)));
        return std::make_unique<SqliteEngine>(file, database, QFileInfo(server).absoluteFilePath(),
                                              fault);
    }

    const bool odbcString = parts.has(QStringLiteral("dsn")) || parts.has(QStringLiteral("driver"));
    const bool pathLike = server.contains(u'/');
    if (odbcString || (oracle && !server.isEmpty()) || (!server.isEmpty() && !pathLike))
        return std::make_unique<OdbcEngine>(odbcTarget(parts, defaultDatabase), fault);

    throw Exception(connectionError(
        nativeServerNotFound, QStringLiteral("08001"),
        oracle ? QStringLiteral("No se puede conectar con el servidor Oracle '%1': el proveedor "
                                "'%2' no está disponible.")
                     .arg(parts.value(QStringLiteral("data source")), provider)
               : QStringLiteral("[DBNETLIB][ConnectionOpen (Connect()).]No existe el servidor SQL "
                                "Server '%1' o se ha denegado el acceso.")
                     .arg(server)));
}

// ---- Cursors ------------------------------------------------------------------------

namespace {

// A query's rows read whole, handed out as asked for.
class RowsCursor : public Cursor {
public:
    explicit RowsCursor(RowSet&& rows) : rows_(std::move(rows)) {}
    const std::vector<Column>& columns() const override { return rows_.columns; }
    bool fetch(std::vector<std::vector<QVariant>>& rows, int n) override {
        for (; n > 0 && next_ < rows_.rows.size(); --n)
            rows.push_back(rows_.rows[next_++]);
        return next_ < rows_.rows.size();
    }
    void release() override {}
    void rewind() override { next_ = 0; }

private:
    RowSet rows_;
    size_t next_ = 0;
};

} // namespace

std::unique_ptr<Cursor> Engine::openCursor(const QString& text) {
    BatchResult result = execute(text, false);
    if (!result.rows)
        return nullptr;
    return std::make_unique<RowsCursor>(std::move(*result.rows));
}

// ---- Statement classes ---------------------------------------------------------------

TransactionCommand transactionCommand(const QString& stmt) {
    QString s = stmt.simplified().toUpper();
    if (s.endsWith(u';'))
        s.chop(1);
    const QStringList w = s.split(u' ', Qt::SkipEmptyParts);
    if (w.isEmpty() || w.size() > 3)
        return TransactionCommand::None;
    const bool tranWord = w.size() == 1 || w[1] == u"TRAN" || w[1] == u"TRANSACTION" ||
                          (w[0] != u"BEGIN" && w[1] == u"WORK" && w.size() == 2);
    if (!tranWord)
        return TransactionCommand::None;
    if (w[0] == u"BEGIN")
        return TransactionCommand::Begin;
    if (w[0] == u"COMMIT")
        return TransactionCommand::Commit;
    if (w[0] == u"ROLLBACK")
        return TransactionCommand::Rollback;
    return TransactionCommand::None;
}

bool isNoCount(const QString& stmt) {
    static const QRegularExpression re(QStringLiteral("^\\s*SET\\s+NOCOUNT\\s+(ON|OFF)\\s*;?\\s*$"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(stmt).hasMatch();
}

bool isDml(const QString& sql) {
    const QStringList w = sqltext::topLevelWords(sql);
    if (w.isEmpty())
        return false;
    return w[0] == u"INSERT" || w[0] == u"UPDATE" || w[0] == u"DELETE" || w[0] == u"REPLACE";
}

Exception noTransaction(TransactionCommand command) {
    const bool commit = command == TransactionCommand::Commit;
    Error e = connectionError(
        commit ? nativeNoTransactionToCommit : nativeNoTransactionToRollback,
        QStringLiteral("25000"),
        commit ? QStringLiteral("La solicitud COMMIT TRANSACTION no tiene la correspondiente "
                                "BEGIN TRANSACTION.")
               : QStringLiteral("La solicitud ROLLBACK TRANSACTION no tiene la correspondiente "
                                "BEGIN TRANSACTION."));
    e.Number = adErrNoTransaction;
    return Exception(e);
}

namespace {

Column schemaColumn(const char* name, int type, long size) {
    Column c;
    c.name = QString::fromLatin1(name);
    c.type = type;
    c.definedSize = size;
    return c;
}

} // namespace

std::vector<Column> schemaTablesLayout() {
    return {schemaColumn("TABLE_CATALOG", adVarWChar, 128),
            schemaColumn("TABLE_SCHEMA", adVarWChar, 128),
            schemaColumn("TABLE_NAME", adVarWChar, 128),
            schemaColumn("TABLE_TYPE", adVarWChar, 32)};
}

std::vector<Column> schemaColumnsLayout() {
    return {schemaColumn("TABLE_CATALOG", adVarWChar, 128),
            schemaColumn("TABLE_SCHEMA", adVarWChar, 128),
            schemaColumn("TABLE_NAME", adVarWChar, 128),
            schemaColumn("COLUMN_NAME", adVarWChar, 128),
            schemaColumn("ORDINAL_POSITION", adInteger, 4),
            schemaColumn("DATA_TYPE", adSmallInt, 2),
            schemaColumn("CHARACTER_MAXIMUM_LENGTH", adInteger, 4),
            schemaColumn("IS_NULLABLE", adBoolean, 2)};
}

} // namespace ado
