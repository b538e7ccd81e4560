#include "tracking/historydays.h"

#include "core/daylist.h"
#include "core/liststore.h"
#include "tracking/trackercontext.h"

#include <algorithm>

namespace ryv {

THistoryDays::THistoryDays(TTrackerContext& ctx)
    : FCtx(ctx)
{
}

TDateTime THistoryDays::HistoryDate() const
{
    return FCtx.history.HistoryDate();
}

void THistoryDays::Load(TDateTime day)
{
    // The store writes a pending save of the day on show to that day before
    // it reads the new one.
    if (day != 0)
        FCtx.history.SetHistoryDate(MidnightOf(std::min(day, FCtx.CalendarMaxDate())));
    FCtx.store.LoadHistoryDay();
}

void THistoryDays::Show()
{
    Load(HistoryDate());
}

void THistoryDays::Back()
{
    if (HistoryDate() == 0)
        return;
    Load(MidnightOf(HistoryDate()) - 1.0);
}

void THistoryDays::Forward()
{
    if (HistoryDate() == 0)
        return;
    const TDateTime next = MidnightOf(HistoryDate()) + 1.0;
    if (DayOf(next) > DayOf(FCtx.CalendarMaxDate()))
        return; // Next day stops at yesterday
    Load(next);
}

void THistoryDays::CalendarClick(TDateTime day)
{
    Load(day);
}

void THistoryDays::CalendarKeyUp(TDateTime day)
{
    if (DayOf(day) != DayOf(HistoryDate()))
        Load(day);
}

} // namespace ryv
