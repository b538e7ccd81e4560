#include "trackerfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

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
            false, At(7, 10, 0, 15), { "t 09:00:00-09:30:00", "t 10:00:00-10:00:15" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(TrackerTest, Stop_EndsAtMinuteUnlessStartedInThatMinute)
{
    struct {
        TDateTime start, now, expected;
    } cases[] = {
        { At(7, 9, 0), At(7, 9, 47, 31), At(7, 9, 47) },
        { At(7, 10, 5), At(7, 10, 5, 10), At(7, 10, 5, 10) },
    };
    for (const auto& c : cases) {
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
        int focused;
        bool working;
        QString title;
        bool previous;
    } cases[] = {
        { 0, false, QStringLiteral("Report"), true },
        { 1, false, QStringLiteral("Task #4"), false }, // a break gives no source
    };
    for (const auto& c : cases) {
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
    AddToday(Task(At(8, 9, 0), At(8, 10, 0))); // a later day is skipped
    EXPECT_EQ(tracker.TaskCountOfDay(At(7, 12, 0)), 2);
    EXPECT_EQ(tracker.TaskCountOfDay(At(6, 12, 0)), 1);
    EXPECT_EQ(tracker.TaskCountOfDay(At(9, 12, 0)), 0);
}

TEST_F(TrackerTest, RecentList_LimitOrderAndIdentity)
{
    options.RecentMaxCnt = 10;
    for (int i = 1; i <= 11; ++i)
        tracker.RememberRecent(*Task(0, 0, QStringLiteral("T%1").arg(i)));
    ASSERT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Item(0)->title, QStringLiteral("T2"));
    ASSERT_EQ(tracker.FavsRows().size(), 11u); // the separator, then newest first
    EXPECT_EQ(tracker.FavsItemAt(1)->title, QStringLiteral("T11"));
    EXPECT_EQ(tracker.FavsItemAt(10)->title, QStringLiteral("T2"));

    // Known task: moves to the newest place, nothing dropped.
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("t5")));
    EXPECT_EQ(recent.Count(), 10);
    EXPECT_EQ(recent.Item(0)->title, QStringLiteral("T2"));
    EXPECT_EQ(recent.Item(9)->title, QStringLiteral("t5"));

    // Same link, other title: one task.
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("A"), QStringLiteral("http://x")));
    tracker.RememberRecent(*Task(0, 0, QStringLiteral("B"), QStringLiteral("HTTP://X")));
    EXPECT_EQ(recent.Item(9)->title, QStringLiteral("B"));
    int withLink = 0;
    for (int i = 0; i < recent.Count(); ++i)
        withLink
            += recent.Item(i)->url.compare(QStringLiteral("http://x"), Qt::CaseInsensitive) == 0;
    EXPECT_EQ(withLink, 1);
}

TEST_F(TrackerTest, Tick_MovesRunningStopAndCatchesUpOnActivation)
{
    AddToday(Task(At(7, 9, 0), At(7, 9, 0)));
    today.SetWorking(true);
    tracker.UpdateToday();
    clock.Set(At(7, 10, 23, 45));
    tracker.tmrCheckTimer();
    EXPECT_DOUBLE_EQ(today.Last()->stop, At(7, 10, 23, 45));
    EXPECT_EQ(today.Caption(), QStringLiteral("1:23 - T"));

    tracker.AppDeactivate();
    EXPECT_EQ(tracker.tmrCheck.interval(), 60000);
    clock.Set(At(7, 10, 30));
    tracker.AppActivate();
    EXPECT_EQ(tracker.tmrCheck.interval(), 1000);
    EXPECT_DOUBLE_EQ(today.Last()->stop, At(7, 10, 30));

    tracker.SetPinned(true);
    tracker.AppDeactivate();
    EXPECT_EQ(tracker.tmrCheck.interval(), 1000);
}

// --- the day change and the start-up move -----------------------------------------------

TEST_F(TrackerTest, DayChange_SplitsRunningTaskAtMidnight)
{
    AddToday(Task(At(7, 9, 0), At(7, 12, 0), QStringLiteral("Morning")));
    auto running = Entry(ryvkTask, At(7, 22, 0), At(7, 22, 0), QStringLiteral("Late"),
        QStringLiteral("http://late"), QStringLiteral("d"));
    running->state = ryvsDone;
    AddToday(std::move(running));
    TickIntoNextDay(At(7, 23, 0), At(8, 0, 0, 1));

    TEntries day = ReadDay(At(7, 0, 0));
    ASSERT_EQ(day.size(), 2u);
    EXPECT_EQ(day[0]->title, QStringLiteral("Morning"));
    EXPECT_EQ(Span(*day[1]), QStringLiteral("22:00:00-23:59:59"));
    ASSERT_EQ(today.Count(), 1);
    const TRyvItem& e = *today.Last();
    EXPECT_DOUBLE_EQ(e.start, At(8, 0, 0));
    EXPECT_DOUBLE_EQ(e.stop, At(8, 0, 0, 1));
    EXPECT_EQ(e.title, QStringLiteral("Late"));
    EXPECT_EQ(e.url, QStringLiteral("http://late"));
    EXPECT_EQ(e.descr, QStringLiteral("d"));
    EXPECT_EQ(e.state, ryvsDone);
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(tracker.LogDay(), DayOf(At(8, 0, 0)));
    EXPECT_TRUE(store.IsSavePending());
}

