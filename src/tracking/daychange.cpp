#include "tracking/daychange.h"

#include "core/apptexts.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/texthelpers.h"
#include "tracking/dayfilemerge.h"
#include "tracking/trackercontext.h"

#include <QTimer>

#include <map>
#include <memory>
#include <unordered_set>
#include <vector>

namespace ryv {

namespace {

constexpr int ActiveInterval = 1000;
constexpr int BackgroundInterval = 60000;

} // namespace

TDayChange::TDayChange(TTrackerContext& ctx)
    : FCtx(ctx)
{
    FCtx.tmrCheck.setInterval(ActiveInterval);
}

void TDayChange::UpdateToday()
{
    const TDateTime now = FCtx.Now();
    FLogDay = DayOf(now);
    FCtx.events.todayChanged(LongDateText(now), FCtx.CalendarMaxDate());
}

void TDayChange::Tick()
{
    FCtx.WatchClock();
    if (FCtx.Today() > FLogDay) {
        if (FCtx.today.IsWorking() && !FCtx.today.IsEmpty()) {
            // The day changes on the first tick after the last modal window
            // of ours closed, and after the away question was answered.
            if (FCtx.ModalOpen() || FCtx.AwayHoldsDayChange())
                return;
            DayChange();
        }
        UpdateToday();
    }
    if (FCtx.today.IsWorking() && !FCtx.today.IsEmpty())
        FCtx.today.RefreshTotals();
}

bool TDayChange::SplitAtMidnight(int row)
{
    TDayList& today = FCtx.today;
    const TRyvItem* e = today.Item(row);
    const TDateTime end = e->stop;
    // An entry whose start has no day is never split: it has no midnight.
    if (!HasDay(e->start) || DayOf(e->start) >= DayOf(end))
        return false;
    // The part before midnight ends at the end of its start's day; the entry
    // itself goes on from midnight of the day it stops on. Days in between
    // get no entries.
    auto before = std::make_unique<TRyvItem>(*e);
    before->stop = EndOfDayOf(e->start);
    today.SetTimes(row, MidnightOf(end), end);
    today.Insert(row, std::move(before));
    return true;
}

bool TDayChange::SplitLastAtMidnight()
{
    return SplitAtMidnight(FCtx.today.Count() - 1);
}

int TDayChange::SplitAddedAtMidnight(int row)
{
    TDayList& today = FCtx.today;
    const TRyvItem* e = today.Item(row);
    const TDateTime midnight = MidnightOf(FCtx.Now());
    if (!HasDay(e->start) || e->start >= midnight || e->stop <= midnight)
        return row;
    const TItemId id = today.IdAt(row);
    today.BeginUpdate();
    SplitAtMidnight(row);
    MoveEarlierDays();
    today.EndUpdate();
    return today.RowOfId(id);
}

bool TDayChange::MoveEarlierDays()
{
    TDayList& today = FCtx.today;
    const int thisDay = FCtx.Today();
    // One pass over the log: the entries of each earlier day, in log order.
    // An entry whose start has no day stays in today's log.
    std::map<int, std::vector<const TRyvItem*>> byDay;
    for (int i = 0; i < today.Count(); ++i) {
        const TRyvItem* e = today.Item(i);
        if (HasDay(e->start) && DayOf(e->start) < thisDay)
            byDay[DayOf(e->start)].push_back(e);
    }
    if (byDay.empty())
        return true;
    // The history may have a day on show that is about to receive entries:
    // its unsaved changes go to the file first, so the merge keeps them, and
    // the list is read anew afterwards, or its next save would drop the
    // entries just moved there.
    const TDateTime shown = FCtx.history.HistoryDate();
    const bool shownDayMoves = shown != 0 && byDay.count(DayOf(shown)) > 0;
    if (shownDayMoves && FCtx.store.IsHistSavePending())
        FCtx.store.tmrSaveHistTimer();
    std::vector<TDayEntries> days;
    days.reserve(byDay.size());
    for (auto& [day, entries] : byDay)
        days.push_back({ day, std::move(entries) });
    const TDaysWritten result = WriteDaysMerged(FCtx.options, days, FCtx.Now());

    // One removal for all the days written. The entries of a day that could
    // not be written stay in today's log (and current.lst) until a later
    // move succeeds.
    std::unordered_set<int> moved;
    for (size_t i = 0; i < days.size(); ++i)
        if (result.written[i])
            moved.insert(days[i].day);
    today.RemoveIf(
        [&moved](const TRyvItem& e) { return HasDay(e.start) && moved.count(DayOf(e.start)) > 0; });
    if (shownDayMoves && moved.count(DayOf(shown)) > 0)
        FCtx.store.LoadHistoryDay();

    if (!result.notices.isEmpty())
        FCtx.Warn(result.notices.join(QStringLiteral("\r\n\r\n")));
    if (!result.failures.isEmpty()) {
        QStringList failures = result.failures;
        failures.removeDuplicates();
        FCtx.Warn(
            FailureText(AppTexts().str_data_cannotsave, failures.join(QStringLiteral("\r\n"))));
    }
    return result.failures.isEmpty();
}

void TDayChange::DayChange()
{
    const bool wasActive = FCtx.tmrCheck.isActive();
    FCtx.tmrCheck.stop();
    TDayList& today = FCtx.today;
    today.BeginUpdate();
    const TItemId running = today.IdAt(today.Count() - 1);
    today.SetStop(today.Count() - 1, FCtx.Now());
    SplitLastAtMidnight();
    MoveEarlierDays();
    today.EndUpdate();
    today.SelectAndShow(today.RowOfId(running));
    FCtx.store.SaveData(false, 0);
    if (wasActive)
        FCtx.tmrCheck.start();
}

void TDayChange::StartUp()
{
    const bool loaded = FCtx.store.LoadData();
    if (loaded && !FCtx.today.IsEmpty()) {
        const bool wasActive = FCtx.tmrCheck.isActive();
        FCtx.tmrCheck.stop();
        FCtx.today.BeginUpdate();
        const bool split = SplitLastAtMidnight();
        const int before = FCtx.today.Count();
        MoveEarlierDays();
        if (split || FCtx.today.Count() != before)
            FCtx.store.SaveData(false, 0);
        FCtx.today.EndUpdate();
        if (!FCtx.today.IsEmpty())
            FCtx.today.SelectAndShow(FCtx.today.Count() - 1);
        if (wasActive)
            FCtx.tmrCheck.start();
    }
    if (loaded && !FCtx.today.IsEmpty()) {
        FLogDay = DayOf(FCtx.today.Last()->start);
        if (FLogDay < FCtx.Today())
            Tick();
        else
            UpdateToday();
    } else {
        UpdateToday();
    }
    FCtx.tmrCheck.start();
}

void TDayChange::AppActivate()
{
    FActive = true;
    FCtx.tmrCheck.setInterval(ActiveInterval);
    Tick();
}

void TDayChange::AppDeactivate()
{
    FActive = false;
    if (!FPinned)
        FCtx.tmrCheck.setInterval(BackgroundInterval);
}

void TDayChange::SetPinned(bool pinned)
{
    FPinned = pinned;
    FCtx.tmrCheck.setInterval(pinned || FActive ? ActiveInterval : BackgroundInterval);
}

} // namespace ryv
