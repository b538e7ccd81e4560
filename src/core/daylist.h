#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"
#include "core/ryvitemlist.h"

#include <QList>
#include <QObject>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

namespace ryv {

class TClock;
class TRyvOptions;

// Which of the two day lists a TDayList is. Only today's log has a running
// entry, a window title and the "click to start" state; the history day
// shows a plain total of finished entries.
enum class TDayListRole { Today, History };

// One day list without widgets: today's log (shown by lvList) or the history
// day on show (lvHistory). Each row owns exactly one entry; removing a row
// frees its entry. The list also holds the selection and the focus that the
// view mirrors into it, and the totals under the list.
//
// Views ask, the list formats: the column texts (Time, Task, Hours) and the
// done mark are computed from the entry whenever they are asked for, so the
// list keeps no display strings that could go stale. Entries are read-only
// from outside; every change goes through a mutator, which signals the
// changed rows and keeps the totals right: at once outside a batch, at the
// end of the batch inside one.
//
// Invariant: while IsWorking() the list is not empty and its last row holds
// the running task. RefreshTotals relies on it: FTotalCache is the sum of all
// task durations except the last row's, so a clock tick adds one duration
// instead of summing the whole day. Every change of the rows drops the cache,
// so no change can leave a stale total.
//
// Signals are fine-grained so a view can follow a clock tick by repainting
// one row: rowsChanged for texts, rowsInserted/rowsRemoved/rowsMoved for
// structure, listReset for Clear and for the removal of rows that were not
// adjacent. A change of many rows at once (loading a day, moving earlier days
// out of today's log) gives one signal, not one per row.
class TDayList final : public QObject {
    Q_OBJECT

public:
    TDayList(TDayListRole role, const TRyvOptions& options, const TClock& clock,
        QObject* parent = nullptr);
    ~TDayList() override;

    TDayListRole Role() const { return FRole; }
    bool IsToday() const { return FRole == TDayListRole::Today; }

    // --- rows ---------------------------------------------------------------
    int Count() const { return static_cast<int>(FRows.size()); }
    bool IsEmpty() const { return FRows.empty(); }
    // The entry of a row (0 <= row < Count()); the list keeps owning it and
    // it keeps its address while the row exists. Change it through the
    // mutators below.
    const TRyvItem* Item(int row) const;
    const TRyvItem* Last() const; // nullptr when empty
    int IndexOf(const TRyvItem* item) const;
    // Every row gets an id when its entry enters the list, which it keeps
    // while the row exists (through moves and changes of its entry) and which
    // the list never gives again. A command that holds on to a row across a
    // modal box (whose event loop may rebuild the list) keeps the id and finds
    // the row again by it: an index may point at another row by then, and the
    // address of a freed entry may be taken by the next one.
    TItemId IdAt(int row) const;
    int RowOfId(TItemId id) const; // -1 when the row is gone
    // Whether row holds the running task (the last row of today's log while
    // working).
    bool IsRunningRow(int row) const;

    // The cells of a row, formatted from its entry when asked. Time: the
    // start ("09:00"), with the stop when the options show end times; a
    // blank for a break. Task: the title; for a break "Break:  12:00 -
    // 12:45  (0:45)". Hours: the duration, with seconds for the running
    // entry; empty for a break. The done mark: a task marked done.
    QString TimeText(int row) const;
    QString TaskText(int row) const;
    QString HoursText(int row) const;
    bool DoneMark(int row) const;

    int Append(std::unique_ptr<TRyvItem> item);
    // Appends all items in one change (one rowsInserted), as loading does.
    void AppendAll(std::vector<std::unique_ptr<TRyvItem>> items);
    void Insert(int row, std::unique_ptr<TRyvItem> item);
    // Removes the row and hands its entry to the caller.
    std::unique_ptr<TRyvItem> Take(int row);
    // Removes the row and frees its entry.
    void Remove(int row);
    // Removes every row (and frees the entries), the selection and the focus.
    void Clear();
    // Removes (and frees) the rows whose entries match, in one pass and one
    // change: one rowsRemoved when they were adjacent, else one listReset.
    // Selection and focus stay on the remaining rows. Returns how many went.
    int RemoveIf(const std::function<bool(const TRyvItem&)>& match);
    // Swaps two rows with their entries; selection and focus stay on the
    // places.
    void Exchange(int a, int b);
    // Moves a row so that it ends up at index to; selection follows the rows.
    void Move(int from, int to);

    // --- changing an entry ----------------------------------------------------
    void SetStart(int row, TDateTime start);
    void SetStop(int row, TDateTime stop);
    void SetTimes(int row, TDateTime start, TDateTime stop);
    // Takes title, link, description and done state of from; the times and
    // the kind stay.
    void SetTexts(int row, const TRyvItem& from);
    void SetState(int row, TRyvItemState state);
    // Turns the row's entry into a break with its times: no texts, no done
    // state.
    void MakeBreak(int row);
    // The options that shape the texts changed (end times shown, the window
    // title's kind): every row and the caption are drawn anew.
    void UpdateAllRows();

