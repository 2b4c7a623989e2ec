// quarzelo-mkdb: builds a company database file from SQL scripts.
//
//   quarzelo-mkdb <output.db> <script.sql>...
//
// The scripts run in the order given, as they are written (SQLite's dialect,
// not the program's), in one transaction, on a connection that has the
// engine's collation and functions: the schema declares its text columns
// COLLATE SQLSRV, which the plain sqlite3 shell does not know. The file is
// built beside the output and renamed over it only when every script ran, so
// a failed build leaves the previous database as it was. Each script after the
// first runs under the engine's write checks on the tables the earlier ones
// made, so data that the server would refuse does not get in.

#include "platform/ado/engine_sqlite.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <sqlite3.h>

namespace {

int fail(const QString& message) {
    std::fprintf(stderr, "quarzelo-mkdb: %s\n", message.toLocal8Bit().constData());
    return 1;
}

// Empty on success, else the engine's message.
QString run(sqlite3* db, const QByteArray& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &err) == SQLITE_OK)
        return {};
    QString message = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    return message;
}

QString build(const QString& file, const QString& database, const QStringList& scripts) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(file).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        const QString message = QString::fromUtf8(db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return QStringLiteral("cannot create %1: %2").arg(file, message);
    }
    ado::registerSqlServerFunctions(db);
    QString error = run(db, "BEGIN");
    for (int i = 0; error.isEmpty() && i < scripts.size(); ++i) {
        QFile f(scripts.at(i));
        if (!f.open(QIODevice::ReadOnly)) {
            error = QStringLiteral("cannot read %1: %2").arg(f.fileName(), f.errorString());
            break;
        }
        ado::installWriteChecks(db, database);
        error = run(db, f.readAll());
        if (!error.isEmpty())
            error = QStringLiteral("%1: %2").arg(f.fileName(), error);
    }
    if (error.isEmpty())
        error = run(db, "COMMIT");
    // The foreign keys the schema declares are checked when the program opens
    // the file; a data script that breaks one is caught here instead.
    if (error.isEmpty()) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA foreign_key_check", -1, &st, nullptr) == SQLITE_OK &&
            sqlite3_step(st) == SQLITE_ROW)
            error = QStringLiteral("a row of %1 names a missing parent row")
                        .arg(QString::fromUtf8(
                            reinterpret_cast<const char*>(sqlite3_column_text(st, 0))));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return error;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3)
        return fail(QStringLiteral("usage: quarzelo-mkdb <output.db> <script.sql>..."));
    const QString output = QFile::decodeName(argv[1]);
    QStringList scripts;
    for (int i = 2; i < argc; ++i)
        scripts.append(QFile::decodeName(argv[i]));

    const QFileInfo target(output);
    if (!target.absoluteDir().exists())
        return fail(QStringLiteral("no folder %1").arg(target.absolutePath()));
    const QString work = target.absoluteFilePath() + QStringLiteral(".new");
    QFile::remove(work);
    const QString error = build(work, target.completeBaseName(), scripts);
    if (!error.isEmpty()) {
        QFile::remove(work);
        return fail(error);
    }
    QFile::remove(output);
    if (!QFile::rename(work, output))
        return fail(QStringLiteral("cannot replace %1").arg(output));
    return 0;
}
