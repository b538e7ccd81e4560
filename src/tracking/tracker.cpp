#include "tracking/tracker.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"
#include "tracking/dayfilemerge.h"

#include <QScopedValueRollback>

#include <algorithm>
#include <memory>

namespace ryv {

namespace {

constexpr int ActiveInterval = 1000;
constexpr int BackgroundInterval = 60000;

// A new start (or a stop) is now truncated to the minute, unless the entry
// it follows started in this very minute: then the seconds stay, so two
// starts within one minute do not give an entry that ends before it starts.
TDateTime StartTimeAfter(TDateTime now, const TRyvItem* last)
{
    if (last && MinuteOfDay(last->start) == MinuteOfDay(now))
        return now;
    return TruncToMinute(now);
}

std::unique_ptr<TRyvItem> NewPause(TDateTime start, TDateTime stop)
{
    auto e = std::make_unique<TRyvItem>();
    e->kind = ryvkPause;
    e->start = start;
    e->stop = stop;
    return e;
}

QString DeleteQuestion(const QString& rowText)
{
    return AppTexts().str_deleteitem + QStringLiteral("\n\n") + rowText;
}

void CopyTexts(TRyvItem& to, const TRyvItem& from)
{
    to.title = from.title;
    to.url = from.url;
    to.descr = from.descr;
    to.state = from.state;
}

} // namespace

TTracker::TTracker(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent, TDayList& today,
    TDayList& history, TListStore& store, const TTrackerPorts& ports, QObject* parent)
    : QObject(parent)
    , FOptions(options)
    , FFavs(favs)
    , FRecent(recent)
    , FToday(today)
    , FHistory(history)
    , FStore(store)
    , FPorts(ports)
{
    tmrCheck.setInterval(ActiveInterval);
    connect(&tmrCheck, &QTimer::timeout, this, &TTracker::tmrCheckTimer);
}

TTracker::~TTracker() = default;

TDateTime TTracker::Now() const
{
    return FPorts.clock.Now();
}

int TTracker::Today() const
{
    return DayOf(Now());
}

TDayList& TTracker::ListOf(TListKind list) const
{
    return list == TListKind::History ? FHistory : FToday;
}

int TTracker::SelectedRow(const TDayList& list)
{
    return list.Selected().isEmpty() ? -1 : list.Selected().first();
}

const TRyvItem* TTracker::SelectedEntry(const TDayList& list)
{
    const int row = SelectedRow(list);
    return row >= 0 && row < list.Count() ? list.Item(row) : nullptr;
}

const TRyvItem* TTracker::FavsItemAt(int row) const
{
    return FavsItemOf(row);
}

TRyvItem* TTracker::FavsItemOf(int row) const
{
    if (row < 0 || row >= static_cast<int>(FFavsRows.size()))
        return nullptr;
    const TFavsRow& r = FFavsRows[static_cast<size_t>(row)];
    // The task dialog changes the lists at once, while the rows follow only
    // at the next rebuild (the window may evaluate the rules meanwhile): a row
    // whose item has left its list carries nothing.
    return (r.recent ? FRecent : FFavs).ItemById(r.id);
}

bool TTracker::FavsRowIsRecent(int row) const
{
    return FavsItemAt(row) && FFavsRows[static_cast<size_t>(row)].recent;
}

bool TTracker::RunDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
    const TRyvItem* previous, bool fromFavourite)
{
    // The dialog is modal but the clock keeps ticking; a day change while it
    // is open would free the entries it works on, so it waits for the close.
    QScopedValueRollback<bool> guard(FInDialog, true);
    return FPorts.dialog.ExecuteTaskDialog(
        entry, caption, isNew, askDuration, previous, fromFavourite);
}

void TTracker::AfterDialog(int favsSelectedRow)
{
    // The dialog's favourite button changes the favourites at once, so rows of
    // the panel may refer to an item it removed: rebuild whatever the result.
    if (!FOptions.StateFavsChanged)
        return;
    FOptions.StateFavsChanged = false;
    RefreshFavsPanel(favsSelectedRow);
}

void TTracker::SetDialogCaption(TCommand cmd, const QString& caption)
{
    switch (cmd) {
    case TCommand::acStart:
        FCapStart = caption;
        break;
    case TCommand::acAdd:
        FCapAdd = caption;
        break;
    case TCommand::acEdit:
        FCapEdit = caption;
        break;
    case TCommand::acEdit2:
        FCapEdit2 = caption;
        break;
    default:
        break;
    }
}

QString TTracker::DialogCaption(TCommand cmd) const
{
    switch (cmd) {
    case TCommand::acStart:
        return FCapStart;
    case TCommand::acAdd:
        return FCapAdd;
    case TCommand::acEdit:
        return FCapEdit;
    case TCommand::acEdit2:
        return FCapEdit2;
    default:
        return {};
    }
}

// --- enabled rules ------------------------------------------------------------------

