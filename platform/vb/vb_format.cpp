#include "platform/vb/vb.h"
#include "platform/vb/vb_detail.h"

#include <QLocale>
#include <vector>

namespace vb {

using detail::Decimal;
using detail::Kind;

namespace {

// ---- Pattern reading -------------------------------------------------------------

// Splits a pattern at ";" outside quotes and backslash escapes.
QStringList sections(const QString& pattern) {
    QStringList out;
    QString current;
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (c == u'\\' && !quoted && i + 1 < pattern.size()) {
            current += c;
            current += pattern[++i];
            continue;
        } else if (c == u';' && !quoted) {
            out << current;
            current.clear();
            continue;
        }
        current += c;
    }
    out << current;
    return out;
}

// A pattern is a date pattern when it holds a date or time letter outside quotes.
bool isDatePattern(const QString& pattern) {
    bool quoted = false;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        if (c == u'"') {
            quoted = !quoted;
        } else if (quoted) {
            continue;
        } else if (c == u'\\') {
            ++i;
        } else if (QStringLiteral("dmyhnswqcDMYHNSWQC").contains(c)) {
            return true;
        }
    }
    return false;
}

// ---- Numbers -------------------------------------------------------------------------

enum class Tok { Zero, Hash, Point, Comma, Percent, Literal };
struct Token {
    Tok kind;
    QString text;
};

