#include "core/daylist.h"

#include "core/clock.h"
#include "core/regional.h"
#include "core/ryvoptions.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TDateTime At(int h, int m, int s = 0, int ms = 0)
{
    return EncodeDateTime(2022, 1, 7, h, m, s, ms);
}

std::unique_ptr<TRyvItem> Task(
    const QString& title, TDateTime start, TDateTime stop, const QString& url = {})
{
    auto e = std::make_unique<TRyvItem>();
    e->title = title;
    e->url = url;
    e->start = start;
    e->stop = stop;
    return e;
}

std::unique_ptr<TRyvItem> Pause(TDateTime start, TDateTime stop)
{
    auto e = Task({}, start, stop);
    e->kind = ryvkPause;
    return e;
}

class DayListTest : public ::testing::Test {
protected:
    // Appends the entries as the loaders do, inside one batch.
    void Fill(TDayList& list, std::vector<std::unique_ptr<TRyvItem>> entries, bool working = false)
    {
        list.BeginUpdate();
        for (auto& e : entries)
            list.Append(std::move(e));
        list.SetWorking(working);
        list.EndUpdate();
    }

    TRegionalScope regional { "en_GB" };
    TRyvOptions options { QStringLiteral("/nonexistent/ryv-test/") };
    TManualClock clock { At(10, 23, 45) };
    TDayList today { TDayListRole::Today, options, clock };
    TDayList history { TDayListRole::History, options, clock };
};

