#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QList>
#include <QObject>
#include <QString>

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
// day on show (lvHistory). Each row owns exactly one entry plus the three
// column texts (Time, Task, Hours) and the done mark the view draws; removing
// a row frees its entry. The list also holds the selection and the focus that
// the view mirrors into it, and the totals under the list.
//
// Invariant: while IsWorking() the list is not empty and its last row holds
// the running task. RefreshTotals relies on it: FTotalCache is the sum of all
// task durations except the last row's, so a clock tick adds one duration
// instead of summing the whole day. The cache is dropped at the end of every
// batch and also by every change of the rows and by UpdateRow without
// seconds, so a change made outside a batch cannot leave a stale total.
//
// Signals are fine-grained so a view can follow a clock tick by repainting
// one row: rowsChanged for texts, rowsInserted/rowsRemoved/rowsMoved for
// structure, listReset only for Clear.
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
    TRyvItem* Item(int row) const;
    TRyvItem* Last() const; // nullptr when empty
    int IndexOf(const TRyvItem* item) const;
    QString TimeText(int row) const;
    QString TaskText(int row) const;
    QString HoursText(int row) const;
    bool DoneMark(int row) const;

    // Adds a row owning item: Task text := its title, Hours text empty, done
    // mark := its state. The Time and Hours texts are drawn by UpdateRow,
    // which the caller runs once the entry's times are final.
    int Append(std::unique_ptr<TRyvItem> item);
    void Insert(int row, std::unique_ptr<TRyvItem> item);
    // Removes the row and hands its entry to the caller.
    std::unique_ptr<TRyvItem> Take(int row);
    // Removes the row and frees its entry.
    void Remove(int row);
    // Removes every row (and frees the entries), the selection and the focus.
    void Clear();
    // Swaps two rows with their texts; selection and focus stay on the places.
    void Exchange(int a, int b);
    // Moves a row so that it ends up at index to; selection follows the rows.
    void Move(int from, int to);

    void SetTaskText(int row, const QString& text);
    void SetDoneMark(int row, bool done);
    // Draws the Time and Hours texts (and a break's Task text) from the entry;
    // withSeconds for the running entry, which then also keeps a shown
    // "Selected:" or "Task total:" following it.
    void UpdateRow(int row, bool withSeconds);
    // UpdateRow for every row; seconds only on the last row while working.
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
    // The select handler (lvListSelectItem / lvHistorySelectItem), run by
    // every change of the selection: no row selected hides both extra totals;
    // one row shows "Task total:" when it applies; two or more show
    // "Selected:". Run it by hand after a selected row's title changed.
    void UpdateSelectionTotals();

    // --- totals -------------------------------------------------------------
    // lbTotal / lbTotal2
    const QString& TotalText() const { return FTotalText; }
    // lbTotalSel / lbTotalSel2 and whether it (with its caption) shows
    const QString& SelTotalText() const { return FSelTotalText; }
    bool SelTotalVisible() const { return FSelTotalVisible; }
    // lbTotalTask / lbTotalTask2 and whether it (with its caption) shows
    const QString& TaskTotalText() const { return FTaskTotalText; }
    bool TaskTotalVisible() const { return FTaskTotalVisible; }

    // "Selected:": the summed durations of the selected tasks.
    void UpdateSelectionTotal();
    // "Task total:" of the first selected row: every task with its title or
    // its (non-empty) link; true and set only when more than one matches.
    bool UpdateTaskTotal();
    // "Total:" of the history day: all its tasks, never with seconds.
    void UpdateHistoryTotal();
    // Today's log: moves the running entry's stop to now, redraws its row,
    // recomputes the day total (from FTotalCache while it is valid) and the
    // window title. On the history day it is UpdateHistoryTotal.
    void RefreshTotals();
    TDateTime TotalCache() const { return FTotalCache; }

    // --- today's log: running state, batches, title -------------------------
    bool IsWorking() const { return FIsWorking; }
    // Sets the working state; workingChanged only on a real change.
    void SetWorking(bool working);
    // Sets the field alone, without workingChanged: the day change briefly
    // clears it while it splits the running task at midnight.
    void SetWorkingFlag(bool working) { FIsWorking = working; }

    // Bracket a batch of changes; they nest. The outermost EndUpdate drops
    // FTotalCache, runs RefreshTotals and sets the empty-log state.
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
    struct TRow;

    const TRow& RowAt(int row) const;
    TRow& RowAt(int row);
    void SetClickStarts(bool on);
    void SetSelTotalVisible(bool on);
    void SetTaskTotalVisible(bool on);

    const TDayListRole FRole;
    const TRyvOptions& FOptions;
    const TClock& FClock;
    std::vector<std::unique_ptr<TRow>> FRows;
    QList<int> FSelected;
    int FFocused = -1;

    bool FIsWorking = false;
    int FUpdateCount = 0;
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
