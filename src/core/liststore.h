#pragma once

#include "core/datetime.h"

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <optional>
#include <utility>

namespace ryv {

class TClock;
class TDayList;
class TRyvItemList;
class TRyvOptions;

// Loads and saves the four lists: today's log (current.lst, or the day file of
// an earlier day from it), the history day on show, the favourites and the
// recent list. Changes are saved after a short quiet time: tmrSave (3 s),
// tmrSaveHist (1 s) and tmrSaveWorkspace (3 s, the favourites and the recent
// list) restart with every change, so typing and clicking do not
// write a file each time.
//
// A failed load or save never throws and never touches the lists in memory;
// it emits errorOccurred with the whole message ("Cannot save data!", an
// empty line and the error's text, which names the file) for the window to
// show, and the next save simply tries again.
//
// A list file that exists but failed to load (it cannot be read, or it ends
// inside an open quote) is never overwritten: the first save of that list
// renames it to <name>.unreadable-<yyyymmdd-hhmmss> (the time from the clock)
// and says so, and only then writes the list. When the rename fails, the save
// fails and the file stays as it is.
class TListStore final : public QObject {
    Q_OBJECT

public:
    TListStore(TDayList& today, TDayList& history, TRyvItemList& favs, TRyvItemList& recent,
        const TRyvOptions& options, const TClock& clock, QObject* parent = nullptr);

    // Today's log. immediately false only (re)starts tmrSave. Day 0 writes
    // current.lst (the running entry last, without its stop); another day
    // writes that day's file with the entries of today's log that started on
    // that day (the running one with its current stop). Returns false when
    // the write failed.
    bool SaveData(bool immediately, TDateTime day);
    // Fills today's log from current.lst within a batch. A task stored
    // without a stop resumes running with its stop at now. Rows whose start
    // has no readable date (HasDay) are kept as they were read, and the load
    // says once how many there are (errorOccurred). The start-up day
    // check is the caller's, and only when this returns true. Called once at
    // start-up, it first removes the temporary files that a save killed
    // half-way left in the data folder and its year folders.
    bool LoadData();
    // The history day on show; immediately false only (re)starts
    // tmrSaveHist. The entries go to the file of the day they were loaded
    // from, which is the list's HistoryDate except while the shown day is
    // being switched.
    bool SaveHistoryDay(bool immediately);
    // Fills the history list from the file of its HistoryDate (yesterday when
    // that is 0). A task stored without a stop ends at the end of its day. A
    // pending save of the day on show is written first, so switching days
    // (or reloading the same day) within a second of a change loses nothing.
    bool LoadHistoryDay();
    // favorites.lst, then the first RecentMaxCnt entries of the recent list to
    // recent.lst; when the favourites fail the recent list is not written.
    // immediately false only (re)starts tmrSaveWorkspace, so a change to
    // either list is on disk a few seconds later and a crash does not take
    // the session's favourites with it; the window still writes both when it
    // closes.
    bool SaveWorkspace(bool immediately = true);
    // Appends the entries of favorites.lst and recent.lst to the two lists
    // (each file is read even when the other fails); workspaceLoaded follows
    // only when both were read.
    bool LoadWorkspace();

    // Timer handlers (public so tests fire them by hand).
    void tmrSaveTimer();
    void tmrSaveHistTimer();
    // Writes the two lists unless they are on disk as they are.
    void tmrSaveWorkspaceTimer();
    // A save is pending while its timer runs, and also after it failed: the
    // list is still not on disk, so closing the window or switching the
    // history day tries again instead of dropping the changes.
    bool IsSavePending() const { return tmrSave.isActive() || FSaveFailed; }
    bool IsHistSavePending() const { return tmrSaveHist.isActive() || FHistSaveFailed; }
    bool IsWorkspaceSavePending() const
    {
        return tmrSaveWorkspace.isActive() || FWorkspaceSaveFailed;
    }
    // On closing: a pending save of today's log, then one of the history day.
    void FlushPendingSaves();

    QTimer tmrSave;
    QTimer tmrSaveHist;
    QTimer tmrSaveWorkspace;

signals:
    // The full text of a warning box.
    void errorOccurred(const QString& message);
    // The history list now holds the day HistoryDate (the calendar and the
    // header follow it); emitted after every LoadHistoryDay, also failed ones.
    void historyDayLoaded(TDateTime day);
    // Both workspace files were read: rebuild and show the favourites panel.
    void workspaceLoaded();

private:
    void Report(const QString& firstLine, const QString& detail);
    void RemoveLeftoverSaves();
    // Records whether path loaded; one that failed while holding something is
    // kept from being overwritten.
    void NoteLoad(const QString& path, bool ok);
    // Before path is written: moves it aside when it failed to load. False
    // (reported under firstLine) when it failed and could not be moved.
    bool KeepUnreadFile(const QString& path, const QString& firstLine);

    TDayList& FToday;
    TDayList& FHistory;
    TRyvItemList& FFavs;
    TRyvItemList& FRecent;
    const TRyvOptions& FOptions;
    const TClock& FClock;
    // The day whose entries the history list holds; 0 before the first load.
    TDateTime FLoadedHistoryDay = 0;
    // The last write of current.lst / of the history day failed.
    bool FSaveFailed = false;
    bool FHistSaveFailed = false;
    using TWorkspaceTexts = std::pair<QString, QString>;
    // The texts of favorites.lst and recent.lst as the lists stand now.
    TWorkspaceTexts WorkspaceTexts() const;
    // What the two files hold since the last load or save that succeeded.
    std::optional<TWorkspaceTexts> FWorkspaceOnDisk;
    bool FWorkspaceSaveFailed = false;
    // List files whose last load failed while they held something.
    QSet<QString> FUnreadFiles;
};

} // namespace ryv
