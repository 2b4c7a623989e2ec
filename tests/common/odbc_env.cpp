#include "common/odbc_env.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>
#include <dlfcn.h>

namespace testutil {

namespace {

QTemporaryDir& folder() {
    static QTemporaryDir dir;
    return dir;
}

void write(const QString& path, const QString& text) {
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        std::abort();
    }
}

} // namespace

void isolateOdbc() {
    QTemporaryDir& dir = folder();
    if (!dir.isValid()) {
        std::fprintf(stderr, "cannot create the ODBC configuration folder\n");
        std::abort();
    }
    write(dir.filePath(QStringLiteral("odbcinst.ini")),
          QStringLiteral("[SQLite3]\nDescription=SQLite3 ODBC Driver\nDriver=%1\n")
              .arg(QStringLiteral(QUARZELO_SQLITE_ODBC_DRIVER)));
    write(
        dir.filePath(QStringLiteral("odbc.ini")),
        QStringLiteral("[QZ_DSN]\nDriver=SQLite3\nDatabase=%1\nTimeout=2000\n").arg(dsnDatabase()));
    // The driver loads unixODBC's configuration library for a data source's
    // settings and unloads it after; kept loaded, what it leaks is reported
    // under its name, which the sanitized build's suppressions know.
    dlopen("libodbcinst.so.2", RTLD_NOW | RTLD_NODELETE);
    // unixODBC reads these once, at its first call.
    qputenv("ODBCSYSINI", QFile::encodeName(dir.path()));
    qputenv("ODBCINSTINI", "odbcinst.ini");
    qputenv("ODBCINI", QFile::encodeName(dir.filePath(QStringLiteral("odbc.ini"))));
}

QString dsnDatabase() {
    return folder().filePath(QStringLiteral("qz_dsn.db"));
}

QString freeTdsDriver() {
    return QStringLiteral(QUARZELO_FREETDS_DRIVER);
}

bool viaOdbc() {
    return qgetenv("QUARZELO_TEST_ENGINE") == "odbc";
}

} // namespace testutil