TEST_F(DayListTest, Cells_FormattedFromTheEntryWhenAsked)
{
    struct Case {
        const char* name;
        bool pause;
        TDateTime start, stop;
        bool showStop, running;
        const char *time, *task, *hours;
    };
    const Case cases[] = {
        { "break", true, At(12, 0), At(12, 45), true, false, " ", "Break:  12:00 - 12:45  (0:45)",
            "" },
        { "break ignores ListShowStop", true, At(12, 0), At(12, 45), false, false, " ",
            "Break:  12:00 - 12:45  (0:45)", "" },
        { "task with stop", false, At(9, 0), At(10, 30), true, false, "09:00 - 10:30", "T",
            "1:30" },
        { "task without stop", false, At(9, 0), At(10, 30), false, false, "09:00", "T", "1:30" },
        { "running task", false, At(9, 0), At(10, 30, 25), false, true, "09:00", "T", "1:30:25" },
        { "59.9 seconds finished", false, At(9, 0), At(9, 0, 59, 900), false, false, "09:00", "T",
            "0:00" },
        { "59.9 seconds running", false, At(9, 0), At(9, 0, 59, 900), false, true, "09:00", "T",
            "0:00:59" },
        { "across midnight", false, At(22, 0), At(22, 0) + 3.5 * OneHour, true, false,
            "22:00 - 01:30", "T", "3:30" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        options.ListShowStop = c.showStop;
        today.SetWorking(false);
        today.Clear();
        const int row = today.Append(
            c.pause ? Pause(c.start, c.stop) : Task(QStringLiteral("T"), c.start, c.stop));
        today.SetWorking(c.running);
        EXPECT_EQ(today.TimeText(row), QString::fromLatin1(c.time));
        EXPECT_EQ(today.TaskText(row), QString::fromLatin1(c.task));
        EXPECT_EQ(today.HoursText(row), QString::fromLatin1(c.hours));
    }

    // The options are read when a cell is asked for: a change of them shows
    // without touching the rows.
    today.SetWorking(false);
    options.ListShowStop = true;
    EXPECT_EQ(today.TimeText(0), QStringLiteral("22:00 - 01:30"));
    options.ListShowStop = false;
    EXPECT_EQ(today.TimeText(0), QStringLiteral("22:00"));
}

TEST_F(DayListTest, IdleDayTotal_ShowsSecondsOnlyBelowOneMinute)
{
    struct Case {
        const char* name;
        std::vector<std::pair<bool, TDateTime>> entries; // (is break, duration)
        const char* total;
    };
    const std::vector<Case> cases = {
        { "empty log", {}, "0:00" },
        { "breaks only", { { true, OneHour } }, "0:00" },
        { "45 seconds", { { false, 45 * OneSecond } }, "0:00:45" },
        { "2:05:40, break not counted",
            { { false, 2 * OneHour + 5 * OneMinute + 40 * OneSecond }, { true, OneHour } },
            "2:05" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDayList list(TDayListRole::Today, options, clock);
        std::vector<std::unique_ptr<TRyvItem>> entries;
        TDateTime t = At(8, 0);
        for (const auto& [pause, d] : c.entries) {
            entries.push_back(pause ? Pause(t, t + d) : Task(QStringLiteral("A"), t, t + d));
            t += d;
        }
        Fill(list, std::move(entries));
        EXPECT_EQ(list.TotalText(), QString::fromLatin1(c.total));
        EXPECT_EQ(list.ClickStarts(), c.entries.empty());
    }
}

// Hand edits leave starts or stops without a readable date (day 0). A task
// with both sides on a day or both without one has its length; one with a
// day on one side only counts nothing, in the row and in every total.
TEST_F(DayListTest, EntryWithADayOnOneSideOnly_CountsNothing)
{
    const TDateTime noDay = 0;
    const TDateTime timeAlone = 9.0 / 24; // "09:00" without a date
    struct Case {
        const char* name;
        TDateTime start;
        TDateTime stop;
        const char* hours;
        const char* total; // with a second task of 0:15
    };
    const Case cases[] = {
        { "both on the day", At(8, 0), At(9, 30), "1:30", "1:45" },
        { "times alone", timeAlone, timeAlone + OneHour, "1:00", "1:15" },
        { "no start, a stop", noDay, At(9, 30), "0:00", "0:15" },
        { "a start, no stop", At(8, 0), noDay, "0:00", "0:15" },
        { "time alone, a stop on the day", timeAlone, At(9, 30), "0:00", "0:15" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TDayList list(TDayListRole::Today, options, clock);
        std::vector<std::unique_ptr<TRyvItem>> entries;
        entries.push_back(Task(QStringLiteral("Edited"), c.start, c.stop));
        entries.push_back(Task(QStringLiteral("Next"), At(10, 0), At(10, 15)));
        Fill(list, std::move(entries));
        EXPECT_EQ(list.HoursText(0), QString::fromLatin1(c.hours));
        EXPECT_EQ(list.TotalText(), QString::fromLatin1(c.total));
    }
}

TEST_F(DayListTest, RunningEntry_FollowsClock_UsesCacheUntilBatchEnds)
{
    options.ListShowStop = false;
    std::vector<std::unique_ptr<TRyvItem>> entries;
    entries.push_back(Task(QStringLiteral("Mail"), At(8, 0), At(9, 0)));
    entries.push_back(Pause(At(9, 0), At(9, 10)));
    entries.push_back(Task(QStringLiteral("Weekly report"), At(9, 10), At(9, 10)));
    today.SetDefCaption(QStringLiteral("Ryv Tracker"));
    Fill(today, std::move(entries), true);

    EXPECT_EQ(today.Last()->stop, At(10, 23, 45));
    EXPECT_EQ(today.HoursText(2), QStringLiteral("1:13:45"));
    EXPECT_EQ(today.TotalText(), QStringLiteral("2:13:45"));
    EXPECT_NEAR(today.TotalCache(), OneHour, 1e-9);
    EXPECT_EQ(today.Caption(), QStringLiteral("1:13 - Weekly report"));

    // A tick adds the running share to the cached sum of the others.
    clock.Set(At(10, 24, 45));
    today.RefreshTotals();
    EXPECT_EQ(today.TotalText(), QStringLiteral("2:14:45"));
    EXPECT_NEAR(today.TotalCache(), OneHour, 1e-9);

    options.WindowTitleType = TWindowTitleType::TotalDuration;
    today.UpdateWindowTitle();
    EXPECT_EQ(today.Caption(), QStringLiteral("2:14 - Weekly report"));

    today.BeginUpdate();
    today.SetWorking(false);
    today.EndUpdate();
    EXPECT_EQ(today.Caption(), QStringLiteral("Ryv Tracker"));
    EXPECT_EQ(today.TotalText(), QStringLiteral("2:14"));
}

// A running task that starts after now (the clock was set back) counts
// nothing until it starts: its row, the day total and the title never show
// less than nothing, and the total never subtracts it.
TEST_F(DayListTest, RunningEntryStartingAfterNow_CountsNothingUntilItStarts)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    entries.push_back(Task(QStringLiteral("Mail"), At(8, 0), At(9, 0)));
    entries.push_back(Task(QStringLiteral("Late"), At(20, 5), At(20, 5)));
    Fill(today, std::move(entries), true);
    ASSERT_LT(today.Last()->stop, today.Last()->start);
    EXPECT_EQ(today.HoursText(1), QStringLiteral("0:00:00"));
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:00:00"));
    EXPECT_EQ(today.Caption(), QStringLiteral("0:00 - Late"));

    clock.Set(At(20, 6));
    today.RefreshTotals();
    EXPECT_EQ(today.HoursText(1), QStringLiteral("0:01:00"));
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:01:00"));
}

TEST_F(DayListTest, ChangeThroughTheList_ShowsInRowTotalsAndTitleAtOnce)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    entries.push_back(Task(QStringLiteral("Mail"), At(8, 0), At(9, 0)));
    entries.push_back(Pause(At(9, 0), At(9, 10)));
    entries.push_back(Task(QStringLiteral("Weekly report"), At(9, 10), At(9, 10)));
    today.SetDefCaption(QStringLiteral("Ryv Tracker"));
    Fill(today, std::move(entries), true);
    today.SetSelection({ 0, 2 });
    ASSERT_TRUE(today.SelTotalVisible());
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("2:13"));
    QSignalSpy changed(&today, &TDayList::rowsChanged);

    // Times: the row, the day total (its cache dropped and summed anew) and
    // the shown selection total follow outside any batch.
    today.SetStop(0, At(8, 30));
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 0);
    EXPECT_EQ(today.HoursText(0), QStringLiteral("0:30"));
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:43:45"));
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("1:43"));
    EXPECT_NEAR(today.TotalCache(), 0.5 * OneHour, 1e-9);
    clock.Set(At(10, 24, 45));
    today.RefreshTotals(); // the next tick goes on from the new sum
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:44:45"));
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("1:44"));

    // Texts: the row and the window title; the done mark.
    TRyvItem texts = *today.Item(2);
    texts.title = QStringLiteral("Review");
    texts.state = ryvsDone;
    today.SetTexts(2, texts);
    EXPECT_EQ(today.TaskText(2), QStringLiteral("Review"));
    EXPECT_TRUE(today.DoneMark(2));
    EXPECT_EQ(today.Caption(), QStringLiteral("1:14 - Review"));

    // Within a batch the totals wait for its end, then show the whole change.
    today.BeginUpdate();
    today.MakeBreak(0);
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:44:45"));
    today.EndUpdate();
    EXPECT_EQ(today.TaskText(0), QStringLiteral("Break:  08:00 - 08:30  (0:30)"));
    EXPECT_FALSE(today.DoneMark(0));
    EXPECT_EQ(today.TotalText(), QStringLiteral("1:14:45"));
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("1:14"));
}

