// Every error number the stand-in reports, in one place: the ADO errors with
// their descriptions, and the table that turns SQLite's result codes into the
// numbers the program tests (ADO number, SQL Server native error, SQL state).

#include "platform/ado/engine.h"
#include "platform/ado/engine_odbc.h"
#include "platform/ado/engine_sqlite.h"
#include <QRegularExpression>
#include <sqlite3.h>

namespace ado {

namespace {

const QString kSource = QStringLiteral("ADODB");
const QString kProvider = QStringLiteral("SQLite");

struct AdoText {
    long number;
    const char* description;
};

// Descriptions as the Spanish edition of ADO gives them.
const AdoText kAdoTexts[] = {
    {adErrNoCurrentRecord, "BOF o EOF es True, o el actual registro se eliminó; la operación "
                           "solicitada requiere un registro actual."},
    {adErrIllegalOperation, "La operación solicitada no está permitida en este contexto."},
    {adErrItemNotFound, "No se encontró el elemento en la colección que corresponde con el "
                        "nombre o el ordinal pedido."},
    {adErrFeatureNotAvailable, "El Recordset actual no admite actualizaciones. Puede que sea una "
                               "limitación del proveedor o del tipo de bloqueo seleccionado."},
    {adErrObjectClosed, "No se permite la operación cuando el objeto está cerrado."},
    {adErrObjectOpen, "No se permite la operación cuando el objeto está abierto."},
    {adErrInvalidConnection, "No se puede usar la conexión para realizar esta operación. Está "
                             "cerrada o no es válida en este contexto."},
    {adErrDataConversion, "La aplicación usa un valor de tipo incorrecto para la operación "
                          "actual."},
    {adErrNoBackwardFetch, "El conjunto de filas no admite recuperaciones hacia atrás."},
    {adErrRowNotFound, "No se encuentra la fila para actualizarla. Algunos valores pueden haber "
                       "cambiado desde la última lectura."},
};

// SQLite result code -> the provider error SQL Server would have given.
// Rules are tried in order: an extended code matches exactly, a primary code
// matches every extended code of its family; `text` (when given) must occur in
// SQLite's message. `terminates`: SQL Server follows the error with
// "statement terminated" (native 3621).
//
// Native 11 (lost link) never comes from SQLite: a local file has no link to
// lose, and an I/O failure is reported as what it is (unspecified, native 0).
// Tests simulate lost links with the fault injector (lostLinkError()).
struct SqliteRule {
    int code;
    const char* text;
    long number;
    long native;
    const char* sqlState;
    bool terminates;
};

const SqliteRule kSqliteRules[] = {
    {SQLITE_CONSTRAINT_PRIMARYKEY, nullptr, adErrIntegrity, nativeDuplicateKey, "23000", true},
    {SQLITE_CONSTRAINT_UNIQUE, nullptr, adErrIntegrity, nativeDuplicateKey, "23000", true},
    {SQLITE_CONSTRAINT_NOTNULL, nullptr, adErrIntegrity, nativeNotNull, "23000", true},
    // A trigger's RAISE stands for the server trigger's RAISERROR, not for a
    // constraint: a refused delete must not read as rows naming the row.
    {SQLITE_CONSTRAINT_TRIGGER, nullptr, adErrCommand, nativeUserError, "42000", false},
    {SQLITE_CONSTRAINT, nullptr, adErrIntegrity, nativeConstraint, "23000", true},
    // The server's refusals that the engine's write checks raise, in its words.
    {SQLITE_ERROR, "String or binary data would be truncated", adErrDataOverflow, nativeTruncation,
     "22001", true},
    {SQLITE_ERROR, "Cannot insert the value NULL", adErrIntegrity, nativeNotNull, "23000", true},
    {SQLITE_ERROR, "Error converting data type", adErrCommand, nativeNumberConversion, "42000",
     true},
    {SQLITE_ERROR, "Cannot convert a char value", adErrCommand, nativeMoneyConversion, "22018",
     true},
    {SQLITE_ERROR, "Arithmetic overflow error for data type", adErrDataOverflow,
     nativeValueOverflow, "22003", true},
    {SQLITE_ERROR, "Arithmetic overflow error converting", adErrDataOverflow,
     nativeArithmeticOverflow, "22003", true},
    {SQLITE_ERROR, "Conversion failed when converting date and/or time", adErrCommand,
     nativeDateConversion, "22007", true},
    {SQLITE_ERROR, "data type resulted in an out-of-range value", adErrCommand,
     nativeDateOutOfRange, "22007", true},
    {SQLITE_ERROR, "Use a larger integer column", adErrDataOverflow, nativeSmallIntegerText,
     "22003", true},
    {SQLITE_ERROR, "overflowed an int column", adErrDataOverflow, nativeIntegerText, "22003", true},
    {SQLITE_ERROR, "is not a recognized date", adErrCommand, nativeUnknownDatePart, "42000", false},
    {SQLITE_ERROR, "column caused an overflow", adErrDataOverflow, nativeDateOverflow, "22008",
     true},
    {SQLITE_ERROR, "datediff function resulted in an overflow", adErrDataOverflow,
     nativeDateDiffOverflow, "22003", true},
    {SQLITE_ERROR, "did not qualify under the CHECK OPTION", adErrIntegrity, nativeOutsideView,
     "44000", true},
    {SQLITE_ERROR, "ALTER TABLE only allows columns", adErrCommand, nativeNotNullColumnAdded,
     "42000", false},
    {SQLITE_ERROR, "no such table", adErrNoSuchTable, nativeUnknownTable, "42S02", false},
    {SQLITE_ERROR, "no such view", adErrNoSuchTable, nativeUnknownTable, "42S02", false},
    {SQLITE_ERROR, "no such column", adErrCommand, nativeUnknownColumn, "42S22", false},
    {SQLITE_ERROR, "no such function", adErrCommand, nativeUnknownFunction, "42000", false},
    {SQLITE_ERROR, "already exists", adErrCommand, nativeObjectExists, "42S01", false},
    {SQLITE_ERROR, "conversion failed", adErrCommand, nativeConversion, "22018", true},
    {SQLITE_ERROR, "syntax error", adErrCommand, nativeSyntax, "42000", false},
    {SQLITE_ERROR, "incomplete input", adErrCommand, nativeSyntax, "42000", false},
    {SQLITE_ERROR, "unrecognized token", adErrCommand, nativeSyntax, "42000", false},
    {SQLITE_ERROR, nullptr, adErrCommand, 0, "42000", false},
    {SQLITE_MISMATCH, nullptr, adErrCommand, nativeConversion, "22018", true},
    {SQLITE_BUSY, nullptr, adErrUnspecified, nativeLockTimeout, "HYT00", false},
    {SQLITE_LOCKED, nullptr, adErrUnspecified, nativeLockTimeout, "HYT00", false},
    {SQLITE_READONLY, nullptr, adErrUnspecified, nativeReadOnlyDatabase, "42000", false},
    {SQLITE_IOERR, nullptr, adErrUnspecified, 0, "HY000", false},
    {SQLITE_CANTOPEN, nullptr, adErrUnspecified, 0, "HY000", false},
    {SQLITE_NOTADB, nullptr, adErrUnspecified, 0, "HY000", false},
    {SQLITE_CORRUPT, nullptr, adErrUnspecified, 0, "HY000", false},
    {SQLITE_FULL, nullptr, adErrUnspecified, 0, "HY000", false},
};

} // namespace

Error adoError(long number) {
    Error e;
    e.Number = number;
    e.Source = kSource;
    for (const auto& t : kAdoTexts)
        if (t.number == number)
            e.Description = QString::fromUtf8(t.description);
    if (e.Description.isEmpty())
        e.Description = QStringLiteral("Error no especificado");
    return e;
}

void throwAdo(long number) {
    throw Exception(adoError(number));
}

Error statementTerminated(const Error& first) {
    return Error{first.Number, QStringLiteral("Se terminó la instrucción."),
                 QStringLiteral("01000"), nativeStatementTerminated, first.Source};
}

Error connectionError(long native, const QString& sqlState, const QString& description) {
    return Error{adErrUnspecified, description, sqlState, native, kProvider};
}

Error lostLinkError() {
    return Error{adErrUnspecified,
                 QStringLiteral("[DBNETLIB][ConnectionWrite (send()).]Error general de red. "
                                "Compruebe la documentación de red."),
                 QStringLiteral("08S01"), nativeLostLink, kProvider};
}

Error lockTimeoutError() {
    return Error{adErrUnspecified,
                 QStringLiteral("Se superó el tiempo de espera de la solicitud de bloqueo."),
                 QStringLiteral("HYT00"), nativeLockTimeout, kProvider};
}

Exception sqliteException(int extendedCode, const QString& message) {
    const int primary = extendedCode & 0xff;
    for (const auto& r : kSqliteRules) {
        const bool codeMatches = r.code == extendedCode || (r.code == primary && r.code <= 0xff);
        if (!codeMatches)
            continue;
        if (r.text && !message.contains(QLatin1String(r.text), Qt::CaseInsensitive))
            continue;
        // A busy file reads as the server's lock time-out, never as SQLite's text.
        if (r.native == nativeLockTimeout)
            return Exception(lockTimeoutError());
        Error e{r.number, message, QString::fromLatin1(r.sqlState), r.native, kProvider};
        if (r.terminates)
            return Exception(std::vector<Error>{e, statementTerminated(e)});
        return Exception(e);
    }
    return Exception(Error{adErrUnspecified, message, QStringLiteral("HY000"), 0, kProvider});
}

// ---- ODBC diagnostics ------------------------------------------------------------------
//
// A server's records carry its own native numbers (2627, 515, 8152, 1222 ...)
// and the SQL states say the rest. A broken link (class 08 once connected)
// reads as native 11 whatever the driver numbers it, as the lost-link policy
// expects; a connection that could not be made, as the server not found
// (17), unless the server itself refused the login or the database. Behind a SQLite driver the
// native number is SQLite's result code, which the table above maps.

Exception odbcException(const std::vector<OdbcDiagnostic>& records, ServerKind dialect,
                        bool connecting) {
    const QString source = QStringLiteral("ODBC");
    if (records.empty())
        return Exception(Error{adErrUnspecified, QStringLiteral("Error no especificado"),
                               QStringLiteral("HY000"), 0, source});
    if (dialect == ServerKind::Sqlite && !connecting) {
        static const QRegularExpression decoration(
            QStringLiteral("^(\\[[^\\]]*\\])+|\\s*\\(\\d+\\)$"));
        QString message = records.front().message;
        message.remove(decoration);
        return sqliteException(int(records.front().native), message.trimmed());
    }
    std::vector<Error> errors;
    for (const OdbcDiagnostic& r : records) {
        Error e{adErrUnspecified, r.message, r.state, r.native, source};
        const QString cls = r.state.left(2);
        if (connecting) {
            // A refused login (28) or database (42) keeps the server's
            // number; anything else kept the server from being reached.
            if (cls != u"28" && cls != u"42") {
                e.NativeError = nativeServerNotFound;
                e.SQLState = QStringLiteral("08001");
            }
        } else if (cls == u"08") {
            e.NativeError = nativeLostLink;
        } else if (r.native == nativeLockTimeout) {
            e = lockTimeoutError();
            e.Description = r.message;
        } else if (r.state == u"HYT00" || r.state == u"HYT01") {
            e.Number = adErrTimeout;
        } else if (cls == u"23") {
            e.Number = adErrIntegrity;
        } else if (r.state == u"22001") {
            e.Number = adErrDataOverflow;
            if (!e.NativeError)
                e.NativeError = nativeTruncation;
        } else if (r.state == u"42S02") {
            e.Number = adErrNoSuchTable;
            if (!e.NativeError)
                e.NativeError = nativeUnknownTable;
        } else if (cls == u"42" || cls == u"37" || cls == u"22" || cls == u"07") {
            e.Number = adErrCommand;
        } else if (cls == u"01" && !errors.empty()) {
            e.Number = errors.front().Number; // "the statement has been terminated"
        }
        errors.push_back(e);
    }
    return Exception(errors);
}

} // namespace ado
