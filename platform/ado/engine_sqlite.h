#pragma once
// The embedded engine: one SQLite file per database.
//
// Every connection gets, besides SQLite's own functions:
//   collation SQLSRV       text compared ignoring letter case (accents included)
//                          and trailing blanks, as SQL Server's default collation;
//                          the schema declares text columns COLLATE SQLSRV.
//   like(p, s[, esc])      LIKE with SQL Server's rules: letter case ignored for
//                          every letter, "%", "_", "[abc]", "[a-z]", "[^abc]".
//   LEN(s)                 length without trailing blanks.
//   CHARINDEX(n, s[, p])   1-based position of n in s from p, letter case
//                          ignored; 0 when absent.
//   GETDATE()              vb::Now() as 'yyyy-mm-dd hh:mm:ss'.
//   YEAR(d), MONTH(d), DAY(d)  parts of an ISO date text.
//   REPLICATE(s, n)        s repeated n times.
//   LEFT_STR(s, n), RIGHT_STR(s, n)  LEFT and RIGHT (SQLite's parser keeps
//                          LEFT and RIGHT for joins, so the names differ).
//   CONVERT_INT(x[, type])  CONVERT(INT | SMALLINT | TINYINT | BIGINT | BIT, x)
//                          and CAST(x AS ...): blanks trimmed, '' gives 0, a text
//                          that is no whole number fails with "Conversion failed"
//                          (native 245), a real is truncated toward zero, and
//                          nothing beyond the type's range passes.
//   CONVERT_FLOAT(x[, type])  CONVERT(FLOAT | REAL | DECIMAL | NUMERIC, x).
//   CONVERT_MONEY(x[, type])  CONVERT(MONEY | SMALLMONEY, x) and CAST: rounded
//                          to four decimals, within the type's range (a text
//                          judged exactly).
//   CONVERT_TEXT(x[, st])  CONVERT(VARCHAR | NVARCHAR, x[, style]); a date with
//                          style 103 'dd/mm/yyyy', 3 'dd/mm/yy', 101 'mm/dd/yyyy',
//                          1 'mm/dd/yy', 105 'dd-mm-yyyy', 111 'yyyy/mm/dd',
//                          112 'yyyymmdd', 108 'hh:mm:ss', 120/121 ISO.
//   CONVERT_DATETIME(x[, st])  CONVERT(DATETIME, x[, style]) and CAST to ISO
//                          text: ISO texts, 'yyyymmdd', day-first texts (style
//                          103 or none), month-first with 101, and numbers (days
//                          since 1900-01-01). A date's shape naming no day
//                          ('2024-02-30') fails with native 242, other texts 241.
//   DATEADD(p, n, d), DATEDIFF(p, a, b), DATEPART(p, d)  with the server's
//                          dateparts and abbreviations (the rewriting passes the
//                          bare word as a text); another name fails with native
//                          155. Weeks and weekdays of DATEPART count from Monday
//                          (the Spanish login's DATEFIRST 1); DATEDIFF's weeks
//                          from Sunday, as the server's.
// SQL Server's ISNULL(a, b) cannot be a SQLite function (ISNULL is an operator
// keyword there): SQLite's IFNULL is the same function. SUBSTRING, LTRIM,
// RTRIM, UPPER, LOWER, REPLACE, ROUND and ABS are SQLite's own and behave alike.
//
// Statements sent as "SET NOCOUNT ON|OFF" are accepted and do nothing.
//
// The rewriting (sqlrewrite.h) is given the declared columns of the tables, so
// a day-first text written into a DATETIME column is stored as the date in
// ISO form, as the server (Spanish login, day first) converts it implicitly.

#include "platform/ado/engine.h"
#include "platform/sql/sqlrewrite.h"
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>

struct sqlite3;
struct sqlite3_stmt;

