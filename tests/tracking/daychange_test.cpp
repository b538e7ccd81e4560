#include "trackerfixture.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

namespace ryv::testing {
namespace {

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
    ASSERT_TRUE(WriteDayFile(DayFilePath(options, At(6, 0, 0)), existing, nullptr, &error));

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
    ASSERT_TRUE(WriteDayFile(DayFilePath(options, At(6, 0, 0)), { hist.get() }, nullptr, &error));
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

TEST_F(TrackerTest, DayChange_UnreadableDayFile_KeptAsideThenWritten)
{
    // Day 6's file ends inside a text in double quotes: it cannot be read
    // whole, so merging into it would lose what it holds.
    const QString path = DayFilePath(options, At(6, 0, 0));
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).absolutePath()));
    const QByteArray unreadable = "\xEF\xBB\xBF" + DayFileHeader().toUtf8()
        + "\r\n0;0;2022-01-06 07:00:00;2022-01-06 08:00:00;\"Never closed;\"\";\"\"";
    {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(unreadable);
    }

    AddToday(Task(At(6, 9, 0), At(6, 10, 0), QStringLiteral("Six")));
    AddToday(Task(At(6, 20, 0), At(6, 20, 0), QStringLiteral("Run")));
    TickIntoNextDay(At(6, 21, 0), At(7, 0, 0, 30));

    const QString aside = path + QStringLiteral(".unreadable-20220107-000030");
    QFile kept(aside);
    ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
    EXPECT_EQ(kept.readAll(), unreadable);
    EXPECT_EQ(TitlesOf(ReadDay(At(6, 0, 0))), (QStringList { "Six", "Run" }));
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Run") });
    ASSERT_EQ(messages.warnings.size(), 1);
    EXPECT_TRUE(messages.warnings[0].contains(QDir::toNativeSeparators(aside)))
        << messages.warnings[0].toStdString();
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
    // Writes current.lst as given: the header, then the lines.
    void WriteCurrentLines(const QStringList& lines)
    {
        ASSERT_TRUE(QDir().mkpath(options.FolderData));
        QFile file(DayFilePath(options, 0));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("\xEF\xBB\xBF");
        file.write((QStringList { DayFileHeader() } + lines).join(QStringLiteral("\r\n")).toUtf8());
    }
    QString ReadCurrentText() const
    {
        QFile file(DayFilePath(options, 0));
        return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
    }
};

TEST_F(StartUpTest, RowsWithoutReadableDate_StayInTodaysLogAsTheyWereRead)
{
    // Hand edits and sync tools leave starts that give no date: empty,
    // "NaN-NaN-NaN", the year 0000, a time alone, anything. The last of them
    // was stored as the running task.
    const QStringList undated {
        u"0;1;;;\"Empty\";\"http://e\";\"d1\""_qs,
        u"0;0;NaN-NaN-NaN;NaN-NaN-NaN;\"NaN\";\"\";\"\""_qs,
        u"1;0;0000-01-04 09:00:00;0000-01-04 09:30:00;\"\";\"\";\"\""_qs,
        u"0;0;09:30;10:00;\"TimeAlone\";\"\";\"\""_qs,
        u"0;0;xx;;\"Running\";\"http://r\";\"d7\""_qs,
    };
    WriteCurrentLines({ undated[0], undated[1], undated[2],
        u"0;0;2022-01-04 08:00:00;2022-01-04 09:00:00;\"Tue\";\"\";\"\""_qs, undated[3],
        u"0;0;2022-01-05 07:00:00;2022-01-05 08:00:00;\"Wed\";\"\";\"\""_qs, undated[4] });
    clock.Set(At(5, 8, 15, 20));
    QSignalSpy reported(&store, &TListStore::errorOccurred);

    tracker.StartUp();

    // Nothing vanished, nothing runs; only the earlier day moved.
    const QStringList kept { "Empty", "NaN", "-", "TimeAlone", "Wed", "Running" };
    EXPECT_EQ(Titles(today), kept);
    EXPECT_FALSE(today.IsWorking());
    EXPECT_EQ(TitlesOf(ReadDay(At(4, 0, 0))), QStringList { QStringLiteral("Tue") });
    const TRyvItem& last = *today.Last();
    EXPECT_EQ(last.url, QStringLiteral("http://r"));
    EXPECT_EQ(last.descr, QStringLiteral("d7"));
    EXPECT_DOUBLE_EQ(last.stop, 0.0); // no stop at now: it never ran
    ASSERT_EQ(reported.count(), 1);
    const QString message = reported.at(0).at(0).toString();
    EXPECT_TRUE(message.contains(QDir::toNativeSeparators(DayFilePath(options, 0))));
    EXPECT_TRUE(message.contains(QStringLiteral(" 5 row(s) "))) << message.toStdString();

    // Written back as they were read: the rows without any date text keep
    // their empty starts and stops, none gets a stop or a day.
    store.tmrSaveTimer();
    const QString written = ReadCurrentText();
    EXPECT_TRUE(written.contains(undated[0])) << written.toStdString();
    EXPECT_TRUE(written.contains(u"0;0;;;\"NaN\";\"\";\"\""_qs));
    EXPECT_TRUE(written.contains(u"0;0;;;\"Running\";\"http://r\";\"d7\""_qs));

    // A task started now and run into the next day: the day change moves
    // today's entries and splits the running task, the rows without a day
    // stay where they are.
    today.SetFocused(-1); // a new task of its own, numbered after today's tasks
    ASSERT_TRUE(tracker.Execute(TCommand::acStart, OnToday()));
    EXPECT_EQ(today.Last()->title, QStringLiteral("Task #2"));
    clock.Set(At(6, 0, 0, 5));
    tracker.tmrCheckTimer();
    EXPECT_EQ(
        Titles(today), (QStringList { "Empty", "NaN", "-", "TimeAlone", "Running", "Task #2" }));
    EXPECT_DOUBLE_EQ(today.Last()->start, At(6, 0, 0));
    EXPECT_TRUE(today.IsWorking());
    EXPECT_EQ(TitlesOf(ReadDay(At(5, 0, 0))), (QStringList { "Wed", "Task #2" }));
    EXPECT_EQ(reported.count(), 1); // said once, at the load
}

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

TEST_F(StartUpTest, EarlierDays_LoadedAndMovedInOneChangeOfTheList)
{
    std::vector<std::unique_ptr<TRyvItem>> log;
    for (int day = 1; day <= 4; ++day)
        for (int h = 8; h < 11; ++h)
            log.push_back(Task(At(day, h, 0), At(day, h + 1, 0), QStringLiteral("D%1").arg(day)));
    log.push_back(Task(At(5, 7, 0), At(5, 8, 0), QStringLiteral("Wed")));
    WriteCurrent(std::move(log), false);
    clock.Set(At(5, 8, 15, 20));
    QSignalSpy inserted(&today, &TDayList::rowsInserted);
    QSignalSpy removed(&today, &TDayList::rowsRemoved);

    tracker.StartUp();

    // A view follows the load once and the move once, not once per row.
    EXPECT_EQ(inserted.count(), 1);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toInt(), 0);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 11);
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Wed") });
    for (int day = 1; day <= 4; ++day) {
        SCOPED_TRACE(day);
        EXPECT_EQ(TitlesOf(ReadDay(At(day, 0, 0))), QStringList(3, QStringLiteral("D%1").arg(day)));
    }
    EXPECT_TRUE(messages.warnings.isEmpty());
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