std::vector<Token> tokenizeNumber(const QString& section) {
    std::vector<Token> out;
    bool seenPoint = false;
    for (qsizetype i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (c == u'"') {
            const qsizetype end = section.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? section.size() : end;
            out.push_back({Tok::Literal, section.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < section.size())
                out.push_back({Tok::Literal, QString(section[++i])});
        } else if (c == u'0') {
            out.push_back({Tok::Zero, {}});
        } else if (c == u'#') {
            out.push_back({Tok::Hash, {}});
        } else if (c == u'.' && !seenPoint) {
            seenPoint = true;
            out.push_back({Tok::Point, {}});
        } else if (c == u',') {
            out.push_back({Tok::Comma, {}});
        } else if (c == u'%') {
            out.push_back({Tok::Percent, {}});
        } else {
            out.push_back({Tok::Literal, QString(c)});
        }
    }
    return out;
}

bool isDigitToken(const Token& t) {
    return t.kind == Tok::Zero || t.kind == Tok::Hash;
}

QString latin(const std::string& s) {
    return QString::fromLatin1(s.data(), qsizetype(s.size()));
}

// A section's tokens either side of its decimal point.
struct SectionParts {
    std::vector<Token> whole;
    std::vector<Token> fraction;
    bool hasPoint = false;
};

SectionParts splitAtPoint(const std::vector<Token>& tokens) {
    size_t point = tokens.size();
    for (size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind == Tok::Point)
            point = i;
    SectionParts parts;
    parts.whole.assign(tokens.begin(), tokens.begin() + long(point));
    if (point < tokens.size())
        parts.fraction.assign(tokens.begin() + long(point) + 1, tokens.end());
    parts.hasPoint = point < tokens.size();
    return parts;
}

struct Commas {
    bool grouping = false;
    int scale = 0;
};

// Commas: between digit places they ask for grouping; right after the last
// digit place of the whole part each one divides by a thousand.
Commas readCommas(const std::vector<Token>& intTokens) {
    Commas commas;
    long lastDigit = -1;
    for (size_t i = 0; i < intTokens.size(); ++i)
        if (isDigitToken(intTokens[i]))
            lastDigit = long(i);
    bool digitBefore = false;
    for (size_t i = 0; i < intTokens.size(); ++i) {
        if (isDigitToken(intTokens[i]))
            digitBefore = true;
        else if (intTokens[i].kind == Tok::Comma) {
            if (lastDigit >= 0 && long(i) > lastDigit)
                ++commas.scale;
            else if (digitBefore)
                commas.grouping = true;
        }
    }
    return commas;
}

bool hasPercent(const std::vector<Token>& tokens) {
    bool percent = false;
    for (const Token& t : tokens)
        percent = percent || t.kind == Tok::Percent;
    return percent;
}

int digitPlaces(const std::vector<Token>& tokens) {
    int places = 0;
    for (const Token& t : tokens)
        places += isDigitToken(t) ? 1 : 0;
    return places;
}

// The whole part with thousands separators, padded with zeros to the "0"
// places from the first one on; the pattern's literals stay before or after.
QString groupedWhole(const std::vector<Token>& intTokens, const QString& digits,
                     QChar thousandsSeparator) {
    int minWidth = 0;
    int places0 = 0;
    bool seenZero = false;
    for (const Token& t : intTokens) {
        if (t.kind == Tok::Zero)
            seenZero = true;
        if (isDigitToken(t) && seenZero)
            ++places0;
    }
    minWidth = places0;
    QString padded = digits;
    if (padded.size() < minWidth)
        padded.prepend(QString(minWidth - padded.size(), u'0'));
    QString grouped;
    for (qsizetype i = 0; i < padded.size(); ++i) {
        if (i > 0 && (padded.size() - i) % 3 == 0)
            grouped += thousandsSeparator;
        grouped += padded[i];
    }
    QString before;
    QString after;
    bool seenDigit = false;
    for (const Token& t : intTokens) {
        if (isDigitToken(t))
            seenDigit = true;
        else if (t.kind == Tok::Literal)
            (seenDigit ? after : before) += t.text;
        else if (t.kind == Tok::Percent)
            (seenDigit ? after : before) += u'%';
    }
    return before + grouped + after;
}

// Whole part without grouping: digits fill the places from the right; the
// leftmost place takes whatever digits are left over.
QString placedWhole(const std::vector<Token>& intTokens, const QString& digits) {
    qsizetype left = digits.size();
    size_t firstPlace = intTokens.size();
    for (size_t i = 0; i < intTokens.size(); ++i)
        if (isDigitToken(intTokens[i])) {
            firstPlace = i;
            break;
        }
    QStringList pieces;
    for (size_t k = intTokens.size(); k-- > 0;) {
        const Token& t = intTokens[k];
        QString piece;
        if (isDigitToken(t)) {
            if (left > 0) {
                piece = digits.mid(left - 1, 1);
                --left;
            } else if (t.kind == Tok::Zero) {
                piece = QStringLiteral("0");
            }
            if (k == firstPlace && left > 0) {
                piece.prepend(digits.left(left));
                left = 0;
            }
        } else if (t.kind == Tok::Literal) {
            piece = t.text;
        } else if (t.kind == Tok::Percent) {
            piece = QStringLiteral("%");
        }
        pieces.prepend(piece);
    }
    return pieces.join(QString());
}

// Fraction: "#" places drop trailing zeros, "0" places keep them.
QString fractionPart(const std::vector<Token>& fracTokens, const std::string& fractionDigits,
                     QChar decimalSeparator) {
    std::vector<QString> pieces;
    std::vector<int> optionalZero; // index of pieces that may be dropped
    size_t next = 0;
    for (const Token& t : fracTokens) {
        if (isDigitToken(t)) {
            const char digit = fractionDigits[next++];
            pieces.push_back(QString(QChar(u'0' + (digit - '0'))));
            optionalZero.push_back(t.kind == Tok::Hash && digit == '0' ? 1 : 0);
        } else {
            pieces.push_back(t.kind == Tok::Percent ? QStringLiteral("%") : t.text);
            optionalZero.push_back(t.kind == Tok::Literal || t.kind == Tok::Percent ? -1 : 0);
        }
    }
    // Drop optional zeros from the end, passing over literals.
    for (size_t k = pieces.size(); k-- > 0;) {
        if (optionalZero[k] == 1)
            pieces[k].clear();
        else if (optionalZero[k] == 0)
            break;
    }
    QString fraction = decimalSeparator;
    for (const QString& p : pieces)
        fraction += p;
    return fraction;
}

// One section applied to a number whose sign the caller has dealt with
// (`withSign` says whether a minus is still to be written).
QString formatNumberSection(const QString& section, Decimal value, bool withSign) {
    const Regional& r = regional();
    const std::vector<Token> tokens = tokenizeNumber(section);
    SectionParts parts = splitAtPoint(tokens);
    const Commas commas = readCommas(parts.whole);
    if (hasPercent(tokens))
        value.exponent += 2;
    value.exponent -= 3 * commas.scale;

    const detail::Rounded rounded = detail::roundDecimal(value, digitPlaces(parts.fraction),
                                                         detail::Rounding::HalfAwayFromZero);
    const bool minus = withSign && value.negative && !rounded.isZero();

    if (digitPlaces(parts.whole) == 0) {
        // Digits still print where the whole part would be.
        parts.whole.push_back({Tok::Hash, {}});
    }
    const QString digits = latin(rounded.integerDigits);
    const QString whole = commas.grouping ? groupedWhole(parts.whole, digits, r.thousandsSeparator)
                                          : placedWhole(parts.whole, digits);
    const QString fraction =
        parts.hasPoint ? fractionPart(parts.fraction, rounded.fractionDigits, r.decimalSeparator)
                       : QString();
    QString out = whole + fraction;
    if (minus)
        out.prepend(u'-');
    return out;
}

QString formatNumber(const Decimal& value, const QString& pattern) {
    const QStringList parts = sections(pattern);
    const bool negative = value.negative && !value.isZero();
    if (value.isZero() && parts.size() >= 3 && !parts[2].isEmpty())
        return formatNumberSection(parts[2], value, false);
    if (negative && parts.size() >= 2 && !parts[1].isEmpty()) {
        Decimal positive = value;
        positive.negative = false;
        return formatNumberSection(parts[1], positive, false);
    }
    return formatNumberSection(parts[0], value, true);
}

// ---- Dates ---------------------------------------------------------------------------

QLocale spanish() {
    return QLocale(QLocale::Spanish, QLocale::Argentina);
}

QChar dateSeparator() {
    for (QChar c : regional().shortDate)
        if (!c.isLetter())
            return c;
    return u'/';
}

QString two(int v) {
    return QStringLiteral("%1").arg(v, 2, 10, QChar(u'0'));
}

struct DateToken {
    QChar letter; // lower case, or null for literal text
    int count = 0;
    QString text;
};

std::vector<DateToken> tokenizeDate(const QString& pattern) {
    std::vector<DateToken> out;
    for (qsizetype i = 0; i < pattern.size(); ++i) {
        const QChar c = pattern[i];
        const QChar lower = c.toLower();
        if (c == u'"') {
            const qsizetype end = pattern.indexOf(u'"', i + 1);
            const qsizetype stop = end < 0 ? pattern.size() : end;
            out.push_back({QChar(), 0, pattern.mid(i + 1, stop - i - 1)});
            i = stop;
        } else if (c == u'\\') {
            if (i + 1 < pattern.size())
                out.push_back({QChar(), 0, QString(pattern[++i])});
        } else if (QStringLiteral("dmyhnswqc").contains(lower)) {
            int n = 1;
            while (i + 1 < pattern.size() && pattern[i + 1].toLower() == lower) {
                ++n;
                ++i;
            }
            out.push_back({lower, n, {}});
        } else if (c == u'/') {
            out.push_back({QChar(), 0, QString(dateSeparator())});
        } else {
            out.push_back({QChar(), 0, QString(c)});
        }
    }
    return out;
}

QString formatDateTime(const QDateTime& dt, const QString& pattern) {
    if (!dt.isValid())
        return {};
    const QDate d = dt.date();
    const QTime t = dt.time();
    const std::vector<DateToken> tokens = tokenizeDate(pattern);
    QString out;
    for (size_t i = 0; i < tokens.size(); ++i) {
        const DateToken& tk = tokens[i];
        if (tk.letter.isNull()) {
            out += tk.text;
            continue;
        }
        const int n = tk.count;
        switch (tk.letter.unicode()) {
        case u'd':
            if (n == 1)
                out += QString::number(d.day());
            else if (n == 2)
                out += two(d.day());
            else if (n == 3)
                out += spanish().dayName(d.dayOfWeek(), QLocale::ShortFormat);
            else if (n == 4)
                out += spanish().dayName(d.dayOfWeek(), QLocale::LongFormat);
            else if (n == 5)
                out += d.toString(regional().shortDate);
            else
                out += spanish().toString(d, QLocale::LongFormat);
            break;
        case u'm': {
            // After an hour or before seconds, m means minutes.
            bool minutes = false;
            for (size_t k = i; k-- > 0;)
                if (!tokens[k].letter.isNull()) {
                    minutes = tokens[k].letter == u'h';
                    break;
                }
            for (size_t k = i + 1; !minutes && k < tokens.size(); ++k)
                if (!tokens[k].letter.isNull()) {
                    minutes = tokens[k].letter == u's';
                    break;
                }
            if (minutes && n <= 2)
                out += n == 1 ? QString::number(t.minute()) : two(t.minute());
            else if (n == 1)
                out += QString::number(d.month());
            else if (n == 2)
                out += two(d.month());
            else if (n == 3)
                out += spanish().monthName(d.month(), QLocale::ShortFormat);
            else
                out += spanish().monthName(d.month(), QLocale::LongFormat);
            break;
        }
        case u'y':
            if (n == 1)
                out += QString::number(d.dayOfYear());
            else if (n == 2)
                out += two(d.year() % 100);
            else
                out += QStringLiteral("%1").arg(d.year(), 4, 10, QChar(u'0'));
            break;
        case u'h':
            out += n == 1 ? QString::number(t.hour()) : two(t.hour());
            break;
        case u'n':
            out += n == 1 ? QString::number(t.minute()) : two(t.minute());
            break;
        case u's':
            out += n == 1 ? QString::number(t.second()) : two(t.second());
            break;
        case u'q':
            out += QString::number((d.month() - 1) / 3 + 1);
            break;
        case u'w':
            if (n == 1) {
                out += QString::number(d.dayOfWeek() % 7 + 1); // Sunday is 1
            } else {
                // Week 1 is the one holding 1 January, weeks start on Sunday.
                const int jan1 = QDate(d.year(), 1, 1).dayOfWeek() % 7;
                out += QString::number((d.dayOfYear() - 1 + jan1) / 7 + 1);
            }
            break;
        case u'c':
            out += detail::generalDate(dt);
            break;
        default:
            break;
        }
    }
    return out;
}

// ---- Dispatch ------------------------------------------------------------------------

std::optional<QString> namedFormat(const QDateTime& dt, const QString& pattern) {
    if (pattern.compare(QStringLiteral("General Date"), Qt::CaseInsensitive) == 0)
        return detail::generalDate(dt);
    if (pattern.compare(QStringLiteral("Short Date"), Qt::CaseInsensitive) == 0)
        return dt.isValid() ? dt.date().toString(regional().shortDate) : QString();
    return std::nullopt;
}

bool isNamedFormat(const QString& pattern) {
    return pattern.compare(QStringLiteral("General Date"), Qt::CaseInsensitive) == 0 ||
           pattern.compare(QStringLiteral("Short Date"), Qt::CaseInsensitive) == 0;
}

QString formatDate(const QDateTime& dt, const QString& pattern) {
    if (const auto named = namedFormat(dt, pattern))
        return *named;
    if (pattern.isEmpty())
        return detail::generalDate(dt);
    if (isDatePattern(pattern))
        return formatDateTime(dt, pattern);
    if (!dt.isValid())
        return {};
    return formatNumber(detail::decimal15(detail::toSerial(dt)), pattern);
}

QString formatDecimal(const Decimal& value, const QString& pattern, const QString& plain) {
    if (pattern.isEmpty())
        return plain;
    if (isNamedFormat(pattern) || isDatePattern(pattern))
        return formatDate(detail::fromSerial(detail::toDouble(value)), pattern);
    return formatNumber(value, pattern);
}

} // namespace

