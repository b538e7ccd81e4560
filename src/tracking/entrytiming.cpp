#include "tracking/entrytiming.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "tracking/trackercontext.h"

#include <algorithm>

namespace ryv {

TEntryTiming::TEntryTiming(TTrackerContext& ctx)
    : FCtx(ctx)
{
}

void TEntryTiming::EndChange(TDayList& list)
{
    // The end of the batch brings the totals and the title up to date.
    list.EndUpdate();
    if (list.IsToday())
        FCtx.store.SaveData(false, 0);
    else
        FCtx.store.SaveHistoryDay(false);
}

template <class TChange> void TEntryTiming::ChangeSelected(TListKind list, TChange&& change)
{
    // The rules of the commands: a row of the list is selected.
    TDayList& l = FCtx.ListOf(list);
    const int i = TTrackerContext::SelectedRow(l);
    l.BeginUpdate();
    change(l, i, *l.Item(i));
    EndChange(l);
}

void TEntryTiming::MoveBack(TListKind list, bool hour)
{
    ChangeSelected(list, [&](TDayList& l, int i, const TRyvItem& s) {
        const qint64 t = ToMs(s.start) - (hour ? MsPerHour : MsPerMinute);
        if (i > 0) {
            const TRyvItem& p = *l.Item(i - 1);
            if (t > ToMs(p.start)) {
                // The entry before ends where this one now starts.
                l.SetStart(i, FromMs(t));
                l.SetStop(i - 1, FromMs(t));
            } else if (p.IsPause()) {
                l.SetStart(i, p.start); // the entry takes the break over
                l.Remove(i - 1);
            }
        } else {
            // The first entry starts no earlier than the midnight of its day.
            l.SetStart(i, FromMs(std::max(t, ToMs(MidnightOf(s.start)))));
        }
    });
}

void TEntryTiming::MoveForward(TListKind list, bool hour)
{
    ChangeSelected(list, [&](TDayList& l, int i, const TRyvItem& s) {
        const qint64 t = ToMs(s.start) + (hour ? MsPerHour : MsPerMinute);
        if (t >= ToMs(s.stop))
            return; // the entry would start at or after its stop
        l.SetStart(i, FromMs(t));
        if (i > 0)
            l.SetStop(i - 1, FromMs(t));
    });
}

void TEntryTiming::Shorten(TListKind list)
{
    ChangeSelected(list, [&](TDayList& l, int i, const TRyvItem& s) {
        // Never below zero; a break that reaches zero goes.
        const qint64 t = std::max(ToMs(s.stop) - MsPerMinute, ToMs(s.start));
        l.SetStop(i, FromMs(t));
        if (i + 1 < l.Count())
            l.SetStart(i + 1, FromMs(t));
        if (t == ToMs(s.start) && s.IsPause())
            l.Remove(i);
    });
}

void TEntryTiming::Extend(TListKind list)
{
    ChangeSelected(list, [&](TDayList& l, int i, const TRyvItem& s) {
        const qint64 t = ToMs(s.stop) + MsPerMinute;
        if (i + 1 < l.Count()) {
            const TRyvItem& n = *l.Item(i + 1);
            if (t < ToMs(n.stop)) {
                l.SetStop(i, FromMs(t));
                l.SetStart(i + 1, FromMs(t));
            } else if (n.IsPause()) {
                l.Remove(i + 1); // the short break goes; the stop stays
            }
        } else {
            TDateTime limit;
            if (!l.IsToday())
                limit = EndOfDayOf(FCtx.history.HistoryDate());
            else if (FCtx.today.IsWorking())
                limit = FCtx.Now();
            else
                limit = EndOfDayOf(FCtx.Now());
            const qint64 lim = ToMs(TruncToMinute(limit));
            // Extending never shortens: a stop already past the limit stays.
            l.SetStop(i, FromMs(std::max(ToMs(s.stop), std::min(t, lim))));
        }
    });
}

void TEntryTiming::MoveEntry(TListKind list, bool up)
{
    TDayList& l = FCtx.ListOf(list);
    const int n = l.Count();
    const int i = TTrackerContext::SelectedRow(l);
    const bool working = l.IsToday() && l.IsWorking();
    const int j = up ? i - 1 : i + 1; // P's place
    if (j < 0 || j >= n)
        return;
    const TRyvItem* s = l.Item(i);
    const TRyvItem* p = l.Item(j);
    if (up) {
        if ((working && i == n - 1) || (s->IsPause() && i == 1) || (p->IsPause() && i == n - 1))
            return;
    } else {
        if ((working && j == n - 1) || (s->IsPause() && j == n - 1) || (p->IsPause() && i == 0))
            return;
    }

    l.BeginUpdate();
    const int early = std::min(i, j);
    const int late = std::max(i, j);
    const qint64 a0 = ToMs(l.Item(early)->start);
    const qint64 b1 = ToMs(l.Item(late)->stop);
    l.Exchange(early, late);
    // The pair covers the same span: the entry now first keeps its duration,
    // the other takes the rest, including any gap between them.
    const TRyvItem* a = l.Item(early);
    const qint64 aStop = a0 + (ToMs(a->stop) - ToMs(a->start));
    l.SetTimes(early, FromMs(a0), FromMs(aStop));
    l.SetTimes(late, FromMs(aStop), FromMs(b1));

    // Join breaks that now touch each other.
    int sRow = j;
    int pRow = i;
    const TRyvItem* sNew = l.Item(sRow);
    const TRyvItem* pNew = l.Item(pRow);
    const int sOuter = up ? sRow - 1 : sRow + 1;
    const int pOuter = up ? pRow + 1 : pRow - 1;
    if (sNew->IsPause() && sOuter >= 0 && sOuter < l.Count() && l.Item(sOuter)->IsPause()) {
        if (up)
            l.SetStart(sRow, l.Item(sOuter)->start);
        else
            l.SetStop(sRow, l.Item(sOuter)->stop);
        l.Remove(sOuter);
        if (sOuter < sRow)
            --sRow;
    } else if (pNew->IsPause() && pOuter >= 0 && pOuter < l.Count() && l.Item(pOuter)->IsPause()) {
        if (up)
            l.SetStop(pRow, l.Item(pOuter)->stop);
        else
            l.SetStart(pRow, l.Item(pOuter)->start);
        l.Remove(pOuter);
        if (pOuter < sRow)
            --sRow;
    }
    l.SelectAndShow(sRow);
    EndChange(l);
}

void TEntryTiming::MoveUp(TListKind list)
{
    MoveEntry(list, true);
}

void TEntryTiming::MoveDown(TListKind list)
{
    MoveEntry(list, false);
}

} // namespace ryv
