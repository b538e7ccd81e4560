#pragma once

// The tracking engine: what the user's commands do to today's log, to the
// history day on show and to the favourites and recent lists, and the clock.
//
// How the window uses it:
// - Construction: the entry point builds the options, the favourites and
//   recent lists, the two day lists and the list store, then one TTracker
//   with them, a clock and the four ports (task dialog, messages, clipboard,
//   shell). The window keeps a reference and connects to the signals below.
// - Start-up: after LoadWorkspace, call StartUp(): it reads today's log, moves
//   the entries of every earlier day to that day's file (merged with what the
//   file holds), and starts the clock.
// - Commands: the window fills a TUiState (secondary pane and panel shown,
//   which list has the keyboard focus, the favourites panel's selection) and
//   calls Enabled(cmd, ui) when idle and before a command; Execute(cmd, ui)
//   runs the command if it is enabled. The mouse paths have their own public
//   handlers: lvListClick, ToggleDoneMark, TaskTotalClick, the history
//   navigation (sb..Click, cal..) and the drag-and-drop pairs CanDrop../Drop...
//   SetDialogCaption passes the translated captions the task dialog shows.
// - Selection: the day lists keep their selection and focus in their TDayList
//   models (the views mirror them); a command that selects a row there calls
//   TDayList::SelectAndShow. For the favourites panel the engine emits
//   RowSelected(TListKind::Favs, row): the window clears lvFavs' selection,
//   focuses and selects the row and scrolls it into view.
// - Favourites panel: FavsRows() are the rows of lvFavs; the window rebuilds
//   its view on FavsPanelChanged(). A row whose item has left its list
//   carries nothing to any rule or command until the next rebuild.
// - Header and calendar: TodayChanged(header, calendarMax) after a change of
//   date; the history day on show is the history TDayList's HistoryDate.
// - Clock: tmrCheck is a QTimer owned by the engine (started by StartUp);
//   AppActivate and AppDeactivate switch its interval (1 s / 60 s), SetPinned
//   keeps it at 1 s while the window is pinned on top. While the task dialog
//   is open a change of date waits for it to close.

#include "core/datetime.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"
#include "tracking/uistate.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

namespace ryv {

class TClock;
class TDayList;
class TListStore;
class TRyvOptions;
class ITaskDialog;
class IUserMessages;
class IClipboard;
class IShell;

// The outside world of the engine; all references must outlive it.
struct TTrackerPorts final {
    const TClock& clock;
    ITaskDialog& dialog;
    IUserMessages& messages;
    IClipboard& clipboard;
    IShell& shell;
};

// One row of the favourites panel: the id of an item of the favourites list
// or (recent) of the recent list; the separator row has id 0. A row outlives
// changes of the lists (the task dialog's favourite button changes them at
// once, the rows follow at the next FavsPanelChanged()), so it keeps the id,
// which is never given again, and never the item's address.
struct TFavsRow final {
    TItemId id = 0;
    bool recent = false;
};

class TTracker final : public QObject {
    Q_OBJECT
public:
    TTracker(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent, TDayList& today,
        TDayList& history, TListStore& store, const TTrackerPorts& ports,
        QObject* parent = nullptr);
    ~TTracker() override;

    // --- commands ------------------------------------------------------------
    // The captions the task dialog shows come from the actions acStart, acAdd,
    // acEdit and acEdit2; the window passes the translated ones after every
    // change of language (English until then).
    void SetDialogCaption(TCommand cmd, const QString& caption);
    QString DialogCaption(TCommand cmd) const;

    bool Enabled(TCommand cmd, const TUiState& ui) const;
    // Runs cmd when it is enabled; returns whether it ran.
    bool Execute(TCommand cmd, const TUiState& ui);

    // Start, stop and the running task.
    void acStartExecute(const TUiState& ui, bool startAs);
    void acStopExecute();
    void acToggleStartStopExecute(const TUiState& ui);
    // A click into today's list while it is empty starts a task.
    void lvListClick(const TUiState& ui);

    // Editing. list is Today or History for the twins that serve both.
    void acAddExecute(const TUiState& ui, const TRyvItem* fromFavourite);
    void acAddHistExecute(const TUiState& ui);
    void acEditExecute(const TUiState& ui);
    void acEdit2Execute(const TUiState& ui);
    void acTaskDoneExecute(const TUiState& ui);
    void acDeleteExecute(TListKind list, const TUiState& ui);
    void acClearExecute();
    void acMoveBackExecute(TListKind list, const TUiState& ui, bool hour);
    void acMoveForwExecute(TListKind list, const TUiState& ui, bool hour);
    void acShortenTimeExecute(TListKind list, const TUiState& ui);
    void acExtendTimeExecute(TListKind list, const TUiState& ui);
    void acMoveUpExecute(TListKind list, const TUiState& ui);
    void acMoveDnExecute(TListKind list, const TUiState& ui);
    void acOpenURLExecute(const TUiState& ui);
    void acOpenURL2Execute(const TUiState& ui);
    // A click on the done mark of a task row (today's list or the history).
    void ToggleDoneMark(TListKind list, int row);
    // A click on the "Task total:" of a list, and whether it reacts to clicks.
    void TaskTotalClick(TListKind list, const TUiState& ui);
    bool TaskTotalClickable(TListKind list, const TUiState& ui) const;