bool TTracker::Enabled(TCommand cmd, const TUiState& ui) const
{
    const bool todayFocus = ui.focus == TListKind::Today;
    const bool histFocus = ui.focus == TListKind::History && ui.HistoryShown();
    const bool favsFocus = ui.focus == TListKind::Favs && ui.FavsShown();
    const TRyvItem* todaySel = SelectedEntry(FToday);
    const TRyvItem* histSel = SelectedEntry(FHistory);
    const int favsSel = ui.favs.First();
    // Rule A: a row of today's list is selected and that list has the focus.
    const bool ruleA = todayFocus && todaySel;
    // Rule B: likewise for the history day while its panel shows.
    const bool ruleB = histFocus && histSel;
    // Rule C: the selected favourites row carries an item and lvFavs has the focus.
    const bool ruleC
        = FavsItemAt(favsSel) && ui.panel == TSecondaryPanel::Favs && ui.focus == TListKind::Favs;
    // Rule D: as C, on a favourite (not a recent task), with the pane shown.
    const bool ruleD = favsFocus && FavsItemAt(favsSel) && !FavsRowIsRecent(favsSel);

    switch (cmd) {
    case TCommand::acStart:
    case TCommand::acToggleStartStop:
        return true;
    case TCommand::acStartAs: {
        const int hf = FHistory.Focused();
        return (favsFocus && FavsItemAt(ui.favs.focused))
            || (histFocus && hf >= 0 && hf < FHistory.Count());
    }
    case TCommand::acStop:
        return FToday.IsWorking();
    case TCommand::acAdd:
        return todayFocus;
    case TCommand::acEdit:
        return todayFocus && todaySel && todaySel->IsTask();
    case TCommand::acDelete:
        return todayFocus && FToday.Selected().size() == 1
            && !FToday.IsRunningRow(SelectedRow(FToday));
    case TCommand::acClear:
        return !FToday.IsWorking() && !FToday.IsEmpty();
    case TCommand::acTaskDone:
        return todaySel && todaySel->IsTask();
    case TCommand::acMoveBack:
    case TCommand::acMoveForw:
    case TCommand::acMoveBackHour:
    case TCommand::acMoveForwHour:
    case TCommand::acShortenTime:
    case TCommand::acExtendTime:
    case TCommand::acMoveUp:
    case TCommand::acMoveDn:
        return ruleA;
    case TCommand::acOpenURL:
        return todayFocus && todaySel && todaySel->IsTask() && !todaySel->url.isEmpty();
    case TCommand::acAddHist:
        return histFocus;
    case TCommand::acEdit2:
        return (ruleD) || (histFocus && histSel && histSel->IsTask());
    case TCommand::acDelHist:
        return histFocus && FHistory.Selected().size() == 1;
    case TCommand::acMoveHistBack:
    case TCommand::acMoveHistForw:
    case TCommand::acMoveHistBackHour:
    case TCommand::acMoveHistForwHour:
    case TCommand::acHistShortenTime:
    case TCommand::acHistExtendTime:
    case TCommand::acHistMoveUp:
    case TCommand::acHistMoveDown:
        return ruleB;
    case TCommand::acOpenURL2: {
        const TRyvItem* fav = FavsItemAt(favsSel);
        return (favsFocus && fav && !fav->url.isEmpty())
            || (histFocus && histSel && !histSel->url.isEmpty());
    }
    case TCommand::acAddAs:
    case TCommand::acDelFav:
        return ruleC;
    case TCommand::acMoveFavUp:
    case TCommand::acMoveFavDn:
        return ruleD;
    case TCommand::acHistBack:
    case TCommand::acHistForw:
        return ui.HistoryShown();
    }
    return false;
}