namespace ado {

// ---- Write checks (engine_sqlite_checks.cpp) ----------------------------------------
//
// SQLite stores whatever it is given; SQL Server refuses, on every write, a
// text longer than its declared size (native 8152; blanks beyond the size at
// the end pass), a text that is no number in a numeric column (245 for the
// integer types and bit, 8114 for float, real, decimal and numeric, 235 for
// money; a blank text, which the server reads as 0, passes except into
// decimal and numeric) and NULL in a NOT NULL or key column (515, with the
// server's text), a number beyond its column's type (220, 8115), and a date
// text naming no day (242). The checks are TEMP triggers of the connection,
// made from the declared types, so they hold for every file the engine
// opens, whoever built it, and stay out of the file. An UPDATE checks only
// the columns it changes, so a row stored before the checks can still be
// edited. Other triggers keep what the server keeps: a date in one stored
// form, and a number with a fraction in a whole-number column truncated
// toward zero. (SQLite turns the text '12.7' into a number before any
// trigger sees it: the rewriting refuses such literals, see sqlrewrite.h.)
//
// The same call makes the server's updatable views writable: a view whose
// columns are all columns of one table, read from that table alone (no join,
// DISTINCT, GROUP BY or UNION), gets INSTEAD OF triggers that write the
// table. A row is found by the table's primary key when the view shows it,
// else by every column when the view shows them all; other views stay read
// only. A write that leaves a row the view does not show fails with native
// 550, as WITH CHECK OPTION: a restricted view's user cannot write outside
// it. Columns an INSERT through a view leaves out take the table's defaults
// (an explicit NULL in a column with a default does too).

struct UpdatableView {
    QString name;                     // as the catalogue spells it
    QString base;                     // the table it shows
    QHash<QString, QString> columnOf; // upper-cased table column -> view column
    QStringList keys;                 // view columns that pick out one row
    QVariantList keyDefaults;         // what a key column left out of an INSERT gets
};
using UpdatableViews = QHash<QString, UpdatableView>; // by upper-cased view name

// (Re)creates the checks and the views' triggers from the current schema;
// `database` names the database in the 515 text. Returns the writable views;
// `complete` turns false when a lock kept some of them from being made.
UpdatableViews installWriteChecks(sqlite3* db, const QString& database, bool* complete = nullptr);
// Drops them, before a schema change that they would hinder.
void removeWriteChecks(sqlite3* db);

// The writable view a single-source SELECT reads, or nullptr.
const UpdatableView* viewRead(const QString& select, const UpdatableViews& views);

// Runs `sql` when it adds one column ("ALTER TABLE t ADD c type ..."), as
// the server adds it: a text column gets the SQLSRV collation, and a NOT NULL
// column without a default goes only into an empty table (otherwise native
// 4901). Returns false, running nothing, for any other statement. Throws the
// provider error on failure.
bool runAddColumn(sqlite3* db, const QString& sql);

class SqliteEngine : public Engine {
public:
    // Opens an existing file (never creates one). Throws on failure.
    SqliteEngine(const QString& path, const QString& database, const QString& folder,
                 const FaultInjector* fault);
    ~SqliteEngine() override;

    QString path() const { return path_; }

    ServerKind kind() const override { return ServerKind::Sqlite; }
    QString database() const override { return database_; }
    void useDatabase(const QString& name) override;
    void setCommandTimeout(int seconds) override;
    BatchResult execute(const QString& text, bool forUpdate) override;
    // A single query is read as it is asked for; the others whole, as
    // execute reads them.
    std::unique_ptr<Cursor> openCursor(const QString& text) override;
    long executePrepared(const QString& text, const std::vector<QVariantList>& rows) override;
    void beginTrans() override;
    void commitTrans() override;
    void rollbackTrans() override;
    bool inTransaction() const override;
    void interrupt() override;
    QVariant insertRow(const QString& table, const ColumnValues& values) override;
    QVariant updateRow(const QString& table, const QVariant& key,
                       const ColumnValues& values) override;
    void deleteRow(const QString& table, const QVariant& key) override;
    std::vector<QVariant> readRow(const QString& table, const std::vector<Column>& columns,
                                  const QVariant& key) override;
    RowSet schemaTables(const QString& table, const QString& type) override;
    RowSet schemaColumns(const QString& table, const QString& column) override;

