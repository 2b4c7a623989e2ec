// SQL Server's text comparison and the functions SQLite lacks, registered on
// every SQLite connection (the list is in engine_sqlite.h).

#include "platform/ado/engine_sqlite.h"
#include "platform/vb/vb.h"
#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <cmath>
#include <sqlite3.h>

namespace ado {

namespace {

// ---- Collation SQLSRV ------------------------------------------------------------------

int compareSqlServer(void*, int n1, const void* p1, int n2, const void* p2) {
    auto a = static_cast<const unsigned char*>(p1);
    auto b = static_cast<const unsigned char*>(p2);
    while (n1 > 0 && a[n1 - 1] == ' ')
        --n1;
    while (n2 > 0 && b[n2 - 1] == ' ')
        --n2;
    // One pass while both are plain ASCII: its letters fold as Qt folds
    // them, so a difference found there, or one text ending there, orders
    // the pair as the comparison of the whole texts would. Sorts and indexes
    // call this millions of times on codes that are ASCII throughout.
    const int n = std::min(n1, n2);
    int i = 0;
    for (; i < n; ++i) {
        const int ca = a[i], cb = b[i];
        if ((ca | cb) >= 0x80)
            break;
        if (ca == cb)
            continue;
        const int fa = (ca >= 'A' && ca <= 'Z') ? ca + 32 : ca;
        const int fb = (cb >= 'A' && cb <= 'Z') ? cb + 32 : cb;
        if (fa != fb)
            return fa < fb ? -1 : 1;
    }
    if (i == n)
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    const QString sa = QString::fromUtf8(reinterpret_cast<const char*>(a), n1);
    const QString sb = QString::fromUtf8(reinterpret_cast<const char*>(b), n2);
    const int r = QString::compare(sa, sb, Qt::CaseInsensitive);
    return r == 0 ? 0 : (r < 0 ? -1 : 1);
}

// ---- Argument helpers -------------------------------------------------------------------

bool isNull(sqlite3_value* v) {
    return sqlite3_value_type(v) == SQLITE_NULL;
}

QString text(sqlite3_value* v) {
    const void* t = sqlite3_value_text16(v);
    const int bytes = sqlite3_value_bytes16(v);
    return t ? QString(static_cast<const QChar*>(t), bytes / 2) : QString();
}

void resultText(sqlite3_context* ctx, const QString& s) {
    sqlite3_result_text16(ctx, s.utf16(), int(s.size() * 2), SQLITE_TRANSIENT);
}

void resultError(sqlite3_context* ctx, const QString& message) {
    const QByteArray m = message.toUtf8();
    sqlite3_result_error(ctx, m.constData(), int(m.size()));
}

QString withoutTrailingBlanks(QString s) {
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    s.truncate(n);
    return s;
}

// ---- Dates ----------------------------------------------------------------------------

// A date shape that names no day (2024-02-30) sets `shaped` and gives nothing.
std::optional<QDateTime> dateOf(const QRegularExpressionMatch& m, int y, int mo, int d,
                                bool* shaped) {
    const QDate day(y, mo, d);
    const QTime h(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (shaped)
        *shaped = true;
    if (!day.isValid() || !h.isValid())
        return std::nullopt;
    return QDateTime(day, h, Qt::UTC);
}

// "yyyy-mm-dd[ hh:mm[:ss[.fff]]]" and, when asked, "yyyymmdd[ ...]"; the
// fraction of a second goes, as dates are kept to the second.
std::optional<QDateTime> isoDate(const QString& t, bool compact = false, bool* shaped = nullptr) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\."
                       "\\d*)?)?)?$"));
    static const QRegularExpression compactRe(QStringLiteral(
        "^(\\d{4})(\\d{2})(\\d{2})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d*)?)?)?$"));
    const QString trimmed = t.trimmed();
    auto m = re.match(trimmed);
    if (!m.hasMatch() && compact)
        m = compactRe.match(trimmed);
    if (!m.hasMatch())
        return std::nullopt;
    return dateOf(m, m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(), shaped);
}

