#include "core/durationtext.h"

#include <cstdlib>

namespace ryv {

namespace {

constexpr qint64 MsDay = 86400000;

QString TwoDigits(int v)
{
    return QString::number(v).rightJustified(2, QLatin1Char('0'));
}

} // namespace

TDurationParts SplitDuration(TDateTime d)
{
    const qint64 n = ToMs(d);
    const qint64 r = std::llabs(n) % MsDay;
    TDurationParts p;
    p.h = r / MsPerHour;
    p.m = static_cast<int>(r / MsPerMinute % 60);
    p.s = static_cast<int>(r / 1000 % 60);
    // Whole days come from the rounded milliseconds rather than from d itself,
    // so 1.9999999999 days reads 48:00 and not 24:00.
    if (n >= MsDay)
        p.h += 24 * (n / MsDay);
    return p;
}

QString DurationText(TDateTime d)
{
    const TDurationParts p = SplitDuration(d);
    return QString::number(p.h) + QLatin1Char(':') + TwoDigits(p.m);
}

QString DurationTextSec(TDateTime d)
{
    const TDurationParts p = SplitDuration(d);
    return QString::number(p.h) + QLatin1Char(':') + TwoDigits(p.m) + QLatin1Char(':')
        + TwoDigits(p.s);
}

} // namespace ryv
