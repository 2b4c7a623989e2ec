#pragma once
// The one SQL lexer: the batch splitter, the rewriter and the engine's write
// checks all read statements through it. It is lossless (the tokens' texts
// joined give the input back) and never looks inside a literal.

#include <QString>
#include <QStringView>
#include <vector>

namespace sqltext {

enum class TokenKind {
    Space,       // a run of blanks and line ends
    Comment,     // "-- ..." up to the line end, "/* ... */"
    String,      // '...' ('' inside); an unclosed one runs to the end
    Ident,       // "name", [name] (]] inside), `name`
    Word,        // keywords and bare names: letters, digits, _ @ $ #
    Number,      // 12, 1.5, .5, 1e-3
    Punct,       // one character, or one of <= >= <> != !< !> ||
    DateLiteral, // #31/12/2023#, #2023-12-31 10:00#
};

struct Token {
    TokenKind kind;
    qsizetype begin;
    qsizetype end;
    QStringView text(const QString& sql) const { return QStringView(sql).mid(begin, end - begin); }
};

std::vector<Token> lex(const QString& sql);

bool isWordChar(QChar c);

// A word or number, upper-cased; empty for any other token.
QString upperWord(const QString& sql, const Token& t);

// The content of a String or Ident token: delimiters off, doubled closing
// delimiters made single.
QString unquoted(const QString& sql, const Token& t);

} // namespace sqltext
