#include "tracking/entryedits.h"

#include "core/apptexts.h"
#include "core/daylist.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"
#include "tracking/addplacement.h"
#include "tracking/daychange.h"
#include "tracking/favspanelmodel.h"
#include "tracking/runningtask.h"
#include "tracking/trackercontext.h"

#include <algorithm>
#include <memory>

namespace ryv {

TEntryEdits::TEntryEdits(
    TTrackerContext& ctx, TRunningTask& running, TFavsPanelModel& favsPanel, TDayChange& dayChange)
    : FCtx(ctx)
    , FRunning(running)
    , FFavsPanel(favsPanel)
    , FDayChange(dayChange)
{
}

// --- adding ------------------------------------------------------------------------

namespace {

// The entries whose start has no day have no place in time: the placement
// looks past them, so an added task is never put beside day 0.
TAddedTaskLog LogForPlacement(const TDayList& list, TDateTime day)
{
    TAddedTaskLog log;
    log.history = !list.IsToday();
    log.day = day;
    log.working = list.IsWorking();
    int first = 0;
    while (first < list.Count() && !HasDay(list.Item(first)->start))
        ++first;
    int last = list.Count() - 1;
    while (last >= first && !HasDay(list.Item(last)->start))
        --last;
    log.empty = first > last;
    if (!log.empty) {
        log.firstStart = list.Item(first)->start;
        log.lastStop = list.Item(last)->stop;
    }
    return log;
}

// Puts e where the placement says and returns its row.
int Place(TDayList& list, std::unique_ptr<TRyvItem> e, TDateTime day)
{
    const TAddedTaskPlace place = PlaceAddedTask(LogForPlacement(list, day), ToMs(e->stop));
    e->start = place.start;
    e->stop = place.stop;
    if (!place.first)
        return list.Append(std::move(e));
    list.Insert(0, std::move(e));
    return 0;
}

} // namespace

void TEntryEdits::Add(const TUiState& ui, const TRyvItem* fromFavourite)
{
    auto e = std::make_unique<TRyvItem>();
    const bool fromFav = fromFavourite != nullptr;
    if (fromFav) {
        e->Assign(fromFavourite);
        e->start = 0;
        e->stop = 0;
    } else {
        e->title = DefaultTaskTitle(FRunning.TaskCountOfDay(FCtx.Now()) + 1);
    }
    // The dialog returns the duration in stop.
    if (!FCtx.RunDialog(*e, TCommand::acAdd, true, true, nullptr, fromFav)) {
        FFavsPanel.AfterDialog(ui.favs.First());
        return;
    }

    TDayList& today = FCtx.today;
    today.BeginUpdate();
    const int row = FDayChange.SplitAddedAtMidnight(Place(today, std::move(e), FCtx.Now()));
    today.EndUpdate();
    today.SelectAndShow(row);
    const TRyvItem added = *today.Item(row);
    FCtx.options.StateFavsChanged = false;
    FFavsPanel.RememberRecent(added, ui.favs.First());
    FCtx.store.SaveData(false, 0);
}

void TEntryEdits::AddToHistory(const TUiState& ui)
{
    TDayList& history = FCtx.history;
    if (history.HistoryDate() == 0)
        return; // no day on show yet
    auto e = std::make_unique<TRyvItem>();
    e->title = DefaultTaskTitle(history.Count() + 1);
    if (!FCtx.RunDialog(*e, TCommand::acAdd, true, true, nullptr, false)) {
        FFavsPanel.AfterDialog(ui.favs.First());
        return;
    }
    const int row = Place(history, std::move(e), history.HistoryDate());
    history.SelectAndShow(row);
    const TRyvItem added = *history.Item(row);
    FCtx.options.StateFavsChanged = false;
    FFavsPanel.RememberRecent(added, ui.favs.First());
    FCtx.store.SaveHistoryDay(true);
}

// --- editing -----------------------------------------------------------------------

bool TEntryEdits::EditDayEntry(TDayList& list, TCommand captionOf)
{
    const int selected = TTrackerContext::SelectedRow(list);
    const TItemId id = list.IdAt(selected);
    TRyvItem edited = *list.Item(selected);
    if (!FCtx.RunDialog(edited, captionOf, false, false, nullptr, false))
        return false;
    // The entry is found again: the dialog is modal and the list may have
    // changed while it was open.
    const int row = list.RowOfId(id);
    if (row < 0)
        return false;
    // Times never change by editing (the clock may have moved the running
    // entry's stop while the dialog was open).
    list.SetTexts(row, edited);
    return true;
}

void TEntryEdits::Edit(TListKind list, const TUiState& ui)
{
    if (list == TListKind::History) {
        if (EditDayEntry(FCtx.history, TCommand::acEdit2))
            FCtx.store.SaveHistoryDay(true);
    } else if (EditDayEntry(FCtx.today, TCommand::acEdit)) {
        FCtx.store.SaveData(false, 0);
    }
    FFavsPanel.AfterDialog(ui.favs.First());
}

void TEntryEdits::ToggleDoneMark(TListKind list, int row)
{
    TDayList& l = FCtx.ListOf(list);
    if (row < 0 || row >= l.Count() || !l.Item(row)->IsTask())
        return;
    l.SetState(row, l.Item(row)->state == ryvsNone ? ryvsDone : ryvsNone);
    if (list == TListKind::History)
        FCtx.store.SaveHistoryDay(false);
    else
        FCtx.store.SaveData(false, 0);
}

// --- deleting ----------------------------------------------------------------------

void TEntryEdits::Delete(TListKind list)
{
    TDayList& l = FCtx.ListOf(list);
    const int asked = TTrackerContext::SelectedRow(l);
    const TItemId id = l.IdAt(asked);
    const QString question
        = AppTexts().str_deleteitem + QStringLiteral("\r\n\r\n") + l.TaskText(asked);
    if (!FCtx.Confirm(question))
        return;
    // The question is modal: its event loop may have changed the list, so the
    // entry asked about is found again. When it is gone nothing is deleted;
    // the running task is never deleted.
    const int i = l.RowOfId(id);
    if (i < 0 || l.IsRunningRow(i))
        return;

    l.BeginUpdate();
    const TRyvItem* s = l.Item(i);
    const TRyvItem* p = i > 0 ? l.Item(i - 1) : nullptr;
    const TRyvItem* n = i + 1 < l.Count() ? l.Item(i + 1) : nullptr;
    if (s->IsPause()) {
        if (n)
            l.SetStart(i + 1, s->start); // the next entry grows back over the break
        l.Remove(i);
    } else if (p && n) {
        if (p->IsPause() && n->IsPause()) {
            l.SetStop(i - 1, n->stop); // one break now spans all three
            l.Remove(i + 1);
            l.Remove(i);
        } else if (p->IsTask() && n->IsTask()) {
            l.MakeBreak(i); // between two tasks the time stays as a break
        } else if (n->IsPause()) {
            l.SetStart(i + 1, s->start);
            l.Remove(i);
        } else {
            l.SetStop(i - 1, s->stop);
            l.Remove(i);
        }
    } else if (n) {
        if (n->IsPause())
            l.Remove(i + 1); // a break never stays first
        l.Remove(i);
    } else if (p) {
        if (p->IsPause()) {
            l.Remove(i);
            l.Remove(i - 1); // nor last
        } else {
            l.Remove(i);
        }
    } else {
        l.Remove(i);
    }
    l.EndUpdate();
    if (l.IsToday())
        FCtx.store.SaveData(false, 0);
    else
        FCtx.store.SaveHistoryDay(false);
    // Keep a row selected where the deleted one was, so the keys go on
    // working without a click.
    int next = l.Focused();
    if (next < 0)
        next = std::min(i, l.Count() - 1);
    if (next >= 0) {
        l.SetFocused(next);
        l.SelectOnly(next);
    }
}

void TEntryEdits::Clear()
{
    if (!FCtx.Confirm(AppTexts().str_clearlist))
        return;
    TDayList& today = FCtx.today;
    // The rule of acClear held when the question was asked; a task started
    // while it was open is not cleared away.
    if (today.IsWorking())
        return;
    today.BeginUpdate();
    today.Clear();
    today.EndUpdate();
    FCtx.store.SaveData(false, 0);
}

// --- links -------------------------------------------------------------------------

void TEntryEdits::OpenLink(const QString& url, const QString& hoursText, TListKind list)
{
    // The spent-time texts name the history day; today's needs no date.
    const TDateTime day
        = list == TListKind::History ? FCtx.history.HistoryDate() : MidnightOf(FCtx.Now());
    const TDateTime today = MidnightOf(FCtx.Now());
    QString spent;
    switch (FCtx.options.SpendToClipboard) {
    case TSpendToClipboard::Disabled:
        break;
    case TSpendToClipboard::Standard:
        spent = SpentTextStandard(hoursText, day, today);
        break;
    case TSpendToClipboard::Git:
        spent = SpentTextGit(hoursText, day, today);
        break;
    }
    if (!spent.isEmpty())
        FCtx.ports.clipboard.SetText(spent);
    FCtx.ports.shell.ShellOpen(url);
}

void TEntryEdits::OpenRowLink(TListKind list)
{
    const TDayList& l = FCtx.ListOf(list);
    const int row = TTrackerContext::SelectedRow(l);
    OpenLink(l.Item(row)->url, l.HoursText(row), list);
}

void TEntryEdits::OpenTaskTotalLink(TListKind list)
{
    const TDayList& l = FCtx.ListOf(list);
    OpenLink(TTrackerContext::SelectedEntry(l)->url, l.TaskTotalText(), list);
}

void TEntryEdits::OpenFavouriteLink(const TRyvItem& favourite)
{
    FCtx.ports.shell.ShellOpen(favourite.url);
}

} // namespace ryv