// "d/m/yyyy [hh:mm[:ss]]" (also "-" or "."), month first when asked.
std::optional<QDateTime> slashDate(const QString& t, bool monthFirst, bool* shaped = nullptr) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/"
                       ".-](\\d{2}|\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const auto m = re.match(t.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int a = m.captured(1).toInt(), b = m.captured(2).toInt(), y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) // SQL Server's two-digit year cut-off
        y += y < 50 ? 2000 : 1900;
    return monthFirst ? dateOf(m, y, a, b, shaped) : dateOf(m, y, b, a, shaped);
}

const char* const kDateConversion =
    "Conversion failed when converting date and/or time from character string.";
const char* const kDateOutOfRange = "The conversion of a varchar data type to a datetime data "
                                    "type resulted in an out-of-range value.";
const char* const kDateOverflow = "Arithmetic overflow error converting expression to data type "
                                  "datetime.";

// The server's datetime holds the years 1753 to 9999.
bool inDateRange(const QDateTime& d) {
    return d.date().year() >= 1753 && d.date().year() <= 9999;
}

// A number as a datetime: days since 1900-01-01, the fraction the time of day.
std::optional<QDateTime> dateOfNumber(double days) {
    if (!std::isfinite(days) || std::abs(days) > 3e6)
        return std::nullopt;
    const double whole = std::floor(days);
    const qint64 ms = std::llround((days - whole) * 86400000.0);
    const QDateTime d = QDateTime(QDate(1900, 1, 1).addDays(qint64(whole)), QTime(0, 0), Qt::UTC)
                            .addSecs(ms / 1000);
    return inDateRange(d) ? std::optional<QDateTime>(d) : std::nullopt;
}

// A date argument as the server converts it (the stored form, "yyyymmdd",
// a day-first text, or a number of days); on failure the server's error is
// set on `ctx` and nothing is returned.
std::optional<QDateTime> dateValue(sqlite3_context* ctx, sqlite3_value* v, int style = -1) {
    const int type = sqlite3_value_type(v);
    if (type == SQLITE_INTEGER || type == SQLITE_FLOAT) {
        const auto d = dateOfNumber(sqlite3_value_double(v));
        if (!d)
            sqlite3_result_error(ctx, kDateOverflow, -1);
        return d;
    }
    const QString t = text(v);
    bool shaped = false;
    auto d = isoDate(t, style < 0 || style == 112, &shaped);
    if (!d && !shaped)
        d = slashDate(t, style == 101 || style == 1, &shaped);
    if (d && !inDateRange(*d)) {
        d.reset();
        shaped = true;
    }
    if (!d)
        sqlite3_result_error(ctx, shaped ? kDateOutOfRange : kDateConversion, -1);
    return d;
}

