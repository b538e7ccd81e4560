#include "tracking/runningtask.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "tracking/favspanelmodel.h"
#include "tracking/trackercontext.h"

#include <memory>

namespace ryv {

TRunningTask::TRunningTask(TTrackerContext& ctx, TFavsPanelModel& favsPanel)
    : FCtx(ctx)
    , FFavsPanel(favsPanel)
{
}

int TRunningTask::TaskCountOfDay(TDateTime t) const
{
    const TDayList& today = FCtx.today;
    const int day = DayOf(t);
    int count = 0;
    for (int i = today.Count() - 1; i >= 0; --i) {
        const TRyvItem& e = *today.Item(i);
        const int d = DayOf(e.start);
        if (d > day || !HasDay(e.start))
            continue;
        if (d < day)
            break;
        if (e.IsTask())
            ++count;
    }
    return count;
}

int TRunningTask::AppendTask(const QString& title, const QString& url)
{
    TDayList& today = FCtx.today;
    TDateTime x = FCtx.Now();
    if (today.IsEmpty()) {
        x = TruncToMinute(x);
    } else {
        const TRyvItem* last = today.Last();
        const int lastRow = today.Count() - 1;
        x = StartTimeAfter(x, last->start);
        if (last->IsPause()) {
            // A break whose start has no day is no trailing break of any
            // day: it stays as it was read.
            if (HasDay(last->start)) {
                if (today.IsWorking() || DayOf(last->start) < DayOf(x))
                    today.Remove(lastRow);
                else
                    today.SetStop(lastRow, x); // the trailing break now reaches the new start
            }
        } else if (today.IsWorking()) {
            today.SetStop(lastRow, x);
        } else if (DayOf(last->stop) == DayOf(x) && MinuteOfDay(last->stop) < MinuteOfDay(x)) {
            // No break for a gap within one minute, and none across midnight.
            today.Append(NewBreak(last->stop, x));
        }
    }

    auto e = std::make_unique<TRyvItem>();
    e->start = x;
    e->stop = x;
    if (title.isEmpty()) {
        e->title = DefaultTaskTitle(TaskCountOfDay(x) + 1);
    } else {
        e->title = title;
        e->url = url;
    }
    return today.Append(std::move(e));
}

int TRunningTask::StartFrom(const TRyvItem* source)
{
    TDayList& today = FCtx.today;
    if (!today.IsEmpty() && today.Last()->stop > FCtx.Now())
        return -1; // the clock was set back or an entry was extended beyond now

    // The source may be an entry of today's log that AppendTask removes (a
    // trailing break is never a source, but keep a copy all the same).
    TRyvItem copy;
    copy.Assign(source);
    today.BeginUpdate();
    const int row = source ? AppendTask(copy.title, copy.url) : AppendTask({}, {});
    today.SetWorking(true);
    FCtx.store.SaveData(false, 0);
    today.EndUpdate();
    today.SelectAndShow(row);
    return row;
}

void TRunningTask::Start(const TUiState& ui)
{
    TDayList& today = FCtx.today;
    const TRyvItem* source = nullptr;
    const int f = today.Focused();
    if (f >= 0 && f < today.Count() && !today.IsRunningRow(f) && today.Item(f)->IsTask())
        source = today.Item(f);
    TRyvItem previous;
    previous.Assign(source);
    const bool hasSource = source != nullptr;

    const int row = StartFrom(source);
    if (row < 0)
        return;
    const TItemId id = today.IdAt(row);
    TRyvItem edited = *today.Item(row);
    const bool ok = FCtx.RunDialog(
        edited, TCommand::acStart, true, false, hasSource ? &previous : nullptr, false);
    // The entry is found again: the dialog is modal and the log may have
    // changed while it was open.
    const int r = today.RowOfId(id);
    if (ok && r >= 0) {
        today.SetTexts(r, edited);
        FCtx.store.SaveData(false, 0);
    }
    FFavsPanel.AfterDialog(ui.favs.First());
    if (r >= 0)
        FFavsPanel.RememberRecent(*today.Item(r), ui.favs.First());
}

void TRunningTask::StartAs(const TUiState& ui)
{
    const TRyvItem* source = ui.focus == TListKind::Favs
        ? FFavsPanel.ItemAt(ui.favs.focused)
        : FCtx.history.Item(FCtx.history.Focused());
    const int row = StartFrom(source);
    if (row >= 0)
        FFavsPanel.RememberRecent(*FCtx.today.Item(row), ui.favs.First());
}

void TRunningTask::Stop()
{
    // The rule of acStop: the log runs a task, so it has a last row.
    TDayList& today = FCtx.today;
    today.BeginUpdate();
    today.SetWorking(false);
    today.SetStop(today.Count() - 1, StartTimeAfter(FCtx.Now(), today.Last()->start));
    today.EndUpdate();
    FCtx.store.SaveData(false, 0);
}

} // namespace ryv
