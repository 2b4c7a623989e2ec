// The embedded engine converts a written or converted value as the server
// converts it: what it stores is what the server would store, and what the
// server refuses fails with the server's number and words.

#include "common/tempdb.h"
#include "platform/ado/ado.h"
#include "platform/vb/vb.h"

#include <gtest/gtest.h>

using namespace ado;
using testutil::TempDatabase;

namespace {

class Conversions : public ::testing::Test {
protected:
    TempDatabase db;
    ConnectionPtr cnn;

    void SetUp() override {
        db.exec(QStringLiteral("CREATE TABLE T_CONV (ID INTEGER PRIMARY KEY, I INT, S SMALLINT, "
                               "TI TINYINT, B BIGINT, BT BIT, M MONEY, SM SMALLMONEY, D DATETIME);"
                               "INSERT INTO T_CONV (ID) VALUES (1);"));
        cnn = Connection::create();
        cnn->Open(db.connectionString());
    }

    // The error of a statement that must fail, or a failure of the test.
    Error refusal(const QString& sql) const {
        try {
            cnn->Execute(sql);
        } catch (const Exception& e) {
            return e.error();
        }
        ADD_FAILURE() << "accepted: " << sql.toStdString();
        return Error{};
    }
    QVariant select(const QString& expression) const {
        auto rs = cnn->Execute(QStringLiteral("SELECT ") + expression);
        return rs->Fields(0).Value();
    }
};

// A case's outcome: the value stored (read back as the file holds it), or
// the server's refusal.
struct Outcome {
    const char* stored; // as SQLite's text of the stored value; nullptr when refused
    long native = 0;
    const char* description = nullptr;
};

} // namespace

TEST_F(Conversions, WholeNumberColumnsStoreWhatTheServerStores) {
    const struct {
        const char* column;
        const char* value;
        Outcome outcome;
    } cases[] = {
        {"I", "12.7", {"12"}},
        {"I", "-12.7", {"-12"}},
        {"I", "2147483647.9", {"2147483647"}},
        {"I", "5 / 2.0", {"2"}},
        {"I", "' 12 '", {"12"}},
        {"I", "'-3'", {"-3"}},
        {"I",
         "2147483648.5",
         {nullptr, nativeArithmeticOverflow,
          "Arithmetic overflow error converting expression to data type int."}},
        {"I",
         "'12.7'",
         {nullptr, nativeConversion,
          "Conversion failed when converting the varchar value '12.7' to data type int."}},
        {"I",
         "'3000000000'",
         {nullptr, nativeIntegerText,
          "The conversion of the varchar value '3000000000' overflowed an int column."}},
        {"S", "2.5", {"2"}},
        {"S", "-32768.9", {"-32768"}},
        {"S",
         "32768.1",
         {nullptr, nativeArithmeticOverflow,
          "Arithmetic overflow error converting expression to data type smallint."}},
        {"S",
         "'2.5'",
         {nullptr, nativeConversion,
          "Conversion failed when converting the varchar value '2.5' to data type smallint."}},
        {"TI", "255.99", {"255"}},
        {"TI", "-0.5", {"0"}},
        {"TI",
         "256.5",
         {nullptr, nativeArithmeticOverflow,
          "Arithmetic overflow error converting expression to data type tinyint."}},
        {"TI",
         "'300'",
         {nullptr, nativeSmallIntegerText,
          "The conversion of the varchar value '300' overflowed an INT1 column. Use a larger "
          "integer column."}},
        {"B", "-9.99", {"-9"}},
        {"B", "'9007199254740993'", {"9007199254740993"}},
        {"B",
         "'12.0'",
         {nullptr, nativeConversion,
          "Conversion failed when converting the varchar value '12.0' to data type bigint."}},
        {"BT", "'true'", {"1"}},
        {"BT",
         "'2.5'",
         {nullptr, nativeConversion,
          "Conversion failed when converting the varchar value '2.5' to data type bit."}},
    };
    int id = 10;
    for (const auto& c : cases) {
        const QString column = QString::fromUtf8(c.column), value = QString::fromUtf8(c.value);
        // Each case by both statements: an INSERT of a new row, an UPDATE of row 1.
        const QStringList statements = {
            QStringLiteral("INSERT INTO T_CONV (ID, %1) VALUES (%2, %3)")
                .arg(column)
                .arg(id)
                .arg(value),
            QStringLiteral("UPDATE T_CONV SET %1 = %2 WHERE ID = 1").arg(column, value)};
        for (const QString& sql : statements) {
            const QString before = db.scalar(QStringLiteral("SELECT group_concat(ID || '|' || "
                                                            "ifnull(%1, ''), ';') FROM T_CONV")
                                                 .arg(column))
                                       .toString();
            if (c.outcome.stored) {
                EXPECT_NO_THROW(cnn->Execute(sql)) << sql.toStdString();
                const int row = sql.startsWith(u"INSERT") ? id : 1;
                EXPECT_EQ(db.rows(QStringLiteral("SELECT CAST(%1 AS TEXT), typeof(%1) FROM "
                                                 "T_CONV WHERE ID = %2")
                                      .arg(column)
                                      .arg(row)),
                          (QList<QVariantList>{
                              {QString::fromUtf8(c.outcome.stored), QStringLiteral("integer")}}))
                    << sql.toStdString();
                continue;
            }
            const Error e = refusal(sql);
            EXPECT_EQ(e.NativeError, c.outcome.native) << sql.toStdString();
            EXPECT_EQ(e.Description, QString::fromUtf8(c.outcome.description)) << sql.toStdString();
            EXPECT_EQ(db.scalar(QStringLiteral("SELECT group_concat(ID || '|' || ifnull(%1, ''), "
                                               "';') FROM T_CONV")
                                    .arg(column))
                          .toString(),
                      before)
                << sql.toStdString();
        }
        ++id;
    }

    // A table wider than one function call's arguments is kept alike.
    QStringList wide;
    for (int i = 1; i <= 130; ++i)
        wide << QStringLiteral("C%1 INT").arg(i);
    cnn->Execute(QStringLiteral("CREATE TABLE T_ANCHA (%1)").arg(wide.join(u',')));
    cnn->Execute(QStringLiteral("INSERT INTO T_ANCHA (C1, C130) VALUES (1.5, 2.5)"));
    EXPECT_EQ(db.rows(QStringLiteral("SELECT C1, C130 FROM T_ANCHA")),
              (QList<QVariantList>{{1LL, 2LL}}));

    // A recordset reads what is stored; a fraction stored before the engine
    // truncated them reads as the server would have stored it.
    db.exec(QStringLiteral("INSERT INTO T_CONV (ID, S) VALUES (99, 2.5)"));
    auto rs = Recordset::create();
    rs->Open(QStringLiteral("SELECT S FROM T_CONV WHERE ID = 99"), cnn, adOpenDynamic,
             adLockOptimistic);
    EXPECT_EQ(rs->value(QStringLiteral("S")).toInt(), 2);
    // A recordset's write takes the same road.
    cnn->Execute(QStringLiteral("CREATE VIEW V_CONV AS SELECT ID, I FROM T_CONV"));
    cnn->Execute(QStringLiteral("INSERT INTO V_CONV (ID, I) VALUES (98, 7.9)"));
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT I FROM T_CONV WHERE ID = 98")).toLongLong(), 7);
}

