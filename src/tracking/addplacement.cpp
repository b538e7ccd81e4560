#include "tracking/addplacement.h"

#include "tracking/trackercontext.h"

#include <algorithm>

namespace ryv {

TAddedTaskPlace PlaceAddedTask(const TAddedTaskLog& log, qint64 durationMs)
{
    const qint64 d = std::max<qint64>(0, durationMs);
    const qint64 midnight = ToMs(MidnightOf(log.day));
    TAddedTaskPlace p;
    if (log.empty) {
        if (log.history) {
            p.start = FromMs(midnight + 7 * MsPerHour);
            p.stop = FromMs(midnight + 7 * MsPerHour + d);
        } else {
            // The task keeps its whole duration, also when it so begins
            // before midnight (the part before midnight then belongs to
            // yesterday), but it begins no earlier than yesterday's midnight:
            // a duration typed as "800" is no month of work.
            p.stop = TruncToMinute(log.day);
            p.start = FromMs(std::max(ToMs(p.stop) - d, midnight - 24 * MsPerHour));
        }
        return p;
    }

    const qint64 firstStart = ToMs(log.firstStart);
    const qint64 lastStop = ToMs(log.lastStop);
    if (log.working) {
        // The running task stays last.
        const qint64 firstMidnight = ToMs(MidnightOf(log.firstStart));
        p.first = true;
        p.stop = log.firstStart;
        p.start
            = firstStart - firstMidnight >= d ? FromMs(firstStart - d) : MidnightOf(log.firstStart);
        return p;
    }

    const qint64 limit = ToMs(log.history ? EndOfDayOf(log.day) : log.day);
    if (limit >= lastStop + d) {
        p.start = log.lastStop;
        p.stop = FromMs(lastStop + d);
    } else if (firstStart - d >= midnight) {
        p.first = true;
        p.start = FromMs(firstStart - d);
        p.stop = log.firstStart;
    } else if (log.history) {
        p.start = log.lastStop;
        p.stop = MinuteOfDay(p.start) == 1439 ? EndOfDayOf(log.day)
                                              : FromMs(midnight + 1439 * MsPerMinute);
        p.stop = std::max(p.stop, p.start);
    } else {
        p.start = log.lastStop;
        p.stop = StartTimeAfter(log.day, p.start);
        if (ToMs(p.stop) < lastStop) {
            // The last entry ends in the future (it was extended beyond
            // now): the task follows it with its duration, but stays within
            // that day, so it never ends before it starts.
            const qint64 dayLimit = ToMs(TruncToMinute(EndOfDayOf(log.lastStop)));
            p.stop = FromMs(std::max(lastStop, std::min(lastStop + d, dayLimit)));
        }
    }
    return p;
}

} // namespace ryv
