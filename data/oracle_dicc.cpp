// SQL Server to Oracle rewriting and script cutting (see oracle_dicc.h).
//
// The rules that are about names and keywords read the statement through the
// SQL lexer; the plain substitutions are text replacements that skip quoted
// literals, so a description holding "ISNULL(" or "top " is stored as typed.

#include "data/oracle_dicc.h"

#include "platform/sql/lexer.h"
#include "platform/vb/errors.h"
#include "platform/vb/vb.h"

#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace oracle {

namespace {

using sqltext::Token;
using sqltext::TokenKind;

// A statement read once: its tokens with their parenthesis nesting.
struct Lexed {
    explicit Lexed(const QString& s) : sql(s), toks(sqltext::lex(s)) {
        const qsizetype n = size();
        depth.assign(size_t(n), 0);
        enclosing.assign(size_t(n), -1);
        closing.assign(size_t(n), n);
        opening.assign(size_t(n), -1);
        std::vector<qsizetype> open;
        for (qsizetype k = 0; k < n; ++k) {
            if (isPunct(k, u')') && !open.empty()) {
                closing[size_t(open.back())] = k;
                opening[size_t(k)] = open.back();
                open.pop_back();
            }
            depth[size_t(k)] = int(open.size());
            enclosing[size_t(k)] = open.empty() ? -1 : open.back();
            if (isPunct(k, u'('))
                open.push_back(k);
        }
    }

    qsizetype size() const { return qsizetype(toks.size()); }
    const Token& at(qsizetype k) const { return toks[size_t(k)]; }
    // Where token k begins; the text's end past the last token.
    qsizetype pos(qsizetype k) const { return k < size() ? at(k).begin : sql.size(); }
    QString upper(qsizetype k) const {
        return k >= 0 && k < size() ? sqltext::upperWord(sql, at(k)) : QString();
    }
    bool isWord(qsizetype k, const char* word) const {
        return k >= 0 && k < size() && at(k).kind == TokenKind::Word &&
               upper(k) == QLatin1String(word);
    }
    bool isPunct(qsizetype k, char16_t c) const {
        return k >= 0 && k < size() && at(k).kind == TokenKind::Punct &&
               at(k).end - at(k).begin == 1 && sql.at(at(k).begin) == QChar(c);
    }
    bool isSpace(qsizetype k) const {
        return k >= 0 && k < size() && at(k).kind == TokenKind::Space;
    }
    // The next (previous) token that is neither blank nor comment.
    qsizetype nextSolid(qsizetype k) const {
        do
            ++k;
        while (k < size() && (at(k).kind == TokenKind::Space || at(k).kind == TokenKind::Comment));
        return k;
    }
    qsizetype prevSolid(qsizetype k) const {
        do
            --k;
        while (k >= 0 && (at(k).kind == TokenKind::Space || at(k).kind == TokenKind::Comment));
        return k;
    }
    QString text(qsizetype from, qsizetype to) const { return sql.mid(from, to - from); }

    QString sql;
    std::vector<Token> toks;
    std::vector<int> depth;           // a parenthesis counts at the outer level
    std::vector<qsizetype> enclosing; // the "(" a token stands in, -1 outside any
    std::vector<qsizetype> closing;   // for a "(" its ")", size() when unclosed
    std::vector<qsizetype> opening;   // for a ")" its "(", -1 when unopened
};

QRegularExpression caseless(const QString& pattern) {
    return QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption |
                                           QRegularExpression::UseUnicodePropertiesOption);
}

// The text as written, with no word character right before it.
QRegularExpression startingWord(const QString& text) {
    return caseless(QStringLiteral("(?<![\\w@$#])") + QRegularExpression::escape(text));
}

// Every match of `re` that lies wholly outside quoted literals, replaced.
QString replaceOutsideLiterals(const QString& sql, const QRegularExpression& re,
                               const QString& with) {
    std::vector<bool> literal(size_t(sql.size()), false);
    for (const Token& t : sqltext::lex(sql))
        if (t.kind == TokenKind::String)
            std::fill(literal.begin() + t.begin, literal.begin() + t.end, true);
    QString out;
    qsizetype copied = 0;
    QRegularExpressionMatchIterator it = re.globalMatch(sql);
    while (it.hasNext()) {
        const QRegularExpressionMatch m = it.next();
        const qsizetype b = m.capturedStart();
        const qsizetype e = m.capturedEnd();
        if (std::any_of(literal.begin() + b, literal.begin() + e, [](bool x) { return x; }))
            continue;
        out += sql.mid(copied, b - copied) + with;
        copied = e;
    }
    return out + sql.mid(copied);
}

QString replaceOutsideLiterals(const QString& sql, const QString& what, const QString& with) {
    return replaceOutsideLiterals(sql, caseless(QRegularExpression::escape(what)), with);
}

void requireClosedQuotes(const QString& sql) {
    for (const Token& t : sqltext::lex(sql))
        if (t.kind == TokenKind::String &&
            QStringView(sql).mid(t.begin, t.end - t.begin).count(u'\'') % 2 != 0)
            vb::Raise(vb::errInvalidCall);
}