bool TTracker::Execute(TCommand cmd, const TUiState& ui)
{
    if (!Enabled(cmd, ui))
        return false;
    const TListKind today = TListKind::Today;
    const TListKind hist = TListKind::History;
    switch (cmd) {
    case TCommand::acStart:
        acStartExecute(ui, false);
        break;
    case TCommand::acStartAs:
        acStartExecute(ui, true);
        break;
    case TCommand::acStop:
        acStopExecute();
        break;
    case TCommand::acToggleStartStop:
        acToggleStartStopExecute(ui);
        break;
    case TCommand::acAdd:
        acAddExecute(ui, nullptr);
        break;
    case TCommand::acEdit:
        acEditExecute(ui);
        break;
    case TCommand::acDelete:
        acDeleteExecute(today, ui);
        break;
    case TCommand::acClear:
        acClearExecute();
        break;
    case TCommand::acTaskDone:
        acTaskDoneExecute(ui);
        break;
    case TCommand::acMoveBack:
        acMoveBackExecute(today, ui, false);
        break;
    case TCommand::acMoveForw:
        acMoveForwExecute(today, ui, false);
        break;
    case TCommand::acMoveBackHour:
        acMoveBackExecute(today, ui, true);
        break;
    case TCommand::acMoveForwHour:
        acMoveForwExecute(today, ui, true);
        break;
    case TCommand::acShortenTime:
        acShortenTimeExecute(today, ui);
        break;
    case TCommand::acExtendTime:
        acExtendTimeExecute(today, ui);
        break;
    case TCommand::acMoveUp:
        acMoveUpExecute(today, ui);
        break;
    case TCommand::acMoveDn:
        acMoveDnExecute(today, ui);
        break;
    case TCommand::acOpenURL:
        acOpenURLExecute(ui);
        break;
    case TCommand::acAddHist:
        acAddHistExecute(ui);
        break;
    case TCommand::acEdit2:
        acEdit2Execute(ui);
        break;
    case TCommand::acDelHist:
        acDeleteExecute(hist, ui);
        break;
    case TCommand::acMoveHistBack:
        acMoveBackExecute(hist, ui, false);
        break;
    case TCommand::acMoveHistForw:
        acMoveForwExecute(hist, ui, false);
        break;
    case TCommand::acMoveHistBackHour:
        acMoveBackExecute(hist, ui, true);
        break;
    case TCommand::acMoveHistForwHour:
        acMoveForwExecute(hist, ui, true);
        break;
    case TCommand::acHistShortenTime:
        acShortenTimeExecute(hist, ui);
        break;
    case TCommand::acHistExtendTime:
        acExtendTimeExecute(hist, ui);
        break;
    case TCommand::acHistMoveUp:
        acMoveUpExecute(hist, ui);
        break;
    case TCommand::acHistMoveDown:
        acMoveDnExecute(hist, ui);
        break;
    case TCommand::acOpenURL2:
        acOpenURL2Execute(ui);
        break;
    case TCommand::acAddAs:
        acAddExecute(ui, FavsItemAt(ui.favs.First()));
        break;
    case TCommand::acDelFav:
        acDelFavExecute(ui);
        break;
    case TCommand::acMoveFavUp:
        acMoveFavUpExecute(ui);
        break;
    case TCommand::acMoveFavDn:
        acMoveFavDnExecute(ui);
        break;
    case TCommand::acHistBack:
        sbHistBackClick(ui);
        break;
    case TCommand::acHistForw:
        sbHistForwClick(ui);
        break;
    }
    return true;
}

// --- start, stop and the running task --------------------------------------------

int TTracker::TaskCountOfDay(TDateTime t) const
{
    const int day = DayOf(t);
    int count = 0;
    for (int i = FToday.Count() - 1; i >= 0; --i) {
        const TRyvItem& e = *FToday.Item(i);
        const int d = DayOf(e.start);
        if (d > day)
            continue;
        if (d < day)
            break;
        if (e.IsTask())
            ++count;
    }
    return count;
}

int TTracker::AppendTask(const QString& title, const QString& url)
{
    TDateTime x = Now();
    if (FToday.IsEmpty()) {
        x = TruncToMinute(x);
    } else {
        const TRyvItem* last = FToday.Last();
        const int lastRow = FToday.Count() - 1;
        x = StartTimeAfter(x, last);
        if (last->IsPause()) {
            if (FToday.IsWorking() || DayOf(last->start) < DayOf(x))
                FToday.Remove(lastRow);
            else
                FToday.SetStop(lastRow, x); // the trailing break now reaches the new start
        } else if (FToday.IsWorking()) {
            FToday.SetStop(lastRow, x);
        } else if (DayOf(last->stop) == DayOf(x) && MinuteOfDay(last->stop) < MinuteOfDay(x)) {
            // No break for a gap within one minute, and none across midnight.
            FToday.Append(NewPause(last->stop, x));
        }
    }

    auto e = std::make_unique<TRyvItem>();
    e->start = x;
    e->stop = x;
    if (title.isEmpty()) {
        e->title = AppTexts().str_tasknumb + QString::number(TaskCountOfDay(x) + 1);
    } else {
        e->title = title;
        e->url = url;
    }
    return FToday.Append(std::move(e));
}

void TTracker::acStartExecute(const TUiState& ui, bool startAs)
{
    const TDateTime now = Now();
    if (!FToday.IsEmpty() && FToday.Last()->stop > now)
        return; // the clock was set back or an entry was extended beyond now

    const TRyvItem* source = nullptr;
    bool fromList = false;
    const int histFocused = FHistory.Focused();
    if (startAs && ui.FavsShown() && ui.focus == TListKind::Favs && FavsItemAt(ui.favs.focused)) {
        source = FavsItemAt(ui.favs.focused);
        fromList = true;
    } else if (startAs && ui.HistoryShown() && ui.focus == TListKind::History && histFocused >= 0
        && histFocused < FHistory.Count()) {
        source = FHistory.Item(histFocused);
        fromList = true;
    } else {
        const int f = FToday.Focused();
        if (f >= 0 && f < FToday.Count() && !FToday.IsRunningRow(f) && FToday.Item(f)->IsTask())
            source = FToday.Item(f);
    }
    // The source may be an entry of today's log that AppendTask removes (a
    // trailing break is never a source, but keep a copy all the same).
    TRyvItem previous;
    previous.Assign(source);

    FToday.BeginUpdate();
    const int row = source ? AppendTask(previous.title, previous.url) : AppendTask({}, {});
    FToday.SetWorking(true);
    FStore.SaveData(false, 0);
    FToday.EndUpdate();
    FToday.SelectAndShow(row);

    const TRyvItem* entry = FToday.Item(row);
    if (!fromList) {
        TRyvItem edited = *entry;
        const bool ok
            = RunDialog(edited, FCapStart, true, false, source ? &previous : nullptr, false);
        const int r = FToday.IndexOf(entry);
        if (ok && r >= 0) {
            FToday.SetTexts(r, edited);
            FStore.SaveData(false, 0);
        }
        AfterDialog(ui.favs.First());
        if (r < 0)
            return;
    }
    RememberRecent(*entry, ui.favs.First());
}

