// The server's refusals on writes and its updatable views, on SQLite: TEMP
// triggers made from the declared column types (see engine_sqlite.h), and
// the column addition of ALTER TABLE.
//
// TEMP triggers belong to the connection: nothing is written into the file,
// a file built by any tool gets them when the engine opens it, and a schema
// change only means making them again. Their cost is per row written: the
// trigger's call, and the statement journal SQLite then keeps so that a
// refused row undoes its statement alone, as on the server.

#include "platform/ado/engine_sqlite.h"
#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"
#include "platform/sql/sqlrewrite.h"
#include <QSet>
#include <cmath>
#include <cstring>
#include <optional>
#include <sqlite3.h>

namespace ado {

namespace {

// ---- The server's texts ---------------------------------------------------------------

const char* const kTruncated = "String or binary data would be truncated.";
const char* const kNullRefused = "Cannot insert the value NULL into column '%1', table "
                                 "'%2.dbo.%3'; column does not allow nulls. %4 fails.";
const char* const kNotAnInteger =
    "Conversion failed when converting the varchar value '%1' to data type %2.";
const char* const kNotANumber = "Error converting data type varchar to %1.";
const char* const kDateOutOfRange = "The conversion of a varchar data type to a %1 data type "
                                    "resulted in an out-of-range value.";
const char* const kNotADate =
    "Conversion failed when converting date and/or time from character string.";
const char* const kNotMoney =
    "Cannot convert a char value to %1. The char value has incorrect syntax.";
// A whole number beyond tinyint or smallint, and anything else beyond a
// column's range or precision.
const char* const kIntegerOverflow = "Arithmetic overflow error for data type %1, value = %2.";
const char* const kOverflow = "Arithmetic overflow error converting %1 to data type %2.";
const char* const kOutsideView =
    "The attempted insert or update failed because the target view either specifies WITH "
    "CHECK OPTION or spans a view that specifies WITH CHECK OPTION and one or more rows "
    "resulting from the operation did not qualify under the CHECK OPTION constraint.";
const char* const kNotNullColumn =
    "ALTER TABLE only allows columns to be added that can contain nulls, or have a DEFAULT "
    "definition specified, or the column being added is an identity or timestamp column, or "
    "alternatively if none of the previous conditions are satisfied the table must be empty "
    "to allow addition of this column. Column '%1' cannot be added to non-empty table '%2' "
    "because it does not satisfy these conditions.";

// Names of what this file creates, so that they can be told from the file's own.
const char* const kPrefix = "qz_";

// ---- Tokens ---------------------------------------------------------------------------

struct Token {
    enum Kind { Word, Name, Literal, Punct } kind;
    QString text; // Word: upper-cased; Name: without quotes or brackets; Punct: the character
    QString raw;  // Word and Name: as written, without quotes
    qsizetype begin;
    qsizetype end;
    int depth; // parentheses around it
};

// The shared lexer's tokens without blanks and comments; numbers count as
// words, quoted names and literals lose their quotes.
QList<Token> tokenize(const QString& s) {
    QList<Token> out;
    int depth = 0;
    for (const sqltext::Token& x : sqltext::lex(s)) {
        switch (x.kind) {
        case sqltext::TokenKind::Space:
        case sqltext::TokenKind::Comment:
            break;
        case sqltext::TokenKind::String:
        case sqltext::TokenKind::Ident: {
            const QString body = sqltext::unquoted(s, x);
            out.push_back({x.kind == sqltext::TokenKind::String ? Token::Literal : Token::Name,
                           body, body, x.begin, x.end, depth});
            break;
        }
        case sqltext::TokenKind::Word:
        case sqltext::TokenKind::Number:
        case sqltext::TokenKind::DateLiteral: {
            const QString word = x.text(s).toString();
            out.push_back({Token::Word, word.toUpper(), word, x.begin, x.end, depth});
            break;
        }
        case sqltext::TokenKind::Punct: {
            const QString p = x.text(s).toString();
            if (p == u")")
                depth = std::max(0, depth - 1);
            out.push_back({Token::Punct, p, p, x.begin, x.end, depth});
            if (p == u"(")
                ++depth;
            break;
        }
        }
    }
    return out;
}

bool isWord(const Token& t, const char* word) {
    return t.kind == Token::Word && t.text == QLatin1String(word);
}

bool isPunct(const Token& t, char16_t c) {
    return t.kind == Token::Punct && t.text.front() == c;
}

bool isName(const Token& t) {
    return t.kind == Token::Name || t.kind == Token::Word;
}

// A name, maybe after its schema ("main.T"): advances `i` past it.
std::optional<QString> readName(const QList<Token>& t, qsizetype& i) {
    if (i >= t.size() || !isName(t[i]))
        return std::nullopt;
    QString name = t[i++].raw;
    if (i + 1 < t.size() && isPunct(t[i], u'.') && isName(t[i + 1])) {
        name = t[i + 1].raw;
        i += 2;
    }
    return name;
}

// The one table or view a SELECT reads, when it reads exactly one without
// folding rows together.
std::optional<QString> singleSource(const QList<Token>& t) {
    static const QSet<QString> folding = {
        QStringLiteral("DISTINCT"), QStringLiteral("GROUP"),  QStringLiteral("HAVING"),
        QStringLiteral("UNION"),    QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT"),
        QStringLiteral("JOIN"),     QStringLiteral("WINDOW"), QStringLiteral("VALUES")};
    if (t.isEmpty() || !isWord(t[0], "SELECT"))
        return std::nullopt;
    qsizetype from = -1;
    for (qsizetype i = 0; i < t.size(); ++i) {
        if (t[i].depth != 0 || t[i].kind != Token::Word)
            continue;
        if (folding.contains(t[i].text))
            return std::nullopt;
        if (from < 0 && t[i].text == u"FROM")
            from = i;
    }
    if (from < 0)
        return std::nullopt;
    qsizetype i = from + 1;
    const std::optional<QString> name = readName(t, i);
    if (!name)
        return std::nullopt;
    auto ends = [&](qsizetype k) {
        return k >= t.size() || isWord(t[k], "WHERE") || isWord(t[k], "ORDER") ||
               isWord(t[k], "LIMIT") || isPunct(t[k], u';');
    };
    if (!ends(i)) { // an alias
        if (isWord(t[i], "AS"))
            ++i;
        if (i < t.size() && isName(t[i]))
            ++i;
    }
    return ends(i) ? name : std::nullopt;
}

// ---- SQL text -------------------------------------------------------------------------

QString text(sqlite3_stmt* st, int i) {
    const auto* t = reinterpret_cast<const char*>(sqlite3_column_text(st, i));
    return t ? QString::fromUtf8(t) : QString();
}

bool isLock(int rc) {
    return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED;
}

struct Stmt {
    sqlite3_stmt* st = nullptr;
    int rc = SQLITE_OK;
    Stmt(sqlite3* db, const QString& sql) {
        const QByteArray utf8 = sql.toUtf8();
        rc = sqlite3_prepare_v2(db, utf8.constData(), int(utf8.size()), &st, nullptr);
        if (rc != SQLITE_OK)
            st = nullptr;
    }
    Stmt(const Stmt&) = delete;
    Stmt& operator=(const Stmt&) = delete;
    ~Stmt() { sqlite3_finalize(st); }
    explicit operator bool() const { return st != nullptr; }
    bool row() {
        if (!st)
            return false;
        rc = sqlite3_step(st);
        return rc == SQLITE_ROW;
    }
};

int run(sqlite3* db, const QString& sql) {
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr);
}

// ---- Declared columns -----------------------------------------------------------------

struct ColumnInfo {
    QString name;
    QString type;
    bool notNull = false;
    QString dflt; // SQL text of the default, empty when none
    int pk = 0;   // position in the primary key, 0 when outside it
};

QList<ColumnInfo> columnsOf(sqlite3* db, const QString& table) {
    QList<ColumnInfo> cols;
    Stmt s(db, QStringLiteral("SELECT name, type, \"notnull\", dflt_value, pk FROM "
                              "main.pragma_table_info(%1)")
                   .arg(sqltext::literal(table)));
    while (s.row())
        cols.push_back({text(s.st, 0), text(s.st, 1), sqlite3_column_int(s.st, 2) != 0,
                        text(s.st, 3), sqlite3_column_int(s.st, 4)});
    return cols;
}

// SQLite's own INTEGER PRIMARY KEY: the row number, which SQLite checks itself.
bool isRowid(const ColumnInfo& c, const QList<ColumnInfo>& all) {
    const auto keys = std::count_if(all.begin(), all.end(), [](const auto& x) { return x.pk > 0; });
    return c.pk == 1 && keys == 1 && c.type.trimmed().compare(u"INTEGER", Qt::CaseInsensitive) == 0;
}

bool isSizedText(int adoType) {
    return adoType == adChar || adoType == adWChar || adoType == adVarChar || adoType == adVarWChar;
}

bool isText(int adoType) {
    return isSizedText(adoType) || adoType == adLongVarChar || adoType == adLongVarWChar;
}

// The whole-number types but bit (any number but 0 reads as true, as the
// server stores it).
bool isWhole(int adoType) {
    return adoType == adInteger || adoType == adSmallInt || adoType == adTinyInt ||
           adoType == adUnsignedTinyInt || adoType == adBigInt;
}

// The declared type's name as the server writes it in its messages.
QString serverTypeName(const QString& declared) {
    const QString d = declared.trimmed().toLower();
    const qsizetype paren = d.indexOf(u'(');
    const QString name = (paren < 0 ? d : d.left(paren)).simplified();
    if (name == u"integer" || name == u"mediumint")
        return QStringLiteral("int");
    if (name == u"double" || name == u"double precision")
        return QStringLiteral("float");
    if (name == u"decimal")
        return QStringLiteral("numeric");
    return name;
}

// ---- Rules of the columns --------------------------------------------------------------
//
// A table's triggers hand the written values to qz_check, which holds the
// rules of every column: the triggers stay one short call each (a connection
// makes them all when it opens), and a row that breaks nothing costs one
// function call.

enum class Conversion { None, Integer, Bit, Float, Numeric, Money, Date };

struct ColumnRule {
    QString name;
    Conversion conversion = Conversion::None;
    QString typeName; // as the server names it in its messages
    long size = 0;    // characters; 0 when not limited
    bool notNull = false;
    // Integer: the range; Money: the range in ten-thousandths.
    qint64 min = 0;
    qint64 max = 0;
    int precision = 0; // Numeric: digits, of which `scale` after the point
    int scale = 0;
};

// DECIMAL(p[, s]) and NUMERIC(p[, s]); the server's default is (18, 0).
std::pair<int, int> precisionOf(const QString& declared) {
    const qsizetype open = declared.indexOf(u'(');
    if (open < 0)
        return {18, 0};
    const QStringList args =
        declared.mid(open + 1).section(u')', 0, 0).split(u',', Qt::SkipEmptyParts);
    const int p = args.value(0).trimmed().toInt();
    const int s = args.value(1).trimmed().toInt();
    return p > 0 && p <= 38 && s >= 0 && s <= p ? std::pair{p, s} : std::pair{18, 0};
}

struct TableRules {
    QString name;
    QList<ColumnRule> columns; // in the order the triggers pass them
    QStringList dates;         // date columns, kept in one stored form
    QStringList wholes;        // whole-number columns, which keep no fraction
};

struct Rules {
    QString database;
    QList<TableRules> tables;
};

std::optional<ColumnRule> ruleOf(const ColumnInfo& c, const QList<ColumnInfo>& all) {
    if (isRowid(c, all))
        return std::nullopt;
    ColumnRule r;
    r.name = c.name;
    r.typeName = serverTypeName(c.type);
    const auto [type, size] = adoTypeOfDeclared(c.type);
    switch (type) {
    case adInteger:
        r.conversion = Conversion::Integer;
        std::tie(r.min, r.max) = std::pair<qint64, qint64>{INT32_MIN, INT32_MAX};
        break;
    case adSmallInt:
        r.conversion = Conversion::Integer;
        std::tie(r.min, r.max) = std::pair<qint64, qint64>{INT16_MIN, INT16_MAX};
        break;
    case adTinyInt:
    case adUnsignedTinyInt:
        r.conversion = Conversion::Integer;
        std::tie(r.min, r.max) = std::pair<qint64, qint64>{0, 255};
        break;
    case adBigInt:
        r.conversion = Conversion::Integer;
        std::tie(r.min, r.max) = std::pair<qint64, qint64>{INT64_MIN, INT64_MAX};
        break;
    case adBoolean:
        r.conversion = Conversion::Bit;
        break;
    case adDouble:
    case adSingle:
        r.conversion = Conversion::Float;
        break;
    case adNumeric:
    case adDecimal:
        r.conversion = Conversion::Numeric;
        std::tie(r.precision, r.scale) = precisionOf(c.type);
        break;
    case adCurrency:
        r.conversion = Conversion::Money;
        if (size == 4)
            std::tie(r.min, r.max) = std::pair<qint64, qint64>{INT32_MIN, INT32_MAX};
        else
            std::tie(r.min, r.max) = std::pair<qint64, qint64>{INT64_MIN, INT64_MAX};
        break;
    default:
        if (sqlrewrite::isDateType(c.type))
            r.conversion = Conversion::Date;
        break;
    }
    if (isSizedText(type))
        r.size = size;
    r.notNull = c.notNull || c.pk > 0; // the server's keys never hold NULL; SQLite's may
    if (r.conversion == Conversion::None && r.size <= 0 && !r.notNull)
        return std::nullopt;
    return r;
}

QString valueText(sqlite3_value* v) {
    return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_value_text(v)),
                             sqlite3_value_bytes(v));
}

