#include "trackerfixture.h"

#include <QSignalSpy>

#include <algorithm>

namespace ryv::testing {
namespace {

class EntryEditsTest : public TrackerTest { };

// --- Add -------------------------------------------------------------------------------------

struct TAddCase {
    const char* name;
    std::vector<TSpan> log;
    bool working;
    TDateTime now;
    int minutes;
    int row; // where the new task lands
    QString span; // its times
};

class AddPlacement : public EntryEditsTest, public ::testing::WithParamInterface<TAddCase> { };

TEST_P(AddPlacement, PlacesTaskOfGivenDuration)
{
    const TAddCase& c = GetParam();
    Fill(today, c.log);
    today.SetWorking(c.working);
    clock.Set(c.now);
    dialog.answers = { OkDuration(c.minutes) };

    ASSERT_TRUE(tracker.Execute(TCommand::acAdd, OnToday()));

    ASSERT_EQ(today.Count(), static_cast<int>(c.log.size()) + 1);
    const TRyvItem& e = *today.Item(c.row);
    // Numbered after the tasks of the day.
    const auto tasksOfDay = std::count_if(c.log.begin(), c.log.end(),
        [&c](const TSpan& s) { return s.kind == 't' && DayOf(s.start) == DayOf(c.now); });
    EXPECT_EQ(e.title, QStringLiteral("Task #%1").arg(tasksOfDay + 1));
    EXPECT_EQ(Span(e), c.span);
    EXPECT_LE(e.start, e.stop);
    EXPECT_EQ(today.Selected(), QList<int> { c.row });
    EXPECT_EQ(recent.Count(), 1);
    EXPECT_TRUE(store.IsSavePending());
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_TRUE(dialog.calls[0].askDuration);
    EXPECT_EQ(dialog.calls[0].caption, QStringLiteral("Add task"));
}

// Where a task goes is PlaceAddedTask's (addplacement_test.cpp); these cases
// show the command puts it there, in the log and after the dialog.
INSTANTIATE_TEST_SUITE_P(Tracker, AddPlacement,
    ::testing::Values(TAddCase { "FitsAfterLast", { { 't', At(7, 8, 0), At(7, 12, 0) } }, false,
                          At(7, 14, 30), 60, 1, "12:00:00-13:00:00" },
        TAddCase { "Working_BeforeFirst", { { 't', At(7, 8, 0), At(7, 8, 0) } }, true, At(7, 9, 0),
            30, 0, "07:30:00-08:00:00" },
        TAddCase { "EmptyLog_EndsNow", {}, false, At(7, 9, 47, 31), 30, 0, "09:17:00-09:47:00" },
        // Rows whose start has no day (a time alone) have no place in time:
        // the task goes by the others, and never beside day 0.
        TAddCase { "RowsWithoutDay_Ignored",
            { { 'b', 0.375, 0.4 }, { 't', At(7, 8, 0), At(7, 12, 0) }, { 't', 0.5, 0.5 } }, false,
            At(7, 14, 30), 60, 3, "12:00:00-13:00:00" },
        // Fills the time up to now exactly: still after the last entry, not
        // at the top.
        TAddCase { "ExactlyFillsTheTimeUpToNow", { { 't', At(7, 8, 0), At(7, 12, 0) } }, false,
            At(7, 13, 0), 60, 1, "12:00:00-13:00:00" }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryEditsTest, AddJustAfterMidnight_KeepsWholeDuration_PartBeforeGoesToYesterday)
{
    // The log is empty at 00:30 and yesterday is on show in the history.
    clock.Set(At(7, 0, 30, 10));
    tracker.UpdateToday();
    ShowHistoryDay(At(6, 0, 0));
    dialog.answers = { OkDuration(120) };

    ASSERT_TRUE(tracker.Execute(TCommand::acAdd, OnToday()));

    EXPECT_EQ(Spans(today), QStringList { QStringLiteral("t 00:00:00-00:30:00") });
    EXPECT_EQ(today.Selected(), QList<int> { 0 });
    TEntries yesterday = ReadDay(At(6, 0, 0));
    ASSERT_EQ(yesterday.size(), 1u);
    EXPECT_EQ(Span(*yesterday[0]), QStringLiteral("22:30:00-23:59:59"));
    EXPECT_DOUBLE_EQ(yesterday[0]->start, At(6, 22, 30));
    EXPECT_EQ(yesterday[0]->title, today.Item(0)->title);
    EXPECT_EQ(Spans(history), QStringList { QStringLiteral("t 22:30:00-23:59:59") });
    EXPECT_TRUE(messages.warnings.isEmpty());
}

TEST_F(EntryEditsTest, AddAs_CopiesFavourite_FromFavouriteFlagged)
{
    favs.AddOrUpdate(QStringLiteral("Fav"), QStringLiteral("http://f"), QStringLiteral("d"));
    tracker.RefreshFavsPanel();
    dialog.answers = { OkDuration(15) };
    clock.Set(At(7, 9, 0));
    ASSERT_TRUE(tracker.Execute(TCommand::acAddAs, OnFavs(0)));
    ASSERT_EQ(dialog.calls.size(), 1u);
    EXPECT_TRUE(dialog.calls[0].fromFavourite);
    EXPECT_EQ(dialog.calls[0].entry.descr, QStringLiteral("d"));
    EXPECT_EQ(dialog.calls[0].entry.start, 0);
    EXPECT_EQ(today.Item(0)->url, QStringLiteral("http://f"));
    EXPECT_EQ(Span(*today.Item(0)), QStringLiteral("08:45:00-09:00:00"));
}

TEST_F(EntryEditsTest, AddCancelled_ListUnchanged_PanelRebuiltWhenFavouritesChanged)
{
    AddFav(QStringLiteral("Gone"));
    tracker.RefreshFavsPanel();
    // The dialog's favourite button removes the favourite, then Cancel.
    dialog.answers = { Cancel([this](TRyvItem&) {
        favs.RemoveItem(QStringLiteral("Gone"), {});
        options.StateFavsChanged = true;
    }) };
    QSignalSpy rebuilt(&tracker, &TTracker::FavsPanelChanged);

    tracker.Execute(TCommand::acAdd, OnToday());

    EXPECT_TRUE(today.IsEmpty());
    EXPECT_FALSE(store.IsSavePending());
    EXPECT_EQ(rebuilt.count(), 1);
    EXPECT_TRUE(tracker.FavsRows().empty()); // no row refers to the freed item
    EXPECT_FALSE(options.StateFavsChanged);
}

// --- Add to a history day ---------------------------------------------------------------------

struct THistAddCase {
    const char* name;
    std::vector<TSpan> log;
    int minutes;
    int row;
    QString span;
};

class AddHistPlacement : public EntryEditsTest,
                         public ::testing::WithParamInterface<THistAddCase> { };

TEST_P(AddHistPlacement, PlacesTaskAndWritesDayAtOnce)
{
    const THistAddCase& c = GetParam();
    ShowHistoryDay(At(6, 0, 0));
    Fill(history, c.log);
    dialog.answers = { OkDuration(c.minutes) };

    ASSERT_TRUE(tracker.Execute(TCommand::acAddHist, OnHistory()));

    EXPECT_EQ(Span(*history.Item(c.row)), c.span);
    EXPECT_EQ(history.Item(c.row)->title, QStringLiteral("Task #%1").arg(c.log.size() + 1));
    EXPECT_EQ(history.Selected(), QList<int> { c.row });
    EXPECT_FALSE(store.IsHistSavePending());
    EXPECT_EQ(ReadDay(At(6, 0, 0)).size(), c.log.size() + 1);
    EXPECT_EQ(recent.Count(), 1);
}

INSTANTIATE_TEST_SUITE_P(Tracker, AddHistPlacement,
    ::testing::Values(THistAddCase { "EmptyDay_AtSeven", {}, 90, 0, "07:00:00-08:30:00" },
        THistAddCase { "AfterLast",
            { { 't', At(6, 8, 0), At(6, 9, 0) }, { 'b', At(6, 9, 0), At(6, 9, 10) },
                { 't', At(6, 9, 10), At(6, 17, 0) } },
            60, 3, "17:00:00-18:00:00" },
        THistAddCase {
            "BeforeFirst", { { 't', At(6, 8, 0), At(6, 23, 30) } }, 60, 0, "07:00:00-08:00:00" }),
    [](const auto& info) { return std::string(info.param.name); });

// --- Edit and done mark ---------------------------------------------------------------------

TEST_F(EntryEditsTest, Edit_OkTakesTextsNotTimes_CancelChangesNothing)
{
    Fill(today, { { 't', At(7, 8, 0), At(7, 9, 0) } });
    Select(today, 0);
    dialog.answers = { Ok([](TRyvItem& e) {
                          e.title = QStringLiteral("Renamed");
                          e.state = ryvsDone;
                          e.start = 1; // a dialog never changes times; ignored if it did
                      }),
        Cancel([](TRyvItem& e) { e.title = QStringLiteral("Nope"); }) };

    ASSERT_TRUE(tracker.Execute(TCommand::acEdit, OnToday()));
    EXPECT_EQ(today.Item(0)->title, QStringLiteral("Renamed"));
    EXPECT_EQ(today.TaskText(0), QStringLiteral("Renamed"));
    EXPECT_TRUE(today.DoneMark(0));
    EXPECT_DOUBLE_EQ(today.Item(0)->start, At(7, 8, 0));
    EXPECT_TRUE(store.IsSavePending());
    EXPECT_EQ(dialog.calls[0].caption, QStringLiteral("Edit task"));

    store.tmrSave.stop();
    tracker.Execute(TCommand::acEdit, OnToday());
    EXPECT_EQ(today.Item(0)->title, QStringLiteral("Renamed"));
    EXPECT_FALSE(store.IsSavePending());
}

TEST_F(EntryEditsTest, EditHistoryEntry_WritesDayAtOnce)
{
    ShowHistoryDay(At(6, 0, 0));
    Fill(history, { { 't', At(6, 8, 0), At(6, 9, 0) } });
    Select(history, 0);
    dialog.answers = { Ok([](TRyvItem& e) { e.title = QStringLiteral("Fixed"); }) };
    ASSERT_TRUE(tracker.Execute(TCommand::acEdit2, OnHistory()));
    EXPECT_EQ(dialog.calls[0].caption, QStringLiteral("Edit item"));
    EXPECT_EQ(TitlesOf(ReadDay(At(6, 0, 0))), QStringList { QStringLiteral("Fixed") });
}

TEST_F(EntryEditsTest, DoneMark_TogglesTasksOnly_SavesByList)
{
    Fill(today, { { 't', At(7, 8, 0), At(7, 9, 0) }, { 'b', At(7, 9, 0), At(7, 9, 5) } });
    Select(today, 0);
    ASSERT_TRUE(tracker.Execute(TCommand::acTaskDone, OnToday()));
    EXPECT_EQ(today.Item(0)->state, ryvsDone);
    EXPECT_TRUE(today.DoneMark(0));
    tracker.ToggleDoneMark(TListKind::Today, 0);
    EXPECT_EQ(today.Item(0)->state, ryvsNone);
    tracker.ToggleDoneMark(TListKind::Today, 1); // a break has no done mark
    EXPECT_EQ(today.Item(1)->state, ryvsNone);
    Select(today, 1);
    EXPECT_FALSE(tracker.Enabled(TCommand::acTaskDone, OnToday()));

    ShowHistoryDay(At(6, 0, 0));
    Fill(history, { { 't', At(6, 8, 0), At(6, 9, 0) } });
    tracker.ToggleDoneMark(TListKind::History, 0);
    EXPECT_EQ(history.Item(0)->state, ryvsDone);
    EXPECT_TRUE(store.IsHistSavePending());
}

// --- Delete and Clear ------------------------------------------------------------------------

struct TDeleteCase {
    const char* name;
    std::vector<TSpan> log;
    int row;
    QStringList spans;
};

class DeleteNeighbours : public EntryEditsTest,
                         public ::testing::WithParamInterface<TDeleteCase> { };

TEST_P(DeleteNeighbours, GivesTheTimeToANeighbourOrABreak)
{
    const TDeleteCase& c = GetParam();
    for (TDayList* list : { &today, &history }) {
        SCOPED_TRACE(list == &today ? "today" : "history");
        if (list == &history)
            ShowHistoryDay(At(7, 0, 0) - 1.0);
        Fill(*list, c.log);
        Select(*list, c.row);
        messages.questions.clear();
        const TUiState ui = list == &today ? OnToday() : OnHistory();
        ASSERT_TRUE(tracker.Execute(list == &today ? TCommand::acDelete : TCommand::acDelHist, ui));
        EXPECT_EQ(Spans(*list), c.spans);
        ASSERT_EQ(messages.questions.size(), 1);
        EXPECT_TRUE(messages.questions[0].startsWith(
            QStringLiteral("Do you really want to delete the selected item?\r\n\r\n")));
    }
    EXPECT_TRUE(store.IsSavePending());
    EXPECT_TRUE(store.IsHistSavePending());
}

const TDateTime H9 = At(7, 9, 0), H10 = At(7, 10, 0), H11 = At(7, 11, 0), H12 = At(7, 12, 0),
                H13 = At(7, 13, 0);

INSTANTIATE_TEST_SUITE_P(Tracker, DeleteNeighbours,
    ::testing::Values(TDeleteCase { "TaskBetweenTasks_BecomesBreak",
                          { { 't', H9, H10 }, { 't', H10, H11 }, { 't', H11, H12 } }, 1,
                          { "t 09:00:00-10:00:00", "b 10:00:00-11:00:00", "t 11:00:00-12:00:00" } },
        TDeleteCase { "TaskBetweenBreaks_OneBreakSpansAll",
            { { 't', H9, H10 }, { 'b', H10, H11 }, { 't', H11, H12 }, { 'b', H12, H13 },
                { 't', H13, At(7, 14, 0) } },
            2, { "t 09:00:00-10:00:00", "b 10:00:00-13:00:00", "t 13:00:00-14:00:00" } },
        TDeleteCase { "NextIsBreak_BreakGrowsBack",
            { { 't', H9, H10 }, { 't', H10, H11 }, { 'b', H11, H12 }, { 't', H12, H13 } }, 1,
            { "t 09:00:00-10:00:00", "b 10:00:00-12:00:00", "t 12:00:00-13:00:00" } },
        TDeleteCase { "PreviousIsBreak_BreakGrows",
            { { 't', H9, H10 }, { 'b', H10, H11 }, { 't', H11, H12 }, { 't', H12, H13 } }, 2,
            { "t 09:00:00-10:00:00", "b 10:00:00-12:00:00", "t 12:00:00-13:00:00" } },
        TDeleteCase { "FirstTaskWithBreakAfter_BothGo",
            { { 't', H9, H10 }, { 'b', H10, H11 }, { 't', H11, H12 } }, 0,
            { "t 11:00:00-12:00:00" } },
        TDeleteCase { "LastTaskWithBreakBefore_BothGo",
            { { 't', H9, H10 }, { 'b', H10, H11 }, { 't', H11, H12 } }, 2,
            { "t 09:00:00-10:00:00" } },
        TDeleteCase { "Break_NextTaskGrowsBack",
            { { 't', H9, H10 }, { 'b', H10, H11 }, { 't', H11, H12 } }, 1,
            { "t 09:00:00-10:00:00", "t 10:00:00-12:00:00" } },
        TDeleteCase { "OnlyEntry", { { 't', H9, H10 } }, 0, {} }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryEditsTest, DeleteAndClear_NoKeepsTheList)
{
    Fill(today, { { 't', H9, H10 }, { 't', H10, H11 } });
    Select(today, 0);
    messages.answer = false;
    tracker.Execute(TCommand::acDelete, OnToday());
    tracker.Execute(TCommand::acClear, OnToday());
    EXPECT_EQ(today.Count(), 2);
    EXPECT_EQ(messages.questions.size(), 2);
    EXPECT_EQ(messages.questions[1], QStringLiteral("Do you really want to clear the task list?"));

    messages.answer = true;
    tracker.Execute(TCommand::acClear, OnToday());
    EXPECT_TRUE(today.IsEmpty());
    EXPECT_TRUE(store.IsSavePending());
}

TEST_F(EntryEditsTest, DeleteAndClear_NeverTouchTheRunningTask)
{
    Fill(today, { { 't', H9, H10 }, { 't', H10, H10 } });
    today.SetWorking(true);
    Select(today, 1);
    EXPECT_FALSE(tracker.Enabled(TCommand::acDelete, OnToday()));
    EXPECT_FALSE(tracker.Enabled(TCommand::acClear, OnToday()));
    EXPECT_FALSE(tracker.Execute(TCommand::acDelete, OnToday()));
    EXPECT_FALSE(tracker.Execute(TCommand::acClear, OnToday()));
    EXPECT_EQ(today.Count(), 2);
    EXPECT_TRUE(messages.questions.isEmpty());
}

// A confirmation is modal: its event loop runs the clock tick, which may
// pass midnight while the question shows, and the list may change under it.
struct TDeleteAtMidnightCase {
    const char* name;
    int row; // selected and asked about
    bool removedMeanwhile; // the entry asked about leaves the list under the box
    QStringList afterYes; // today's log once Yes is answered
    QStringList movedToFile; // day 7's file after the next tick
};

class DeleteAnsweredAfterMidnight : public EntryEditsTest,
                                    public ::testing::WithParamInterface<TDeleteAtMidnightCase> { };

TEST_P(DeleteAnsweredAfterMidnight, DeletesTheEntryAskedAboutNeverTheRunningTask)
{
    const TDeleteAtMidnightCase& c = GetParam();
    Fill(today, { { 't', H9, H10 }, { 't', H10, H11 }, { 't', H11, H11 } });
    today.SetWorking(true);
    clock.Set(At(7, 23, 59, 50));
    tracker.UpdateToday();
    Select(today, c.row);
    int rowsWhileAsked = -1;
    messages.onQuestion = [&] {
        clock.Set(At(8, 0, 0, 5));
        tracker.tmrCheckTimer();
        if (c.removedMeanwhile)
            today.Remove(c.row);
        rowsWhileAsked = today.Count();
    };

    EXPECT_NO_THROW(tracker.Execute(TCommand::acDelete, OnToday()));

    // The day change waited for the box.
    EXPECT_EQ(rowsWhileAsked, c.removedMeanwhile ? 2 : 3);
    EXPECT_EQ(Titles(today), c.afterYes);
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(today.Last()->title, QStringLiteral("T3"));

    tracker.tmrCheckTimer();
    EXPECT_EQ(TitlesOf(ReadDay(At(7, 0, 0))), c.movedToFile);
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("T3") });
    EXPECT_DOUBLE_EQ(today.Last()->start, At(8, 0, 0));
    EXPECT_TRUE(today.IsWorking());
}

INSTANTIATE_TEST_SUITE_P(Tracker, DeleteAnsweredAfterMidnight,
    ::testing::Values(
        // After an early day change the running task would be row 0.
        TDeleteAtMidnightCase { "FirstRow", 0, false, { "T2", "T3" }, { "T2", "T3" } },
        // ... and row 1 would no longer exist.
        TDeleteAtMidnightCase { "MiddleRow", 1, false, { "T1", "-", "T3" }, { "T1", "-", "T3" } },
        // Gone by the answer: row 1 then holds the running task.
        TDeleteAtMidnightCase { "GoneMeanwhile", 1, true, { "T1", "T3" }, { "T1", "T3" } }),
    [](const auto& info) { return std::string(info.param.name); });

// --- Open link -------------------------------------------------------------------------------

TEST_F(EntryEditsTest, OpenLink_CopiesSpentTimeByFormat_ThenOpens)
{
    struct {
        const char* name;
        TSpendToClipboard format;
        QString clipboard;
    } cases[] = {
        { "disabled", TSpendToClipboard::Disabled, QString() },
        { "standard", TSpendToClipboard::Standard, QStringLiteral("1:30") },
        { "git", TSpendToClipboard::Git, QStringLiteral("/spend 1h30m") },
    };
    AddToday(
        Task(At(7, 8, 0), At(7, 9, 30), QStringLiteral("T1"), QStringLiteral("http://issue/1")));
    Select(today, 0);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        options.SpendToClipboard = c.format;
        clipboard.text.clear();
        shell.opened.clear();
        ASSERT_TRUE(tracker.Execute(TCommand::acOpenURL, OnToday()));
        EXPECT_EQ(clipboard.text, c.clipboard);
        EXPECT_EQ(shell.opened, QStringList { QStringLiteral("http://issue/1") });
    }
}

TEST_F(EntryEditsTest, OpenLinkFromHistoryAndTaskTotal_NameTheDay)
{
    ShowHistoryDay(At(6, 0, 0));
    AddHistory(Task(At(6, 8, 0), At(6, 9, 30), QStringLiteral("T1"), QStringLiteral("http://i")));
    AddHistory(Task(At(6, 10, 0), At(6, 10, 30), QStringLiteral("T2"), QStringLiteral("http://i")));
    Select(history, 0);
    ASSERT_TRUE(tracker.Execute(TCommand::acOpenURL2, OnHistory()));
    EXPECT_EQ(clipboard.text, QStringLiteral("/spend 1h30m 2022-01-06"));

    ASSERT_TRUE(history.TaskTotalVisible());
    EXPECT_TRUE(tracker.TaskTotalClickable(TListKind::History, OnHistory()));
    tracker.TaskTotalClick(TListKind::History, OnHistory());
    EXPECT_EQ(clipboard.text, QStringLiteral("/spend 2h0m 2022-01-06"));
    EXPECT_EQ(shell.opened.size(), 2);
}

TEST_F(EntryEditsTest, OpenLinkWithoutLink_Disabled_TaskTotalNotClickable)
{
    AddToday(Task(At(7, 8, 0), At(7, 9, 0), QStringLiteral("T1")));
    AddToday(Task(At(7, 9, 0), At(7, 9, 30), QStringLiteral("T1")));
    Select(today, 0);
    ASSERT_TRUE(today.TaskTotalVisible());
    EXPECT_FALSE(tracker.TaskTotalClickable(TListKind::Today, OnToday()));
    EXPECT_FALSE(tracker.Execute(TCommand::acOpenURL, OnToday()));
    tracker.TaskTotalClick(TListKind::Today, OnToday()); // not clickable: nothing
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_TRUE(shell.opened.isEmpty());
}

} // namespace
} // namespace ryv::testing