    // The file that holds `database` in `folder`, or an empty text. Rule: a
    // file named exactly like the database; else the database name plus
    // ".db"; else the same two ignoring letter case (SQL Server's database
    // names ignore it, Linux file names do not). A name holding a path
    // separator or ".." names no file: it would reach outside the folder.
    static QString databaseFile(const QString& folder, const QString& database);

private:
    struct Statement;
    class LockWaitScope;
    class StreamCursor;
    // The open cursors let go of their queries before anything else runs on
    // the connection: an unfinished read would keep this connection's
    // writes from being committed, and the file locked for other users.
    void parkCursors();
    // The connection goes: the cursors read no more.
    void detachCursors();
    // Opens a file of this engine, with its lock waiting.
    sqlite3* openFile(const QString& path);
    // SQLite's busy handler: waits for another connection's lock up to the
    // lock wait (bounded by the command time-out), telling the notice once.
    static int onBusy(void* engine, int count);
    // Ends a wait that was told (the notice hears false).
    void endLockWait();
    void checkFault(const QString& text) const;
    // Prepares one statement; a failure throws.
    void prepare(const QString& sql, Statement& s) const;
    RowSet listTables(const QString& table, const QString& type);
    [[noreturn]] void fail(int rc) const;
    bool runStatement(const QString& original, bool forUpdate, BatchResult& out);
    // The steps of runStatement, in its order. BEGIN, COMMIT or ROLLBACK
    // TRANSACTION: done, true.
    bool runTransactionCommand(const QString& original);
    // "IF [NOT] EXISTS (query) statement": the statement when the test holds.
    bool runConditional(const sqlrewrite::Conditional& c, bool forUpdate, BatchResult& out);
    // ALTER and DROP: the write checks go first (the next statement makes them again).
    void dropChecksBeforeReshaping(const QString& original);
    // The statement in SQLite's dialect, with the declared columns' rules.
    QString rewritten(const QString& sql);
    // A recordset opened for update: its rows with their key, when it reads
    // one table or a writable view; false leaves it to runEach.
    bool readWritable(const QString& sql, BatchResult& out);
    bool readWithRowid(const QString& sql, qsizetype at, BatchResult& out);
    // Runs every statement of `sql`; true when one gave rows.
    bool runEach(const QString& sql, BatchResult& out);
    // One statement that gives no rows; its changed rows are counted.
    void runChange(sqlite3_stmt* st, BatchResult& out);
    // Reads the schema versions once per statement: a change, made here or
    // by another connection, drops the declared columns and makes the write
    // checks again, as does a rollback that took the checks away.
    void syncSchema();
    // The writable view `table` names, or nullptr for a table.
    const UpdatableView* viewNamed(const QString& table);
    // A writable recordset on a view: the view's key columns ride in front.
    bool readThroughView(const QString& sql, qsizetype at, const UpdatableView& view,
                         BatchResult& out);
    // The prepared statement of a text for executePrepared, made on first use.
    sqlite3_stmt* preparedStatement(const QString& text);
    void dropPrepared();
    // Declared columns of a table or view, for the rewriting's date rules.
    // Cached per connection; the cache goes when the schema moves (syncSchema).
    QList<sqlrewrite::DeclaredColumn> declaredColumns(const QString& table);

    sqlite3* db_ = nullptr;
    QString path_;
    QString database_;
    QString folder_;
    const FaultInjector* fault_;
    int timeoutMs_ = 30000; // command time-out
    bool waiting_ = false;  // a lock wait was told and is not over
    QElapsedTimer waitClock_;
    int trancount_ = 0;
    QHash<QString, QList<sqlrewrite::DeclaredColumn>> declared_;
    int declaredVersion_ = -1;
    sqlite3_stmt* versions_ = nullptr; // main and temp schema versions
    UpdatableViews views_;
    // executePrepared's statements by text; rewritten with the declared
    // columns, so they go when the schema moves.
    QHash<QString, sqlite3_stmt*> prepared_;
    std::vector<StreamCursor*> cursors_;
    int checksVersion_ = -1;     // main schema version the checks were made for
    int checksTempVersion_ = -1; // temp schema version right after making them
};

// ADO type code and DefinedSize for a declared column type ("VARCHAR(30)").
// An empty declaration gives adEmpty.
std::pair<int, long> adoTypeOfDeclared(const QString& declType);

// The provider error for a SQLite result code (extended codes welcome) and its
// message. The table lives in ado_errors.cpp.
Exception sqliteException(int extendedCode, const QString& message);

// Registers the collation and functions listed above on a connection.
void registerSqlServerFunctions(sqlite3* db);

} // namespace ado
