#include "tracking/commandrules.h"

#include "core/daylist.h"
#include "tracking/trackerunits.h"

#include <iterator>

namespace ryv {

namespace {

// What the rules look at, gathered once per question.
struct TFacts final {
    const TUiState& ui;
    const TDayList& today;
    const TDayList& history;
    const TRyvItem* todaySel; // the selected entry of each day list
    const TRyvItem* histSel;
    const TRyvItem* fav; // the item of the first selected favourites row
    bool favIsRecent;
    bool todayFocus;
    bool histFocus; // the history list has the focus and its panel shows
    bool favsFocus; // lvFavs has the focus and its panel shows
    bool ruleA;
    bool ruleB;
    bool ruleC;
    bool ruleD;
};

TFacts FactsOf(const TTrackerUnits& u, const TUiState& ui)
{
    const TTrackerContext& ctx = u.ctx;
    const int favsRow = ui.favs.First();
    TFacts f { ui, ctx.today, ctx.history, TTrackerContext::SelectedEntry(ctx.today),
        TTrackerContext::SelectedEntry(ctx.history), u.favsPanel.ItemAt(favsRow),
        u.favsPanel.IsRecent(favsRow), ui.focus == TListKind::Today,
        ui.focus == TListKind::History && ui.HistoryShown(),
        ui.focus == TListKind::Favs && ui.FavsShown(), false, false, false, false };
    f.ruleA = f.todayFocus && f.todaySel;
    f.ruleB = f.histFocus && f.histSel;
    f.ruleC = f.fav && ui.panel == TSecondaryPanel::Favs && ui.focus == TListKind::Favs;
    f.ruleD = f.favsFocus && f.fav && !f.favIsRecent;
    return f;
}

bool IsTask(const TRyvItem* e)
{
    return e && e->IsTask();
}

bool HasLink(const TRyvItem* e)
{
    return e && !e->url.isEmpty();
}

using TRule = bool (*)(const TTrackerUnits& u, const TFacts& f);
using TRun = void (*)(TTrackerUnits& u, const TUiState& ui);

struct TCommandEntry final {
    TCommand command;
    TRule enabled;
    TRun run;
};

constexpr TListKind Today = TListKind::Today;
constexpr TListKind History = TListKind::History;

// One row per command, in the order of TCommand. A command's handler relies
// on its rule: it runs only when the rule holds at that moment.
constexpr TCommandEntry CommandTable[] = {
    { TCommand::acStart, [](const TTrackerUnits&, const TFacts&) { return true; },
        [](TTrackerUnits& u, const TUiState& ui) { u.running.Start(ui); } },
    { TCommand::acStartAs,
        [](const TTrackerUnits& u, const TFacts& f) {
            const int hf = f.history.Focused();
            return (f.favsFocus && u.favsPanel.ItemAt(f.ui.favs.focused))
                || (f.histFocus && hf >= 0 && hf < f.history.Count());
        },
        [](TTrackerUnits& u, const TUiState& ui) { u.running.StartAs(ui); } },
    { TCommand::acStop, [](const TTrackerUnits&, const TFacts& f) { return f.today.IsWorking(); },
        [](TTrackerUnits& u, const TUiState&) { u.running.Stop(); } },
    { TCommand::acToggleStartStop, [](const TTrackerUnits&, const TFacts&) { return true; },
        [](TTrackerUnits& u, const TUiState& ui) {
            RunCommand(u, u.ctx.today.IsWorking() ? TCommand::acStop : TCommand::acStart, ui);
        } },
    { TCommand::acAdd, [](const TTrackerUnits&, const TFacts& f) { return f.todayFocus; },
        [](TTrackerUnits& u, const TUiState& ui) { u.edits.Add(ui, nullptr); } },
    { TCommand::acEdit,
        [](const TTrackerUnits&, const TFacts& f) { return f.todayFocus && IsTask(f.todaySel); },
        [](TTrackerUnits& u, const TUiState& ui) { u.edits.Edit(Today, ui); } },
    { TCommand::acDelete,
        [](const TTrackerUnits&, const TFacts& f) {
            // Never the running task.
            return f.todayFocus && f.today.Selected().size() == 1
                && !f.today.IsRunningRow(f.today.Selected().first());
        },
        [](TTrackerUnits& u, const TUiState&) { u.edits.Delete(Today); } },
    { TCommand::acClear,
        [](const TTrackerUnits&, const TFacts& f) {
            return !f.today.IsWorking() && !f.today.IsEmpty();
        },
        [](TTrackerUnits& u, const TUiState&) { u.edits.Clear(); } },
    { TCommand::acTaskDone,
        [](const TTrackerUnits&, const TFacts& f) { return IsTask(f.todaySel); },
        [](TTrackerUnits& u, const TUiState&) {
            u.edits.ToggleDoneMark(Today, TTrackerContext::SelectedRow(u.ctx.today));
        } },
    { TCommand::acMoveBack, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveBack(Today, false); } },
    { TCommand::acMoveForw, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveForward(Today, false); } },
    { TCommand::acMoveBackHour, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveBack(Today, true); } },
    { TCommand::acMoveForwHour, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveForward(Today, true); } },
    { TCommand::acShortenTime, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.Shorten(Today); } },
    { TCommand::acExtendTime, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.Extend(Today); } },
    { TCommand::acMoveUp, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveUp(Today); } },
    { TCommand::acMoveDn, [](const TTrackerUnits&, const TFacts& f) { return f.ruleA; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveDown(Today); } },
    { TCommand::acOpenURL,
        [](const TTrackerUnits&, const TFacts& f) {
            return f.todayFocus && IsTask(f.todaySel) && HasLink(f.todaySel);
        },
        [](TTrackerUnits& u, const TUiState&) { u.edits.OpenRowLink(Today); } },
    { TCommand::acAddHist, [](const TTrackerUnits&, const TFacts& f) { return f.histFocus; },
        [](TTrackerUnits& u, const TUiState& ui) { u.edits.AddToHistory(ui); } },
    { TCommand::acEdit2,
        [](const TTrackerUnits&, const TFacts& f) {
            return f.ruleD || (f.histFocus && IsTask(f.histSel));
        },
        [](TTrackerUnits& u, const TUiState& ui) {
            // A history entry when that list has the focus, else a favourite.
            if (ui.focus == TListKind::History)
                u.edits.Edit(History, ui);
            else
                u.favsPanel.Edit(ui.favs.First());
        } },
    { TCommand::acDelHist,
        [](const TTrackerUnits&, const TFacts& f) {
            return f.histFocus && f.history.Selected().size() == 1;
        },
        [](TTrackerUnits& u, const TUiState&) { u.edits.Delete(History); } },
    { TCommand::acMoveHistBack, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveBack(History, false); } },
    { TCommand::acMoveHistForw, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveForward(History, false); } },
    { TCommand::acMoveHistBackHour, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveBack(History, true); } },
    { TCommand::acMoveHistForwHour, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveForward(History, true); } },
    { TCommand::acHistShortenTime, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.Shorten(History); } },
    { TCommand::acHistExtendTime, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.Extend(History); } },
    { TCommand::acHistMoveUp, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveUp(History); } },
    { TCommand::acHistMoveDown, [](const TTrackerUnits&, const TFacts& f) { return f.ruleB; },
        [](TTrackerUnits& u, const TUiState&) { u.timing.MoveDown(History); } },
    { TCommand::acOpenURL2,
        [](const TTrackerUnits&, const TFacts& f) {
            return (f.favsFocus && HasLink(f.fav)) || (f.histFocus && HasLink(f.histSel));
        },
        [](TTrackerUnits& u, const TUiState& ui) {
            // A favourite's link copies nothing; a history entry's names its day.
            if (ui.focus == TListKind::Favs)
                u.edits.OpenFavouriteLink(*u.favsPanel.ItemAt(ui.favs.First()));
            else
                u.edits.OpenRowLink(History);
        } },
    { TCommand::acAddAs, [](const TTrackerUnits&, const TFacts& f) { return f.ruleC; },
        [](TTrackerUnits& u, const TUiState& ui) {
            u.edits.Add(ui, u.favsPanel.ItemAt(ui.favs.First()));
        } },
    { TCommand::acDelFav, [](const TTrackerUnits&, const TFacts& f) { return f.ruleC; },
        [](TTrackerUnits& u, const TUiState& ui) { u.favsPanel.Delete(ui.favs.First()); } },
    { TCommand::acMoveFavUp, [](const TTrackerUnits&, const TFacts& f) { return f.ruleD; },
        [](TTrackerUnits& u, const TUiState& ui) { u.favsPanel.MoveUp(ui.favs.First()); } },
    { TCommand::acMoveFavDn, [](const TTrackerUnits&, const TFacts& f) { return f.ruleD; },
        [](TTrackerUnits& u, const TUiState& ui) { u.favsPanel.MoveDown(ui.favs.First()); } },
    { TCommand::acHistBack,
        [](const TTrackerUnits&, const TFacts& f) { return f.ui.HistoryShown(); },
        [](TTrackerUnits& u, const TUiState&) { u.historyDays.Back(); } },
    { TCommand::acHistForw,
        [](const TTrackerUnits&, const TFacts& f) { return f.ui.HistoryShown(); },
        [](TTrackerUnits& u, const TUiState&) { u.historyDays.Forward(); } },
};

