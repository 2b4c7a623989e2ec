// The SQLite engine: batches, transactions, typed row sets, write-back of
// single-table recordsets and the catalogue. The SQL Server functions and the
// collation registered on every connection are in engine_sqlite_functions.cpp
// (listed in engine_sqlite.h), the write checks and the writable views in
// engine_sqlite_checks.cpp; the error table is in ado_errors.cpp.

#include "platform/ado/engine_sqlite.h"
#include "platform/ado/engine_text.h"
#include "platform/sql/batch.h"
#include "platform/sql/quoting.h"
#include "platform/sql/sqlrewrite.h"
#include "platform/vb/vb.h"
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QThread>
#include <algorithm>
#include <climits>
#include <cmath>
#include <sqlite3.h>

namespace ado {

namespace {

// SQLite keeps a count of the memory it holds under a lock taken on every
// allocation. Nothing here reads it, and a driver that copies each value of
// each row it steps through (the SQLite ODBC driver) pays that lock twice a
// value. It can only be turned off before SQLite starts: here, before main.
[[maybe_unused]] const int memoryCountOff = sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);

// Where to put the hidden rowid in a SELECT that may be written back, or -1
// when its rows cannot be traced to single rows of one table.
qsizetype rowidInsertPoint(const QString& sql) {
    const QStringList w = sqltext::topLevelWords(sql);
    if (w.isEmpty() || w[0] != u"SELECT")
        return -1;
    for (const char* bad : {"DISTINCT", "GROUP", "UNION", "EXCEPT", "INTERSECT", "HAVING"})
        if (w.contains(QLatin1String(bad)))
            return -1;
    static const QRegularExpression select(QStringLiteral("^\\s*SELECT\\b"),
                                           QRegularExpression::CaseInsensitiveOption);
    const auto m = select.match(sql);
    return m.hasMatch() ? m.capturedEnd() : -1;
}

// ---- Values -------------------------------------------------------------------------

const char* const kRowidAlias = "qz_rowid__";

QVariant rawValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT: {
        // The file stores UTF-8: Qt's decoder is cheaper than SQLite's
        // conversion, which allocates a UTF-16 copy per value.
        const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
        return QVariant(QString::fromUtf8(t, sqlite3_column_bytes(st, i)));
    }
    case SQLITE_BLOB: {
        const void* b = sqlite3_column_blob(st, i);
        return QVariant(QByteArray(static_cast<const char*>(b), sqlite3_column_bytes(st, i)));
    }
    default:
        return QVariant();
    }
}

// "yyyy-mm-dd", "yyyy-mm-dd hh:mm", "yyyy-mm-dd hh:mm:ss[.fff]" (also with "T").
std::optional<QDateTime> parseIsoDate(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{2})-(\\d{2})(?:[ "
                       "T](\\d{2}):(\\d{2})(?::(\\d{2})(?:\\.(\\d{1,3})\\d*)?)?)?$"));
    const auto m = re.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    QString ms = m.captured(7);
    while (!ms.isEmpty() && ms.size() < 3)
        ms += u'0';
    const QTime t(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt(), ms.toInt());
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

bool isCharType(int type) {
    return type == adChar || type == adWChar || type == adVarChar || type == adVarWChar ||
           type == adLongVarChar || type == adLongVarWChar || type == adBSTR;
}

QString numberText(const QVariant& v) {
    if (v.typeId() == QMetaType::Double)
        return QString::number(v.toDouble(), 'g', 15);
    return v.toString();
}

// Stored value -> the value the program reads, by the column's ADO type. A
// stored value that does not fit the type comes back as stored.
QVariant convertValue(const Column& c, const QVariant& raw) {
    if (!raw.isValid())
        return vb::Null();
    const bool isText = raw.typeId() == QMetaType::QString;
    const bool isNumber = raw.typeId() == QMetaType::LongLong || raw.typeId() == QMetaType::Double;
    switch (c.type) {
    case adInteger:
    case adSmallInt:
    case adTinyInt:
    case adUnsignedTinyInt:
        if (raw.typeId() == QMetaType::LongLong) {
            const qlonglong v = raw.toLongLong();
            if (v >= INT_MIN && v <= INT_MAX)
                return QVariant(int(v));
            return raw;
        }
        // A fraction stored before the engine truncated them reads as the
        // server would have stored it.
        if (raw.typeId() == QMetaType::Double && std::abs(raw.toDouble()) < 2147483648.0)
            return QVariant(int(std::trunc(raw.toDouble())));
        if (isText) {
            bool ok = false;
            const int v = raw.toString().trimmed().toInt(&ok);
            return ok ? QVariant(v) : raw;
        }
        return raw;
    case adBigInt:
        if (isNumber)
            return QVariant(raw.toLongLong());
        return raw;
    case adBoolean:
        if (isNumber)
            return QVariant(raw.toDouble() != 0);
        if (isText) {
            const QString t = raw.toString().trimmed();
            if (t == u"1" || t.compare(u"true", Qt::CaseInsensitive) == 0)
                return QVariant(true);
            if (t == u"0" || t.compare(u"false", Qt::CaseInsensitive) == 0)
                return QVariant(false);
        }
        return raw;
    case adCurrency:
        if (isNumber)
            return vb::fromCurrency(vb::Currency::fromDouble(raw.toDouble()));
        if (isText) {
            if (auto c = vb::Currency::parse(raw.toString().trimmed(), u'.'))
                return vb::fromCurrency(*c);
        }
        return raw;
    case adDouble:
    case adSingle:
    case adNumeric:
    case adDecimal:
        if (isNumber)
            return QVariant(raw.toDouble());
        if (isText) {
            bool ok = false;
            const double v = raw.toString().trimmed().toDouble(&ok);
            return ok ? QVariant(v) : raw;
        }
        return raw;
    case adDBTimeStamp:
    case adDate:
    case adDBDate:
        if (isText) {
            if (auto d = parseIsoDate(raw.toString()))
                return *d;
            if (auto d = vb::ParseDate(raw.toString())) // day-first text written by a literal
                return *d;
        }
        return raw;
    case adChar:
    case adWChar: {
        // SQL Server pads fixed-width texts with blanks.
        QString t = isText ? raw.toString() : numberText(raw);
        if (c.definedSize > 0 && t.size() < c.definedSize)
            t += QString(c.definedSize - t.size(), u' ');
        return t;
    }
    default:
        if (isCharType(c.type) && isNumber)
            return numberText(raw);
        return raw;
    }
}

