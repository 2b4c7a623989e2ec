#include "platform/sql/batch.h"

#include <algorithm>
#include <functional>

namespace sqltext {

namespace {

QStringList wordsOf(const QString& s, const std::vector<Token>& t, size_t from, size_t to) {
    QStringList words;
    int depth = 0;
    for (size_t i = from; i < to; ++i) {
        const Token& x = t[i];
        if (x.kind == TokenKind::Punct && s.at(x.begin) == u'(' && x.end - x.begin == 1)
            ++depth;
        else if (x.kind == TokenKind::Punct && s.at(x.begin) == u')')
            depth = std::max(0, depth - 1);
        else if (depth == 0 && (x.kind == TokenKind::Word || x.kind == TokenKind::Number))
            words << upperWord(s, x);
    }
    return words;
}

// Whether `word` at the head of a line starts a new statement after the
// statement so far (its words, read only when needed).
bool startsStatement(const QString& word, const std::function<QStringList()>& wordsSoFar) {
    static const QStringList always = {
        QStringLiteral("INSERT"),   QStringLiteral("UPDATE"),  QStringLiteral("DELETE"),
        QStringLiteral("BEGIN"),    QStringLiteral("COMMIT"),  QStringLiteral("ROLLBACK"),
        QStringLiteral("CREATE"),   QStringLiteral("DROP"),    QStringLiteral("ALTER"),
        QStringLiteral("TRUNCATE"), QStringLiteral("DECLARE"), QStringLiteral("EXEC"),
        QStringLiteral("EXECUTE"),  QStringLiteral("GRANT"),   QStringLiteral("REVOKE"),
        QStringLiteral("PRINT"),    QStringLiteral("IF"),      QStringLiteral("SAVE")};
    const bool select = word == u"SELECT" || word == u"SET";
    if (!select && !always.contains(word))
        return false;
    const QStringList soFar = wordsSoFar();
    // "IF [NOT] EXISTS (...)" owns the statement on the next line.
    if (soFar == QStringList{QStringLiteral("IF"), QStringLiteral("EXISTS")} ||
        soFar == QStringList{QStringLiteral("IF"), QStringLiteral("NOT"), QStringLiteral("EXISTS")})
        return false;
    if (!select)
        return true;
    if (soFar.isEmpty())
        return true;
    const QString& first = soFar.first();
    if (word == u"SET") // UPDATE T <line break> SET ...
        return !(first == u"UPDATE" && !soFar.contains(QStringLiteral("SET")));
    // SELECT: part of INSERT ... SELECT, CREATE VIEW ... AS SELECT, UNION.
    if (first == u"CREATE")
        return false;
    if (first == u"INSERT" && !soFar.contains(QStringLiteral("VALUES")))
        return false;
    static const QStringList joiners = {QStringLiteral("UNION"), QStringLiteral("ALL"),
                                        QStringLiteral("EXCEPT"), QStringLiteral("INTERSECT")};
    return !joiners.contains(soFar.last());
}

bool holdsLineEnd(QStringView text) {
    return text.contains(u'\n') || text.contains(u'\r');
}

// GO alone on its line: nothing but blanks and tabs after it before the line
// end or the end of the batch.
bool goLine(const QString& s, const std::vector<Token>& t, size_t go) {
    if (go + 1 >= t.size())
        return true;
    for (const QChar c : t[go + 1].text(s)) {
        if (c == u'\r' || c == u'\n')
            return true;
        if (c != u' ' && c != u'\t')
            return false;
    }
    return false;
}

} // namespace

std::vector<bool> separators(const QString& s, const std::vector<Token>& t) {
    std::vector<bool> sep(t.size(), false);
    size_t start = 0; // first token of the statement so far
    int depth = 0;
    for (size_t i = 0; i < t.size(); ++i) {
        const Token& x = t[i];
        if (x.kind == TokenKind::Punct && x.end - x.begin == 1) {
            const QChar c = s.at(x.begin);
            if (c == u'(') {
                ++depth;
            } else if (c == u')') {
                depth = std::max(0, depth - 1);
            } else if (c == u';' && depth == 0) {
                sep[i] = true;
                start = i + 1;
            }
            continue;
        }
        if (x.kind != TokenKind::Space || depth != 0 || !holdsLineEnd(x.text(s)) ||
            i + 1 >= t.size())
            continue;
        const QString word = upperWord(s, t[i + 1]);
        if (word == u"GO" && goLine(s, t, i + 1)) {
            sep[i] = sep[i + 1] = true;
            start = i + 2;
            ++i; // the line end after GO is looked at next
            continue;
        }
        if (!word.isEmpty() && startsStatement(word, [&] { return wordsOf(s, t, start, i); })) {
            sep[i] = true;
            start = i + 1;
        }
    }
    return sep;
}

QStringList splitBatch(const QString& batch) {
    const std::vector<Token> t = lex(batch);
    const std::vector<bool> sep = separators(batch, t);
    QStringList out;
    qsizetype begin = 0;
    auto flush = [&](qsizetype end) {
        const QString statement = batch.mid(begin, end - begin).trimmed();
        if (!statement.isEmpty())
            out << statement;
    };
    for (size_t i = 0; i < t.size(); ++i) {
        if (!sep[i])
            continue;
        flush(t[i].begin);
        begin = t[i].end;
    }
    flush(batch.size());
    return out;
}

QStringList topLevelWords(const QString& sql) {
    const std::vector<Token> t = lex(sql);
    return wordsOf(sql, t, 0, t.size());
}

} // namespace sqltext
