#include "core/liststore.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/texthelpers.h"

namespace ryv {

namespace {

const QString SaveDataFailed = QStringLiteral("Cannot save data!");
const QString LoadDataFailed = QStringLiteral("Cannot load data!");
const QString SaveHistoryFailed = QStringLiteral("Cannot save history data!");
const QString LoadHistoryFailed = QStringLiteral("Cannot load history data!");
const QString SaveWorkspaceFailed = QStringLiteral("Cannot save workspace!");
const QString LoadWorkspaceFailed = QStringLiteral("Cannot load workspace!");

// Moves the entries read into list as rows, in one batch so the totals are
// summed once.
void AppendRows(TDayList& list, TEntries& entries)
{
    list.BeginUpdate();
    for (auto& e : entries)
        list.Append(std::move(e));
    list.EndUpdate();
    entries.clear();
}

} // namespace

TListStore::TListStore(TDayList& today, TDayList& history, TRyvItemList& favs, TRyvItemList& recent,
    const TRyvOptions& options, const TClock& clock, QObject* parent)
    : QObject(parent)
    , FToday(today)
    , FHistory(history)
    , FFavs(favs)
    , FRecent(recent)
    , FOptions(options)
    , FClock(clock)
{
    tmrSave.setInterval(3000);
    tmrSave.setSingleShot(true);
    tmrSaveHist.setInterval(1000);
    tmrSaveHist.setSingleShot(true);
    connect(&tmrSave, &QTimer::timeout, this, &TListStore::tmrSaveTimer);
    connect(&tmrSaveHist, &QTimer::timeout, this, &TListStore::tmrSaveHistTimer);
}

void TListStore::Report(const QString& firstLine, const QString& detail)
{
    emit errorOccurred(FailureText(firstLine, detail));
}

bool TListStore::SaveData(bool immediately, TDateTime day)
{
    const bool current = DayOf(day) == 0;
    // Writing current.lst covers a pending save of it; writing an earlier
    // day's file does not, so that save stays pending.
    if (current || !immediately)
        tmrSave.stop();
    if (!immediately) {
        tmrSave.start();
        return true;
    }

    const int n = FToday.Count();
    const TRyvItem* running = current && FToday.IsWorking() && n > 0 ? FToday.Last() : nullptr;
    std::vector<const TRyvItem*> entries;
    entries.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        const TRyvItem* e = FToday.Item(i);
        if (e == running)
            continue;
        if (current || DayOf(e->start) == DayOf(day))
            entries.push_back(e);
    }
    QString error;
    const bool ok = WriteDayFile(DayFilePath(FOptions, day), entries, running, &error);
    if (current)
        FSaveFailed = !ok;
    if (!ok)
        Report(SaveDataFailed, error);
    return ok;
}

bool TListStore::LoadData()
{
    FToday.BeginUpdate();
    FToday.Clear();
    TEntries entries;
    QString reason;
    bool running = false;
    const TDateTime now = FClock.Now();
    const bool ok = ReadDayFile(
        DayFilePath(FOptions, 0), [now](const TRyvItem&) { return now; }, entries, &reason,
        &running);
    AppendRows(FToday, entries);
    // Only the last entry can be the running one; an earlier task stored
    // without a stop keeps the stop it got and does not make the log run.
    FToday.SetWorking(running);
    if (!FToday.IsEmpty())
        FToday.SelectAndShow(FToday.Count() - 1);
    FToday.EndUpdate();
    if (!ok)
        Report(LoadDataFailed, reason);
    return ok;
}

bool TListStore::SaveHistoryDay(bool immediately)
{
    tmrSaveHist.stop();
    if (!immediately) {
        tmrSaveHist.start();
        return true;
    }
    // The caller sets the new HistoryDate before LoadHistoryDay flushes the
    // old day's entries, so those are written where they came from.
    const TDateTime day = FLoadedHistoryDay != 0 ? FLoadedHistoryDay : FHistory.HistoryDate();
    // Without a day on show there is nothing to save, and day 0 would name
    // current.lst.
    if (DayOf(day) == 0)
        return true;
    std::vector<const TRyvItem*> entries;
    entries.reserve(static_cast<size_t>(FHistory.Count()));
    for (int i = 0; i < FHistory.Count(); ++i)
        entries.push_back(FHistory.Item(i));
    QString error;
    const bool ok = WriteDayFile(DayFilePath(FOptions, day), entries, nullptr, &error);
    FHistSaveFailed = !ok;
    if (!ok)
        Report(SaveHistoryFailed, error);
    return ok;
}

bool TListStore::LoadHistoryDay()
{
    if (IsHistSavePending())
        tmrSaveHistTimer();
    if (FHistory.HistoryDate() == 0)
        FHistory.SetHistoryDate(MidnightOf(FClock.Now() - 1.0));
    const TDateTime day = FHistory.HistoryDate();

    FHistory.Clear();
    // A day that still could not be written has been reported twice now; its
    // entries are gone with the list, so nothing is owed any more.
    FHistSaveFailed = false;
    FLoadedHistoryDay = day;
    TEntries entries;
    QString reason;
    const bool ok = ReadDayFile(
        DayFilePath(FOptions, day), [](const TRyvItem& e) { return EndOfDayOf(e.start); }, entries,
        &reason);
    AppendRows(FHistory, entries);
    if (!FHistory.IsEmpty())
        FHistory.SelectAndShow(FHistory.Count() - 1);
    emit historyDayLoaded(day);
    if (!ok)
        Report(LoadHistoryFailed, reason);
    return ok;
}

bool TListStore::SaveWorkspace()
{
    QString error;
    if (!WriteListFile(FavoritesFilePath(FOptions), FFavs, -1, &error)
        || !WriteListFile(
            RecentFilePath(FOptions), FRecent, std::max(0, FOptions.RecentMaxCnt), &error)) {
        Report(SaveWorkspaceFailed, error);
        return false;
    }
    return true;
}

bool TListStore::LoadWorkspace()
{
    // recent.lst is read even when favorites.lst fails: both are written
    // back when the window closes, and a recent list left unread would then
    // overwrite the file with nothing.
    QString favsReason;
    QString recentReason;
    const bool favsOk = ReadListFile(FavoritesFilePath(FOptions), FFavs, &favsReason);
    const bool recentOk = ReadListFile(RecentFilePath(FOptions), FRecent, &recentReason);
    if (!favsOk || !recentOk) {
        Report(LoadWorkspaceFailed, favsOk ? recentReason : favsReason);
        return false;
    }
    emit workspaceLoaded();
    return true;
}

void TListStore::tmrSaveTimer()
{
    tmrSave.stop();
    SaveData(true, 0);
}

void TListStore::tmrSaveHistTimer()
{
    tmrSaveHist.stop();
    SaveHistoryDay(true);
}

void TListStore::FlushPendingSaves()
{
    if (IsSavePending())
        tmrSaveTimer();
    if (IsHistSavePending())
        tmrSaveHistTimer();
}

} // namespace ryv
