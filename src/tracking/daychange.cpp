#include "tracking/daychange.h"

#include "core/apptexts.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/texthelpers.h"
#include "tracking/dayfilemerge.h"
#include "tracking/trackercontext.h"

#include <QTimer>

#include <algorithm>
#include <memory>
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
    if (FCtx.Today() > FLogDay) {
        if (FCtx.today.IsWorking() && !FCtx.today.IsEmpty()) {
            // The day changes on the first tick after the dialog, and after
            // the away question was answered.
            if (FCtx.InDialog() || FCtx.AwayHoldsDayChange())
                return;
            DayChange();
        }
        UpdateToday();
    }
    if (FCtx.today.IsWorking() && !FCtx.today.IsEmpty())
        FCtx.today.RefreshTotals();
}

bool TDayChange::SplitLastAtMidnight()
{
    const TRyvItem* last = FCtx.today.Last();
    const TDateTime end = last->stop;
    if (DayOf(last->start) >= DayOf(end))
        return false;
    // The part before midnight ends at the end of its start's day; the entry
    // itself goes on from midnight of the day it stops on. Days in between
    // get no entries.
    auto before = std::make_unique<TRyvItem>(*last);
    before->stop = EndOfDayOf(last->start);
    const int row = FCtx.today.Count() - 1;
    FCtx.today.SetTimes(row, MidnightOf(end), end);
    FCtx.today.Insert(row, std::move(before));
    return true;
}

bool TDayChange::MoveEarlierDays()
{
    const int thisDay = FCtx.Today();
    std::vector<int> days;
    for (int i = 0; i < FCtx.today.Count(); ++i) {
        const int d = DayOf(FCtx.today.Item(i)->start);
        if (d < thisDay && std::find(days.begin(), days.end(), d) == days.end())
            days.push_back(d);
    }
    // The history may have a day on show that is about to receive entries:
    // its unsaved changes go to the file first, so the merge keeps them, and
    // the list is read anew afterwards, or its next save would drop the
    // entries just moved there.
    const TDateTime shown = FCtx.history.HistoryDate();
    const bool shownDayMoves
        = shown != 0 && std::find(days.begin(), days.end(), DayOf(shown)) != days.end();
    if (shownDayMoves && FCtx.store.IsHistSavePending())
        FCtx.store.tmrSaveHistTimer();
    bool allWritten = true;
    for (const int day : days) {
        std::vector<const TRyvItem*> entries;
        for (int i = 0; i < FCtx.today.Count(); ++i)
            if (DayOf(FCtx.today.Item(i)->start) == day)
                entries.push_back(FCtx.today.Item(i));
        QString error;
        if (!WriteDayEntriesMerged(FCtx.options, day, entries, &error)) {
            // The entries stay in today's log (and current.lst) until a later
            // move succeeds.
            FCtx.ports.messages.Warning(FailureText(AppTexts().str_data_cannotsave, error));
            allWritten = false;
            continue;
        }
        for (int i = FCtx.today.Count() - 1; i >= 0; --i)
            if (DayOf(FCtx.today.Item(i)->start) == day)
                FCtx.today.Remove(i);
        if (shownDayMoves && day == DayOf(shown))
            FCtx.store.LoadHistoryDay();
    }
    return allWritten;
}

void TDayChange::DayChange()
{
    const bool wasActive = FCtx.tmrCheck.isActive();
    FCtx.tmrCheck.stop();
    FCtx.today.BeginUpdate();
    const TRyvItem* running = FCtx.today.Last();
    FCtx.today.SetStop(FCtx.today.Count() - 1, FCtx.Now());
    SplitLastAtMidnight();
    MoveEarlierDays();
    FCtx.today.EndUpdate();
    FCtx.today.SelectAndShow(FCtx.today.IndexOf(running));
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