// ---- SQL Server forms without an Oracle counterpart -----------------------------------

// One change to the text: [begin, end) becomes `with`.
struct Edit {
    qsizetype begin;
    qsizetype end;
    QString with;
};

// The edits, in any order, none overlapping another.
QString applyEdits(const QString& sql, std::vector<Edit> edits) {
    std::sort(edits.begin(), edits.end(),
              [](const Edit& a, const Edit& b) { return a.begin < b.begin; });
    QString out;
    qsizetype copied = 0;
    for (const Edit& e : edits) {
        out += sql.mid(copied, e.begin - copied) + e.with;
        copied = e.end;
    }
    return out + sql.mid(copied);
}

// A function's name: a word followed by "(", not a column of a table ("T.YEAR").
bool isCall(const Lexed& x, qsizetype k, const char* name) {
    return x.isWord(k, name) && !x.isPunct(k - 1, u'.') && x.isPunct(x.nextSolid(k), u'(') &&
           x.closing[size_t(x.nextSolid(k))] < x.size();
}

// The commas that separate the arguments of the call whose "(" is at `open`.
std::vector<qsizetype> argumentCommas(const Lexed& x, qsizetype open) {
    std::vector<qsizetype> commas;
    for (qsizetype j = open + 1; j < x.closing[size_t(open)]; ++j)
        if (x.enclosing[size_t(j)] == open && x.isPunct(j, u','))
            commas.push_back(j);
    return commas;
}

// Table hints (Oracle reads without shared locks anyway): "with(nolock)",
// "WITH ( NOLOCK, ROWLOCK )", with the blank before them.
QString dropTableHints(const QString& sql) {
    static const QStringList hints = {
        QStringLiteral("NOLOCK"),        QStringLiteral("READUNCOMMITTED"),
        QStringLiteral("ROWLOCK"),       QStringLiteral("UPDLOCK"),
        QStringLiteral("HOLDLOCK"),      QStringLiteral("READPAST"),
        QStringLiteral("PAGLOCK"),       QStringLiteral("TABLOCK"),
        QStringLiteral("TABLOCKX"),      QStringLiteral("XLOCK"),
        QStringLiteral("NOWAIT"),        QStringLiteral("SERIALIZABLE"),
        QStringLiteral("REPEATABLEREAD")};
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        const qsizetype open = x.nextSolid(k);
        if (!x.isWord(k, "WITH") || !x.isPunct(open, u'(') || x.closing[size_t(open)] >= x.size())
            continue;
        const qsizetype close = x.closing[size_t(open)];
        bool onlyHints = true;
        for (qsizetype j = x.nextSolid(open); j < close && onlyHints; j = x.nextSolid(j))
            onlyHints = x.isPunct(j, u',') || hints.contains(x.upper(j));
        if (!onlyHints || x.nextSolid(open) == close)
            continue;
        edits.push_back(
            {x.isSpace(k - 1) ? x.at(k - 1).begin : x.at(k).begin, x.at(close).end, {}});
        k = close;
    }
    return applyEdits(sql, edits);
}

// Owner and database prefixes ("dbo.T", "[db].DBO.T", "db..T" -> "T"): the
// login's own schema holds the tables.
QString stripOwners(const QString& sql) {
    const Lexed x(sql);
    auto isName = [&](qsizetype k) {
        return k < x.size() &&
               (x.at(k).kind == TokenKind::Word || x.at(k).kind == TokenKind::Ident);
    };
    auto isOwner = [&](qsizetype k) {
        const QString name =
            x.at(k).kind == TokenKind::Ident ? sqltext::unquoted(sql, x.at(k)) : x.upper(k);
        return name.compare(QLatin1String("dbo"), Qt::CaseInsensitive) == 0;
    };
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (!isName(k) || x.isPunct(k - 1, u'.'))
            continue;
        // The parts of the dotted name; -1 for the empty one of "db..T".
        std::vector<qsizetype> parts{k};
        qsizetype j = k;
        while (x.isPunct(j + 1, u'.')) {
            if (x.isPunct(j + 2, u'.')) {
                parts.push_back(-1);
                j += 1;
            } else if (isName(j + 2)) {
                parts.push_back(j + 2);
                j += 2;
            } else {
                break;
            }
        }
        qsizetype owner = -1;
        for (size_t p = 0; p + 1 < parts.size(); ++p)
            if (parts[p] < 0 || isOwner(parts[p]))
                owner = qsizetype(p);
        if (owner >= 0 && parts[size_t(owner) + 1] >= 0)
            edits.push_back({x.at(k).begin, x.at(parts[size_t(owner) + 1]).begin, {}});
        k = j;
    }
    return applyEdits(sql, edits);
}