    // --- selection and focus, mirrored from the view --------------------------
    // The selected rows, ascending.
    const QList<int>& Selected() const { return FSelected; }
    bool IsSelected(int row) const;
    // Replaces the selection (rows out of range are ignored) and runs the
    // selection handler, which decides which totals show.
    void SetSelection(QList<int> rows);
    void SelectOnly(int row);
    void ClearSelection();
    int Focused() const { return FFocused; } // -1: no focused row
    void SetFocused(int row);
    // Clears the selection, focuses and selects row and asks the view to
    // scroll it into view (scrollToRow); the usual ending of a command.
    void SelectAndShow(int row);

    // --- totals -------------------------------------------------------------
    // lbTotal / lbTotal2
    const QString& TotalText() const { return FTotalText; }
    // lbTotalSel / lbTotalSel2 and whether it (with its caption) shows
    const QString& SelTotalText() const { return FSelTotalText; }
    bool SelTotalVisible() const { return FSelTotalVisible; }
    // lbTotalTask / lbTotalTask2 and whether it (with its caption) shows
    const QString& TaskTotalText() const { return FTaskTotalText; }
    bool TaskTotalVisible() const { return FTaskTotalVisible; }

    // The clock tick of today's log: moves the running entry's stop to now,
    // redraws its row and keeps a shown selection or task total that counts
    // it live; then the day total (from FTotalCache while it is valid) and
    // the window title. On the history day it only sums the total.
    void RefreshTotals();
    TDateTime TotalCache() const { return FTotalCache; }

    // --- today's log: running state, batches, title -------------------------
    bool IsWorking() const { return FIsWorking; }
    // Sets the working state; workingChanged only on a real change.
    void SetWorking(bool working);

    // Bracket a batch of changes; they nest. Within a batch the totals wait;
    // the outermost EndUpdate drops FTotalCache, runs RefreshTotals, brings
    // the shown selection or task total up to date (and decides anew which
    // one shows when a title or link changed) and sets the empty-log state.
    void BeginUpdate();
    void EndUpdate();
    int UpdateCount() const { return FUpdateCount; }

    // While today's log is empty a click into it starts a task, and the list
    // shows the hint EmptyHintText() with a hand cursor.
    bool ClickStarts() const { return FClickStarts; }
    QString EmptyHintText() const;

    // The caption while no task runs (the application title).
    void SetDefCaption(const QString& caption);
    const QString& DefCaption() const { return FDefCaption; }
    // The window caption: "1:23 - Weekly report" while working, else
    // FDefCaption.
    const QString& Caption() const { return FCaption; }
    // The options chose the other kind of window title.
    void UpdateWindowTitle();

    // --- the history day ----------------------------------------------------
    TDateTime HistoryDate() const { return FHistoryDate; }
    void SetHistoryDate(TDateTime day);

signals:
    void rowsInserted(int first, int last);
    void rowsRemoved(int first, int last);
    void rowsMoved(int from, int to);
    void rowsChanged(int first, int last);
    void listReset();
    void selectionChanged();
    void focusChanged(int row);
    void scrollToRow(int row);
    void totalsChanged();
    void captionChanged(const QString& caption);
    void workingChanged(bool working);
    void clickStartsChanged(bool clickStarts);
    void historyDateChanged(TDateTime day);

private:
    // What a change touched, for the totals to follow.
    enum class TChange { Times, Texts, Rows };

    TRyvItem& Entry(int row);
    void Changed(int row, TChange change);
    void RowsChanged(TChange change);
    void FinishChange();
    void SumDayTotal();
    void UpdateSelectionTotals();
    void UpdateShownTotals();
    void UpdateSelectionTotal();
    bool UpdateTaskTotal();
    void UpdateHistoryTotal();
    void SetClickStarts(bool on);
    void SetSelTotalVisible(bool on);
    void SetTaskTotalVisible(bool on);

    const TDayListRole FRole;
    const TRyvOptions& FOptions;
    const TClock& FClock;
    std::vector<std::unique_ptr<TRyvItem>> FRows;
    std::vector<TItemId> FIds; // of the rows, in step with FRows
    TItemId FNextId = 1;
    QList<int> FSelected;
    int FFocused = -1;

    bool FIsWorking = false;
    int FUpdateCount = 0;
    // Changes made within the batch that the totals have not followed yet.
    bool FTotalsStale = false;
    bool FSelectionStale = false;
    TDateTime FTotalCache = -1;
    bool FClickStarts = false;
    QString FDefCaption;
    QString FCaption;
    TDateTime FHistoryDate = 0;

    QString FTotalText;
    QString FSelTotalText;
    QString FTaskTotalText;
    bool FSelTotalVisible = false;
    bool FTaskTotalVisible = false;
};

} // namespace ryv
