#include "core/daylist.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/durationtext.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"

#include <algorithm>

namespace ryv {

struct TDayList::TRow final {
    std::unique_ptr<TRyvItem> item;
    QString timeText;
    QString taskText;
    QString hoursText;
    bool done = false;
};

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

const TDayList::TRow& TDayList::RowAt(int row) const
{
    return *FRows.at(static_cast<size_t>(row));
}

TDayList::TRow& TDayList::RowAt(int row)
{
    return *FRows.at(static_cast<size_t>(row));
}

TRyvItem* TDayList::Item(int row) const
{
    return RowAt(row).item.get();
}

TRyvItem* TDayList::Last() const
{
    return FRows.empty() ? nullptr : FRows.back()->item.get();
}

int TDayList::IndexOf(const TRyvItem* item) const
{
    for (int i = 0; i < Count(); ++i)
        if (RowAt(i).item.get() == item)
            return i;
    return -1;
}

QString TDayList::TimeText(int row) const
{
    return RowAt(row).timeText;
}

QString TDayList::TaskText(int row) const
{
    return RowAt(row).taskText;
}

QString TDayList::HoursText(int row) const
{
    return RowAt(row).hoursText;
}

bool TDayList::DoneMark(int row) const
{
    return RowAt(row).done;
}

// --- rows ----------------------------------------------------------------------

int TDayList::Append(std::unique_ptr<TRyvItem> item)
{
    Insert(Count(), std::move(item));
    return Count() - 1;
}

void TDayList::Insert(int row, std::unique_ptr<TRyvItem> item)
{
    row = std::clamp(row, 0, Count());
    auto r = std::make_unique<TRow>();
    r->taskText = item->title;
    r->done = item->state == ryvsDone;
    r->item = std::move(item);
    FRows.insert(FRows.begin() + row, std::move(r));
    FTotalCache = -1;
    for (int& s : FSelected)
        if (s >= row)
            ++s;
    if (FFocused >= row)
        ++FFocused;
    emit rowsInserted(row, row);
}

std::unique_ptr<TRyvItem> TDayList::Take(int row)
{
    std::unique_ptr<TRyvItem> item = std::move(RowAt(row).item);
    FRows.erase(FRows.begin() + row);
    FTotalCache = -1;

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
    if (wasSelected) {
        emit selectionChanged();
        UpdateSelectionTotals();
    }
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
    FSelected.clear();
    FFocused = -1;
    FTotalCache = -1;
    emit listReset();
    if (hadFocus)
        emit focusChanged(-1);
    if (hadSelection) {
        emit selectionChanged();
        UpdateSelectionTotals();
    }
}

void TDayList::Exchange(int a, int b)
{
    if (a == b)
        return;
    std::swap(FRows.at(static_cast<size_t>(a)), FRows.at(static_cast<size_t>(b)));
    FTotalCache = -1;
    emit rowsChanged(a, a);
    emit rowsChanged(b, b);
}

void TDayList::Move(int from, int to)
{
    if (from == to)
        return;
    auto r = std::move(FRows.at(static_cast<size_t>(from)));
    FRows.erase(FRows.begin() + from);
    FRows.insert(FRows.begin() + to, std::move(r));
    FTotalCache = -1;
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
}

void TDayList::SetTaskText(int row, const QString& text)
{
    if (Assign(RowAt(row).taskText, text))
        emit rowsChanged(row, row);
}

void TDayList::SetDoneMark(int row, bool done)
{
    if (Assign(RowAt(row).done, done))
        emit rowsChanged(row, row);
}

void TDayList::UpdateRow(int row, bool withSeconds)
{
    TRow& r = RowAt(row);
    const TRyvItem& e = *r.item;
    if (!withSeconds)
        FTotalCache = -1;

    if (e.IsPause()) {
        r.timeText = QStringLiteral(" ");
        r.taskText = AppTexts().str_pause + QStringLiteral(":  ") + ClockText(e.start)
            + QStringLiteral(" - ") + ClockText(e.stop) + QStringLiteral("  (")
            + DurationText(e.Duration()) + QLatin1Char(')');
        r.hoursText.clear();
        emit rowsChanged(row, row);
        return;
    }

    r.timeText = ClockText(e.start);
    if (FOptions.ListShowStop)
        r.timeText += QStringLiteral(" - ") + ClockText(e.stop);
    r.hoursText = withSeconds ? DurationTextSec(e.Duration()) : DurationText(e.Duration());
    emit rowsChanged(row, row);

    if (!withSeconds)
        return;
    // The running entry keeps a shown selection or task total live.
    if (FSelTotalVisible && IsSelected(row)) {
        UpdateSelectionTotal();
    } else if (FTaskTotalVisible) {
        const bool sameTask = std::any_of(FSelected.begin(), FSelected.end(),
            [&](int s) { return TRyvItemList::SameText(RowAt(s).taskText, r.taskText); });
        if (sameTask)
            UpdateTaskTotal();
    }
}

void TDayList::UpdateAllRows()
{
    for (int i = 0; i < Count(); ++i)
        UpdateRow(i, IsToday() && FIsWorking && i == Count() - 1);
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

void TDayList::UpdateSelectionTotal()
{
    TDateTime total = 0;
    for (int s : FSelected) {
        const TRyvItem& e = *RowAt(s).item;
        if (e.IsTask())
            total += e.Duration();
    }
    if (Assign(FSelTotalText, DurationText(total)))
        emit totalsChanged();
}

bool TDayList::UpdateTaskTotal()
{
    if (FSelected.isEmpty())
        return false;
    const TRyvItem& sel = *RowAt(FSelected.first()).item;
    if (!sel.IsTask())
        return false;
    int matches = 0;
    TDateTime total = 0;
    for (const auto& r : FRows) {
        const TRyvItem& e = *r->item;
        if (!e.IsTask())
            continue;
        if (TRyvItemList::SameText(e.title, sel.title)
            || (!e.url.isEmpty() && TRyvItemList::SameText(e.url, sel.url))) {
            ++matches;
            total += e.Duration();
        }
    }
    if (matches < 2)
        return false;
    if (Assign(FTaskTotalText, DurationText(total)))
        emit totalsChanged();
    return true;
}

void TDayList::UpdateHistoryTotal()
{
    TDateTime total = 0;
    for (const auto& r : FRows)
        if (r->item->IsTask())
            total += r->item->Duration();
    if (Assign(FTotalText, DurationText(total)))
        emit totalsChanged();
}

void TDayList::RefreshTotals()
{
    if (!IsToday()) {
        UpdateHistoryTotal();
        return;
    }
    const int count = Count();
    if (FIsWorking && count > 0) {
        Last()->stop = FClock.Now();
        UpdateRow(count - 1, true);
    }

    TDateTime total = 0;
    const TRyvItem* last = count > 0 ? Last() : nullptr;
    const TDateTime lastShare = last && last->IsTask() ? last->Duration() : 0;
    if (FIsWorking && FTotalCache >= 0 && count > 0) {
        total = FTotalCache + lastShare;
    } else if (count > 0) {
        for (int i = 0; i < count - 1; ++i) {
            const TRyvItem& e = *RowAt(i).item;
            if (e.IsTask())
                total += e.Duration();
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
    if (Assign(FIsWorking, working))
        emit workingChanged(working);
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
    FTotalCache = -1;
    RefreshTotals();
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
        const TRow& last = *FRows.back();
        QString time = FOptions.WindowTitleType == 1 ? FTotalText : last.hoursText;
        const qsizetype colon = time.lastIndexOf(QLatin1Char(':'));
        if (colon >= 0)
            time.truncate(colon);
        caption = time + QStringLiteral(" - ") + last.taskText;
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