// GETDATE() -> SYSDATE; YEAR(x), MONTH(x), DAY(x) -> EXTRACT(YEAR FROM x);
// FORMAT(n, '00') -> TO_CHAR(n, 'FM00') for number patterns.
QString serverFunctions(const QString& sql) {
    static const QRegularExpression numberPattern(QStringLiteral("^[0#]+([.,][0#]+)*$"));
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        const qsizetype open = x.nextSolid(k);
        if (isCall(x, k, "GETDATE") && x.nextSolid(open) == x.closing[size_t(open)]) {
            edits.push_back(
                {x.at(k).begin, x.at(x.closing[size_t(open)]).end, QStringLiteral("SYSDATE")});
        } else if ((isCall(x, k, "YEAR") || isCall(x, k, "MONTH") || isCall(x, k, "DAY")) &&
                   x.nextSolid(open) != x.closing[size_t(open)] &&
                   argumentCommas(x, open).empty()) {
            // The closing parenthesis stays: the argument may hold rewritten calls.
            const qsizetype arg = x.isSpace(open + 1) ? open + 1 : open;
            edits.push_back({x.at(k).begin, x.at(arg).end,
                             QStringLiteral("EXTRACT(") + x.upper(k) + QStringLiteral(" FROM ")});
        } else if (isCall(x, k, "FORMAT")) {
            const std::vector<qsizetype> commas = argumentCommas(x, open);
            const qsizetype pattern = commas.size() == 1 ? x.nextSolid(commas[0]) : -1;
            if (pattern < 0 || x.at(pattern).kind != TokenKind::String ||
                x.nextSolid(pattern) != x.closing[size_t(open)])
                continue;
            QString model = sqltext::unquoted(sql, x.at(pattern));
            if (!numberPattern.match(model).hasMatch())
                continue;
            // FM: no leading blank for the sign; D and G follow the session's marks.
            model.replace(u'#', u'9').replace(u'.', u'D').replace(u',', u'G');
            edits.push_back({x.at(k).begin, x.at(k).end, QStringLiteral("TO_CHAR")});
            edits.push_back({x.at(pattern).begin, x.at(pattern).end,
                             QStringLiteral("'FM") + model + QLatin1Char('\'')});
        }
    }
    return applyEdits(sql, edits);
}

// ---- TOP n --------------------------------------------------------------------------

// The first TOP that can be rewritten, rewritten; nothing when none is left.
// TOP acts on its own select: the whole statement, or the parenthesised
// subquery it stands in.
std::optional<QString> rewriteOneTop(const QString& sql) {
    const Lexed x(sql);
    for (qsizetype top = 0; top < x.size(); ++top) {
        if (!x.isWord(top, "TOP") || !x.isSpace(top + 1) || top + 2 >= x.size() ||
            x.at(top + 2).kind != TokenKind::Number)
            continue;
        const qsizetype count = top + 2;
        const int level = x.depth[size_t(top)];
        const qsizetype open = x.enclosing[size_t(top)];
        const qsizetype scopeEnd = open < 0 ? x.size() : x.closing[size_t(open)];

        // SELECT [DISTINCT | ALL] TOP: anything else is not a row limit.
        qsizetype select = x.prevSolid(top);
        while (x.isWord(select, "DISTINCT") || x.isWord(select, "ALL"))
            select = x.prevSolid(select);
        if (!x.isWord(select, "SELECT"))
            continue;

        const QString n = x.text(x.at(count).begin, x.at(count).end);
        const qsizetype bodyStart = x.isSpace(count + 1) ? x.at(count + 1).end : x.at(count).end;
        const qsizetype bodyEnd = x.pos(scopeEnd);
        if (x.isWord(count + 2, "PERCENT")) {
            if (n != QLatin1String("100"))
                continue;
            // All the rows: the limit goes.
            const qsizetype after =
                x.isSpace(count + 3) ? x.at(count + 3).end : x.at(count + 2).end;
            return x.text(0, x.at(top).begin) + sql.mid(after);
        }

        qsizetype where = -1, group = -1, order = -1, firstOr = -1;
        bool union_ = false;
        for (qsizetype k = count + 1; k < scopeEnd; ++k) {
            if (x.depth[size_t(k)] != level)
                continue;
            const bool by = x.isSpace(k + 1) && x.isWord(k + 2, "BY");
            if (x.isWord(k, "WHERE") && where < 0)
                where = k;
            else if (x.isWord(k, "GROUP") && by && group < 0)
                group = k;
            else if (x.isWord(k, "ORDER") && by && order < 0)
                order = k;
            else if (x.isWord(k, "OR") && where >= 0 && group < 0 && order < 0 && firstOr < 0)
                firstOr = k;
            else if (x.isWord(k, "UNION") || x.isWord(k, "INTERSECT") || x.isWord(k, "EXCEPT"))
                union_ = true;
        }
        if (union_)
            continue;

        const QString prefix = x.text(0, x.at(select).begin);
        const QString head = x.text(x.at(select).begin, x.at(top).begin);
        const QString body = x.text(bodyStart, bodyEnd).trimmed();
        const QString rest = sql.mid(bodyEnd);
        const QString limit = QStringLiteral("ROWNUM <= ") + n;
        if (group >= 0 || order >= 0)
            // ROWNUM is given before ORDER BY and GROUP BY act: limit the
            // ordered, grouped rows from outside.
            return prefix + QStringLiteral("SELECT * FROM (") + head + body +
                   QStringLiteral(") WHERE ") + limit + rest;
        if (where < 0)
            return prefix + head + body + QStringLiteral(" WHERE ") + limit + rest;
        QString filtered = body;
        if (firstOr >= 0) {
            // "a OR b AND ROWNUM" would limit b only.
            const qsizetype condStart = x.at(where).end;
            filtered = x.text(bodyStart, condStart) + QStringLiteral(" (") +
                       x.text(condStart, bodyEnd).trimmed() + QLatin1Char(')');
        }
        return prefix + head + filtered + QStringLiteral(" AND ") + limit + rest;
    }
    return std::nullopt;
}