TEST_F(Conversions, MoneyHoldsItsRangeAtBothEnds) {
    const struct {
        const char* column;
        const char* value;
        const char* type; // nullptr: taken
    } cases[] = {
        {"M", "-922337203685477.5808", nullptr}, {"M", "922337203685477.5807", nullptr},
        {"M", "-922337203685477", nullptr},      {"M", "-922337203685477.5809", "money"},
        {"M", "922337203685477.5808", "money"},  {"M", "922337203685478", "money"},
        {"SM", "-214748.3648", nullptr},         {"SM", "214748.3647", nullptr},
        {"SM", "-214748.3649", "smallmoney"},    {"SM", "214748.3648", "smallmoney"},
    };
    for (const auto& c : cases) {
        const QString column = QString::fromUtf8(c.column), value = QString::fromUtf8(c.value);
        for (const QString& sql :
             {QStringLiteral("UPDATE T_CONV SET %1 = %2 WHERE ID = 1").arg(column, value),
              QStringLiteral("SELECT CAST(%1 AS %2)")
                  .arg(value,
                       column == u"M" ? QStringLiteral("MONEY") : QStringLiteral("SMALLMONEY")),
              QStringLiteral("SELECT CONVERT(%1, '%2')")
                  .arg(column == u"M" ? QStringLiteral("MONEY") : QStringLiteral("SMALLMONEY"),
                       value)}) {
            if (!c.type) {
                EXPECT_NO_THROW(cnn->Execute(sql)) << sql.toStdString();
                continue;
            }
            const Error e = refusal(sql);
            EXPECT_EQ(e.NativeError, nativeArithmeticOverflow) << sql.toStdString();
            EXPECT_EQ(e.Description, QStringLiteral("Arithmetic overflow error converting "
                                                    "expression to data type %1.")
                                         .arg(QString::fromUtf8(c.type)))
                << sql.toStdString();
        }
        if (!c.type) { // stored as the nearest double, which reads back as the value
            EXPECT_EQ(db.scalar(QStringLiteral("SELECT %1 FROM T_CONV WHERE ID = 1").arg(column))
                          .toDouble(),
                      value.toDouble())
                << c.value;
        }
    }
}