// 'yyyy-mm-dd hh:mm:ss' naming a real day and time: the stored form, told
// without building a text, since every written date passes here.
bool isStoredDate(sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT || sqlite3_value_bytes(v) != 19)
        return false;
    const unsigned char* p = sqlite3_value_text(v);
    int n[6] = {};
    int field = 0;
    for (int i = 0; i < 19; ++i) {
        const char want = i == 4 || i == 7 ? '-' : i == 10 ? ' ' : i == 13 || i == 16 ? ':' : 0;
        if (want) {
            if (p[i] != want)
                return false;
            ++field;
        } else if (p[i] >= '0' && p[i] <= '9') {
            n[field] = n[field] * 10 + (p[i] - '0');
        } else {
            return false;
        }
    }
    return QDate::isValid(n[0], n[1], n[2]) && n[3] < 24 && n[4] < 60 && n[5] < 60;
}

// A date text that names no day ('2024-02-30'); one that is no date at all
// is kept as written, as it always was.
QString dateRefusal(const ColumnRule& c, sqlite3_value* v) {
    if (sqlite3_value_type(v) != SQLITE_TEXT || isStoredDate(v) ||
        !sqlrewrite::impossibleDate(valueText(v)))
        return {};
    if (c.typeName == u"datetime" || c.typeName == u"smalldatetime")
        return QString::fromLatin1(kDateOutOfRange).arg(c.typeName);
    return QString::fromLatin1(kNotADate);
}

