#pragma once

// Today's log as the away rules (TAwayTracker) edit it after an answer: the
// running task stops at the time the absence began, a break covers the
// absence, the same task runs again from its end, and entries of days
// before today go to their day files. Each edit is saved like any other
// change of the log.

#include "tracking/awayports.h"

namespace ryv {

class TDayChange;
class TTrackerContext;

class TAwayLog final : public IAwayLog {
public:
    TAwayLog(TTrackerContext& ctx, TDayChange& dayChange);

    std::optional<TRyvItem> RunningTask() const override;
    // The day change waits while an absence may still be answered, so the
    // running task may have begun before midnight and `at` may lie after it:
    // the task is then split at midnight as the day change splits it, and an
    // empty part after midnight is left out.
    void StopRunningAt(TDateTime at) override;
    void AppendBreak(TDateTime start, TDateTime stop) override;
    void StartAgainAt(const TRyvItem& task, TDateTime at) override;
    void BreakBeforeRunning(
        const std::vector<std::pair<TDateTime, TDateTime>>& breaks, TDateTime at) override;
    void MoveEarlierDays() override;

private:
    TTrackerContext& FCtx;
    TDayChange& FDayChange;
};

} // namespace ryv
