#include "platform/vb/vb.h"

#include <QLocale>
#include <cmath>
#include <gtest/gtest.h>
#include <random>
#include <stdexcept>
#include <vector>

using vb::Currency;

namespace {

// Restores the default regional settings after a test that changes them.
struct RegionalGuard {
    vb::Regional saved = vb::regional();
    ~RegionalGuard() { vb::setRegional(saved); }
};

struct DoubleCase {
    double value;
    std::int64_t raw;
};

TEST(VbCurrency, FromDoubleRoundsTheShortestDecimalHalfToEven) {
    const DoubleCase cases[] = {
        {0.00005, 0},      {0.00015, 2},        {0.00025, 2},
        {0.00035, 4},      {-0.00005, 0},       {-0.00015, -2},
        {-0.00025, -2},    {1.00005, 10000}, // 1.00005 * 10000 is 10000.500000000002 in doubles
        {1.00015, 10002},  {2.00025, 20002},    {240.00000000000003, 2400000},
        {0.1 + 0.2, 3000}, {1.23456789, 12346}, {-1.23456789, -12346},
        {0.0, 0},          {-0.0, 0},           {922337203685477.0, 9223372036854770000LL},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Currency::fromDouble(c.value).raw(), c.raw) << c.value;
}

// Whatever road the conversion takes, it rounds as the shortest text of the
// double does: amounts of every size, sums with their binary noise, and
// values on and next to a tie at the fourth decimal.
TEST(VbCurrency, FromDoubleAgreesWithItsShortestText) {
    std::mt19937_64 azar(29);
    std::vector<double> valores;
    for (double escala : {1e-4, 1.0, 1e3, 1e6, 1e9, 1e11, 1e13, 5e14}) {
        std::uniform_real_distribution<double> entre(-escala, escala);
        for (int i = 0; i < 2000; ++i)
            valores.push_back(entre(azar));
    }
    for (int i = 0; i < 2000; ++i) {
        // Cents added up, as sums of amounts come back from the database.
        double suma = 0;
        for (int k = 0; k < 50; ++k)
            suma += double(std::int64_t(azar() % 10000000) - 5000000) / 100.0;
        valores.push_back(suma);
        // A tie of the fourth decimal and its neighbours.
        const double empate = (double(std::int64_t(azar() % 100000000)) + 0.5) / 10000.0;
        for (double v : {empate, std::nextafter(empate, 0.0), std::nextafter(empate, 1e300)}) {
            valores.push_back(v);
            valores.push_back(-v);
        }
    }
    for (double v : valores) {
        const QString texto = QString::number(v, 'g', QLocale::FloatingPointShortest);
        const auto esperado = Currency::parse(texto, u'.');
        ASSERT_TRUE(esperado) << qPrintable(texto);
        ASSERT_EQ(Currency::fromDouble(v).raw(), esperado->raw()) << qPrintable(texto);
    }
}

TEST(VbCurrency, FromDoubleOutOfRangeThrows) {
    EXPECT_THROW(Currency::fromDouble(1e15), std::overflow_error);
    EXPECT_THROW(Currency::fromDouble(-1e16), std::overflow_error);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::quiet_NaN()),
                 std::overflow_error);
    EXPECT_THROW(Currency::fromDouble(std::numeric_limits<double>::infinity()),
                 std::overflow_error);
}

struct MulCase {
    std::int64_t raw;
    double factor;
    std::int64_t expected;
};

TEST(VbCurrency, MultiplicationByCoefficientRoundsHalfToEven) {
    const MulCase cases[] = {
        {12345678, 1.0523, 12991357},      // 1299.13569594
        {2000000, 1.2, 2400000},           // 240
        {9876543211, 2.9412, 29048888892}, // 2904888.8892193194
        {-15002500, 1.0523, -15787131},    // -1578.7130750000001
        {333333, 1.0523, 350766},          // 35.076631590000005
        {1000000, 2.9412, 2941200},        // 294.12
        {1, 2.5, 2},                       // 0.00025: tie, even
        {3, 0.5, 2},                       // 0.00015: tie, even upwards
        {1, 0.5, 0},                       // 0.00005: tie, even downwards
        {100001, 0.5, 50000},              // 5.00005
        {100003, 0.5, 50002},              // 5.00015
        {10001, 1.5, 15002},               // 1.50015
        {-3, 0.5, -2},
    };
    for (const auto& c : cases)
        EXPECT_EQ((Currency::fromRaw(c.raw) * c.factor).raw(), c.expected)
            << c.raw << " * " << c.factor;
}