TEST_F(DayListTest, Tick_ChangesOnlyTheRunningRow)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    for (int i = 0; i < 5; ++i)
        entries.push_back(Task(QStringLiteral("T%1").arg(i), At(8, i), At(8, i + 1)));
    Fill(today, std::move(entries), true);

    QSignalSpy changed(&today, &TDayList::rowsChanged);
    QSignalSpy reset(&today, &TDayList::listReset);
    QSignalSpy inserted(&today, &TDayList::rowsInserted);
    clock.AdvanceSeconds(1);
    today.RefreshTotals();
    ASSERT_EQ(changed.count(), 1);
    EXPECT_EQ(changed.at(0).at(0).toInt(), 4);
    EXPECT_EQ(changed.at(0).at(1).toInt(), 4);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(inserted.count(), 0);
}

TEST_F(DayListTest, RemoveIf_OneChange_SelectionFocusAndIdsFollowTheRows)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    for (int i = 0; i < 6; ++i)
        entries.push_back(Task(QStringLiteral("T%1").arg(i), At(8, i * 10), At(8, i * 10 + 10)));
    Fill(history, std::move(entries));
    std::vector<TItemId> ids;
    for (int i = 0; i < history.Count(); ++i)
        ids.push_back(history.IdAt(i));
    history.SetSelection({ 1, 4 });
    history.SetFocused(4);
    QSignalSpy removed(&history, &TDayList::rowsRemoved);
    QSignalSpy reset(&history, &TDayList::listReset);
    auto titled = [](std::initializer_list<const char*> titles) {
        return [titles](const TRyvItem& e) {
            for (const char* t : titles)
                if (e.title == QLatin1String(t))
                    return true;
            return false;
        };
    };

    // Adjacent rows: one rowsRemoved for them all.
    EXPECT_EQ(history.RemoveIf(titled({ "T0", "T1" })), 2);
    ASSERT_EQ(removed.count(), 1);
    EXPECT_EQ(removed.at(0).at(0).toInt(), 0);
    EXPECT_EQ(removed.at(0).at(1).toInt(), 1);
    EXPECT_EQ(reset.count(), 0);
    EXPECT_EQ(history.Selected(), QList<int> { 2 }); // T4
    EXPECT_EQ(history.Focused(), 2);
    EXPECT_EQ(history.RowOfId(ids[0]), -1);
    for (int row = 0; row < history.Count(); ++row)
        EXPECT_EQ(history.IdAt(row), ids[static_cast<size_t>(row) + 2]);
    EXPECT_EQ(history.TotalText(), QStringLiteral("0:40"));

    // Rows apart: one reset; the selected and focused row went.
    EXPECT_EQ(history.RemoveIf(titled({ "T2", "T4" })), 2);
    EXPECT_EQ(removed.count(), 1);
    EXPECT_EQ(reset.count(), 1);
    EXPECT_TRUE(history.Selected().isEmpty());
    EXPECT_EQ(history.Focused(), -1);
    EXPECT_EQ(history.RowOfId(ids[5]), 1);
    EXPECT_EQ(history.TotalText(), QStringLiteral("0:20"));
    EXPECT_EQ(history.RemoveIf(titled({ "none" })), 0);
    EXPECT_EQ(removed.count() + reset.count(), 2);
}