TEST_F(Conversions, DatesConvertAsTheServerConvertsThem) {
    const char* const outOfRange = "The conversion of a varchar data type to a datetime data type "
                                   "resulted in an out-of-range value.";
    const struct {
        const char* expression;
        Outcome outcome;
    } cases[] = {
        {"CAST('20240315' AS DATETIME)", {"2024-03-15 00:00:00"}},
        {"CAST('2024' + '0315' AS DATETIME)", {"2024-03-15 00:00:00"}},
        {"CONVERT(DATETIME, '2024-03-15')", {"2024-03-15 00:00:00"}},
        {"CAST('2024-03-15 10:20:30.123' AS DATETIME)", {"2024-03-15 10:20:30"}},
        {"CAST(45000 AS DATETIME)", {"2023-03-17 00:00:00"}},
        {"CONVERT(DATETIME, 45000.75)", {"2023-03-17 18:00:00"}},
        {"CAST('2024-02-30' AS DATETIME)", {nullptr, nativeDateOutOfRange, outOfRange}},
        {"CONVERT(DATETIME, '30/02/2024')", {nullptr, nativeDateOutOfRange, outOfRange}},
        {"CONVERT(DATETIME, '2024' + '0230')", {nullptr, nativeDateOutOfRange, outOfRange}},
        {"MONTH('31/02/2020')", {nullptr, nativeDateOutOfRange, outOfRange}},
        {"CAST('mañana' AS DATETIME)",
         {nullptr, nativeDateConversion,
          "Conversion failed when converting date and/or time from character string."}},
        {"CAST(3000000 AS DATETIME)",
         {nullptr, nativeArithmeticOverflow,
          "Arithmetic overflow error converting expression to data type datetime."}},
    };
    for (const auto& c : cases) {
        const QString e = QString::fromUtf8(c.expression);
        if (c.outcome.stored) {
            EXPECT_EQ(select(e).toDateTime(),
                      QDateTime::fromString(QString::fromUtf8(c.outcome.stored),
                                            QStringLiteral("yyyy-MM-dd HH:mm:ss")))
                << c.expression;
            cnn->Execute(QStringLiteral("UPDATE T_CONV SET D = %1 WHERE ID = 1").arg(e));
            EXPECT_EQ(db.scalar(QStringLiteral("SELECT D FROM T_CONV WHERE ID = 1")).toString(),
                      QString::fromUtf8(c.outcome.stored))
                << c.expression;
            continue;
        }
        const Error err = refusal(QStringLiteral("SELECT ") + e);
        EXPECT_EQ(err.NativeError, c.outcome.native) << c.expression;
        EXPECT_EQ(err.Description, QString::fromUtf8(c.outcome.description)) << c.expression;
    }
    // Written into a date column by any road, a date that names no day is refused.
    for (const char* sql :
         {"INSERT INTO T_CONV (ID, D) VALUES (2, '2024-02-30')", "UPDATE T_CONV SET D = '20240230'",
          "UPDATE T_CONV SET D = '31/04/2024 10:00'",
          "INSERT INTO T_CONV (ID, D) SELECT 3, '2023-02-29'"}) {
        EXPECT_EQ(refusal(QString::fromUtf8(sql)).NativeError, nativeDateOutOfRange) << sql;
    }
    EXPECT_EQ(db.scalar(QStringLiteral("SELECT COUNT(*) FROM T_CONV")).toInt(), 1);
}

