#include "platform/vb/vb.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb_detail.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <cctype>
#include <charconv>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace vb {

using detail::Decimal;
using detail::Kind;
using detail::Rounding;

// ---- Regional settings -------------------------------------------------------

namespace {
Regional& regionalStore() {
    static Regional r;
    return r;
}
} // namespace

const Regional& regional() {
    return regionalStore();
}
void setRegional(const Regional& r) {
    regionalStore() = r;
}

// ---- Money -----------------------------------------------------------------------

namespace {

// An arithmetic overflow of the money type and the conversions: the step
// runner reports it as the runtime's error 6.
[[noreturn]] void overflow() {
    throw std::overflow_error(ErrorText(errOverflow).toStdString());
}

constexpr unsigned long long kMaxRaw = 9223372036854775807ULL;

Currency currencyFromDecimal(const Decimal& d) {
    const detail::Rounded r = detail::roundDecimal(d, 4, Rounding::HalfEven);
    const std::string all = r.integerDigits + r.fractionDigits;
    if (all.size() > 19)
        overflow();
    unsigned long long v = 0;
    std::from_chars(all.data(), all.data() + all.size(), v);
    if (v > kMaxRaw + (d.negative ? 1 : 0))
        overflow();
    if (d.negative)
        return Currency::fromRaw(static_cast<std::int64_t>(0ULL - v));
    return Currency::fromRaw(static_cast<std::int64_t>(v));
}

// Integer division rounding ties to even; b > 0.
__int128 divideHalfEven(__int128 a, __int128 b) {
    const bool negative = a < 0;
    const __int128 m = negative ? -a : a;
    __int128 q = m / b;
    const __int128 r = m % b;
    if (r * 2 > b || (r * 2 == b && (q % 2) == 1))
        ++q;
    return negative ? -q : q;
}

std::int64_t checkedRaw(__int128 v) {
    if (v > static_cast<__int128>(std::numeric_limits<std::int64_t>::max()) ||
        v < static_cast<__int128>(std::numeric_limits<std::int64_t>::min()))
        overflow();
    return static_cast<std::int64_t>(v);
}

struct CurrencyRegistration {
    CurrencyRegistration() {
        qRegisterMetaType<Currency>("vb::Currency");
        QMetaType::registerConverter<Currency, double>(&Currency::toDouble);
        QMetaType::registerConverter<Currency, QString>(
            [](const Currency& c) { return c.toString(); });
    }
};
void ensureRegistered() {
    static CurrencyRegistration once;
}
const bool registeredAtStart = (ensureRegistered(), true);

} // namespace

Currency Currency::fromDouble(double d) {
    if (!std::isfinite(d) || std::fabs(d) >= 1e15)
        overflow();
    // Without writing the text when the product by 10000 lies clear of a
    // tie: the product and the shortest text (times 10000) are each within
    // one unit in the last place of the product from the exact value, so
    // both round to the same ten-thousandth. Below 2^51 the floor and the
    // fraction are exact.
    const double r = d * 10000.0;
    const double a = std::fabs(r);
    if (a < 0x1p51) {
        const double entero = std::floor(r);
        const double fraccion = r - entero;
        const double margen = 4 * (std::nextafter(a, HUGE_VAL) - a);
        if (std::fabs(fraccion - 0.5) > margen)
            return fromRaw(static_cast<std::int64_t>(fraccion < 0.5 ? entero : entero + 1));
    }
    return currencyFromDecimal(detail::shortestDecimal(d));
}

std::optional<Currency> Currency::parse(const QString& text) {
    const auto d = detail::parseRegionalNumber(text);
    if (!d)
        return std::nullopt;
    return currencyFromDecimal(*d);
}

std::optional<Currency> Currency::parse(const QString& text, QChar decimalSeparator) {
    const auto d = detail::parseNumber(text, decimalSeparator, QChar());
    if (!d)
        return std::nullopt;
    return currencyFromDecimal(*d);
}

QString Currency::toString() const {
    return toString(regional().decimalSeparator);
}

QString Currency::toString(QChar decimalSeparator) const {
    const unsigned long long m =
        v_ < 0 ? 0ULL - static_cast<unsigned long long>(v_) : static_cast<unsigned long long>(v_);
    QString s = QString::number(m / 10000);
    unsigned long long frac = m % 10000;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QChar(u'0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        s += decimalSeparator;
        s += f;
    }
    if (v_ < 0)
        s.prepend(u'-');
    return s;
}

