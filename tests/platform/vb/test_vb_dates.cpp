#include "platform/vb/vb.h"

#include <gtest/gtest.h>

using vb::MakeDate;

namespace {

TEST(VbDates, MakeDateIsNaiveWallClock) {
    const QDateTime d = MakeDate(2023, 3, 26, 2, 30, 0);
    ASSERT_TRUE(d.isValid());
    EXPECT_EQ(d.timeSpec(), Qt::UTC);
    EXPECT_EQ(d.date(), QDate(2023, 3, 26));
    EXPECT_EQ(d.time(), QTime(2, 30));
    EXPECT_FALSE(MakeDate(2023, 2, 29).isValid());
    EXPECT_FALSE(MakeDate(2023, 1, 1, 24, 0, 0).isValid());
}

TEST(VbDates, ParseDateDayFirstWithValidity) {
    const struct {
        const char* text;
        QDateTime expected; // invalid: no date
    } cases[] = {
        {"31/12/2023", MakeDate(2023, 12, 31)},
        {"1/2/23", MakeDate(2023, 2, 1)},
        {"01/02/29", MakeDate(2029, 2, 1)},
        {"01/02/30", MakeDate(1930, 2, 1)},
        {"01/02/99", MakeDate(1999, 2, 1)},
        {"01/02/00", MakeDate(2000, 2, 1)},
        {"29/02/2024", MakeDate(2024, 2, 29)},
        {"31-12-2023", MakeDate(2023, 12, 31)},
        {"31.12.2023", MakeDate(2023, 12, 31)},
        {" 5/6/2023 ", MakeDate(2023, 6, 5)},
        {"31/12/2023 23:59:59", MakeDate(2023, 12, 31, 23, 59, 59)},
        {"05/01/23 14:07", MakeDate(2023, 1, 5, 14, 7, 0)},
        {"2023-01-31", MakeDate(2023, 1, 31)},
        {"2023-01-31 10:20:30", MakeDate(2023, 1, 31, 10, 20, 30)},
        {"1/1/100", MakeDate(100, 1, 1)},
        {"31/02/2023", {}},
        {"29/02/2023", {}},
        {"31/04/2023", {}},
        {"32/01/2023", {}},
        {"00/01/2023", {}},
        {"01/13/2023", {}},
        {"12/31/2023", {}},
        {"31/12/2023 24:00", {}},
        {"31/12/2023 10:60", {}},
        {"1/1/099", {}},
        {"31/12", {}},
        {"31/12/2023x", {}},
        {"abc", {}},
        {"", {}},
        {"2023-31-01", {}},
    };
    for (const auto& c : cases) {
        const auto got = vb::ParseDate(QString::fromUtf8(c.text));
        ASSERT_EQ(got.has_value(), c.expected.isValid()) << c.text;
        if (got) {
            EXPECT_EQ(*got, c.expected) << c.text;
            EXPECT_EQ(got->timeSpec(), Qt::UTC) << c.text;
        }
    }
}

TEST(VbDates, IsDateAndCDate) {
    EXPECT_TRUE(vb::IsDate(QStringLiteral("28/02/2023")));
    EXPECT_FALSE(vb::IsDate(QStringLiteral("31/02/2023")));
    EXPECT_TRUE(vb::IsDate(QDate(2023, 1, 1)));
    EXPECT_TRUE(vb::IsDate(MakeDate(2023, 1, 1)));
    EXPECT_FALSE(vb::IsDate(QVariant(42)));
    EXPECT_FALSE(vb::IsDate(vb::Null()));

    EXPECT_EQ(vb::CDate(QStringLiteral("5/1/2023")), MakeDate(2023, 1, 5));
    EXPECT_EQ(vb::CDate(QDate(2023, 1, 5)), MakeDate(2023, 1, 5));
    EXPECT_EQ(vb::CDate(QVariant(44927.5)), MakeDate(2023, 1, 1, 12, 0, 0));
    EXPECT_EQ(vb::CDate(QVariant(-1.25)), MakeDate(1899, 12, 29, 6, 0, 0));
    EXPECT_DOUBLE_EQ(vb::CDbl(MakeDate(1899, 12, 29, 6, 0, 0)), -1.25);
    EXPECT_EQ(vb::CDate(vb::Empty()), MakeDate(1899, 12, 30));
    EXPECT_FALSE(vb::CDate(vb::Null()).isValid());
    EXPECT_FALSE(vb::CDate(QStringLiteral("nada")).isValid());
    // A local-time value keeps its wall-clock fields.
    const QDateTime local(QDate(2023, 7, 1), QTime(9, 15), Qt::LocalTime);
    EXPECT_EQ(vb::CDate(local), MakeDate(2023, 7, 1, 9, 15, 0));
}

TEST(VbDates, AddMonthsClampsTheDay) {
    const struct {
        QDate from;
        int months;
        QDate expected;
    } cases[] = {
        {{2023, 1, 31}, 1, {2023, 2, 28}},   {{2024, 1, 31}, 1, {2024, 2, 29}},
        {{2023, 3, 31}, 1, {2023, 4, 30}},   {{2023, 5, 31}, 1, {2023, 6, 30}},
        {{2023, 12, 31}, 1, {2024, 1, 31}},  {{2023, 11, 30}, 2, {2024, 1, 30}},
        {{2023, 11, 1}, 3, {2024, 2, 1}},    {{2023, 3, 31}, -1, {2023, 2, 28}},
        {{2023, 1, 15}, -1, {2022, 12, 15}}, {{2024, 2, 29}, 12, {2025, 2, 28}},
        {{2024, 2, 29}, -24, {2022, 2, 28}}, {{2023, 2, 28}, 1, {2023, 3, 28}},
        {{2023, 6, 30}, 0, {2023, 6, 30}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(vb::AddMonths(c.from, c.months), c.expected)
            << c.from.toString().toStdString() << " + " << c.months;
    }
    const QDateTime withTime = vb::AddMonths(MakeDate(2023, 1, 31, 10, 30, 5), 1);
    EXPECT_EQ(withTime, MakeDate(2023, 2, 28, 10, 30, 5));
    EXPECT_EQ(withTime.timeSpec(), Qt::UTC);
    EXPECT_FALSE(vb::AddMonths(QDateTime(), 1).isValid());
}

TEST(VbDates, InjectedClock) {
    vb::setClock([] { return MakeDate(2023, 12, 31, 23, 59, 0); });
    EXPECT_EQ(vb::Now(), MakeDate(2023, 12, 31, 23, 59, 0));
    EXPECT_EQ(vb::Date(), QDate(2023, 12, 31));
    EXPECT_EQ(vb::Format(vb::Now(), QStringLiteral("dd/mm/yy hh:mm")),
              QStringLiteral("31/12/23 23:59"));
    vb::setClock({});
    const QDateTime real = vb::Now();
    const QDateTime local = QDateTime::currentDateTime();
    EXPECT_EQ(real.timeSpec(), Qt::UTC);
    EXPECT_EQ(real.time().msec(), 0);
    // Same wall clock as the machine's local time (allowing for a tick between reads).
    const QDateTime localFields(local.date(), local.time(), Qt::UTC);
    EXPECT_LE(std::abs(real.secsTo(localFields)), 2);
}

} // namespace