    // History days. The day on show is the history list's HistoryDate(); a
    // save of it still pending is written to its own day before another day
    // (or the same day anew) is read.
    TDateTime HistoryDate() const;
    // The latest day the calendar offers: yesterday.
    TDateTime CalendarMaxDate() const;
    void ShowHistory(); // the history panel is being shown: (re)load the day
    void sbHistBackClick(const TUiState& ui);
    void sbHistForwClick(const TUiState& ui);
    void calHistoryClick(TDateTime day);
    void calHistoryKeyUp(TDateTime day);

    // Favourites panel.
    const std::vector<TFavsRow>& FavsRows() const { return FFavsRows; }
    // The item of a row; nullptr for the separator and for a row whose item
    // has left its list.
    const TRyvItem* FavsItemAt(int row) const;
    // Rebuilds the rows and reselects the row of the item selected before
    // (selectedRow, -1 for none), or else the first row.
    void RefreshFavsPanel(int selectedRow = -1);
    void acDelFavExecute(const TUiState& ui);
    void acMoveFavUpExecute(const TUiState& ui);
    void acMoveFavDnExecute(const TUiState& ui);
    void acEditFavExecute(const TUiState& ui);

    // Drag and drop.
    bool CanStartDrag(TListKind source, const TUiState& ui) const;
    bool CanDropOnFavs(TListKind source, const TUiState& ui) const;
    void DropOnFavs(TListKind source, const TUiState& ui);
    bool CanDropOnToday(TListKind source, const TUiState& ui) const;
    void DropOnToday(TListKind source, const TUiState& ui);

    // --- the running task and the clock ------------------------------------
    void StartUp();
    // Appends a task to today's log (an empty title asks for "Task #n") and
    // returns its row; the running state is the caller's.
    int AppendTask(const QString& title, const QString& url);
    int TaskCountOfDay(TDateTime t) const;
    void UpdateToday();
    // Records a started or added task as the newest recent one and rebuilds
    // the favourites panel (keeping favsSelectedRow's item selected).
    void RememberRecent(const TRyvItem& entry, int favsSelectedRow = -1);
    TDateTime LogDay() const { return FLogDay; }

    QTimer tmrCheck;
    void tmrCheckTimer();
    void AppActivate();
    void AppDeactivate();
    void SetPinned(bool pinned);

signals:
    // The header of today's log (LongDateText of today) and the calendar's
    // latest day, after a change of date.
    void TodayChanged(const QString& header, TDateTime calendarMax);
    // Clear the list's selection, focus and select row, scroll it into view.
    void RowSelected(TListKind list, int row);
    void FavsPanelChanged();

private:
    TDateTime Now() const;
    int Today() const;
    TDayList& ListOf(TListKind list) const;
    static int SelectedRow(const TDayList& list);
    static const TRyvItem* SelectedEntry(const TDayList& list);
    TRyvItem* FavsItemOf(int row) const;
    bool FavsRowIsRecent(int row) const;
    bool RunDialog(TRyvItem& entry, const QString& caption, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite);
    void AfterDialog(int favsSelectedRow);
    bool EditDayEntry(TDayList& list, const QString& caption);
    bool SplitLastAtMidnight();
    bool MoveEarlierDays();
    void DayChange();
    void BeginChange(TDayList& list);
    void EndChange(TDayList& list);
    // Runs change(list, row, entry) on the first selected entry of the list
    // within the list's batch and ending.
    template <class TChange> void ChangeSelected(TListKind list, TChange&& change);
    void MoveEntry(TListKind list, bool up);
    void OpenLink(const QString& url, const QString& hoursText, TDateTime day);
    void LoadHistoryDay(TDateTime day);
    void BuildFavsRows();
    void ShowFavsRow(int row);

    TRyvOptions& FOptions;
    TRyvItemList& FFavs;
    TRyvItemList& FRecent;
    TDayList& FToday;
    TDayList& FHistory;
    TListStore& FStore;
    TTrackerPorts FPorts;

    int FLogDay = 0;
    bool FPinned = false;
    bool FActive = true;
    bool FInDialog = false;
    QString FCapStart = QStringLiteral("Start a new task");
    QString FCapAdd = QStringLiteral("Add task");
    QString FCapEdit = QStringLiteral("Edit task");
    QString FCapEdit2 = QStringLiteral("Edit item");
    std::vector<TFavsRow> FFavsRows;
};

} // namespace ryv