Currency Currency::rounded(int decimals) const {
    if (decimals >= 4)
        return *this;
    __int128 factor = 1;
    for (int k = std::max(decimals, 0); k < 4; ++k)
        factor *= 10;
    return fromRaw(checkedRaw(divideHalfEven(v_, factor) * factor));
}

Currency Currency::operator+(Currency o) const {
    return fromRaw(checkedRaw(static_cast<__int128>(v_) + o.v_));
}

Currency Currency::operator-(Currency o) const {
    return fromRaw(checkedRaw(static_cast<__int128>(v_) - o.v_));
}

// The most negative amount has no opposite.
Currency Currency::operator-() const {
    return fromRaw(checkedRaw(-static_cast<__int128>(v_)));
}

Currency Currency::operator*(double f) const {
    // The runtime multiplies in double precision and converts the product back.
    return fromDouble(toDouble() * f);
}

Currency Currency::operator*(Currency o) const {
    const __int128 product = static_cast<__int128>(v_) * o.v_;
    return fromRaw(checkedRaw(divideHalfEven(product, 10000)));
}

// ---- Variants ----------------------------------------------------------------

namespace {

// General number text of the runtime: 15 significant digits, scientific
// notation for very large and very small magnitudes.
QString generalNumber(double d) {
    if (d == 0)
        return QStringLiteral("0");
    if (std::isnan(d))
        return QStringLiteral("NaN");
    if (std::isinf(d))
        return d > 0 ? QStringLiteral("Inf") : QStringLiteral("-Inf");
    Decimal dec = detail::decimal15(d);
    std::string digits = dec.digits;
    int exp = dec.exponent;
    while (digits.size() > 1 && digits.back() == '0') {
        digits.pop_back();
        ++exp;
    }
    const int x = static_cast<int>(digits.size()) - 1 + exp; // power of the first digit
    const QChar sep = regional().decimalSeparator;
    QString out;
    if (x >= 15 || x < -5) {
        out = QString::fromLatin1(digits.substr(0, 1).c_str());
        if (digits.size() > 1)
            out += sep + QString::fromLatin1(digits.substr(1).c_str());
        out += QStringLiteral("E%1%2")
                   .arg(QChar(x < 0 ? u'-' : u'+'))
                   .arg(std::abs(x), 2, 10, QChar(u'0'));
    } else if (exp >= 0) {
        out = QString::fromLatin1(digits.c_str()) + QString(exp, u'0');
    } else {
        const int k = -exp;
        if (static_cast<int>(digits.size()) > k) {
            out = QString::fromLatin1(digits.substr(0, digits.size() - k).c_str()) + sep +
                  QString::fromLatin1(digits.substr(digits.size() - k).c_str());
        } else {
            out = QStringLiteral("0") + sep + QString(k - int(digits.size()), u'0') +
                  QString::fromLatin1(digits.c_str());
        }
    }
    if (dec.negative)
        out.prepend(u'-');
    return out;
}

QDateTime dateOf(const QVariant& v) {
    switch (v.metaType().id()) {
    case QMetaType::QDate:
        return MakeDate(v.toDate().year(), v.toDate().month(), v.toDate().day());
    case QMetaType::QTime: {
        const QTime t = v.toTime();
        return MakeDate(1899, 12, 30, t.hour(), t.minute(), t.second());
    }
    default: {
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return {};
        return MakeDate(dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(),
                        dt.time().minute(), dt.time().second());
    }
    }
}

double integerValue(const QVariant& v) {
    if (v.metaType().id() == QMetaType::ULongLong || v.metaType().id() == QMetaType::ULong)
        return static_cast<double>(v.toULongLong());
    return static_cast<double>(v.toLongLong());
}

bool equalsIgnoringCase(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

QVariant Empty() {
    return QVariant();
}
QVariant Null() {
    return QVariant::fromValue(nullptr);
}
bool IsEmpty(const QVariant& v) {
    return !v.isValid();
}
bool IsNull(const QVariant& v) {
    return v.isValid() && v.metaType().id() == QMetaType::Nullptr;
}

bool IsNumeric(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Boolean:
    case Kind::Integer:
    case Kind::Real:
    case Kind::Money:
        return true;
    case Kind::Text:
        return detail::parseRegionalNumber(v.toString()).has_value();
    default:
        return false;
    }
}

QString CStr(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Boolean:
        return v.toBool() ? regional().trueText : regional().falseText;
    case Kind::Integer:
        return v.toString();
    case Kind::Real:
        return generalNumber(v.toDouble());
    case Kind::Money:
        return v.value<Currency>().toString();
    case Kind::Date:
        return detail::generalDate(dateOf(v));
    default:
        return v.toString();
    }
}

