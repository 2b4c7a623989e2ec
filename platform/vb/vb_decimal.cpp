// Exact decimal arithmetic behind the money type, number reading and Format.
#include "platform/vb/vb.h"
#include "platform/vb/vb_detail.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace vb::detail {

namespace {
// Reads "-d.ddde+XX" as printf and to_chars write it.
Decimal fromScientific(const char* s) {
    Decimal d;
    if (*s == '-') {
        d.negative = true;
        ++s;
    }
    int fractionDigits = 0;
    bool afterPoint = false;
    for (; *s && *s != 'e' && *s != 'E'; ++s) {
        if (*s == '.') {
            afterPoint = true;
        } else {
            d.digits.push_back(*s);
            if (afterPoint)
                ++fractionDigits;
        }
    }
    int exp = 0;
    if (*s)
        exp = std::atoi(s + 1);
    d.exponent = exp - fractionDigits;
    return d;
}

std::string unsignedDigits(unsigned long long v) {
    return std::to_string(v);
}

unsigned long long magnitude(long long v) {
    return v < 0 ? 0ULL - static_cast<unsigned long long>(v) : static_cast<unsigned long long>(v);
}
} // namespace

Decimal shortestDecimal(double d) {
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf - 1, d, std::chars_format::scientific);
    *res.ptr = '\0';
    return fromScientific(buf);
}

Decimal decimal15(double d) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.14e", d);
    return fromScientific(buf);
}

Decimal decimalOfRaw(long long raw) {
    Decimal d;
    d.negative = raw < 0;
    d.digits = unsignedDigits(magnitude(raw));
    d.exponent = -4;
    return d;
}

Decimal decimalOfInteger(long long v) {
    Decimal d;
    d.negative = v < 0;
    d.digits = unsignedDigits(magnitude(v));
    return d;
}

double toDouble(const Decimal& d) {
    if (d.isZero())
        return 0.0;
    std::string s = d.digits + "e" + std::to_string(d.exponent);
    double v = 0;
    auto res = std::from_chars(s.data(), s.data() + s.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Tell the too large from the too small by the position of the point.
        const auto first = d.digits.find_first_not_of('0');
        const long long magnitude10 = static_cast<long long>(d.digits.size() - first) + d.exponent;
        v = magnitude10 > 0 ? std::numeric_limits<double>::infinity() : 0.0;
    }
    return d.negative ? -v : v;
}

std::optional<Decimal> parseNumber(QStringView text, QChar decimalSep, QChar thousands) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    auto skipBlanks = [&] {
        while (i < n && text[i].isSpace())
            ++i;
    };
    skipBlanks();
    Decimal d;
    if (i + 1 < n && text[i] == u'&' &&
        (text[i + 1].toLower() == u'h' || text[i + 1].toLower() == u'o')) {
        const int base = text[i + 1].toLower() == u'h' ? 16 : 8;
        i += 2;
        unsigned long long v = 0;
        int count = 0;
        while (i < n) {
            const int digit =
                text[i].isDigit() && text[i].unicode() < 128
                    ? text[i].unicode() - '0'
                    : (base == 16 && text[i].toLower() >= u'a' && text[i].toLower() <= u'f'
                           ? text[i].toLower().unicode() - 'a' + 10
                           : -1);
            if (digit < 0 || digit >= base)
                break;
            v = v * base + digit;
            if (++count > 16)
                return std::nullopt;
            ++i;
        }
        skipBlanks();
        if (count == 0 || i != n)
            return std::nullopt;
        // As the runtime: up to 16 bits is an Integer, up to 32 a Long, both signed.
        long long sv = static_cast<long long>(v);
        if (v <= 0xFFFF)
            sv = static_cast<std::int16_t>(v);
        else if (v <= 0xFFFFFFFFULL)
            sv = static_cast<std::int32_t>(v);
        return decimalOfInteger(sv);
    }
    if (i < n && (text[i] == u'-' || text[i] == u'+')) {
        d.negative = text[i] == u'-';
        ++i;
    }
    auto isDigitAt = [&](qsizetype k) {
        return k < n && text[k].unicode() >= '0' && text[k].unicode() <= '9';
    };
    int intDigits = 0;
    while (i < n) {
        if (isDigitAt(i)) {
            d.digits.push_back(char(text[i].unicode()));
            ++intDigits;
            ++i;
        } else if (!thousands.isNull() && text[i] == thousands && intDigits > 0 &&
                   isDigitAt(i + 1)) {
            ++i;
        } else {
            break;
        }
    }
    int fracDigits = 0;
    if (i < n && text[i] == decimalSep) {
        ++i;
        while (isDigitAt(i)) {
            d.digits.push_back(char(text[i].unicode()));
            ++fracDigits;
            ++i;
        }
    }
    if (intDigits + fracDigits == 0)
        return std::nullopt;
    long long exp = 0;
    if (i < n && (text[i] == u'e' || text[i] == u'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (text[i] == u'-' || text[i] == u'+')) {
            expNegative = text[i] == u'-';
            ++i;
        }
        if (!isDigitAt(i))
            return std::nullopt;
        while (isDigitAt(i)) {
            if (exp < 100000)
                exp = exp * 10 + (text[i].unicode() - '0');
            ++i;
        }
        if (expNegative)
            exp = -exp;
    }
    skipBlanks();
    if (i != n)
        return std::nullopt;
    // Beyond what a double holds the runtime raises an overflow: no number here.
    const long long total = exp - fracDigits;
    if (total + static_cast<long long>(d.digits.size()) > 330 || total < -400)
        return std::nullopt;
    d.exponent = static_cast<int>(total);
    return d;
}

