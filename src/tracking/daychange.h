#pragma once

// The clock of the engine: start-up, the tick, the change of date with the
// split of the running task at midnight, and moving the entries of earlier
// days from today's log to their day files.
//
// tmrCheck ticks every second while the program is active and every minute in
// the background, unless the window is pinned on top. Each tick moves the
// running task's stop to now; on the first tick of a new date the entries of
// earlier days go to their files and the running task goes on from midnight.

#include "core/datetime.h"

namespace ryv {

class TTrackerContext;

class TDayChange final {
public:
    explicit TDayChange(TTrackerContext& ctx);

    // Reads today's log, moves the entries of every earlier day to that day's
    // file (merged with what the file holds) and starts the clock.
    void StartUp();
    void Tick();
    // The day of today's log is now's day: TodayChanged with the new header.
    void UpdateToday();
    TDateTime LogDay() const { return FLogDay; }

    void AppActivate();
    void AppDeactivate();
    void SetPinned(bool pinned);

    // The last entry, when it ends on a later day than it starts, ends with
    // its start's day and goes on from midnight of its stop's day in a new
    // entry; days in between get none. True when it was split.
    bool SplitLastAtMidnight();
    // Moves the entries of the days before today to their day files (merged
    // with what the files hold). Entries whose file cannot be written stay,
    // with a warning; false then.
    bool MoveEarlierDays();

private:
    void DayChange();

    TTrackerContext& FCtx;
    int FLogDay = 0;
    bool FPinned = false;
    bool FActive = true;
};

} // namespace ryv