double CDbl(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Null:
        return 0;
    case Kind::Boolean:
        return v.toBool() ? -1 : 0;
    case Kind::Integer:
        return integerValue(v);
    case Kind::Real:
        return v.toDouble();
    case Kind::Money:
        return v.value<Currency>().toDouble();
    case Kind::Date: {
        const QDateTime dt = dateOf(v);
        return dt.isValid() ? detail::toSerial(dt) : 0;
    }
    case Kind::Text: {
        const auto d = detail::parseRegionalNumber(v.toString());
        return d ? detail::toDouble(*d) : 0;
    }
    default: {
        bool ok = false;
        const double d = v.toDouble(&ok);
        return ok ? d : 0;
    }
    }
}

Currency CCur(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Null:
        return {};
    case Kind::Boolean:
        return Currency::fromRaw(v.toBool() ? -10000 : 0);
    case Kind::Integer:
        if (v.metaType().id() == QMetaType::ULongLong || v.metaType().id() == QMetaType::ULong) {
            const unsigned long long u = v.toULongLong();
            if (u > kMaxRaw / 10000)
                overflow();
            return Currency::fromRaw(static_cast<std::int64_t>(u) * 10000);
        }
        return Currency::fromRaw(checkedRaw(static_cast<__int128>(v.toLongLong()) * 10000));
    case Kind::Money:
        return v.value<Currency>();
    case Kind::Text: {
        const auto c = Currency::parse(v.toString());
        return c ? *c : Currency();
    }
    default:
        return Currency::fromDouble(CDbl(v));
    }
}

std::int64_t CLng(const QVariant& v) {
    std::int64_t result = 0;
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Null:
        return 0;
    case Kind::Boolean:
        return v.toBool() ? -1 : 0;
    case Kind::Integer:
        if (v.metaType().id() == QMetaType::ULongLong &&
            v.toULongLong() > static_cast<unsigned long long>(INT32_MAX))
            overflow();
        result = v.toLongLong();
        break;
    case Kind::Money:
        result = v.value<Currency>().rounded(0).raw() / 10000;
        break;
    case Kind::Text: {
        const auto d = detail::parseRegionalNumber(v.toString());
        if (!d)
            return 0;
        const detail::Rounded r = detail::roundDecimal(*d, 0, Rounding::HalfEven);
        if (r.integerDigits.size() > 10)
            overflow();
        result = r.integerDigits.empty() ? 0 : std::stoll(r.integerDigits);
        if (d->negative)
            result = -result;
        break;
    }
    default: {
        const double d = std::nearbyint(CDbl(v)); // the default mode rounds ties to even
        if (!(std::fabs(d) < 4e9))
            overflow();
        result = static_cast<std::int64_t>(d);
        break;
    }
    }
    if (result > INT32_MAX || result < INT32_MIN)
        overflow();
    return result;
}

bool CBool(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case Kind::Empty:
    case Kind::Null:
        return false;
    case Kind::Boolean:
        return v.toBool();
    case Kind::Money:
        return v.value<Currency>().raw() != 0;
    case Kind::Text: {
        const QString t = v.toString().trimmed();
        const Regional& r = regional();
        if (equalsIgnoringCase(t, QStringLiteral("True")) || equalsIgnoringCase(t, r.trueText) ||
            equalsIgnoringCase(t, QStringLiteral("Verdadero")))
            return true;
        if (equalsIgnoringCase(t, QStringLiteral("False")) || equalsIgnoringCase(t, r.falseText) ||
            equalsIgnoringCase(t, QStringLiteral("Falso")))
            return false;
        const auto d = detail::parseRegionalNumber(t);
        return d && !d->isZero();
    }
    default:
        return CDbl(v) != 0;
    }
}