// Type of a column without a declared type, from what it holds.
std::pair<int, long> typeOfValues(const std::vector<std::vector<QVariant>>& rows, int col) {
    bool anyText = false, anyReal = false, anyBig = false, anyBlob = false, allDates = true,
         anyValue = false;
    for (const auto& row : rows) {
        const QVariant& v = row[size_t(col)];
        if (!v.isValid())
            continue;
        anyValue = true;
        switch (v.typeId()) {
        case QMetaType::QString:
            anyText = true;
            if (allDates && !parseIsoDate(v.toString()))
                allDates = false;
            break;
        case QMetaType::Double:
            anyReal = true;
            break;
        case QMetaType::LongLong:
            if (v.toLongLong() < INT_MIN || v.toLongLong() > INT_MAX)
                anyBig = true;
            break;
        default:
            anyBlob = true;
        }
    }
    if (!anyValue)
        return {adVarWChar, 0};
    if (anyBlob)
        return {adLongVarBinary, 2147483647};
    if (anyText) // an ISO date from GETDATE() or MAX(FECHA) reads as a date
        return allDates && !anyReal ? std::pair<int, long>{adDBTimeStamp, 16}
                                    : std::pair<int, long>{adVarWChar, 0};
    if (anyReal)
        return {adDouble, 8};
    return anyBig ? std::pair<int, long>{adBigInt, 8} : std::pair<int, long>{adInteger, 4};
}

void bindValue(sqlite3_stmt* st, int idx, const QVariant& v) {
    switch (valueKind(v)) {
    case ValueKind::Null:
        sqlite3_bind_null(st, idx);
        return;
    case ValueKind::Money:
        sqlite3_bind_double(st, idx, vb::toCurrency(v).toDouble());
        return;
    case ValueKind::Integer:
        sqlite3_bind_int64(st, idx, v.toLongLong());
        return;
    case ValueKind::Real:
        sqlite3_bind_double(st, idx, v.toDouble());
        return;
    case ValueKind::Bytes: {
        const QByteArray b = v.toByteArray();
        sqlite3_bind_blob(st, idx, b.constData(), int(b.size()), SQLITE_TRANSIENT);
        return;
    }
    case ValueKind::Date: {
        // DATE columns too: literals compared with them carry the time.
        const QString t = parameterDateTime(v).toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
        sqlite3_bind_text16(st, idx, t.utf16(), int(t.size() * 2), SQLITE_TRANSIENT);
        return;
    }
    case ValueKind::Text: {
        const QString t = v.toString();
        sqlite3_bind_text16(st, idx, t.utf16(), int(t.size() * 2), SQLITE_TRANSIENT);
    }
    }
}

} // namespace

// ---- Statement holder -----------------------------------------------------------------

struct SqliteEngine::Statement {
    sqlite3_stmt* st = nullptr;
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(st); }
};

// ---- Public helpers -----------------------------------------------------------------

std::pair<int, long> adoTypeOfDeclared(const QString& declType) {
    const QString d = declType.trimmed().toUpper();
    if (d.isEmpty())
        return {adEmpty, 0};
    const qsizetype paren = d.indexOf(u'(');
    const QString name = (paren < 0 ? d : d.left(paren)).simplified();
    QString arg;
    if (paren >= 0) {
        const qsizetype close = d.indexOf(u')', paren);
        arg = d.mid(paren + 1, close < 0 ? -1 : close - paren - 1).section(u',', 0, 0).trimmed();
    }
    const bool isMax = arg == u"MAX";
    bool ok = false;
    const long n = arg.toLong(&ok);
    const long size = ok ? n : -1;

    auto is = [&](std::initializer_list<const char*> names) {
        for (const char* x : names)
            if (name == QLatin1String(x))
                return true;
        return false;
    };
    if (is({"VARCHAR", "CHARACTER VARYING", "VARYING CHARACTER"}))
        return isMax || size < 0 ? std::pair<int, long>{adLongVarChar, 2147483647}
                                 : std::pair<int, long>{adVarChar, size};
    if (is({"NVARCHAR", "NATIONAL CHARACTER VARYING", "NATIONAL VARCHAR", "NVARCHAR2"}))
        return isMax || size < 0 ? std::pair<int, long>{adLongVarWChar, 1073741823}
                                 : std::pair<int, long>{adVarWChar, size};
    if (is({"CHAR", "CHARACTER"}))
        return {adChar, size < 0 ? 1 : size};
    if (is({"NCHAR", "NATIONAL CHARACTER", "NATIONAL CHAR"}))
        return {adWChar, size < 0 ? 1 : size};
    if (is({"TEXT", "CLOB"}))
        return {adLongVarChar, 2147483647};
    if (is({"NTEXT"}))
        return {adLongVarWChar, 1073741823};
    if (is({"INT", "INTEGER", "MEDIUMINT"}))
        return {adInteger, 4};
    if (is({"SMALLINT"}))
        return {adSmallInt, 2};
    if (is({"TINYINT"}))
        return {adUnsignedTinyInt, 1};
    if (is({"BIGINT"}))
        return {adBigInt, 8};
    if (is({"BIT", "BOOLEAN", "BOOL"}))
        return {adBoolean, 2};
    if (is({"MONEY"}))
        return {adCurrency, 8};
    if (is({"SMALLMONEY"}))
        return {adCurrency, 4};
    if (is({"FLOAT", "REAL", "DOUBLE", "DOUBLE PRECISION"}))
        return {adDouble, 8};
    if (is({"DECIMAL", "NUMERIC"}))
        return {adNumeric, 19};
    if (sqlrewrite::isDateType(name))
        return {adDBTimeStamp, 16};
    if (is({"UNIQUEIDENTIFIER"}))
        return {adGUID, 16};
    if (is({"BINARY"}))
        return {adBinary, size < 0 ? 1 : size};
    if (is({"VARBINARY"}))
        return isMax || size < 0 ? std::pair<int, long>{adLongVarBinary, 2147483647}
                                 : std::pair<int, long>{adVarBinary, size};
    if (is({"IMAGE", "BLOB"}))
        return {adLongVarBinary, 2147483647};
    return {adEmpty, 0};
}