void TTracker::acStopExecute()
{
    FToday.BeginUpdate();
    const bool wasWorking = FToday.IsWorking();
    FToday.SetWorking(false);
    if (wasWorking && !FToday.IsEmpty())
        FToday.SetStop(FToday.Count() - 1, StartTimeAfter(Now(), FToday.Last()));
    FToday.EndUpdate();
    FStore.SaveData(false, 0);
}

void TTracker::acToggleStartStopExecute(const TUiState& ui)
{
    Execute(FToday.IsWorking() ? TCommand::acStop : TCommand::acStart, ui);
}

void TTracker::lvListClick(const TUiState& ui)
{
    if (FToday.IsEmpty())
        Execute(TCommand::acStart, ui);
}

void TTracker::UpdateToday()
{
    const TDateTime now = Now();
    FLogDay = DayOf(now);
    emit TodayChanged(LongDateText(now), CalendarMaxDate());
}

TDateTime TTracker::CalendarMaxDate() const
{
    return MidnightOf(Now()) - 1.0;
}

void TTracker::RememberRecent(const TRyvItem& entry, int favsSelectedRow)
{
    const int found = FRecent.FindItem(entry.title, entry.url);
    if (found >= 0)
        FRecent.Delete(found);
    auto item = std::make_unique<TRyvItem>();
    item->title = entry.title;
    item->url = entry.url;
    item->descr = entry.descr;
    FRecent.Add(std::move(item));
    if (FRecent.Count() > FOptions.RecentMaxCnt)
        FRecent.Delete(0);
    RefreshFavsPanel(favsSelectedRow);
}

// --- the clock ----------------------------------------------------------------

void TTracker::tmrCheckTimer()
{
    if (Today() > FLogDay) {
        if (FToday.IsWorking() && !FToday.IsEmpty()) {
            if (FInDialog)
                return; // the day changes on the first tick after the dialog
            DayChange();
        }
        UpdateToday();
    }
    if (FToday.IsWorking() && !FToday.IsEmpty())
        FToday.RefreshTotals();
}

bool TTracker::SplitLastAtMidnight()
{
    const TRyvItem* last = FToday.Last();
    const TDateTime end = last->stop;
    if (DayOf(last->start) >= DayOf(end))
        return false;
    // The part before midnight ends at the end of its start's day; the entry
    // itself goes on from midnight of the day it stops on. Days in between
    // get no entries.
    auto before = std::make_unique<TRyvItem>(*last);
    before->stop = EndOfDayOf(last->start);
    const int row = FToday.Count() - 1;
    FToday.SetTimes(row, MidnightOf(end), end);
    FToday.Insert(row, std::move(before));
    return true;
}

bool TTracker::MoveEarlierDays()
{
    const int today = Today();
    std::vector<int> days;
    for (int i = 0; i < FToday.Count(); ++i) {
        const int d = DayOf(FToday.Item(i)->start);
        if (d < today && std::find(days.begin(), days.end(), d) == days.end())
            days.push_back(d);
    }
    // The history may have a day on show that is about to receive entries:
    // its unsaved changes go to the file first, so the merge keeps them, and
    // the list is read anew afterwards, or its next save would drop the
    // entries just moved there.
    const TDateTime shown = FHistory.HistoryDate();
    const bool shownDayMoves
        = shown != 0 && std::find(days.begin(), days.end(), DayOf(shown)) != days.end();
    if (shownDayMoves && FStore.IsHistSavePending())
        FStore.tmrSaveHistTimer();
    bool allWritten = true;
    for (const int day : days) {
        std::vector<const TRyvItem*> entries;
        for (int i = 0; i < FToday.Count(); ++i)
            if (DayOf(FToday.Item(i)->start) == day)
                entries.push_back(FToday.Item(i));
        QString error;
        if (!WriteDayEntriesMerged(FOptions, day, entries, error)) {
            // The entries stay in today's log (and current.lst) until a later
            // move succeeds.
            FPorts.messages.Warning(QStringLiteral("Cannot save data!\r\n\r\n") + error);
            allWritten = false;
            continue;
        }
        for (int i = FToday.Count() - 1; i >= 0; --i)
            if (DayOf(FToday.Item(i)->start) == day)
                FToday.Remove(i);
        if (shownDayMoves && day == DayOf(shown))
            FStore.LoadHistoryDay();
    }
    return allWritten;
}

void TTracker::DayChange()
{
    const bool wasActive = tmrCheck.isActive();
    tmrCheck.stop();
    FToday.BeginUpdate();
    const TRyvItem* running = FToday.Last();
    FToday.SetStop(FToday.Count() - 1, Now());
    SplitLastAtMidnight();
    MoveEarlierDays();
    FToday.EndUpdate();
    FToday.SelectAndShow(FToday.IndexOf(running));
    FStore.SaveData(false, 0);
    if (wasActive)
        tmrCheck.start();
}

