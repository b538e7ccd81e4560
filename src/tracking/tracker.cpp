#include "tracking/tracker.h"

namespace ryv {

TTracker::TTracker(TRyvOptions& options, TRyvItemList& favs, TRyvItemList& recent,
                   TDayList& today, TDayList& history, TListStore& store,
                   const TTrackerPorts& ports, QObject* parent)
    : QObject(parent), FOptions(options), FFavs(favs), FRecent(recent), FToday(today),
      FHistory(history), FStore(store), FPorts(ports)
{
}

TTracker::~TTracker() = default;

bool TTracker::Enabled(TCommand, const TUiState&) const { return false; }
bool TTracker::Execute(TCommand, const TUiState&) { return false; }
void TTracker::acStartExecute(const TUiState&, bool) {}
void TTracker::acStopExecute() {}
void TTracker::acToggleStartStopExecute(const TUiState&) {}
void TTracker::lvListClick(const TUiState&) {}
void TTracker::acAddExecute(const TUiState&, const TRyvItem*) {}
void TTracker::acAddHistExecute(const TUiState&) {}
void TTracker::acEditExecute(const TUiState&) {}
void TTracker::acEdit2Execute(const TUiState&) {}
void TTracker::acTaskDoneExecute(const TUiState&) {}
void TTracker::acDeleteExecute(TListKind, const TUiState&) {}
void TTracker::acClearExecute() {}
void TTracker::acMoveBackExecute(TListKind, const TUiState&, bool) {}
void TTracker::acMoveForwExecute(TListKind, const TUiState&, bool) {}
void TTracker::acShortenTimeExecute(TListKind, const TUiState&) {}
void TTracker::acExtendTimeExecute(TListKind, const TUiState&) {}
void TTracker::acMoveUpExecute(TListKind, const TUiState&) {}
void TTracker::acMoveDnExecute(TListKind, const TUiState&) {}
void TTracker::acOpenURLExecute(const TUiState&) {}
void TTracker::acOpenURL2Execute(const TUiState&) {}
void TTracker::ToggleDoneMark(TListKind, int) {}
void TTracker::TaskTotalClick(TListKind, const TUiState&) {}
bool TTracker::TaskTotalClickable(TListKind, const TUiState&) const { return false; }
TDateTime TTracker::CalendarMaxDate() const { return 0; }
void TTracker::ShowHistory() {}
void TTracker::sbHistBackClick(const TUiState&) {}
void TTracker::sbHistForwClick(const TUiState&) {}
void TTracker::calHistoryClick(TDateTime) {}
void TTracker::calHistoryKeyUp(TDateTime) {}
void TTracker::RefreshFavsPanel(int) {}
void TTracker::acDelFavExecute(const TUiState&) {}
void TTracker::acMoveFavUpExecute(const TUiState&) {}
void TTracker::acMoveFavDnExecute(const TUiState&) {}
void TTracker::acEditFavExecute(const TUiState&) {}
bool TTracker::CanStartDrag(TListKind, const TUiState&) const { return false; }
bool TTracker::CanDropOnFavs(TListKind, const TUiState&) const { return false; }
void TTracker::DropOnFavs(TListKind, const TUiState&) {}
bool TTracker::CanDropOnToday(TListKind, const TUiState&) const { return false; }
void TTracker::DropOnToday(TListKind, const TUiState&) {}
void TTracker::StartUp() {}
void TTracker::AppendTask(const QString&, const QString&) {}
int TTracker::TaskCountOfDay(TDateTime) const { return 0; }
void TTracker::UpdateToday() {}
void TTracker::RememberRecent(const TRyvItem&) {}
void TTracker::tmrCheckTimer() {}
void TTracker::AppActivate() {}
void TTracker::AppDeactivate() {}
void TTracker::SetPinned(bool pinned) { FPinned = pinned; }

} // namespace ryv