QString SqliteEngine::databaseFile(const QString& folder, const QString& database) {
    const QString name = database.trimmed();
    // A database is a file of the server's folder, never a path to elsewhere.
    if (name.isEmpty() || name.contains(u'/') || name.contains(u'\\') || name.contains(u"..") ||
        name.contains(QChar(0)))
        return QString();
    const QDir dir(folder);
    for (const QString& candidate : {name, name + QStringLiteral(".db")}) {
        const QFileInfo fi(dir.filePath(candidate));
        if (fi.isFile())
            return fi.absoluteFilePath();
    }
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString& candidate : {name, name + QStringLiteral(".db")})
        for (const QString& e : entries)
            if (e.compare(candidate, Qt::CaseInsensitive) == 0)
                return dir.absoluteFilePath(e);
    return QString();
}

// ---- Lock waiting -------------------------------------------------------------------

namespace {

// A few seconds: long enough for another user's save to end, short enough
// that nobody takes a wait for a hung program.
int& lockWaitSlot() {
    static int ms = 5000;
    return ms;
}

LockWaitNotice& lockWaitNoticeSlot() {
    static LockWaitNotice notice;
    return notice;
}

// How often a waiting statement tries the lock again.
constexpr qint64 kLockPollMs = 20;

} // namespace

void setLockWaitMs(int ms) {
    lockWaitSlot() = std::max(0, ms);
}

int lockWaitMs() {
    return lockWaitSlot();
}

void setLockWaitNotice(LockWaitNotice notice) {
    lockWaitNoticeSlot() = std::move(notice);
}

const LockWaitNotice& lockWaitNotice() {
    return lockWaitNoticeSlot();
}

// Every public operation that may meet a lock holds one, so a told wait is
// always told over, whether the lock came or the statement failed.
class SqliteEngine::LockWaitScope {
public:
    explicit LockWaitScope(SqliteEngine& engine) : engine_(engine) {}
    ~LockWaitScope() { engine_.endLockWait(); }
    LockWaitScope(const LockWaitScope&) = delete;
    LockWaitScope& operator=(const LockWaitScope&) = delete;

private:
    SqliteEngine& engine_;
};

int SqliteEngine::onBusy(void* engine, int count) {
    auto* self = static_cast<SqliteEngine*>(engine);
    if (count == 0) {
        self->waitClock_.start();
        // The notice draws on the screen: a wait of a statement run in
        // another thread (a lookup's search) goes untold.
        const QCoreApplication* app = QCoreApplication::instance();
        if (!self->waiting_ && (!app || QThread::currentThread() == app->thread())) {
            self->waiting_ = true;
            // Nothing may be thrown through SQLite.
            try {
                if (const LockWaitNotice& notice = lockWaitNotice())
                    notice(true);
            } catch (...) {
            }
        }
    }
    const qint64 left =
        std::min<qint64>(lockWaitMs(), self->timeoutMs_) - self->waitClock_.elapsed();
    if (left <= 0)
        return 0; // SQLITE_BUSY: the server's lock time-out
    sqlite3_sleep(int(std::min(left, kLockPollMs)));
    return 1;
}

void SqliteEngine::endLockWait() {
    if (!waiting_)
        return;
    waiting_ = false;
    try {
        if (const LockWaitNotice& notice = lockWaitNotice())
            notice(false);
    } catch (...) {
    }
}

// ---- Engine -----------------------------------------------------------------------

sqlite3* SqliteEngine::openFile(const QString& path) {
    sqlite3* db = nullptr;
    // A connection is used by one thread only: no per-call locking.
    const int rc = sqlite3_open_v2(QFile::encodeName(path).constData(), &db,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString();
        const int code = db ? sqlite3_extended_errcode(db) : rc;
        sqlite3_close_v2(db);
        throw sqliteException(
            code, QStringLiteral("No se puede abrir la base de datos '%1': %2").arg(path, msg));
    }
    sqlite3_extended_result_codes(db, 1);
    sqlite3_busy_handler(db, &SqliteEngine::onBusy, this);
    registerSqlServerFunctions(db);
    // Reading the catalogue proves the file is a database; foreign keys are
    // enforced as on SQL Server.
    char* err = nullptr;
    const int rc2 = sqlite3_exec(db, "PRAGMA foreign_keys = ON; SELECT count(*) FROM sqlite_master",
                                 nullptr, nullptr, &err);
    if (rc2 != SQLITE_OK) {
        const QString msg = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
        const int code = sqlite3_extended_errcode(db);
        sqlite3_free(err);
        sqlite3_close_v2(db);
        throw sqliteException(
            code, QStringLiteral("No se puede abrir la base de datos '%1': %2").arg(path, msg));
    }
    return db;
}

SqliteEngine::SqliteEngine(const QString& path, const QString& database, const QString& folder,
                           const FaultInjector* fault)
    : path_(path), database_(database), folder_(folder), fault_(fault) {
    const LockWaitScope scope(*this);
    db_ = openFile(path);
    syncSchema();
}

SqliteEngine::~SqliteEngine() {
    detachCursors();
    dropPrepared();
    sqlite3_finalize(versions_);
    sqlite3_close_v2(db_);
} // rolls back an open transaction

