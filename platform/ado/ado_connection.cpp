// ADO Connection: opening through the engine choice (engine.cpp), the Errors
// collection, Execute, transactions and schema queries.
//
// Errors follows ADO: it is cleared when Open, Execute, OpenSchema or a
// recordset's Open starts, and a provider failure replaces its contents with
// the failure's errors. ADO's own errors (3704, 3709, 3021 ...) are thrown
// without touching it.

#include "platform/ado/ado.h"
#include "platform/ado/engine.h"

namespace ado {

std::shared_ptr<Connection> Connection::create() {
    return std::shared_ptr<Connection>(new Connection());
}

Connection::~Connection() = default;

Engine& Connection::requireEngine() {
    if (!engine_)
        throwAdo(adErrInvalidConnection);
    return *engine_;
}

void Connection::raise(const Error& e) {
    errors_.Clear();
    errors_.Add(e);
    throw Exception(e);
}

void Connection::raise(const Exception& e) {
    errors_.Clear();
    for (const Error& err : e.all())
        errors_.Add(err);
    throw e;
}

void Connection::Open(const QString& connectionString, const QString& user, const QString& password,
                      long options) {
    // SQLite files carry no logins: user and password are not checked.
    Q_UNUSED(user);
    Q_UNUSED(password);
    Q_UNUSED(options);
    if (engine_)
        throwAdo(adErrObjectOpen);
    errors_.Clear();
    if (!connectionString.isEmpty())
        ConnectionString = connectionString;
    try {
        if (fault_)
            if (auto e = fault_(ConnectionString))
                throw Exception(*e);
        engine_ = ado::openEngine(ConnectionString, pendingDatabase_, &fault_);
        engine_->setCommandTimeout(CommandTimeout);
    } catch (const Exception& e) {
        engine_.reset();
        raise(e);
    }
}

void Connection::Close() {
    if (!engine_)
        throwAdo(adErrObjectClosed);
    engine_.reset(); // an open transaction is rolled back
}

int Connection::State() const {
    return engine_ ? adStateOpen : adStateClosed;
}

void Connection::setDefaultDatabase(const QString& db) {
    if (!engine_) {
        pendingDatabase_ = db;
        return;
    }
    try {
        engine_->useDatabase(db);
    } catch (const Exception& e) {
        raise(e);
    }
}

void Connection::interrupt() {
    if (engine_)
        engine_->interrupt();
}

QString Connection::DefaultDatabase() const {
    return engine_ ? engine_->database() : pendingDatabase_;
}

RecordsetPtr Connection::Execute(const QString& commandText, long* recordsAffected, long options) {
    Engine& engine = requireEngine();
    errors_.Clear();
    engine.setCommandTimeout(CommandTimeout);
    BatchResult result;
    try {
        result = engine.execute(commandText, false);
    } catch (const Exception& e) {
        raise(e);
    }
    if (recordsAffected)
        *recordsAffected = result.recordsAffected;
    RecordsetPtr rs = Recordset::create();
    const bool noRecords = options != -1 && (options & adExecuteNoRecords);
    if (result.rows && !noRecords)
        rs->openFrom(shared_from_this(), commandText, std::move(*result.rows),
                     CursorLocation == adUseClient ? adOpenStatic : adOpenForwardOnly,
                     adLockReadOnly);
    return rs;
}

void Connection::ExecutePrepared(const QString& commandText, const std::vector<QVariantList>& rows,
                                 long* recordsAffected) {
    Engine& engine = requireEngine();
    errors_.Clear();
    engine.setCommandTimeout(CommandTimeout);
    long written = 0;
    try {
        written = engine.executePrepared(commandText, rows);
    } catch (const Exception& e) {
        raise(e);
    }
    if (recordsAffected)
        *recordsAffected = written;
}

void Connection::transactionCommand(const QString& text, void (Engine::*command)()) {
    Engine& engine = requireEngine();
    try {
        if (fault_)
            if (auto e = fault_(text))
                throw Exception(*e);
        (engine.*command)();
    } catch (const Exception& e) {
        raise(e);
    }
}

void Connection::BeginTrans() {
    transactionCommand(QStringLiteral("BEGIN TRANSACTION"), &Engine::beginTrans);
}

void Connection::CommitTrans() {
    transactionCommand(QStringLiteral("COMMIT TRANSACTION"), &Engine::commitTrans);
}

void Connection::RollbackTrans() {
    transactionCommand(QStringLiteral("ROLLBACK TRANSACTION"), &Engine::rollbackTrans);
}

ServerKind Connection::serverKind() const {
    return engine_ ? engine_->kind() : ServerKind::Sqlite;
}

bool Connection::inTransaction() const {
    return engine_ && engine_->inTransaction();
}

namespace {

QString criterion(const QVariantList& criteria, int i) {
    if (i >= criteria.size())
        return QString();
    const QVariant& v = criteria.at(i);
    if (!v.isValid() || v.isNull() || v.typeId() == QMetaType::Nullptr)
        return QString();
    return v.toString();
}

} // namespace

RecordsetPtr Connection::OpenSchema(int schema, const QVariantList& criteria) {
    Engine& engine = requireEngine();
    errors_.Clear();
    if (schema != adSchemaTables && schema != adSchemaColumns)
        throwAdo(adErrFeatureNotAvailable);
    // Criteria: catalogue, schema, table, then type or column. There is one
    // catalogue per connection (its database) and one schema ("dbo"), so the
    // first two narrow nothing.
    RowSet rows;
    try {
        if (schema == adSchemaTables)
            rows = engine.schemaTables(criterion(criteria, 2), criterion(criteria, 3));
        else
            rows = engine.schemaColumns(criterion(criteria, 2), criterion(criteria, 3));
    } catch (const Exception& e) {
        raise(e);
    }
    RecordsetPtr rs = Recordset::create();
    rs->openFrom(shared_from_this(), QStringLiteral("OpenSchema %1").arg(schema), std::move(rows),
                 adOpenStatic, adLockReadOnly);
    return rs;
}

} // namespace ado