QVariant fromCurrency(Currency c) {
    ensureRegistered();
    return QVariant::fromValue(c);
}

bool isCurrency(const QVariant& v) {
    return detail::kindOf(v) == Kind::Money;
}

Currency toCurrency(const QVariant& v) {
    return CCur(v);
}

// ---- Numbers in text -----------------------------------------------------------

double Val(const QString& text) {
    // Blanks, tabs and line ends do not count anywhere in the text.
    std::string s;
    s.reserve(static_cast<size_t>(text.size()));
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u' ' || u == u'\t' || u == u'\n' || u == u'\r')
            continue;
        s.push_back(u < 128 ? static_cast<char>(u) : '\x01');
    }
    size_t i = 0;
    if (s.size() >= 2 && s[0] == '&' &&
        (s[1] == 'H' || s[1] == 'h' || s[1] == 'O' || s[1] == 'o')) {
        const int base = (s[1] == 'H' || s[1] == 'h') ? 16 : 8;
        i = 2;
        unsigned long long v = 0;
        int count = 0;
        for (; i < s.size(); ++i) {
            const char c = static_cast<char>(std::tolower(static_cast<unsigned char>(s[i])));
            int digit = -1;
            if (c >= '0' && c <= '9')
                digit = c - '0';
            else if (c >= 'a' && c <= 'f')
                digit = c - 'a' + 10;
            if (digit < 0 || digit >= base || count >= 16)
                break;
            v = v * static_cast<unsigned>(base) + static_cast<unsigned>(digit);
            ++count;
        }
        if (v <= 0xFFFF)
            return static_cast<std::int16_t>(v);
        if (v <= 0xFFFFFFFFULL)
            return static_cast<std::int32_t>(v);
        return static_cast<double>(v);
    }
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) {
        negative = s[i] == '-';
        ++i;
    }
    std::string number;
    auto isDigit = [&](size_t k) { return k < s.size() && s[k] >= '0' && s[k] <= '9'; };
    while (isDigit(i))
        number.push_back(s[i++]);
    if (i < s.size() && s[i] == '.') {
        number.push_back('.');
        ++i;
        while (isDigit(i))
            number.push_back(s[i++]);
    }
    if (number.find_first_of("0123456789") == std::string::npos)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E' || s[i] == 'd' || s[i] == 'D')) {
        size_t k = i + 1;
        std::string exp = "e";
        if (k < s.size() && (s[k] == '-' || s[k] == '+'))
            exp.push_back(s[k++]);
        if (isDigit(k)) {
            while (isDigit(k))
                exp.push_back(s[k++]);
            number += exp;
        }
    }
    double v = 0;
    const auto res = std::from_chars(number.data(), number.data() + number.size(), v);
    if (res.ec == std::errc::result_out_of_range) {
        // Only exponents can leave the range; a huge one gives infinity, a tiny one zero.
        v = number.find("e-") != std::string::npos ? 0.0 : std::numeric_limits<double>::infinity();
    }
    return negative ? -v : v;
}

// ---- Program ---------------------------------------------------------------------

namespace {
QString& appPathOverride() {
    static QString s;
    return s;
}
QString& appExeNameOverride() {
    static QString s;
    return s;
}
std::optional<Version>& appVersionOverride() {
    static std::optional<Version> v;
    return v;
}
QString executablePath() {
    if (QCoreApplication::instance())
        return QCoreApplication::applicationFilePath();
    return QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath();
}
} // namespace

QString AppPath() {
    if (!appPathOverride().isEmpty())
        return appPathOverride();
    return QFileInfo(executablePath()).absolutePath();
}

QString AppExeName() {
    if (!appExeNameOverride().isEmpty())
        return appExeNameOverride();
    return QFileInfo(executablePath()).completeBaseName();
}

void setAppPath(const QString& path) {
    appPathOverride() = path;
}
void setAppExeName(const QString& name) {
    appExeNameOverride() = name;
}

Version AppVersion() {
    if (appVersionOverride())
        return *appVersionOverride();
    return {QUARZELO_VERSION_MAJOR, QUARZELO_VERSION_MINOR, QUARZELO_VERSION_PATCH};
}
void setAppVersion(const std::optional<Version>& version) {
    appVersionOverride() = version;
}

void DoEvents() {
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
}

} // namespace vb