void resultDate(sqlite3_context* ctx, const QDateTime& d) {
    resultText(ctx, d.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv, int which) {
    (void)argc;
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = dateValue(ctx, argv[0]);
    if (!d)
        return;
    const QDate day = d->date();
    sqlite3_result_int(ctx, which == 0 ? day.year() : which == 1 ? day.month() : day.day());
}

void fnYear(sqlite3_context* c, int n, sqlite3_value** v) {
    datePart(c, n, v, 0);
}
void fnMonth(sqlite3_context* c, int n, sqlite3_value** v) {
    datePart(c, n, v, 1);
}
void fnDay(sqlite3_context* c, int n, sqlite3_value** v) {
    datePart(c, n, v, 2);
}

// ---- DATEADD, DATEDIFF, DATEPART -------------------------------------------------------

enum class Part { Year, Quarter, Month, DayOfYear, Day, Week, Weekday, Hour, Minute, Second, Ms };

// The server's datepart names and abbreviations; the rewriting passes the
// bare word as a text.
std::optional<Part> partNamed(const QString& name) {
    static const QHash<QString, Part> parts = {{"year", Part::Year},
                                               {"yy", Part::Year},
                                               {"yyyy", Part::Year},
                                               {"quarter", Part::Quarter},
                                               {"qq", Part::Quarter},
                                               {"q", Part::Quarter},
                                               {"month", Part::Month},
                                               {"mm", Part::Month},
                                               {"m", Part::Month},
                                               {"dayofyear", Part::DayOfYear},
                                               {"dy", Part::DayOfYear},
                                               {"y", Part::DayOfYear},
                                               {"day", Part::Day},
                                               {"dd", Part::Day},
                                               {"d", Part::Day},
                                               {"week", Part::Week},
                                               {"wk", Part::Week},
                                               {"ww", Part::Week},
                                               {"weekday", Part::Weekday},
                                               {"dw", Part::Weekday},
                                               {"w", Part::Weekday},
                                               {"hour", Part::Hour},
                                               {"hh", Part::Hour},
                                               {"minute", Part::Minute},
                                               {"mi", Part::Minute},
                                               {"n", Part::Minute},
                                               {"second", Part::Second},
                                               {"ss", Part::Second},
                                               {"s", Part::Second},
                                               {"millisecond", Part::Ms},
                                               {"ms", Part::Ms}};
    const auto it = parts.constFind(name.trimmed().toLower());
    return it == parts.constEnd() ? std::nullopt : std::optional<Part>(*it);
}

std::optional<Part> partArg(sqlite3_context* ctx, sqlite3_value* v, const char* function) {
    const QString name = text(v);
    const std::optional<Part> p = partNamed(name);
    if (!p)
        resultError(ctx, QStringLiteral("'%1' is not a recognized %2 option.")
                             .arg(name, QLatin1String(function)));
    return p;
}

qint64 floorDiv(qint64 a, qint64 b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}

// DATEADD(part, n, d): n is taken as an int, its fraction dropped.
void fnDateAdd(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const std::optional<Part> part = partArg(ctx, argv[0], "dateadd");
    if (!part)
        return;
    if (isNull(argv[1]) || isNull(argv[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::optional<QDateTime> d = dateValue(ctx, argv[2]);
    if (!d)
        return;
    const double amount = std::trunc(sqlite3_value_double(argv[1]));
    if (!(std::abs(amount) <= 2147483647.0)) {
        sqlite3_result_error(
            ctx, "Arithmetic overflow error converting expression to data type int.", -1);
        return;
    }
    const qint64 n = qint64(amount);
    QDateTime r;
    switch (*part) {
    case Part::Year:
        r = d->addYears(int(std::clamp<qint64>(n, -20000, 20000)));
        break;
    case Part::Quarter:
        r = d->addMonths(int(std::clamp<qint64>(n * 3, -240000, 240000)));
        break;
    case Part::Month:
        r = d->addMonths(int(std::clamp<qint64>(n, -240000, 240000)));
        break;
    case Part::DayOfYear:
    case Part::Day:
    case Part::Weekday:
        r = d->addDays(n);
        break;
    case Part::Week:
        r = d->addDays(n * 7);
        break;
    case Part::Hour:
        r = d->addSecs(n * 3600);
        break;
    case Part::Minute:
        r = d->addSecs(n * 60);
        break;
    case Part::Second:
        r = d->addSecs(n);
        break;
    case Part::Ms:
        r = d->addMSecs(n);
        break;
    }
    if (!r.isValid() || !inDateRange(r)) {
        sqlite3_result_error(ctx, "Adding a value to a 'datetime' column caused an overflow.", -1);
        return;
    }
    resultDate(ctx, r);
}

// DATEDIFF(part, a, b): the boundaries of `part` crossed from a to b; weeks
// begin on Sunday whatever the login's first day, as on the server.
void fnDateDiff(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const std::optional<Part> part = partArg(ctx, argv[0], "datediff");
    if (!part)
        return;
    if (isNull(argv[1]) || isNull(argv[2])) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::optional<QDateTime> a = dateValue(ctx, argv[1]);
    if (!a)
        return;
    const std::optional<QDateTime> b = dateValue(ctx, argv[2]);
    if (!b)
        return;
    const QDate da = a->date(), db = b->date();
    const qint64 sa = a->toSecsSinceEpoch(), sb = b->toSecsSinceEpoch();
    auto sunday = [](const QDate& x) { return x.toJulianDay() - x.dayOfWeek() % 7; };
    qint64 r = 0;
    switch (*part) {
    case Part::Year:
        r = db.year() - da.year();
        break;
    case Part::Quarter:
        r = (db.year() * 4 + (db.month() - 1) / 3) - (da.year() * 4 + (da.month() - 1) / 3);
        break;
    case Part::Month:
        r = (db.year() * 12 + db.month()) - (da.year() * 12 + da.month());
        break;
    case Part::DayOfYear:
    case Part::Day:
    case Part::Weekday:
        r = da.daysTo(db);
        break;
    case Part::Week:
        r = (sunday(db) - sunday(da)) / 7;
        break;
    case Part::Hour:
        r = floorDiv(sb, 3600) - floorDiv(sa, 3600);
        break;
    case Part::Minute:
        r = floorDiv(sb, 60) - floorDiv(sa, 60);
        break;
    case Part::Second:
        r = sb - sa;
        break;
    case Part::Ms:
        r = (sb - sa) * 1000;
        break;
    }
    if (r < INT32_MIN || r > INT32_MAX) {
        sqlite3_result_error(ctx,
                             "The datediff function resulted in an overflow. The number of "
                             "dateparts separating two date/time instances is too large. Try to "
                             "use datediff with a less precise datepart.",
                             -1);
        return;
    }
    sqlite3_result_int64(ctx, r);
}

// DATEPART(part, d). The week and the weekday count from Monday, the first
// day of the server's Spanish login (SET DATEFIRST 1).
void fnDatePart(sqlite3_context* ctx, int, sqlite3_value** argv) {
    const std::optional<Part> part = partArg(ctx, argv[0], "datepart");
    if (!part)
        return;
    if (isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const std::optional<QDateTime> d = dateValue(ctx, argv[1]);
    if (!d)
        return;
    const QDate day = d->date();
    const QTime time = d->time();
    int r = 0;
    switch (*part) {
    case Part::Year:
        r = day.year();
        break;
    case Part::Quarter:
        r = (day.month() - 1) / 3 + 1;
        break;
    case Part::Month:
        r = day.month();
        break;
    case Part::DayOfYear:
        r = day.dayOfYear();
        break;
    case Part::Day:
        r = day.day();
        break;
    case Part::Week:
        r = (day.dayOfYear() - 1 + QDate(day.year(), 1, 1).dayOfWeek() - 1) / 7 + 1;
        break;
    case Part::Weekday:
        r = day.dayOfWeek();
        break;
    case Part::Hour:
        r = time.hour();
        break;
    case Part::Minute:
        r = time.minute();
        break;
    case Part::Second:
        r = time.second();
        break;
    case Part::Ms:
        r = time.msec();
        break;
    }
    sqlite3_result_int(ctx, r);
}

void fnGetDate(sqlite3_context* ctx, int, sqlite3_value**) {
    resultText(ctx, vb::Now().toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
}

// ---- Texts ----------------------------------------------------------------------------

void fnLen(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_int(ctx, int(withoutTrailingBlanks(text(argv[0])).size()));
}

void fnCharIndex(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString needle = text(argv[0]);
    const QString hay = text(argv[1]);
    qsizetype from = argc > 2 && !isNull(argv[2]) ? sqlite3_value_int64(argv[2]) - 1 : 0;
    if (from < 0)
        from = 0;
    if (needle.isEmpty() || from >= hay.size()) {
        sqlite3_result_int(ctx, 0);
        return;
    }
    sqlite3_result_int64(ctx, hay.indexOf(needle, from, Qt::CaseInsensitive) + 1);
}

void fnReplicate(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1]) || sqlite3_value_int64(argv[1]) < 0) {
        sqlite3_result_null(ctx);
        return;
    }
    resultText(ctx, text(argv[0]).repeated(qsizetype(sqlite3_value_int64(argv[1]))));
}

void leftRight(sqlite3_context* ctx, sqlite3_value** argv, bool left) {
    if (isNull(argv[0]) || isNull(argv[1])) {
        sqlite3_result_null(ctx);
        return;
    }
    const qint64 n = sqlite3_value_int64(argv[1]);
    if (n < 0) {
        resultError(ctx, QStringLiteral("Invalid length parameter passed to the %1 function.")
                             .arg(left ? QLatin1String("left") : QLatin1String("right")));
        return;
    }
    const QString s = text(argv[0]);
    resultText(ctx, left ? s.left(qsizetype(n)) : s.right(qsizetype(n)));
}

void fnLeft(sqlite3_context* c, int, sqlite3_value** v) {
    leftRight(c, v, true);
}
void fnRight(sqlite3_context* c, int, sqlite3_value** v) {
    leftRight(c, v, false);
}

// ---- LIKE ---------------------------------------------------------------------------------

bool sameLetter(QChar a, QChar b) {
    return a == b || a.toCaseFolded() == b.toCaseFolded();
}

// A "[...]" set starting at p[i]; returns the index after "]" or -1 when the
// set is not closed (then "[" is an ordinary character).
qsizetype matchSet(QStringView p, qsizetype i, QChar c, bool& inSet) {
    qsizetype j = i + 1;
    bool negate = false;
    if (j < p.size() && p[j] == u'^') {
        negate = true;
        ++j;
    }
    bool found = false;
    const QChar fc = c.toCaseFolded();
    bool first = true;
    while (j < p.size() && (p[j] != u']' || first)) {
        first = false;
        if (j + 2 < p.size() && p[j + 1] == u'-' && p[j + 2] != u']') {
            const QChar lo = p[j].toCaseFolded(), hi = p[j + 2].toCaseFolded();
            if (fc >= lo && fc <= hi)
                found = true;
            j += 3;
        } else {
            if (sameLetter(p[j], c))
                found = true;
            ++j;
        }
    }
    if (j >= p.size())
        return -1;
    inSet = found != negate;
    return j + 1;
}

bool likeMatch(QStringView p, QStringView s, QChar esc, bool hasEsc) {
    qsizetype pi = 0, si = 0, starP = -1, starS = -1;
    while (si < s.size()) {
        if (pi < p.size()) {
            const QChar c = p[pi];
            if (hasEsc && c == esc && pi + 1 < p.size()) {
                if (sameLetter(p[pi + 1], s[si])) {
                    pi += 2;
                    ++si;
                    continue;
                }
            } else if (c == u'%') {
                starP = ++pi;
                starS = si;
                continue;
            } else if (c == u'_') {
                ++pi;
                ++si;
                continue;
            } else if (c == u'[') {
                bool in = false;
                const qsizetype next = matchSet(p, pi, s[si], in);
                if (next >= 0) {
                    if (in) {
                        pi = next;
                        ++si;
                        continue;
                    }
                } else if (sameLetter(c, s[si])) {
                    ++pi;
                    ++si;
                    continue;
                }
            } else if (sameLetter(c, s[si])) {
                ++pi;
                ++si;
                continue;
            }
        }
        if (starP < 0)
            return false;
        pi = starP;
        si = ++starS;
    }
    while (pi < p.size() && p[pi] == u'%')
        ++pi;
    return pi == p.size();
}

// A LIKE's pattern kept between the rows of a statement, with its first
// character when that is a plain ASCII one (folded): most values of a scan
// differ there, and are told apart without reading them as text.
struct LikePattern {
    QString text;
    QChar esc;
    bool hasEsc = false;
    int first = -1;
};

LikePattern* likePattern(sqlite3_context* ctx, sqlite3_value* pattern, QChar esc, bool hasEsc) {
    if (auto* kept = static_cast<LikePattern*>(sqlite3_get_auxdata(ctx, 0)))
        return kept->esc == esc && kept->hasEsc == hasEsc ? kept : nullptr;
    auto* p = new LikePattern{text(pattern), esc, hasEsc};
    if (!p->text.isEmpty()) {
        const QChar c = p->text.front();
        if (c.unicode() < 0x80 && c != u'%' && c != u'_' && c != u'[' && !(hasEsc && c == esc))
            p->first = c.toCaseFolded().unicode();
    }
    sqlite3_set_auxdata(ctx, 0, p, [](void* d) { delete static_cast<LikePattern*>(d); });
    // SQLite may drop it at once (a pattern that is no constant).
    if (sqlite3_get_auxdata(ctx, 0) != p)
        return nullptr;
    return p;
}

// like(pattern, value[, escape]): SQLite calls it for "value LIKE pattern".
void fnLike(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0]) || isNull(argv[1]) || (argc > 2 && isNull(argv[2]))) {
        sqlite3_result_null(ctx);
        return;
    }
    QChar esc;
    bool hasEsc = false;
    if (argc > 2) {
        const QString e = text(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        esc = e[0];
        hasEsc = true;
    }
    const LikePattern* kept = likePattern(ctx, argv[0], esc, hasEsc);
    if (kept && kept->first >= 0) {
        const auto* v = sqlite3_value_text(argv[1]);
        const int c = v ? v[0] : 0;
        if (c < 0x80 && (c >= 'A' && c <= 'Z' ? c + 32 : c) != kept->first) {
            sqlite3_result_int(ctx, 0);
            return;
        }
    }
    // Trailing blanks of the value do not count, as on SQL Server.
    const QString value = withoutTrailingBlanks(text(argv[1]));
    sqlite3_result_int(ctx,
                       likeMatch(kept ? kept->text : text(argv[0]), value, esc, hasEsc) ? 1 : 0);
}

// ---- CONVERT ------------------------------------------------------------------------------

// The type a conversion names in its second argument, "int" without one.
QString typeArg(int argc, sqlite3_value** argv, const char* fallback) {
    return argc > 1 && !isNull(argv[1]) ? text(argv[1]).toLower() : QString::fromLatin1(fallback);
}

struct WholeRange {
    qint64 min, max;
};

WholeRange wholeRange(const QString& type) {
    if (type == u"smallint")
        return {INT16_MIN, INT16_MAX};
    if (type == u"tinyint")
        return {0, 255};
    if (type == u"bigint")
        return {INT64_MIN, INT64_MAX};
    return {INT32_MIN, INT32_MAX};
}

// A whole number beyond its type: an int constant into tinyint or smallint
// names its value, anything else is an expression to the server.
QString numberOverflow(const QString& type, std::optional<qint64> value) {
    if (value && (type == u"tinyint" || type == u"smallint") && *value >= INT32_MIN &&
        *value <= INT32_MAX)
        return QStringLiteral("Arithmetic overflow error for data type %1, value = %2.")
            .arg(type)
            .arg(*value);
    return QStringLiteral("Arithmetic overflow error converting expression to data type %1.")
        .arg(type);
}

// A whole-number text beyond its type, in the server's words.
QString textOverflow(const QString& value, const QString& type) {
    if (type == u"bigint")
        return QStringLiteral("Error converting data type varchar to bigint.");
    if (type == u"int")
        return QStringLiteral("The conversion of the varchar value '%1' overflowed an int column.")
            .arg(value);
    return QStringLiteral("The conversion of the varchar value '%1' overflowed an %2 column. Use "
                          "a larger integer column.")
        .arg(value, type == u"tinyint" ? QLatin1String("INT1") : QLatin1String("INT2"));
}

// Blanks, a sign and digits only: the texts the server reads as whole numbers.
std::optional<QStringView> wholeDigits(QStringView t, bool& negative) {
    t = t.trimmed();
    negative = !t.isEmpty() && t.front() == u'-';
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+'))
        t = t.mid(1);
    if (t.isEmpty())
        return std::nullopt;
    for (const QChar c : t)
        if (c < u'0' || c > u'9')
            return std::nullopt;
    return t;
}

// CONVERT_INT(x[, type]): x as the server converts it to `type` (int,
// smallint, tinyint, bigint or bit): a number truncated toward zero, a
// text only when it is a whole number (blanks around it allowed, '' is 0),
// and nothing beyond the type's range.
void fnConvertInt(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const QString type = typeArg(argc, argv, "int");
    const bool bit = type == u"bit";
    const WholeRange range = wholeRange(type);
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_value_int64(argv[0]);
        if (bit)
            sqlite3_result_int(ctx, v != 0);
        else if (v < range.min || v > range.max)
            resultError(ctx, numberOverflow(type, v));
        else
            sqlite3_result_int64(ctx, v);
        return;
    }
    case SQLITE_FLOAT: {
        const double d = std::trunc(sqlite3_value_double(argv[0]));
        constexpr double kBeyond = 9223372036854775808.0; // 2^63
        if (bit)
            sqlite3_result_int(ctx, sqlite3_value_double(argv[0]) != 0);
        else if (!std::isfinite(d) || d < -kBeyond || d >= kBeyond || qint64(d) < range.min ||
                 qint64(d) > range.max)
            resultError(ctx, numberOverflow(type, std::nullopt));
        else
            sqlite3_result_int64(ctx, qint64(d));
        return;
    }
    default: {
        const QString t = text(argv[0]);
        const QString trimmed = t.trimmed();
        if (trimmed.isEmpty()) {
            sqlite3_result_int(ctx, 0);
            return;
        }
        if (bit && (trimmed.compare(u"TRUE", Qt::CaseInsensitive) == 0 ||
                    trimmed.compare(u"FALSE", Qt::CaseInsensitive) == 0)) {
            sqlite3_result_int(ctx, trimmed.size() == 4);
            return;
        }
        bool negative = false;
        const std::optional<QStringView> digits = wholeDigits(trimmed, negative);
        if (!digits) {
            resultError(ctx, QStringLiteral("Conversion failed when converting the varchar value "
                                            "'%1' to data type %2.")
                                 .arg(t, type));
            return;
        }
        bool ok = false;
        const qlonglong v = trimmed.toLongLong(&ok);
        if (bit)
            sqlite3_result_int(ctx, !ok || v != 0);
        else if (!ok || v < range.min || v > range.max)
            resultError(ctx, textOverflow(t, type));
        else
            sqlite3_result_int64(ctx, v);
    }
    }
}

