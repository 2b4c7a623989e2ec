// SQL Server's text comparison and the functions SQLite lacks, registered on
// every SQLite connection (the list is in engine_sqlite.h).

#include "platform/ado/engine_sqlite.h"
#include "platform/vb/vb.h"
#include <QRegularExpression>
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

std::optional<QDateTime> isoDate(const QString& t) {
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{4})-(\\d{1,2})-(\\d{1,2})(?:[ T](\\d{1,2}):(\\d{2})(?::(\\d{2})(?:\\.\\d*)?)?)?$"));
    const auto m = re.match(t.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const QDate d(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    const QTime h(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !h.isValid())
        return std::nullopt;
    return QDateTime(d, h, Qt::UTC);
}

// "d/m/yyyy [hh:mm[:ss]]" (also "-" or "."), month first when asked.
std::optional<QDateTime> slashDate(const QString& t, bool monthFirst) {
    static const QRegularExpression re(
        QStringLiteral("^(\\d{1,2})[/.-](\\d{1,2})[/"
                       ".-](\\d{2}|\\d{4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?$"));
    const auto m = re.match(t.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    int a = m.captured(1).toInt(), b = m.captured(2).toInt(), y = m.captured(3).toInt();
    if (m.captured(3).size() == 2) // SQL Server's two-digit year cut-off
        y += y < 50 ? 2000 : 1900;
    const QDate d = monthFirst ? QDate(y, a, b) : QDate(y, b, a);
    const QTime h(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
    if (!d.isValid() || !h.isValid())
        return std::nullopt;
    return QDateTime(d, h, Qt::UTC);
}

std::optional<QDateTime> dateArg(sqlite3_value* v) {
    return isoDate(text(v));
}

const char* const kDateConversion =
    "Conversion failed when converting date and/or time from character string.";

void datePart(sqlite3_context* ctx, int argc, sqlite3_value** argv, int which) {
    (void)argc;
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const auto d = dateArg(argv[0]);
    if (!d) {
        sqlite3_result_error(ctx, kDateConversion, -1);
        return;
    }
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

QString conversionFailed(const QString& value, const char* type) {
    return QStringLiteral("Conversion failed when converting the value '%1' to data type %2.")
        .arg(value, QLatin1String(type));
}

void fnConvertInt(sqlite3_context* ctx, int, sqlite3_value** argv) {
    switch (sqlite3_value_type(argv[0])) {
    case SQLITE_NULL:
        sqlite3_result_null(ctx);
        return;
    case SQLITE_INTEGER:
        sqlite3_result_int64(ctx, sqlite3_value_int64(argv[0]));
        return;
    case SQLITE_FLOAT:
        sqlite3_result_int64(ctx, qint64(std::trunc(sqlite3_value_double(argv[0]))));
        return;
    default: {
        const QString t = text(argv[0]).trimmed();
        if (t.isEmpty()) {
            sqlite3_result_int(ctx, 0);
            return;
        }
        bool ok = false;
        const qlonglong v = t.toLongLong(&ok);
        if (!ok)
            resultError(ctx, conversionFailed(t, "int"));
        else
            sqlite3_result_int64(ctx, v);
    }
    }
}

std::optional<double> numberArg(sqlite3_context* ctx, sqlite3_value* v, const char* type) {
    switch (sqlite3_value_type(v)) {
    case SQLITE_INTEGER:
    case SQLITE_FLOAT:
        return sqlite3_value_double(v);
    default: {
        const QString t = text(v).trimmed();
        if (t.isEmpty())
            return 0.0;
        bool ok = false;
        const double d = t.toDouble(&ok);
        if (!ok) {
            resultError(ctx, conversionFailed(t, type));
            return std::nullopt;
        }
        return d;
    }
    }
}

void fnConvertFloat(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (auto d = numberArg(ctx, argv[0], "float"))
        sqlite3_result_double(ctx, *d);
}

void fnConvertMoney(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    if (auto d = numberArg(ctx, argv[0], "money"))
        sqlite3_result_double(ctx, std::round(*d * 10000.0) / 10000.0);
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

void fnConvertDateTime(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    if (isNull(argv[0])) {
        sqlite3_result_null(ctx);
        return;
    }
    const QString t = text(argv[0]);
    const int style = argc > 1 && !isNull(argv[1]) ? sqlite3_value_int(argv[1]) : 103;
    auto d = isoDate(t);
    if (!d)
        d = slashDate(t, style == 101 || style == 1);
    if (!d) {
        sqlite3_result_error(ctx, kDateConversion, -1);
        return;
    }
    resultText(ctx, d->toString(QStringLiteral("yyyy-MM-dd hh:mm:ss")));
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
    add(db, "CONVERT_INT", 1, fnConvertInt);
    add(db, "CONVERT_FLOAT", 1, fnConvertFloat);
    add(db, "CONVERT_MONEY", 1, fnConvertMoney);
    add(db, "CONVERT_TEXT", 1, fnConvertText);
    add(db, "CONVERT_TEXT", 2, fnConvertText);
    add(db, "CONVERT_DATETIME", 1, fnConvertDateTime);
    add(db, "CONVERT_DATETIME", 2, fnConvertDateTime);
}

} // namespace ado