void TTracker::StartUp()
{
    const bool loaded = FStore.LoadData();
    if (loaded && !FToday.IsEmpty()) {
        const bool wasActive = tmrCheck.isActive();
        tmrCheck.stop();
        FToday.BeginUpdate();
        const bool split = SplitLastAtMidnight();
        const int before = FToday.Count();
        MoveEarlierDays();
        if (split || FToday.Count() != before)
            FStore.SaveData(false, 0);
        FToday.EndUpdate();
        if (!FToday.IsEmpty())
            FToday.SelectAndShow(FToday.Count() - 1);
        if (wasActive)
            tmrCheck.start();
    }
    if (loaded && !FToday.IsEmpty()) {
        FLogDay = DayOf(FToday.Last()->start);
        if (FLogDay < Today())
            tmrCheckTimer();
        else
            UpdateToday();
    } else {
        UpdateToday();
    }
    tmrCheck.start();
}

void TTracker::AppActivate()
{
    FActive = true;
    tmrCheck.setInterval(ActiveInterval);
    tmrCheckTimer();
}

void TTracker::AppDeactivate()
{
    FActive = false;
    if (!FPinned)
        tmrCheck.setInterval(BackgroundInterval);
}

void TTracker::SetPinned(bool pinned)
{
    FPinned = pinned;
    tmrCheck.setInterval(pinned || FActive ? ActiveInterval : BackgroundInterval);
}

// --- adding and editing ------------------------------------------------------------

void TTracker::acAddExecute(const TUiState& ui, const TRyvItem* fromFavourite)
{
    auto e = std::make_unique<TRyvItem>();
    const bool fromFav = fromFavourite != nullptr;
    if (fromFav) {
        e->Assign(fromFavourite);
        e->start = 0;
        e->stop = 0;
    } else {
        e->title = AppTexts().str_tasknumb + QString::number(TaskCountOfDay(Now()) + 1);
    }
    const bool ok = RunDialog(*e, FCapAdd, true, true, nullptr, fromFav);
    if (!ok) {
        AfterDialog(ui.favs.First());
        return;
    }

    const qint64 d = std::max<qint64>(0, ToMs(e->stop));
    const TDateTime now = Now();
    const int n = FToday.Count();
    FToday.BeginUpdate();
    int row = 0;
    if (n == 0) {
        e->stop = TruncToMinute(now);
        // A task added to today's log belongs to today: it starts no earlier
        // than midnight.
        e->start = FromMs(std::max(ToMs(e->stop) - d, ToMs(MidnightOf(now))));
        row = FToday.Append(std::move(e));
    } else {
        const TRyvItem* first = FToday.Item(0);
        const TRyvItem* last = FToday.Last();
        const qint64 firstStart = ToMs(first->start);
        const qint64 firstMidnight = ToMs(MidnightOf(first->start));
        if (FToday.IsWorking()) {
            e->stop = first->start;
            e->start = firstStart - firstMidnight >= d ? FromMs(firstStart - d)
                                                       : MidnightOf(first->start);
            FToday.Insert(0, std::move(e));
            row = 0;
        } else if (ToMs(now) >= ToMs(last->stop) + d) {
            e->start = last->stop;
            e->stop = FromMs(ToMs(last->stop) + d);
            row = FToday.Append(std::move(e));
        } else if (firstStart - d >= ToMs(MidnightOf(now))) {
            e->stop = first->start;
            e->start = FromMs(firstStart - d);
            FToday.Insert(0, std::move(e));
            row = 0;
        } else {
            e->start = last->stop;
            const TDateTime stop = StartTimeAfter(now, e.get());
            if (ToMs(stop) >= ToMs(e->start)) {
                e->stop = stop;
            } else {
                // The last entry ends in the future (it was extended beyond
                // now): the task follows it with its duration, but stays
                // within that day, so it never ends before it starts.
                const qint64 dayLimit = ToMs(TruncToMinute(EndOfDayOf(last->stop)));
                e->stop = FromMs(std::max(ToMs(e->start), std::min(ToMs(e->start) + d, dayLimit)));
            }
            row = FToday.Append(std::move(e));
        }
    }
    FToday.EndUpdate();
    FToday.SelectAndShow(row);
    const TRyvItem added = *FToday.Item(row);
    FOptions.StateFavsChanged = false;
    RememberRecent(added, ui.favs.First());
    FStore.SaveData(false, 0);
}