void SqliteEngine::prepare(const QString& sql, Statement& s) const {
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &s.st, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

void SqliteEngine::checkFault(const QString& text) const {
    if (fault_ && *fault_)
        if (auto e = (*fault_)(text))
            throw Exception(*e);
}

void SqliteEngine::fail(int rc) const {
    const int code = rc == SQLITE_OK ? sqlite3_extended_errcode(db_) : rc;
    throw sqliteException(code, QString::fromUtf8(sqlite3_errmsg(db_)));
}

void SqliteEngine::setCommandTimeout(int seconds) {
    // ADO's 0 means no limit.
    const int ms = seconds <= 0 ? INT_MAX : (seconds > INT_MAX / 1000 ? INT_MAX : seconds * 1000);
    timeoutMs_ = ms;
}

void SqliteEngine::useDatabase(const QString& name) {
    const QString wanted = name.trimmed();
    if (wanted.compare(database_, Qt::CaseInsensitive) == 0)
        return;
    checkFault(QStringLiteral("USE ") + wanted);
    if (inTransaction())
        throw Exception(connectionError(
            0, QStringLiteral("25000"),
            QStringLiteral("No se puede cambiar de base de datos con una transacción abierta.")));
    const QString file = databaseFile(folder_, wanted);
    if (file.isEmpty())
        throw Exception(connectionError(
            nativeUnknownDatabase, QStringLiteral("42000"),
            QStringLiteral("No se encontró la base de datos '%1'. Compruebe que el nombre es "
                           "correcto.")
                .arg(wanted)));
    const LockWaitScope scope(*this);
    sqlite3* other = openFile(file);
    detachCursors();
    dropPrepared();
    sqlite3_finalize(versions_);
    versions_ = nullptr;
    sqlite3_close_v2(db_);
    db_ = other;
    path_ = file;
    database_ = wanted;
    trancount_ = 0;
    declared_.clear();
    declaredVersion_ = -1;
    checksVersion_ = checksTempVersion_ = -1;
    syncSchema();
}

void SqliteEngine::syncSchema() {
    int mainVersion = -1, tempVersion = -1;
    if (!versions_)
        sqlite3_prepare_v3(db_,
                           "SELECT (SELECT schema_version FROM main.pragma_schema_version), "
                           "(SELECT schema_version FROM temp.pragma_schema_version)",
                           -1, SQLITE_PREPARE_PERSISTENT, &versions_, nullptr);
    auto read = [&] {
        if (versions_ && sqlite3_step(versions_) == SQLITE_ROW) {
            mainVersion = sqlite3_column_int(versions_, 0);
            tempVersion = sqlite3_column_int(versions_, 1);
        }
        sqlite3_reset(versions_);
    };
    read();
    if (mainVersion < 0 || mainVersion != declaredVersion_) {
        declared_.clear();
        dropPrepared();
    }
    declaredVersion_ = mainVersion;
    if (mainVersion < 0) // a locked catalogue: the next statement asks again
        return;
    if (mainVersion == checksVersion_ && tempVersion == checksTempVersion_)
        return;
    bool complete = false;
    views_ = installWriteChecks(db_, database_, &complete);
    read();
    checksVersion_ = complete ? mainVersion : -1;
    checksTempVersion_ = tempVersion;
}

const UpdatableView* SqliteEngine::viewNamed(const QString& table) {
    syncSchema();
    const auto it = views_.constFind(table.toUpper());
    return it == views_.constEnd() ? nullptr : &*it;
}

bool SqliteEngine::inTransaction() const {
    return trancount_ > 0 && !sqlite3_get_autocommit(db_);
}

void SqliteEngine::interrupt() {
    sqlite3_interrupt(db_);
}

void SqliteEngine::beginTrans() {
    const LockWaitScope scope(*this);
    parkCursors();
    if (trancount_ > 0 && sqlite3_get_autocommit(db_))
        trancount_ = 0; // SQLite ended it after a failure
    if (trancount_ == 0) {
        // IMMEDIATE takes the write lock now, so two writers wait for each
        // other instead of failing at their first write.
        const int rc = sqlite3_exec(db_, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
    }
    ++trancount_;
}

void SqliteEngine::commitTrans() {
    const LockWaitScope scope(*this);
    parkCursors();
    if (!inTransaction()) {
        trancount_ = 0;
        throw noTransaction(TransactionCommand::Commit);
    }
    if (trancount_ == 1) {
        const int rc = sqlite3_exec(db_, "COMMIT", nullptr, nullptr, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
    }
    --trancount_;
}

void SqliteEngine::rollbackTrans() {
    const LockWaitScope scope(*this);
    parkCursors();
    if (trancount_ == 0)
        throw noTransaction(TransactionCommand::Rollback);
    trancount_ = 0;
    if (sqlite3_get_autocommit(db_))
        return; // SQLite already rolled back after a failure
    const int rc = sqlite3_exec(db_, "ROLLBACK", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
}

void SqliteEngine::dropPrepared() {
    for (sqlite3_stmt* st : std::as_const(prepared_))
        sqlite3_finalize(st);
    prepared_.clear();
}

sqlite3_stmt* SqliteEngine::preparedStatement(const QString& text) {
    if (const auto it = prepared_.constFind(text); it != prepared_.constEnd())
        return *it;
    const QString sql = sqltext::nulsSpelled(sqlrewrite::toSqlite(
        text, [this](const QString& table) { return declaredColumns(table); }));
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    const int rc = sqlite3_prepare_v3(db_, utf8.constData(), int(utf8.size()),
                                      SQLITE_PREPARE_PERSISTENT, &st, &tail);
    if (rc != SQLITE_OK)
        fail(rc);
    if (!st || !QByteArray(tail).trimmed().isEmpty()) {
        sqlite3_finalize(st);
        throw sqliteException(SQLITE_MISUSE,
                              QStringLiteral("Se esperaba una sola instrucción: %1").arg(text));
    }
    // A handful of texts is what a save repeats; more means texts that vary.
    if (prepared_.size() >= 16)
        dropPrepared();
    prepared_.insert(text, st);
    return st;
}

long SqliteEngine::executePrepared(const QString& text, const std::vector<QVariantList>& rows) {
    const LockWaitScope scope(*this);
    parkCursors();
    syncSchema();
    long written = 0;
    for (const QVariantList& values : rows) {
        checkFault(text);
        sqlite3_stmt* st = preparedStatement(text);
        if (sqlite3_bind_parameter_count(st) != values.size())
            throw sqliteException(SQLITE_RANGE,
                                  QStringLiteral("La instrucción espera %1 valores y recibió %2.")
                                      .arg(sqlite3_bind_parameter_count(st))
                                      .arg(values.size()));
        for (int i = 0; i < values.size(); ++i)
            bindValue(st, i + 1, values[i]);
        const sqlite3_int64 before = sqlite3_total_changes64(db_);
        const int rc = sqlite3_step(st);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW) {
            const Exception e = sqliteException(rc, QString::fromUtf8(sqlite3_errmsg(db_)));
            sqlite3_reset(st);
            sqlite3_clear_bindings(st);
            throw e;
        }
        // SQLite does not count the rows a view's triggers write.
        sqlite3_int64 direct = sqlite3_changes64(db_);
        if (direct == 0)
            direct = sqlite3_total_changes64(db_) - before;
        written += long(direct);
        sqlite3_reset(st);
        sqlite3_clear_bindings(st);
    }
    return written;
}

BatchResult SqliteEngine::execute(const QString& text, bool forUpdate) {
    const LockWaitScope scope(*this);
    parkCursors();
    BatchResult out;
    const QStringList statements = sqltext::splitBatch(text);
    for (const QString& s : statements)
        runStatement(s, forUpdate && statements.size() == 1, out);
    return out;
}

namespace {

// Reads every row of a stepped statement; `skip` leading columns are the
// hidden key: the rowid, or with `keyList` the values of a view's key columns.
RowSet collectRows(sqlite3_stmt* st, int skip, int& rc, bool keyList = false) {
    RowSet rs;
    const int n = sqlite3_column_count(st);
    for (int i = skip; i < n; ++i) {
        Column c;
        c.name = QString::fromUtf8(sqlite3_column_name(st, i));
        c.declType = QString::fromUtf8(sqlite3_column_decltype(st, i));
        c.baseTable = QString::fromUtf8(sqlite3_column_table_name(st, i));
        c.baseColumn = QString::fromUtf8(sqlite3_column_origin_name(st, i));
        rs.columns.push_back(c);
    }
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        std::vector<QVariant> row;
        row.reserve(size_t(n - skip));
        for (int i = skip; i < n; ++i)
            row.push_back(rawValue(st, i));
        if (keyList) {
            QVariantList key;
            for (int i = 0; i < skip; ++i)
                key << rawValue(st, i);
            rs.keys.push_back(key);
        } else if (skip) {
            rs.keys.push_back(QVariant(qlonglong(sqlite3_column_int64(st, 0))));
        }
        rs.rows.push_back(std::move(row));
    }
    if (rc == SQLITE_DONE)
        rc = SQLITE_OK;
    // Types: declared first, else from the values held.
    for (size_t i = 0; i < rs.columns.size(); ++i) {
        Column& c = rs.columns[i];
        auto [type, size] = adoTypeOfDeclared(c.declType);
        if (type == adEmpty)
            std::tie(type, size) = typeOfValues(rs.rows, int(i));
        c.type = type;
        c.definedSize = size;
        // A variable-width text column keeps the texts as read.
        const bool textoQueda = isCharType(type) && type != adChar && type != adWChar;
        for (auto& row : rs.rows)
            if (!textoQueda || row[i].typeId() != QMetaType::QString)
                row[i] = convertValue(c, row[i]);
    }
    return rs;
}

} // namespace

// ---- Cursors --------------------------------------------------------------------------

// A query read a batch at a time from its statement. Let go of, it keeps
// the count of rows given; reading on runs the query again and passes over
// that many. A column without a declared type takes the type of the values
// of the first batch; later values that would lose by it keep their own.
class SqliteEngine::StreamCursor final : public Cursor {
public:
    StreamCursor(SqliteEngine& engine, QString sql, sqlite3_stmt* st)
        : engine_(&engine), sql_(std::move(sql)), st_(st) {
        for (int i = 0; i < sqlite3_column_count(st); ++i) {
            Column c;
            c.name = QString::fromUtf8(sqlite3_column_name(st, i));
            c.declType = QString::fromUtf8(sqlite3_column_decltype(st, i));
            c.baseTable = QString::fromUtf8(sqlite3_column_table_name(st, i));
            c.baseColumn = QString::fromUtf8(sqlite3_column_origin_name(st, i));
            std::tie(c.type, c.definedSize) = adoTypeOfDeclared(c.declType);
            byValues_.push_back(c.type == adEmpty);
            columns_.push_back(c);
        }
        engine_->cursors_.push_back(this);
    }
    ~StreamCursor() override {
        finalize();
        if (engine_)
            std::erase(engine_->cursors_, this);
    }
    StreamCursor(const StreamCursor&) = delete;
    StreamCursor& operator=(const StreamCursor&) = delete;

    const std::vector<Column>& columns() const override { return columns_; }

    bool fetch(std::vector<std::vector<QVariant>>& rows, int n) override {
        if (!engine_)
            throwAdo(adErrInvalidConnection);
        if (done_)
            return false;
        const LockWaitScope scope(*engine_);
        if (!st_ && !resume())
            return false;
        const int width = int(columns_.size());
        const size_t first = rows.size();
        int rc = SQLITE_ROW;
        for (int k = 0; k < n && (rc = sqlite3_step(st_)) == SQLITE_ROW; ++k) {
            std::vector<QVariant> row;
            row.reserve(size_t(width));
            for (int i = 0; i < width; ++i)
                row.push_back(rawValue(st_, i));
            rows.push_back(std::move(row));
            ++given_;
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            // None of this batch is given: reading again reads it again.
            given_ -= qint64(rows.size() - first);
            rows.resize(first);
            failStep(rc);
        }
        if (!typed_) {
            std::vector<std::vector<QVariant>> batch(rows.begin() + qsizetype(first), rows.end());
            for (int i = 0; i < width; ++i)
                if (byValues_[size_t(i)])
                    std::tie(columns_[size_t(i)].type, columns_[size_t(i)].definedSize) =
                        typeOfValues(batch, i);
            typed_ = true;
        }
        for (size_t r = first; r < rows.size(); ++r)
            for (int i = 0; i < width; ++i) {
                QVariant& v = rows[r][size_t(i)];
                const Column& c = columns_[size_t(i)];
                // A real among the whole numbers the first values showed.
                if (byValues_[size_t(i)] && v.typeId() == QMetaType::Double &&
                    (c.type == adInteger || c.type == adBigInt))
                    continue;
                v = convertValue(c, v);
            }
        if (rc == SQLITE_DONE) {
            done_ = true;
            finalize(); // the last row is read: nothing stays held
        }
        return !done_;
    }

    void release() override { finalize(); }
    void rewind() override {
        finalize();
        given_ = 0;
        done_ = false;
    }
    void detach() {
        finalize();
        engine_ = nullptr;
    }

private:
    void finalize() {
        sqlite3_finalize(st_);
        st_ = nullptr;
    }
    [[noreturn]] void failStep(int rc) {
        const Exception e = sqliteException(rc, QString::fromUtf8(sqlite3_errmsg(engine_->db_)));
        finalize(); // the next read runs the query again from where it stopped
        throw e;
    }
    // Runs the query again and passes over the rows given; false when it has
    // no more rows now.
    bool resume() {
        const QByteArray utf8 = sql_.toUtf8();
        const int rc =
            sqlite3_prepare_v2(engine_->db_, utf8.constData(), int(utf8.size()), &st_, nullptr);
        if (rc != SQLITE_OK) {
            finalize();
            engine_->fail(rc);
        }
        for (qint64 i = 0; i < given_; ++i) {
            const int step = sqlite3_step(st_);
            if (step == SQLITE_DONE) {
                done_ = true;
                finalize();
                return false;
            }
            if (step != SQLITE_ROW)
                failStep(step);
        }
        return true;
    }

    SqliteEngine* engine_;
    QString sql_; // as SQLite runs it
    sqlite3_stmt* st_;
    std::vector<Column> columns_;
    std::vector<bool> byValues_;
    bool typed_ = false;
    bool done_ = false;
    qint64 given_ = 0;
};

void SqliteEngine::parkCursors() {
    for (StreamCursor* c : cursors_)
        c->release();
}

void SqliteEngine::detachCursors() {
    for (StreamCursor* c : cursors_)
        c->detach();
    cursors_.clear();
}

std::unique_ptr<Cursor> SqliteEngine::openCursor(const QString& text) {
    const QStringList statements = sqltext::splitBatch(text);
    if (statements.size() != 1 ||
        transactionCommand(statements.front()) != TransactionCommand::None ||
        isNoCount(statements.front()) || sqlrewrite::conditional(statements.front()))
        return Engine::openCursor(text);
    const QString& original = statements.front();
    const LockWaitScope scope(*this);
    parkCursors();
    syncSchema();
    const QString sql = sqltext::nulsSpelled(sqlrewrite::toSqlite(
        original, [this](const QString& table) { return declaredColumns(table); }));
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt* st = nullptr;
    const char* tail = nullptr;
    // Only a query that reads is held open; anything else runs as execute
    // runs it, its failures included.
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &st, &tail) != SQLITE_OK ||
        !st || !QByteArray(tail).trimmed().isEmpty() || sqlite3_column_count(st) == 0 ||
        !sqlite3_stmt_readonly(st)) {
        sqlite3_finalize(st);
        return Engine::openCursor(text);
    }
    try {
        checkFault(original);
    } catch (...) {
        sqlite3_finalize(st);
        throw;
    }
    return std::make_unique<StreamCursor>(*this, sql, st);
}

