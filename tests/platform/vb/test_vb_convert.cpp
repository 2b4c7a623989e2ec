#include "platform/vb/vb.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>
#include <stdexcept>

using vb::Currency;

namespace {

struct RegionalGuard {
    vb::Regional saved = vb::regional();
    ~RegionalGuard() { vb::setRegional(saved); }
};

QVariant text(const char* s) {
    return QVariant(QString::fromUtf8(s));
}

TEST(VbVal, ReadsTheLeadingNumber) {
    const struct {
        const char* text;
        double expected;
    } cases[] = {
        {"12ab", 12},  {"1,5", 1},        {"", 0},           {" 1 2", 12},     {"-3.5x", -3.5},
        {"1e3", 1000}, {"&H1F", 31},      {"&hff", 255},     {"&HFFFF", -1},   {"&H10000", 65536},
        {"&O17", 15},  {".5", 0.5},       {"  -  4", -4},    {"1.2.3", 1.2},   {"abc", 0},
        {"1e", 1},     {"12 34,5", 1234}, {"+7", 7},         {"2D2", 200},     {"\t5\r\n6", 56},
        {"-", 0},      {"05-0000123", 5}, {"1.5E-2", 0.015}, {"0000123", 123},
    };
    for (const auto& c : cases)
        EXPECT_DOUBLE_EQ(vb::Val(QString::fromUtf8(c.text)), c.expected) << c.text;
}

TEST(VbVariants, EmptyAndNullAreDistinct) {
    EXPECT_TRUE(vb::IsEmpty(vb::Empty()));
    EXPECT_FALSE(vb::IsNull(vb::Empty()));
    EXPECT_TRUE(vb::IsNull(vb::Null()));
    EXPECT_FALSE(vb::IsEmpty(vb::Null()));
    EXPECT_FALSE(vb::IsNull(QVariant(QString())));
    EXPECT_FALSE(vb::IsNull(QVariant(0)));
}

TEST(VbConvert, CStr) {
    EXPECT_EQ(vb::CStr(vb::Null()), QString());
    EXPECT_EQ(vb::CStr(vb::Empty()), QString());
    EXPECT_EQ(vb::CStr(QVariant(true)), QStringLiteral("Verdadero"));
    EXPECT_EQ(vb::CStr(QVariant(false)), QStringLiteral("Falso"));
    EXPECT_EQ(vb::CStr(QVariant(42)), QStringLiteral("42"));
    EXPECT_EQ(vb::CStr(QVariant(1.5)), QStringLiteral("1,5"));
    EXPECT_EQ(vb::CStr(QVariant(0.1 + 0.2)), QStringLiteral("0,3"));
    EXPECT_EQ(vb::CStr(QVariant(-1234.25)), QStringLiteral("-1234,25"));
    EXPECT_EQ(vb::CStr(QVariant(1e20)), QStringLiteral("1E+20"));
    EXPECT_EQ(vb::CStr(QVariant(-1.5e-7)), QStringLiteral("-1,5E-07"));
    EXPECT_EQ(vb::CStr(QVariant(0.00001)), QStringLiteral("0,00001"));
    EXPECT_EQ(vb::CStr(QVariant(100.0)), QStringLiteral("100"));
    EXPECT_EQ(vb::CStr(vb::fromCurrency(Currency::fromRaw(12345000))), QStringLiteral("1234,5"));
    EXPECT_EQ(vb::CStr(vb::MakeDate(2023, 1, 5)), QStringLiteral("05/01/2023"));
    EXPECT_EQ(vb::CStr(vb::MakeDate(2023, 1, 5, 14, 7, 9)), QStringLiteral("05/01/2023 14:07:09"));
    EXPECT_EQ(vb::CStr(QDate(2023, 1, 5)), QStringLiteral("05/01/2023"));
    EXPECT_EQ(vb::CStr(text("  hola ")), QStringLiteral("  hola "));
}

TEST(VbConvert, CDblReadsRegionalText) {
    EXPECT_DOUBLE_EQ(vb::CDbl(text("1.234,5")), 1234.5);
    EXPECT_DOUBLE_EQ(vb::CDbl(text(" -0,25 ")), -0.25);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("abc")), 0);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("")), 0);
    EXPECT_DOUBLE_EQ(vb::CDbl(QVariant(true)), -1);
    EXPECT_DOUBLE_EQ(vb::CDbl(vb::Null()), 0);
    EXPECT_DOUBLE_EQ(vb::CDbl(vb::Empty()), 0);
    EXPECT_DOUBLE_EQ(vb::CDbl(QVariant(7)), 7);
    EXPECT_DOUBLE_EQ(vb::CDbl(vb::fromCurrency(Currency::fromRaw(15))), 0.0015);
    EXPECT_DOUBLE_EQ(vb::CDbl(vb::MakeDate(2023, 1, 1, 18, 0, 0)), 44927.75);
    RegionalGuard guard;
    vb::Regional r;
    r.decimalSeparator = u'.';
    r.thousandsSeparator = u',';
    vb::setRegional(r);
    EXPECT_DOUBLE_EQ(vb::CDbl(text("1,234.5")), 1234.5);
    EXPECT_EQ(vb::CStr(QVariant(1.5)), QStringLiteral("1.5"));
}

