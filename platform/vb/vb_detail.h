#pragma once
// Shared inner workings of the runtime module (vb.cpp, vb_format.cpp,
// vb_date.cpp). Not for use outside platform/vb/.

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <optional>
#include <string>

namespace vb::detail {

// An exact decimal number: sign, digits and a power of ten
// (value = digits * 10^exponent). Zero has empty or all-zero digits.
struct Decimal {
    bool negative = false;
    std::string digits;
    int exponent = 0;
    bool isZero() const { return digits.find_first_not_of('0') == std::string::npos; }
};

// Shortest text that reads back as the same double.
Decimal shortestDecimal(double d);
// The double with 15 significant digits, as the runtime turns doubles into text.
Decimal decimal15(double d);
// Exact value of a count of ten-thousandths.
Decimal decimalOfRaw(long long raw);
Decimal decimalOfInteger(long long v);
double toDouble(const Decimal& d);

// A number in text: blanks around, a leading sign, digits with `thousands`
// between them (QChar() for none), `decimalSep`, an exponent, or "&H"/"&O".
std::optional<Decimal> parseNumber(QStringView text, QChar decimalSep, QChar thousands);
std::optional<Decimal> parseRegionalNumber(QStringView text);

enum class Rounding { HalfEven, HalfAwayFromZero };
struct Rounded {
    std::string integerDigits;  // without leading zeros; empty for zero
    std::string fractionDigits; // exactly `places` digits
    bool isZero() const {
        return integerDigits.empty() && fractionDigits.find_first_not_of('0') == std::string::npos;
    }
};
Rounded roundDecimal(const Decimal& d, int places, Rounding mode);

// Day count from 30/12/1899 with the time as fraction (the runtime's dates).
double toSerial(const QDateTime& dt);
QDateTime fromSerial(double serial); // invalid outside the years 100 to 9999

// A date as the runtime shows it by default: the regional short date, the
// long time, or both; the time alone on 30/12/1899. Empty when invalid.
QString generalDate(const QDateTime& dt);

// What kind of runtime value a QVariant holds.
enum class Kind { Empty, Null, Boolean, Integer, Real, Money, Date, Text, Other };
Kind kindOf(const QVariant& v);

} // namespace vb::detail
