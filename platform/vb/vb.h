#pragma once
// What the program leans on from its original runtime: Empty and Null values,
// the money type, Format patterns, day-first dates, Val, DateAdd, the event pass
// and the program folder. Regional settings live in one place (regional()).

#include <QDate>
#include <QDateTime>
#include <QMetaType>
#include <QString>
#include <QVariant>
#include <compare>
#include <cstdint>
#include <functional>
#include <optional>

namespace vb {

// ---- Regional settings -------------------------------------------------------
struct Regional {
    QChar decimalSeparator = u',';
    QChar thousandsSeparator = u'.';
    QString shortDate = QStringLiteral("dd/MM/yyyy"); // Qt pattern of the short date
    QString longTime = QStringLiteral("HH:mm:ss");    // Qt pattern of the time of day
    QString trueText = QStringLiteral("Verdadero");   // how CStr writes a Boolean
    QString falseText = QStringLiteral("Falso");
};
// Spanish (Argentina) unless a test sets something else.
const Regional& regional();
void setRegional(const Regional& r);

// ---- Money -------------------------------------------------------------------
// Signed 64-bit count of ten-thousandths. Every conversion from a double rounds
// to the nearest ten-thousandth, ties to even, working on the shortest decimal
// text of the double (so 0.00015 -> 0.0002, as the runtime's CCur does).
// Results outside the range (about +-922337203685477) throw std::overflow_error,
// as the runtime raises its overflow error; so do NaN and infinities.
class Currency {
public:
    constexpr Currency() = default;
    static constexpr Currency fromRaw(std::int64_t tenThousandths) {
        Currency c;
        c.v_ = tenThousandths;
        return c;
    }
    static Currency fromDouble(double d);
    // Regional text ("1.234,56", "-0,5", " 12 "); std::nullopt when it is no number.
    static std::optional<Currency> parse(const QString& text);
    // Text with the given decimal character and no thousands separators.
    static std::optional<Currency> parse(const QString& text, QChar decimalSeparator);

    constexpr std::int64_t raw() const { return v_; }
    double toDouble() const { return double(v_) / 10000.0; }
    // Shortest regional text, like CStr: "1234,5", "-3", "0,0001".
    QString toString() const;
    // Same with the given decimal character (for statement text).
    QString toString(QChar decimalSeparator) const;
    // Rounded to `decimals` places (0 to 4), ties to even (Round of the runtime).
    Currency rounded(int decimals) const;

    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency operator-() const;
    Currency& operator+=(Currency o) { return *this = *this + o; }
    Currency& operator-=(Currency o) { return *this = *this - o; }
    Currency operator*(double f) const;   // rounds half to even
    Currency operator*(Currency o) const; // rounds half to even
    auto operator<=>(const Currency&) const = default;

private:
    std::int64_t v_ = 0;
};

// ---- Variants ----------------------------------------------------------------
// Empty is an invalid QVariant; Null is a QVariant holding std::nullptr_t.
QVariant Empty();
QVariant Null();
bool IsEmpty(const QVariant& v);
bool IsNull(const QVariant& v);
// IsNumeric of the runtime, regional text accepted.
bool IsNumeric(const QVariant& v);
// Conversions as the runtime makes them; Empty reads as 0 / "" / false; a
// Boolean True reads as -1; a date reads as its day count from 30/12/1899.
QString CStr(const QVariant& v);      // Null gives ""; doubles with 15 digits
double CDbl(const QVariant& v);       // regional text; no number gives 0
Currency CCur(const QVariant& v);     // regional text; no number gives 0
std::int64_t CLng(const QVariant& v); // rounds half to even; beyond 32 bits throws overflow
bool CBool(const QVariant& v);        // "True"/"Verdadero"/"False"/"Falso"/numbers
QVariant fromCurrency(Currency c);
bool isCurrency(const QVariant& v);
Currency toCurrency(const QVariant& v); // same as CCur

// ---- Numbers in text -----------------------------------------------------------
// Leading-number reading: blanks skipped, "." is the only decimal point,
// "&H" hex accepted, reading stops at the first other character.
// "12ab" -> 12, "1,5" -> 1, "" -> 0, " 1 2" -> 12.
double Val(const QString& text);

// A regional number's exact digits ("-1.234,50": negative, "1234", "5"): the
// integer part without leading zeros, the fraction without trailing zeros
// (both empty for zero); std::nullopt when the text is no number, or one too
// long to be any column's.
struct ExactNumber {
    bool negative = false;
    QString integerDigits;
    QString fractionDigits;
};
std::optional<ExactNumber> ParseExactNumber(const QString& text);

// ---- Format ----------------------------------------------------------------------
// Numeric patterns ("0000", "00000000", "#########.00", "########0.00",
// "#,##0.00", "0.00") write the regional decimal and thousands characters;
// numbers are taken with 15 significant digits and rounded half away from zero
// (unlike CCur and CLng, which round ties to even). Date patterns
// ("dd/mm/yyyy", "dd/mm/yy hh:mm", "mm/yyyy", "yyyy", "hh:mm:ss", "mm", "dd";
// letters in any case, "mm" after "hh" or before "ss" is minutes, "nn" minutes)
// write the date. "General Date" and "Short Date" are understood. A text value
// that reads as a (regional) number or a day-first date is formatted as one;
// anything else comes back as its text. Null gives ""; Empty formats as 0.
QString Format(const QVariant& value, const QString& pattern);
QString Format(double value, const QString& pattern);
QString Format(const QDateTime& value, const QString& pattern);
QString Format(const QDate& value, const QString& pattern);

// ---- Dates -------------------------------------------------------------------------
// Dates are naive wall-clock times: QDateTime in Qt::UTC whose fields
// are the local ones; never converted between zones.
QDateTime MakeDate(int year, int month, int day, int h = 0, int m = 0, int s = 0);
// Day-first reading of "d/m/yyyy", "dd/mm/yy", "dd-mm-yyyy", with an optional
// time "hh:mm[:ss]"; std::nullopt when it is no valid date ("31/02/2023").
// Two-digit years: 00-29 are 20xx, 30-99 are 19xx. A four-digit first part
// reads year first ("2023-01-31", as the database writes dates).
std::optional<QDateTime> ParseDate(const QString& text);
bool IsDate(const QVariant& v);
QDateTime CDate(const QVariant& v); // invalid QDateTime when it is no date
// DateAdd("m", n, d): the day is clamped to the target month's length.
QDateTime AddMonths(const QDateTime& d, int months);
QDate AddMonths(const QDate& d, int months);
// Injected clock: tests set a fixed moment.
QDateTime Now();
QDate Date();
void setClock(std::function<QDateTime()> clock); // empty function: real clock

// ---- Program ---------------------------------------------------------------------
// App.Path and App.EXEName; tests may point them elsewhere.
QString AppPath();
QString AppExeName();
void setAppPath(const QString& path);    // empty: the executable's folder
void setAppExeName(const QString& name); // empty: the executable's name
// App.Major, App.Minor and App.Revision: the project's version unless set.
struct Version {
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};
Version AppVersion();
void setAppVersion(const std::optional<Version>& version); // nullopt: the project's
// One pass of pending window events (DoEvents).
void DoEvents();

} // namespace vb

Q_DECLARE_METATYPE(vb::Currency)
