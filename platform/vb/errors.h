#pragma once
// Trappable errors: what the program's error handlers see of a failure, as
// the runtime's Err object and the database objects' Errors give it. The
// runtime's own errors are raised with Raise, their texts from one table;
// the database stand-in (platform/ado) throws the same type with its own
// numbers, SQL state and server error.

#include <QString>
#include <stdexcept>
#include <vector>

namespace vb {

// The runtime's errors the program raises itself.
enum RuntimeErrorNumber : long {
    errInvalidCall = 5,
    errOverflow = 6,
    errSubscriptOutOfRange = 9,
    errDivisionByZero = 11,
    errTypeMismatch = 13,
    errFileNotFound = 53,
    errPathFileAccess = 75,
    errObjectNotSet = 91,
    errInvalidUseOfNull = 94,
    errNotSupported = 438,
};

struct Error {
    long Number = 0;
    QString Description;
    QString SQLState;     // database errors only
    long NativeError = 0; // the server's own number; database errors only
    QString Source;
};

// Carries the first error; a provider failure may add more (SQL Server sends
// "statement terminated" after a refused row), all of which reach Errors.
class TrappableError : public std::runtime_error {
public:
    explicit TrappableError(Error e);
    explicit TrappableError(std::vector<Error> all); // not empty
    const Error& error() const { return all_.front(); }
    const std::vector<Error>& all() const { return all_; }
    long number() const { return error().Number; }

private:
    std::vector<Error> all_;
};

// The runtime's text of one of its errors, as its Spanish edition writes it
// ("No coinciden los tipos"); a number it does not know gives the text of an
// error defined by the application.
QString ErrorText(long number);

// The runtime's error: its number, its text, the program as its source.
Error RuntimeError(long number);

// Raises the runtime's error (Err.Raise): throws TrappableError.
[[noreturn]] void Raise(long number);

} // namespace vb