TEST_F(Conversions, DateFunctionsTakeTheServersDateparts) {
    const struct {
        const char* expression;
        QVariant result; // a date as its stored text, or a number; invalid when refused
        long native = 0;
        const char* description = nullptr;
    } cases[] = {
        {"DATEADD(day, 1, '2024-02-28')", "2024-02-29 00:00:00"},
        {"DATEADD(dd, -1, '2024-03-01 10:00:00')", "2024-02-29 10:00:00"},
        {"DATEADD(d, 2.9, '20240301')", "2024-03-03 00:00:00"},
        {"DATEADD(mm, 1, '2024-01-31')", "2024-02-29 00:00:00"},
        {"DATEADD(m, -13, '2024-03-31')", "2023-02-28 00:00:00"},
        {"DATEADD(yyyy, 1, '2024-02-29')", "2025-02-28 00:00:00"},
        {"DATEADD(yy, -1, '2024-03-15')", "2023-03-15 00:00:00"},
        {"DATEADD(quarter, 1, '2024-11-30')", "2025-02-28 00:00:00"},
        {"DATEADD(week, 2, '2024-03-15')", "2024-03-29 00:00:00"},
        {"DATEADD(dayofyear, 1, '2024-12-31')", "2025-01-01 00:00:00"},
        {"DATEADD(weekday, 3, '2024-03-15')", "2024-03-18 00:00:00"},
        {"DATEADD(hour, 25, '2024-03-15 10:00:00')", "2024-03-16 11:00:00"},
        {"DATEADD(mi, 90, '2024-03-15 10:00:00')", "2024-03-15 11:30:00"},
        {"DATEADD(n, -1, '2024-03-15')", "2024-03-14 23:59:00"},
        {"DATEADD(ss, 61, '2024-03-15')", "2024-03-15 00:01:01"},
        {"DATEADD(millisecond, 1500, '2024-03-15')", "2024-03-15 00:00:01"},
        {"DATEDIFF(year, '2023-12-31', '2024-01-01')", 1},
        {"DATEDIFF(quarter, '2024-03-31', '2024-04-01')", 1},
        {"DATEDIFF(month, '2024-01-31', '2024-02-01')", 1},
        {"DATEDIFF(day, '2024-03-15 23:59:59', '2024-03-16')", 1},
        {"DATEDIFF(dd, '2024-03-16', '2024-03-15')", -1},
        {"DATEDIFF(week, '2024-03-16', '2024-03-17')", 1}, // Saturday to Sunday
        {"DATEDIFF(wk, '2024-03-17', '2024-03-23')", 0},
        {"DATEDIFF(hour, '2024-03-15 10:59:59', '2024-03-15 11:00:00')", 1},
        {"DATEDIFF(minute, '2024-03-15 10:00:59', '2024-03-15 10:01:00')", 1},
        {"DATEDIFF(s, '2024-03-15', '2024-03-15 00:01:00')", 60},
        {"DATEDIFF(ms, '2024-03-15', '2024-03-15 00:00:02')", 2000},
        {"DATEPART(year, '2024-03-15')", 2024},
        {"DATEPART(qq, '2024-03-15')", 1},
        {"DATEPART(month, '15/03/2024')", 3},
        {"DATEPART(dy, '2024-03-01')", 61},
        {"DATEPART(day, '2024-03-15')", 15},
        {"DATEPART(weekday, '2024-03-17')", 7}, // a Sunday, Monday being the first day
        {"DATEPART(dw, '2024-03-18')", 1},
        {"DATEPART(week, '2024-01-07')", 1},
        {"DATEPART(wk, '2024-01-08')", 2},
        {"DATEPART(hh, '2024-03-15 10:20:30')", 10},
        {"DATEPART(mi, '2024-03-15 10:20:30')", 20},
        {"DATEPART(second, '2024-03-15 10:20:30')", 30},
        {"DATEADD(day, 1, NULL)", QVariant()},
        {"DATEADD(fortnight, 1, '2024-03-15')", QVariant(), nativeUnknownDatePart,
         "'fortnight' is not a recognized dateadd option."},
        {"DATEDIFF(dia, '2024-03-15', '2024-03-16')", QVariant(), nativeUnknownDatePart,
         "'dia' is not a recognized datediff option."},
        {"DATEPART(semana, '2024-03-15')", QVariant(), nativeUnknownDatePart,
         "'semana' is not a recognized datepart option."},
        {"DATEADD(year, 8000, '2024-03-15')", QVariant(), nativeDateOverflow,
         "Adding a value to a 'datetime' column caused an overflow."},
        {"DATEADD(day, 1, '2024-02-30')", QVariant(), nativeDateOutOfRange,
         "The conversion of a varchar data type to a datetime data type resulted in an "
         "out-of-range value."},
    };
    for (const auto& c : cases) {
        const QString e = QString::fromUtf8(c.expression);
        if (c.native) {
            const Error err = refusal(QStringLiteral("SELECT ") + e);
            EXPECT_EQ(err.NativeError, c.native) << c.expression;
            EXPECT_EQ(err.Description, QString::fromUtf8(c.description)) << c.expression;
            continue;
        }
        const QVariant v = select(e);
        if (!c.result.isValid())
            EXPECT_TRUE(vb::IsNull(v)) << c.expression;
        else if (c.result.typeId() == QMetaType::Int)
            EXPECT_EQ(v.toInt(), c.result.toInt()) << c.expression;
        else
            EXPECT_EQ(v.toDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
                      c.result.toString())
                << c.expression;
    }
    // Over a column as over a literal.
    cnn->Execute(QStringLiteral("UPDATE T_CONV SET D = '2024-03-15'"));
    auto rs = cnn->Execute(
        QStringLiteral("SELECT DATEDIFF(day, D, DATEADD(month, 1, D)) AS N FROM T_CONV"));
    EXPECT_EQ(rs->value(QStringLiteral("N")).toInt(), 31);
}