QString detail::generalDate(const QDateTime& dt) {
    if (!dt.isValid())
        return {};
    const Regional& r = regional();
    const bool noTime = dt.time() == QTime(0, 0);
    if (dt.date() == QDate(1899, 12, 30) && !noTime)
        return dt.time().toString(r.longTime);
    if (noTime)
        return dt.date().toString(r.shortDate);
    return dt.date().toString(r.shortDate) + u' ' + dt.time().toString(r.longTime);
}

QString Format(const QVariant& value, const QString& pattern) {
    switch (detail::kindOf(value)) {
    case Kind::Null:
        return {};
    case Kind::Empty:
        return pattern.isEmpty() ? QString() : formatDecimal(Decimal{}, pattern, QString());
    case Kind::Boolean:
        return formatDecimal(detail::decimalOfInteger(value.toBool() ? -1 : 0), pattern,
                             CStr(value));
    case Kind::Integer:
        return formatDecimal(detail::decimalOfInteger(value.toLongLong()), pattern, CStr(value));
    case Kind::Real:
        return formatDecimal(detail::decimal15(value.toDouble()), pattern, CStr(value));
    case Kind::Money:
        return formatDecimal(detail::decimalOfRaw(value.value<Currency>().raw()), pattern,
                             CStr(value));
    case Kind::Date:
        return formatDate(CDate(value), pattern);
    case Kind::Text: {
        const QString text = value.toString();
        if (const auto d = detail::parseRegionalNumber(text))
            return formatDecimal(*d, pattern, text);
        if (const auto dt = ParseDate(text))
            return formatDate(*dt, pattern);
        return text;
    }
    default:
        return value.toString();
    }
}

QString Format(double value, const QString& pattern) {
    return Format(QVariant(value), pattern);
}

QString Format(const QDateTime& value, const QString& pattern) {
    return Format(QVariant(value), pattern);
}

QString Format(const QDate& value, const QString& pattern) {
    return Format(QVariant(value), pattern);
}

} // namespace vb