// A blank text is 0 to the server, except as decimal or numeric.
QString conversionRefusal(const ColumnRule& c, sqlite3_value* v) {
    if (c.conversion == Conversion::Date)
        return dateRefusal(c, v);
    if (c.conversion == Conversion::None || sqlite3_value_type(v) != SQLITE_TEXT)
        return {};
    const QString t = valueText(v);
    const QString trimmed = t.trimmed();
    if (trimmed.isEmpty() && c.conversion != Conversion::Numeric)
        return {};
    switch (c.conversion) {
    case Conversion::Bit: // 'TRUE' and 'FALSE' are bits to the server
        if (trimmed.compare(u"TRUE", Qt::CaseInsensitive) == 0 ||
            trimmed.compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return {};
        [[fallthrough]];
    case Conversion::Integer:
        return QString::fromLatin1(kNotAnInteger).arg(t, c.typeName);
    case Conversion::Float:
    case Conversion::Numeric:
        return QString::fromLatin1(kNotANumber).arg(c.typeName);
    case Conversion::Money:
        return QString::fromLatin1(kNotMoney).arg(c.typeName);
    default:
        return {};
    }
}

// A number the column cannot hold. The server rounds what goes beyond a
// decimal's scale or money's four places and truncates what goes into a
// whole-number column; what is left must fit.
QString rangeRefusal(const ColumnRule& c, sqlite3_value* v) {
    const int type = sqlite3_value_type(v);
    if (type != SQLITE_INTEGER && type != SQLITE_FLOAT)
        return {};
    const bool whole = type == SQLITE_INTEGER;
    const qint64 i = sqlite3_value_int64(v);
    const double d = sqlite3_value_double(v);
    // 2^63 as a double: the first value beyond qint64.
    constexpr double kBeyond = 9223372036854775808.0;
    auto fits = [&](double x, qint64 lo, qint64 hi) {
        return std::isfinite(x) && x >= double(lo) && x < kBeyond && qint64(x) >= lo &&
               qint64(x) <= hi;
    };
    switch (c.conversion) {
    case Conversion::Integer:
        if (whole ? i >= c.min && i <= c.max : fits(std::trunc(d), c.min, c.max))
            return {};
        // An int constant into tinyint or smallint names its value; a wider
        // one is a numeric expression to the server.
        if (whole && c.max <= INT16_MAX && i >= INT32_MIN && i <= INT32_MAX)
            return QString::fromLatin1(kIntegerOverflow).arg(c.typeName).arg(i);
        return QString::fromLatin1(kOverflow).arg(QStringLiteral("expression"), c.typeName);
    case Conversion::Money:
        // Whole numbers compared as such: a double loses the last units.
        // The doubles nearest money's ends stand for the ends themselves:
        // 922337203685477.5807 is 922337203685477.625 to a double. A literal
        // with more digits is judged as written by CONVERT_MONEY.
        if (whole ? i >= c.min / 10000 && i <= c.max / 10000
                  : fits(std::round(d * 1e4), c.min, c.max) ||
                        (d >= double(c.min) / 1e4 && d <= double(c.max) / 1e4))
            return {};
        return QString::fromLatin1(kOverflow).arg(QStringLiteral("expression"), c.typeName);
    case Conversion::Numeric: {
        bool fit = false;
        if (whole) {
            // Digits before the point; qint64 never has more than 19.
            const int digits = c.precision - c.scale;
            qint64 limit = 1;
            for (int k = 0; k < digits && k < 18; ++k)
                limit *= 10;
            fit = digits >= 19 || (i > -limit && i < limit);
        } else {
            const double scaled = std::round(d * std::pow(10.0, c.scale));
            fit = std::isfinite(scaled) && std::abs(scaled) < std::pow(10.0, c.precision);
        }
        if (fit)
            return {};
        const bool isInt = whole && i >= INT32_MIN && i <= INT32_MAX;
        return QString::fromLatin1(kOverflow).arg(
            isInt ? QStringLiteral("int") : QStringLiteral("numeric"), c.typeName);
    }
    default:
        return {};
    }
}

// Characters beyond the size count unless they are trailing blanks.
bool tooLong(const ColumnRule& c, sqlite3_value* v) {
    if (c.size <= 0 || sqlite3_value_type(v) != SQLITE_TEXT)
        return false;
    const int bytes = sqlite3_value_bytes(v);
    if (bytes <= c.size) // never more characters than bytes
        return false;
    const auto* p = sqlite3_value_text(v);
    int end = bytes;
    while (end > 0 && p[end - 1] == ' ')
        --end;
    long chars = 0;
    for (int i = 0; i < end; ++i)
        chars += (p[i] & 0xC0) != 0x80;
    return chars > c.size;
}

bool sameValue(sqlite3_value* a, sqlite3_value* b) {
    const int type = sqlite3_value_type(a);
    if (type != sqlite3_value_type(b))
        return false;
    switch (type) {
    case SQLITE_NULL:
        return true;
    case SQLITE_INTEGER:
        return sqlite3_value_int64(a) == sqlite3_value_int64(b);
    case SQLITE_FLOAT:
        return sqlite3_value_double(a) == sqlite3_value_double(b);
    default: {
        const int n = sqlite3_value_bytes(a);
        return n == sqlite3_value_bytes(b) &&
               (n == 0 ||
                std::memcmp(sqlite3_value_blob(a), sqlite3_value_blob(b), size_t(n)) == 0);
    }
    }
}

// qz_check(table, update, first column, values...): an INSERT passes the
// new values, an UPDATE new and old in pairs (a column it leaves as it was
// is not checked again). Refuses in the server's order: the conversion of
// the values, then NULL, then the sizes.
void checkFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    const auto* rules = static_cast<const Rules*>(sqlite3_user_data(ctx));
    const int t = sqlite3_value_int(argv[0]);
    const bool update = sqlite3_value_int(argv[1]) != 0;
    const int first = sqlite3_value_int(argv[2]);
    if (t < 0 || t >= rules->tables.size())
        return;
    const TableRules& table = rules->tables[t];
    const int step = update ? 2 : 1;
    const int n = std::min<int>((argc - 3) / step, int(table.columns.size()) - first);
    auto value = [&](int i) { return argv[3 + i * step]; };
    auto skip = [&](int i) { return update && sameValue(value(i), argv[4 + i * step]); };
    for (int pass = 0; pass < 3; ++pass)
        for (int i = 0; i < n; ++i) {
            if (skip(i))
                continue;
            const ColumnRule& c = table.columns[first + i];
            QString refusal;
            if (pass == 0) {
                refusal = conversionRefusal(c, value(i));
                if (refusal.isEmpty())
                    refusal = rangeRefusal(c, value(i));
            } else if (pass == 1 && c.notNull && sqlite3_value_type(value(i)) == SQLITE_NULL)
                refusal = QString::fromLatin1(kNullRefused)
                              .arg(c.name, rules->database, table.name,
                                   update ? QStringLiteral("UPDATE") : QStringLiteral("INSERT"));
            else if (pass == 2 && tooLong(c, value(i)))
                refusal = QString::fromLatin1(kTruncated);
            if (!refusal.isEmpty()) {
                const QByteArray m = refusal.toUtf8();
                sqlite3_result_error(ctx, m.constData(), int(m.size()));
                return;
            }
        }
    sqlite3_result_null(ctx);
}