QString rowLimit(QString sql) {
    while (const std::optional<QString> next = rewriteOneTop(sql))
        sql = *next;
    return sql;
}

// ---- CHARINDEX(what, where[, start]) -> InStr(where, what[, start]) --------------------

std::optional<QString> rewriteOneCharindex(const QString& sql) {
    const Lexed x(sql);
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (!x.isWord(k, "CHARINDEX"))
            continue;
        const qsizetype open = x.nextSolid(k);
        if (!x.isPunct(open, u'(') || x.closing[size_t(open)] >= x.size())
            continue;
        const qsizetype close = x.closing[size_t(open)];
        std::vector<qsizetype> commas;
        for (qsizetype j = open + 1; j < close; ++j)
            if (x.enclosing[size_t(j)] == open && x.isPunct(j, u','))
                commas.push_back(j);
        if (commas.empty())
            continue;
        const qsizetype secondEnd = commas.size() > 1 ? commas[1] : close;
        const QString what = x.text(x.at(open).end, x.at(commas[0]).begin).trimmed();
        const QString where = x.text(x.at(commas[0]).end, x.at(secondEnd).begin).trimmed();
        return x.text(0, x.at(k).begin) + QStringLiteral("InStr(") + where + QStringLiteral(", ") +
               what + sql.mid(x.at(secondEnd).begin);
    }
    return std::nullopt;
}

QString charindex(QString sql) {
    while (const std::optional<QString> next = rewriteOneCharindex(sql))
        sql = *next;
    return sql;
}

// ---- Date literals ----------------------------------------------------------------------

// Day-first dates and the ISO form, without a time: the output keeps the
// day only, so a text with a time is no date here.
QDate dateOf(const QString& text) {
    static const QRegularExpression dayFirst(QStringLiteral("^\\d{1,2}/\\d{1,2}/(\\d{2}|\\d{4})$"));
    static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d{1,2}-\\d{1,2}$"));
    if (!dayFirst.match(text).hasMatch() && !iso.match(text).hasMatch())
        return {};
    const QDateTime d = vb::CDate(text);
    return d.isValid() ? d.date() : QDate();
}

// Columns that hold a day as "dd/mm/yyyy" text: a literal written into one
// or compared with one is text, not a date.
bool isDayTextColumn(const Lexed& x, qsizetype k) {
    if (k < 0 || k >= x.size() ||
        (x.at(k).kind != TokenKind::Word && x.at(k).kind != TokenKind::Ident))
        return false;
    const QString name =
        x.at(k).kind == TokenKind::Ident ? sqltext::unquoted(x.sql, x.at(k)) : x.upper(k);
    return name.compare(QLatin1String("AJUSTE_HASTA"), Qt::CaseInsensitive) == 0;
}

bool isComparisonOrSet(const Lexed& x, qsizetype k) {
    static const QStringList ops = {QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("!="),
                                    QStringLiteral("<"), QStringLiteral(">"),  QStringLiteral("<="),
                                    QStringLiteral(">=")};
    return k >= 0 && k < x.size() && x.at(k).kind == TokenKind::Punct &&
           ops.contains(x.at(k).text(x.sql).toString());
}

// The literal at k is the value of such a column: "col = lit", "lit = col",
// or its place in an INSERT's VALUES.
bool meantForDayText(const Lexed& x, qsizetype k) {
    const qsizetype before = x.prevSolid(k);
    const qsizetype after = x.nextSolid(k);
    if ((isComparisonOrSet(x, before) && isDayTextColumn(x, x.prevSolid(before))) ||
        (isComparisonOrSet(x, after) && isDayTextColumn(x, x.nextSolid(after))))
        return true;
    const qsizetype open = x.enclosing[size_t(k)];
    if (open < 0 || !x.isWord(x.prevSolid(open), "VALUES") ||
        !(x.isPunct(before, u'(') || x.isPunct(before, u',')) ||
        !(x.isPunct(after, u')') || x.isPunct(after, u',')))
        return false;
    const std::vector<qsizetype> values = argumentCommas(x, open);
    const auto place =
        std::count_if(values.begin(), values.end(), [&](qsizetype c) { return c < k; });
    const qsizetype listClose = x.prevSolid(x.prevSolid(open));
    const qsizetype listOpen = x.isPunct(listClose, u')') ? x.opening[size_t(listClose)] : -1;
    if (listOpen < 0)
        return false;
    const std::vector<qsizetype> names = argumentCommas(x, listOpen);
    if (size_t(place) > names.size())
        return false;
    const qsizetype column =
        place == 0 ? x.nextSolid(listOpen) : x.nextSolid(names[size_t(place) - 1]);
    return isDayTextColumn(x, column);
}

