#include "platform/sql/sqlrewrite.h"

#include "platform/sql/batch.h"
#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"
#include "platform/vb/vb.h"

#include <QDate>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QTime>
#include <optional>
#include <vector>

// The rewriting works on a token list; every pass looks only at words,
// punctuation and the shape of literals, never at a literal's inside (but
// for dates, and the object name that OBJECT_ID is given). What no
// pass recognises goes through as written, so an unknown construct fails in
// SQLite with its own message instead of being guessed at.
//
// Functions: LEN, CHARINDEX, GETDATE, MONTH, YEAR and DAY keep their names; the
// engine registers them on every connection with SQL Server's meaning (GETDATE
// follows the injectable clock). CONVERT, LEFT and RIGHT go to the engine's
// CONVERT_..., LEFT_STR and RIGHT_STR (see engine_sqlite.h). ISNULL cannot be
// registered (it is an operator keyword in SQLite): it becomes IFNULL.
//
// Rules, in the order they run:
// - N'text' loses its N; [name] becomes "name".
// - Table hints (with(nolock), WITH (NOLOCK, ROWLOCK), T (NOLOCK)) go away.
// - Owner and database prefixes go: dbo.T, [db].DBO.T, db..T -> T.
// - The server's catalogue after FROM or JOIN (sysobjects, syscolumns,
//   INFORMATION_SCHEMA.TABLES and .COLUMNS), OBJECT_ID('name') and
//   OBJECTPROPERTY(id, 'IsView' | 'IsUserTable' ...) become subqueries of
//   sqlite_master, for the tests of update scripts.
// - SET NOCOUNT ON|OFF becomes nothing.
// - #dd/mm/yyyy# (day first, as the program writes dates) and #yyyy-mm-dd#
//   become 'yyyy-mm-dd hh:mm:ss', the form dates are stored in.
// - ISNULL -> IFNULL, SUBSTRING -> SUBSTR, LEFT/RIGHT -> LEFT_STR/RIGHT_STR,
//   CONVERT and CAST to a whole number, money or a date -> CONVERT_...,
//   VAL(x) -> CAST(x AS NUMERIC), FORMAT(x,'00') and FORMAT(x,'0.00') ->
//   PRINTF; the datepart of DATEADD, DATEDIFF and DATEPART becomes a text.
// - Written values: a text literal that reads as a date (vb::ParseDate), as
//   an INSERT's VALUES item under a column list or an UPDATE's SET value,
//   becomes the stored form when the target column is declared as a date;
//   the server converts it so. Texts for text columns ("dd/mm/yyyy" in
//   AJUSTE_HASTA) stay. A text literal for a whole-number column goes
//   through CONVERT_INT, and a number too long for a double into a money
//   column through CONVERT_MONEY as written. Without the catalogue nothing
//   is written differently.
// - Comparisons (not the "=" of an UPDATE's SET list): a text literal that is
//   a date, compared with a column, becomes the stored form unless the
//   catalogue declares that column, in the statement's tables, as no date (a
//   text column compares as text on the server too); a trimming or
//   cutting function compared with a bare number is cast to NUMERIC, as the
//   server converts the text; otherwise such a function's result gets COLLATE
//   SQLSRV, since SQLite compares function results byte by byte.
// - A 'yyyymmdd' text compared with, or written into, a column that the
//   catalogue declares as a date becomes the stored form (never for other
//   columns: such a text is as often a code).
// - "+" chains holding a text literal (not a number) become "||"; so does a
//   chain whose every operand the catalogue or the tokens show to be text
//   (VARCHAR columns, text literals, trimming and cutting functions). "&" is
//   the server's bitwise AND, as SQLite's: it never joins texts.
// - DELETE T WHERE -> DELETE FROM T WHERE; DELETE * FROM -> DELETE FROM.
// - TOP n -> LIMIT n at the end of its own (sub)select; TOP 100 PERCENT goes.
// Known limits of the catalogue's use: an unqualified column is looked up in
// every table of its statement, subqueries included; a column of a derived
// table or an INSERT ... SELECT is not followed.