constexpr bool TableInCommandOrder()
{
    int i = 0;
    for (const TCommandEntry& entry : CommandTable)
        if (static_cast<int>(entry.command) != i++)
            return false;
    return i == CommandCount;
}
static_assert(TableInCommandOrder(), "one row per command, in the order of TCommand");

const TCommandEntry& EntryOf(TCommand cmd)
{
    return CommandTable[static_cast<int>(cmd)];
}

} // namespace

bool CommandEnabled(const TTrackerUnits& units, TCommand cmd, const TUiState& ui)
{
    return EntryOf(cmd).enabled(units, FactsOf(units, ui));
}

bool RunCommand(TTrackerUnits& units, TCommand cmd, const TUiState& ui)
{
    if (!CommandEnabled(units, cmd, ui))
        return false;
    EntryOf(cmd).run(units, ui);
    return true;
}

bool CanStartDrag(const TTrackerUnits& units, TListKind source, const TUiState& ui)
{
    switch (source) {
    case TListKind::Today:
    case TListKind::History:
        return TTrackerContext::SelectedEntry(units.ctx.ListOf(source)) != nullptr;
    case TListKind::Favs:
        return units.favsPanel.ItemAt(ui.favs.First()) != nullptr;
    case TListKind::None:
        break;
    }
    return false;
}

bool CanDropOnFavs(const TTrackerUnits& units, TListKind source)
{
    return source == TListKind::Today && IsTask(TTrackerContext::SelectedEntry(units.ctx.today));
}

bool CanDropOnToday(const TTrackerUnits& units, TListKind source, const TUiState& ui)
{
    // Accepted from any of the lists while it has a selected row; a drop from
    // today's list itself then does nothing.
    return source != TListKind::None && CanStartDrag(units, source, ui);
}

bool TaskTotalClickable(const TTrackerUnits& units, TListKind list, const TUiState& ui)
{
    const TDayList& l = units.ctx.ListOf(list);
    if (!l.TaskTotalVisible())
        return false;
    if (list == TListKind::History)
        return CommandEnabled(units, TCommand::acOpenURL2, ui);
    const TRyvItem* e = TTrackerContext::SelectedEntry(l);
    return IsTask(e) && HasLink(e);
}

} // namespace ryv
