#include "platform/sql/batch.h"
#include "platform/sql/sqlrewrite.h"

#include <gtest/gtest.h>

namespace {

TEST(SqlBatch, SplitsAtStatementsNotInsideLiteralsOrClauses) {
    struct Case {
        QString batch;
        QStringList expected;
    };
    const Case cases[] = {
        {QStringLiteral("BEGIN TRANSACTION \r\r\rINSERT INTO T VALUES (1)\rINSERT INTO T VALUES "
                        "(2)\r"),
         {QStringLiteral("BEGIN TRANSACTION"), QStringLiteral("INSERT INTO T VALUES (1)"),
          QStringLiteral("INSERT INTO T VALUES (2)")}},
        {QStringLiteral("UPDATE T SET A = 'x;\r\nDELETE y'\r\nDELETE FROM T;SELECT 1"),
         {QStringLiteral("UPDATE T SET A = 'x;\r\nDELETE y'"), QStringLiteral("DELETE FROM T"),
          QStringLiteral("SELECT 1")}},
        {QStringLiteral("SELECT A\r\nFROM T\r\nWHERE B = 1\r\nORDER BY A"),
         {QStringLiteral("SELECT A\r\nFROM T\r\nWHERE B = 1\r\nORDER BY A")}},
        {QStringLiteral("INSERT INTO T (A)\nSELECT A FROM U\nINSERT INTO T VALUES (3)\nSELECT * "
                        "FROM T"),
         {QStringLiteral("INSERT INTO T (A)\nSELECT A FROM U"),
          QStringLiteral("INSERT INTO T VALUES (3)"), QStringLiteral("SELECT * FROM T")}},
        {QStringLiteral("UPDATE T\r\nSET A = 1\r\nWHERE B IN (\r\nSELECT B FROM U)\r\nSET NOCOUNT "
                        "OFF"),
         {QStringLiteral("UPDATE T\r\nSET A = 1\r\nWHERE B IN (\r\nSELECT B FROM U)"),
          QStringLiteral("SET NOCOUNT OFF")}},
        {QStringLiteral("CREATE VIEW V AS\r\nSELECT [A;B] FROM T\r\nGO\r\nDROP VIEW W -- ; x\r\n"),
         {QStringLiteral("CREATE VIEW V AS\r\nSELECT [A;B] FROM T"),
          QStringLiteral("DROP VIEW W -- ; x")}},
        {QStringLiteral("SELECT 1\rUNION ALL\rSELECT 2"),
         {QStringLiteral("SELECT 1\rUNION ALL\rSELECT 2")}},
        {QStringLiteral("  \r\n ; \r"), {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(sqltext::splitBatch(c.batch), c.expected) << c.batch.toStdString();
}

// The rewriter reads a batch with the splitter's cuts: a TOP ends up at the
// end of its own statement, not of the batch.
TEST(SqlBatch, RewriterEndsEachStatementWhereTheSplitterDoes) {
    const struct {
        const char* batch;
        const char* rewritten;
    } cases[] = {
        {"SELECT TOP 1 a FROM T\nSELECT TOP 2 b FROM U",
         "SELECT a FROM T LIMIT 1\nSELECT b FROM U LIMIT 2"},
        {"SELECT TOP 1 a FROM T\r\nTRUNCATE TABLE X\r\nSELECT 1",
         "SELECT a FROM T LIMIT 1\r\nTRUNCATE TABLE X\r\nSELECT 1"},
        {"SELECT TOP 1 a FROM T\nGO\nSELECT 2", "SELECT a FROM T LIMIT 1\nGO\nSELECT 2"},
        {"INSERT INTO T (a)\nSELECT TOP 1 a FROM U", "INSERT INTO T (a)\nSELECT a FROM U LIMIT 1"},
    };
    for (const auto& c : cases) {
        const QString out = sqlrewrite::toSqlite(QString::fromUtf8(c.batch));
        EXPECT_EQ(out.toStdString(), std::string(c.rewritten)) << c.batch;
        EXPECT_EQ(sqltext::splitBatch(out).size(),
                  sqltext::splitBatch(QString::fromUtf8(c.batch)).size())
            << c.batch;
    }
}

} // namespace