// CONVERT_FLOAT(x[, type]): to float, real or numeric; a text that is no
// number fails, and so does a blank one into numeric.
void fnConvertFloat(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    default: {
        const QString type = typeArg(argc, argv, "float");
        const QString t = text(argv[0]).trimmed();
        bool ok = t.isEmpty() && type != u"numeric";
        const double d = t.isEmpty() ? 0.0 : t.toDouble(&ok);
        if (!ok)
            resultError(ctx, QStringLiteral("Error converting data type varchar to %1.").arg(type));
        else
            sqlite3_result_double(ctx, d);
    }
    }
}

// A money text in ten-thousandths, rounded half away from zero as the
// server rounds it; nothing when it is no number. Far beyond money's range
// it stops counting (and stays beyond).
std::optional<__int128> moneyOfText(QStringView t) {
    t = t.trimmed();
    bool negative = false;
    if (!t.isEmpty() && (t.front() == u'-' || t.front() == u'+')) {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    constexpr __int128 kFar = __int128(1) << 100;
    __int128 units = 0;
    int decimals = -1, digits = 0;
    bool roundUp = false;
    for (const QChar c : t) {
        if (c == u'.' && decimals < 0) {
            decimals = 0;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        ++digits;
        if (decimals >= 4) {
            roundUp = roundUp || (decimals == 4 && c >= u'5');
            ++decimals;
            continue;
        }
        if (units < kFar)
            units = units * 10 + (c.unicode() - u'0');
        if (decimals >= 0)
            ++decimals;
    }
    if (digits == 0)
        return std::nullopt;
    for (int k = std::max(decimals, 0); k < 4; ++k)
        units *= 10;
    units += roundUp;
    return negative ? -units : units;
}

// CONVERT_MONEY(x[, type]): to money or smallmoney, rounded to four places;
// a text is judged exactly, a number to a double's precision.
void fnConvertMoney(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const QString type = typeArg(argc, argv, "money");
    const bool small = type == u"smallmoney";
    const qint64 lo = small ? INT32_MIN : INT64_MIN, hi = small ? INT32_MAX : INT64_MAX;
    const QString overflow =
        QStringLiteral("Arithmetic overflow error converting expression to data type %1.")
            .arg(type);
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER: {
        const qint64 v = sqlite3_value_int64(argv[0]);
        if (v < lo / 10000 || v > hi / 10000)
            resultError(ctx, overflow);
        else
            sqlite3_result_int64(ctx, v);
        return;
    }
    case SQLITE_FLOAT: {
        const double d = sqlite3_value_double(argv[0]);
        // The doubles nearest the ends pass: they stand for the ends themselves.
        const double scaled = std::round(d * 1e4);
        const bool fits =
            std::isfinite(d) &&
            ((scaled >= double(lo) && scaled <= double(hi) && scaled != 9223372036854775808.0) ||
             (d >= double(lo) / 1e4 && d <= double(hi) / 1e4));
        if (!fits)
            resultError(ctx, overflow);
        else
            sqlite3_result_double(ctx, scaled / 1e4);
        return;
    }
    default: {
        const QString t = text(argv[0]);
        if (t.trimmed().isEmpty()) {
            sqlite3_result_int(ctx, 0);
            return;
        }
        const std::optional<__int128> units = moneyOfText(t);
        if (!units)
            resultError(ctx, QStringLiteral("Cannot convert a char value to %1. The char value "
                                            "has incorrect syntax.")
                                 .arg(type));
        else if (*units < lo || *units > hi)
            resultError(ctx, overflow);
        else if (*units % 10000 == 0)
            sqlite3_result_int64(ctx, qint64(*units / 10000));
        else
            sqlite3_result_double(ctx, double(qint64(*units)) / 1e4);
    }
    }
}

QString dateWithStyle(const QDateTime& d, int style) {
    switch (style) {
    case 1:
        return d.toString(QStringLiteral("MM/dd/yy"));
    case 3:
        return d.toString(QStringLiteral("dd/MM/yy"));
    case 101:
        return d.toString(QStringLiteral("MM/dd/yyyy"));
    case 103:
        return d.toString(QStringLiteral("dd/MM/yyyy"));
    case 105:
        return d.toString(QStringLiteral("dd-MM-yyyy"));
    case 108:
        return d.toString(QStringLiteral("hh:mm:ss"));
    case 111:
        return d.toString(QStringLiteral("yyyy/MM/dd"));
    case 112:
        return d.toString(QStringLiteral("yyyyMMdd"));
    default:
        return d.toString(QStringLiteral("yyyy-MM-dd hh:mm:ss"));
    }
}

void fnConvertText(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        resultText(ctx, QString::number(sqlite3_value_int64(argv[0])));
        return;
    case SQLITE_FLOAT:
        resultText(ctx, QString::number(sqlite3_value_double(argv[0]), 'g', 15));
        return;
    default: {
        const QString t = text(argv[0]);
        if (argc > 1 && !isNull(argv[1]))
            if (auto d = isoDate(t)) {
                resultText(ctx, dateWithStyle(*d, sqlite3_value_int(argv[1])));
                return;
            }
        resultText(ctx, t);
    }
    }
}

