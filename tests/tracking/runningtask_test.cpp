#include "trackerfixture.h"

namespace ryv::testing {
namespace {

struct TLogEntry {
    TRyvItemKind kind;
    TDateTime start;
    TDateTime stop;
};

struct TStartCase {
    const char* name;
    std::vector<TLogEntry> log;
    bool working;
    TDateTime now;
    QStringList spans; // today's log after Start
};

class StartTimeRule : public TrackerTest, public ::testing::WithParamInterface<TStartCase> { };

TEST_P(StartTimeRule, AppendsBreakAndTaskAtTheRuleTime)
{
    const TStartCase& c = GetParam();
    for (const TLogEntry& e : c.log)
        AddToday(
            Entry(e.kind, e.start, e.stop, e.kind == ryvkTask ? QStringLiteral("A") : QString()));
    today.SetWorking(c.working);
    clock.Set(c.now);

    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));

    EXPECT_EQ(Spans(today), c.spans);
    EXPECT_TRUE(today.IsWorking());
    EXPECT_TRUE(store.IsSavePending());
}

INSTANTIATE_TEST_SUITE_P(Tracker, StartTimeRule,
    ::testing::Values(TStartCase { "GapInSameDay_BreakFromStopToStartMinute",
                          { { ryvkTask, At(7, 9, 0), At(7, 10, 5) } }, false, At(7, 10, 20, 30),
                          { "t 09:00:00-10:05:00", "b 10:05:00-10:20:00", "t 10:20:00-10:20:30" } },
        TStartCase { "RunningStartedThisMinute_SecondsKept",
            { { ryvkTask, At(7, 10, 20), At(7, 10, 20) } }, true, At(7, 10, 20, 40),
            { "t 10:20:00-10:20:40", "t 10:20:40-10:20:40" } },
        TStartCase { "RunningStartedEarlier_EndsAtMinute",
            { { ryvkTask, At(7, 9, 0), At(7, 9, 0) } }, true, At(7, 9, 47, 31),
            { "t 09:00:00-09:47:00", "t 09:47:00-09:47:31" } },
        TStartCase {
            "EmptyLog_TruncatedNoBreak", {}, false, At(7, 9, 47, 31), { "t 09:47:00-09:47:31" } },
        TStartCase { "StoppedInSameMinute_NoBreak", { { ryvkTask, At(7, 9, 0), At(7, 10, 5) } },
            false, At(7, 10, 5, 50), { "t 09:00:00-10:05:00", "t 10:05:00-10:05:50" } },
        TStartCase { "StartedAndStoppedInSameMinute_NoBreakSecondsKept",
            { { ryvkTask, At(7, 10, 5), At(7, 10, 5, 10) } }, false, At(7, 10, 5, 50),
            { "t 10:05:00-10:05:10", "t 10:05:50-10:05:50" } },
        TStartCase { "StoppedYesterday_NoBreakAcrossMidnight",
            { { ryvkTask, At(6, 16, 0), At(6, 17, 0) } }, false, At(7, 8, 30, 5),
            { "t 16:00:00-17:00:00", "t 08:30:00-08:30:05" } },
        TStartCase { "TrailingBreak_ReachesNewStart",
            { { ryvkTask, At(7, 9, 0), At(7, 9, 30) }, { ryvkPause, At(7, 9, 30), At(7, 9, 40) } },
            false, At(7, 10, 0, 15),
            { "t 09:00:00-09:30:00", "b 09:30:00-10:00:00", "t 10:00:00-10:00:15" } },
        TStartCase { "TrailingBreakOfEarlierDay_Removed",
            { { ryvkTask, At(6, 9, 0), At(6, 9, 30) }, { ryvkPause, At(6, 9, 30), At(6, 9, 40) } },
            false, At(7, 10, 0, 15), { "t 09:00:00-09:30:00", "t 10:00:00-10:00:15" } },
        // A start that had no readable date (here a time alone) is no day:
        // such a break is neither an earlier day's, to be dropped, nor
        // today's, to be stretched.
        TStartCase { "TrailingBreakWithoutDay_Kept",
            { { ryvkTask, At(7, 9, 0), At(7, 9, 30) }, { ryvkPause, 0.375, 0.4 } }, false,
            At(7, 10, 0, 15),
            { "t 09:00:00-09:30:00", "b 09:00:00-09:36:00", "t 10:00:00-10:00:15" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrackerTest, Stop_EndsAtMinuteUnlessStartedInThatMinute)
{
    struct {
        const char* name;
        TDateTime start, now, expected;
    } cases[] = {
        { "started earlier: the minute", At(7, 9, 0), At(7, 9, 47, 31), At(7, 9, 47) },
        { "started this minute: the seconds stay", At(7, 10, 5), At(7, 10, 5, 10),
            At(7, 10, 5, 10) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        today.Clear();
        AddToday(Task(c.start, c.start));
        today.SetWorking(true);
        clock.Set(c.now);
        ASSERT_TRUE(tracker.Execute(TCommand::acStop, OnToday()));
        EXPECT_FALSE(today.IsWorking());
        EXPECT_EQ(today.Count(), 1); // no break when work stops
        EXPECT_DOUBLE_EQ(today.Last()->stop, c.expected);
        EXPECT_TRUE(store.IsSavePending());
        EXPECT_FALSE(tracker.Enabled(TCommand::acStop, OnToday()));
    }
}

TEST_F(TrackerTest, Start_FromFocusedEntry_TakesTitleAndLinkNotDescription)
{
    AddToday(Entry(ryvkTask, At(7, 8, 0), At(7, 9, 0), QStringLiteral("Report"),
        QStringLiteral("http://r"), QStringLiteral("notes")));
    AddToday(Pause(At(7, 9, 0), At(7, 9, 30)));
    AddToday(Task(At(7, 9, 30), At(7, 10, 0), QStringLiteral("Other")));
    struct {
        const char* name;
        int focused;
        QString title;
        bool previous;
    } cases[] = {
        { "a task", 0, QStringLiteral("Report"), true },
        { "a break gives no source", 1, QStringLiteral("Task #4"), false },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        today.SetFocused(c.focused);
        dialog.calls.clear();
        clock.AdvanceSeconds(120);
        ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
        const TRyvItem* e = today.Last();
        EXPECT_EQ(e->title, c.title);
        EXPECT_EQ(e->url, c.previous ? QStringLiteral("http://r") : QString());
        EXPECT_TRUE(e->descr.isEmpty());
        ASSERT_EQ(dialog.calls.size(), 1u);
        EXPECT_EQ(dialog.calls[0].caption, QStringLiteral("Start a new task"));
        EXPECT_TRUE(dialog.calls[0].isNew);
        EXPECT_FALSE(dialog.calls[0].askDuration);
        EXPECT_EQ(dialog.calls[0].previous.has_value(), c.previous);
    }

    // With the running task focused, the new one gets the default title.
    today.SetFocused(today.Count() - 1);
    clock.AdvanceSeconds(120);
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Task #5"));
}

TEST_F(TrackerTest, Start_DialogOkTakesTexts_CancelKeepsDefault_BothRemembered)
{
    dialog.answers = { Ok([](TRyvItem& e) {
                          e.title = QStringLiteral("Mail");
                          e.state = ryvsDone;
                      }),
        Cancel() };
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Mail"));
    EXPECT_EQ(today.TaskText(0), QStringLiteral("Mail"));
    EXPECT_TRUE(today.DoneMark(0));

    clock.AdvanceSeconds(300);
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Task #2"));
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(today.Selected(), QList<int> { 1 });
    EXPECT_EQ(FavsRowTitles(), (QStringList { "--", "r:Task #2", "r:Mail" }));
}

TEST_F(TrackerTest, Start_FromFavouriteOrHistory_StartsAtOnceWithoutDialog)
{
    AddFav(QStringLiteral("Fav"), QStringLiteral("http://fav"));
    tracker.RefreshFavsPanel();
    ASSERT_TRUE(tracker.Execute(TCommand::acStartAs, OnFavs(0)));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Fav"));
    EXPECT_EQ(today.Last()->url, QStringLiteral("http://fav"));

    ShowHistoryDay(At(6, 0, 0));
    AddHistory(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Old")));
    history.SetFocused(0);
    clock.AdvanceSeconds(120);
    ASSERT_TRUE(tracker.Execute(TCommand::acStartAs, OnHistory()));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Old"));
    EXPECT_TRUE(dialog.calls.empty());
    EXPECT_EQ(recent.Count(), 2);

    // Enter in today's list is no start from a list.
    EXPECT_FALSE(tracker.Enabled(TCommand::acStartAs, OnToday()));
}

TEST_F(TrackerTest, Start_LastEntryEndsInFuture_DoesNothing)
{
    AddToday(Task(At(7, 9, 0), At(7, 11, 0)));
    clock.Set(At(7, 10, 30));
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    EXPECT_EQ(today.Count(), 1);
    EXPECT_FALSE(today.IsWorking());
    EXPECT_TRUE(dialog.calls.empty());
}

TEST_F(TrackerTest, Toggle_StopsWhileWorking_StartsWhileIdle)
{
    ASSERT_TRUE(tracker.Execute(TCommand::acToggleStartStop, OnToday()));
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(dialog.calls.size(), 1u);
    clock.AdvanceSeconds(600);
    tracker.Execute(TCommand::acToggleStartStop, OnToday());
    EXPECT_FALSE(today.IsWorking());
    EXPECT_EQ(today.Count(), 1);
}

TEST_F(TrackerTest, ClickIntoEmptyLog_Starts)
{
    tracker.lvListClick(OnToday());
    EXPECT_EQ(today.Count(), 1);
    tracker.lvListClick(OnToday()); // not empty any more: nothing
    EXPECT_EQ(today.Count(), 1);
}

TEST_F(TrackerTest, TaskCountOfDay_CountsTasksOfThatDayOnly)
{
    AddToday(Task(At(6, 9, 0), At(6, 10, 0)));
    AddToday(Task(At(7, 8, 0), At(7, 9, 0)));
    AddToday(Pause(At(7, 9, 0), At(7, 9, 10)));
    AddToday(Task(At(7, 9, 10), At(7, 10, 0)));
    AddToday(Task(0.4, 0.5)); // no day: skipped, the count goes on before it
    AddToday(Task(At(8, 9, 0), At(8, 10, 0))); // a later day is skipped
    EXPECT_EQ(tracker.TaskCountOfDay(At(7, 12, 0)), 2);
    EXPECT_EQ(tracker.TaskCountOfDay(At(6, 12, 0)), 1);
    EXPECT_EQ(tracker.TaskCountOfDay(At(9, 12, 0)), 0);
}

} // namespace
} // namespace ryv::testing