TEST_F(DayListTest, Selection_DecidesWhichTotalsShow)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    entries.push_back(Task(QStringLiteral("Report"), At(8, 0), At(9, 0))); // 0
    entries.push_back(Pause(At(9, 0), At(9, 30))); // 1
    entries.push_back(Task(QStringLiteral("report"), At(9, 30), At(10, 0))); // 2
    entries.push_back(Task(QStringLiteral("Mail"), At(10, 0), At(10, 15))); // 3
    entries.push_back(
        Task(QStringLiteral("Docs"), At(10, 15), At(10, 20), QStringLiteral("u"))); // 4
    entries.push_back(
        Task(QStringLiteral("Writing"), At(10, 20), At(10, 30), QStringLiteral("U"))); // 5
    Fill(history, std::move(entries));

    struct Case {
        const char* name;
        QList<int> rows;
        bool selShown;
        const char* sel;
        bool taskShown;
        const char* task;
    };
    const Case cases[] = {
        { "nothing", {}, false, "", false, "" },
        { "titles differing in case add up", { 2 }, false, "", true, "1:30" },
        { "title occurring once, no link", { 3 }, false, "", false, "" },
        { "same link, other title", { 4 }, false, "", true, "0:15" },
        { "a break alone", { 1 }, false, "", false, "" },
        { "break with tasks: tasks only", { 0, 1, 3 }, true, "1:15", false, "" },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        history.SetSelection(c.rows);
        EXPECT_EQ(history.SelTotalVisible(), c.selShown);
        EXPECT_EQ(history.TaskTotalVisible(), c.taskShown);
        if (c.selShown) {
            EXPECT_EQ(history.SelTotalText(), QString::fromLatin1(c.sel));
        }
        if (c.taskShown) {
            EXPECT_EQ(history.TaskTotalText(), QString::fromLatin1(c.task));
        }
    }
    EXPECT_EQ(history.TotalText(), QStringLiteral("2:00"));

    // Removing a selected row re-runs the handler.
    history.SetSelection({ 0, 3 });
    ASSERT_TRUE(history.SelTotalVisible());
    history.Remove(0);
    EXPECT_EQ(history.Selected(), QList<int> { 2 });
    EXPECT_FALSE(history.SelTotalVisible());
}

