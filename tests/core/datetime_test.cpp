#include "core/datetime.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(DateTimeConversion, EpochAndKnownDay)
{
    EXPECT_EQ(EncodeDate(1899, 12, 30), 0.0);
    // 2022-01-07 is day 44568 in this representation.
    EXPECT_EQ(EncodeDate(2022, 1, 7), 44568.0);
    const TDateTime t = EncodeDateTime(2022, 1, 7, 9, 47, 31, 500);
    EXPECT_EQ(ToQDateTime(t), QDateTime(QDate(2022, 1, 7), QTime(9, 47, 31, 500)));
    EXPECT_EQ(FromQDateTime(ToQDateTime(t)), t);
}

TEST(DateTimeConversion, DerivedQuantities)
{
    const TDateTime t = EncodeDateTime(2022, 1, 7, 9, 47, 31, 500);
    EXPECT_EQ(DayOf(t), 44568);
    EXPECT_EQ(MidnightOf(t), EncodeDate(2022, 1, 7));
    EXPECT_EQ(MinuteOfDay(t), 9 * 60 + 47);
    EXPECT_EQ(TruncToMinute(t), EncodeDateTime(2022, 1, 7, 9, 47));
    EXPECT_EQ(EndOfDayOf(t), EncodeDateTime(2022, 1, 7, 23, 59, 59, 999));
    EXPECT_EQ(DayOf(EndOfDayOf(t)), 44568);
    EXPECT_EQ(MinuteOfDay(EndOfDayOf(t)), 1439);
}

} // namespace
} // namespace ryv
