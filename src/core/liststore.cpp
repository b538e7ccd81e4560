#include "core/liststore.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "core/texthelpers.h"

#include <QDir>
#include <QRegularExpression>

#include <algorithm>

namespace ryv {

namespace {

// The first lines of the errors, in the language in force when they occur.
QString SaveDataFailed()
{
    return AppTexts().str_data_cannotsave;
}
QString LoadDataFailed()
{
    return AppTexts().str_data_cannotload;
}
QString SaveHistoryFailed()
{
    return AppTexts().str_history_cannotsave;
}
QString LoadHistoryFailed()
{
    return AppTexts().str_history_cannotload;
}
QString SaveWorkspaceFailed()
{
    return AppTexts().str_workspace_cannotsave;
}
QString LoadWorkspaceFailed()
{
    return AppTexts().str_workspace_cannotload;
}

// Moves the entries read into list as rows, in one change, so the totals are
// summed once and a view follows once.
void AppendRows(TDayList& list, TEntries& entries)
{
    list.AppendAll(std::move(entries));
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
    tmrSaveWorkspace.setInterval(3000);
    tmrSaveWorkspace.setSingleShot(true);
    connect(&tmrSaveWorkspace, &QTimer::timeout, this, &TListStore::tmrSaveWorkspaceTimer);
    connect(&tmrSave, &QTimer::timeout, this, &TListStore::tmrSaveTimer);
    connect(&tmrSaveHist, &QTimer::timeout, this, &TListStore::tmrSaveHistTimer);
}

void TListStore::Report(const QString& firstLine, const QString& detail)
{
    emit errorOccurred(FailureText(firstLine, detail));
}

void TListStore::NoteLoad(const QString& path, bool ok)
{
    if (!ok && ListFileHasContent(path))
        FUnreadFiles.insert(path);
    else
        FUnreadFiles.remove(path);
}

bool TListStore::KeepUnreadFile(const QString& path, const QString& firstLine)
{
    if (!FUnreadFiles.contains(path))
        return true;
    if (!ListFileHasContent(path)) {
        FUnreadFiles.remove(path);
        return true;
    }
    QString error;
    const QString aside = SetAsideUnreadFile(path, FClock.Now(), &error);
    if (aside.isEmpty()) {
        Report(firstLine, AppTexts().str_file_notkept.arg(QDir::toNativeSeparators(path), error));
        return false;
    }
    FUnreadFiles.remove(path);
    emit errorOccurred(AppTexts().str_file_keptas.arg(
        QDir::toNativeSeparators(path), QDir::toNativeSeparators(aside)));
    return true;
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
    const QString path = DayFilePath(FOptions, day);
    QString error;
    bool ok = KeepUnreadFile(path, SaveDataFailed());
    if (ok) {
        ok = WriteDayFile(path, entries, running, &error);
        if (!ok)
            Report(SaveDataFailed(), error);
    }
    if (current)
        FSaveFailed = !ok;
    return ok;
}

void TListStore::RemoveLeftoverSaves()
{
    const QDir data(FOptions.FolderData);
    if (!data.exists())
        return;
    RemoveLeftoverTempFiles(data.path());
    static const QRegularExpression year(QStringLiteral("^[0-9]{4}$"));
    for (const QString& name : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        if (year.match(name).hasMatch())
            RemoveLeftoverTempFiles(data.filePath(name));
}

bool TListStore::LoadData()
{
    RemoveLeftoverSaves();
    FToday.BeginUpdate();
    FToday.Clear();
    TEntries entries;
    QString reason;
    bool running = false;
    const TDateTime now = FClock.Now();
    const QString path = DayFilePath(FOptions, 0);
    const bool ok = ReadDayFile(
        path, [now](const TRyvItem&) { return now; }, entries, &reason, &running);
    NoteLoad(path, ok);
    const auto dayless = std::count_if(
        entries.begin(), entries.end(), [](const auto& e) { return !HasDay(e->start); });
    AppendRows(FToday, entries);
    // Only the last entry can be the running one; an earlier task stored
    // without a stop keeps the stop it got and does not make the log run.
    FToday.SetWorking(running);
    if (!FToday.IsEmpty())
        FToday.SelectAndShow(FToday.Count() - 1);
    FToday.EndUpdate();
    if (!ok)
        Report(LoadDataFailed(), reason);
    if (dayless > 0)
        emit errorOccurred(AppTexts().str_file_nodate.arg(
            QDir::toNativeSeparators(path), QString::number(dayless)));
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
    const QString path = DayFilePath(FOptions, day);
    QString error;
    bool ok = KeepUnreadFile(path, SaveHistoryFailed());
    if (ok) {
        ok = WriteDayFile(path, entries, nullptr, &error);
        if (!ok)
            Report(SaveHistoryFailed(), error);
    }
    FHistSaveFailed = !ok;
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
    const QString path = DayFilePath(FOptions, day);
    const bool ok = ReadDayFile(
        path, [](const TRyvItem& e) { return EndOfDayOf(e.start); }, entries, &reason);
    NoteLoad(path, ok);
    AppendRows(FHistory, entries);
    if (!FHistory.IsEmpty())
        FHistory.SelectAndShow(FHistory.Count() - 1);
    emit historyDayLoaded(day);
    if (!ok)
        Report(LoadHistoryFailed(), reason);
    return ok;
}

TListStore::TWorkspaceTexts TListStore::WorkspaceTexts() const
{
    return { ListFileText(FFavs), ListFileText(FRecent, std::max(0, FOptions.RecentMaxCnt)) };
}

bool TListStore::SaveWorkspace(bool immediately)
{
    tmrSaveWorkspace.stop();
    if (!immediately) {
        tmrSaveWorkspace.start();
        return true;
    }
    const QString favsPath = FavoritesFilePath(FOptions);
    const QString recentPath = RecentFilePath(FOptions);
    FWorkspaceSaveFailed = true;
    if (!KeepUnreadFile(favsPath, SaveWorkspaceFailed())
        || !KeepUnreadFile(recentPath, SaveWorkspaceFailed()))
        return false;
    QString error;
    if (!WriteListFile(favsPath, FFavs, -1, &error)
        || !WriteListFile(recentPath, FRecent, std::max(0, FOptions.RecentMaxCnt), &error)) {
        Report(SaveWorkspaceFailed(), error);
        return false;
    }
    FWorkspaceSaveFailed = false;
    FWorkspaceOnDisk = WorkspaceTexts();
    return true;
}

bool TListStore::LoadWorkspace()
{
    // recent.lst is read even when favorites.lst fails: both are written
    // back when the window closes, and a recent list left unread would then
    // overwrite the file with nothing.
    QString favsReason;
    QString recentReason;
    const QString favsPath = FavoritesFilePath(FOptions);
    const QString recentPath = RecentFilePath(FOptions);
    const bool favsOk = ReadListFile(favsPath, FFavs, &favsReason);
    const bool recentOk = ReadListFile(recentPath, FRecent, &recentReason);
    NoteLoad(favsPath, favsOk);
    NoteLoad(recentPath, recentOk);
    if (!favsOk || !recentOk) {
        QStringList reasons;
        if (!favsOk)
            reasons << favsReason;
        if (!recentOk)
            reasons << recentReason;
        Report(LoadWorkspaceFailed(), reasons.join(QStringLiteral("\r\n")));
        return false;
    }
    FWorkspaceOnDisk = WorkspaceTexts();
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

void TListStore::tmrSaveWorkspaceTimer()
{
    tmrSaveWorkspace.stop();
    // The panel is rebuilt also when nothing changed (at start-up, say);
    // lists that are on disk as they are need no write.
    if (!FWorkspaceSaveFailed && FWorkspaceOnDisk && *FWorkspaceOnDisk == WorkspaceTexts())
        return;
    SaveWorkspace(true);
}

void TListStore::FlushPendingSaves()
{
    if (IsSavePending())
        tmrSaveTimer();
    if (IsHistSavePending())
        tmrSaveHistTimer();
}

} // namespace ryv