namespace sqlrewrite {
namespace {

// Raw: text of our own put in by a pass (a catalogue subquery); later passes
// step over it.
enum class K { Space, Comment, String, Ident, Word, Number, Punct, DateLit, Raw };

struct Tok {
    K k;
    QString t;
    bool assign = false;    // "=" of an UPDATE's SET list
    bool separator = false; // ends a statement of the batch
};
using Toks = std::vector<Tok>;

Tok word(const QString& s) {
    return {K::Word, s};
}
Tok punct(const QString& s) {
    return {K::Punct, s};
}
Tok space() {
    return {K::Space, QStringLiteral(" ")};
}
Tok literal(const QString& content) {
    return {K::String, sqltext::literal(content)};
}

// The tokens of the shared lexer, with [name] written "name"; the batch
// splitter's separators (";", the line break before a statement, GO) mark
// where one statement ends and the next begins.
Toks tokenize(const QString& s) {
    const std::vector<sqltext::Token> lexed = sqltext::lex(s);
    const std::vector<bool> separator = sqltext::separators(s, lexed);
    Toks out;
    out.reserve(lexed.size());
    for (size_t i = 0; i < lexed.size(); ++i) {
        const sqltext::Token& x = lexed[i];
        QString text = x.text(s).toString();
        K kind = K::Punct;
        switch (x.kind) {
        case sqltext::TokenKind::Space:
            kind = K::Space;
            break;
        case sqltext::TokenKind::Comment:
            kind = K::Comment;
            break;
        case sqltext::TokenKind::String:
            kind = K::String;
            break;
        case sqltext::TokenKind::Ident:
            kind = K::Ident;
            if (text.startsWith(QLatin1Char('[')))
                text = sqltext::identifier(sqltext::unquoted(s, x));
            break;
        case sqltext::TokenKind::Word:
            kind = K::Word;
            break;
        case sqltext::TokenKind::Number:
            kind = K::Number;
            break;
        case sqltext::TokenKind::Punct:
            kind = K::Punct;
            break;
        case sqltext::TokenKind::DateLiteral:
            kind = K::DateLit;
            break;
        }
        Tok t{kind, text};
        t.separator = separator[i];
        out.push_back(std::move(t));
    }
    return out;
}

QString join(const Toks& t, int from = 0, int to = -1) {
    QString r;
    if (to < 0)
        to = int(t.size());
    for (int i = from; i < to; ++i)
        r += t[size_t(i)].t;
    return r;
}

// ---- Navigation ---------------------------------------------------------------------

bool sig(const Tok& t) {
    return t.k != K::Space && t.k != K::Comment;
}

int nextSig(const Toks& t, int i) {
    for (int j = i + 1; j < int(t.size()); ++j)
        if (sig(t[size_t(j)]))
            return j;
    return -1;
}

int prevSig(const Toks& t, int i) {
    for (int j = i - 1; j >= 0; --j)
        if (sig(t[size_t(j)]))
            return j;
    return -1;
}

const Tok& at(const Toks& t, int i) {
    static const Tok none{K::Space, QString()};
    return i >= 0 && i < int(t.size()) ? t[size_t(i)] : none;
}

bool isW(const Tok& t, const char* w) {
    return t.k == K::Word && t.t.compare(QLatin1String(w), Qt::CaseInsensitive) == 0;
}
bool isP(const Tok& t, const char* p) {
    return t.k == K::Punct && t.t == QLatin1String(p);
}

bool isKeyword(const Tok& t) {
    static const QSet<QString> kw = {
        "ADD",     "ALL",    "ALTER",       "AND",      "AS",         "ASC",    "BEGIN",
        "BETWEEN", "BY",     "CASE",        "COMMIT",   "CONSTRAINT", "CREATE", "CROSS",
        "DEFAULT", "DELETE", "DESC",        "DISTINCT", "DROP",       "ELSE",   "END",
        "ESCAPE",  "EXCEPT", "EXISTS",      "FROM",     "FULL",       "GROUP",  "HAVING",
        "IF",      "IN",     "INNER",       "INSERT",   "INTERSECT",  "INTO",   "IS",
        "JOIN",    "LIKE",   "LIMIT",       "NOT",      "NULL",       "ON",     "OR",
        "ORDER",   "OUTER",  "PERCENT",     "ROLLBACK", "SELECT",     "SET",    "TABLE",
        "THEN",    "TOP",    "TRANSACTION", "UNION",    "UPDATE",     "VALUES", "WHEN",
        "WHERE",   "WITH"};
    return t.k == K::Word && kw.contains(t.t.toUpper());
}

bool isName(const Tok& t) {
    return (t.k == K::Word && !isKeyword(t)) || t.k == K::Ident;
}

int matchClose(const Toks& t, int open) {
    int d = 0;
    for (int j = open; j < int(t.size()); ++j) {
        if (isP(t[size_t(j)], "("))
            ++d;
        else if (isP(t[size_t(j)], ")") && --d == 0)
            return j;
    }
    return -1;
}

int matchOpen(const Toks& t, int close) {
    int d = 0;
    for (int j = close; j >= 0; --j) {
        if (isP(t[size_t(j)], ")"))
            ++d;
        else if (isP(t[size_t(j)], "(") && --d == 0)
            return j;
    }
    return -1;
}

// A word that calls a function: "LEN (x)", not "T.LEN(" nor "IN (".
int callOpen(const Toks& t, int i) {
    if (t[size_t(i)].k != K::Word || isKeyword(t[size_t(i)]) || isP(at(t, prevSig(t, i)), "."))
        return -1;
    const int o = nextSig(t, i);
    return isP(at(t, o), "(") ? o : -1;
}

void replace(Toks& t, int from, int to, const Toks& with) {
    t.erase(t.begin() + from, t.begin() + to);
    t.insert(t.begin() + from, with.begin(), with.end());
}

Toks slice(const Toks& t, int from, int to) {
    return Toks(t.begin() + from, t.begin() + to);
}

// Arguments of the call whose "(" is at o and ")" at c, blanks around each cut.
std::vector<std::pair<int, int>> arguments(const Toks& t, int o, int c) {
    std::vector<std::pair<int, int>> args;
    int start = o + 1, d = 0;
    for (int j = o + 1; j <= c; ++j) {
        const Tok& x = t[size_t(j)];
        if (isP(x, "("))
            ++d;
        else if (isP(x, ")") && j != c)
            --d;
        if ((j == c || (d == 0 && isP(x, ","))) && !(j == c && start == c && args.empty())) {
            int a = start, b = j;
            while (a < b && !sig(t[size_t(a)]))
                ++a;
            while (b > a && !sig(t[size_t(b - 1)]))
                --b;
            args.push_back({a, b});
            start = j + 1;
        }
    }
    return args;
}

// Where one statement of a batch ends: as the batch splitter cuts it.
bool statementBreak(const Toks& t, int i) {
    return t[size_t(i)].separator;
}

bool startsStatement(const Toks& t, int i) {
    const int p = prevSig(t, i);
    if (p < 0 || isP(t[size_t(p)], ";") || t[size_t(p)].separator)
        return true;
    for (int j = p + 1; j < i; ++j)
        if (t[size_t(j)].k == K::Space && (t[size_t(j)].t.contains(QLatin1Char('\n')) ||
                                           t[size_t(j)].t.contains(QLatin1Char('\r'))))
            return true;
    return false;
}

// ---- Dates --------------------------------------------------------------------------

QString isoText(const QDate& d, const QTime& tm) {
    return d.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') +
           tm.toString(QStringLiteral("HH:mm:ss"));
}

// The parts of a text shaped as a date the server reads, valid or not.
struct DateParts {
    int year, month, day, hour, minute, second;
    QDate date() const { return QDate(year, month, day); }
    QTime time() const { return QTime(hour, minute, second); }
    bool valid() const { return date().isValid() && time().isValid(); }
};

// "dd/mm/yyyy[ hh:mm[:ss[.fff]]]" (day first, as the program writes dates),
// "yyyy-mm-dd[ hh:mm[:ss[.fff]]]" and, when asked, "yyyymmdd[ hh:mm...]".
// The fraction of a second goes: dates are kept to the second.
std::optional<DateParts> dateShape(const QString& text, bool dayFirst, bool iso, bool compact) {
    static const QString time =
        QStringLiteral(R"((?:(?:\s+|T)(\d{1,2}):(\d{2})(?::(\d{2})(?:\.\d{1,3})?)?)?\s*$)");
    static const QRegularExpression dmy(QStringLiteral(R"(^\s*(\d{1,2})[/-](\d{1,2})[/-](\d{4}))") +
                                        time);
    static const QRegularExpression ymd(QStringLiteral(R"(^\s*(\d{4})-(\d{1,2})-(\d{1,2}))") +
                                        time);
    static const QRegularExpression ymdCompact(QStringLiteral(R"(^\s*(\d{4})(\d{2})(\d{2}))") +
                                               time);
    QRegularExpressionMatch m;
    DateParts p{};
    if (dayFirst && (m = dmy.match(text)).hasMatch()) {
        p.day = m.captured(1).toInt();
        p.month = m.captured(2).toInt();
        p.year = m.captured(3).toInt();
    } else if ((iso && (m = ymd.match(text)).hasMatch()) ||
               (compact && (m = ymdCompact.match(text)).hasMatch())) {
        p.year = m.captured(1).toInt();
        p.month = m.captured(2).toInt();
        p.day = m.captured(3).toInt();
    } else {
        return std::nullopt;
    }
    p.hour = m.captured(4).toInt();
    p.minute = m.captured(5).toInt();
    p.second = m.captured(6).toInt();
    return p;
}

// The stored form of "dd/mm/yyyy ..." or "yyyy-mm-dd ..."; empty when the
// text is no such valid date.
QString isoFromText(const QString& text, bool dayFirst, bool iso) {
    const std::optional<DateParts> p = dateShape(text, dayFirst, iso, false);
    return p && p->valid() ? isoText(p->date(), p->time()) : QString();
}

// "yyyymmdd[ hh:mm[:ss]]", the form the server reads as a date whatever the
// login's date order; empty when the text is no such valid date.
QString isoFromCompact(const QString& text) {
    const std::optional<DateParts> p = dateShape(text, false, false, true);
    return p && p->valid() ? isoText(p->date(), p->time()) : QString();
}

QString literalContent(const Tok& t) {
    return t.t.mid(1, t.t.size() - 2).replace(QLatin1String("''"), QLatin1String("'"));
}

// ---- Passes -------------------------------------------------------------------------

void dropNationalPrefix(Toks& t) {
    for (int i = 0; i + 1 < int(t.size()); ++i)
        if (isW(t[size_t(i)], "N") && t[size_t(i + 1)].k == K::String)
            t.erase(t.begin() + i);
}

// "with(nolock)", "WITH ( NOLOCK, ROWLOCK )", and the old "T (NOLOCK)".
void dropTableHints(Toks& t) {
    static const QSet<QString> hints = {"NOLOCK",   "READUNCOMMITTED", "ROWLOCK", "UPDLOCK",
                                        "HOLDLOCK", "READPAST",        "PAGLOCK", "TABLOCK",
                                        "TABLOCKX", "XLOCK",           "NOWAIT"};
    for (int i = 0; i < int(t.size()); ++i) {
        int open;
        if (isW(t[size_t(i)], "WITH")) {
            open = nextSig(t, i);
        } else if (isP(t[size_t(i)], "(") && i > 0 && t[size_t(i - 1)].k == K::Space &&
                   isName(at(t, i - 2))) {
            open = i;
        } else {
            continue;
        }
        if (!isP(at(t, open), "("))
            continue;
        int j = nextSig(t, open), count = 0;
        while (at(t, j).k == K::Word && hints.contains(t[size_t(j)].t.toUpper())) {
            ++count;
            j = nextSig(t, j);
            if (!isP(at(t, j), ","))
                break;
            j = nextSig(t, j);
        }
        if (count == 0 || !isP(at(t, j), ")"))
            continue;
        const int from = (i > 0 && t[size_t(i - 1)].k == K::Space) ? i - 1 : i;
        t.erase(t.begin() + from, t.begin() + j + 1);
        i = from - 1;
    }
}

QString unquoted(const Tok& t) {
    return t.k == K::Ident ? t.t.mid(1, t.t.size() - 2).replace(QLatin1String("\"\""), "\"") : t.t;
}

// "dbo.T", "[db].DBO.T", "db..T", "[db].[dbo].[T]" -> "T".
void stripOwners(Toks& t) {
    for (int i = 0; i < int(t.size()); ++i) {
        if (!isName(t[size_t(i)]) || isP(at(t, i - 1), "."))
            continue;
        // Parts of the dotted chain: index of each part's token, -1 for "..".
        std::vector<int> parts{i};
        int j = i;
        while (isP(at(t, j + 1), ".")) {
            if (isP(at(t, j + 2), ".")) {
                parts.push_back(-1);
                j += 1;
            } else if (isName(at(t, j + 2))) {
                parts.push_back(j + 2);
                j += 2;
            } else {
                break;
            }
        }
        int drop = -1;
        for (int p = 0; p + 1 < int(parts.size()); ++p) {
            const int k = parts[size_t(p)];
            if (k < 0 ||
                unquoted(t[size_t(k)]).compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0)
                drop = p;
        }
        if (drop < 0 || parts[size_t(drop + 1)] < 0)
            continue;
        t.erase(t.begin() + i, t.begin() + parts[size_t(drop + 1)]);
    }
}

// ---- The server's catalogue ----------------------------------------------------------

// The catalogue views that schema scripts test ("IF NOT EXISTS (SELECT * FROM
// sysobjects WHERE name = 'T')"), as subqueries over sqlite_master. Names
// compare as the server's do.
const char* const kSysobjects =
    "(SELECT m.rowid AS id, m.name COLLATE SQLSRV AS name, CASE m.type WHEN 'table' THEN 'U' "
    "WHEN 'view' THEN 'V' ELSE 'TR' END COLLATE SQLSRV AS xtype, CASE m.type WHEN 'table' THEN "
    "'U' WHEN 'view' THEN 'V' ELSE 'TR' END COLLATE SQLSRV AS type FROM sqlite_master m WHERE "
    "m.type IN ('table', 'view', 'trigger') AND substr(m.name, 1, 7) <> 'sqlite_')";
const char* const kSyscolumns =
    "(SELECT m.rowid AS id, c.name COLLATE SQLSRV AS name FROM sqlite_master m JOIN "
    "pragma_table_info(m.name) c WHERE m.type IN ('table', 'view'))";
const char* const kSchemaTables =
    "(SELECT 'dbo' AS TABLE_SCHEMA, m.name COLLATE SQLSRV AS TABLE_NAME, CASE m.type WHEN 'view' "
    "THEN 'VIEW' ELSE 'BASE TABLE' END COLLATE SQLSRV AS TABLE_TYPE FROM sqlite_master m WHERE "
    "m.type IN ('table', 'view') AND substr(m.name, 1, 7) <> 'sqlite_')";
const char* const kSchemaColumns =
    "(SELECT 'dbo' AS TABLE_SCHEMA, m.name COLLATE SQLSRV AS TABLE_NAME, c.name COLLATE SQLSRV "
    "AS COLUMN_NAME, c.cid + 1 AS ORDINAL_POSITION, lower(trim(substr(c.type, 1, instr(c.type || "
    "'(', '(') - 1))) COLLATE SQLSRV AS DATA_TYPE FROM sqlite_master m JOIN "
    "pragma_table_info(m.name) c WHERE m.type IN ('table', 'view') AND substr(m.name, 1, 7) <> "
    "'sqlite_')";

Tok raw(const QString& s) {
    return {K::Raw, s};
}

// 'dbo.T', '[dbo].[T]' -> T: the object named by OBJECT_ID's argument.
QString objectName(const QString& text) {
    QString name = text.section(QLatin1Char('.'), -1).trimmed();
    if (name.startsWith(QLatin1Char('[')) && name.endsWith(QLatin1Char(']')))
        name = name.mid(1, name.size() - 2);
    return name;
}

void mapCatalogue(Toks& t) {
    for (int i = 0; i < int(t.size()); ++i) {
        const Tok& x = t[size_t(i)];
        if (x.k != K::Word && x.k != K::Ident)
            continue;
        const QString name = unquoted(x).toUpper();
        if (const int o = callOpen(t, i); o >= 0) {
            const int c = matchClose(t, o);
            const auto args = c < 0 ? std::vector<std::pair<int, int>>() : arguments(t, o, c);
            if (name == QLatin1String("OBJECT_ID") && !args.empty() &&
                args[0].second == args[0].first + 1 && t[size_t(args[0].first)].k == K::String) {
                const QString object = objectName(literalContent(t[size_t(args[0].first)]));
                replace(
                    t, i, c + 1,
                    {raw(QStringLiteral("(SELECT m.rowid FROM sqlite_master m WHERE m.name = ")),
                     literal(object),
                     raw(QStringLiteral(" COLLATE SQLSRV AND m.type IN ('table', 'view', "
                                        "'trigger'))"))});
            } else if (name == QLatin1String("OBJECTPROPERTY") && args.size() == 2 &&
                       args[1].second == args[1].first + 1 &&
                       t[size_t(args[1].first)].k == K::String) {
                static const QHash<QString, QString> types = {{"ISUSERTABLE", "table"},
                                                              {"ISTABLE", "table"},
                                                              {"ISVIEW", "view"},
                                                              {"ISTRIGGER", "trigger"}};
                const QString type =
                    types.value(literalContent(t[size_t(args[1].first)]).toUpper());
                if (type.isEmpty())
                    continue;
                Toks out{raw(QStringLiteral("(SELECT m.type = '%1' FROM sqlite_master m WHERE "
                                            "m.rowid = ")
                                 .arg(type))};
                out.insert(out.end(), t.begin() + args[0].first, t.begin() + args[0].second);
                out.push_back(raw(QStringLiteral(")")));
                replace(t, i, c + 1, out);
            }
            continue;
        }
        const Tok& before = at(t, prevSig(t, i));
        if (!isW(before, "FROM") && !isW(before, "JOIN"))
            continue;
        const char* view = nullptr;
        QString alias = name.toLower();
        int last = i;
        if (name == QLatin1String("SYSOBJECTS")) {
            view = kSysobjects;
        } else if (name == QLatin1String("SYSCOLUMNS")) {
            view = kSyscolumns;
        } else if (name == QLatin1String("INFORMATION_SCHEMA") && isP(at(t, i + 1), ".") &&
                   (isW(at(t, i + 2), "TABLES") || isW(at(t, i + 2), "COLUMNS"))) {
            last = i + 2;
            view = isW(t[size_t(last)], "TABLES") ? kSchemaTables : kSchemaColumns;
            alias = t[size_t(last)].t.toUpper();
        } else {
            continue;
        }
        Toks out{raw(QString::fromLatin1(view))};
        const Tok& next = at(t, nextSig(t, last));
        if (!isW(next, "AS") && !isName(next)) // the name stays as the alias
            out.insert(out.end(),
                       {space(), {K::Ident, QLatin1Char('"') + alias + QLatin1Char('"')}});
        replace(t, i, last + 1, out);
    }
}

void dropSetNocount(Toks& t) {
    for (int i = 0; i < int(t.size()); ++i) {
        if (!isW(t[size_t(i)], "SET"))
            continue;
        const int a = nextSig(t, i), b = nextSig(t, a);
        if (isW(at(t, a), "NOCOUNT") && (isW(at(t, b), "ON") || isW(at(t, b), "OFF")))
            t.erase(t.begin() + i, t.begin() + b + 1);
    }
}

void convertHashDates(Toks& t) {
    for (Tok& x : t) {
        if (x.k != K::DateLit)
            continue;
        const QString iso = isoFromText(x.t.mid(1, x.t.size() - 2), true, true);
        if (!iso.isEmpty())
            x = literal(iso);
    }
}

Toks castOf(const Toks& expr, const char* type) {
    Toks r{word("CAST"), punct("(")};
    r.insert(r.end(), expr.begin(), expr.end());
    r.insert(r.end(), {space(), word("AS"), space(), word(type), punct(")")});
    return r;
}

Toks callOf(const char* name, const Toks& expr, int style = -1) {
    Toks r{word(name), punct("(")};
    r.insert(r.end(), expr.begin(), expr.end());
    if (style >= 0)
        r.insert(r.end(), {punct(","), space(), {K::Number, QString::number(style)}});
    r.push_back(punct(")"));
    return r;
}

// A declared type's name without its size, in capitals.
QString bareType(const QString& declared) {
    QString name = declared.trimmed().toUpper();
    if (const qsizetype paren = name.indexOf(QLatin1Char('(')); paren >= 0)
        name = name.left(paren).trimmed();
    return name;
}

// The name the server's messages give a whole-number type, or "" for any
// other type.
QString wholeType(const QString& declared) {
    const QString name = bareType(declared);
    if (name == u"INT" || name == u"INTEGER")
        return QStringLiteral("int");
    static const QSet<QString> others = {"SMALLINT", "TINYINT", "BIGINT", "BIT"};
    return others.contains(name) ? name.toLower() : QString();
}

// Digits that matter in a number literal: more than a double holds exactly
// (15) and money's last places would be judged on a rounded value.
int significantDigits(const QString& number) {
    if (number.contains(QLatin1Char('e'), Qt::CaseInsensitive))
        return 0;
    QString digits = number;
    digits.remove(QLatin1Char('.'));
    qsizetype lead = 0;
    while (lead < digits.size() && digits[lead] == u'0')
        ++lead;
    return int(digits.size() - lead);
}

// The text of a number literal with its sign, or "" when expr is more.
QString numberLiteral(const Toks& expr) {
    Toks t;
    for (const Tok& x : expr)
        if (sig(x))
            t.push_back(x);
    if (t.size() == 1 && t[0].k == K::Number)
        return t[0].t;
    if (t.size() == 2 && (isP(t[0], "-") || isP(t[0], "+")) && t[1].k == K::Number)
        return t[0].t + t[1].t;
    return {};
}

// name(expr, 'type'): the engine's conversions name the type in their messages.
Toks typedCallOf(const char* name, const Toks& expr, const QString& type) {
    Toks r{word(name), punct("(")};
    r.insert(r.end(), expr.begin(), expr.end());
    r.insert(r.end(), {punct(","), space(), literal(type), punct(")")});
    return r;
}

// expr converted to `type` (in capitals) by the engine's CONVERT_INT,
// CONVERT_FLOAT, CONVERT_MONEY, CONVERT_TEXT or CONVERT_DATETIME, which keep
// the server's rules (a text that is no number fails); a literal date
// becomes an ISO literal. False for a type they do not convert to.
bool conversion(const QString& type, const QString& length, const Toks& expr, int style,
                Toks& out) {
    static const QSet<QString> texts = {"VARCHAR", "NVARCHAR", "CHAR", "NCHAR", "TEXT", "NTEXT"};
    if (const QString whole = wholeType(type); !whole.isEmpty()) {
        out = typedCallOf("CONVERT_INT", expr, whole);
    } else if (type == u"NUMERIC" || type == u"DECIMAL") {
        out = typedCallOf("CONVERT_FLOAT", expr, QStringLiteral("numeric"));
    } else if (type == u"FLOAT" || type == u"REAL") {
        out = typedCallOf("CONVERT_FLOAT", expr, type.toLower());
    } else if (type == u"MONEY" || type == u"SMALLMONEY") {
        // A literal with more digits than a double holds is judged as written.
        const QString number = numberLiteral(expr);
        out = typedCallOf("CONVERT_MONEY",
                          significantDigits(number) > 15 ? Toks{literal(number)} : expr,
                          type.toLower());
    } else if (texts.contains(type)) {
        out = callOf("CONVERT_TEXT", expr, style);
        if (!length.isEmpty()) { // the server cuts the text to the declared length
            Toks cut{word("SUBSTR"), punct("(")};
            cut.insert(cut.end(), out.begin(), out.end());
            cut.insert(cut.end(), {punct(","),
                                   space(),
                                   {K::Number, "1"},
                                   punct(","),
                                   space(),
                                   {K::Number, length},
                                   punct(")")});
            out = cut;
        }
    } else if (isDateType(type)) {
        // Without a style the server reads day first (the Spanish date format).
        const bool dayFirst = style < 0 || style == 103;
        const bool iso = style < 0 || style == 103 || style == 120 || style == 121 || style == 23;
        const bool lone = expr.size() == 1 && expr[0].k == K::String;
        QString v = lone ? isoFromText(literalContent(expr[0]), dayFirst, iso) : QString();
        if (v.isEmpty() && lone && (style < 0 || style == 112))
            v = isoFromCompact(literalContent(expr[0]));
        out = v.isEmpty() ? callOf("CONVERT_DATETIME", expr, style) : Toks{literal(v)};
    } else {
        return false;
    }
    return true;
}

// CONVERT(type, expr[, style]) -> conversion(); false leaves the call as
// written.
bool convertCall(const Toks& t, int o, int c, Toks& out) {
    const auto args = arguments(t, o, c);
    if (args.size() < 2 || args.size() > 3)
        return false;
    const auto [ta, tb] = args[0];
    if (tb <= ta || t[size_t(ta)].k != K::Word)
        return false;
    const QString type = t[size_t(ta)].t.toUpper();
    QString length;
    if (tb > ta + 1) { // "(n)" or "(MAX)" or "(p,s)"
        const int lo = nextSig(t, ta);
        if (!isP(at(t, lo), "(") || matchClose(t, lo) != tb - 1)
            return false;
        const int v = nextSig(t, lo);
        if (at(t, v).k == K::Number && nextSig(t, v) == tb - 1)
            length = t[size_t(v)].t;
    }
    int style = -1;
    if (args.size() == 3) {
        const auto [sa, sb] = args[2];
        if (sb != sa + 1 || t[size_t(sa)].k != K::Number)
            return false;
        style = t[size_t(sa)].t.toInt();
    }
    const Toks expr = slice(t, args[1].first, args[1].second);
    return !expr.empty() && conversion(type, length, expr, style, out);
}

// CAST(expr AS type): to a whole number, money or a date as CONVERT converts
// (SQLite's own CAST reads '12.7' as 12 and 'abc' as 0, and '20240315' AS
// DATETIME as a number). Other types are left to SQLite, whose CAST the
// rewriting itself writes for numeric readings.
bool castCall(const Toks& t, int o, int c, Toks& out) {
    int as = -1, depth = 0;
    for (int j = o + 1; j < c; ++j) {
        if (isP(t[size_t(j)], "("))
            ++depth;
        else if (isP(t[size_t(j)], ")"))
            --depth;
        else if (depth == 0 && isW(t[size_t(j)], "AS"))
            as = j;
    }
    if (as < 0)
        return false;
    const int ta = nextSig(t, as);
    if (at(t, ta).k != K::Word)
        return false;
    const QString type = t[size_t(ta)].t.toUpper();
    if (wholeType(type).isEmpty() && type != u"MONEY" && type != u"SMALLMONEY" && !isDateType(type))
        return false;
    const int a = nextSig(t, o), b = prevSig(t, as) + 1;
    return a > o && a < b && conversion(type, QString(), slice(t, a, b), -1, out);
}

// DATEADD(day, ...): the server's datepart is a bare word, which SQLite
// would take for a column; the engine's functions get it as a text.
void quoteDatePart(Toks& t, int o, int c) {
    const auto args = arguments(t, o, c);
    if (args.empty() || args[0].second != args[0].first + 1)
        return;
    Tok& part = t[size_t(args[0].first)];
    if (part.k == K::Word || part.k == K::Ident)
        part = literal(unquoted(part).toLower());
}

// FORMAT(x, '0000') or FORMAT(x, '0.00'): zero-padded numbers.
bool formatCall(const Toks& t, int o, int c, Toks& out) {
    const auto args = arguments(t, o, c);
    if (args.size() != 2 || args[1].second != args[1].first + 1)
        return false;
    const Tok& pat = t[size_t(args[1].first)];
    static const QRegularExpression zeros(QStringLiteral(R"(^(0+)(?:\.(0+))?$)"));
    const auto m = zeros.match(pat.k == K::String ? literalContent(pat) : QString());
    if (!m.hasMatch())
        return false;
    const qsizetype whole = m.captured(1).size(), dec = m.captured(2).size();
    const QString f = QLatin1String("%0") + QString::number(whole + (dec ? dec + 1 : 0)) +
                      QLatin1Char('.') + QString::number(dec) + QLatin1Char('f');
    out = {word("PRINTF"), punct("("), literal(f), punct(","), space()};
    out.insert(out.end(), t.begin() + args[0].first, t.begin() + args[0].second);
    out.push_back(punct(")"));
    return true;
}

void rewriteFunctions(Toks& t) {
    for (int i = 0; i < int(t.size()); ++i) {
        const int o = callOpen(t, i);
        if (o < 0)
            continue;
        const QString name = t[size_t(i)].t.toUpper();
        if (name == QLatin1String("ISNULL")) {
            t[size_t(i)].t = QStringLiteral("IFNULL");
            continue;
        }
        if (name == QLatin1String("SUBSTRING")) {
            t[size_t(i)].t = QStringLiteral("SUBSTR");
            continue;
        }
        if (name == QLatin1String("LEFT") || name == QLatin1String("RIGHT")) {
            t[size_t(i)].t = name + QLatin1String("_STR"); // SQLite keeps the words for joins
            continue;
        }
        const int c = matchClose(t, o);
        if (c < 0)
            continue;
        Toks out;
        bool done = false;
        if (name == QLatin1String("CONVERT")) {
            done = convertCall(t, o, c, out);
        } else if (name == QLatin1String("CAST")) {
            done = castCall(t, o, c, out);
        } else if (name == QLatin1String("DATEADD") || name == QLatin1String("DATEDIFF") ||
                   name == QLatin1String("DATEPART")) {
            quoteDatePart(t, o, c);
        } else if (name == QLatin1String("FORMAT")) {
            done = formatCall(t, o, c, out);
        } else if (name == QLatin1String("VAL")) {
            // Access's leading-number reading; a numeric cast reads the same way.
            const auto args = arguments(t, o, c);
            if (args.size() == 1 && args[0].second > args[0].first) {
                out = castOf(slice(t, args[0].first, args[0].second), "NUMERIC");
                done = true;
            }
        }
        if (done)
            replace(t, i, c + 1, out); // rescanned from i: nested calls are rewritten too
    }
}

// Marks the "=" of UPDATE ... SET a = x, b = y: assignments, not comparisons.
void markAssignments(Toks& t) {
    int depth = 0, setDepth = -1;
    bool update = false;
    for (int i = 0; i < int(t.size()); ++i) {
        Tok& x = t[size_t(i)];
        if (statementBreak(t, i)) {
            update = false;
            setDepth = -1;
        }
        if (!sig(x))
            continue;
        if (isW(x, "UPDATE") && startsStatement(t, i))
            update = true;
        if (isP(x, "("))
            ++depth;
        else if (isP(x, ")") && --depth < setDepth)
            setDepth = -1;
        else if (update && setDepth < 0 && isW(x, "SET"))
            setDepth = depth;
        else if (depth == setDepth && (isW(x, "WHERE") || isW(x, "FROM")))
            setDepth = -1;
        else if (depth == setDepth && isP(x, "="))
            x.assign = true;
    }
}

bool isComparison(const Tok& x) {
    static const QSet<QString> ops = {"=", "<>", "!=", "<", ">", "<=", ">=", "!<", "!>"};
    return x.k == K::Punct && !x.assign && ops.contains(x.t);
}

bool isArithmetic(const Tok& x) {
    static const QSet<QString> ops = {"+", "-", "*", "/", "%", "||", "&"};
    return x.k == K::Punct && ops.contains(x.t);
}

// The last token of a column reference ("FECHA", "b.[Fecha Desde]").
bool columnEndsAt(const Toks& t, int i) {
    return isName(at(t, i)) && !isW(at(t, prevSig(t, i)), "COLLATE");
}
bool columnStartsAt(const Toks& t, int i) {
    return isName(at(t, i)) && !isP(at(t, nextSig(t, i)), "(");
}

// First and last token of the column reference that ends or starts at i.
int columnFirst(const Toks& t, int i) {
    while (isP(at(t, i - 1), ".") && isName(at(t, i - 2)))
        i -= 2;
    return i;
}
int columnLast(const Toks& t, int i) {
    while (isP(at(t, i + 1), ".") && isName(at(t, i + 2)))
        i += 2;
    return i;
}

// ---- Declared types -----------------------------------------------------------------

enum class Kind { Unknown, Text, Number, Date };

Kind kindOfType(const QString& declaredType) {
    QString name = declaredType.trimmed().toUpper();
    if (const qsizetype paren = name.indexOf(QLatin1Char('(')); paren >= 0)
        name = name.left(paren).trimmed();
    static const QSet<QString> texts = {"CHAR", "VARCHAR", "NCHAR", "NVARCHAR", "TEXT", "NTEXT"};
    static const QSet<QString> numbers = {"INT",     "INTEGER", "SMALLINT", "TINYINT",
                                          "BIGINT",  "BIT",     "MONEY",    "SMALLMONEY",
                                          "DECIMAL", "NUMERIC", "FLOAT",    "REAL"};
    if (texts.contains(name))
        return Kind::Text;
    if (numbers.contains(name))
        return Kind::Number;
    return isDateType(name) ? Kind::Date : Kind::Unknown;
}

// The catalogue as the date and "+" rules need it: asked only when a literal
// reads as a date or a column stands by a "+", once per table and statement.
class Schema {
public:
    Schema(const Toks& t, const TableColumns& columnsOf) : t_(t), columnsOf_(columnsOf) {}

