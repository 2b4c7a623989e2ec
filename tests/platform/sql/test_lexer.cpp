#include "platform/sql/lexer.h"
#include "platform/sql/quoting.h"

#include <gtest/gtest.h>

namespace {

using sqltext::TokenKind;

// Kinds and texts of the tokens, blanks left out, as "Kind:text" pieces.
std::string tokens(const QString& sql) {
    static const char* names[] = {"Space", "Comment", "String", "Ident",
                                  "Word",  "Number",  "Punct",  "Date"};
    std::string out;
    QString joined;
    for (const sqltext::Token& t : sqltext::lex(sql)) {
        joined += t.text(sql);
        if (t.kind == TokenKind::Space)
            continue;
        out += std::string(out.empty() ? "" : " ") + names[int(t.kind)] + ':' +
               t.text(sql).toString().toStdString();
    }
    EXPECT_EQ(joined, sql) << "the tokens must give the text back";
    return out;
}

TEST(SqlLexer, TokensOfTheDialect) {
    const struct {
        const char* sql;
        const char* expected;
    } cases[] = {
        {"SELECT [A;B], \"x\"\"y\" FROM T", "Word:SELECT Ident:[A;B] Punct:, Ident:\"x\"\"y\" "
                                            "Word:FROM Word:T"},
        {"'it''s -- no' -- yes\rX", "String:'it''s -- no' Comment:-- yes Word:X"},
        {"/* a ' b */ 'open", "Comment:/* a ' b */ String:'open"},
        {"[a]]b] [open", "Ident:[a]]b] Punct:[ Word:open"},
        {"1abc 1.5e-3 .5 12.", "Word:1abc Number:1.5e-3 Number:.5 Number:12."},
        {"#31/12/2023# #temp @p $x", "Date:#31/12/2023# Word:#temp Word:@p Word:$x"},
        {"a<=b||c<>d", "Word:a Punct:<= Word:b Punct:|| Word:c Punct:<> Word:d"},
        {"`q`", "Ident:`q`"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(tokens(QString::fromUtf8(c.sql)), c.expected) << c.sql;
}

TEST(SqlLexer, UnquotedAndQuotedRoundTrip) {
    const QString sql = QStringLiteral("'O''Brien' [a]]b] \"q\"\"r\"");
    const auto t = sqltext::lex(sql);
    ASSERT_EQ(t.size(), 5u);
    EXPECT_EQ(sqltext::unquoted(sql, t[0]), QStringLiteral("O'Brien"));
    EXPECT_EQ(sqltext::unquoted(sql, t[2]), QStringLiteral("a]b"));
    EXPECT_EQ(sqltext::unquoted(sql, t[4]), QStringLiteral("q\"r"));

    for (const QString& v : {QStringLiteral("O'Brien"), QStringLiteral("''"), QString(),
                             QStringLiteral("x' OR '1'='1")}) {
        const QString lit = sqltext::literal(v);
        const auto one = sqltext::lex(lit);
        ASSERT_EQ(one.size(), 1u) << lit.toStdString();
        EXPECT_EQ(one[0].kind, TokenKind::String);
        EXPECT_EQ(sqltext::unquoted(lit, one[0]), v);
    }
    EXPECT_EQ(sqltext::literal(QStringLiteral("O'Brien")), QStringLiteral("'O''Brien'"));
    EXPECT_EQ(sqltext::identifier(QStringLiteral("a\"b")), QStringLiteral("\"a\"\"b\""));
}

// LIKE's own characters stand for themselves; a plain text gets no ESCAPE.
TEST(SqlQuoting, LikeContainingEscapesWildcards) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"it's!", "'%it''s!%'"},
        {"[x]!", "'%![x]!!%' ESCAPE '!'"},
        {"a_b 5%", "'%a!_b 5!%%' ESCAPE '!'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqltext::likeContaining(QString::fromUtf8(c.text)).toStdString(), c.expected)
            << c.text;
}

TEST(SqlQuoting, LikeStartingEscapesWildcards) {
    const struct {
        const char* text;
        const char* expected;
    } cases[] = {
        {"1'A", "'1''A%'"},
        {"1_0%", "'1!_0!%%' ESCAPE '!'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqltext::likeStarting(QString::fromUtf8(c.text)).toStdString(), c.expected)
            << c.text;
}

} // namespace

// A NUL inside a literal would end the statement for SQLite: it is spelled
// out; one outside literals is left to the reader.
TEST(SqlQuoting, NulsSpelledForSqlite) {
    // "~" stands for the NUL character.
    const auto nul = [](const char* s) { return QString::fromUtf8(s).replace(u'~', QChar(0)); };
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"SELECT 'a~b' FROM T", "SELECT ('a' || char(0) || 'b') FROM T"},
        {"WHERE C = '~z' AND D = 'O''~'",
         "WHERE C = ('' || char(0) || 'z') AND D = ('O''' || char(0) || '')"},
        {"SELECT 1 -- '~'\rFROM T", "SELECT 1 -- '~'\rFROM T"},
        {"SELECT 'sin nulos'", "SELECT 'sin nulos'"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqltext::nulsSpelled(nul(c.in)), nul(c.out)) << c.in;
}