QString dateLiterals(const QString& sql) {
    const Lexed x(sql);
    QString out;
    qsizetype copied = 0;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x.at(k).kind != TokenKind::String)
            continue;
        const QDate d = dateOf(sqltext::unquoted(sql, x.at(k)));
        if (!d.isValid())
            continue;
        // Already TO_DATE's argument, with its own format.
        const qsizetype before = x.prevSolid(k);
        if ((x.isPunct(before, u'(') && x.isWord(x.prevSolid(before), "TO_DATE")) ||
            meantForDayText(x, k))
            continue;
        out += x.text(copied, x.at(k).begin) + QStringLiteral("TO_DATE('") +
               d.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("','DD/MM/YYYY')");
        copied = x.at(k).end;
    }
    return out + sql.mid(copied);
}

// #31/12/2020#, #2020-12-31 10:30#: the Access date literal, day first.
QString hashDates(const QString& sql) {
    static const QRegularExpression form(
        QStringLiteral("^#(\\S+)(?: +(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?#$"));
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x.at(k).kind != TokenKind::DateLiteral)
            continue;
        const QRegularExpressionMatch m = form.match(x.text(x.at(k).begin, x.at(k).end));
        const QDate d = m.hasMatch() ? dateOf(m.captured(1)) : QDate();
        if (!d.isValid())
            continue; // no date: the server refuses it as it stands
        QString value = d.toString(QStringLiteral("dd/MM/yyyy"));
        QString model = QStringLiteral("DD/MM/YYYY");
        if (m.hasCaptured(2)) {
            const QTime t(m.captured(2).toInt(), m.captured(3).toInt(), m.captured(4).toInt());
            if (!t.isValid())
                continue;
            value += t.toString(QStringLiteral(" HH:mm:ss"));
            model += QStringLiteral(" HH24:MI:SS");
        }
        edits.push_back(
            {x.at(k).begin, x.at(k).end, QStringLiteral("TO_DATE('%1','%2')").arg(value, model)});
    }
    return applyEdits(sql, edits);
}

// ---- Empty-text tests ------------------------------------------------------------------------

// The '' that the operator at k compares with (blanks between), or -1.
qsizetype emptyTextAfter(const Lexed& x, qsizetype k) {
    qsizetype lit = k + 1;
    if (x.isSpace(lit) &&
        x.text(x.at(lit).begin, x.at(lit).end).count(u' ') == x.at(lit).end - x.at(lit).begin)
        ++lit;
    if (lit >= x.size() || x.at(lit).kind != TokenKind::String ||
        x.text(x.at(lit).begin, x.at(lit).end) != QLatin1String("''"))
        return -1;
    return lit;
}

bool isName(const Lexed& x, qsizetype k) {
    static const QStringList keywords{
        QStringLiteral("AND"),    QStringLiteral("OR"),     QStringLiteral("NOT"),
        QStringLiteral("WHERE"),  QStringLiteral("ON"),     QStringLiteral("WHEN"),
        QStringLiteral("THEN"),   QStringLiteral("ELSE"),   QStringLiteral("CASE"),
        QStringLiteral("SELECT"), QStringLiteral("SET"),    QStringLiteral("HAVING"),
        QStringLiteral("IN"),     QStringLiteral("EXISTS"), QStringLiteral("IS"),
        QStringLiteral("LIKE"),   QStringLiteral("BETWEEN")};
    if (k < 0 || k >= x.size())
        return false;
    if (x.at(k).kind == TokenKind::Ident)
        return true;
    return x.at(k).kind == TokenKind::Word && !keywords.contains(x.upper(k));
}

// Where the operand left of the operator at k begins: a name with its
// qualifiers, or a call or parenthesis; -1 when it is none of these.
qsizetype operandBefore(const Lexed& x, qsizetype k) {
    qsizetype t = x.prevSolid(k);
    if (x.isPunct(t, u')')) {
        const qsizetype open = x.opening[size_t(t)];
        if (open < 0)
            return -1;
        const qsizetype call = open - 1;
        return isName(x, call) ? call : open;
    }
    if (!isName(x, t))
        return -1;
    while (x.isPunct(t - 1, u'.') && isName(x, t - 2))
        t -= 2;
    return t;
}

