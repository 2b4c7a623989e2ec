#pragma once
// The database access objects the program was written against (connection,
// recordset, fields, errors, schema queries), standing on SQLite's C API for
// the embedded engine. Statements arrive in the SQL Server dialect; the engine
// adapts them (sqlrewrite.h) before they run.
//
// Failures throw ado::Exception and are also left in the connection's Errors
// collection, as the original objects did.

#include "platform/vb/errors.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

// The recordset's EOF keeps its ADO name; C's EOF macro would rewrite it.
// Code that needs the macro's value can use std::char_traits<char>::eof().
#ifdef EOF
#undef EOF
#endif

namespace ado {

// Error numbers the program tests.
enum ErrorNumber : long {
    adErrNoCurrentRecord = 3021,  // BOF or EOF
    adErrIllegalOperation = 3219, // operation not allowed in this context
    adErrItemNotFound = 3265,     // no such field
    adErrFeatureNotAvailable = 3251,
    adErrObjectClosed = 3704,                // operation on a closed object
    adErrObjectOpen = 3705,                  // object already open
    adErrInvalidConnection = 3709,           // the connection is closed or invalid
    adErrDataConversion = 3421,              // value of the wrong type
    adErrUnspecified = long(0x80004005),     // unspecified failure
    adErrIntegrity = long(0x80040E2F),       // integrity violation
    adErrNoSuchTable = long(0x80040E37),     // no such table
    adErrCommand = long(0x80040E14),         // command error (syntax ...)
    adErrDataOverflow = long(0x80040E57),    // text longer than the column
    adErrRowNotFound = long(0x80040E38),     // the row to update is gone
    adErrNoBackwardFetch = long(0x80040E24), // moving back on a forward-only cursor
    adErrNoTransaction = long(0x8004D00E),   // commit or rollback without a transaction
    adErrTimeout = long(0x80040E31),         // the command time-out expired
};

// SQL Server native error numbers the program tests.
enum NativeError : long {
    nativeLostLink = 11,
    nativeServerNotFound = 17,
    nativeUnknownTable = 208,
    nativeUnknownColumn = 207,
    nativeSyntax = 102,
    nativeUnknownFunction = 195,
    nativeObjectExists = 2714,
    nativeNotNull = 515,
    nativeConstraint = 547,  // a reference or CHECK constraint
    nativeUserError = 50000, // RAISERROR's message (a trigger's refusal)
    nativeConversion = 245,
    nativeDuplicateKey = 2627,
    nativeStatementTerminated = 3621,
    nativeCannotOpenDatabase = 4060,
    nativeUnknownDatabase = 911,
    nativeLockTimeout = 1222,
    nativeReadOnlyDatabase = 3906,
    nativeNoTransactionToCommit = 3902,
    nativeNoTransactionToRollback = 3903,
    nativeTruncation = 8152,
    nativeNumberConversion = 8114,   // text into float, real, decimal, numeric
    nativeMoneyConversion = 235,     // text into money
    nativeOutsideView = 550,         // a row the written view would not show
    nativeNotNullColumnAdded = 4901, // NOT NULL column without default, table not empty
    nativeValueOverflow = 220,       // an int beyond tinyint or smallint
    nativeArithmeticOverflow = 8115, // any other number beyond its column's type
    nativeDateConversion = 241,      // a text that is no date, into a date
    nativeDateOutOfRange = 242,      // a date text that names no day ('2024-02-30')
    nativeSmallIntegerText = 244,    // a whole-number text beyond tinyint or smallint
    nativeIntegerText = 248,         // a whole-number text beyond int
    nativeUnknownDatePart = 155,     // DATEADD(fortnight, ...)
    nativeDateOverflow = 517,        // DATEADD beyond the type's years
    nativeDateDiffOverflow = 535,    // DATEDIFF beyond an int
};

// Errors are the runtime's trappable errors, with the database's own numbers.
using Error = vb::Error;
using Exception = vb::TrappableError;

class Errors {
public:
    int Count() const { return int(list_.size()); }
    const Error& Item(int i) const { return list_.at(size_t(i)); }
    void Clear() { list_.clear(); }
    void Add(const Error& e) { list_.push_back(e); }
    bool empty() const { return list_.empty(); }

private:
    std::vector<Error> list_;
};

enum ObjectState { adStateClosed = 0, adStateOpen = 1 };
enum CursorType {
    adOpenUnspecified = -1, // the recordset's own CursorType
    adOpenForwardOnly = 0,
    adOpenKeyset = 1,
    adOpenDynamic = 2,
    adOpenStatic = 3
};
enum LockType {
    adLockUnspecified = -1, // the recordset's own LockType
    adLockReadOnly = 1,
    adLockPessimistic = 2,
    adLockOptimistic = 3,
    adLockBatchOptimistic = 4
};
enum CommandOptions : long {
    adCmdUnspecified = -1,
    adCmdText = 1,
    adCmdTable = 2, // the source is a table name
    adExecuteNoRecords = 128,
    adCmdTableDirect = 512,
};
enum CursorLocation { adUseServer = 2, adUseClient = 3 };
enum EditMode { adEditNone = 0, adEditInProgress = 1, adEditAdd = 2 };
enum SchemaEnum { adSchemaColumns = 4, adSchemaTables = 20 };

// ADO data type codes.
enum DataType : int {
    adEmpty = 0,
    adSmallInt = 2,
    adInteger = 3,
    adSingle = 4,
    adDouble = 5,
    adCurrency = 6,
    adDate = 7,
    adBSTR = 8,
    adBoolean = 11,
    adDecimal = 14,
    adTinyInt = 16,
    adUnsignedTinyInt = 17,
    adBigInt = 20,
    adGUID = 72,
    adBinary = 128,
    adChar = 129,
    adWChar = 130,
    adNumeric = 131,
    adDBDate = 133,
    adDBTime = 134,
    adDBTimeStamp = 135,
    adVarChar = 200,
    adLongVarChar = 201,
    adVarWChar = 202,
    adLongVarWChar = 203,
    adVarBinary = 204,
    adLongVarBinary = 205,
};

// What answers the statements behind a connection.
enum class ServerKind { Sqlite, SqlServer, Oracle, Other };

// Oracle keeps an empty text as NULL, which a NOT NULL column refuses: an
// empty text goes to it as one blank, the value Oracle keeps, and one blank
// reads back as the empty text that was written. Other servers keep both.
QVariant textToServer(ServerKind kind, const QVariant& value);
QVariant textFromServer(ServerKind kind, const QVariant& value);

class Engine;
struct RowSet;
class Recordset;
using RecordsetPtr = std::shared_ptr<Recordset>;

// The engine's answer to an injected fault: return an Error to make the
// statement fail with it, std::nullopt to let it run. Tests use it for lost
// links and refused statements.
using FaultInjector = std::function<std::optional<Error>(const QString& statement)>;
// The error SQL Server's provider reports when the link to the server breaks
// (native 11, general network error), for injectors that simulate it.
Error lostLinkError();
// The server's lock time-out (native 1222): another connection held the lock
// longer than this one would wait. The connection and its transaction stay.
Error lockTimeoutError();

// A statement that meets another connection's lock waits at most lockWaitMs()
// (and never past the command time-out), then fails with lockTimeoutError().
// Process-wide; tests shorten it.
void setLockWaitMs(int ms);
int lockWaitMs();
// Told when a statement starts waiting for a lock (true) and when that wait is
// over (false), so the user sees why nothing moves. Called inside the engine,
// mid-statement: it must not use the waiting connection.
using LockWaitNotice = std::function<void(bool waiting)>;
void setLockWaitNotice(LockWaitNotice notice);
const LockWaitNotice& lockWaitNotice();

class Connection : public std::enable_shared_from_this<Connection> {
public:
    static std::shared_ptr<Connection> create();
    ~Connection();

