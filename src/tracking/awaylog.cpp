#include "tracking/awaylog.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "tracking/daychange.h"
#include "tracking/trackercontext.h"

#include <algorithm>
#include <memory>

namespace ryv {

TAwayLog::TAwayLog(TTrackerContext& ctx, TDayChange& dayChange)
    : FCtx(ctx)
    , FDayChange(dayChange)
{
}

std::optional<TRyvItem> TAwayLog::RunningTask() const
{
    const TDayList& today = FCtx.today;
    if (!today.IsWorking() || today.IsEmpty())
        return std::nullopt;
    return *today.Last();
}

void TAwayLog::StopRunningAt(TDateTime at)
{
    TDayList& today = FCtx.today;
    if (!today.IsWorking() || today.IsEmpty())
        return;
    const TDateTime start = today.Last()->start;
    at = std::max(at, start);
    // Stopped exactly at a midnight after its start, the task ends with the
    // day before rather than leaving an empty entry on the new day.
    if (DayOf(at) > DayOf(start) && at == MidnightOf(at))
        at = EndOfDayOf(at - 1.0);
    today.BeginUpdate();
    today.SetWorking(false);
    today.SetStop(today.Count() - 1, at);
    FDayChange.SplitLastAtMidnight();
    today.EndUpdate();
    FCtx.store.SaveData(false, 0);
}

void TAwayLog::AppendBreak(TDateTime start, TDateTime stop)
{
    if (stop <= start)
        return;
    // Nothing runs now (the task was stopped first), so the break may follow
    // the last entry without breaking the rule that the running task is last.
    FCtx.today.Append(NewBreak(start, stop));
    FCtx.store.SaveData(false, 0);
}

void TAwayLog::StartAgainAt(const TRyvItem& task, TDateTime at)
{
    TDayList& today = FCtx.today;
    if (today.IsWorking())
        return; // a task started meanwhile; it runs on
    auto e = std::make_unique<TRyvItem>();
    e->start = at;
    e->stop = std::max(at, FCtx.Now());
    e->title = task.title;
    e->url = task.url;
    e->descr = task.descr;
    today.BeginUpdate();
    const int row = today.Append(std::move(e));
    today.SetWorking(true);
    today.EndUpdate();
    today.SelectAndShow(row);
    FCtx.store.SaveData(false, 0);
}

void TAwayLog::BreakBeforeRunning(
    const std::vector<std::pair<TDateTime, TDateTime>>& breaks, TDateTime at)
{
    TDayList& today = FCtx.today;
    if (!today.IsWorking() || today.IsEmpty())
        return;
    today.BeginUpdate();
    for (const auto& [start, stop] : breaks) {
        if (stop <= start)
            continue;
        // Before the running task, which stays the last entry.
        today.Insert(today.Count() - 1, NewBreak(start, stop));
    }
    const int row = today.Count() - 1;
    today.SetTimes(row, at, std::max(at, FCtx.Now()));
    today.SetState(row, ryvsNone);
    today.EndUpdate();
    today.SelectAndShow(row);
    FCtx.store.SaveData(false, 0);
}

void TAwayLog::MoveEarlierDays()
{
    TDayList& today = FCtx.today;
    const int before = today.Count();
    today.BeginUpdate();
    FDayChange.MoveEarlierDays();
    today.EndUpdate();
    if (today.Count() != before)
        FCtx.store.SaveData(false, 0);
}

} // namespace ryv
