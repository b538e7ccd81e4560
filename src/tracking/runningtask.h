#pragma once

// Start, stop and the running task of today's log.

#include "core/datetime.h"
#include "tracking/uistate.h"

#include <QString>

namespace ryv {

class TFavsPanelModel;
class TRyvItem;
class TTrackerContext;

class TRunningTask final {
public:
    TRunningTask(TTrackerContext& ctx, TFavsPanelModel& favsPanel);

    // Start (acStart): ends the running task and appends a new one after
    // the start-time rule, from the focused task of today's log when there is
    // one (its title and link), and opens the task dialog on it. Nothing
    // happens while the last entry ends in the future (the clock was set back
    // or an entry was extended beyond now).
    void Start(const TUiState& ui);
    // Start from a list (acStartAs, also a drop onto today's list): from the
    // focused favourites row or the focused history entry, without a dialog.
    void StartAs(const TUiState& ui);
    // Stop (acStop): the running task ends after the start-time rule.
    void Stop();

    // Appends a task to today's log (an empty title asks for "Task #n") and
    // returns its row; the running state is the caller's.
    int AppendTask(const QString& title, const QString& url);
    // The number of tasks of today's log that started on the day of t.
    int TaskCountOfDay(TDateTime t) const;

private:
    // Appends and runs a task from source (nullptr: a new default task);
    // returns its row, or -1 when the last entry ends in the future.
    int StartFrom(const TRyvItem* source);

    TTrackerContext& FCtx;
    TFavsPanelModel& FFavsPanel;
};

} // namespace ryv