    const QList<DeclaredColumn>& columns(const QString& table) {
        const QString key = table.toUpper();
        auto it = cache_.find(key);
        if (it == cache_.end())
            it = cache_.insert(key, columnsOf_ ? columnsOf_(table) : QList<DeclaredColumn>());
        return *it;
    }

    std::optional<QString> typeOf(const QString& table, const QString& column) {
        for (const DeclaredColumn& c : columns(table))
            if (c.name.compare(column, Qt::CaseInsensitive) == 0)
                return c.type;
        return std::nullopt;
    }

    // The table that a name stands for in the statement around token i: an
    // alias of the statement, else the name itself.
    QString tableNamed(const QString& name, int i) const {
        for (const Ref& r : refsAround(i))
            if (r.alias.compare(name, Qt::CaseInsensitive) == 0)
                return r.table;
        return name;
    }

    bool holdsDates(const QString& table, const QString& column) {
        const std::optional<QString> type = typeOf(table, column);
        return type && isDateType(*type);
    }

    // False only when the statement's tables declare the column (tokens
    // first..last, "b.FECHA" or "FECHA") and none of them as a date or
    // without a type.
    bool mayHoldDates(int first, int last) {
        if (!columnsOf_)
            return true;
        const std::vector<QString> types = declaredTypes(first, last);
        for (const QString& type : types)
            if (type.trimmed().isEmpty() || isDateType(type))
                return true;
        return types.empty();
    }

