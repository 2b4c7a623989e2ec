#pragma once
// What of SQL Server's own dialect an Oracle statement still holds: the
// checks of the tests that run the program's statements through the Oracle
// rewriting.

#include "platform/sql/lexer.h"

#include <QStringList>
#include <vector>

namespace testutil {

inline QStringList serverDialectLeft(const QString& sql) {
    static const QStringList words = {"NOLOCK",    "GETDATE",   "TOP",     "ISNULL", "LEN",
                                      "CHARINDEX", "SUBSTRING", "CONVERT", "FORMAT", "DBO"};
    static const QStringList calls = {"YEAR", "MONTH", "DAY", "RIGHT", "LEFT"};
    std::vector<sqltext::Token> t = sqltext::lex(sql);
    std::erase_if(t, [](const sqltext::Token& x) {
        return x.kind == sqltext::TokenKind::Space || x.kind == sqltext::TokenKind::Comment;
    });
    auto kind = [&](size_t k) { return k < t.size() ? t[k].kind : sqltext::TokenKind::Space; };
    QStringList left;
    for (size_t k = 0; k < t.size(); ++k) {
        const QString w = sqltext::upperWord(sql, t[k]);
        const QString nextText = k + 1 < t.size() ? t[k + 1].text(sql).toString() : QString();
        const QString prevWord = k > 0 ? sqltext::upperWord(sql, t[k - 1]) : QString();
        const QStringView text = t[k].text(sql);
        // Oracle's + adds numbers; its quoted names keep their letter case.
        const bool textPlus = text == u"+" && (kind(k - 1) == sqltext::TokenKind::String ||
                                               kind(k + 1) == sqltext::TokenKind::String);
        const bool lowerName = text.startsWith(u'"') && prevWord != u"AS" &&
                               text.toString() != text.toString().toUpper();
        if (words.contains(w) || (calls.contains(w) && nextText == u"(") ||
            t[k].kind == sqltext::TokenKind::DateLiteral || text.startsWith(u'[') || textPlus ||
            lowerName || ((text == u"<>" || text == u"!=") && nextText == u"''"))
            left << text.toString();
    }
    return left;
}

} // namespace testutil