bool SqliteEngine::runStatement(const QString& original, bool forUpdate, BatchResult& out) {
    checkFault(original);
    if (runTransactionCommand(original) || isNoCount(original))
        return false;
    if (const std::optional<sqlrewrite::Conditional> c = sqlrewrite::conditional(original))
        return runConditional(*c, forUpdate, out);
    syncSchema();
    dropChecksBeforeReshaping(original);
    const QString sql = rewritten(original);
    if (sql.trimmed().isEmpty() || runAddColumn(db_, sql))
        return false;
    if (forUpdate && readWritable(sql, out))
        return true;
    return runEach(sql, out);
}

bool SqliteEngine::runTransactionCommand(const QString& original) {
    switch (transactionCommand(original)) {
    case TransactionCommand::Begin:
        beginTrans();
        return true;
    case TransactionCommand::Commit:
        commitTrans();
        return true;
    case TransactionCommand::Rollback:
        rollbackTrans();
        return true;
    case TransactionCommand::None:
        break;
    }
    return false;
}

bool SqliteEngine::runConditional(const sqlrewrite::Conditional& c, bool forUpdate,
                                  BatchResult& out) {
    BatchResult test;
    runStatement(c.test, false, test);
    const bool holds = test.rows && !test.rows->rows.empty() && !test.rows->rows.front().empty() &&
                       test.rows->rows.front().front().toInt() == 1;
    return holds && runStatement(c.statement, forUpdate, out);
}

