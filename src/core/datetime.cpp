#include "core/datetime.h"

#include <cmath>

namespace ryv {

namespace {

const QDate& Epoch()
{
    static const QDate epoch(1899, 12, 30);
    return epoch;
}

// Splits t into its day number and the milliseconds within that day. Every
// date-time the program builds is day + msOfDay / MsPerDay, so values made the
// same way compare equal.
void Split(TDateTime t, qint64& day, qint64& msOfDay)
{
    day = static_cast<qint64>(std::floor(t));
    msOfDay = std::llround((t - static_cast<double>(day)) * MsPerDay);
    if (msOfDay >= static_cast<qint64>(MsPerDay)) {
        ++day;
        msOfDay -= static_cast<qint64>(MsPerDay);
    }
}

TDateTime Compose(qint64 day, qint64 msOfDay)
{
    return static_cast<double>(day) + static_cast<double>(msOfDay) / MsPerDay;
}

} // namespace

TDateTime EncodeDate(int year, int month, int day)
{
    return FromQDate(QDate(year, month, day));
}

TDateTime EncodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    const qint64 d = Epoch().daysTo(QDate(year, month, day));
    return Compose(d, ((hour * 60LL + minute) * 60LL + second) * 1000LL + msec);
}

TDateTime FromQDate(const QDate& date)
{
    if (!date.isValid())
        return 0;
    return static_cast<double>(Epoch().daysTo(date));
}

TDateTime FromQDateTime(const QDateTime& dt)
{
    if (!dt.isValid())
        return 0;
    return Compose(Epoch().daysTo(dt.date()), dt.time().msecsSinceStartOfDay());
}

QDate ToQDate(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return Epoch().addDays(day);
}

QTime ToQTime(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return QTime::fromMSecsSinceStartOfDay(static_cast<int>(ms));
}

QDateTime ToQDateTime(TDateTime t)
{
    return QDateTime(ToQDate(t), ToQTime(t));
}

int DayOf(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return static_cast<int>(day);
}

TDateTime MidnightOf(TDateTime t)
{
    return static_cast<double>(DayOf(t));
}

TDateTime EndOfDayOf(TDateTime t)
{
    return Compose(DayOf(t), static_cast<qint64>(MsPerDay) - 1);
}

int MinuteOfDay(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return static_cast<int>(ms / 60000);
}

TDateTime TruncToMinute(TDateTime t)
{
    qint64 day, ms;
    Split(t, day, ms);
    return Compose(day, ms / 60000 * 60000);
}

} // namespace ryv