std::optional<Decimal> parseRegionalNumber(QStringView text) {
    const Regional& r = regional();
    return parseNumber(text, r.decimalSeparator, r.thousandsSeparator);
}

Rounded roundDecimal(const Decimal& d, int places, Rounding mode) {
    std::string intPart;
    std::string frac;
    if (d.exponent >= 0) {
        intPart = d.digits + std::string(static_cast<size_t>(d.exponent), '0');
    } else {
        const size_t k = static_cast<size_t>(-d.exponent);
        if (d.digits.size() > k) {
            intPart = d.digits.substr(0, d.digits.size() - k);
            frac = d.digits.substr(d.digits.size() - k);
        } else {
            frac = std::string(k - d.digits.size(), '0') + d.digits;
        }
    }
    std::string kept = frac.substr(0, std::min(frac.size(), static_cast<size_t>(places)));
    kept.resize(static_cast<size_t>(places), '0');
    const std::string rest = frac.size() > static_cast<size_t>(places)
                                 ? frac.substr(static_cast<size_t>(places))
                                 : std::string();
    std::string all = intPart + kept;
    bool up = false;
    if (!rest.empty()) {
        const char first = rest[0];
        if (mode == Rounding::HalfAwayFromZero) {
            up = first >= '5';
        } else if (first > '5') {
            up = true;
        } else if (first == '5') {
            const bool moreAfter = rest.find_first_not_of('0', 1) != std::string::npos;
            const bool lastOdd = !all.empty() && ((all.back() - '0') % 2 == 1);
            up = moreAfter || lastOdd;
        }
    }
    if (up) {
        int k = static_cast<int>(all.size()) - 1;
        while (k >= 0 && all[static_cast<size_t>(k)] == '9') {
            all[static_cast<size_t>(k)] = '0';
            --k;
        }
        if (k < 0)
            all.insert(all.begin(), '1');
        else
            ++all[static_cast<size_t>(k)];
    }
    Rounded r;
    r.fractionDigits = all.substr(all.size() - static_cast<size_t>(places));
    r.integerDigits = all.substr(0, all.size() - static_cast<size_t>(places));
    const auto nz = r.integerDigits.find_first_not_of('0');
    r.integerDigits = nz == std::string::npos ? std::string() : r.integerDigits.substr(nz);
    return r;
}

Kind kindOf(const QVariant& v) {
    if (!v.isValid())
        return Kind::Empty;
    const int id = v.metaType().id();
    switch (id) {
    case QMetaType::Nullptr:
        return Kind::Null;
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
        return Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    case QMetaType::QDate:
    case QMetaType::QDateTime:
    case QMetaType::QTime:
        return Kind::Date;
    case QMetaType::QString:
    case QMetaType::QChar:
    case QMetaType::QByteArray:
        return Kind::Text;
    default:
        break;
    }
    if (v.metaType() == QMetaType::fromType<Currency>())
        return Kind::Money;
    return Kind::Other;
}

} // namespace vb::detail

namespace vb {

std::optional<ExactNumber> ParseExactNumber(const QString& text) {
    const auto d = detail::parseRegionalNumber(text);
    // An exponent this large names no value a column holds.
    constexpr int kMaxDigits = 1000;
    if (!d || d->exponent > kMaxDigits || d->exponent < -kMaxDigits)
        return std::nullopt;
    std::string digits = d->digits;
    int exponent = d->exponent;
    if (exponent > 0) {
        digits.append(size_t(exponent), '0');
        exponent = 0;
    }
    const size_t places = size_t(-exponent);
    if (digits.size() < places)
        digits.insert(0, places - digits.size(), '0');
    std::string whole = digits.substr(0, digits.size() - places);
    std::string fraction = digits.substr(digits.size() - places);
    whole.erase(0, std::min(whole.find_first_not_of('0'), whole.size()));
    fraction.erase(fraction.find_last_not_of('0') + 1);
    ExactNumber n;
    n.integerDigits = QString::fromStdString(whole);
    n.fractionDigits = QString::fromStdString(fraction);
    n.negative = d->negative && !(whole.empty() && fraction.empty());
    return n;
}

} // namespace vb