void TTracker::acAddHistExecute(const TUiState& ui)
{
    const TDateTime h = FHistory.HistoryDate();
    if (h == 0)
        return;
    auto e = std::make_unique<TRyvItem>();
    e->title = AppTexts().str_tasknumb + QString::number(FHistory.Count() + 1);
    const bool ok = RunDialog(*e, FCapAdd, true, true, nullptr, false);
    if (!ok) {
        AfterDialog(ui.favs.First());
        return;
    }
    const qint64 d = std::max<qint64>(0, ToMs(e->stop));
    const qint64 midnight = ToMs(MidnightOf(h));
    const qint64 endOfDay = ToMs(EndOfDayOf(h));
    int row = 0;
    if (FHistory.IsEmpty()) {
        e->start = FromMs(midnight + 7 * MsPerHour);
        e->stop = FromMs(midnight + 7 * MsPerHour + d);
        row = FHistory.Append(std::move(e));
    } else {
        const TRyvItem* first = FHistory.Item(0);
        const TRyvItem* last = FHistory.Last();
        if (endOfDay >= ToMs(last->stop) + d) {
            e->start = last->stop;
            e->stop = FromMs(ToMs(last->stop) + d);
            row = FHistory.Append(std::move(e));
        } else if (ToMs(first->start) - d >= midnight) {
            e->stop = first->start;
            e->start = FromMs(ToMs(first->start) - d);
            FHistory.Insert(0, std::move(e));
            row = 0;
        } else {
            e->start = last->stop;
            e->stop = MinuteOfDay(e->start) == 1439 ? EndOfDayOf(h)
                                                    : FromMs(midnight + 1439 * MsPerMinute);
            if (e->stop < e->start)
                e->stop = e->start;
            row = FHistory.Append(std::move(e));
        }
    }
    FHistory.SelectAndShow(row);
    const TRyvItem added = *FHistory.Item(row);
    FOptions.StateFavsChanged = false;
    RememberRecent(added, ui.favs.First());
    FStore.SaveHistoryDay(true);
}

bool TTracker::EditDayEntry(TDayList& list, const QString& caption)
{
    const TRyvItem* entry = SelectedEntry(list);
    if (!entry || !entry->IsTask())
        return false;
    TRyvItem edited = *entry;
    if (!RunDialog(edited, caption, false, false, nullptr, false))
        return false;
    const int row = list.IndexOf(entry);
    if (row < 0)
        return false;
    // Times never change by editing (the clock may have moved the running
    // entry's stop while the dialog was open).
    list.SetTexts(row, edited);
    return true;
}

void TTracker::acEditExecute(const TUiState& ui)
{
    if (EditDayEntry(FToday, FCapEdit))
        FStore.SaveData(false, 0);
    AfterDialog(ui.favs.First());
}

void TTracker::acEdit2Execute(const TUiState& ui)
{
    if (ui.HistoryShown() && ui.focus == TListKind::History) {
        if (EditDayEntry(FHistory, FCapEdit2))
            FStore.SaveHistoryDay(true);
        AfterDialog(ui.favs.First());
        return;
    }
    acEditFavExecute(ui);
}

void TTracker::acEditFavExecute(const TUiState& ui)
{
    const int selected = ui.favs.First();
    const TRyvItem* item = FavsItemAt(selected);
    if (!item || ui.focus != TListKind::Favs)
        return;
    TRyvItem edited = *item;
    const bool ok = RunDialog(edited, FCapEdit2, false, false, nullptr, false);
    // The dialog's favourite button may have removed the item meanwhile: the
    // row finds it by its id, never by an address that may have been reused.
    TRyvItem* still = FavsItemOf(selected);
    const bool stillThere = still != nullptr;
    if (ok && stillThere)
        CopyTexts(*still, edited);
    if (ok || FOptions.StateFavsChanged) {
        FOptions.StateFavsChanged = false;
        RefreshFavsPanel(stillThere ? selected : -1);
    }
}

void TTracker::acTaskDoneExecute(const TUiState&)
{
    const int row = SelectedRow(FToday);
    if (row >= 0)
        ToggleDoneMark(TListKind::Today, row);
}

void TTracker::ToggleDoneMark(TListKind list, int row)
{
    TDayList& l = ListOf(list);
    if (row < 0 || row >= l.Count() || !l.Item(row)->IsTask())
        return;
    l.SetState(row, l.Item(row)->state == ryvsNone ? ryvsDone : ryvsNone);
    if (list == TListKind::History)
        FStore.SaveHistoryDay(false);
    else
        FStore.SaveData(false, 0);
}

// --- changing times and order -------------------------------------------------------

void TTracker::BeginChange(TDayList& list)
{
    list.BeginUpdate();
}

void TTracker::EndChange(TDayList& list)
{
    // The end of the batch brings the totals and the title up to date.
    list.EndUpdate();
    if (&list == &FToday)
        FStore.SaveData(false, 0);
    else
        FStore.SaveHistoryDay(false);
}