// "x = ''" and "x <> ''" as the server means them: an empty or blank text.
// Oracle keeps '' as NULL and written empty texts as one blank, so both
// forms count as empty. Without an operand to trim, the test is for NULL.
Edit emptyTextTest(const Lexed& x, qsizetype k, qsizetype lit, bool empty) {
    const QString is = empty ? QStringLiteral(" IS NULL") : QStringLiteral(" IS NOT NULL");
    const bool joined = lit + 1 < x.size() && x.at(lit + 1).kind != TokenKind::Space &&
                        x.at(lit + 1).kind != TokenKind::Punct;
    const QString after = joined ? QStringLiteral(" ") : QString();
    const qsizetype from = operandBefore(x, k);
    if (from < 0) {
        const qsizetype blank = x.isSpace(k - 1) ? x.at(k - 1).begin : x.at(k).begin;
        return {blank, x.at(lit).end, is + after};
    }
    const qsizetype last = x.prevSolid(k);
    return {x.at(from).begin, x.at(lit).end,
            QStringLiteral("TRIM(") + x.text(x.at(from).begin, x.at(last).end) + u')' + is + after};
}

// After WHERE, "x = ''"; anywhere, "x <> ''" (which would otherwise hold
// for no row).
QString emptyTextTests(const QString& sql) {
    const Lexed x(sql);
    std::vector<Edit> edits;
    bool where = false;
    for (qsizetype k = 0; k < x.size(); ++k) {
        where = where || x.isWord(k, "WHERE");
        const QStringView op = x.at(k).text(sql);
        const bool differs = x.at(k).kind == TokenKind::Punct && (op == u"<>" || op == u"!=");
        const bool equals = where && x.isPunct(k, u'=');
        const qsizetype lit = differs || equals ? emptyTextAfter(x, k) : -1;
        if (lit < 0)
            continue;
        edits.push_back(emptyTextTest(x, k, lit, equals));
        k = lit;
    }
    return applyEdits(sql, edits);
}

// An empty text written into a column (a value of INSERT's VALUES, an
// assignment of UPDATE's SET) -> one blank: Oracle would keep '' as NULL,
// which a NOT NULL column refuses; the blank reads back as empty.
QString writtenEmptyTexts(const QString& sql) {
    const Lexed x(sql);
    const qsizetype first = x.nextSolid(-1);
    const bool insert = x.isWord(first, "INSERT");
    const bool update = x.isWord(first, "UPDATE");
    if (!insert && !update)
        return sql;
    std::vector<Edit> edits;
    bool values = false; // past INSERT's VALUES, or inside UPDATE's SET
    for (qsizetype k = first; k < x.size(); ++k) {
        if (x.depth[size_t(k)] == 0 && x.isWord(k, insert ? "VALUES" : "SET"))
            values = true;
        if (update && x.depth[size_t(k)] == 0 && x.isWord(k, "WHERE"))
            break;
        if (!values || x.at(k).kind != TokenKind::String ||
            x.text(x.at(k).begin, x.at(k).end) != QLatin1String("''"))
            continue;
        const qsizetype before = x.prevSolid(k);
        const bool written =
            insert ? x.depth[size_t(k)] == 1 && (x.isPunct(before, u'(') || x.isPunct(before, u','))
                   : x.depth[size_t(k)] == 0 && x.isPunct(before, u'=');
        if (written)
            edits.push_back({x.at(k).begin, x.at(k).end, QStringLiteral("' '")});
    }
    return applyEdits(sql, edits);
}

// ---- Style 103 of TO_CHAR ----------------------------------------------------------------------

QString dateStyle103(const QString& sql) {
    const Lexed x(sql);
    QString out;
    qsizetype copied = 0;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x.at(k).kind != TokenKind::Number || x.upper(k) != QLatin1String("103"))
            continue;
        const qsizetype open = x.enclosing[size_t(k)];
        // The style argument: after a comma, right inside TO_CHAR( ... ).
        if (open < 1 || !x.isWord(open - 1, "TO_CHAR") || !x.isPunct(x.prevSolid(k), u','))
            continue;
        out += x.text(copied, x.at(k).begin) + QStringLiteral("'DD/MM/YYYY'");
        copied = x.at(k).end;
    }
    return out + sql.mid(copied);
}

// ---- Text functions and concatenation ---------------------------------------------------------

// RIGHT(x, n) -> SUBSTR(x, -LEAST(n, LENGTH(x))): the whole text when it is
// shorter, as on the server (SUBSTR alone would give NULL); LEFT(x, n) ->
// SUBSTR(x, 1, n).
std::optional<QString> rewriteOneSide(const QString& sql) {
    const Lexed x(sql);
    for (qsizetype k = 0; k < x.size(); ++k) {
        const bool right = isCall(x, k, "RIGHT");
        if (!right && !isCall(x, k, "LEFT"))
            continue;
        const qsizetype open = x.nextSolid(k);
        const qsizetype close = x.closing[size_t(open)];
        const std::vector<qsizetype> commas = argumentCommas(x, open);
        if (commas.size() != 1)
            continue;
        const QString text = x.text(x.at(open).end, x.at(commas[0]).begin).trimmed();
        const QString n = x.text(x.at(commas[0]).end, x.at(close).begin).trimmed();
        const QString with = right
                                 ? QStringLiteral("SUBSTR(%1, -LEAST(%2, LENGTH(%1)))").arg(text, n)
                                 : QStringLiteral("SUBSTR(%1, 1, %2)").arg(text, n);
        return x.text(0, x.at(k).begin) + with + sql.mid(x.at(close).end);
    }
    return std::nullopt;
}

