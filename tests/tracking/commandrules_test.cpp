#include "trackerfixture.h"

namespace ryv::testing {
namespace {

class CommandRulesTest : public TrackerTest { };

const TSpan A { 't', At(7, 9, 0), At(7, 10, 0) };

TEST_F(CommandRulesTest, EnabledRules_FollowFocusPanelAndSelection)
{
    Fill(today, { A, { 'b', At(7, 10, 0), At(7, 10, 5) } });
    ShowHistoryDay(At(6, 0, 0));
    Fill(history, { { 't', At(6, 8, 0), At(6, 9, 0) } });
    AddFav(QStringLiteral("F"), QStringLiteral("http://f"));
    AddRecent(QStringLiteral("R"));
    tracker.RefreshFavsPanel(); // rows: F, separator, R
    Select(today, 0);
    Select(history, 0);

    TUiState todayHistPanel = OnToday();
    todayHistPanel.panel = TSecondaryPanel::History;
    TUiState histHidden = OnHistory();
    histHidden.secondaryShown = false;
    struct {
        const char* name;
        TCommand cmd;
        TUiState ui;
        bool enabled;
    } cases[] = {
        { "Add on today's list", TCommand::acAdd, OnToday(), true },
        { "Add on the history", TCommand::acAdd, OnHistory(), false },
        { "Add to history on the history", TCommand::acAddHist, OnHistory(), true },
        { "Add to history, pane hidden", TCommand::acAddHist, histHidden, false },
        { "Add to history, today focused", TCommand::acAddHist, todayHistPanel, false },
        { "Edit a task of today", TCommand::acEdit, OnToday(), true },
        { "Earlier on today's list", TCommand::acMoveBack, OnToday(), true },
        { "history's Earlier on today's list", TCommand::acMoveHistBack, OnToday(), false },
        { "history's Earlier on the history", TCommand::acMoveHistBack, OnHistory(), true },
        { "Edit item on the history", TCommand::acEdit2, OnHistory(), true },
        { "Edit item on a favourite", TCommand::acEdit2, OnFavs(0), true },
        { "Edit item on a recent task", TCommand::acEdit2, OnFavs(2), false },
        { "Remove a recent task (rule C)", TCommand::acDelFav, OnFavs(2), true },
        { "Remove the separator", TCommand::acDelFav, OnFavs(1), false },
        { "Move up a recent task (rule D)", TCommand::acMoveFavUp, OnFavs(2), false },
        { "Open a favourite's link", TCommand::acOpenURL2, OnFavs(0), true },
        { "Open link, recent task without", TCommand::acOpenURL2, OnFavs(2), false },
        { "Start from the separator", TCommand::acStartAs, OnFavs(1), false },
        { "Start from the history", TCommand::acStartAs, OnHistory(), true },
        { "Next day on the history", TCommand::acHistForw, OnHistory(), true },
        { "Previous day, history hidden", TCommand::acHistBack, OnToday(), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(tracker.Enabled(c.cmd, c.ui), c.enabled);
    }

    Select(today, 1); // a break
    EXPECT_FALSE(tracker.Enabled(TCommand::acEdit, OnToday()));
    EXPECT_TRUE(tracker.Enabled(TCommand::acDelete, OnToday()));
    today.SetSelection({ 0, 1 });
    EXPECT_FALSE(tracker.Enabled(TCommand::acDelete, OnToday()));
}

TEST_F(CommandRulesTest, ExecuteRunsOnlyWhatTheRuleAllows)
{
    // Nothing selected, no list with the focus, the secondary pane hidden:
    // only the commands that need none of these are enabled (Start, and
    // Clear on an idle log), and Execute refuses all others without touching
    // anything.
    Fill(today, { A });
    Fill(history, { { 't', At(6, 9, 0), At(6, 10, 0) } });
    AddFav(QStringLiteral("F"));
    tracker.RefreshFavsPanel();
    dialog.answers.clear(); // a dialog, if any, is cancelled
    const TUiState nothing;
    for (int i = 0; i < CommandCount; ++i) {
        const auto cmd = static_cast<TCommand>(i);
        SCOPED_TRACE(i);
        const bool always = cmd == TCommand::acStart || cmd == TCommand::acToggleStartStop
            || cmd == TCommand::acClear;
        EXPECT_EQ(tracker.Enabled(cmd, nothing), always);
        if (always)
            continue;
        EXPECT_FALSE(tracker.Execute(cmd, nothing));
        EXPECT_EQ(Spans(today), QStringList { QStringLiteral("t 09:00:00-10:00:00") });
        EXPECT_EQ(history.Count(), 1);
        EXPECT_EQ(favs.Count(), 1);
        EXPECT_TRUE(dialog.calls.empty());
        EXPECT_TRUE(messages.questions.isEmpty());
    }
}

} // namespace
} // namespace ryv::testing