void TTracker::acDeleteExecute(TListKind list, const TUiState&)
{
    TDayList& l = ListOf(list);
    const int i = SelectedRow(l);
    if (i < 0 || i >= l.Count() || l.IsRunningRow(i))
        return;
    if (!FPorts.messages.ConfirmYesNo(DeleteQuestion(l.TaskText(i))))
        return;

    BeginChange(l);
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
    EndChange(l);
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

void TTracker::acClearExecute()
{
    if (FToday.IsWorking() || FToday.IsEmpty())
        return;
    if (!FPorts.messages.ConfirmYesNo(AppTexts().str_clearlist))
        return;
    FToday.BeginUpdate();
    FToday.Clear();
    FToday.EndUpdate();
    FStore.SaveData(false, 0);
}

template <class TChange> void TTracker::ChangeSelected(TListKind list, TChange&& change)
{
    TDayList& l = ListOf(list);
    const int i = SelectedRow(l);
    if (i < 0 || i >= l.Count())
        return;
    BeginChange(l);
    change(l, i, *l.Item(i));
    EndChange(l);
}

void TTracker::acMoveBackExecute(TListKind list, const TUiState&, bool hour)
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

void TTracker::acMoveForwExecute(TListKind list, const TUiState&, bool hour)
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

void TTracker::acShortenTimeExecute(TListKind list, const TUiState&)
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

void TTracker::acExtendTimeExecute(TListKind list, const TUiState&)
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
            if (&l == &FHistory)
                limit = EndOfDayOf(FHistory.HistoryDate());
            else if (FToday.IsWorking())
                limit = Now();
            else
                limit = EndOfDayOf(Now());
            const qint64 lim = ToMs(TruncToMinute(limit));
            // Extending never shortens: a stop already past the limit stays.
            l.SetStop(i, FromMs(std::max(ToMs(s.stop), std::min(t, lim))));
        }
    });
}

