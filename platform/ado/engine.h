#pragma once
// What the ADO stand-in asks of a database engine. The connection and the
// recordsets talk only to this interface; SQLite is the one engine today
// (engine_sqlite.h) and ODBC the road to real servers (engine_odbc.h).
//
// Every operation throws ado::Exception carrying the provider errors (already
// in the program's numbering, see ado_errors.cpp); the connection copies them
// into its Errors collection.

#include "platform/ado/ado.h"
#include <QDateTime>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

namespace ado {

// One column of a row set, as the recordset's Field shows it.
struct Column {
    QString name;
    int type = adVarWChar; // ADO type code
    long definedSize = 0;
    int precision = 0; // decimal columns, when the driver tells them; else from declType
    int numericScale = 0;
    QString declType;   // the engine's declared type ("VARCHAR(30)"), empty for expressions
    QString baseTable;  // table the column comes from; empty for expressions
    QString baseColumn; // its name in that table
};

// What a parameter's value goes to a driver as.
enum class ValueKind { Null, Integer, Real, Money, Text, Date, Bytes };
ValueKind valueKind(const QVariant& v);
// A date parameter as a timestamp: a bare date is its midnight.
QDateTime parameterDateTime(const QVariant& v);

// Rows materialised in memory. `keys` is filled (one per row) when the rows
// can be written back to `baseTable` (a table, or a writable view).
struct RowSet {
    std::vector<Column> columns;
    std::vector<std::vector<QVariant>> rows;
    QString baseTable;
    std::vector<QVariant> keys;
    bool writable() const { return !baseTable.isEmpty(); }
};

struct BatchResult {
    std::optional<RowSet> rows; // of the last statement that gave rows
    long recordsAffected = -1;  // summed over INSERT/UPDATE/DELETE; -1 when none ran
};

using ColumnValues = std::vector<std::pair<const Column*, QVariant>>;

// The rows of one query, read as they are asked for. The engine may let go
// of the query between two reads (release(), or any other work on the
// connection); the next read runs it again and reads on after the rows
// already given.
class Cursor {
public:
    virtual ~Cursor() = default;
    // Complete once the first rows have been read: a column the engine
    // cannot type from its declaration takes the type of its first values.
    virtual const std::vector<Column>& columns() const = 0;
    // Appends up to `n` rows; false once the query has no more.
    virtual bool fetch(std::vector<std::vector<QVariant>>& rows, int n) = 0;
    // Lets go of the query and of what it holds in the database (its locks).
    virtual void release() = 0;
    // The next read starts again from the first row.
    virtual void rewind() = 0;
};

class Engine {
public:
    virtual ~Engine() = default;

    virtual ServerKind kind() const = 0;

    virtual QString database() const = 0;
    // Switches to another database of the same server (no-op for the same name).
    virtual void useDatabase(const QString& name) = 0;
    virtual void setCommandTimeout(int seconds) = 0;

    // Runs a statement or a batch in the SQL Server dialect. With `forUpdate`
    // and a single SELECT on one table, the rows come back writable.
    virtual BatchResult execute(const QString& text, bool forUpdate) = 0;
    // A query's rows read as they are asked for; nullptr for a statement
    // that gives no rows (it has run then). This one reads them all at once.
    virtual std::unique_ptr<Cursor> openCursor(const QString& text);
    // Runs one statement with "?" markers once per row of `rows`, the row's
    // values bound in order, and returns the rows written. Each text is
    // prepared once and kept for later calls. The first failing row stops.
    virtual long executePrepared(const QString& text, const std::vector<QVariantList>& rows) = 0;

    // Transactions nest as on SQL Server: only the outermost commit writes,
    // a rollback undoes everything.
    virtual void beginTrans() = 0;
    virtual void commitTrans() = 0;
    virtual void rollbackTrans() = 0;
    virtual bool inTransaction() const = 0;

    // Ends the statement running on the connection as soon as it can, from
    // any thread: the statement fails. Nothing where the engine cannot.
    virtual void interrupt() {}

    // Write-back of writable row sets. insertRow returns the new row's key,
    // updateRow the row's key afterwards (a key made of the row's values
    // follows them).
    virtual QVariant insertRow(const QString& table, const ColumnValues& values) = 0;
    virtual QVariant updateRow(const QString& table, const QVariant& key,
                               const ColumnValues& values) = 0;
    virtual void deleteRow(const QString& table, const QVariant& key) = 0;
    // Reads the row with `key` back in the layout of `columns`.
    virtual std::vector<QVariant> readRow(const QString& table, const std::vector<Column>& columns,
                                          const QVariant& key) = 0;

    // Catalogue: tables and views, and the columns of a table or view.
    // Empty filters match everything; names compare without regard to case.
    virtual RowSet schemaTables(const QString& table, const QString& type) = 0;
    virtual RowSet schemaColumns(const QString& table, const QString& column) = 0;
};

// Opens the engine that the connection string names (see ado_connection.cpp
// for the rules). `fault` is asked before every statement.
std::unique_ptr<Engine> openEngine(const QString& connectionString, const QString& defaultDatabase,
                                   const FaultInjector* fault);

// ---- Errors (ado_errors.cpp) ------------------------------------------------
// The ADO error of that number with its standard description.
// The columns of the catalogue's answers, the same for every engine.
std::vector<Column> schemaTablesLayout();
std::vector<Column> schemaColumnsLayout();

Error adoError(long number);
[[noreturn]] void throwAdo(long number);
// SQL Server's companion to a statement-ending error ("statement terminated").
Error statementTerminated(const Error& first);
// Connection failures of the engine choice and file opening.
Error connectionError(long native, const QString& sqlState, const QString& description);

} // namespace ado