    // Opens with the connection string (keys without regard to case; see
    // connstring.h). Throws on failure (adErrObjectOpen when already open).
    void Open(const QString& connectionString = QString(), const QString& user = QString(),
              const QString& password = QString(), long options = -1);
    void Close(); // throws adErrObjectClosed when closed
    int State() const;

    QString ConnectionString;
    int CommandTimeout = 30;
    int CursorLocation = adUseServer;
    // Setting it on an open connection switches the database (a SQLite file of
    // that name beside the current one when the server is a folder).
    void setDefaultDatabase(const QString& db);
    QString DefaultDatabase() const;

    Errors& errors() { return errors_; }

    // Runs one statement or a batch (statements separated by ";" or by line
    // breaks before a statement keyword, outside literals). The first failure
    // stops the batch. Returns the rows of the last statement that gives rows
    // (an open read-only recordset), else a closed one. RecordsAffected is the
    // sum over the INSERT, UPDATE and DELETE statements, -1 when none ran; it is
    // left untouched on failure. "BEGIN/COMMIT/ROLLBACK TRAN[SACTION]" sent as
    // statements are the connection's transaction.
    RecordsetPtr Execute(const QString& commandText, long* recordsAffected = nullptr,
                         long options = -1);
    // One statement (no batch) with "?" markers, run once per row of values
    // as a prepared ADO Command: the engine parses the text once and binds
    // each row's values, in order, as they are (dates as QDate or QDateTime;
    // no literal rewriting). The first failing row stops. The error
    // collection and RecordsAffected (rows written) as Execute; the fault
    // injector is asked with the text before each row.
    void ExecutePrepared(const QString& commandText, const std::vector<QVariantList>& rows,
                         long* recordsAffected = nullptr);

    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool inTransaction() const;

    // adSchemaTables: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, TABLE_TYPE.
    // adSchemaColumns: TABLE_CATALOG, TABLE_SCHEMA, TABLE_NAME, COLUMN_NAME,
    // ORDINAL_POSITION, DATA_TYPE, CHARACTER_MAXIMUM_LENGTH, IS_NULLABLE.
    // Criteria: catalogue, schema, table, column (empty variant = no filter).
    RecordsetPtr OpenSchema(int schema, const QVariantList& criteria = {});