    // True only when the statement's tables declare the column, and all of
    // them as a date.
    bool declaresDates(int first, int last) {
        const std::vector<QString> types = declaredTypes(first, last);
        for (const QString& type : types)
            if (!isDateType(type))
                return false;
        return !types.empty();
    }

    // What the column first..last holds by its declaration; Unknown when
    // undeclared, or declared differently by two tables of the statement.
    Kind kindOf(int first, int last) {
        std::optional<Kind> kind;
        for (const QString& type : declaredTypes(first, last)) {
            const Kind k = kindOfType(type);
            if (kind && *kind != k)
                return Kind::Unknown;
            kind = k;
        }
        return kind.value_or(Kind::Unknown);
    }

private:
    struct Ref {
        QString table;
        QString alias;
    };

    // The declared types of the column first..last in the tables of its
    // statement that have it (matching the qualifier when there is one).
    std::vector<QString> declaredTypes(int first, int last) {
        std::vector<QString> types;
        if (!columnsOf_)
            return types;
        const QString column = unquoted(t_[size_t(last)]);
        const QString qualifier = last - 2 >= first ? unquoted(t_[size_t(last - 2)]) : QString();
        for (const Ref& r : refsAround(last))
            if (qualifier.isEmpty() || r.alias.compare(qualifier, Qt::CaseInsensitive) == 0 ||
                r.table.compare(qualifier, Qt::CaseInsensitive) == 0)
                if (const std::optional<QString> type = typeOf(r.table, column))
                    types.push_back(*type);
        return types;
    }

