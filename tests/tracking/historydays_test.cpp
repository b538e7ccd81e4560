#include "trackerfixture.h"

namespace ryv::testing {
namespace {

TDateTime Feb(int day)
{
    return EncodeDate(2022, 2, day);
}

void WriteDay(const TRyvOptions& options, TDateTime day, const QString& title)
{
    auto e = Task(day + 9 * OneHour, day + 10 * OneHour, title);
    QString error;
    ASSERT_TRUE(WriteDayFile(DayFilePath(options, day), { e.get() }, nullptr, &error))
        << error.toStdString();
}

TEST_F(TrackerTest, History_FirstShownOnMonday_ShowsSunday)
{
    clock.Set(At(10, 9, 0)); // Monday
    WriteDay(options, At(9, 0, 0), QStringLiteral("Sunday work"));
    tracker.ShowHistory();
    EXPECT_DOUBLE_EQ(tracker.HistoryDate(), At(9, 0, 0));
    EXPECT_EQ(Titles(history), QStringList { QStringLiteral("Sunday work") });
    EXPECT_EQ(history.Selected(), QList<int> { 0 });
}

TEST_F(TrackerTest, History_PreviousAndNextDay_StopAtYesterday)
{
    clock.Set(Feb(3) + 10 * OneHour);
    struct {
        const char* name;
        TDateTime shown;
        bool next;
        TDateTime expected;
    } cases[] = {
        { "Next from yesterday does nothing", Feb(2), true, Feb(2) },
        { "Next from the day before shows yesterday", Feb(1), true, Feb(2) },
        { "Previous from the 1st: last day of January", Feb(1), false, At(31, 0, 0) },
        { "Previous within a month", At(2, 0, 0), false, At(1, 0, 0) },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ShowHistoryDay(c.shown);
        ASSERT_TRUE(
            tracker.Execute(c.next ? TCommand::acHistForw : TCommand::acHistBack, OnHistory()));
        EXPECT_DOUBLE_EQ(tracker.HistoryDate(), c.expected);
    }
    // Only while the history panel shows.
    ShowHistoryDay(Feb(1));
    EXPECT_FALSE(tracker.Execute(TCommand::acHistForw, OnToday()));
    EXPECT_DOUBLE_EQ(tracker.HistoryDate(), Feb(1));
}

TEST_F(TrackerTest, History_PendingSaveWrittenToItsOwnDayBeforeAnotherLoads)
{
    WriteDay(options, At(6, 0, 0), QStringLiteral("Six"));
    ShowHistoryDay(At(6, 0, 0));
    tracker.ToggleDoneMark(TListKind::History, 0);
    ASSERT_TRUE(store.IsHistSavePending());

    tracker.Execute(TCommand::acHistBack, OnHistory());
    store.tmrSaveHistTimer(); // whatever the timer still had to do

    TEntries six = ReadDay(At(6, 0, 0));
    ASSERT_EQ(six.size(), 1u);
    EXPECT_EQ(six[0]->state, ryvsDone);
    EXPECT_DOUBLE_EQ(tracker.HistoryDate(), At(5, 0, 0));
    EXPECT_TRUE(history.IsEmpty());
    EXPECT_TRUE(ReadDay(At(5, 0, 0)).empty()); // day 5 never got day 6's entries
}

TEST_F(TrackerTest, History_CalendarClickReloads_KeyUpOnlyOnChange_FutureClamped)
{
    WriteDay(options, At(5, 0, 0), QStringLiteral("Five"));
    ShowHistoryDay(At(5, 0, 0));
    history.Clear(); // an unsaved change in memory only

    tracker.calHistoryKeyUp(At(5, 0, 0));
    EXPECT_TRUE(history.IsEmpty());
    tracker.calHistoryClick(At(5, 0, 0)); // the same day reads the file anew
    EXPECT_EQ(Titles(history), QStringList { QStringLiteral("Five") });

    tracker.calHistoryKeyUp(At(4, 0, 0));
    EXPECT_DOUBLE_EQ(tracker.HistoryDate(), At(4, 0, 0));
    tracker.calHistoryClick(At(9, 0, 0)); // beyond yesterday
    EXPECT_DOUBLE_EQ(tracker.HistoryDate(), At(6, 0, 0));
    EXPECT_DOUBLE_EQ(tracker.CalendarMaxDate(), At(6, 0, 0));
}

TEST_F(TrackerTest, History_StartFromEntryAndDragOntoToday)
{
    WriteDay(options, At(6, 0, 0), QStringLiteral("Six"));
    ShowHistoryDay(At(6, 0, 0));
    EXPECT_TRUE(tracker.CanDropOnToday(TListKind::History, OnHistory()));
    EXPECT_FALSE(tracker.CanDropOnFavs(TListKind::History, OnHistory()));
    // The drag began in the history list; the drop may arrive with the focus
    // already on today's list.
    TUiState ui = OnHistory();
    ui.focus = TListKind::Today;
    tracker.DropOnToday(TListKind::History, ui);
    EXPECT_EQ(Titles(today), QStringList { QStringLiteral("Six") });
    EXPECT_TRUE(today.IsWorking());
    EXPECT_TRUE(dialog.calls.empty());
}

} // namespace
} // namespace ryv::testing
