#include "core/daylist.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/durationtext.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"

#include <algorithm>

namespace ryv {

namespace {

QString ClockText(TDateTime t)
{
    return FormatDateTime(QStringLiteral("hh:mm"), t);
}

// Sets target and reports whether it changed, so signals fire only for real
// changes (a tick must not repaint labels that stayed the same).
template <typename T> bool Assign(T& target, const T& value)
{
    if (target == value)
        return false;
    target = value;
    return true;
}

// Whether e counts into the "Task total:" of the selected task sel: the same
// title, or the same (non-empty) link.
bool SameTask(const TRyvItem& e, const TRyvItem& sel)
{
    return e.IsTask()
        && (TRyvItemList::SameText(e.title, sel.title)
            || (!e.url.isEmpty() && TRyvItemList::SameText(e.url, sel.url)));
}

} // namespace

TDayList::TDayList(
    TDayListRole role, const TRyvOptions& options, const TClock& clock, QObject* parent)
    : QObject(parent)
    , FRole(role)
    , FOptions(options)
    , FClock(clock)
    , FClickStarts(role == TDayListRole::Today)
    , FTotalText(DurationText(0))
{
}

TDayList::~TDayList() = default;

const TRyvItem* TDayList::Item(int row) const
{
    return FRows.at(static_cast<size_t>(row)).get();
}

TRyvItem& TDayList::Entry(int row)
{
    return *FRows.at(static_cast<size_t>(row));
}

const TRyvItem* TDayList::Last() const
{
    return FRows.empty() ? nullptr : FRows.back().get();
}

int TDayList::IndexOf(const TRyvItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (FRows[static_cast<size_t>(i)].get() == item)
            return i;
    return -1;
}

TItemId TDayList::IdAt(int row) const
{
    return FIds.at(static_cast<size_t>(row));
}

int TDayList::RowOfId(TItemId id) const
{
    const auto found = std::find(FIds.begin(), FIds.end(), id);
    return found == FIds.end() || id == 0 ? -1 : static_cast<int>(found - FIds.begin());
}

bool TDayList::IsRunningRow(int row) const
{
    return IsToday() && FIsWorking && row >= 0 && row == Count() - 1;
}

// --- cells -----------------------------------------------------------------------

QString TDayList::TimeText(int row) const
{
    const TRyvItem& e = *Item(row);
    if (e.IsPause())
        return QStringLiteral(" ");
    QString text = ClockText(e.start);
    if (FOptions.ListShowStop)
        text += QStringLiteral(" - ") + ClockText(e.stop);
    return text;
}

QString TDayList::TaskText(int row) const
{
    const TRyvItem& e = *Item(row);
    if (e.IsTask())
        return e.title;
    return AppTexts().str_pause + QStringLiteral(":  ") + ClockText(e.start) + QStringLiteral(" - ")
        + ClockText(e.stop) + QStringLiteral("  (") + DurationText(LoggedDuration(e))
        + QLatin1Char(')');
}

QString TDayList::HoursText(int row) const
{
    const TRyvItem& e = *Item(row);
    if (e.IsPause())
        return {};
    return IsRunningRow(row) ? DurationTextSec(LoggedDuration(e)) : DurationText(LoggedDuration(e));
}

bool TDayList::DoneMark(int row) const
{
    const TRyvItem& e = *Item(row);
    return e.IsTask() && e.state == ryvsDone;
}

// --- rows ----------------------------------------------------------------------

int TDayList::Append(std::unique_ptr<TRyvItem> item)
{
    Insert(Count(), std::move(item));
    return Count() - 1;
}

void TDayList::AppendAll(std::vector<std::unique_ptr<TRyvItem>> items)
{
    if (items.empty())
        return;
    const int first = Count();
    FRows.reserve(FRows.size() + items.size());
    FIds.reserve(FRows.capacity());
    for (auto& item : items) {
        FRows.push_back(std::move(item));
        FIds.push_back(FNextId++);
    }
    emit rowsInserted(first, Count() - 1);
    RowsChanged(TChange::Rows);
}

void TDayList::Insert(int row, std::unique_ptr<TRyvItem> item)
{
    row = std::clamp(row, 0, Count());
    FRows.insert(FRows.begin() + row, std::move(item));
    FIds.insert(FIds.begin() + row, FNextId++);
    for (int& s : FSelected)
        if (s >= row)
            ++s;
    if (FFocused >= row)
        ++FFocused;
    emit rowsInserted(row, row);
    RowsChanged(TChange::Rows);
}

std::unique_ptr<TRyvItem> TDayList::Take(int row)
{
    std::unique_ptr<TRyvItem> item = std::move(FRows.at(static_cast<size_t>(row)));
    FRows.erase(FRows.begin() + row);
    FIds.erase(FIds.begin() + row);

    const bool wasSelected = FSelected.removeOne(row);
    for (int& s : FSelected)
        if (s > row)
            --s;
    bool focusMoved = false;
    if (FFocused == row) {
        FFocused = -1;
        focusMoved = true;
    } else if (FFocused > row) {
        --FFocused;
    }
    emit rowsRemoved(row, row);
    if (focusMoved)
        emit focusChanged(FFocused);
    if (wasSelected)
        emit selectionChanged();
    RowsChanged(wasSelected ? TChange::Texts : TChange::Rows);
    return item;
}

void TDayList::Remove(int row)
{
    (void)Take(row);
}

void TDayList::Clear()
{
    const bool hadSelection = !FSelected.isEmpty();
    const bool hadFocus = FFocused >= 0;
    FRows.clear();
    FIds.clear();
    FSelected.clear();
    FFocused = -1;
    emit listReset();
    if (hadFocus)
        emit focusChanged(-1);
    if (hadSelection)
        emit selectionChanged();
    RowsChanged(hadSelection ? TChange::Texts : TChange::Rows);
}

int TDayList::RemoveIf(const std::function<bool(const TRyvItem&)>& match)
{
    // newRow[i]: where row i ends up, -1 when it goes.
    std::vector<int> newRow(FRows.size(), -1);
    int kept = 0;
    int first = -1;
    int last = -1;
    for (size_t i = 0; i < FRows.size(); ++i) {
        if (match(*FRows[i])) {
            if (first < 0)
                first = static_cast<int>(i);
            last = static_cast<int>(i);
            continue;
        }
        if (kept != static_cast<int>(i)) {
            FRows[static_cast<size_t>(kept)] = std::move(FRows[i]);
            FIds[static_cast<size_t>(kept)] = FIds[i];
        }
        newRow[i] = kept++;
    }
    const int removed = Count() - kept;
    if (removed == 0)
        return 0;
    FRows.resize(static_cast<size_t>(kept));
    FIds.resize(static_cast<size_t>(kept));

    QList<int> selected;
    for (const int s : std::as_const(FSelected))
        if (newRow[static_cast<size_t>(s)] >= 0)
            selected.append(newRow[static_cast<size_t>(s)]);
    const bool selectionChanged = selected.size() != FSelected.size();
    FSelected = std::move(selected);
    const int focused = FFocused < 0 ? -1 : newRow[static_cast<size_t>(FFocused)];
    const bool focusMoved = FFocused >= 0 && focused < 0;
    FFocused = focused;

    if (last - first + 1 == removed)
        emit rowsRemoved(first, last);
    else
        emit listReset();
    if (focusMoved)
        emit focusChanged(FFocused);
    if (selectionChanged)
        emit this->selectionChanged();
    RowsChanged(selectionChanged ? TChange::Texts : TChange::Rows);
    return removed;
}

void TDayList::Exchange(int a, int b)
{
    if (a == b)
        return;
    std::swap(FRows.at(static_cast<size_t>(a)), FRows.at(static_cast<size_t>(b)));
    std::swap(FIds.at(static_cast<size_t>(a)), FIds.at(static_cast<size_t>(b)));
    emit rowsChanged(a, a);
    emit rowsChanged(b, b);
    // The selected places may now hold another task.
    RowsChanged(TChange::Texts);
}

void TDayList::Move(int from, int to)
{
    if (from == to)
        return;
    auto r = std::move(FRows.at(static_cast<size_t>(from)));
    FRows.erase(FRows.begin() + from);
    FRows.insert(FRows.begin() + to, std::move(r));
    const TItemId id = FIds.at(static_cast<size_t>(from));
    FIds.erase(FIds.begin() + from);
    FIds.insert(FIds.begin() + to, id);
    // Indexes between the two places shift by one towards the old place.
    auto remap = [from, to](int i) {
        if (i == from)
            return to;
        if (from < to && i > from && i <= to)
            return i - 1;
        if (to < from && i >= to && i < from)
            return i + 1;
        return i;
    };
    for (int& s : FSelected)
        s = remap(s);
    std::sort(FSelected.begin(), FSelected.end());
    FFocused = FFocused < 0 ? -1 : remap(FFocused);
    emit rowsMoved(from, to);
    RowsChanged(TChange::Rows);
}

// --- changing an entry -------------------------------------------------------------

void TDayList::SetStart(int row, TDateTime start)
{
    SetTimes(row, start, Item(row)->stop);
}

void TDayList::SetStop(int row, TDateTime stop)
{
    SetTimes(row, Item(row)->start, stop);
}

void TDayList::SetTimes(int row, TDateTime start, TDateTime stop)
{
    TRyvItem& e = Entry(row);
    const bool a = Assign(e.start, start);
    const bool b = Assign(e.stop, stop);
    if (a || b)
        Changed(row, TChange::Times);
}

void TDayList::SetTexts(int row, const TRyvItem& from)
{
    TRyvItem& e = Entry(row);
    bool changed = Assign(e.title, from.title);
    changed = Assign(e.url, from.url) || changed;
    changed = Assign(e.descr, from.descr) || changed;
    changed = Assign(e.state, from.state) || changed;
    if (changed)
        Changed(row, TChange::Texts);
}

void TDayList::SetState(int row, TRyvItemState state)
{
    if (Assign(Entry(row).state, state))
        Changed(row, TChange::Texts);
}

void TDayList::MakeBreak(int row)
{
    TRyvItem& e = Entry(row);
    e.kind = ryvkPause;
    e.state = ryvsNone;
    e.title.clear();
    e.url.clear();
    e.descr.clear();
    Changed(row, TChange::Texts);
}

void TDayList::UpdateAllRows()
{
    if (!IsEmpty())
        emit rowsChanged(0, Count() - 1);
    UpdateWindowTitle();
}

void TDayList::Changed(int row, TChange change)
{
    emit rowsChanged(row, row);
    RowsChanged(change);
}

void TDayList::RowsChanged(TChange change)
{
    FTotalCache = -1;
    FTotalsStale = true;
    if (change == TChange::Texts)
        FSelectionStale = true;
    if (FUpdateCount == 0)
        FinishChange();
}

void TDayList::FinishChange()
{
    // A title or link that changed, or a selected row that went, may change
    // which of the extra totals shows; times change only their values.
    const bool selection = FSelectionStale;
    FTotalsStale = false;
    FSelectionStale = false;
    SumDayTotal();
    if (selection)
        UpdateSelectionTotals();
    else
        UpdateShownTotals();
}

// --- selection and focus -----------------------------------------------------------

bool TDayList::IsSelected(int row) const
{
    return std::binary_search(FSelected.begin(), FSelected.end(), row);
}

void TDayList::SetSelection(QList<int> rows)
{
    rows.removeIf([this](int r) { return r < 0 || r >= Count(); });
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    if (rows == FSelected)
        return;
    FSelected = std::move(rows);
    emit selectionChanged();
    UpdateSelectionTotals();
}

void TDayList::SelectOnly(int row)
{
    SetSelection(QList<int> { row });
}

void TDayList::ClearSelection()
{
    SetSelection({});
}

void TDayList::SetFocused(int row)
{
    if (row < 0 || row >= Count())
        row = -1;
    if (Assign(FFocused, row))
        emit focusChanged(FFocused);
}

void TDayList::SelectAndShow(int row)
{
    if (row < 0 || row >= Count())
        return;
    SetFocused(row);
    SelectOnly(row);
    emit scrollToRow(row);
}

// The select handler (lvListSelectItem / lvHistorySelectItem): no row
// selected hides both extra totals; one row shows "Task total:" when it
// applies; two or more show "Selected:".
void TDayList::UpdateSelectionTotals()
{
    const qsizetype n = FSelected.size();
    if (n == 0) {
        SetSelTotalVisible(false);
        SetTaskTotalVisible(false);
    } else if (n == 1) {
        SetSelTotalVisible(false);
        SetTaskTotalVisible(UpdateTaskTotal());
    } else {
        SetTaskTotalVisible(false);
        UpdateSelectionTotal();
        SetSelTotalVisible(true);
    }
}

// After a change of times the shown extra total follows; which one shows
// stays.
void TDayList::UpdateShownTotals()
{
    if (FTaskTotalVisible)
        UpdateTaskTotal();
    else if (FSelTotalVisible)
        UpdateSelectionTotal();
}

void TDayList::SetSelTotalVisible(bool on)
{
    if (Assign(FSelTotalVisible, on))
        emit totalsChanged();
}

void TDayList::SetTaskTotalVisible(bool on)
{
    if (Assign(FTaskTotalVisible, on))
        emit totalsChanged();
}

// --- totals ------------------------------------------------------------------------

// "Selected:": the summed durations of the selected tasks.
void TDayList::UpdateSelectionTotal()
{
    TDateTime total = 0;
    for (int s : FSelected) {
        const TRyvItem& e = *Item(s);
        if (e.IsTask())
            total += LoggedDuration(e);
    }
    if (Assign(FSelTotalText, DurationText(total)))
        emit totalsChanged();
}

// "Task total:" of the first selected row: every task with its title or its
// (non-empty) link; true and set only when more than one matches.
bool TDayList::UpdateTaskTotal()
{
    if (FSelected.isEmpty())
        return false;
    const TRyvItem& sel = *Item(FSelected.first());
    if (!sel.IsTask())
        return false;
    int matches = 0;
    TDateTime total = 0;
    for (const auto& e : FRows) {
        if (SameTask(*e, sel)) {
            ++matches;
            total += LoggedDuration(*e);
        }
    }
    if (matches < 2)
        return false;
    if (Assign(FTaskTotalText, DurationText(total)))
        emit totalsChanged();
    return true;
}

// "Total:" of the history day: all its tasks, never with seconds.
void TDayList::UpdateHistoryTotal()
{
    TDateTime total = 0;
    for (const auto& e : FRows)
        if (e->IsTask())
            total += LoggedDuration(*e);
    if (Assign(FTotalText, DurationText(total)))
        emit totalsChanged();
}

void TDayList::RefreshTotals()
{
    if (IsToday() && FIsWorking && !IsEmpty()) {
        const int last = Count() - 1;
        TRyvItem& running = Entry(last);
        running.stop = FClock.Now();
        emit rowsChanged(last, last);
        // The running entry keeps a shown selection or task total live.
        if (FSelTotalVisible && IsSelected(last))
            UpdateSelectionTotal();
        else if (FTaskTotalVisible && !FSelected.isEmpty()
            && SameTask(running, *Item(FSelected.first())))
            UpdateTaskTotal();
    }
    SumDayTotal();
}

void TDayList::SumDayTotal()
{
    if (!IsToday()) {
        UpdateHistoryTotal();
        return;
    }
    const int count = Count();
    TDateTime total = 0;
    const TRyvItem* last = Last();
    const TDateTime lastShare = last && last->IsTask() ? LoggedDuration(*last) : 0;
    if (FIsWorking && FTotalCache >= 0 && count > 0) {
        total = FTotalCache + lastShare;
    } else if (count > 0) {
        for (int i = 0; i < count - 1; ++i) {
            const TRyvItem& e = *Item(i);
            if (e.IsTask())
                total += LoggedDuration(e);
        }
        FTotalCache = total;
        total += lastShare;
    }

    const TDurationParts p = SplitDuration(total);
    const bool seconds = FIsWorking || (p.h == 0 && p.m == 0 && p.s > 0);
    if (Assign(FTotalText, seconds ? DurationTextSec(total) : DurationText(total)))
        emit totalsChanged();
    UpdateWindowTitle();
}

// --- running state, batches, title ----------------------------------------------

void TDayList::SetWorking(bool working)
{
    if (!Assign(FIsWorking, working))
        return;
    emit workingChanged(working);
    // The last row's hours gain or lose their seconds.
    if (!IsEmpty())
        Changed(Count() - 1, TChange::Times);
}

void TDayList::BeginUpdate()
{
    ++FUpdateCount;
}

void TDayList::EndUpdate()
{
    if (FUpdateCount > 0)
        --FUpdateCount;
    if (FUpdateCount > 0)
        return;
    const bool selection = FSelectionStale;
    FTotalsStale = false;
    FSelectionStale = false;
    FTotalCache = -1;
    RefreshTotals();
    if (selection)
        UpdateSelectionTotals();
    else
        UpdateShownTotals();
    if (IsToday())
        SetClickStarts(IsEmpty());
}

void TDayList::SetClickStarts(bool on)
{
    if (Assign(FClickStarts, on))
        emit clickStartsChanged(on);
}

QString TDayList::EmptyHintText() const
{
    return FClickStarts ? AppTexts().str_newtaskonclick : QString();
}

void TDayList::SetDefCaption(const QString& caption)
{
    FDefCaption = caption;
    UpdateWindowTitle();
}

void TDayList::UpdateWindowTitle()
{
    QString caption;
    if (IsToday() && FIsWorking && !IsEmpty()) {
        const int last = Count() - 1;
        QString time = FOptions.WindowTitleType == TWindowTitleType::TotalDuration
            ? FTotalText
            : HoursText(last);
        const qsizetype colon = time.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0)
            time.truncate(colon);
        caption = time + QStringLiteral(" - ") + TaskText(last);
    } else {
        caption = FDefCaption;
    }
    if (Assign(FCaption, caption))
        emit captionChanged(FCaption);
}

void TDayList::SetHistoryDate(TDateTime day)
{
    if (Assign(FHistoryDate, day))
        emit historyDateChanged(day);
}

} // namespace ryv
