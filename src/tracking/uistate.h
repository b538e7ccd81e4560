#pragma once

#include <vector>

namespace ryv {

// The lists a command can act on.
enum class TListKind { None, Today, History, Favs };

// The panel shown in the secondary pane (when that pane is shown at all).
enum class TSecondaryPanel { Favs, History, Reports, Plans, Shortcuts };

// Selection of one list as the window sees it.
struct TListSelection final {
    std::vector<int> selected; // row indexes, ascending
    int focused = -1; // the row with the focus cursor, -1 for none

    int First() const { return selected.empty() ? -1 : selected.front(); }
    int Count() const { return static_cast<int>(selected.size()); }
};

// Everything of the window's widgets that a command or an enabled rule looks
// at. The window fills it before it evaluates a rule or runs a command; the
// engine never reads widgets itself, so every rule can be tested on plain
// values. The selection and focus of the two day lists are not here: the
// views mirror them into their TDayList models, which the engine reads.
struct TUiState final {
    bool secondaryShown = false; // the secondary pane is visible
    TSecondaryPanel panel = TSecondaryPanel::Favs; // which panel it shows
    TListKind focus = TListKind::None; // the list with the keyboard focus
    TListSelection favs; // rows of TTracker::FavsRows()

    bool FavsShown() const { return secondaryShown && panel == TSecondaryPanel::Favs; }
    bool HistoryShown() const { return secondaryShown && panel == TSecondaryPanel::History; }
};

// The commands of the engine, named after the window's actions.
enum class TCommand {
    acStart,
    acStartAs,
    acStop,
    acToggleStartStop,
    acAdd,
    acEdit,
    acDelete,
    acClear,
    acTaskDone,
    acMoveBack,
    acMoveForw,
    acMoveBackHour,
    acMoveForwHour,
    acShortenTime,
    acExtendTime,
    acMoveUp,
    acMoveDn,
    acOpenURL,
    acAddHist,
    acEdit2,
    acDelHist,
    acMoveHistBack,
    acMoveHistForw,
    acMoveHistBackHour,
    acMoveHistForwHour,
    acHistShortenTime,
    acHistExtendTime,
    acHistMoveUp,
    acHistMoveDown,
    acOpenURL2,
    acAddAs,
    acDelFav,
    acMoveFavUp,
    acMoveFavDn,
    acHistBack,
    acHistForw,
};

// The number of commands: TCommand runs from 0 to CommandCount - 1, so a
// table indexed by command can have one row for each.
inline constexpr int CommandCount = static_cast<int>(TCommand::acHistForw) + 1;

} // namespace ryv