// ---- Dates ------------------------------------------------------------------------------
//
// Dates are stored as 'yyyy-mm-dd hh:mm:ss', so that text order is the
// server's date order: a bare day ('2023-02-01', as other programs write it)
// would sort before its own midnight. A write of any other form the server
// reads as a date is turned into that one by an AFTER trigger.

// qz_datetime(x): x in the stored form when it is a date text, else x.
void datetimeFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_TEXT && !isStoredDate(argv[0])) {
        const QString t = valueText(argv[0]);
        const QString stored = sqlrewrite::storedDate(t);
        if (!stored.isEmpty() && stored != t) {
            const QByteArray u = stored.toUtf8();
            sqlite3_result_text(ctx, u.constData(), int(u.size()), SQLITE_TRANSIENT);
            return;
        }
    }
    sqlite3_result_value(ctx, argv[0]);
}

// qz_undated(x...): 1 when some x is a date text not in the stored form.
void undatedFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i) {
        if (sqlite3_value_type(argv[i]) != SQLITE_TEXT || isStoredDate(argv[i]))
            continue;
        const QString t = valueText(argv[i]);
        const QString stored = sqlrewrite::storedDate(t);
        if (!stored.isEmpty() && stored != t) {
            sqlite3_result_int(ctx, 1);
            return;
        }
    }
    sqlite3_result_int(ctx, 0);
}

