#pragma once

// Changing entries after the fact: Add (to today's log and to the history
// day), Edit, the done mark, Delete, Clear and opening a task's link. The
// twins that serve both day lists take the list they act on.

#include "tracking/uistate.h"

#include <QString>

namespace ryv {

class TDayChange;
class TDayList;
class TFavsPanelModel;
class TRunningTask;
class TRyvItem;
class TTrackerContext;

class TEntryEdits final {
public:
    TEntryEdits(TTrackerContext& ctx, TRunningTask& running, TFavsPanelModel& favsPanel,
        TDayChange& dayChange);

    // Add (acAdd; acAddAs with the favourite as template): asks the task
    // dialog for the texts and a duration and places the task by
    // PlaceAddedTask. A task that so begins before today's midnight keeps
    // its whole duration: the part before midnight goes to its day's file
    // at once, as a day change would put it.
    void Add(const TUiState& ui, const TRyvItem* fromFavourite);
    // Add to the history day on show (acAddHist); the day is written at once.
    void AddToHistory(const TUiState& ui);
    // Edit the selected task's texts and done state (acEdit on today's log,
    // acEdit2 on the history day, which is written at once). Times never
    // change by editing.
    void Edit(TListKind list, const TUiState& ui);
    // A click on the done mark of a task row (and acTaskDone on today's
    // selected row); other rows are left alone.
    void ToggleDoneMark(TListKind list, int row);
    // Asks, then removes the selected entry, giving its time to a neighbour
    // or leaving a break between two tasks. The question is modal: the entry
    // is found again after it, and when it has gone (or has become the
    // running task) nothing is removed.
    void Delete(TListKind list);
    // Asks, then empties today's log, unless a task runs by then.
    void Clear();

    // Opens the selected row's link; the time spent, by the chosen format,
    // goes to the clipboard first.
    void OpenRowLink(TListKind list);
    // As OpenRowLink, with the time of the whole task (its task total).
    void OpenTaskTotalLink(TListKind list);
    // Opens a favourite's link; nothing is copied.
    void OpenFavouriteLink(const TRyvItem& favourite);

private:
    bool EditDayEntry(TDayList& list, TCommand captionOf);
    void OpenLink(const QString& url, const QString& hoursText, TListKind list);

    TTrackerContext& FCtx;
    TRunningTask& FRunning;
    TFavsPanelModel& FFavsPanel;
    TDayChange& FDayChange;
};

} // namespace ryv
