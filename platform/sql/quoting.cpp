#include "platform/sql/quoting.h"

#include "platform/sql/lexer.h"

#include <QStringList>

#include <algorithm>

namespace sqltext {

namespace {

QString quoted(const QString& text, QChar delimiter) {
    QString r;
    r.reserve(text.size() + 2);
    r += delimiter;
    for (const QChar c : text) {
        if (c == delimiter)
            r += delimiter;
        r += c;
    }
    r += delimiter;
    return r;
}

} // namespace

QString literal(const QString& text) {
    return quoted(text, u'\'');
}

QString identifier(const QString& name) {
    return quoted(name, u'"');
}

QString bracketed(const QString& name) {
    QString r = quoted(name, u']');
    r[0] = u'[';
    return r;
}

namespace {

// `text` between the wildcards, as a literal; LIKE's own characters in it
// escaped with "!" (and the ESCAPE clause added) only when it holds any.
QString likePattern(const QString& text, bool leading) {
    constexpr QChar escape = u'!';
    const auto special = [](QChar c) { return c == u'%' || c == u'_' || c == u'['; };
    const QString head = leading ? QStringLiteral("%") : QString();
    if (std::none_of(text.begin(), text.end(), special))
        return literal(head + text + u'%');
    QString pattern;
    pattern.reserve(text.size() * 2 + 2);
    pattern += head;
    for (const QChar c : text) {
        if (special(c) || c == escape)
            pattern += escape;
        pattern += c;
    }
    pattern += u'%';
    return literal(pattern) + QStringLiteral(" ESCAPE '!'");
}

} // namespace

QString likeContaining(const QString& text) {
    return likePattern(text, true);
}

QString likeStarting(const QString& text) {
    return likePattern(text, false);
}

QString equalsTrimmed(const QString& column, const QString& literal) {
    return u'(' + column + QStringLiteral(" =") + literal + QStringLiteral(" OR ") + column +
           QStringLiteral(" < '0' AND LTRIM(RTRIM(") + column + QStringLiteral(")) =") + literal +
           u')';
}

QString nulsSpelled(const QString& sql) {
    if (!sql.contains(QChar(0)))
        return sql;
    QString r;
    r.reserve(sql.size() + 32);
    for (const Token& t : lex(sql)) {
        const QStringView texto = t.text(sql);
        if (t.kind != TokenKind::String || !texto.contains(QChar(0))) {
            r += texto;
            continue;
        }
        QStringList piezas;
        for (const QString& pieza : unquoted(sql, t).split(QChar(0)))
            piezas << literal(pieza);
        r += u'(' + piezas.join(QStringLiteral(" || char(0) || ")) + u')';
    }
    return r;
}

} // namespace sqltext