QString sides(QString sql) {
    while (const std::optional<QString> next = rewriteOneSide(sql))
        sql = *next;
    return sql;
}

bool isTextFunction(const Lexed& x, qsizetype k) {
    static const QStringList names = {
        QStringLiteral("TO_CHAR"), QStringLiteral("SUBSTR"),  QStringLiteral("LTRIM"),
        QStringLiteral("RTRIM"),   QStringLiteral("TRIM"),    QStringLiteral("UPPER"),
        QStringLiteral("LOWER"),   QStringLiteral("REPLACE"), QStringLiteral("LPAD"),
        QStringLiteral("RPAD"),    QStringLiteral("CHR"),     QStringLiteral("CONCAT")};
    return k >= 0 && k < x.size() && x.at(k).kind == TokenKind::Word && !x.isPunct(k - 1, u'.') &&
           names.contains(x.upper(k));
}

// CAST(... AS VARCHAR(n)) and the like: a text.
bool isTextCast(const Lexed& x, qsizetype open) {
    static const QStringList types = {QStringLiteral("VARCHAR"), QStringLiteral("VARCHAR2"),
                                      QStringLiteral("NVARCHAR"), QStringLiteral("CHAR"),
                                      QStringLiteral("NCHAR")};
    if (!x.isWord(x.prevSolid(open), "CAST"))
        return false;
    for (qsizetype j = open + 1; j < x.closing[size_t(open)]; ++j)
        if (x.enclosing[size_t(j)] == open && x.isWord(j, "AS"))
            return types.contains(x.upper(x.nextSolid(j)));
    return false;
}

// The operand that ends at k (begins at k when `after`) is a text: a literal,
// a text function's call or a cast to text.
bool isTextOperand(const Lexed& x, qsizetype k, bool after) {
    if (k < 0 || k >= x.size())
        return false;
    if (x.at(k).kind == TokenKind::String)
        return true;
    if (after) {
        const qsizetype open = x.nextSolid(k);
        return x.isPunct(open, u'(') &&
               (isTextFunction(x, k) || (x.isWord(k, "CAST") && isTextCast(x, open)));
    }
    if (!x.isPunct(k, u')') || x.opening[size_t(k)] < 0)
        return false;
    const qsizetype open = x.opening[size_t(k)];
    return isTextFunction(x, x.prevSolid(open)) || isTextCast(x, open);
}

// a + b -> a || b where an operand is a text: Oracle's + adds numbers only.
QString textConcatenation(const QString& sql) {
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (!x.isPunct(k, u'+'))
            continue;
        const qsizetype left = x.prevSolid(k);
        const bool binary =
            left >= 0 &&
            (x.at(left).kind == TokenKind::String || x.at(left).kind == TokenKind::Word ||
             x.at(left).kind == TokenKind::Ident || x.at(left).kind == TokenKind::Number ||
             x.isPunct(left, u')'));
        if (binary && (isTextOperand(x, left, false) || isTextOperand(x, x.nextSolid(k), true)))
            edits.push_back({x.at(k).begin, x.at(k).end, QStringLiteral("||")});
    }
    return applyEdits(sql, edits);
}

// [name] -> "NAME": SQL Server's names ignore letter case, Oracle's quoted
// ones do not, and its tables' names are upper case. A column's alias (after
// AS) keeps its letters: it is the heading the user sees.
QString bracketedNames(const QString& sql) {
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x.at(k).kind != TokenKind::Ident || sql.at(x.at(k).begin) != u'[')
            continue;
        QString name = sqltext::unquoted(sql, x.at(k));
        if (!x.isWord(x.prevSolid(k), "AS"))
            name = name.toUpper();
        edits.push_back(
            {x.at(k).begin, x.at(k).end, u'"' + name.replace(u'"', QStringLiteral("\"\"")) + u'"'});
    }
    return applyEdits(sql, edits);
}

// ---- A select without FROM --------------------------------------------------------------------

// Oracle selects from a table always: "SELECT SYSDATE" reads FROM DUAL.
QString fromDual(const QString& sql) {
    static const QStringList clauseEnds = {QStringLiteral("WHERE"),  QStringLiteral("GROUP"),
                                           QStringLiteral("HAVING"), QStringLiteral("ORDER"),
                                           QStringLiteral("UNION"),  QStringLiteral("INTERSECT"),
                                           QStringLiteral("EXCEPT"), QStringLiteral("MINUS")};
    const Lexed x(sql);
    std::vector<Edit> edits;
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (!x.isWord(k, "SELECT"))
            continue;
        const int level = x.depth[size_t(k)];
        const qsizetype open = x.enclosing[size_t(k)];
        qsizetype end = open < 0 ? x.size() : x.closing[size_t(open)];
        bool from = false;
        for (qsizetype j = k + 1; j < end && !from; ++j) {
            if (x.depth[size_t(j)] != level || x.at(j).kind != TokenKind::Word)
                continue;
            from = x.isWord(j, "FROM");
            if (clauseEnds.contains(x.upper(j)))
                end = j;
        }
        if (!from) {
            const qsizetype at = x.at(x.prevSolid(end)).end;
            edits.push_back({at, at, QStringLiteral(" FROM DUAL")});
        }
    }
    return applyEdits(sql, edits);
}