    static bool isAlias(const Tok& x) {
        return isName(x) && !isW(x, "LEFT") && !isW(x, "RIGHT") && !isW(x, "NATURAL");
    }

    // Tables named after FROM (a comma list), JOIN, UPDATE, INTO and DELETE in
    // the statement that holds token i, with their aliases.
    std::vector<Ref> refsAround(int i) const {
        const Toks& t = t_;
        int s = i, e = i;
        while (s > 0 && !statementBreak(t, s - 1))
            --s;
        while (e < int(t.size()) && !statementBreak(t, e))
            ++e;
        std::vector<Ref> refs;
        for (int k = s; k < e; ++k) {
            const Tok& x = t[size_t(k)];
            const bool list = isW(x, "FROM");
            if (!list && !isW(x, "JOIN") && !isW(x, "UPDATE") && !isW(x, "INTO") &&
                !isW(x, "DELETE"))
                continue;
            int j = nextSig(t, k);
            while (j >= 0 && j < e && isName(t[size_t(j)])) {
                j = columnLast(t, j);
                if (isP(at(t, nextSig(t, j)), "(") && !isW(x, "INTO"))
                    break; // a function, not a table
                Ref r{unquoted(t[size_t(j)]), QString()};
                int n = nextSig(t, j);
                if (isW(at(t, n), "AS"))
                    n = nextSig(t, n);
                if (isAlias(at(t, n))) {
                    r.alias = unquoted(t[size_t(n)]);
                    n = nextSig(t, n);
                }
                refs.push_back(r);
                if (!list || !isP(at(t, n), ","))
                    break;
                j = nextSig(t, n);
            }
        }
        return refs;
    }