TEST(VbConvert, CCur) {
    EXPECT_EQ(vb::CCur(text("1.234,56")).raw(), 12345600);
    EXPECT_EQ(vb::CCur(text("nada")).raw(), 0);
    EXPECT_EQ(vb::CCur(QVariant(0.00015)).raw(), 2);
    EXPECT_EQ(vb::CCur(QVariant(12)).raw(), 120000);
    EXPECT_EQ(vb::CCur(QVariant(true)).raw(), -10000);
    EXPECT_EQ(vb::CCur(vb::Null()).raw(), 0);
    EXPECT_THROW(vb::CCur(QVariant(qlonglong(1000000000000000LL))), std::overflow_error);
}

TEST(VbConvert, CLngRoundsHalfToEven) {
    const struct {
        QVariant value;
        std::int64_t expected;
    } cases[] = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {2.6, 3},
        {text("2,5"), 2},
        {text("3,5"), 4},
        {text("1.000"), 1000},
        {text("abc"), 0},
        {vb::fromCurrency(Currency::fromRaw(25000)), 2},
        {vb::fromCurrency(Currency::fromRaw(35000)), 4},
        {QVariant(true), -1},
        {vb::Empty(), 0},
        {2147483647.0, 2147483647},
    };
    for (const auto& c : cases)
        EXPECT_EQ(vb::CLng(c.value), c.expected) << c.value.toString().toStdString();
    EXPECT_THROW(vb::CLng(QVariant(1e10)), std::overflow_error);
    EXPECT_THROW(vb::CLng(text("3000000000")), std::overflow_error);
    EXPECT_THROW(vb::CLng(QVariant(2147483647.5)), std::overflow_error);
}

TEST(VbConvert, CBool) {
    EXPECT_TRUE(vb::CBool(text("True")));
    EXPECT_TRUE(vb::CBool(text("verdadero")));
    EXPECT_TRUE(vb::CBool(text(" VERDADERO ")));
    EXPECT_FALSE(vb::CBool(text("False")));
    EXPECT_FALSE(vb::CBool(text("Falso")));
    EXPECT_FALSE(vb::CBool(text("0")));
    EXPECT_TRUE(vb::CBool(text("-1")));
    EXPECT_TRUE(vb::CBool(text("0,5")));
    EXPECT_FALSE(vb::CBool(text("0,0")));
    EXPECT_FALSE(vb::CBool(text("xyz")));
    EXPECT_FALSE(vb::CBool(QVariant(0.0)));
    EXPECT_TRUE(vb::CBool(QVariant(2)));
    EXPECT_FALSE(vb::CBool(vb::Empty()));
    EXPECT_FALSE(vb::CBool(vb::Null()));
    EXPECT_TRUE(vb::CBool(vb::fromCurrency(Currency::fromRaw(1))));
}

TEST(VbConvert, IsNumeric) {
    EXPECT_TRUE(vb::IsNumeric(text("1.234,5")));
    EXPECT_TRUE(vb::IsNumeric(text("  5  ")));
    EXPECT_TRUE(vb::IsNumeric(text("-,5")));
    EXPECT_FALSE(vb::IsNumeric(text("1,2,3")));
    EXPECT_FALSE(vb::IsNumeric(text("")));
    EXPECT_FALSE(vb::IsNumeric(text("12a")));
    EXPECT_TRUE(vb::IsNumeric(text("0001       ")));
    EXPECT_TRUE(vb::IsNumeric(vb::Empty()));
    EXPECT_FALSE(vb::IsNumeric(vb::Null()));
    EXPECT_FALSE(vb::IsNumeric(vb::MakeDate(2023, 1, 1)));
    EXPECT_TRUE(vb::IsNumeric(QVariant(true)));
    EXPECT_TRUE(vb::IsNumeric(vb::fromCurrency(Currency())));
}

TEST(VbProgram, AppPathAndExeName) {
    EXPECT_EQ(vb::AppPath(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(vb::AppExeName(), QStringLiteral("test_platform_vb"));
    vb::setAppPath(QStringLiteral("/opt/quarzelo"));
    vb::setAppExeName(QStringLiteral("Quarzelo"));
    EXPECT_EQ(vb::AppPath(), QStringLiteral("/opt/quarzelo"));
    EXPECT_EQ(vb::AppExeName(), QStringLiteral("Quarzelo"));
    vb::setAppPath(QString());
    vb::setAppExeName(QString());
    EXPECT_EQ(vb::AppPath(), QCoreApplication::applicationDirPath());
    EXPECT_EQ(vb::AppExeName(), QStringLiteral("test_platform_vb"));
}

TEST(VbProgram, DoEventsRunsPendingEvents) {
    bool ran = false;
    QTimer::singleShot(0, [&ran] { ran = true; });
    vb::DoEvents();
    EXPECT_TRUE(ran);
}

} // namespace
