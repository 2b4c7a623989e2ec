#pragma once
// What the benches share: a clock of wall and processor time, and to build
// their synthetic companies a new company file with the program's schema and
// the engine's functions, and statements that end the bench when they fail.

#include "platform/ado/engine_sqlite.h"

#include <QElapsedTimer>
#include <QFile>
#include <QString>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sqlite3.h>

namespace bench {

// Wall time and the time this thread ran, in ms: on a busy machine the wall
// time also counts the waits for a processor; the thread's time does not.
class Reloj {
public:
    Reloj() { restart(); }
    void restart() {
        pared_.start();
        cpu_ = Cpu();
    }
    double pared() const { return double(pared_.nsecsElapsed()) / 1e6; }
    double cpu() const { return Cpu() - cpu_; }

private:
    static double Cpu() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return double(t.tv_sec) * 1e3 + double(t.tv_nsec) / 1e6;
    }
    QElapsedTimer pared_;
    double cpu_ = 0;
};

[[noreturn]] inline void Falla(sqlite3* db, const char* que) {
    std::fprintf(stderr, "%s: %s\n", que, sqlite3_errmsg(db));
    std::exit(1);
}

inline void Ejecuta(sqlite3* db, const QString& sql) {
    char* err = nullptr;
    if (sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", err ? err : "?");
        std::exit(1);
    }
}

// Creates the file with the program's schema (QUARZELO_SCHEMA), open with the
// engine's SQL Server functions (the schema's columns name its collation).
inline sqlite3* EmpresaNueva(const QString& archivo, const char* que) {
    QFile esquema(QStringLiteral(QUARZELO_SCHEMA));
    if (!esquema.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "no se puede leer %s\n", qPrintable(esquema.fileName()));
        std::exit(1);
    }
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(QFile::encodeName(archivo).constData(), &db,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK)
        Falla(db, que);
    ado::registerSqlServerFunctions(db);
    Ejecuta(db, QString::fromUtf8(esquema.readAll()));
    return db;
}

} // namespace bench
