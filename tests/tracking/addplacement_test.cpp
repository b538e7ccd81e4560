#include "tracking/addplacement.h"

#include "trackerfixture.h"

namespace ryv::testing {
namespace {

struct TPlaceCase {
    const char* name;
    TAddedTaskLog log;
    int minutes;
    bool first; // inserted before the first entry, else appended
    QString span; // "hh:nn:ss-hh:nn:ss"
};

TAddedTaskLog Today(TDateTime now, TDateTime firstStart, TDateTime lastStop, bool working = false)
{
    return { false, now, working, false, firstStart, lastStop };
}
TAddedTaskLog EmptyToday(TDateTime now)
{
    return { false, now, false, true, 0, 0 };
}
TAddedTaskLog HistoryDay(TDateTime firstStart, TDateTime lastStop)
{
    return { true, At(6, 0, 0), false, false, firstStart, lastStop };
}

class PlaceAddedTaskTest : public ::testing::TestWithParam<TPlaceCase> { };

TEST_P(PlaceAddedTaskTest, PlacesTaskOfGivenDuration)
{
    const TPlaceCase& c = GetParam();
    const TRegionalScope regional("en_GB");
    const TAddedTaskPlace p = PlaceAddedTask(c.log, c.minutes * MsPerMinute);
    EXPECT_EQ(p.first, c.first);
    TRyvItem e;
    e.start = p.start;
    e.stop = p.stop;
    EXPECT_EQ(Span(e), c.span);
    EXPECT_LE(p.start, p.stop);
    // Never before yesterday (or, on a history day, outside the day).
    EXPECT_GE(DayOf(p.start), DayOf(c.log.day) - (c.log.history ? 0 : 1));
}

INSTANTIATE_TEST_SUITE_P(Today, PlaceAddedTaskTest,
    ::testing::Values(TPlaceCase { "FitsAfterLast", Today(At(7, 14, 30), At(7, 8, 0), At(7, 12, 0)),
                          60, false, "12:00:00-13:00:00" },
        TPlaceCase { "FitsBeforeFirst", Today(At(7, 12, 20), At(7, 8, 0), At(7, 12, 0)), 60, true,
            "07:00:00-08:00:00" },
        TPlaceCase { "FitsNeither_EndsNow", Today(At(7, 12, 20, 40), At(7, 0, 30), At(7, 12, 0)),
            60, false, "12:00:00-12:20:00" },
        TPlaceCase { "Working_BeforeFirstClampedToMidnight",
            Today(At(7, 9, 0), At(7, 1, 0), At(7, 1, 0), true), 120, true, "00:00:00-01:00:00" },
        TPlaceCase { "Working_BeforeFirst", Today(At(7, 9, 0), At(7, 8, 0), At(7, 8, 0), true), 30,
            true, "07:30:00-08:00:00" },
        TPlaceCase {
            "EmptyLog_EndsNow", EmptyToday(At(7, 9, 47, 31)), 30, false, "09:17:00-09:47:00" },
        // Just after midnight the task keeps its duration and so begins
        // yesterday (the command splits it at midnight), but no earlier than
        // yesterday's midnight.
        TPlaceCase { "EmptyLogJustAfterMidnight_KeepsDuration", EmptyToday(At(7, 0, 20)), 60, false,
            "23:20:00-00:20:00" },
        TPlaceCase { "EmptyLogJustAfterMidnight_NoEarlierThanYesterday", EmptyToday(At(7, 0, 20)),
            30 * 60, false, "00:00:00-00:20:00" },
        // The last entry was extended beyond now: the task follows it, with
        // its duration, and never ends before it starts.
        TPlaceCase { "LastEndsInFuture_FollowsIt", Today(At(7, 12, 20), At(7, 0, 30), At(7, 15, 0)),
            60, false, "15:00:00-16:00:00" },
        TPlaceCase { "LastEndsInFutureNearMidnight_StaysInDay",
            Today(At(7, 12, 20), At(7, 0, 30), At(7, 23, 30)), 60, false, "23:30:00-23:59:00" },
        // Exact fits: the limits hold with equality.
        TPlaceCase { "ExactlyFillsTheTimeUpToNow_AfterLast",
            Today(At(7, 13, 0), At(7, 8, 0), At(7, 12, 0)), 60, false, "12:00:00-13:00:00" },
        TPlaceCase { "ExactlyFillsTheTimeFromMidnight_BeforeFirst",
            Today(At(7, 12, 20), At(7, 1, 0), At(7, 12, 0)), 60, true, "00:00:00-01:00:00" },
        TPlaceCase { "Working_ExactlyFromMidnight_BeforeFirst",
            Today(At(7, 9, 0), At(7, 1, 0), At(7, 1, 0), true), 60, true, "00:00:00-01:00:00" },
        TPlaceCase { "NegativeDuration_CountsAsZero",
            Today(At(7, 14, 30), At(7, 8, 0), At(7, 12, 0)), -30, false, "12:00:00-12:00:00" }),
    [](const auto& info) { return std::string(info.param.name); });

INSTANTIATE_TEST_SUITE_P(HistoryDay, PlaceAddedTaskTest,
    ::testing::Values(TPlaceCase { "EmptyDay_AtSeven", { true, At(6, 0, 0), false, true, 0, 0 }, 90,
                          false, "07:00:00-08:30:00" },
        TPlaceCase {
            "AfterLast", HistoryDay(At(6, 8, 0), At(6, 17, 0)), 60, false, "17:00:00-18:00:00" },
        TPlaceCase {
            "BeforeFirst", HistoryDay(At(6, 8, 0), At(6, 23, 30)), 60, true, "07:00:00-08:00:00" },
        TPlaceCase { "Neither_UntilEndOfDay", HistoryDay(At(6, 0, 30), At(6, 23, 0)), 120, false,
            "23:00:00-23:59:00" },
        TPlaceCase { "ExactlyFillsTheDay_AfterLast",
            HistoryDay(At(6, 8, 0), At(6, 22, 59, 59, 999)), 60, false, "22:59:59-23:59:59" },
        TPlaceCase { "Neither_LastEndsInItsLastMinute_UntilTheDaysEnd",
            HistoryDay(At(6, 0, 30), At(6, 23, 59, 30)), 120, false, "23:59:30-23:59:59" }),
    [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace ryv::testing