TEST_F(DayListTest, RunningRow_KeepsShownSelectionAndTaskTotalsLive)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    entries.push_back(Task(QStringLiteral("Report"), At(8, 0), At(9, 0)));
    entries.push_back(Task(QStringLiteral("Mail"), At(9, 0), At(9, 30)));
    entries.push_back(Task(QStringLiteral("REPORT"), At(10, 0), At(10, 0)));
    clock.Set(At(10, 10));
    Fill(today, std::move(entries), true);

    today.SelectOnly(0); // the task total of "Report" includes the running entry
    ASSERT_TRUE(today.TaskTotalVisible());
    EXPECT_EQ(today.TaskTotalText(), QStringLiteral("1:10"));
    clock.Set(At(10, 20));
    today.RefreshTotals();
    EXPECT_EQ(today.TaskTotalText(), QStringLiteral("1:20"));

    today.SetSelection({ 1, 2 });
    ASSERT_TRUE(today.SelTotalVisible());
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("0:50"));
    clock.Set(At(10, 40));
    today.RefreshTotals();
    EXPECT_EQ(today.SelTotalText(), QStringLiteral("1:10"));
}

TEST_F(DayListTest, BatchEnd_SetsClickToStartAndSignalsRealChangesOnly)
{
    QSignalSpy click(&today, &TDayList::clickStartsChanged);
    QSignalSpy working(&today, &TDayList::workingChanged);
    EXPECT_TRUE(today.ClickStarts());
    EXPECT_EQ(today.EmptyHintText(),
        QStringLiteral("To start a new task, simply click here or press Ins ..."));

    today.BeginUpdate();
    today.BeginUpdate();
    today.Append(Task(QStringLiteral("A"), At(9, 0), At(9, 0)));
    today.SetWorking(true);
    today.SetWorking(true);
    today.EndUpdate();
    EXPECT_TRUE(today.ClickStarts()); // still inside the outer batch
    today.EndUpdate();
    today.EndUpdate(); // unbalanced: stays at 0
    EXPECT_EQ(today.UpdateCount(), 0);
    EXPECT_FALSE(today.ClickStarts());
    EXPECT_TRUE(today.EmptyHintText().isEmpty());
    EXPECT_EQ(click.count(), 1);
    EXPECT_EQ(working.count(), 1);

    today.BeginUpdate();
    today.SetWorking(false);
    today.Clear();
    today.EndUpdate();
    EXPECT_TRUE(today.ClickStarts());
    EXPECT_EQ(click.count(), 2);
}

TEST_F(DayListTest, ExchangeAndMove_KeepEntriesAndSelection)
{
    std::vector<std::unique_ptr<TRyvItem>> entries;
    for (int i = 0; i < 4; ++i)
        entries.push_back(Task(QStringLiteral("T%1").arg(i), At(8, i), At(8, i + 1)));
    Fill(history, std::move(entries));
    const TRyvItem* t1 = history.Item(1);
    history.SetSelection({ 1 });
    history.SetFocused(1);

    history.Exchange(1, 2); // places keep the selection; the command re-selects
    EXPECT_EQ(history.Item(2), t1);
    EXPECT_EQ(history.TaskText(2), QStringLiteral("T1"));
    EXPECT_EQ(history.Selected(), QList<int> { 1 });

    history.Move(1, 3); // T2 moves to the end; the selection follows it
    EXPECT_EQ(history.TaskText(3), QStringLiteral("T2"));
    EXPECT_EQ(history.Item(1), t1);
    EXPECT_EQ(history.Selected(), QList<int> { 3 });
    EXPECT_EQ(history.Focused(), 3);

    history.Insert(0, Task(QStringLiteral("first"), At(7, 0), At(7, 30)));
    EXPECT_EQ(history.Selected(), QList<int> { 4 });
    EXPECT_EQ(history.Focused(), 4);
    EXPECT_EQ(history.IndexOf(t1), 2);
}

} // namespace
} // namespace ryv
