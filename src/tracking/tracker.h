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
//   runs the command if it is enabled. Both go through one table
//   (commandrules.cpp); the handlers are not reachable otherwise. The history
//   panel's Previous and Next day buttons are the commands acHistBack and
//   acHistForw. The mouse paths that are no commands have their own entry
//   points: lvListClick, ToggleDoneMark, TaskTotalClick, the calendar
//   (calHistoryClick, calHistoryKeyUp) and the drag-and-drop pairs
//   CanDrop../Drop...; the ones that start or edit run the command through
//   Execute. SetDialogCaption passes the translated captions the task dialog
//   shows.
// - Selection: the day lists keep their selection and focus in their TDayList
//   models (the views mirror them); a command that selects a row there calls
//   TDayList::SelectAndShow. For the favourites panel the engine emits
//   RowSelected(TListKind::Favs, row): the window clears lvFavs' selection,
//   focuses and selects the row and scrolls it into view.
// - Favourites panel: FavsRows() are the rows of lvFavs and FavsItemAt(row)
//   their items; the window rebuilds its view on FavsPanelChanged(). A row
//   whose item has left its list carries nothing to any rule or command until
//   the next rebuild.
// - Header and calendar: TodayChanged(header, calendarMax) after a change of
//   date; the history day on show is the history TDayList's HistoryDate.
// - Clock: tmrCheck is a QTimer owned by the engine (started by StartUp);
//   AppActivate and AppDeactivate switch its interval (1 s / 60 s), SetPinned
//   keeps it at 1 s while the window is pinned on top. While a modal window
//   of ours is open (Modals(): the engine counts its own, the window counts
//   the ones it opens) a change of date waits for it to close.
// - Away time: AwayLog() is today's log for the away rules (TAwayTracker);
//   SetAwayHold gives them the say over when the date may change, and
//   SetClockWatch a look at the clock before every tick and command.

#include "core/datetime.h"
#include "core/ryvitem.h"
#include "tracking/favspanelmodel.h"
#include "tracking/trackercontext.h"
#include "tracking/uistate.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

namespace ryv {

class IAwayLog;
struct TTrackerUnits;

// The engine as the window sees it: a thin facade over the units of
// trackerunits.h, which share one TTrackerContext.
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

    // --- mouse paths that are no commands -----------------------------------
    // A click into today's list while it is empty starts a task (acStart).
    void lvListClick(const TUiState& ui);
    // A click on the done mark of a task row (today's list or the history).
    void ToggleDoneMark(TListKind list, int row);
    // A click on the "Task total:" of a list, and whether it reacts to
    // clicks: it opens the selected task's link with the time of the whole
    // task; on the history day a task without link is edited (acEdit2).
    void TaskTotalClick(TListKind list, const TUiState& ui);
    bool TaskTotalClickable(TListKind list, const TUiState& ui) const;
    // Drag and drop between the lists. A task of today's log dropped onto
    // the favourites becomes a favourite; a favourite or history row dropped
    // onto today's list starts (acStartAs).
    bool CanStartDrag(TListKind source, const TUiState& ui) const;
    bool CanDropOnFavs(TListKind source, const TUiState& ui) const;
    void DropOnFavs(TListKind source, const TUiState& ui);
    bool CanDropOnToday(TListKind source, const TUiState& ui) const;
    void DropOnToday(TListKind source, const TUiState& ui);

    // --- history days ----------------------------------------------------------
    // The day on show is the history list's HistoryDate(); a save of it still
    // pending is written to its own day before another day (or the same day
    // anew) is read.
    TDateTime HistoryDate() const;
    // The latest day the calendar offers: yesterday.
    TDateTime CalendarMaxDate() const;
    void ShowHistory(); // the history panel is being shown: (re)load the day
    void calHistoryClick(TDateTime day);
    void calHistoryKeyUp(TDateTime day);

    // --- favourites panel -------------------------------------------------------
    const std::vector<TFavsRow>& FavsRows() const;
    // The item of a row; nullptr for the separator and for a row whose item
    // has left its list.
    const TRyvItem* FavsItemAt(int row) const;
    // Rebuilds the rows and reselects the row of the item selected before
    // (selectedRow, -1 for none), or else the first row.
    void RefreshFavsPanel(int selectedRow = -1);
    // Records a started or added task as the newest recent one and rebuilds
    // the favourites panel (keeping favsSelectedRow's item selected).
    void RememberRecent(const TRyvItem& entry, int favsSelectedRow = -1);

    // --- the running task and the clock ------------------------------------
    void StartUp();
    // The number of tasks of today's log that started on the day of t.
    int TaskCountOfDay(TDateTime t) const;
    // The day of today's log becomes now's day (TodayChanged).
    void UpdateToday();
    int LogDay() const;

    // The program's count of open modal windows, from the ports.
    TModalCount& Modals() const;

    QTimer tmrCheck;
    void tmrCheckTimer();
    void AppActivate();
    void AppDeactivate();
    void SetPinned(bool pinned);

    // --- away time ---------------------------------------------------------------
    // The edits the answers of the away question make (awaylog.h).
    IAwayLog& AwayLog();
    // While holds() is true the change of date waits, as it waits for the task
    // dialog (the away rules: an absence that may still be answered).
    void SetAwayHold(std::function<bool()> holds);
    // watch() looks at the clock before every clock tick and command (the
    // away rules, which handle a clock set back before the running task could
    // be ended at the earlier time).
    void SetClockWatch(std::function<void()> watch);

signals:
    // The header of today's log (LongDateText of today) and the calendar's
    // latest day, after a change of date.
    void TodayChanged(const QString& header, TDateTime calendarMax);
    // Clear the list's selection, focus and select row, scroll it into view.
    void RowSelected(TListKind list, int row);
    void FavsPanelChanged();

private:
    std::unique_ptr<TTrackerUnits> FUnits;
};

} // namespace ryv