    // Asked with each statement text before it runs (also recordset sources,
    // write-backs of recordsets, transaction commands, schema queries as
    // "OpenSchema <n>", and Open with the connection string, so that a lost
    // link can be kept from coming back).
    void setFaultInjector(FaultInjector f) { fault_ = std::move(f); }
    const FaultInjector& faultInjector() const { return fault_; }

    // Ends the statement this connection runs in another thread as soon as
    // the engine can (that statement fails); the embedded engine can, the
    // ODBC one cannot. The caller keeps the connection from closing meanwhile.
    void interrupt();

    // Which kind of server the open connection reaches (SQLite when closed).
    ServerKind serverKind() const;

    // Engine access for recordsets (not for program code).
    Engine* engine() const { return engine_.get(); }

    // Records the error in the collection and throws it.
    [[noreturn]] void raise(const Error& e);
    // Same for a provider failure (every error it carries).
    [[noreturn]] void raise(const Exception& e);

private:
    Connection() = default;
    Engine& requireEngine(); // throws adErrInvalidConnection when closed
    // BEGIN, COMMIT or ROLLBACK: the fault injector is asked with `text` first.
    void transactionCommand(const QString& text, void (Engine::*command)());
    Errors errors_;
    QString pendingDatabase_;
    std::unique_ptr<Engine> engine_;
    FaultInjector fault_;
};
using ConnectionPtr = std::shared_ptr<Connection>;

class Field {
public:
    QString Name() const;
    QVariant Value() const; // Null for SQL NULL
    // Only on updatable recordsets; on a row it starts an edit. The value is
    // converted to the column's type (text by the regional rules); one that
    // does not convert throws adErrDataConversion (3421).
    void setValue(const QVariant& v);
    int Type() const;         // ADO type code
    long DefinedSize() const; // declared size; 0 when unknown
    // Decimal columns: digits in all and after the point (DECIMAL(p, s));
    // 0 for other columns.
    int Precision() const;
    int NumericScale() const;

private:
    friend class Recordset;
    Field(Recordset* rs, int index) : rs_(rs), index_(index) {}
    Recordset* rs_;
    int index_;
};

class Recordset : public std::enable_shared_from_this<Recordset> {
public:
    static RecordsetPtr create();
    ~Recordset();

    // Runs the query and positions on the first row. Throws on failure.
    // Unspecified cursor and lock types take the recordset's own properties.
    // A connection with client-side cursors (adUseClient) gives a static
    // cursor whatever was asked, as ADO does. A source that gives no rows
    // leaves the recordset closed.
    void Open(const QString& source, const ConnectionPtr& activeConnection,
              int cursorType = adOpenUnspecified, int lockType = adLockUnspecified,
              long options = -1);
    void Close(); // throws adErrIllegalOperation while an edit is pending
    int State() const;

    bool BOF() const;
    bool EOF() const;
    void MoveFirst();
    void MoveNext();
    void MovePrevious(); // throws on a forward-only cursor
    void MoveLast();
    long RecordCount() const;      // -1 on a forward-only cursor, as ADO
    long AbsolutePosition() const; // 1-based; -1 at BOF/EOF

    int fieldCount() const;
    Field Fields(int index) const;           // throws adErrItemNotFound
    Field Fields(const QString& name) const; // name without regard to case; throws 3265
    bool hasField(const QString& name) const;
    // Convenience: Fields(name).Value().
    QVariant value(const QString& name) const { return Fields(name).Value(); }
    QVariant value(int index) const { return Fields(index).Value(); }

    // Editing on updatable recordsets (lock type other than read-only, one
    // base table or a writable view; otherwise 3251). Update writes the row
    // and reads it back, so after an insert the generated ID and the defaults
    // are readable. A text longer than its column fails with native 8152 (the
    // engine refuses what the server refuses), a row deleted meanwhile
    // with adErrRowNotFound; a failed Update leaves the edit pending. Moving
    // while an edit is pending saves it first, as ADO does.
    void AddNew();
    void Update();
    void CancelUpdate();
    void Delete();
    int EditMode() const;

    ConnectionPtr ActiveConnection() const;
    QString Source() const;
    // Before Open: what an unspecified argument of Open takes (forward-only,
    // read-only by default). After Open: the cursor and lock actually used.
    int CursorType() const;
    void setCursorType(int t);
    int LockType() const;
    void setLockType(int t);

    // Before Open: a forward-only, read-only recordset reads its rows a
    // batch at a time as it moves, instead of all of them at Open (a list
    // of a million rows). RecordCount stays -1 and MoveFirst runs the query
    // again, as on a server cursor. Other cursor and lock types read all
    // rows at Open whatever this says.
    void setStreaming(bool on);
    // Lets go of a streamed recordset's query and the locks it holds in the
    // database; the next move runs it again and reads on from where it was.
    // The engine does the same whenever anything else runs on the connection.
    void releaseCursor();

    struct Impl;

private:
    friend class Field;
    friend class Connection;
    Recordset();
    // Opens on rows already fetched (Execute, OpenSchema).
    void openFrom(const ConnectionPtr& conn, const QString& source, RowSet&& rows, int cursorType,
                  int lockType);
    std::unique_ptr<Impl> d;
};

} // namespace ado