    const Toks& t_;
    const TableColumns& columnsOf_;
    QHash<QString, QList<DeclaredColumn>> cache_;
};

// A literal compared with the column first..last becomes the stored form of
// the date it reads as, unless the column is declared as no date.
// `fromMidnight`: the column is compared as ">= lit" or "< lit". A bare day
// that another program stored sorts right before its own midnight, so such a
// bound at midnight is written as the bare day: both forms fall on the same
// side of it, as on the server.
void convertComparedDate(Toks& t, int lit, int first, int last, Schema& schema,
                         bool fromMidnight = false) {
    if (at(t, lit).k != K::String)
        return;
    // Also "yyyy-mm-dd" alone: stored values carry the time, and SQL Server
    // reads the bare day as its midnight.
    const QString text = literalContent(t[size_t(lit)]);
    const QString iso = isoFromText(text, true, true);
    auto stored = [&](const QString& v) {
        const bool bare = fromMidnight && v.endsWith(QLatin1String(" 00:00:00")) &&
                          schema.declaresDates(first, last);
        return literal(bare ? v.left(10) : v);
    };
    if (!iso.isEmpty() && schema.mayHoldDates(first, last)) {
        t[size_t(lit)] = stored(iso);
        return;
    }
    // "20231231" is as often a code as a date: only a column declared as a
    // date makes it one.
    const QString compact = isoFromCompact(text);
    if (!compact.isEmpty() && schema.declaresDates(first, last))
        t[size_t(lit)] = stored(compact);
}

// ---- Written dates ------------------------------------------------------------------

// The stored form of a literal that the server would read as a date, or "".
QString writtenDate(const Tok& x) {
    if (x.k != K::String)
        return {};
    const std::optional<QDateTime> d = vb::ParseDate(literalContent(x));
    return d ? d->toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))
             : isoFromCompact(literalContent(x));
}

// The last token of a lone written value that starts at v: a literal, or a
// number with its sign; -1 for anything else.
int loneValueEnd(const Toks& t, int v) {
    const Tok& x = at(t, v);
    if (x.k == K::String || x.k == K::Number)
        return v;
    const int n = nextSig(t, v);
    return (isP(x, "-") || isP(x, "+")) && at(t, n).k == K::Number ? n : -1;
}

// Whether the value v..e is alone in its SET item: what follows ends the
// item or the statement.
bool loneSetValue(const Toks& t, int e) {
    const int n = nextSig(t, e);
    if (n < 0)
        return true;
    for (int j = e + 1; j < n; ++j)
        if (statementBreak(t, j))
            return true;
    const Tok& x = t[size_t(n)];
    return isP(x, ",") || isP(x, ";") || isW(x, "WHERE") || isW(x, "FROM");
}

// The value v..e written into `declared`, as the server converts it on the
// way in: a date text into a date column in the stored form (one naming no
// day refused); a text into a
// whole-number column through the server's conversion, which refuses
// '12.7' whole (SQLite would store 12.7, and a check after it sees only the
// number); a number with more digits than a double holds into a money column
// judged as written. Returns the tokens it puts in place of v..e, if any.
std::optional<Toks> writtenValue(const Toks& t, int v, int e, const QString& declared) {
    const Tok& x = t[size_t(v)];
    if (x.k == K::String && isDateType(declared)) {
        // A date that names no day is refused as the server refuses it:
        // '20240230' would reach the column's checks as a number.
        const QString iso = writtenDate(x);
        if (!iso.isEmpty())
            return Toks{literal(iso)};
        if (impossibleDate(literalContent(x)))
            return callOf("CONVERT_DATETIME", {x});
        return std::nullopt;
    }
    if (x.k == K::String) {
        const QString type = wholeType(declared);
        if (type.isEmpty())
            return std::nullopt;
        return Toks{word("CONVERT_INT"), punct("("), x, punct(","), space(),
                    literal(type),       punct(")")};
    }
    const QString name = bareType(declared);
    if (t[size_t(e)].k == K::Number && name == u"MONEY" && significantDigits(t[size_t(e)].t) > 15)
        return Toks{word("CONVERT_MONEY"),
                    punct("("),
                    literal(v == e ? x.t : x.t + t[size_t(e)].t),
                    punct(","),
                    space(),
                    literal(QStringLiteral("money")),
                    punct(")")};
    return std::nullopt;
}

// INSERT INTO T (cols) VALUES (...)[, (...)] and UPDATE T SET col = ...:
// lone values go into their columns as the server converts them
// (writtenValue).
void convertWrittenValues(Toks& t, Schema& schema) {
    auto typeOf = [&](const QString& table, const QString& column) {
        return schema.typeOf(table, column).value_or(QString());
    };
    for (int i = 0; i < int(t.size()); ++i) {
        const bool insert = isW(t[size_t(i)], "INSERT");
        if ((!insert && !isW(t[size_t(i)], "UPDATE")) || !startsStatement(t, i))
            continue;
        int j = nextSig(t, i);
        if (insert && isW(at(t, j), "INTO"))
            j = nextSig(t, j);
        if (!isName(at(t, j)))
            continue;
        j = columnLast(t, j);
        const QString table = schema.tableNamed(unquoted(t[size_t(j)]), j);
        if (!insert) {
            for (int k = j + 1; k < int(t.size()) && !statementBreak(t, k); ++k) {
                if (!t[size_t(k)].assign)
                    continue;
                const int col = prevSig(t, k), v = nextSig(t, k), e = loneValueEnd(t, v);
                if (!isName(at(t, col)) || e < 0 || !loneSetValue(t, e))
                    continue;
                if (const auto with =
                        writtenValue(t, v, e, typeOf(table, unquoted(t[size_t(col)])))) {
                    replace(t, v, e + 1, *with);
                    k = v + int(with->size()) - 1;
                }
            }
            continue;
        }
        int k = nextSig(t, j);
        if (!isP(at(t, k), "("))
            continue; // no column list: left as written
        const int close = matchClose(t, k);
        if (close < 0)
            continue;
        QStringList cols;
        for (const auto& [a, b] : arguments(t, k, close))
            cols << (b == a + 1 && isName(t[size_t(a)]) ? unquoted(t[size_t(a)]) : QString());
        k = nextSig(t, close);
        if (!isW(at(t, k), "VALUES"))
            continue;
        for (int o = nextSig(t, k); isP(at(t, o), "(");) {
            if (matchClose(t, o) < 0)
                break;
            // Backwards, so that a replaced item leaves the places of the
            // ones before it.
            const auto items = arguments(t, o, matchClose(t, o));
            for (size_t n = std::min(items.size(), size_t(cols.size())); n-- > 0;) {
                const auto [a, b] = items[n];
                if (cols[qsizetype(n)].isEmpty() || b <= a || loneValueEnd(t, a) != b - 1)
                    continue;
                if (const auto with = writtenValue(t, a, b - 1, typeOf(table, cols[qsizetype(n)])))
                    replace(t, a, b, *with);
            }
            const int c = matchClose(t, o);
            if (c < 0)
                break;
            o = nextSig(t, c);
            if (!isP(at(t, o), ","))
                break;
            o = nextSig(t, o);
        }
    }
}

// A number literal, with its sign: the index of its last token, or -1.
int numberAt(const Toks& t, int i) {
    if (at(t, i).k == K::Number)
        return i;
    if (isP(at(t, i), "-") && at(t, i + 1).k == K::Number)
        return i + 1;
    return -1;
}

