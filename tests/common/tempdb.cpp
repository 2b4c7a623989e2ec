#include "common/tempdb.h"
#include "common/odbc_env.h"
#include "platform/ado/engine_sqlite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <stdexcept>

namespace testutil {

namespace {

[[noreturn]] void fail(const QString& message) {
    // Recorded as a failure even when the code under test swallows exceptions.
    ADD_FAILURE() << message.toStdString();
    throw std::runtime_error(message.toStdString());
}

const QString& schemaText() {
    static const QString text = [] {
        QFile f(QStringLiteral(QUARZELO_SCHEMA));
        if (!f.open(QIODevice::ReadOnly))
            fail(
                QStringLiteral("cannot read the schema %1: %2").arg(f.fileName(), f.errorString()));
        return QString::fromUtf8(f.readAll());
    }();
    return text;
}

// One connection to the file for the length of one helper call.
class Handle {
public:
    Handle(const QString& path, bool create) {
        const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
        if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db_, flags, nullptr) !=
            SQLITE_OK) {
            const QString msg = QString::fromUtf8(db_ ? sqlite3_errmsg(db_) : "out of memory");
            sqlite3_close(db_);
            db_ = nullptr;
            fail(QStringLiteral("cannot open %1: %2").arg(path, msg));
        }
        sqlite3_busy_timeout(db_, 200);
        TempDatabase::registerCollation(db_);
    }
    ~Handle() { sqlite3_close(db_); }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;

    sqlite3* db() const { return db_; }
    QString error() const { return QString::fromUtf8(sqlite3_errmsg(db_)); }

    // Empty on success, else the engine's message.
    QString run(const QString& sql) const {
        char* err = nullptr;
        if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err) == SQLITE_OK)
            return {};
        QString msg = QString::fromUtf8(err ? err : "unknown error");
        sqlite3_free(err);
        return msg;
    }

private:
    sqlite3* db_ = nullptr;
};

QVariant columnValue(sqlite3_stmt* st, int i) {
    switch (sqlite3_column_type(st, i)) {
    case SQLITE_INTEGER:
        return QVariant(qlonglong(sqlite3_column_int64(st, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(st, i));
    case SQLITE_TEXT:
        return QVariant(QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, i)),
                                          sqlite3_column_bytes(st, i)));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(st, i)),
                                   sqlite3_column_bytes(st, i)));
    default:
        return QVariant();
    }
}

} // namespace

void TempDatabase::registerCollation(sqlite3* db) {
    ado::registerSqlServerFunctions(db);
}

TempDatabase::TempDatabase(const QString& name, Schema schema)
    : TempDatabase(std::make_shared<QTemporaryDir>(), name, schema) {}

TempDatabase::TempDatabase(std::shared_ptr<QTemporaryDir> dir, const QString& name, Schema schema)
    : dir_(std::move(dir)), name_(name) {
    if (!dir_->isValid())
        fail(QStringLiteral("cannot create a temporary folder: %1").arg(dir_->errorString()));
    if (QFileInfo::exists(path()))
        fail(QStringLiteral("database %1 already exists").arg(path()));
    create(schema);
}

TempDatabase TempDatabase::sibling(const QString& name, Schema schema) const {
    return TempDatabase(dir_, name, schema);
}

void TempDatabase::create(Schema schema) const {
    Handle h(path(), true);
    if (schema == Schema::Empty)
        return;
    // One transaction: the whole schema or nothing, and one sync instead of
    // one per statement.
    const QString err =
        h.run(QStringLiteral("BEGIN;\n") + schemaText() + QStringLiteral("\n;COMMIT;"));
    if (!err.isEmpty()) {
        h.run(QStringLiteral("ROLLBACK;"));
        fail(QStringLiteral("schema %1 does not load: %2")
                 .arg(QStringLiteral(QUARZELO_SCHEMA), err));
    }
}

QString TempDatabase::folder() const {
    return dir_->path();
}

QString TempDatabase::path() const {
    return QDir(folder()).filePath(name_ + QStringLiteral(".db"));
}

QString TempDatabase::connectionString() const {
    if (viaOdbc())
        return odbcConnectionString();
    return QStringLiteral("PROVIDER=SQLOLEDB;Server=%1;Database =%2;UId=sa;Pwd=;")
        .arg(folder(), name_);
}

namespace {

// Every SQLite connection of the process, the driver's among them, gets the
// collation the schema names and the server's functions.
int sqlServerDialect(sqlite3* db, char**, const sqlite3_api_routines*) {
    ado::registerSqlServerFunctions(db);
    sqlite3_extended_result_codes(db, 1);
    return SQLITE_OK;
}

} // namespace

QString odbcConnectionString(const QString& path) {
    static const bool registered = [] {
        return sqlite3_auto_extension(reinterpret_cast<void (*)()>(&sqlServerDialect)) == SQLITE_OK;
    }();
    if (!registered)
        fail(QStringLiteral("cannot register the SQLite extension"));
    // The driver waits for a lock two seconds, as the embedded engine waits a few.
    return QStringLiteral("DRIVER=SQLite3;DATABASE=%1;Timeout=2000;").arg(path);
}

QString TempDatabase::odbcConnectionString() const {
    return testutil::odbcConnectionString(path());
}

void TempDatabase::exec(const QString& sql) const {
    const QString err = tryExec(sql);
    if (!err.isEmpty())
        fail(QStringLiteral("%1\n  in: %2").arg(err, sql));
}

QString TempDatabase::tryExec(const QString& sql) const {
    Handle h(path(), false);
    return h.run(sql);
}

QVariant TempDatabase::scalar(const QString& sql) const {
    const QList<QVariantList> r = rows(sql);
    if (r.isEmpty() || r.first().isEmpty())
        return QVariant();
    return r.first().first();
}

QList<QVariantList> TempDatabase::rows(const QString& sql) const {
    Handle h(path(), false);
    sqlite3_stmt* st = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v2(h.db(), text.constData(), int(text.size()), &st, nullptr) != SQLITE_OK)
        fail(QStringLiteral("%1\n  in: %2").arg(h.error(), sql));
    QList<QVariantList> result;
    if (!st) // nothing but blanks or comments
        return result;
    int rc;
    while ((rc = sqlite3_step(st)) == SQLITE_ROW) {
        QVariantList row;
        const int n = sqlite3_column_count(st);
        row.reserve(n);
        for (int i = 0; i < n; ++i)
            row.append(columnValue(st, i));
        result.append(row);
    }
    const QString err = rc == SQLITE_DONE ? QString() : h.error();
    sqlite3_finalize(st);
    if (!err.isEmpty())
        fail(QStringLiteral("%1\n  in: %2").arg(err, sql));
    return result;
}

} // namespace testutil
