#include "platform/vb/vb.h"
#include "platform/vb/vb_detail.h"

#include <QRegularExpression>
#include <cmath>

namespace vb {

namespace {

const QDate kSerialOrigin(1899, 12, 30);

std::function<QDateTime()>& clockStore() {
    static std::function<QDateTime()> clock;
    return clock;
}

bool inRuntimeRange(const QDate& d) {
    return d.isValid() && d.year() >= 100 && d.year() <= 9999;
}

} // namespace

namespace detail {

double toSerial(const QDateTime& dt) {
    const double days = static_cast<double>(kSerialOrigin.daysTo(dt.date()));
    const double fraction = dt.time().msecsSinceStartOfDay() / 86400000.0;
    // Before the origin the time still counts forward from the day's start.
    return days >= 0 ? days + fraction : days - fraction;
}

QDateTime fromSerial(double serial) {
    if (!std::isfinite(serial) || std::fabs(serial) > 3e6)
        return {};
    double wholeDays = std::trunc(serial);
    long long seconds = std::llround(std::fabs(serial - wholeDays) * 86400.0);
    long long days = static_cast<long long>(wholeDays);
    if (seconds >= 86400) {
        seconds -= 86400;
        ++days;
    }
    const QDate date = kSerialOrigin.addDays(days);
    if (!inRuntimeRange(date))
        return {};
    const int s = static_cast<int>(seconds);
    return MakeDate(date.year(), date.month(), date.day(), s / 3600, (s / 60) % 60, s % 60);
}

} // namespace detail

QDateTime MakeDate(int year, int month, int day, int h, int m, int s) {
    const QDate date(year, month, day);
    const QTime time(h, m, s);
    if (!date.isValid() || !time.isValid())
        return {};
    return QDateTime(date, time, Qt::UTC);
}

std::optional<QDateTime> ParseDate(const QString& text) {
    static const QRegularExpression re(QStringLiteral(
        R"(^\s*(\d{1,4})[/.-](\d{1,2})[/.-](\d{1,4})(?:\s+(\d{1,2}):(\d{1,2})(?::(\d{1,2}))?)?\s*$)"));
    const QRegularExpressionMatch m = re.match(text);
    if (!m.hasMatch())
        return std::nullopt;
    int day = 0;
    int month = m.captured(2).toInt();
    int year = 0;
    QString yearText;
    if (m.captured(1).size() >= 3) {
        // Year first, as the database writes dates.
        if (m.captured(3).size() > 2)
            return std::nullopt;
        yearText = m.captured(1);
        day = m.captured(3).toInt();
    } else {
        day = m.captured(1).toInt();
        yearText = m.captured(3);
    }
    year = yearText.toInt();
    if (yearText.size() <= 2)
        year += year < 30 ? 2000 : 1900;
    else if (year < 100)
        return std::nullopt;
    const int h = m.captured(4).isEmpty() ? 0 : m.captured(4).toInt();
    const int mi = m.captured(5).isEmpty() ? 0 : m.captured(5).toInt();
    const int s = m.captured(6).isEmpty() ? 0 : m.captured(6).toInt();
    const QDateTime dt = MakeDate(year, month, day, h, mi, s);
    if (!dt.isValid())
        return std::nullopt;
    return dt;
}

bool IsDate(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case detail::Kind::Date:
        return CDate(v).isValid();
    case detail::Kind::Text:
        return ParseDate(v.toString()).has_value();
    default:
        return false;
    }
}

QDateTime CDate(const QVariant& v) {
    switch (detail::kindOf(v)) {
    case detail::Kind::Empty:
        return MakeDate(1899, 12, 30);
    case detail::Kind::Null:
        return {};
    case detail::Kind::Date: {
        if (v.metaType().id() == QMetaType::QDate) {
            const QDate d = v.toDate();
            return MakeDate(d.year(), d.month(), d.day());
        }
        if (v.metaType().id() == QMetaType::QTime) {
            const QTime t = v.toTime();
            return MakeDate(1899, 12, 30, t.hour(), t.minute(), t.second());
        }
        const QDateTime dt = v.toDateTime();
        if (!dt.isValid())
            return {};
        // Keep the wall-clock fields whatever zone the value carries.
        return MakeDate(dt.date().year(), dt.date().month(), dt.date().day(), dt.time().hour(),
                        dt.time().minute(), dt.time().second());
    }
    case detail::Kind::Text: {
        if (const auto d = ParseDate(v.toString()))
            return *d;
        if (const auto n = detail::parseRegionalNumber(v.toString()))
            return detail::fromSerial(detail::toDouble(*n));
        return {};
    }
    default:
        return detail::fromSerial(CDbl(v));
    }
}

QDate AddMonths(const QDate& d, int months) {
    if (!d.isValid())
        return {};
    const long long index = static_cast<long long>(d.year()) * 12 + (d.month() - 1) + months;
    const int year = static_cast<int>(index / 12);
    const int month = static_cast<int>(index % 12) + 1;
    const QDate first(year, month, 1);
    if (!first.isValid())
        return {};
    return QDate(year, month, std::min(d.day(), first.daysInMonth()));
}

QDateTime AddMonths(const QDateTime& d, int months) {
    if (!d.isValid())
        return {};
    const QDate date = AddMonths(d.date(), months);
    if (!date.isValid())
        return {};
    return QDateTime(date, d.time(), Qt::UTC);
}

QDateTime Now() {
    if (clockStore())
        return clockStore()();
    const QDateTime local = QDateTime::currentDateTime();
    const QTime t = local.time();
    return MakeDate(local.date().year(), local.date().month(), local.date().day(), t.hour(),
                    t.minute(), t.second());
}

QDate Date() {
    return Now().date();
}

void setClock(std::function<QDateTime()> clock) {
    clockStore() = std::move(clock);
}

} // namespace vb
