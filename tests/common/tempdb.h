#pragma once
// A company database for one test: a SQLite file built from demo/schema.sql in
// a temporary folder that disappears with the last object using it.
//
// The folder doubles as a "server": a connection string whose server names a
// local folder reaches the SQLite files in it, one per database name, so
// several databases of one test (company, group, points of sale) stand side
// by side in the same folder.
//
// The helper talks to the file directly through SQLite, with the collation
// and functions the engine registers on its own connections (the indexes on
// text columns must be ordered by one and the same comparison), so tests can
// seed rows and check results without going through the code under test.

#include <QList>
#include <QString>
#include <QVariant>
#include <QVariantList>
#include <memory>

class QTemporaryDir;
struct sqlite3;

namespace testutil {

// A SQLite file reached through the SQLite ODBC driver, whose connections get
// SQL Server's collation and functions, as the server has them.
QString odbcConnectionString(const QString& path);

class TempDatabase {
public:
    enum class Schema { Full, Empty };

    // Creates "<new temporary folder>/<name>.db".
    explicit TempDatabase(const QString& name = QStringLiteral("EMPRESA"),
                          Schema schema = Schema::Full);

    // Another database in the same folder as this one (the folder lives while
    // any of them does). Fails the test when a file of that name exists.
    TempDatabase sibling(const QString& name, Schema schema = Schema::Full) const;

    QString folder() const;
    QString path() const;
    QString dbName() const { return name_; }

    // What a server connection to this database would use; the engine maps the
    // folder named as server to the SQLite files in it. When the run puts the
    // cases on the ODBC engine (odbc_env.h), odbcConnectionString().
    QString connectionString() const;
    // The same file through the SQLite ODBC driver, with SQL Server's
    // collation and functions on the driver's connections, as the server has
    // them.
    QString odbcConnectionString() const;

    // Runs one or more statements; a failure fails the test and throws.
    void exec(const QString& sql) const;
    // Runs statements and returns the error text, empty when they succeeded.
    // For tests that expect the database to refuse something.
    QString tryExec(const QString& sql) const;
    // First column of the first row (a null QVariant when there is no row).
    QVariant scalar(const QString& sql) const;
    // All rows of one statement: integers as qlonglong, reals as double, texts
    // as QString, SQL NULL as a null QVariant.
    QList<QVariantList> rows(const QString& sql) const;

    // Registers the engine's collation and functions on a connection that a
    // test opens itself.
    static void registerCollation(sqlite3* db);

private:
    TempDatabase(std::shared_ptr<QTemporaryDir> dir, const QString& name, Schema schema);
    void create(Schema schema) const;

    std::shared_ptr<QTemporaryDir> dir_;
    QString name_;
};

} // namespace testutil
