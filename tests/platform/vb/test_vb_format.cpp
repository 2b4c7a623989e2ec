#include "platform/vb/vb.h"

#include <gtest/gtest.h>

using vb::Currency;
using vb::Format;

namespace {

struct RegionalGuard {
    vb::Regional saved = vb::regional();
    ~RegionalGuard() { vb::setRegional(saved); }
};

struct Case {
    QVariant value;
    const char* pattern;
    const char* expected;
};

void expectAll(std::initializer_list<Case> cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.value, QString::fromUtf8(c.pattern)), QString::fromUtf8(c.expected))
            << "value " << c.value.toString().toStdString() << " pattern " << c.pattern;
}

QVariant money(std::int64_t raw) {
    return vb::fromCurrency(Currency::fromRaw(raw));
}

TEST(VbFormat, NumericPatterns) {
    expectAll({
        {5, "0000", "0005"},
        {12345, "0000", "12345"},
        {-5, "0000", "-0005"},
        {1234, "00000000", "00001234"},
        {123456789, "00000000", "123456789"},
        {123, "0000000", "0000123"},
        {5, "00", "05"},
        {0, "0", "0"},
        {3.6, "0000", "0004"},
        {0.5, "#########.00", ",50"},
        {0, "#########.00", ",00"},
        {40, "#########.00", "40,00"},
        {-0.5, "#########.00", "-,50"},
        {0.5, "########0.00", "0,50"},
        {-1234.5, "########0.00", "-1234,50"},
        {12.5, "########0.0", "12,5"},
        {100.5, "#######0.00", "100,50"},
        {1234.5, "#,##0.00", "1.234,50"},
        {1234567.891, "#,##0.00", "1.234.567,89"},
        {0.25, "#,##0.00", "0,25"},
        {-1234567, "#,##0.00", "-1.234.567,00"},
        {3.14159, "##0.0000", "3,1416"},
        {2.5, "0.00", "2,50"},
        {5, "#.##", "5,"},
        {5.1, "#.##", "5,1"},
        {1234.5, "0", "1235"},
        {0.5, "0000", "0001"},
        {1234567, "#,##0,", "1.235"},
        {0.256, "0.0%", "25,6%"},
    });
}

TEST(VbFormat, RoundsHalfAwayFromZeroOnFifteenDigits) {
    expectAll({
        {2.5, "0", "3"},
        {-2.5, "0", "-3"},
        {0.125, "0.00", "0,13"},
        {1.005, "0.00", "1,01"}, // binary 1.00499999... still reads as 1.005
        {240.00000000000003, "0.00", "240,00"},
        {-0.001, "0.00", "0,00"},                   // no minus on a value that rounds to zero
        {money(1000050), "#########.00", "100,01"}, // CCur would keep 100,00
        {money(1000040), "#########.00", "100,00"},
        {money(-12345), "0.000", "-1,235"},
    });
}

TEST(VbFormat, SectionsAndLiterals) {
    expectAll({
        {-5, "0;(0)", "(5)"},
        {5, "0;(0)", "5"},
        {0, "0;-0;\"Cero\"", "Cero"},
        {7, "\"N° \"000", "N° 007"},
        {1234, "000-0", "123-4"},
        {5, "\\#0", "#5"},
    });
}

TEST(VbFormat, TextValues) {
    expectAll({
        {QStringLiteral("40,5"), "########0.00", "40,50"},
        {QStringLiteral("1.234,5"), "#########.00", "1234,50"},
        {QStringLiteral("  7 "), "0000", "0007"},
        {QStringLiteral("3"), "00000000", "00000003"},
        {QStringLiteral("0.######"), "########0.00", "0.######"},
        {QStringLiteral("abc"), "0000", "abc"},
        {QStringLiteral(""), "0000", ""},
        {QStringLiteral("31/12/2023"), "dd/mm/yy", "31/12/23"},
        {QStringLiteral("5/1/2023 14:07"), "yyyy-mm-dd hh:nn", "2023-01-05 14:07"},
        {QStringLiteral("31/02/2023"), "dd/mm/yyyy", "31/02/2023"},
    });
}

