#pragma once

// What the units of the engine share: the lists they work on, the ports to
// the world, the clock's timer, the signals of the engine and the little state
// that more than one unit reads. TTracker builds one and hands it to every
// unit (see trackerunits.h); a unit reaches another unit only through the
// references it is given.

#include "core/datetime.h"
#include "core/ryvitem.h"
#include "tracking/uistate.h"

#include <QString>

#include <functional>
#include <optional>

class QTimer;

namespace ryv {

class TClock;
class TDayList;
class TModalCount;
class TListStore;
class TRyvItemList;
class TRyvOptions;
class ITaskDialog;
class IUserMessages;
class IClipboard;
class IShell;

// The outside world of the engine; all references must outlive it. modals is
// the program's one count of open modal windows (see modalcount.h): the
// engine adds the boxes it opens through dialog and messages, the window
// those it opens itself.
struct TTrackerPorts final {
    const TClock& clock;
    ITaskDialog& dialog;
    IUserMessages& messages;
    IClipboard& clipboard;
    IShell& shell;
    TModalCount& modals;
};

// The signals of the engine, raised by the units and emitted by TTracker.
struct TTrackerEvents final {
    std::function<void(const QString& header, TDateTime calendarMax)> todayChanged;
    std::function<void(TListKind list, int row)> rowSelected;
    std::function<void()> favsPanelChanged;
};

class TTrackerContext final {
public:
    TTrackerContext(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent, TDayList& today,
        TDayList& history, TListStore& store, const TTrackerPorts& ports, QTimer& tmrCheck,
        TTrackerEvents events);
    TTrackerContext(const TTrackerContext&) = delete;
    TTrackerContext& operator=(const TTrackerContext&) = delete;

    TRyvOptions& options;
    TRyvItemList& favs;
    TRyvItemList& recent;
    TDayList& today;
    TDayList& history;
    TListStore& store;
    const TTrackerPorts ports;
    QTimer& tmrCheck; // the clock tick (see daychange.h)
    const TTrackerEvents events;

    TDateTime Now() const;
    int Today() const; // the day number of now
    // The latest day the history calendar offers: yesterday.
    TDateTime CalendarMaxDate() const;
    TDayList& ListOf(TListKind list) const; // History, or else today's log
    bool IsToday(const TDayList& list) const { return &list == &today; }
    static int SelectedRow(const TDayList& list); // the first selected row, -1 for none
    static const TRyvItem* SelectedEntry(const TDayList& list);

    // The captions the task dialog shows come from the actions acStart,
    // acAdd, acEdit and acEdit2 (English until the window passes translated
    // ones).
    void SetDialogCaption(TCommand cmd, const QString& caption);
    QString DialogCaption(TCommand cmd) const;

    // The modal windows of the engine: the task dialog, a Yes/No question, a
    // warning. Each runs a nested event loop in which the clock keeps
    // ticking; while any modal window of ours is open (ModalOpen) a change
    // of date waits for it to close, since the day change rebuilds today's
    // log under the command that opened it. A command still finds the
    // entries it holds again after the window closes (TDayList::RowOfId).
    bool RunDialog(TRyvItem& entry, TCommand captionOf, bool isNew, bool askDuration,
        const TRyvItem* previous, bool fromFavourite);
    bool Confirm(const QString& text);
    void Warn(const QString& text);
    bool ModalOpen() const;

    // The away rules hold the change of date while an absence may still be
    // answered: the answer then edits the running task before it is split at
    // midnight. Without a hold set nothing holds it.
    void SetAwayHold(std::function<bool()> holds) { FAwayHold = std::move(holds); }
    bool AwayHoldsDayChange() const { return FAwayHold && FAwayHold(); }
    // The away rules look at the clock before the clock tick and before
    // every command, so a clock set back is handled before anything is done
    // at the new time (the running task would end there).
    void SetClockWatch(std::function<void()> watch) { FClockWatch = std::move(watch); }
    void WatchClock() const
    {
        if (FClockWatch)
            FClockWatch();
    }

private:
    std::function<bool()> FAwayHold;
    std::function<void()> FClockWatch;
    QString FCapStart = QStringLiteral("Start a new task");
    QString FCapAdd = QStringLiteral("Add task");
    QString FCapEdit = QStringLiteral("Edit task");
    QString FCapEdit2 = QStringLiteral("Edit item");
};

// The title of a new task without one: "Task #" and its number.
QString DefaultTaskTitle(int number);

// The start-time rule: a new start (or a stop) is now truncated to the
// minute, unless the entry it follows started in this very minute
// (previousStart): then the seconds stay, so two starts within one minute do
// not give an entry that ends before it starts.
TDateTime StartTimeAfter(TDateTime now, std::optional<TDateTime> previousStart);

} // namespace ryv