// The engine's collation of text columns: letter case and trailing blanks
// do not count, as in the server's default collation.
const char* const kServerCollation = "SQLSRV";

bool isTextFunction(const Tok& x) {
    static const QSet<QString> f = {"LTRIM",    "RTRIM",     "TRIM",        "SUBSTRING",
                                    "SUBSTR",   "REPLACE",   "UPPER",       "LOWER",
                                    "LEFT_STR", "RIGHT_STR", "CONVERT_TEXT"};
    return x.k == K::Word && f.contains(x.t.toUpper());
}

// SQL Server compares a text with a number as numbers; SQLite orders every
// number before every text, so a trimmed text operand is made numeric first.
// Dates written day first in a comparison with a column are read as dates.
// Trimmed or cut texts compare without regard to case, as columns do.
void adaptComparisons(Toks& t, Schema& schema) {
    for (int i = 0; i < int(t.size()); ++i) {
        const Tok& op = t[size_t(i)];
        if (isW(op, "BETWEEN") && columnEndsAt(t, prevSig(t, i))) {
            const int last = prevSig(t, i), first = columnFirst(t, last);
            const int a = nextSig(t, i), andW = nextSig(t, a), b = nextSig(t, andW);
            if (isW(at(t, andW), "AND") && at(t, a).k == K::String && at(t, b).k == K::String) {
                convertComparedDate(t, a, first, last, schema, true);
                convertComparedDate(t, b, first, last, schema);
            }
            continue;
        }
        if (!isComparison(op))
            continue;
        const int l = prevSig(t, i), r = nextSig(t, i);
        if (l < 0 || r < 0)
            continue;
        // "col >= x", "col < x", and the same written the other way round.
        const bool lower = op.t == u">=" || op.t == u"!<" || op.t == u"<";
        const bool upper = op.t == u"<=" || op.t == u"!>" || op.t == u">";
        if (columnEndsAt(t, l))
            convertComparedDate(t, r, columnFirst(t, l), l, schema, lower);
        else if (columnStartsAt(t, r))
            convertComparedDate(t, l, r, columnLast(t, r), schema, upper);

        const int rn = numberAt(t, r);
        if (rn >= 0 && !isArithmetic(at(t, nextSig(t, rn))) && isP(t[size_t(l)], ")")) {
            const int o = matchOpen(t, l), f = prevSig(t, o);
            if (o >= 0 && f >= 0 && isTextFunction(t[size_t(f)]) && callOpen(t, f) == o &&
                !isArithmetic(at(t, prevSig(t, f)))) {
                const Toks cast = castOf(slice(t, f, l + 1), "NUMERIC");
                const int grown = int(cast.size()) - (l + 1 - f);
                replace(t, f, l + 1, cast);
                i += grown;
            }
        } else if (at(t, l).k == K::Number && !isArithmetic(at(t, prevSig(t, l))) &&
                   isTextFunction(t[size_t(r)])) {
            const int o = callOpen(t, r), c = o < 0 ? -1 : matchClose(t, o);
            if (c >= 0 && !isArithmetic(at(t, nextSig(t, c))))
                replace(t, r, c + 1, castOf(slice(t, r, c + 1), "NUMERIC"));
        }

        // A function's result has no collation in SQLite (it would compare
        // byte by byte): ask for the server's comparison explicitly.
        const Toks collate{space(), word("COLLATE"), space(), word(kServerCollation)};
        const int l2 = prevSig(t, i);
        if (isP(at(t, l2), ")")) {
            const int o = matchOpen(t, l2), f = prevSig(t, o);
            if (o >= 0 && f >= 0 && isTextFunction(t[size_t(f)]) && callOpen(t, f) == o &&
                !isArithmetic(at(t, prevSig(t, f)))) {
                t.insert(t.begin() + l2 + 1, collate.begin(), collate.end());
                i += int(collate.size());
            }
        }
        const int r2 = nextSig(t, i);
        if (isTextFunction(at(t, r2))) {
            const int o = callOpen(t, r2), c = o < 0 ? -1 : matchClose(t, o);
            const Tok& after = at(t, nextSig(t, c));
            if (c >= 0 && !isArithmetic(after) && !isW(after, "COLLATE"))
                t.insert(t.begin() + c + 1, collate.begin(), collate.end());
        }
    }
}

// ---- Concatenation ------------------------------------------------------------------

// First token of the operand that ends at i, or -1.
int operandStart(const Toks& t, int i) {
    const Tok& x = at(t, i);
    int s;
    if (isP(x, ")")) {
        s = matchOpen(t, i);
        if (s < 0)
            return -1;
        const int f = prevSig(t, s);
        if (f >= 0 && callOpen(t, f) == s)
            s = f;
    } else if (x.k == K::String || x.k == K::Number || isName(x)) {
        s = i;
    } else {
        return -1;
    }
    while (isP(at(t, s - 1), ".") && isName(at(t, s - 2)))
        s -= 2;
    return s;
}

// Last token of the operand that starts at i, or -1.
int operandEnd(const Toks& t, int i) {
    const Tok& x = at(t, i);
    int e;
    if (isP(x, "(")) {
        e = matchClose(t, i);
    } else if (x.k == K::String || x.k == K::Number) {
        e = i;
    } else if (isName(x)) {
        e = i;
        while (isP(at(t, e + 1), ".") && isName(at(t, e + 2)))
            e += 2;
        if (const int o = callOpen(t, e); o >= 0)
            e = matchClose(t, o);
    } else {
        return -1;
    }
    return e;
}

bool isOp(const Tok& x, const QString& sym) {
    return x.k == K::Punct && x.t == sym;
}

bool looksNumeric(const QString& s) {
    bool ok = false;
    s.trimmed().toDouble(&ok);
    return ok;
}

// What the operand first..last gives, as far as the tokens and the catalogue
// tell: a literal, a column, or a call of a function whose result is known.
Kind operandKind(const Toks& t, int first, int last, Schema& schema) {
    const Tok& x = t[size_t(first)];
    if (first == last && x.k == K::String)
        return Kind::Text;
    if (first == last && x.k == K::Number)
        return Kind::Number;
    const int o = x.k == K::Word ? callOpen(t, first) : -1;
    if (o < 0)
        return isName(t[size_t(last)]) && columnFirst(t, last) == first ? schema.kindOf(first, last)
                                                                        : Kind::Unknown;
    if (matchClose(t, o) != last)
        return Kind::Unknown;
    if (isTextFunction(x))
        return Kind::Text;
    static const QSet<QString> numbers = {
        "LEN",   "CHARINDEX", "YEAR",          "MONTH",         "DAY",      "CONVERT_INT", "ABS",
        "ROUND", "COUNT",     "CONVERT_FLOAT", "CONVERT_MONEY", "DATEDIFF", "DATEPART"};
    const QString name = x.t.toUpper();
    if (numbers.contains(name))
        return Kind::Number;
    if (name == QLatin1String("IFNULL") || name == QLatin1String("COALESCE")) {
        // The server types the result after its first argument.
        const auto args = arguments(t, o, last);
        return args.empty() || args[0].second <= args[0].first
                   ? Kind::Unknown
                   : operandKind(t, args[0].first, args[0].second - 1, schema);
    }
    return Kind::Unknown;
}

