#pragma once

// The one way into the engine's commands. One table gives every command its
// enabled rule and what it runs; Enabled asks the rule, Execute asks it again
// and only then runs the command, so no caller can skip a rule.
//
// The rules look at the window's state (TUiState: the focus, the panel shown,
// the favourites panel's selection) and at the day lists' own selection:
// - rule A: a row of today's list is selected and that list has the focus;
// - rule B: likewise for the history day while its panel shows;
// - rule C: the selected favourites row carries an item and lvFavs has the
//   focus (the favourites panel being the one chosen);
// - rule D: as C, on a favourite (not a recent task), with the pane shown.

#include "tracking/uistate.h"

namespace ryv {

struct TTrackerUnits;

bool CommandEnabled(const TTrackerUnits& units, TCommand cmd, const TUiState& ui);
// Runs cmd when it is enabled; returns whether it ran.
bool RunCommand(TTrackerUnits& units, TCommand cmd, const TUiState& ui);

// The rules of the mouse paths that are no commands.
bool CanStartDrag(const TTrackerUnits& units, TListKind source, const TUiState& ui);
bool CanDropOnFavs(const TTrackerUnits& units, TListKind source);
bool CanDropOnToday(const TTrackerUnits& units, TListKind source, const TUiState& ui);
bool TaskTotalClickable(const TTrackerUnits& units, TListKind list, const TUiState& ui);

} // namespace ryv