TEST(VbCurrency, MultiplicationOfTwoAmountsIsExact) {
    EXPECT_EQ((Currency::fromRaw(15000) * Currency::fromRaw(1)).raw(), 2);   // 0.00015
    EXPECT_EQ((Currency::fromRaw(25000) * Currency::fromRaw(1)).raw(), 2);   // 0.00025
    EXPECT_EQ((Currency::fromRaw(-35000) * Currency::fromRaw(1)).raw(), -4); // -0.00035
    EXPECT_EQ((Currency::fromRaw(1234500) * Currency::fromRaw(20000)).raw(), 2469000);
    EXPECT_THROW(Currency::fromRaw(9000000000000000000LL) * Currency::fromRaw(20000),
                 std::overflow_error);
}

TEST(VbCurrency, RoundedTiesToEven) {
    EXPECT_EQ(Currency::fromRaw(23450).rounded(2).raw(), 23400);
    EXPECT_EQ(Currency::fromRaw(23550).rounded(2).raw(), 23600);
    EXPECT_EQ(Currency::fromRaw(23451).rounded(2).raw(), 23500);
    EXPECT_EQ(Currency::fromRaw(-23450).rounded(2).raw(), -23400);
    EXPECT_EQ(Currency::fromRaw(25000).rounded(0).raw(), 20000);
    EXPECT_EQ(Currency::fromRaw(35000).rounded(0).raw(), 40000);
    EXPECT_EQ(Currency::fromRaw(1000040).rounded(2).raw(), 1000000); // 100.004 -> 100.00
    EXPECT_EQ(Currency::fromRaw(12345).rounded(4).raw(), 12345);
}

