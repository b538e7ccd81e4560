#pragma once

// The history day on show: which day the history list holds and the ways to
// another day. The day on show is the history list's HistoryDate(); a save of
// it still pending is written to its own day before another day (or the same
// day anew) is read.

#include "core/datetime.h"

namespace ryv {

class TTrackerContext;

class THistoryDays final {
public:
    explicit THistoryDays(TTrackerContext& ctx);

    TDateTime HistoryDate() const;
    // The history panel is being shown: (re)load the day on show (yesterday
    // the first time).
    void Show();
    // The day before and the day after (acHistBack, acHistForw); Next day
    // stops at yesterday.
    void Back();
    void Forward();
    // A click on a day of the calendar reads it, also the day on show anew;
    // the calendar's keys read a day only when it differs. Days after
    // yesterday are taken as yesterday.
    void CalendarClick(TDateTime day);
    void CalendarKeyUp(TDateTime day);

private:
    void Load(TDateTime day);

    TTrackerContext& FCtx;
};

} // namespace ryv
