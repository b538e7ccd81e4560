#include "trackerfixture.h"

namespace ryv::testing {
namespace {

class EntryTimingTest : public TrackerTest { };

// --- Moving starts, shorten, extend, reorder --------------------------------------------

struct TMoveCase {
    const char* name;
    std::vector<TSpan> log;
    bool working;
    TCommand cmd; // a command on today's log
    int row;
    QStringList spans;
};

class TimeCommands : public EntryTimingTest, public ::testing::WithParamInterface<TMoveCase> { };

TEST_P(TimeCommands, MoveBoundariesWithinLimits)
{
    const TMoveCase& c = GetParam();
    Fill(today, c.log);
    today.SetWorking(c.working);
    clock.Set(At(7, 15, 20, 30));
    today.RefreshTotals(); // a running entry's stop is now
    Select(today, c.row);
    const QStringList before = Spans(today);

    ASSERT_TRUE(tracker.Execute(c.cmd, OnToday()));

    EXPECT_EQ(Spans(today), c.spans);
    if (Spans(today) != before) {
        EXPECT_TRUE(store.IsSavePending()); // every change is saved after a while
    }
}

const TSpan A { 't', At(7, 9, 0), At(7, 10, 0) };
const TSpan B { 't', At(7, 10, 0), At(7, 10, 30) };

INSTANTIATE_TEST_SUITE_P(Tracker, TimeCommands,
    ::testing::Values(
        TMoveCase { "Earlier_PreviousEndsAtNewStart", { A, B }, false, TCommand::acMoveBack, 1,
            { "t 09:00:00-09:59:00", "t 09:59:00-10:30:00" } },
        TMoveCase { "EarlierHour_PreviousTaskWouldVanish_Nothing", { A, B }, false,
            TCommand::acMoveBackHour, 1, { "t 09:00:00-10:00:00", "t 10:00:00-10:30:00" } },
        TMoveCase { "Earlier_ShortBreakTakenOver",
            { A, { 'b', At(7, 10, 0), At(7, 10, 0, 40) }, { 't', At(7, 10, 0, 40), At(7, 11, 0) } },
            false, TCommand::acMoveBack, 2, { "t 09:00:00-10:00:00", "t 10:00:00-11:00:00" } },
        TMoveCase { "EarlierFirst_StopsAtMidnight", { { 't', At(7, 0, 0, 30), At(7, 1, 0) } },
            false, TCommand::acMoveBack, 0, { "t 00:00:00-01:00:00" } },
        TMoveCase { "LaterHour_ShortEntry_Nothing", { A, { 't', At(7, 10, 0), At(7, 10, 45) } },
            false, TCommand::acMoveForwHour, 1, { "t 09:00:00-10:00:00", "t 10:00:00-10:45:00" } },
        TMoveCase { "Later_PreviousFollows", { A, B }, false, TCommand::acMoveForw, 1,
            { "t 09:00:00-10:01:00", "t 10:01:00-10:30:00" } },
        TMoveCase { "Shorten_NextStartFollows", { A, B }, false, TCommand::acShortenTime, 0,
            { "t 09:00:00-09:59:00", "t 09:59:00-10:30:00" } },
        TMoveCase { "ShortenBreakToZero_Removed",
            { A, { 'b', At(7, 10, 0), At(7, 10, 0, 30) }, { 't', At(7, 10, 0, 30), At(7, 11, 0) } },
            false, TCommand::acShortenTime, 1, { "t 09:00:00-10:00:00", "t 10:00:00-11:00:00" } },
        TMoveCase { "ShortenTaskStopsAtZero", { { 't', At(7, 9, 0), At(7, 9, 0, 30) } }, false,
            TCommand::acShortenTime, 0, { "t 09:00:00-09:00:00" } },
        TMoveCase { "Extend_NextStartFollows", { A, B }, false, TCommand::acExtendTime, 0,
            { "t 09:00:00-10:01:00", "t 10:01:00-10:30:00" } },
        TMoveCase { "Extend_ShortBreakAfterRemoved_StopStays",
            { A, { 'b', At(7, 10, 0), At(7, 10, 0, 40) }, { 't', At(7, 10, 0, 40), At(7, 11, 0) } },
            false, TCommand::acExtendTime, 0, { "t 09:00:00-10:00:00", "t 10:00:40-11:00:00" } },
        TMoveCase { "Extend_NextTaskWouldVanish_Nothing",
            { A, { 't', At(7, 10, 0), At(7, 10, 0, 30) } }, false, TCommand::acExtendTime, 0,
            { "t 09:00:00-10:00:00", "t 10:00:00-10:00:30" } },
        TMoveCase { "ExtendLastWhileWorking_NowTruncated", { { 't', At(7, 9, 0), At(7, 9, 0) } },
            true, TCommand::acExtendTime, 0, { "t 09:00:00-15:20:30" } }, // the tick's now
        TMoveCase { "ExtendLastIdle_MayPassNow", { { 't', At(7, 9, 0), At(7, 15, 20) } }, false,
            TCommand::acExtendTime, 0, { "t 09:00:00-15:21:00" } },
        TMoveCase { "ExtendLastIdle_StopsAtEndOfToday", { { 't', At(7, 9, 0), At(7, 23, 58, 30) } },
            false, TCommand::acExtendTime, 0, { "t 09:00:00-23:59:00" } },
        TMoveCase { "ExtendLastIdle_PastLimitNeverShortens",
            { { 't', At(7, 9, 0), At(7, 23, 59, 30) } }, false, TCommand::acExtendTime, 0,
            { "t 09:00:00-23:59:30" } },
        TMoveCase { "MoveUp_ExchangesTimes", { A, B }, false, TCommand::acMoveUp, 1,
            { "t 09:00:00-09:30:00", "t 09:30:00-10:30:00" } },
        TMoveCase { "MoveUpRunning_Nothing", { A, { 't', At(7, 10, 0), At(7, 10, 0) } }, true,
            TCommand::acMoveUp, 1, { "t 09:00:00-10:00:00", "t 10:00:00-15:20:30" } },
        TMoveCase { "MoveDownFirstBeforeBreak_Nothing",
            { A, { 'b', At(7, 10, 0), At(7, 10, 5) }, B }, false, TCommand::acMoveDn, 0,
            { "t 09:00:00-10:00:00", "b 10:00:00-10:05:00", "t 10:00:00-10:30:00" } },
        TMoveCase { "MoveDownKeepsGapInLaterEntry",
            { A, { 't', At(7, 10, 15), At(7, 10, 45) }, { 't', At(7, 11, 0), At(7, 12, 0) } },
            false, TCommand::acMoveDn, 0,
            { "t 09:00:00-09:30:00", "t 09:30:00-10:45:00", "t 11:00:00-12:00:00" } },
        TMoveCase { "MoveDownBreak_JoinsNextBreak",
            { A, { 'b', At(7, 10, 0), At(7, 10, 15) }, { 't', At(7, 10, 15), At(7, 11, 0) },
                { 'b', At(7, 11, 0), At(7, 11, 30) }, { 't', At(7, 11, 30), At(7, 12, 0) } },
            false, TCommand::acMoveDn, 1,
            { "t 09:00:00-10:00:00", "t 10:00:00-10:45:00", "b 10:45:00-11:30:00",
                "t 11:30:00-12:00:00" } },
        TMoveCase { "MoveUpPastBreak_BreakJoinsNextBreak",
            { A, { 'b', At(7, 10, 0), At(7, 10, 15) }, { 't', At(7, 10, 15), At(7, 11, 0) },
                { 'b', At(7, 11, 0), At(7, 11, 30) }, { 't', At(7, 11, 30), At(7, 12, 0) } },
            false, TCommand::acMoveUp, 2,
            { "t 09:00:00-10:00:00", "t 10:00:00-10:45:00", "b 10:45:00-11:30:00",
                "t 11:30:00-12:00:00" } }),
    [](const auto& info) { return std::string(info.param.name); });

// Each time command at the exact edge of its limit: one minute is all there
// is, so a command either changes nothing or takes a short break over; no
// entry is left with zero length by a neighbour's change.
const TSpan OneMinuteTask { 't', At(7, 10, 0), At(7, 10, 1) };
const TSpan OneMinuteBreak { 'b', At(7, 10, 0), At(7, 10, 1) };
const TSpan After { 't', At(7, 10, 1), At(7, 11, 0) };

INSTANTIATE_TEST_SUITE_P(ExactLimits, TimeCommands,
    ::testing::Values(
        TMoveCase { "Extend_IntoOneMinuteTask_Nothing", { A, OneMinuteTask }, false,
            TCommand::acExtendTime, 0, { "t 09:00:00-10:00:00", "t 10:00:00-10:01:00" } },
        TMoveCase { "Extend_IntoOneMinuteBreak_BreakGoes_StopStays", { A, OneMinuteBreak, After },
            false, TCommand::acExtendTime, 0, { "t 09:00:00-10:00:00", "t 10:01:00-11:00:00" } },
        TMoveCase { "Later_OneMinuteEntry_Nothing", { A, OneMinuteTask }, false,
            TCommand::acMoveForw, 1, { "t 09:00:00-10:00:00", "t 10:00:00-10:01:00" } },
        TMoveCase { "Earlier_IntoOneMinuteTask_Nothing", { OneMinuteTask, After }, false,
            TCommand::acMoveBack, 1, { "t 10:00:00-10:01:00", "t 10:01:00-11:00:00" } },
        TMoveCase { "Earlier_IntoOneMinuteBreak_TakesItOver", { A, OneMinuteBreak, After }, false,
            TCommand::acMoveBack, 2, { "t 09:00:00-10:00:00", "t 10:00:00-11:00:00" } },
        TMoveCase { "Shorten_OneMinuteTask_StopsAtZero", { OneMinuteTask }, false,
            TCommand::acShortenTime, 0, { "t 10:00:00-10:00:00" } },
        TMoveCase { "Shorten_OneMinuteBreak_Removed", { A, OneMinuteBreak, After }, false,
            TCommand::acShortenTime, 1, { "t 09:00:00-10:00:00", "t 10:00:00-11:00:00" } },
        TMoveCase { "EarlierFirst_ExactlyToMidnight", { { 't', At(7, 0, 1), At(7, 1, 0) } }, false,
            TCommand::acMoveBack, 0, { "t 00:00:00-01:00:00" } },
        TMoveCase { "ExtendLastIdle_ExactlyToTheLimit", { { 't', At(7, 9, 0), At(7, 23, 58) } },
            false, TCommand::acExtendTime, 0, { "t 09:00:00-23:59:00" } },
        TMoveCase { "ExtendLastIdle_AtTheLimit_Stays", { { 't', At(7, 9, 0), At(7, 23, 59) } },
            false, TCommand::acExtendTime, 0, { "t 09:00:00-23:59:00" } }),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(EntryTimingTest, MoveUp_SelectsMovedEntry_TextsFollowEntries)
{
    Fill(today, { A, B });
    Select(today, 1);
    tracker.Execute(TCommand::acMoveUp, OnToday());
    EXPECT_EQ(today.TaskText(0), QStringLiteral("T2"));
    EXPECT_EQ(today.Selected(), QList<int> { 0 });
}

TEST_F(EntryTimingTest, HistoryTwins_ActOnHistoryDay_DeferredSave)
{
    ShowHistoryDay(At(6, 0, 0));
    Fill(history,
        { { 't', At(6, 0, 0, 30), At(6, 1, 0) }, { 't', At(6, 1, 0), At(6, 23, 58, 30) } });
    Select(history, 0);
    ASSERT_TRUE(tracker.Execute(TCommand::acMoveHistBack, OnHistory()));
    EXPECT_EQ(Span(*history.Item(0)), QStringLiteral("00:00:00-01:00:00")); // midnight of the day
    Select(history, 1);
    tracker.Execute(TCommand::acHistExtendTime, OnHistory());
    tracker.Execute(TCommand::acHistExtendTime, OnHistory());
    EXPECT_EQ(Span(*history.Item(1)), QStringLiteral("01:00:00-23:59:00"));
    EXPECT_TRUE(store.IsHistSavePending());
    EXPECT_FALSE(store.IsSavePending());
    EXPECT_TRUE(today.IsEmpty());
    EXPECT_EQ(history.TotalText(), QStringLiteral("23:59"));
}

} // namespace
} // namespace ryv::testing
