#include "tracking/tracker.h"

#include "core/daylist.h"
#include "tracking/commandrules.h"
#include "tracking/trackerunits.h"

namespace ryv {

TTracker::TTracker(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent, TDayList& today,
    TDayList& history, TListStore& store, const TTrackerPorts& ports, QObject* parent)
    : QObject(parent)
    , FUnits(std::make_unique<TTrackerUnits>(options, favs, recent, today, history, store, ports,
          tmrCheck,
          TTrackerEvents {
              [this](const QString& header, TDateTime calendarMax) {
                  emit TodayChanged(header, calendarMax);
              },
              [this](TListKind list, int row) { emit RowSelected(list, row); },
              [this] { emit FavsPanelChanged(); },
          }))
{
    connect(&tmrCheck, &QTimer::timeout, this, &TTracker::tmrCheckTimer);
}

TTracker::~TTracker() = default;

// --- commands ----------------------------------------------------------------------

void TTracker::SetDialogCaption(TCommand cmd, const QString& caption)
{
    FUnits->ctx.SetDialogCaption(cmd, caption);
}

QString TTracker::DialogCaption(TCommand cmd) const
{
    return FUnits->ctx.DialogCaption(cmd);
}

bool TTracker::Enabled(TCommand cmd, const TUiState& ui) const
{
    return CommandEnabled(*FUnits, cmd, ui);
}

bool TTracker::Execute(TCommand cmd, const TUiState& ui)
{
    FUnits->ctx.WatchClock();
    return RunCommand(*FUnits, cmd, ui);
}

// --- mouse paths ------------------------------------------------------------------

void TTracker::lvListClick(const TUiState& ui)
{
    if (FUnits->ctx.today.IsEmpty())
        Execute(TCommand::acStart, ui);
}

void TTracker::ToggleDoneMark(TListKind list, int row)
{
    FUnits->edits.ToggleDoneMark(list, row);
}

void TTracker::TaskTotalClick(TListKind list, const TUiState& ui)
{
    const TRyvItem* e = TTrackerContext::SelectedEntry(FUnits->ctx.ListOf(list));
    if (!e || !e->IsTask())
        return;
    if (!e->url.isEmpty())
        FUnits->edits.OpenTaskTotalLink(list);
    else if (list == TListKind::History)
        Execute(TCommand::acEdit2, ui);
}

bool TTracker::TaskTotalClickable(TListKind list, const TUiState& ui) const
{
    return ryv::TaskTotalClickable(*FUnits, list, ui);
}

bool TTracker::CanStartDrag(TListKind source, const TUiState& ui) const
{
    return ryv::CanStartDrag(*FUnits, source, ui);
}

bool TTracker::CanDropOnFavs(TListKind source, const TUiState&) const
{
    return ryv::CanDropOnFavs(*FUnits, source);
}

void TTracker::DropOnFavs(TListKind source, const TUiState& ui)
{
    if (CanDropOnFavs(source, ui))
        FUnits->favsPanel.Drop(*TTrackerContext::SelectedEntry(FUnits->ctx.today));
}

bool TTracker::CanDropOnToday(TListKind source, const TUiState& ui) const
{
    return ryv::CanDropOnToday(*FUnits, source, ui);
}

void TTracker::DropOnToday(TListKind source, const TUiState& ui)
{
    if (source != TListKind::Favs && source != TListKind::History)
        return; // from today's list itself nothing happens
    if (!CanDropOnToday(source, ui))
        return;
    // The drag began in the source list, so that list has the focus.
    TUiState dropUi = ui;
    dropUi.focus = source;
    Execute(TCommand::acStartAs, dropUi);
}

// --- history days ---------------------------------------------------------------

TDateTime TTracker::HistoryDate() const
{
    return FUnits->historyDays.HistoryDate();
}

TDateTime TTracker::CalendarMaxDate() const
{
    return FUnits->ctx.CalendarMaxDate();
}

void TTracker::ShowHistory()
{
    FUnits->historyDays.Show();
}

void TTracker::calHistoryClick(TDateTime day)
{
    FUnits->historyDays.CalendarClick(day);
}

void TTracker::calHistoryKeyUp(TDateTime day)
{
    FUnits->historyDays.CalendarKeyUp(day);
}

// --- favourites panel -------------------------------------------------------------

const std::vector<TFavsRow>& TTracker::FavsRows() const
{
    return FUnits->favsPanel.Rows();
}

const TRyvItem* TTracker::FavsItemAt(int row) const
{
    return FUnits->favsPanel.ItemAt(row);
}

void TTracker::RefreshFavsPanel(int selectedRow)
{
    FUnits->favsPanel.Refresh(selectedRow);
}

void TTracker::RememberRecent(const TRyvItem& entry, int favsSelectedRow)
{
    FUnits->favsPanel.RememberRecent(entry, favsSelectedRow);
}

// --- the running task and the clock -----------------------------------------------

void TTracker::StartUp()
{
    FUnits->dayChange.StartUp();
}

int TTracker::TaskCountOfDay(TDateTime t) const
{
    return FUnits->running.TaskCountOfDay(t);
}

void TTracker::UpdateToday()
{
    FUnits->dayChange.UpdateToday();
}

int TTracker::LogDay() const
{
    return FUnits->dayChange.LogDay();
}

TModalCount& TTracker::Modals() const
{
    return FUnits->ctx.ports.modals;
}

void TTracker::tmrCheckTimer()
{
    FUnits->dayChange.Tick();
}

void TTracker::AppActivate()
{
    FUnits->dayChange.AppActivate();
}

void TTracker::AppDeactivate()
{
    FUnits->dayChange.AppDeactivate();
}

void TTracker::SetPinned(bool pinned)
{
    FUnits->dayChange.SetPinned(pinned);
}

// --- away time -----------------------------------------------------------------

IAwayLog& TTracker::AwayLog()
{
    return FUnits->awayLog;
}

void TTracker::SetAwayHold(std::function<bool()> holds)
{
    FUnits->ctx.SetAwayHold(std::move(holds));
}

void TTracker::SetClockWatch(std::function<void()> watch)
{
    FUnits->ctx.SetClockWatch(std::move(watch));
}

} // namespace ryv