// SQL Server's "+" joins texts; SQLite's operator is "||".
// A chain of operands joined by the same operator is taken as text when one of
// them is a text literal that is no number ('5' + 1 is 6 in SQL Server), or
// when every operand is known to be text (two VARCHAR columns join as well).
void rewriteConcatenation(Toks& t, Schema& schema) {
    std::vector<bool> seen(t.size(), false);
    for (int i = 0; i < int(t.size()); ++i) {
        const Tok& op = t[size_t(i)];
        if (seen[size_t(i)] || !isP(op, "+"))
            continue;
        const QString sym = op.t;
        std::vector<int> ops{i};
        std::vector<std::pair<int, int>> operands;
        int ls = operandStart(t, prevSig(t, i)), re = operandEnd(t, nextSig(t, i));
        if (ls < 0 || re < 0)
            continue;
        operands.push_back({ls, prevSig(t, i)});
        operands.push_back({nextSig(t, i), re});
        for (int p = prevSig(t, ls); isOp(at(t, p), sym); p = prevSig(t, ls)) {
            const int s = operandStart(t, prevSig(t, p));
            if (s < 0)
                break;
            ops.push_back(p);
            operands.push_back({s, prevSig(t, p)});
            ls = s;
        }
        for (int n = nextSig(t, re); isOp(at(t, n), sym); n = nextSig(t, re)) {
            const int e = operandEnd(t, nextSig(t, n));
            if (e < 0)
                break;
            ops.push_back(n);
            operands.push_back({nextSig(t, n), e});
            re = e;
        }
        for (int p : ops)
            seen[size_t(p)] = true;
        bool text = false;
        for (const auto& [a, b] : operands) {
            const Tok& x = t[size_t(a)];
            if (a == b && x.k == K::String && !looksNumeric(literalContent(x)))
                text = true;
        }
        if (!text) {
            text = true;
            for (const auto& [a, b] : operands)
                if (operandKind(t, a, b, schema) != Kind::Text) {
                    text = false;
                    break;
                }
        }
        // Operators that bind tighter than "+" in SQL Server but looser than
        // "||" in SQLite would regroup the chain: leave such a chain alone.
        const Tok& before = at(t, prevSig(t, ls));
        const Tok& after = at(t, nextSig(t, re));
        if (!text || isArithmetic(before) || isP(after, "*") || isP(after, "/") || isP(after, "%"))
            continue;
        for (int p : ops)
            t[size_t(p)].t = QStringLiteral("||");
    }
}

// ---- DELETE -------------------------------------------------------------------------

// "DELETE T WHERE ..." -> "DELETE FROM T WHERE ..."; "DELETE * FROM" -> "DELETE FROM".
void adaptDeletes(Toks& t) {
    for (int i = 0; i < int(t.size()); ++i) {
        if (!isW(t[size_t(i)], "DELETE") || !startsStatement(t, i))
            continue;
        const int n = nextSig(t, i);
        if (isP(at(t, n), "*") && isW(at(t, nextSig(t, n)), "FROM")) {
            int e = n + 1;
            while (e < int(t.size()) && !sig(t[size_t(e)]))
                ++e;
            t.erase(t.begin() + n, t.begin() + e);
        } else if (isName(at(t, n))) {
            int e = n;
            while (isP(at(t, e + 1), ".") && isName(at(t, e + 2)))
                e += 2;
            if (isW(at(t, nextSig(t, e)), "FROM")) // "DELETE T FROM T ..." left as written
                continue;
            t.insert(t.begin() + n, {word("FROM"), space()});
        }
    }
}

// ---- TOP ----------------------------------------------------------------------------

bool isCompound(const Tok& x) {
    return isW(x, "UNION") || isW(x, "EXCEPT") || isW(x, "INTERSECT");
}

// "SELECT [DISTINCT] TOP n ..." -> "SELECT [DISTINCT] ... LIMIT n" at the end of
// that (sub)select; "TOP 100 PERCENT" is dropped. A member of a UNION becomes a
// subquery, since SQLite takes LIMIT only at the end of the whole compound.
void rewriteTop(Toks& t) {
    for (int s = int(t.size()) - 1; s >= 0; --s) {
        if (!isW(t[size_t(s)], "SELECT"))
            continue;
        int a = nextSig(t, s);
        if (isW(at(t, a), "DISTINCT") || isW(at(t, a), "ALL"))
            a = nextSig(t, a);
        if (!isW(at(t, a), "TOP"))
            continue;
        int v = nextSig(t, a), last = v;
        if (isP(at(t, v), "(")) {
            v = nextSig(t, v);
            last = nextSig(t, v);
            if (!isP(at(t, last), ")"))
                continue;
        }
        static const QRegularExpression digits(QStringLiteral("^[0-9]+$"));
        if (at(t, v).k != K::Number || !digits.match(t[size_t(v)].t).hasMatch())
            continue;
        const QString count = t[size_t(v)].t;
        const bool percent = isW(at(t, nextSig(t, last)), "PERCENT");
        if (percent) {
            if (count.toLongLong() != 100)
                continue;
            last = nextSig(t, last);
        }
        int eraseEnd = last + 1;
        if (at(t, a - 1).k == K::Space && at(t, eraseEnd).k == K::Space)
            ++eraseEnd;
        t.erase(t.begin() + a, t.begin() + eraseEnd);
        if (percent)
            continue;

        // End of this select: its closing parenthesis, a UNION, or the statement's end.
        int end = s + 1, depth = 0, orderBy = -1;
        for (; end < int(t.size()); ++end) {
            const Tok& x = t[size_t(end)];
            if (isP(x, "("))
                ++depth;
            else if (isP(x, ")") && depth-- == 0)
                break;
            if (depth == 0 && (isCompound(x) || statementBreak(t, end)))
                break;
            if (depth == 0 && isW(x, "ORDER") && isW(at(t, nextSig(t, end)), "BY"))
                orderBy = end;
        }
        const int before = prevSig(t, s);
        const bool compoundBefore =
            isCompound(at(t, before)) ||
            (isW(at(t, before), "ALL") && isCompound(at(t, prevSig(t, before))));
        const bool compoundAfter = isCompound(at(t, end));
        // A trailing ORDER BY of the last member orders the whole compound.
        if (compoundBefore && !compoundAfter && orderBy > s)
            end = orderBy;
        int insertAt = end;
        while (insertAt > s && !sig(t[size_t(insertAt - 1)]))
            --insertAt;
        const Toks limit{space(), word("LIMIT"), space(), {K::Number, count}};
        if (compoundBefore || compoundAfter) {
            Toks close = limit;
            close.push_back(punct(")"));
            t.insert(t.begin() + insertAt, close.begin(), close.end());
            const Toks open{word("SELECT"), space(), punct("*"), space(),
                            word("FROM"),   space(), punct("(")};
            t.insert(t.begin() + s, open.begin(), open.end());
        } else {
            t.insert(t.begin() + insertAt, limit.begin(), limit.end());
        }
    }
}

} // namespace

bool isDateType(const QString& declaredType) {
    QString name = declaredType.trimmed().toUpper();
    const qsizetype paren = name.indexOf(QLatin1Char('('));
    if (paren >= 0)
        name = name.left(paren).trimmed();
    return name == QLatin1String("DATETIME") || name == QLatin1String("SMALLDATETIME") ||
           name == QLatin1String("DATETIME2") || name == QLatin1String("DATE");
}

QString storedDate(const QString& text) {
    return isoFromText(text, true, true);
}

bool impossibleDate(const QString& text) {
    const std::optional<DateParts> p = dateShape(text, true, true, true);
    return p && !p->valid();
}

std::optional<Conditional> conditional(const QString& statement) {
    const Toks t = tokenize(statement);
    int i = nextSig(t, -1);
    if (!isW(at(t, i), "IF"))
        return std::nullopt;
    i = nextSig(t, i);
    const bool negated = isW(at(t, i), "NOT");
    if (negated)
        i = nextSig(t, i);
    if (!isW(at(t, i), "EXISTS"))
        return std::nullopt;
    const int open = nextSig(t, i);
    const int close = isP(at(t, open), "(") ? matchClose(t, open) : -1;
    const int body = close < 0 ? -1 : nextSig(t, close);
    const Tok& first = at(t, body);
    if (first.k != K::Word || isW(first, "ELSE") ||
        (isW(first, "BEGIN") && !isW(at(t, nextSig(t, body)), "TRAN") &&
         !isW(at(t, nextSig(t, body)), "TRANSACTION")))
        return std::nullopt;
    return Conditional{QStringLiteral("SELECT CASE WHEN ") +
                           (negated ? QStringLiteral("NOT ") : QString()) +
                           QStringLiteral("EXISTS ") + join(t, open, close + 1) +
                           QStringLiteral(" THEN 1 ELSE 0 END"),
                       join(t, body).trimmed()};
}

QString toSqlite(const QString& statement, const TableColumns& columnsOf) {
    Toks t = tokenize(statement);
    dropNationalPrefix(t);
    dropTableHints(t);
    stripOwners(t);
    mapCatalogue(t);
    dropSetNocount(t);
    convertHashDates(t);
    rewriteFunctions(t);
    markAssignments(t);
    Schema schema(t, columnsOf);
    if (columnsOf)
        convertWrittenValues(t, schema);
    adaptComparisons(t, schema);
    rewriteConcatenation(t, schema);
    adaptDeletes(t);
    rewriteTop(t);
    return join(t);
}

} // namespace sqlrewrite