// SQLite keeps 12.7 in a whole-number column as it was given (a check
// before the write cannot change it); the server truncates it toward zero.
// What passed the range check fits once truncated.

// qz_whole(x): x truncated toward zero when it is a real, else x.
void wholeFn(sqlite3_context* ctx, int, sqlite3_value** argv) {
    if (sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        const double d = std::trunc(sqlite3_value_double(argv[0]));
        if (std::isfinite(d) && d >= -9223372036854775808.0 && d < 9223372036854775808.0) {
            sqlite3_result_int64(ctx, qint64(d));
            return;
        }
    }
    sqlite3_result_value(ctx, argv[0]);
}

// qz_fraction(x...): 1 when some x is a real.
void fractionFn(sqlite3_context* ctx, int argc, sqlite3_value** argv) {
    for (int i = 0; i < argc; ++i)
        if (sqlite3_value_type(argv[i]) == SQLITE_FLOAT) {
            sqlite3_result_int(ctx, 1);
            return;
        }
    sqlite3_result_int(ctx, 0);
}

// AFTER INSERT and AFTER UPDATE triggers that put a row's dates and whole
// numbers in the form the server keeps, when one of them is not.
QStringList storedFormTriggers(const TableRules& table) {
    if (table.dates.isEmpty() && table.wholes.isEmpty())
        return {};
    QStringList sets, names, tests;
    auto part = [&](const QStringList& columns, const char* test, const char* fn) {
        QStringList fresh;
        for (const QString& d : columns) {
            const QString c = sqltext::identifier(d);
            fresh << QStringLiteral("NEW.") + c;
            sets << QStringLiteral("%1 = %2(%1)").arg(c, QLatin1String(fn));
            names << c;
        }
        // SQLite passes a function at most 127 arguments.
        for (qsizetype from = 0; from < fresh.size(); from += 60)
            tests << QStringLiteral("%1(%2)").arg(QLatin1String(test),
                                                  fresh.mid(from, 60).join(u','));
    };
    part(table.dates, "qz_undated", "qz_datetime");
    part(table.wholes, "qz_fraction", "qz_whole");
    // A trigger's writes take no schema name; the row is the one just written.
    const QString body = QStringLiteral("UPDATE %1 SET %2 WHERE rowid = NEW.rowid;")
                             .arg(sqltext::identifier(table.name), sets.join(u','));
    auto trigger = [&](const QString& kind, const QString& when) {
        return QStringLiteral("CREATE TEMP TRIGGER %1 AFTER %2 ON main.%3 WHEN %4 BEGIN %5 END")
            .arg(sqltext::identifier(QLatin1String(kPrefix) + kind + table.name), when,
                 sqltext::identifier(table.name), tests.join(QStringLiteral(" OR ")), body);
    };
    return {trigger(QStringLiteral("dins_"), QStringLiteral("INSERT")),
            trigger(QStringLiteral("dupd_"), QStringLiteral("UPDATE OF ") + names.join(u','))};
}

bool hasRowid(sqlite3* db, const QString& table) {
    return bool(
        Stmt(db, QStringLiteral("SELECT rowid FROM main.%1").arg(sqltext::identifier(table))));
}