// ---- Script keywords --------------------------------------------------------------------------

bool startsStatement(const Lexed& x, qsizetype k) {
    const QString w = x.upper(k);
    static const QStringList followedByBlank = {QStringLiteral("INSERT"), QStringLiteral("DELETE"),
                                                QStringLiteral("UPDATE"), QStringLiteral("CREATE"),
                                                QStringLiteral("DROP"),   QStringLiteral("ALTER"),
                                                QStringLiteral("GRANT")};
    if (followedByBlank.contains(w))
        return x.isSpace(k + 1);
    if (w == QLatin1String("SET"))
        return x.isSpace(k + 1) && x.isWord(k + 2, "TRANSACTION");
    if (w == QLatin1String("COMMIT") || w == QLatin1String("ROLLBACK"))
        return true;
    if (w == QLatin1String("IF") && x.isSpace(k + 1)) {
        qsizetype next = k + 2;
        if (x.isWord(next, "NOT") && x.isSpace(next + 1))
            next += 2;
        return x.upper(next).startsWith(QLatin1String("EXIST"));
    }
    return false;
}

} // namespace

QString rewriteStatement(const QString& sql) {
    requireClosedQuotes(sql);
    QString s = dropTableHints(sql);
    s = stripOwners(s);
    s = serverFunctions(s);
    s = hashDates(s);
    s = rowLimit(s);
    s = replaceOutsideLiterals(s, caseless(QStringLiteral("(?<![\\w@$#])LEN {0,4}\\(")),
                               QStringLiteral("LENGTH("));
    s = bracketedNames(s);
    s = replaceOutsideLiterals(s, caseless(QStringLiteral("[\\[\\]]")), QStringLiteral("\""));
    s = dateLiterals(s);
    s = charindex(s);
    s = replaceOutsideLiterals(s, startingWord(QStringLiteral("CONVERT(NVARCHAR,")),
                               QStringLiteral("TO_CHAR("));
    s = replaceOutsideLiterals(s, startingWord(QStringLiteral("CONVERT(INT,")),
                               QStringLiteral("TO_NUMBER("));
    s = writtenEmptyTexts(s);
    s = emptyTextTests(s);
    s = dateStyle103(s);
    s = replaceOutsideLiterals(s, startingWord(QStringLiteral("SUBSTRING(")),
                               QStringLiteral("SUBSTR("));
    s = replaceOutsideLiterals(s, startingWord(QStringLiteral("ISNULL(")), QStringLiteral("NVL("));
    s = sides(s);
    s = textConcatenation(s);
    return fromDual(s);
}

QString normalizeScript(const QString& script) {
    static const std::pair<const char*, const char*> steps[] = {
        {"SET NOCOUNT ON", ""},
        {"SET NOCOUNT OFF", ""},
        {" GO ", " "},
        {"\r\nGO ", " "},
        {"\r\nGO\r\n", " "},
        {"\r", " "},
        {"BEGIN TRANSACTION", "SET TRANSACTION"},
        {"BEGIN TRANS", "SET TRANSACTION"},
        {"COMMIT TRANSACTION", "COMMIT"},
        {"COMMIT TRANS", "COMMIT"},
        {"ROLLBACK TRANSACTION", "ROLLBACK"},
        {"ROLLBACK TRANS", "ROLLBACK"},
    };
    QString s = script;
    for (const auto& [what, with] : steps)
        s = replaceOutsideLiterals(s, QString::fromLatin1(what), QString::fromLatin1(with));
    return s;
}

std::optional<ScriptCut> nextStatement(const QString& script) {
    const Lexed x(script);
    qsizetype start = -1;
    qsizetype end = x.size();
    for (qsizetype k = 0; k < x.size(); ++k) {
        if (x.at(k).kind != TokenKind::Word || x.depth[size_t(k)] != 0 || !startsStatement(x, k))
            continue;
        if (start < 0) {
            start = k;
        } else {
            end = k;
            break;
        }
    }
    if (start < 0)
        return std::nullopt;
    return ScriptCut{x.text(x.at(start).begin, x.pos(end)).trimmed(),
                     script.mid(x.pos(end)).trimmed()};
}

bool isServerOnly(const QString& statement) {
    for (const char* mark : {"SET NOCOUNT", "IF NOT EXIST"}) {
        const QString probe = QString::fromLatin1(mark);
        if (replaceOutsideLiterals(statement, probe, QString()).size() != statement.size())
            return true;
    }
    return false;
}

} // namespace oracle
