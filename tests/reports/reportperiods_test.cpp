#include "reports/reportperiods.h"

#include "core/regional.h"
#include "reporttesthelpers.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(ReportPeriod, DaysDailyModeAndTextPerTag)
{
    const TRegionalScope uk("en_GB");
    const struct {
        const char* name;
        int tag;
        TDateTime now;
        TDateTime first, last;
        TPeriodDaily daily;
        QString text;
    } cases[] = {
        { "today", 0, EncodeDateTime(2021, 12, 13, 10, 0), EncodeDate(2021, 12, 13),
            EncodeDate(2021, 12, 13), TPeriodDaily::Always, u""_qs },
        { "this week on a Sunday", 1, EncodeDateTime(2021, 12, 12, 23, 59), EncodeDate(2021, 12, 6),
            EncodeDate(2021, 12, 12), TPeriodDaily::FromCheckBox, u"06/12/ - 12/12/ 2021"_qs },
        { "this week on a Monday", 1, EncodeDateTime(2021, 12, 13, 0, 0), EncodeDate(2021, 12, 13),
            EncodeDate(2021, 12, 19), TPeriodDaily::FromCheckBox, u"13/12/ - 19/12/ 2021"_qs },
        { "this week across the year", 1, EncodeDateTime(2021, 12, 29, 8, 0),
            EncodeDate(2021, 12, 27), EncodeDate(2022, 1, 2), TPeriodDaily::FromCheckBox,
            u"27/12/ - 02/01/ 2022"_qs },
        { "this month", 2, EncodeDateTime(2021, 12, 13, 10, 0), EncodeDate(2021, 12, 1),
            EncodeDate(2021, 12, 31), TPeriodDaily::FromCheckBox, u"December 2021"_qs },
        { "this year", 4, EncodeDateTime(2021, 12, 13, 10, 0), EncodeDate(2021, 1, 1),
            EncodeDate(2021, 12, 31), TPeriodDaily::Never, u"2021"_qs },
        { "yesterday over new year", 5, EncodeDateTime(2022, 1, 1, 0, 30), EncodeDate(2021, 12, 31),
            EncodeDate(2021, 12, 31), TPeriodDaily::Always, u""_qs },
        { "last week on a Sunday", 6, EncodeDateTime(2021, 12, 12, 9, 0), EncodeDate(2021, 11, 29),
            EncodeDate(2021, 12, 5), TPeriodDaily::FromCheckBox, u"29/11/ - 05/12/ 2021"_qs },
        { "last month on 31 March", 7, EncodeDateTime(2021, 3, 31, 9, 0), EncodeDate(2021, 2, 1),
            EncodeDate(2021, 2, 28), TPeriodDaily::FromCheckBox, u"February 2021"_qs },
        { "last month on 31 March, leap year", 7, EncodeDateTime(2024, 3, 31, 9, 0),
            EncodeDate(2024, 2, 1), EncodeDate(2024, 2, 29), TPeriodDaily::FromCheckBox,
            u"February 2024"_qs },
        { "last month in January", 7, EncodeDateTime(2022, 1, 15, 9, 0), EncodeDate(2021, 12, 1),
            EncodeDate(2021, 12, 31), TPeriodDaily::FromCheckBox, u"December 2021"_qs },
        { "last year on 1 January", 9, EncodeDateTime(2022, 1, 1, 0, 0), EncodeDate(2021, 1, 1),
            EncodeDate(2021, 12, 31), TPeriodDaily::Never, u"2021"_qs },
        { "tag 3 is today", 3, EncodeDateTime(2021, 12, 13, 10, 0), EncodeDate(2021, 12, 13),
            EncodeDate(2021, 12, 13), TPeriodDaily::Always, u""_qs },
        { "tag 8 is today", 8, EncodeDateTime(2021, 12, 13, 10, 0), EncodeDate(2021, 12, 13),
            EncodeDate(2021, 12, 13), TPeriodDaily::Always, u""_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const TReportPeriod p = ReportPeriod(c.tag, c.now);
        EXPECT_EQ(p.first, c.first);
        EXPECT_EQ(p.last, c.last);
        EXPECT_EQ(p.daily, c.daily);
        EXPECT_EQ(p.periodText, c.text);
    }
}

TEST(ReportPeriod, DailyOverridesTheCheckBox)
{
    const TDateTime now = EncodeDateTime(2021, 12, 13, 10, 0);
    for (const bool box : { false, true }) {
        SCOPED_TRACE(box ? "box checked" : "box unchecked");
        EXPECT_TRUE(PeriodIsDaily(ReportPeriod(0, now), box));
        EXPECT_TRUE(PeriodIsDaily(ReportPeriod(5, now), box));
        EXPECT_FALSE(PeriodIsDaily(ReportPeriod(4, now), box));
        EXPECT_FALSE(PeriodIsDaily(ReportPeriod(9, now), box));
        EXPECT_EQ(PeriodIsDaily(ReportPeriod(1, now), box), box);
        EXPECT_EQ(PeriodIsDaily(ReportPeriod(7, now), box), box);
    }
}

TEST(ReportTitle, PeriodTextOnItsOwnLineWithACapital)
{
    const TRegionalScope finnish("fi_FI");
    EXPECT_EQ(ReportTitle(u"Team A"_qs, u"joulukuu 2021"_qs), u"Team A\r\nJoulukuu 2021"_qs);
    EXPECT_EQ(ReportTitle(QString(), u"2021"_qs), u"\r\n2021"_qs);
    EXPECT_EQ(ReportTitle(u"Team A"_qs, QString()), u"Team A"_qs);
    EXPECT_EQ(ReportTitle(QString(), QString()), QString());
}

} // namespace
} // namespace ryv