void SqliteEngine::dropChecksBeforeReshaping(const QString& original) {
    static const QRegularExpression reshapes(QStringLiteral("^\\s*(ALTER|DROP)\\b"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reshapes.match(original).hasMatch()) {
        // The checks name columns and views that the change may take away;
        // the next statement makes them again.
        removeWriteChecks(db_);
        checksVersion_ = -1;
    }
}

QString SqliteEngine::rewritten(const QString& original) {
    return sqltext::nulsSpelled(sqlrewrite::toSqlite(
        original, [this](const QString& table) { return declaredColumns(table); }));
}

// Writable: the same SELECT with the rowid in front, when every column it
// gives comes from one table; on a writable view, with its key.
bool SqliteEngine::readWritable(const QString& sql, BatchResult& out) {
    const qsizetype at = rowidInsertPoint(sql);
    if (at < 0)
        return false;
    if (const UpdatableView* view = viewRead(sql, views_))
        if (readThroughView(sql, at, *view, out))
            return true;
    return readWithRowid(sql, at, out);
}

bool SqliteEngine::readWithRowid(const QString& sql, qsizetype at, BatchResult& out) {
    QString withKey = sql;
    withKey.insert(at, QStringLiteral(" rowid AS %1,").arg(QLatin1String(kRowidAlias)));
    Statement s;
    const char* tail = nullptr;
    const QByteArray utf8 = withKey.toUtf8();
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &s.st, &tail) != SQLITE_OK ||
        !s.st || !QByteArray(tail).trimmed().isEmpty())
        return false;
    const char* keyTable = sqlite3_column_table_name(s.st, 0);
    if (!keyTable)
        return false;
    for (int i = 1; i < sqlite3_column_count(s.st); ++i) {
        const char* t = sqlite3_column_table_name(s.st, i);
        const char* dbName = sqlite3_column_database_name(s.st, i);
        if (t && (qstricmp(t, keyTable) != 0 || qstrcmp(dbName, "main") != 0))
            return false;
    }
    int rc = SQLITE_OK;
    RowSet rs = collectRows(s.st, 1, rc);
    if (rc != SQLITE_OK)
        fail(rc);
    rs.baseTable = QString::fromUtf8(keyTable);
    out.rows = std::move(rs);
    return true;
}

