#include "platform/sql/lexer.h"

#include <QRegularExpression>
#include <QStringList>

namespace sqltext {

namespace {

// "#31/12/2020#", "#2020-12-31 10:00#": the Access date literal.
const QRegularExpression& hashDate() {
    static const QRegularExpression re(QStringLiteral(
        R"(#[0-9]{1,4}[/-][0-9]{1,2}[/-][0-9]{1,4}( +[0-9]{1,2}:[0-9]{2}(:[0-9]{2})?)?#)"));
    return re;
}

// Index past the quoted text that opens at i with `close` as its closing
// delimiter (doubled inside); -1 when it is not closed.
qsizetype quotedEnd(const QString& s, qsizetype i, QChar close) {
    const qsizetype n = s.size();
    qsizetype j = i + 1;
    while (j < n) {
        if (s.at(j) == close) {
            if (j + 1 < n && s.at(j + 1) == close) {
                j += 2;
                continue;
            }
            return j + 1;
        }
        ++j;
    }
    return -1;
}

} // namespace

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_' || c == u'@' || c == u'$' || c == u'#';
}

std::vector<Token> lex(const QString& s) {
    std::vector<Token> out;
    const qsizetype n = s.size();
    auto at = [&](qsizetype j) { return j < n ? s.at(j) : QChar(); };
    qsizetype i = 0;
    while (i < n) {
        const QChar c = s.at(i);
        qsizetype j = i + 1;
        TokenKind kind = TokenKind::Punct;
        if (c.isSpace()) {
            while (j < n && s.at(j).isSpace())
                ++j;
            kind = TokenKind::Space;
        } else if (c == u'-' && at(i + 1) == u'-') {
            while (j < n && s.at(j) != u'\n' && s.at(j) != u'\r')
                ++j;
            kind = TokenKind::Comment;
        } else if (c == u'/' && at(i + 1) == u'*') {
            const qsizetype e = s.indexOf(QLatin1String("*/"), i + 2);
            j = e < 0 ? n : e + 2;
            kind = TokenKind::Comment;
        } else if (c == u'\'' || c == u'"' || c == u'`') {
            // An unclosed literal runs to the end and is left alone.
            const qsizetype e = quotedEnd(s, i, c);
            j = e < 0 ? n : e;
            kind = c == u'\'' ? TokenKind::String : TokenKind::Ident;
        } else if (c == u'[') {
            // An unclosed bracket is a lone punctuation mark.
            const qsizetype e = quotedEnd(s, i, u']');
            if (e >= 0) {
                j = e;
                kind = TokenKind::Ident;
            }
        } else if (c == u'#' && hashDate()
                                    .match(s, i, QRegularExpression::NormalMatch,
                                           QRegularExpression::AnchorAtOffsetMatchOption)
                                    .hasMatch()) {
            j = s.indexOf(u'#', i + 1) + 1;
            kind = TokenKind::DateLiteral;
        } else if (c.isDigit() || (c == u'.' && at(i + 1).isDigit())) {
            while (j < n && s.at(j).isDigit())
                ++j;
            if (c != u'.' && at(j) == u'.' && at(j + 1) != u'.') {
                ++j;
                while (j < n && s.at(j).isDigit())
                    ++j;
            }
            if ((at(j) == u'e' || at(j) == u'E') &&
                (at(j + 1).isDigit() ||
                 ((at(j + 1) == u'+' || at(j + 1) == u'-') && at(j + 2).isDigit()))) {
                j += 2;
                while (j < n && s.at(j).isDigit())
                    ++j;
            }
            kind = TokenKind::Number;
            if (j < n && isWordChar(s.at(j))) { // "1abc" is a name, not a number
                while (j < n && isWordChar(s.at(j)))
                    ++j;
                kind = TokenKind::Word;
            }
        } else if (c.isLetter() || c == u'_' || c == u'@' || c == u'$' || c == u'#') {
            while (j < n && isWordChar(s.at(j)))
                ++j;
            kind = TokenKind::Word;
        } else {
            static const QStringList twoChar = {QStringLiteral("<="), QStringLiteral(">="),
                                                QStringLiteral("<>"), QStringLiteral("!="),
                                                QStringLiteral("!<"), QStringLiteral("!>"),
                                                QStringLiteral("||")};
            if (twoChar.contains(s.mid(i, 2)))
                j = i + 2;
        }
        out.push_back({kind, i, j});
        i = j;
    }
    return out;
}

QString upperWord(const QString& sql, const Token& t) {
    if (t.kind != TokenKind::Word && t.kind != TokenKind::Number)
        return QString();
    return t.text(sql).toString().toUpper();
}

QString unquoted(const QString& sql, const Token& t) {
    const QStringView text = t.text(sql);
    if (text.isEmpty())
        return QString();
    const QChar open = text.front();
    const QChar close = open == u'[' ? u']' : open;
    QStringView inner = text.mid(1);
    if (inner.endsWith(close) && !inner.isEmpty())
        inner.chop(1);
    QString r = inner.toString();
    return r.replace(QString(2, close), QString(close));
}

} // namespace sqltext