TEST(VbCurrency, ParsesRegionalText) {
    struct Case {
        const char* text;
        std::optional<std::int64_t> raw;
    };
    const Case cases[] = {
        {"1.234,56", 12345600},
        {"-0,5", -5000},
        {" 12 ", 120000},
        {"0,00015", 2},
        {"0,00025", 2},
        {"0,00005", 0},
        {",5", 5000},
        {"12,", 120000},
        {"+3", 30000},
        {"1.5", 150000}, // the point groups thousands here
        {"1.234.567,8", 12345678000},
        {"1e3", 10000000},
        {"&H10", 160000},
        {"", std::nullopt},
        {"   ", std::nullopt},
        {"abc", std::nullopt},
        {"12a", std::nullopt},
        {"1,2,3", std::nullopt},
        {"1,234.5", std::nullopt},
        {"-", std::nullopt},
        {".5", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto got = Currency::parse(QString::fromUtf8(c.text));
        ASSERT_EQ(got.has_value(), c.raw.has_value()) << c.text;
        if (got) {
            EXPECT_EQ(got->raw(), *c.raw) << c.text;
        }
    }
    EXPECT_THROW(Currency::parse(QStringLiteral("1000000000000000")), std::overflow_error);
}

TEST(VbCurrency, ParsesWithAGivenDecimalCharacter) {
    EXPECT_EQ(Currency::parse(QStringLiteral("1234.5"), u'.')->raw(), 12345000);
    EXPECT_EQ(Currency::parse(QStringLiteral("-0.25"), u'.')->raw(), -2500);
    EXPECT_FALSE(Currency::parse(QStringLiteral("1,234.5"), u'.').has_value());
    EXPECT_FALSE(Currency::parse(QStringLiteral("1.234,5"), u',').has_value());
}

TEST(VbCurrency, WritesShortestRegionalText) {
    EXPECT_EQ(Currency::fromRaw(12345000).toString(), QStringLiteral("1234,5"));
    EXPECT_EQ(Currency::fromRaw(-30000).toString(), QStringLiteral("-3"));
    EXPECT_EQ(Currency::fromRaw(1).toString(), QStringLiteral("0,0001"));
    EXPECT_EQ(Currency::fromRaw(-5000).toString(), QStringLiteral("-0,5"));
    EXPECT_EQ(Currency::fromRaw(0).toString(), QStringLiteral("0"));
    EXPECT_EQ(Currency::fromRaw(12345000).toString(u'.'), QStringLiteral("1234.5"));
    EXPECT_EQ(Currency::fromRaw(INT64_MIN).toString(u'.'), QStringLiteral("-922337203685477.5808"));
}

TEST(VbCurrency, FollowsChangedRegionalSettings) {
    RegionalGuard guard;
    vb::Regional r;
    r.decimalSeparator = u'.';
    r.thousandsSeparator = u',';
    vb::setRegional(r);
    EXPECT_EQ(Currency::parse(QStringLiteral("1,234.56"))->raw(), 12345600);
    EXPECT_EQ(Currency::fromRaw(12345600).toString(), QStringLiteral("1234.56"));
    EXPECT_FALSE(Currency::parse(QStringLiteral("1.234,56")).has_value());
}

TEST(VbCurrency, TravelsInsideQVariant) {
    const Currency c = Currency::fromRaw(12345678);
    const QVariant v = vb::fromCurrency(c);
    EXPECT_TRUE(vb::isCurrency(v));
    EXPECT_FALSE(vb::isCurrency(QVariant(1234.5678)));
    EXPECT_EQ(v.value<Currency>(), c);
    EXPECT_EQ(vb::toCurrency(v), c);
    EXPECT_DOUBLE_EQ(v.toDouble(), 1234.5678);
    EXPECT_EQ(v.toString(), QStringLiteral("1234,5678"));
    EXPECT_EQ(v, vb::fromCurrency(Currency::fromRaw(12345678)));
    EXPECT_NE(v, vb::fromCurrency(Currency::fromRaw(12345679)));
}

TEST(VbCurrency, ArithmeticAndOrder) {
    Currency a = Currency::fromRaw(15000);
    a += Currency::fromRaw(5000);
    EXPECT_EQ(a.raw(), 20000);
    a -= Currency::fromRaw(30000);
    EXPECT_EQ(a.raw(), -10000);
    EXPECT_EQ((-a).raw(), 10000);
    EXPECT_LT(a, Currency());
    EXPECT_GT(Currency::fromRaw(2), Currency::fromRaw(1));
}

// Every sum and difference stays inside the range or raises the overflow
// error; none wraps around.
TEST(VbCurrency, AdditionAndSubtractionRaiseOverflowAtTheEdges) {
    constexpr std::int64_t kMax = INT64_MAX;
    constexpr std::int64_t kMin = INT64_MIN;
    enum class Op { Plus, Minus, PlusAssign, MinusAssign, Negate };
    struct Case {
        Op op;
        std::int64_t a;
        std::int64_t b;                  // unused by Negate
        std::optional<std::int64_t> raw; // nullopt: overflow
    };
    const Case cases[] = {
        {Op::Plus, kMax - 1, 1, kMax},
        {Op::Plus, kMax, 1, std::nullopt},
        {Op::Plus, kMax, kMax, std::nullopt},
        {Op::Plus, kMin, -1, std::nullopt},
        {Op::Plus, kMin, kMax, -1},
        {Op::Minus, kMin + 1, 1, kMin},
        {Op::Minus, kMin, 1, std::nullopt},
        {Op::Minus, 0, kMin, std::nullopt},
        {Op::Minus, -1, kMin, kMax},
        {Op::Minus, kMax, -1, std::nullopt},
        {Op::PlusAssign, kMax, 1, std::nullopt},
        {Op::PlusAssign, kMin, -1, std::nullopt},
        {Op::PlusAssign, kMax, kMin, -1},
        {Op::MinusAssign, kMin, 1, std::nullopt},
        {Op::MinusAssign, kMax, -1, std::nullopt},
        {Op::MinusAssign, kMin, kMin, 0},
        {Op::Negate, kMin, 0, std::nullopt},
        {Op::Negate, kMin + 1, 0, kMax},
        {Op::Negate, kMax, 0, kMin + 1},
    };
    for (const auto& c : cases) {
        const Currency a = Currency::fromRaw(c.a);
        const Currency b = Currency::fromRaw(c.b);
        const auto apply = [&] {
            Currency r = a;
            switch (c.op) {
            case Op::Plus:
                return a + b;
            case Op::Minus:
                return a - b;
            case Op::PlusAssign:
                return r += b;
            case Op::MinusAssign:
                return r -= b;
            case Op::Negate:
                return -a;
            }
            return r;
        };
        if (c.raw) {
            EXPECT_EQ(apply().raw(), *c.raw) << int(c.op) << ' ' << c.a << ' ' << c.b;
        } else {
            EXPECT_THROW(apply(), std::overflow_error) << int(c.op) << ' ' << c.a << ' ' << c.b;
        }
    }
}

} // namespace
