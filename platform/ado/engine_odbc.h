#pragma once
// The road to database servers: any ODBC driver through unixODBC.
//
// The connection strings the program builds are OLE DB ones; odbcTarget()
// turns them into ODBC strings:
//   - SQL Server ("SQLOLEDB" or no provider, a server): the driver that the
//     environment variable QUARZELO_SQLSERVER_DRIVER names (as odbcinst.ini
//     registers it, or the path of its library), FreeTDS when it is unset;
//     server, database, user and password carried over.
//   - Oracle (a provider naming "ORA"): the data source is an ODBC data
//     source name (DSN) with the user and password.
//   - A string that already is an ODBC one (DSN= or DRIVER=): as given.
//
// Statements go to a SQL Server or Oracle server as written: the data object
// has already put Oracle's into Oracle's dialect. Behind a SQLite driver the
// engine rewrites the server's dialect for SQLite as the embedded engine does,
// so the program's own statements run there too.
//
// Write-back finds a row by the table's primary key (else a unique index,
// else every column), which the recordset carries beside the columns it
// shows. Diagnostics become the program's error numbers (ado_errors.cpp).

#include "platform/ado/connstring.h"
#include "platform/ado/engine.h"
#include "platform/sql/sqlrewrite.h"
#include <QHash>
#include <QStringList>
#include <optional>
#include <string>

namespace ado {

// The SQL Server driver the setting names; "FreeTDS" by default.
QString sqlServerDriver();

struct OdbcTarget {
    QString connectionString; // ODBC keywords
    QString database;         // the database the program names; may be empty
    QString server;           // for the messages of a failed connection
};
// Whether a connection string names an ODBC target at all (not a file).
OdbcTarget odbcTarget(const ConnectionStringParts& parts, const QString& defaultDatabase);

// One diagnostic record as the driver gives it.
struct OdbcDiagnostic {
    QString state;
    long native = 0;
    QString message;
};
// The driver's records as the program's errors. `connecting`: the records of
// a failed connection, which the program tells apart from a lost link.
Exception odbcException(const std::vector<OdbcDiagnostic>& records, ServerKind dialect,
                        bool connecting);

class OdbcEngine : public Engine {
public:
    // Connects; throws the driver's diagnostics on failure.
    OdbcEngine(const OdbcTarget& target, const FaultInjector* fault);
    ~OdbcEngine() override;

    ServerKind kind() const override { return dialect_; }
    QString database() const override { return database_; }
    void useDatabase(const QString& name) override;
    void setCommandTimeout(int seconds) override;
    BatchResult execute(const QString& text, bool forUpdate) override;
    // A plain SELECT is read a block at a time from a forward cursor.
    std::unique_ptr<Cursor> openCursor(const QString& text) override;
    long executePrepared(const QString& text, const std::vector<QVariantList>& rows) override;
    void beginTrans() override;
    void commitTrans() override;
    void rollbackTrans() override;
    bool inTransaction() const override { return trancount_ > 0; }
    QVariant insertRow(const QString& table, const ColumnValues& values) override;
    QVariant updateRow(const QString& table, const QVariant& key,
                       const ColumnValues& values) override;
    void deleteRow(const QString& table, const QVariant& key) override;
    std::vector<QVariant> readRow(const QString& table, const std::vector<Column>& columns,
                                  const QVariant& key) override;
    RowSet schemaTables(const QString& table, const QString& type) override;
    RowSet schemaColumns(const QString& table, const QString& column) override;

    struct Handle;

private:
    class StreamCursor;
    // The open cursors let go of their queries before anything else runs on
    // the connection (a server takes one result at a time per connection).
    void parkCursors();
    // The connection goes: the cursors read no more.
    void detachCursors();
    // The result's columns; `byValues` marks those typed by their values,
    // `widths` the bytes a value takes as text.
    void describeColumns(void* h, std::vector<Column>& columns, std::vector<bool>& byValues,
                         std::vector<long>& widths);
    // What write-back needs of a table.
    struct TableInfo {
        QStringList columns;
        QStringList keys;            // the columns that pick out one row
        bool keyIsRowNumber = false; // a single key the server numbers itself
        QList<sqlrewrite::DeclaredColumn> declared;
    };

    void checkFault(const QString& text) const;
    [[noreturn]] void fail(short handleType, void* handle, bool connecting = false) const;
    // A statement handle with the command time-out.
    void allocate(Handle& st);
    // SQLExecDirect in the driver's encoding.
    short direct(void* st, const QString& sql) const;
    // Runs a statement the driver gets as it is, leaving `st` on its first
    // result; a failure throws.
    void run(Handle& st, const QString& sql);
    void runStatement(const QString& original, bool forUpdate, BatchResult& out);
    // Reads the current result of `st`. `again`: the statement, when it can
    // run a second time (a plain SELECT).
    RowSet readRows(Handle& st, int keyColumns, const QString& again = QString());
    enum class Block { Read, Truncated, Unsupported };
    // Reads the rest of the result a block of rows at a time, every value as
    // text; Truncated when one did not fit its buffer (the rows are then
    // incomplete), Unsupported when the driver takes no blocks (nothing read).
    Block readBlocks(void* h, RowSet& rs, const std::vector<long>& widths,
                     const std::vector<bool>& byValues,
                     std::vector<std::vector<std::optional<std::string>>>& raw);
    bool readWritable(const QString& sql, BatchResult& out);
    const TableInfo& tableInfo(const QString& table);
    QString quoted(const QString& name) const;
    // "k1 = ? AND k2 IS NULL ...": one marker for each key value not NULL.
    QString keyCondition(const TableInfo& info, const QVariantList& key) const;
    QString adapt(const QString& text);
    void endTransaction(bool commit);

    // A statement of executePrepared, prepared once for its text.
    struct Prepared {
        void* h = nullptr;
        short params = -1;  // markers the driver counts; -1 when it does not say
        bool arrays = true; // parameter arrays, until the driver refuses them
    };
    Prepared& prepared(const QString& text);
    void dropPrepared();
    // Runs rows [first, last) with the prepared statement, as one parameter
    // array where the driver takes it; the rows written, as the driver counts
    // them. The first failing row throws.
    long runPrepared(Prepared& p, const std::vector<QVariantList>& rows, size_t first, size_t last);
    bool runArray(Prepared& p, const std::vector<QVariantList>& rows, size_t first, size_t last,
                  long& written);
    // A number a query on a SQLite driver gives.
    long long sqliteNumber(const char* query);
    // SQLite's count of rows written on the connection so far.
    long long totalChanges();
    // SQLite's schema version, -1 when it cannot be read.
    long long schemaVersion();

    void* env_ = nullptr;
    void* dbc_ = nullptr;
    bool connected_ = false;
    ServerKind dialect_ = ServerKind::Other;
    bool narrow_ = false; // the driver speaks UTF-8 only
    QString database_;
    QChar quote_ = u'"';
    const FaultInjector* fault_;
    int timeoutSeconds_ = 30;
    int trancount_ = 0;
    QHash<QString, TableInfo> tables_;  // by upper-cased name
    long long schemaVersion_ = -1;      // that tables_ were read under (SQLite)
    TableInfo noTable_;                 // what a missing table gives
    QHash<QString, Prepared> prepared_; // executePrepared's statements by text
    std::vector<StreamCursor*> cursors_;
};

} // namespace ado