// BEFORE INSERT and BEFORE UPDATE triggers of table number `t`; none when
// nothing in it can be refused.
QStringList tableTriggers(int t, const TableRules& table) {
    if (table.columns.isEmpty())
        return {};
    // SQLite passes a function at most 127 arguments.
    constexpr int kPerCall = 60;
    QStringList insert, update, changed;
    for (int from = 0; from < table.columns.size(); from += kPerCall) {
        QStringList fresh, pairs;
        for (int i = from; i < std::min<int>(from + kPerCall, table.columns.size()); ++i) {
            const QString c = sqltext::identifier(table.columns[i].name);
            fresh << QStringLiteral("NEW.") + c;
            pairs << QStringLiteral("NEW.%1,OLD.%1").arg(c);
            changed << c;
        }
        insert << QStringLiteral("SELECT qz_check(%1,0,%2,%3);")
                      .arg(t)
                      .arg(from)
                      .arg(fresh.join(u','));
        update << QStringLiteral("SELECT qz_check(%1,1,%2,%3);")
                      .arg(t)
                      .arg(from)
                      .arg(pairs.join(u','));
    }
    auto trigger = [&](const QString& kind, const QString& when, const QStringList& body) {
        return QStringLiteral("CREATE TEMP TRIGGER %1 BEFORE %2 ON main.%3 BEGIN %4 END")
            .arg(sqltext::identifier(QLatin1String(kPrefix) + kind + table.name), when,
                 sqltext::identifier(table.name), body.join(u' '));
    };
    return {
        trigger(QStringLiteral("ins_"), QStringLiteral("INSERT"), insert),
        trigger(QStringLiteral("upd_"), QStringLiteral("UPDATE OF ") + changed.join(u','), update)};
}

// ---- Updatable views ------------------------------------------------------------------

// The SELECT of a CREATE VIEW text, as tokens.
QList<Token> viewSelect(const QString& createView) {
    const QList<Token> t = tokenize(createView);
    for (qsizetype i = 0; i < t.size(); ++i)
        if (t[i].depth == 0 && isWord(t[i], "AS"))
            return t.mid(i + 1);
    return {};
}

// What makes `name` writable, or nothing when the server would refuse writes
// through it or its rows cannot be told apart.
std::optional<UpdatableView> analyzeView(sqlite3* db, const QString& name,
                                         const QString& createView) {
    if (!singleSource(viewSelect(createView)))
        return std::nullopt;
    UpdatableView v;
    v.name = name;
    {
        Stmt s(db, QStringLiteral("SELECT * FROM main.%1").arg(sqltext::identifier(name)));
        if (!s)
            return std::nullopt;
        for (int i = 0; i < sqlite3_column_count(s.st); ++i) {
            const char* table = sqlite3_column_table_name(s.st, i);
            const char* origin = sqlite3_column_origin_name(s.st, i);
            const char* schema = sqlite3_column_database_name(s.st, i);
            if (!table || !origin || qstrcmp(schema, "main") != 0)
                return std::nullopt; // an expression, or another database's table
            if (v.base.isEmpty())
                v.base = QString::fromUtf8(table);
            else if (v.base.compare(QString::fromUtf8(table), Qt::CaseInsensitive) != 0)
                return std::nullopt;
            const QString column = QString::fromUtf8(origin).toUpper();
            if (v.columnOf.contains(column))
                return std::nullopt; // one table column shown twice
            v.columnOf.insert(column, QString::fromUtf8(sqlite3_column_name(s.st, i)));
        }
    }
    const QList<ColumnInfo> cols = columnsOf(db, v.base);
    QList<ColumnInfo> keys;
    for (const ColumnInfo& c : cols)
        if (c.pk > 0)
            keys.push_back(c);
    std::sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.pk < b.pk; });
    const bool keyShown = !keys.isEmpty() && std::all_of(keys.begin(), keys.end(), [&](auto& c) {
        return v.columnOf.contains(c.name.toUpper());
    });
    if (!keyShown) {
        if (v.columnOf.size() != cols.size())
            return std::nullopt;
        keys = cols;
    }
    for (const ColumnInfo& k : keys) {
        v.keys << v.columnOf.value(k.name.toUpper());
        QVariant dflt;
        if (!k.dflt.isEmpty()) {
            Stmt d(db, QStringLiteral("SELECT ") + k.dflt);
            if (d.row() && sqlite3_column_type(d.st, 0) != SQLITE_NULL)
                dflt = sqlite3_column_type(d.st, 0) == SQLITE_TEXT
                           ? QVariant(text(d.st, 0))
                           : QVariant(sqlite3_column_double(d.st, 0));
        }
        v.keyDefaults << dflt;
    }
    return v;
}