TEST(VbFormat, EmptyNullAndBooleans) {
    EXPECT_EQ(Format(vb::Empty(), QStringLiteral("0000")), QStringLiteral("0000"));
    EXPECT_EQ(Format(vb::Null(), QStringLiteral("0000")), QString());
    EXPECT_EQ(Format(vb::Null(), QStringLiteral("dd/mm/yyyy")), QString());
    EXPECT_EQ(Format(QVariant(true), QStringLiteral("0")), QStringLiteral("-1"));
    EXPECT_EQ(Format(QVariant(1.5), QString()), QStringLiteral("1,5"));
}

TEST(VbFormat, DatePatterns) {
    const QVariant dt = vb::MakeDate(2023, 1, 5, 14, 7, 9);
    expectAll({
        {dt, "dd/mm/yyyy", "05/01/2023"},
        {dt, "dd/mm/yy hh:mm", "05/01/23 14:07"},
        {dt, "dd/mm/yy", "05/01/23"},
        {dt, "mm/yyyy", "01/2023"},
        {dt, "yyyy", "2023"},
        {dt, "mm", "01"},
        {dt, "dd", "05"},
        {dt, "hh:mm:ss", "14:07:09"},
        {dt, "hh:mm", "14:07"},
        {dt, "dd/mm/yyyy hh:mm:ss", "05/01/2023 14:07:09"},
        {dt, "DD/MM/YYYY", "05/01/2023"},
        {dt, "d/m/yy", "5/1/23"},
        {dt, "nn", "07"},
        {dt, "mm:ss", "07:09"},
        {dt, "h:n:s", "14:7:9"},
        {dt, "yyyymmdd", "20230105"},
        {dt, "General Date", "05/01/2023 14:07:09"},
        {dt, "Short Date", "05/01/2023"},
        {vb::MakeDate(2023, 1, 5), "General Date", "05/01/2023"},
        {QDate(2024, 2, 29), "dd/mm/yyyy", "29/02/2024"},
        {vb::MakeDate(2023, 12, 31), "\"Día\" d", "Día 31"},
    });
    EXPECT_EQ(Format(QDate(2024, 2, 29), QStringLiteral("dd/mm/yyyy")),
              QStringLiteral("29/02/2024"));
    EXPECT_EQ(Format(vb::MakeDate(2023, 1, 5, 14, 7, 9), QStringLiteral("dd/mm/yy hh:mm")),
              QStringLiteral("05/01/23 14:07"));
}

TEST(VbFormat, DatesAndDayNumbersCrossOver) {
    // Day numbers count from 30/12/1899, as the runtime's dates do.
    EXPECT_EQ(Format(vb::MakeDate(2023, 1, 1), QStringLiteral("0")), QStringLiteral("44927"));
    EXPECT_EQ(Format(44927.5, QStringLiteral("dd/mm/yyyy hh:mm")),
              QStringLiteral("01/01/2023 12:00"));
}

TEST(VbFormat, FollowsChangedRegionalSettings) {
    RegionalGuard guard;
    vb::Regional r;
    r.decimalSeparator = u'.';
    r.thousandsSeparator = u',';
    r.shortDate = QStringLiteral("dd-MM-yyyy");
    vb::setRegional(r);
    EXPECT_EQ(Format(1234.5, QStringLiteral("#,##0.00")), QStringLiteral("1,234.50"));
    EXPECT_EQ(Format(0.5, QStringLiteral("#########.00")), QStringLiteral(".50"));
    EXPECT_EQ(Format(QVariant(QStringLiteral("1,234.5")), QStringLiteral("0.0")),
              QStringLiteral("1234.5"));
    // "/" in a date pattern is the regional date separator.
    EXPECT_EQ(Format(vb::MakeDate(2023, 1, 5), QStringLiteral("dd/mm/yyyy")),
              QStringLiteral("05-01-2023"));
}

} // namespace