// Each statement of the rewritten text in turn: the last one that gives rows
// is the result, the others add up their changed rows.
bool SqliteEngine::runEach(const QString& sql, BatchResult& out) {
    const QByteArray utf8 = sql.toUtf8();
    const char* pos = utf8.constData();
    const char* end = pos + utf8.size();
    bool gaveRows = false;
    while (pos < end) {
        Statement s;
        const char* tail = nullptr;
        int rc = sqlite3_prepare_v2(db_, pos, int(end - pos), &s.st, &tail);
        if (rc != SQLITE_OK)
            fail(rc);
        pos = tail;
        if (!s.st) // only blanks or comments left
            break;
        if (sqlite3_column_count(s.st) > 0) {
            RowSet rs = collectRows(s.st, 0, rc);
            if (rc != SQLITE_OK)
                fail(rc);
            out.rows = std::move(rs);
            gaveRows = true;
            continue;
        }
        runChange(s.st, out);
    }
    return gaveRows;
}

void SqliteEngine::runChange(sqlite3_stmt* st, BatchResult& out) {
    const sqlite3_int64 before = sqlite3_total_changes64(db_);
    const int rc = sqlite3_step(st);
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        fail(rc);
    if (!isDml(QString::fromUtf8(sqlite3_sql(st))))
        return;
    // SQLite does not count the rows a view's triggers write.
    sqlite3_int64 direct = sqlite3_changes64(db_);
    if (direct == 0)
        direct = sqlite3_total_changes64(db_) - before;
    const long changes = long(direct);
    out.recordsAffected = out.recordsAffected < 0 ? changes : out.recordsAffected + changes;
}

bool SqliteEngine::readThroughView(const QString& sql, qsizetype at, const UpdatableView& view,
                                   BatchResult& out) {
    QStringList keys;
    for (qsizetype i = 0; i < view.keys.size(); ++i)
        keys << QStringLiteral(" %1 AS qz_key%2__,").arg(sqltext::identifier(view.keys[i])).arg(i);
    QString withKeys = sql;
    withKeys.insert(at, keys.join(QString()));
    Statement s;
    const QByteArray utf8 = withKeys.toUtf8();
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, utf8.constData(), int(utf8.size()), &s.st, &tail) != SQLITE_OK ||
        !s.st || !QByteArray(tail).trimmed().isEmpty())
        return false;
    const int skip = int(view.keys.size());
    for (int i = skip; i < sqlite3_column_count(s.st); ++i) {
        const char* t = sqlite3_column_table_name(s.st, i);
        if (t && view.base.compare(QString::fromUtf8(t), Qt::CaseInsensitive) != 0)
            return false;
    }
    int rc = SQLITE_OK;
    RowSet rs = collectRows(s.st, skip, rc, true);
    if (rc != SQLITE_OK)
        fail(rc);
    rs.baseTable = view.name;
    out.rows = std::move(rs);
    return true;
}

QList<sqlrewrite::DeclaredColumn> SqliteEngine::declaredColumns(const QString& table) {
    const QString key = table.toUpper();
    if (const auto it = declared_.constFind(key); it != declared_.constEnd())
        return *it;
    QList<sqlrewrite::DeclaredColumn> cols;
    Statement s;
    int rc =
        sqlite3_prepare_v2(db_, "SELECT name, type FROM pragma_table_info(?)", -1, &s.st, nullptr);
    if (rc == SQLITE_OK) {
        sqlite3_bind_text16(s.st, 1, table.utf16(), int(table.size() * 2), SQLITE_TRANSIENT);
        while ((rc = sqlite3_step(s.st)) == SQLITE_ROW)
            cols.push_back(
                {QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0))),
                 QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 1)))});
    }
    // A failed read (a locked catalogue) is not kept: the next statement asks again.
    if (rc == SQLITE_DONE)
        declared_.insert(key, cols);
    return cols;
}

namespace {

// The column of the written table or view that a recordset column stands for.
QString writtenName(const Column& c, const UpdatableView* view) {
    return view ? view->columnOf.value(c.baseColumn.toUpper(), c.baseColumn) : c.baseColumn;
}

// The condition that picks out the row with `key`: its rowid, or on a view
// its key columns (one "?" each).
QString keyCondition(const UpdatableView* view) {
    if (!view)
        return QStringLiteral("rowid=?");
    QStringList parts;
    for (const QString& k : view->keys)
        parts << sqltext::identifier(k) + QStringLiteral(" IS ?");
    return parts.join(QStringLiteral(" AND "));
}

void bindKey(sqlite3_stmt* st, int first, const QVariant& key, const UpdatableView* view) {
    if (!view) {
        sqlite3_bind_int64(st, first, key.toLongLong());
        return;
    }
    const QVariantList values = key.toList();
    for (qsizetype i = 0; i < view->keys.size(); ++i)
        bindValue(st, first + int(i), values.value(i));
}

} // namespace

QVariant SqliteEngine::insertRow(const QString& table, const ColumnValues& values) {
    const LockWaitScope scope(*this);
    parkCursors();
    const UpdatableView* view = viewNamed(table);
    QString sql;
    QStringList names;
    if (values.empty()) {
        sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(sqltext::identifier(table));
    } else {
        QStringList marks;
        for (const auto& [col, v] : values) {
            names << writtenName(*col, view);
            marks << QStringLiteral("?");
        }
        QStringList quoted;
        for (const QString& n : names)
            quoted << sqltext::identifier(n);
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                  .arg(sqltext::identifier(table), quoted.join(u','), marks.join(u','));
    }
    checkFault(sql);
    Statement s;
    prepare(sql, s);
    int i = 1;
    for (const auto& value : values)
        bindValue(s.st, i++, value.second);
    const int rc = sqlite3_step(s.st);
    if (rc != SQLITE_DONE)
        fail(rc);
    if (!view)
        return QVariant(qlonglong(sqlite3_last_insert_rowid(db_)));
    // A view's row is known by its key columns: as written, else their default.
    QVariantList key;
    for (qsizetype k = 0; k < view->keys.size(); ++k) {
        QVariant v = view->keyDefaults.value(k);
        for (qsizetype n = 0; n < names.size(); ++n)
            if (names[n].compare(view->keys[k], Qt::CaseInsensitive) == 0)
                v = values[size_t(n)].second;
        key << v;
    }
    return key;
}