QStringList viewTriggers(const UpdatableView& v, const QList<ColumnInfo>& cols) {
    QStringList baseNames, inserted, sets;
    QHash<QString, QString> baseOf;     // view column -> table column
    QHash<QString, QString> insertedOf; // view column -> the value the INSERT writes
    QHash<QString, QString> writtenOf;  // view column -> the value the UPDATE writes
    for (const ColumnInfo& c : cols) {
        const auto it = v.columnOf.constFind(c.name.toUpper());
        if (it == v.columnOf.constEnd())
            continue;
        QString nv = QStringLiteral("NEW.") + sqltext::identifier(*it);
        // Stored as the table's own trigger would, so that no second write
        // counts as a changed row.
        if (sqlrewrite::isDateType(c.type))
            nv = QStringLiteral("qz_datetime(%1)").arg(nv);
        else if (!isRowid(c, cols) && isWhole(adoTypeOfDeclared(c.type).first))
            nv = QStringLiteral("qz_whole(%1)").arg(nv);
        const QString value =
            c.dflt.isEmpty() ? nv : QStringLiteral("coalesce(%1, %2)").arg(nv, c.dflt);
        baseNames << sqltext::identifier(c.name);
        inserted << value;
        sets << sqltext::identifier(c.name) + QStringLiteral(" = ") + nv;
        baseOf.insert(*it, c.name);
        writtenOf.insert(*it, nv);
        insertedOf.insert(*it, isRowid(c, cols)
                                   ? QStringLiteral("coalesce(%1, last_insert_rowid())").arg(nv)
                                   : value);
    }
    QStringList oldKey, newKey, insertedKey;
    for (const QString& k : v.keys) {
        oldKey << QStringLiteral("%1 IS OLD.%2")
                      .arg(sqltext::identifier(baseOf.value(k)), sqltext::identifier(k));
        newKey << QStringLiteral("%1 IS %2").arg(sqltext::identifier(k), writtenOf.value(k));
        insertedKey << QStringLiteral("%1 IS %2").arg(sqltext::identifier(k), insertedOf.value(k));
    }
    const QString view = QStringLiteral("main.") + sqltext::identifier(v.name);
    const QString base = sqltext::identifier(v.base); // a trigger's writes take no schema name
    auto shown = [&](const QStringList& key) {
        return QStringLiteral("SELECT qz_outside() WHERE NOT EXISTS (SELECT 1 FROM %1 WHERE %2);")
            .arg(view, key.join(QStringLiteral(" AND ")));
    };
    auto trigger = [&](const char* kind, const char* op, const QString& body) {
        return QStringLiteral("CREATE TEMP TRIGGER %1 INSTEAD OF %2 ON %3 BEGIN %4 END")
            .arg(sqltext::identifier(QLatin1String(kPrefix) + QLatin1String(kind) + v.name),
                 QLatin1String(op), view, body);
    };
    return {trigger("vins_", "INSERT",
                    QStringLiteral("INSERT INTO %1 (%2) VALUES (%3); ")
                            .arg(base, baseNames.join(u','), inserted.join(u',')) +
                        shown(insertedKey)),
            trigger("vupd_", "UPDATE",
                    QStringLiteral("UPDATE %1 SET %2 WHERE %3; ")
                            .arg(base, sets.join(u','), oldKey.join(QStringLiteral(" AND "))) +
                        shown(newKey)),
            trigger("vdel_", "DELETE",
                    QStringLiteral("DELETE FROM %1 WHERE %2;")
                        .arg(base, oldKey.join(QStringLiteral(" AND "))))};
}

// qz_outside(): refuses a row the written view would not show.
void outsideFn(sqlite3_context* ctx, int, sqlite3_value**) {
    sqlite3_result_error(ctx, kOutsideView, -1);
}

} // namespace

void removeWriteChecks(sqlite3* db) {
    QStringList names;
    {
        Stmt s(db, QStringLiteral("SELECT name FROM temp.sqlite_master WHERE type = 'trigger' "
                                  "AND substr(name, 1, 3) = '%1'")
                       .arg(QLatin1String(kPrefix)));
        while (s.row())
            names << text(s.st, 0);
    }
    for (const QString& n : names)
        run(db, QStringLiteral("DROP TRIGGER IF EXISTS temp.") + sqltext::identifier(n));
}

UpdatableViews installWriteChecks(sqlite3* db, const QString& database, bool* complete) {
    bool locked = false;
    auto make = [&](const QString& sql) {
        const int rc = run(db, sql);
        locked = locked || isLock(rc);
        return rc == SQLITE_OK;
    };
    // Not deterministic: SQLite must not compute them once ahead of the rows.
    sqlite3_create_function_v2(db, "qz_outside", 0, SQLITE_UTF8 | SQLITE_INNOCUOUS, nullptr,
                               outsideFn, nullptr, nullptr, nullptr);
    const int pure = SQLITE_UTF8 | SQLITE_INNOCUOUS | SQLITE_DETERMINISTIC;
    sqlite3_create_function_v2(db, "qz_datetime", 1, pure, nullptr, datetimeFn, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "qz_undated", -1, pure, nullptr, undatedFn, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "qz_whole", 1, pure, nullptr, wholeFn, nullptr, nullptr,
                               nullptr);
    sqlite3_create_function_v2(db, "qz_fraction", -1, pure, nullptr, fractionFn, nullptr, nullptr,
                               nullptr);
    // One transaction for the whole set (nested in the caller's when open).
    run(db, QStringLiteral("SAVEPOINT qz_checks"));
    removeWriteChecks(db);
    QList<std::pair<QString, QString>> tables, views;
    {
        Stmt s(db, QStringLiteral("SELECT type, name, sql FROM main.sqlite_master WHERE type IN "
                                  "('table', 'view') AND substr(name, 1, 7) <> 'sqlite_'"));
        while (s.row())
            (text(s.st, 0) == u"table" ? tables : views).push_back({text(s.st, 1), text(s.st, 2)});
        locked = locked || isLock(s.rc);
    }
    auto* rules = new Rules{database, {}};
    for (const auto& [table, sql] : tables) {
        TableRules t{table, {}, {}, {}};
        const QList<ColumnInfo> cols = columnsOf(db, table);
        for (const ColumnInfo& c : cols) {
            if (const std::optional<ColumnRule> r = ruleOf(c, cols))
                t.columns.push_back(*r);
            if (sqlrewrite::isDateType(c.type))
                t.dates << c.name;
            if (!isRowid(c, cols) && isWhole(adoTypeOfDeclared(c.type).first))
                t.wholes << c.name;
        }
        if ((!t.dates.isEmpty() || !t.wholes.isEmpty()) && !hasRowid(db, table)) {
            t.dates.clear();
            t.wholes.clear();
        }
        rules->tables.push_back(t);
    }
    // The rules go with the function (SQLite deletes the previous ones), and
    // the triggers name the tables by their place in them.
    if (sqlite3_create_function_v2(db, "qz_check", -1, SQLITE_UTF8 | SQLITE_INNOCUOUS, rules,
                                   checkFn, nullptr, nullptr,
                                   [](void* p) { delete static_cast<Rules*>(p); }) == SQLITE_OK) {
        for (qsizetype t = 0; t < rules->tables.size(); ++t) {
            for (const QString& trigger : tableTriggers(int(t), rules->tables[t]))
                make(trigger);
            for (const QString& trigger : storedFormTriggers(rules->tables[t]))
                make(trigger);
        }
    } else {
        locked = true; // a statement still running: the next one tries again
    }
    UpdatableViews out;
    for (const auto& [name, sql] : views) {
        const std::optional<UpdatableView> v = analyzeView(db, name, sql);
        if (!v)
            continue;
        bool made = true;
        for (const QString& trigger : viewTriggers(*v, columnsOf(db, v->base)))
            made = make(trigger) && made;
        if (made)
            out.insert(name.toUpper(), *v);
    }
    run(db, QStringLiteral("RELEASE qz_checks"));
    if (complete)
        *complete = !locked;
    return out;
}