void TTracker::MoveEntry(TListKind list, bool up)
{
    TDayList& l = ListOf(list);
    const int n = l.Count();
    const int i = SelectedRow(l);
    if (i < 0 || i >= n)
        return;
    const bool today = &l == &FToday;
    const bool working = today && FToday.IsWorking();
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

    BeginChange(l);
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

void TTracker::acMoveUpExecute(TListKind list, const TUiState&)
{
    MoveEntry(list, true);
}

void TTracker::acMoveDnExecute(TListKind list, const TUiState&)
{
    MoveEntry(list, false);
}

// --- links ------------------------------------------------------------------------

void TTracker::OpenLink(const QString& url, const QString& hoursText, TDateTime day)
{
    const TDateTime today = MidnightOf(Now());
    QString spent;
    if (FOptions.SpendToClipboard == 1)
        spent = SpentTextStandard(hoursText, day, today);
    else if (FOptions.SpendToClipboard == 2)
        spent = SpentTextGit(hoursText, day, today);
    if (!spent.isEmpty())
        FPorts.clipboard.SetText(spent);
    FPorts.shell.ShellOpen(url);
}

void TTracker::acOpenURLExecute(const TUiState& ui)
{
    const int row = SelectedRow(FToday);
    if (row < 0)
        return;
    const TRyvItem* e = FToday.Item(row);
    if (e->url.isEmpty()) {
        Execute(TCommand::acEdit, ui);
        return;
    }
    OpenLink(e->url, FToday.HoursText(row), MidnightOf(Now()));
}

void TTracker::acOpenURL2Execute(const TUiState& ui)
{
    if (ui.FavsShown() && ui.focus == TListKind::Favs) {
        if (const TRyvItem* fav = FavsItemAt(ui.favs.First()); fav && !fav->url.isEmpty())
            FPorts.shell.ShellOpen(fav->url); // nothing is copied for a favourite
        return;
    }
    if (!ui.HistoryShown())
        return;
    const int row = SelectedRow(FHistory);
    if (row < 0)
        return;
    const TRyvItem* e = FHistory.Item(row);
    if (e->url.isEmpty()) {
        Execute(TCommand::acEdit2, ui);
        return;
    }
    OpenLink(e->url, FHistory.HoursText(row), FHistory.HistoryDate());
}

void TTracker::TaskTotalClick(TListKind list, const TUiState& ui)
{
    TDayList& l = ListOf(list);
    const TRyvItem* e = SelectedEntry(l);
    if (!e || !e->IsTask())
        return;
    if (list == TListKind::History) {
        if (e->url.isEmpty())
            Execute(TCommand::acEdit2, ui);
        else
            OpenLink(e->url, FHistory.TaskTotalText(), FHistory.HistoryDate());
        return;
    }
    if (!e->url.isEmpty())
        OpenLink(e->url, FToday.TaskTotalText(), MidnightOf(Now()));
}

bool TTracker::TaskTotalClickable(TListKind list, const TUiState& ui) const
{
    const TDayList& l = ListOf(list);
    if (!l.TaskTotalVisible())
        return false;
    if (list == TListKind::History)
        return Enabled(TCommand::acOpenURL2, ui);
    const TRyvItem* e = SelectedEntry(l);
    return e && e->IsTask() && !e->url.isEmpty();
}

// --- history days -----------------------------------------------------------------

TDateTime TTracker::HistoryDate() const
{
    return FHistory.HistoryDate();
}

void TTracker::LoadHistoryDay(TDateTime day)
{
    // The store writes a pending save of the day on show to that day before
    // it reads the new one.
    if (day != 0)
        FHistory.SetHistoryDate(MidnightOf(std::min(day, CalendarMaxDate())));
    FStore.LoadHistoryDay();
}

void TTracker::ShowHistory()
{
    LoadHistoryDay(FHistory.HistoryDate());
}

void TTracker::sbHistBackClick(const TUiState& ui)
{
    if (!ui.HistoryShown() || FHistory.HistoryDate() == 0)
        return;
    LoadHistoryDay(MidnightOf(FHistory.HistoryDate()) - 1.0);
}

void TTracker::sbHistForwClick(const TUiState& ui)
{
    if (!ui.HistoryShown() || FHistory.HistoryDate() == 0)
        return;
    const TDateTime next = MidnightOf(FHistory.HistoryDate()) + 1.0;
    if (DayOf(next) > DayOf(CalendarMaxDate()))
        return; // Next day stops at yesterday
    LoadHistoryDay(next);
}

void TTracker::calHistoryClick(TDateTime day)
{
    LoadHistoryDay(day);
}

void TTracker::calHistoryKeyUp(TDateTime day)
{
    if (DayOf(day) != DayOf(FHistory.HistoryDate()))
        LoadHistoryDay(day);
}

// --- favourites panel ---------------------------------------------------------------

void TTracker::BuildFavsRows()
{
    FFavsRows.clear();
    for (int i = 0; i < FFavs.Count(); ++i)
        FFavsRows.push_back({ FFavs.IdAt(i), false });
    if (!FRecent.IsEmpty())
        FFavsRows.push_back({ 0, false });
    for (int i = FRecent.Count() - 1; i >= 0; --i)
        FFavsRows.push_back({ FRecent.IdAt(i), true });
}

void TTracker::ShowFavsRow(int row)
{
    emit FavsPanelChanged();
    if (!FFavsRows.empty())
        emit RowSelected(
            TListKind::Favs, std::clamp(row, 0, static_cast<int>(FFavsRows.size()) - 1));
}

void TTracker::RefreshFavsPanel(int selectedRow)
{
    // The selected row's item is found again by its id; when it is gone, the
    // first row is selected.
    const bool known = FavsItemAt(selectedRow) != nullptr;
    const TFavsRow remembered = known ? FFavsRows[static_cast<size_t>(selectedRow)] : TFavsRow {};
    BuildFavsRows();
    const auto found = std::find_if(FFavsRows.begin(), FFavsRows.end(), [&](const TFavsRow& r) {
        return known && r.id == remembered.id && r.recent == remembered.recent;
    });
    ShowFavsRow(found == FFavsRows.end() ? 0 : static_cast<int>(found - FFavsRows.begin()));
}

void TTracker::acDelFavExecute(const TUiState& ui)
{
    const int i = ui.favs.First();
    if (!FavsItemAt(i))
        return;
    const int rows = static_cast<int>(FFavsRows.size());
    // The row after, which moves up into this place, or else the one before.
    const int next = i + 1 < rows ? i : i - 1;
    // Remove this very item: with equal items (possible from the files) the
    // first match need not be the row's own.
    const TFavsRow& row = FFavsRows[static_cast<size_t>(i)];
    TRyvItemList& list = row.recent ? FRecent : FFavs;
    list.Delete(list.IndexOfId(row.id));
    BuildFavsRows();
    if (next >= 0)
        ShowFavsRow(next);
    else
        emit FavsPanelChanged();
}

void TTracker::acMoveFavUpExecute(const TUiState& ui)
{
    const int i = ui.favs.First();
    if (i <= 0 || !FavsItemAt(i) || FavsRowIsRecent(i) || i >= FFavs.Count())
        return;
    FFavs.Move(i, i - 1);
    BuildFavsRows();
    ShowFavsRow(i - 1);
}

void TTracker::acMoveFavDnExecute(const TUiState& ui)
{
    const int i = ui.favs.First();
    if (!FavsItemAt(i) || FavsRowIsRecent(i) || !FavsItemAt(i + 1) || FavsRowIsRecent(i + 1))
        return;
    FFavs.Move(i, i + 1);
    BuildFavsRows();
    ShowFavsRow(i + 1);
}

// --- drag and drop ---------------------------------------------------------------------

bool TTracker::CanStartDrag(TListKind source, const TUiState& ui) const
{
    switch (source) {
    case TListKind::Today:
    case TListKind::History:
        return SelectedEntry(ListOf(source)) != nullptr;
    case TListKind::Favs:
        return FavsItemAt(ui.favs.First()) != nullptr;
    case TListKind::None:
        break;
    }
    return false;
}

bool TTracker::CanDropOnFavs(TListKind source, const TUiState&) const
{
    const TRyvItem* e = SelectedEntry(FToday);
    return source == TListKind::Today && e && e->IsTask();
}

void TTracker::DropOnFavs(TListKind source, const TUiState& ui)
{
    if (!CanDropOnFavs(source, ui))
        return;
    const TRyvItem* e = SelectedEntry(FToday);
    const int index = FFavs.AddOrUpdate(e->title, e->url, e->descr);
    BuildFavsRows();
    ShowFavsRow(index); // a favourite's row index is its index in the list
}

bool TTracker::CanDropOnToday(TListKind source, const TUiState& ui) const
{
    return source != TListKind::None && CanStartDrag(source, ui);
}

void TTracker::DropOnToday(TListKind source, const TUiState& ui)
{
    if (source != TListKind::Favs && source != TListKind::History)
        return;
    if (!CanDropOnToday(source, ui))
        return;
    // The drag began in the source list, so that list has the focus.
    TUiState dropUi = ui;
    dropUi.focus = source;
    Execute(TCommand::acStartAs, dropUi);
}

} // namespace ryv