QVariant SqliteEngine::updateRow(const QString& table, const QVariant& key,
                                 const ColumnValues& values) {
    const LockWaitScope scope(*this);
    parkCursors();
    if (values.empty())
        return key;
    const UpdatableView* view = viewNamed(table);
    QStringList sets;
    for (const auto& [col, v] : values)
        sets << sqltext::identifier(writtenName(*col, view)) + QStringLiteral("=?");
    const QString sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3")
                            .arg(sqltext::identifier(table), sets.join(u','), keyCondition(view));
    checkFault(sql);
    Statement s;
    prepare(sql, s);
    int i = 1;
    for (const auto& value : values)
        bindValue(s.st, i++, value.second);
    bindKey(s.st, i, key, view);
    const sqlite3_int64 before = sqlite3_total_changes64(db_);
    const int rc = sqlite3_step(s.st);
    if (rc != SQLITE_DONE)
        fail(rc);
    if (sqlite3_total_changes64(db_) == before)
        throw Exception(adoError(adErrRowNotFound));
    if (!view)
        return key;
    QVariantList moved = key.toList();
    for (qsizetype k = 0; k < view->keys.size(); ++k)
        for (const auto& [col, v] : values)
            if (writtenName(*col, view).compare(view->keys[k], Qt::CaseInsensitive) == 0)
                moved[k] = v;
    return moved;
}

void SqliteEngine::deleteRow(const QString& table, const QVariant& key) {
    const LockWaitScope scope(*this);
    parkCursors();
    const UpdatableView* view = viewNamed(table);
    const QString sql = QStringLiteral("DELETE FROM %1 WHERE %2")
                            .arg(sqltext::identifier(table), keyCondition(view));
    checkFault(sql);
    Statement s;
    prepare(sql, s);
    bindKey(s.st, 1, key, view);
    const sqlite3_int64 before = sqlite3_total_changes64(db_);
    const int rc = sqlite3_step(s.st);
    if (rc != SQLITE_DONE)
        fail(rc);
    if (sqlite3_total_changes64(db_) == before)
        throw Exception(adoError(adErrRowNotFound));
}

std::vector<QVariant> SqliteEngine::readRow(const QString& table,
                                            const std::vector<Column>& columns,
                                            const QVariant& key) {
    const LockWaitScope scope(*this);
    parkCursors();
    const UpdatableView* view = viewNamed(table);
    QStringList names;
    for (const Column& c : columns)
        names << (c.baseColumn.isEmpty() ? QStringLiteral("NULL")
                                         : sqltext::identifier(writtenName(c, view)));
    const QString sql = QStringLiteral("SELECT %1 FROM %2 WHERE %3 LIMIT 1")
                            .arg(names.join(u','), sqltext::identifier(table), keyCondition(view));
    Statement s;
    prepare(sql, s);
    bindKey(s.st, 1, key, view);
    const int rc = sqlite3_step(s.st);
    if (rc == SQLITE_DONE)
        throw Exception(adoError(adErrRowNotFound));
    if (rc != SQLITE_ROW)
        fail(rc);
    std::vector<QVariant> row;
    for (size_t i = 0; i < columns.size(); ++i)
        row.push_back(columns[i].baseColumn.isEmpty()
                          ? QVariant()
                          : convertValue(columns[i], rawValue(s.st, int(i))));
    return row;
}

// ---- Catalogue ----------------------------------------------------------------------

RowSet SqliteEngine::schemaTables(const QString& table, const QString& type) {
    const LockWaitScope scope(*this);
    parkCursors();
    checkFault(QStringLiteral("OpenSchema %1").arg(int(adSchemaTables)));
    return listTables(table, type);
}

RowSet SqliteEngine::listTables(const QString& table, const QString& type) {
    RowSet rs;
    rs.columns = schemaTablesLayout();
    Statement s;
    int rc = sqlite3_prepare_v2(db_,
                                "SELECT name, type FROM sqlite_master WHERE type IN "
                                "('table','view') ORDER BY name",
                                -1, &s.st, nullptr);
    if (rc != SQLITE_OK)
        fail(rc);
    while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
        const QString name =
            QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0)));
        if (name.startsWith(QLatin1String("sqlite_"), Qt::CaseInsensitive))
            continue;
        const QString kind =
            qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 1)), "view") == 0
                ? QStringLiteral("VIEW")
                : QStringLiteral("TABLE");
        if (!table.isEmpty() && name.compare(table, Qt::CaseInsensitive) != 0)
            continue;
        if (!type.isEmpty() && kind.compare(type, Qt::CaseInsensitive) != 0)
            continue;
        rs.rows.push_back({database_, QStringLiteral("dbo"), name, kind});
    }
    if (rc != SQLITE_DONE)
        fail(rc);
    return rs;
}

RowSet SqliteEngine::schemaColumns(const QString& table, const QString& column) {
    const LockWaitScope scope(*this);
    parkCursors();
    checkFault(QStringLiteral("OpenSchema %1").arg(int(adSchemaColumns)));
    const RowSet tables = listTables(table, QString());
    RowSet rs;
    rs.columns = schemaColumnsLayout();
    for (const auto& t : tables.rows) {
        const QString name = t[2].toString();
        Statement s;
        int rc = sqlite3_prepare_v2(db_, "SELECT name, type, \"notnull\" FROM pragma_table_info(?)",
                                    -1, &s.st, nullptr);
        if (rc != SQLITE_OK)
            fail(rc);
        sqlite3_bind_text16(s.st, 1, name.utf16(), int(name.size() * 2), SQLITE_TRANSIENT);
        int ordinal = 0;
        while ((rc = sqlite3_step(s.st)) == SQLITE_ROW) {
            ++ordinal;
            const QString col =
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 0)));
            if (!column.isEmpty() && col.compare(column, Qt::CaseInsensitive) != 0)
                continue;
            auto [type, size] = adoTypeOfDeclared(
                QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(s.st, 1))));
            if (type == adEmpty)
                std::tie(type, size) = std::pair<int, long>{adVarWChar, 0};
            const QVariant maxLength = isCharType(type) ? QVariant(int(size)) : vb::Null();
            rs.rows.push_back({database_, QStringLiteral("dbo"), name, col, QVariant(ordinal),
                               QVariant(type), maxLength,
                               QVariant(sqlite3_column_int(s.st, 2) == 0)});
        }
        if (rc != SQLITE_DONE)
            fail(rc);
    }
    return rs;
}

} // namespace ado