// CONVERT_DATETIME(x[, style]): a date text in the stored form; a number is
// days since 1900-01-01. A date's shape that names no day is out of range
// (242), any other text no date (241).
void fnConvertDateTime(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const int style = argc > 1 && !isNull(argv[1]) ? sqlite3_value_int(argv[1]) : -1;
    if (const std::optional<QDateTime> d = dateValue(ctx, argv[0], style))
        resultDate(ctx, *d);
}

using Fn = void (*)(sqlite3_context*, int, sqlite3_value**);

void add(sqlite3* db, const char* name, int args, Fn fn, bool deterministic = true) {
    const int flags = SQLITE_UTF8 | SQLITE_INNOCUOUS | (deterministic ? SQLITE_DETERMINISTIC : 0);
    sqlite3_create_function_v2(db, name, args, flags, nullptr, fn, nullptr, nullptr, nullptr);
}

} // namespace

void registerSqlServerFunctions(sqlite3* db) {
    sqlite3_create_collation_v2(db, "SQLSRV", SQLITE_UTF8, nullptr, compareSqlServer, nullptr);
    add(db, "like", 2, fnLike);
    add(db, "like", 3, fnLike);
    add(db, "LEN", 1, fnLen);
    add(db, "CHARINDEX", 2, fnCharIndex);
    add(db, "CHARINDEX", 3, fnCharIndex);
    add(db, "GETDATE", 0, fnGetDate, false);
    add(db, "YEAR", 1, fnYear);
    add(db, "MONTH", 1, fnMonth);
    add(db, "DAY", 1, fnDay);
    add(db, "REPLICATE", 2, fnReplicate);
    add(db, "LEFT_STR", 2, fnLeft);
    add(db, "RIGHT_STR", 2, fnRight);
    for (int args : {1, 2}) {
        add(db, "CONVERT_INT", args, fnConvertInt);
        add(db, "CONVERT_FLOAT", args, fnConvertFloat);
        add(db, "CONVERT_MONEY", args, fnConvertMoney);
    }
    add(db, "DATEADD", 3, fnDateAdd);
    add(db, "DATEDIFF", 3, fnDateDiff);
    add(db, "DATEPART", 2, fnDatePart);
    add(db, "CONVERT_TEXT", 1, fnConvertText);
    add(db, "CONVERT_TEXT", 2, fnConvertText);
    add(db, "CONVERT_DATETIME", 1, fnConvertDateTime);
    add(db, "CONVERT_DATETIME", 2, fnConvertDateTime);
}

} // namespace ado
