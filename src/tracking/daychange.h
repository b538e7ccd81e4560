#pragma once

// The clock of the engine: start-up, the tick, the change of date with the
// split of the running task at midnight, and moving the entries of earlier
// days from today's log to their day files.
//
// tmrCheck ticks every second while the program is active and every minute in
// the background, unless the window is pinned on top. Each tick moves the
// running task's stop to now; on the first tick of a new date the entries of
// earlier days go to their files and the running task goes on from midnight.
// The change of date waits while a modal window of ours is open: its event
// loop runs the tick, and the command that opened it may still hold an entry
// of today's log.

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

    // A task added to today's log may begin before today's midnight and so
    // keep its whole duration (Add just after midnight): it is split there as
    // the day change splits the running task, and the part before midnight
    // goes to its day's file at once (with any other entries of earlier
    // days). Returns the row of the entry from midnight on, which is the
    // row's own entry; row when nothing was split.
    int SplitAddedAtMidnight(int row);
    // The last entry, when it ends on a later day than it starts, ends with
    // its start's day and goes on from midnight of its stop's day in a new
    // entry; days in between get none. True when it was split.
    bool SplitLastAtMidnight();
    // Moves the entries of every earlier day to that day's file, merged with
    // what the file holds: one pass over the log, one write with one sync
    // for all the days, one removal from the log. Entries whose start has no
    // day stay. False when a day could not be written (reported).
    bool MoveEarlierDays();

private:
    void DayChange();
    bool SplitAtMidnight(int row);

    TTrackerContext& FCtx;
    int FLogDay = 0;
    bool FPinned = false;
    bool FActive = true;
};

} // namespace ryv
