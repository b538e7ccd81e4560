#pragma once

#include "core/datetime.h"

#include <QString>

#include <algorithm>
#include <memory>

namespace ryv {

// Stored in the list files as their ordinals.
enum TRyvItemKind { ryvkTask = 0, ryvkPause = 1 };
enum TRyvItemState { ryvsNone = 0, ryvsDone = 1 };

// One entry of a time log: a stretch of work on a task, or a break. The
// favourites and the recent list use only the three texts.
class TRyvItem final {
public:
    TRyvItemKind kind = ryvkTask;
    TDateTime start = 0;
    TDateTime stop = 0; // for the running entry: the time of the last refresh
    TRyvItemState state = ryvsNone;
    QString title;
    QString url;
    QString descr;

    void Clear();
    // Copies all seven fields; a null source clears.
    void Assign(const TRyvItem* source);

    // The span from start to stop. Report rows keep sums this way too: from
    // day 0, or from the midnight of their day.
    TDateTime Duration() const { return stop - start; }
    bool IsTask() const { return kind == ryvkTask; }
    bool IsPause() const { return kind == ryvkPause; }
};

// A new break from start to stop.
std::unique_ptr<TRyvItem> NewBreak(TDateTime start, TDateTime stop);

// The time a log entry counts in totals: its duration, or nothing when its
// start or stop alone has a day (a hand edit or a broken sync left the other
// unreadable, and it reads as day 0): such a row has no length that could be
// told, and the 120 years between the two would swamp every total. Never
// less than nothing: a running task that starts after now (the clock was
// set back) counts nothing until it starts, and a total never subtracts.
inline TDateTime LoggedDuration(const TRyvItem& e)
{
    return HasDay(e.start) == HasDay(e.stop) ? std::max(e.Duration(), TDateTime(0)) : 0;
}

} // namespace ryv