const UpdatableView* viewRead(const QString& select, const UpdatableViews& views) {
    if (views.isEmpty())
        return nullptr;
    const std::optional<QString> source = singleSource(tokenize(select));
    if (!source)
        return nullptr;
    const auto it = views.constFind(source->toUpper());
    return it == views.constEnd() ? nullptr : &*it;
}

bool runAddColumn(sqlite3* db, const QString& sql) {
    static const QSet<QString> notType = {
        QStringLiteral("CONSTRAINT"), QStringLiteral("NOT"),        QStringLiteral("NULL"),
        QStringLiteral("DEFAULT"),    QStringLiteral("PRIMARY"),    QStringLiteral("UNIQUE"),
        QStringLiteral("CHECK"),      QStringLiteral("REFERENCES"), QStringLiteral("COLLATE"),
        QStringLiteral("GENERATED"),  QStringLiteral("AS"),         QStringLiteral("IDENTITY"),
        QStringLiteral("FOREIGN")};
    const QList<Token> t = tokenize(sql);
    if (t.size() < 6 || !isWord(t[0], "ALTER") || !isWord(t[1], "TABLE"))
        return false;
    qsizetype i = 2;
    const std::optional<QString> table = readName(t, i);
    if (!table || i >= t.size() || !isWord(t[i], "ADD"))
        return false;
    ++i;
    if (i < t.size() && isWord(t[i], "COLUMN"))
        ++i;
    if (i >= t.size() || !isName(t[i]) || (t[i].kind == Token::Word && notType.contains(t[i].text)))
        return false; // ADD CONSTRAINT and the like
    const QString column = t[i++].raw;
    QString typeName;
    qsizetype typeEnd = -1;
    for (; i < t.size() && t[i].kind == Token::Word && !notType.contains(t[i].text); ++i) {
        typeName += (typeName.isEmpty() ? QString() : QStringLiteral(" ")) + t[i].text;
        typeEnd = t[i].end;
    }
    if (i < t.size() && isPunct(t[i], u'(')) {
        while (i < t.size() && !(isPunct(t[i], u')') && t[i].depth == 0))
            ++i;
        if (i < t.size())
            typeEnd = t[i++].end;
    }
    bool collated = false, notNull = false, withDefault = false;
    for (; i < t.size(); ++i) {
        if (t[i].depth != 0)
            continue;
        if (isPunct(t[i], u','))
            return false; // several columns: SQLite refuses them on its own
        collated = collated || isWord(t[i], "COLLATE");
        withDefault = withDefault || isWord(t[i], "DEFAULT");
        notNull = notNull || (isWord(t[i], "NOT") && i + 1 < t.size() && isWord(t[i + 1], "NULL"));
    }
    QString statement = sql;
    if (!collated && typeEnd > 0 && isText(adoTypeOfDeclared(typeName).first))
        statement.insert(typeEnd, QStringLiteral(" COLLATE SQLSRV"));
    char* err = nullptr;
    if (sqlite3_exec(db, statement.toUtf8().constData(), nullptr, nullptr, &err) == SQLITE_OK)
        return true;
    const QString message = QString::fromUtf8(err ? err : sqlite3_errmsg(db));
    sqlite3_free(err);
    const int code = sqlite3_extended_errcode(db);
    // SQLite takes such a column into an empty table only, as the server does.
    if (notNull && !withDefault && message.contains(QLatin1String("NOT NULL column")))
        throw sqliteException(SQLITE_ERROR,
                              QString::fromLatin1(kNotNullColumn).arg(column, *table));
    throw sqliteException(code, message);
}

} // namespace ado