TEST_F(TrackerTest, DayChange_WritesEveryEarlierDayToItsOwnFile)
{
    // Idle over one date change: day 5 stays in the log; then work on day 6
    // runs into day 7.
    AddToday(Task(At(5, 9, 0), At(5, 10, 0), QStringLiteral("Five")));
    AddToday(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six")));
    AddToday(Task(At(6, 20, 0), At(6, 20, 0), QStringLiteral("Run")));
    TickIntoNextDay(At(6, 21, 0), At(7, 0, 0, 30));

    EXPECT_EQ(TitlesOf(ReadDay(At(5, 0, 0))), QStringList { QStringLiteral("Five") });
    EXPECT_EQ(TitlesOf(ReadDay(At(6, 0, 0))), (QStringList { "Six", "Run" }));
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Run") });
}

TEST_F(TrackerTest, DayChange_MergesWithEntriesTheDayFileHolds)
{
    // The history already holds day 6 with entries added there, one of them
    // starting at the very moment a task of the log started, and a copy of
    // one of the log's entries (an earlier, interrupted move).
    std::vector<const TRyvItem*> existing;
    auto hist = Task(At(6, 7, 0), At(6, 8, 0), QStringLiteral("FromHistory"));
    auto copy = Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six"));
    auto sameStart = Task(At(6, 12, 0), At(6, 12, 30), QStringLiteral("Meeting"));
    existing = { hist.get(), copy.get(), sameStart.get() };
    QString error;
    ASSERT_TRUE(WriteDayFile(DayFilePath(options, At(6, 0, 0)), existing, nullptr, error));

    AddToday(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six")));
    AddToday(Task(At(6, 12, 0), At(6, 12, 0), QStringLiteral("Run")));
    TickIntoNextDay(At(6, 13, 0), At(7, 0, 0, 5));

    EXPECT_EQ(
        TitlesOf(ReadDay(At(6, 0, 0))), (QStringList { "FromHistory", "Six", "Run", "Meeting" }));
}

TEST_F(TrackerTest, DayChange_DayOnShowInHistory_KeepsMovedEntriesAndItsOwnChange)
{
    // Day 6 is on show in the history, with a change to it not saved yet,
    // when the day change moves the log's entries of day 6 to its file.
    auto hist = Task(At(6, 7, 0), At(6, 8, 0), QStringLiteral("FromHistory"));
    QString error;
    ASSERT_TRUE(WriteDayFile(DayFilePath(options, At(6, 0, 0)), { hist.get() }, nullptr, error));
    ShowHistoryDay(At(6, 0, 0));
    tracker.ToggleDoneMark(TListKind::History, 0);

    AddToday(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six")));
    AddToday(Task(At(7, 9, 0), At(7, 9, 0), QStringLiteral("Run")));
    TickIntoNextDay(At(7, 23, 0), At(8, 0, 0, 5));
    store.tmrSaveHistTimer(); // the history's own save, whenever it comes

    const QStringList both { "FromHistory", "Six" };
    TEntries six = ReadDay(At(6, 0, 0));
    EXPECT_EQ(TitlesOf(six), both);
    ASSERT_FALSE(six.empty());
    EXPECT_EQ(six[0]->state, ryvsDone);
    EXPECT_EQ(Titles(history), both);

    // A later change of the day on show keeps the moved entries as well.
    tracker.ToggleDoneMark(TListKind::History, 0);
    store.tmrSaveHistTimer();
    EXPECT_EQ(TitlesOf(ReadDay(At(6, 0, 0))), both);
}

TEST_F(TrackerTest, DayChange_WriteFails_EntriesStayInLog)
{
    // A file where the year folder should be makes the day file unwritable.
    QDir().mkpath(options.FolderData);
    QFile blocker(options.FolderData + QStringLiteral("2022"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    AddToday(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six")));
    AddToday(Task(At(6, 20, 0), At(6, 20, 0), QStringLiteral("Run")));
    TickIntoNextDay(At(6, 21, 0), At(7, 0, 0, 30));

    ASSERT_EQ(messages.warnings.size(), 1);
    EXPECT_TRUE(messages.warnings[0].startsWith(QStringLiteral("Cannot save data!")));
    EXPECT_EQ(Titles(today), (QStringList { "Six", "Run", "Run" }));
    EXPECT_DOUBLE_EQ(today.Last()->start, At(7, 0, 0));
    EXPECT_TRUE(today.IsWorking());
}

TEST_F(TrackerTest, DayChange_WaitsWhileTaskDialogIsOpen)
{
    clock.Set(At(7, 23, 59, 50));
    tracker.UpdateToday();
    // Midnight passes while the dialog of Start is open; the clock ticks on.
    dialog.answers = { Ok([this](TRyvItem& e) {
        clock.Set(At(8, 0, 0, 5));
        tracker.tmrCheckTimer();
        e.title = QStringLiteral("Late");
    }) };
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    ASSERT_EQ(today.Count(), 1);
    EXPECT_EQ(today.Last()->title, QStringLiteral("Late"));

    tracker.tmrCheckTimer();
    EXPECT_EQ(TitlesOf(ReadDay(At(7, 0, 0))), QStringList { QStringLiteral("Late") });
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Late") });
    EXPECT_DOUBLE_EQ(today.Last()->start, At(8, 0, 0));
    EXPECT_EQ(recent.Item(recent.Count() - 1)->title, QStringLiteral("Late"));
}

class StartUpTest : public TrackerTest {
protected:
    // Writes the entries as current.lst, the last one running when asked.
    void WriteCurrent(std::vector<std::unique_ptr<TRyvItem>> entries, bool running)
    {
        for (auto& e : entries)
            AddToday(std::move(e));
        today.SetWorking(running);
        ASSERT_TRUE(store.SaveData(true, 0));
        today.SetWorking(false);
        today.Clear();
    }
};

TEST_F(StartUpTest, TaskLeftRunningOnMonday_SplitAndRunsFromWednesdayMidnight)
{
    std::vector<std::unique_ptr<TRyvItem>> log;
    log.push_back(Task(At(3, 8, 0), At(3, 9, 0), QStringLiteral("Mon1")));
    log.push_back(Task(At(3, 9, 0), At(3, 9, 0), QStringLiteral("Mon2")));
    WriteCurrent(std::move(log), true);
    clock.Set(At(5, 8, 15, 20));

    tracker.StartUp();

    TEntries monday = ReadDay(At(3, 0, 0));
    ASSERT_EQ(monday.size(), 2u);
    EXPECT_EQ(Span(*monday[1]), QStringLiteral("09:00:00-23:59:59"));
    EXPECT_FALSE(DayFileExists(At(4, 0, 0))); // the days between get nothing
    ASSERT_EQ(today.Count(), 1);
    EXPECT_EQ(today.Last()->title, QStringLiteral("Mon2"));
    EXPECT_DOUBLE_EQ(today.Last()->start, At(5, 0, 0));
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(tracker.LogDay(), DayOf(At(5, 0, 0)));
    EXPECT_TRUE(tracker.tmrCheck.isActive());
}

TEST_F(StartUpTest, SeveralEarlierDays_EachMovedToItsFile_TodayStays)
{
    std::vector<std::unique_ptr<TRyvItem>> log;
    log.push_back(Task(At(3, 8, 0), At(3, 9, 0), QStringLiteral("Mon")));
    log.push_back(Task(At(4, 8, 0), At(4, 9, 0), QStringLiteral("Tue")));
    log.push_back(Pause(At(4, 9, 0), At(4, 9, 30)));
    log.push_back(Task(At(4, 9, 30), At(4, 10, 0), QStringLiteral("Tue2")));
    log.push_back(Task(At(5, 7, 0), At(5, 8, 0), QStringLiteral("Wed")));
    WriteCurrent(std::move(log), false);
    clock.Set(At(5, 8, 15, 20));

    tracker.StartUp();

    EXPECT_EQ(ReadDay(At(3, 0, 0)).size(), 1u);
    EXPECT_EQ(ReadDay(At(4, 0, 0)).size(), 3u);
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Wed") });
    EXPECT_FALSE(today.IsWorking());
    EXPECT_TRUE(store.IsSavePending()); // current.lst follows
}

TEST_F(StartUpTest, OnlyTodaysEntries_NothingMoved)
{
    std::vector<std::unique_ptr<TRyvItem>> log;
    log.push_back(Task(At(5, 7, 0), At(5, 8, 0), QStringLiteral("Wed")));
    WriteCurrent(std::move(log), false);
    clock.Set(At(5, 8, 15, 20));
    QSignalSpy todayChanged(&tracker, &TTracker::TodayChanged);

    tracker.StartUp();

    EXPECT_EQ(today.Count(), 1);
    EXPECT_FALSE(QFileInfo::exists(options.FolderData + QStringLiteral("2022")));
    ASSERT_EQ(todayChanged.count(), 1);
    EXPECT_DOUBLE_EQ(todayChanged.at(0).at(1).toDouble(), At(4, 0, 0));
}

} // namespace
} // namespace ryv::testing
