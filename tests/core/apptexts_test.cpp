#include "core/apptexts.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/regional.h"
#include "core/ryvoptions.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

TEST(AppTextsScope, PutsTextsInForceAndGivesTheOnesBeforeBack)
{
    const QString english = AppTexts().str_pause;
    EXPECT_EQ(english, QStringLiteral("Break"));
    {
        TAppTextsScope german;
        german.Texts().str_pause = QStringLiteral("Pause");
        EXPECT_EQ(AppTexts().str_pause, QStringLiteral("Pause"));
        {
            TAppTextsScope finnish;
            finnish.Texts().str_pause = QStringLiteral("Tauko");
            EXPECT_EQ(AppTexts().str_pause, QStringLiteral("Tauko"));
        }
        EXPECT_EQ(AppTexts().str_pause, QStringLiteral("Pause"));
        // Written through the scope, a text shows at once where it is read.
        german.Texts().str_tasknumb = QStringLiteral("Aufgabe #");
        EXPECT_EQ(AppTexts().str_tasknumb, QStringLiteral("Aufgabe #"));
    }
    EXPECT_EQ(AppTexts().str_pause, english);
    EXPECT_EQ(AppTexts().str_tasknumb, QStringLiteral("Task #"));
}

TEST(AppTextsScope, DayListCellsFollowTheLanguageInForce)
{
    const TRegionalScope regional("en_GB");
    TRyvOptions options(QStringLiteral("/nonexistent/ryv-test/"));
    TManualClock clock(EncodeDateTime(2022, 1, 7, 12, 0));
    TDayList list(TDayListRole::History, options, clock);
    auto pause = std::make_unique<TRyvItem>();
    pause->kind = ryvkPause;
    pause->start = EncodeDateTime(2022, 1, 7, 9, 0);
    pause->stop = EncodeDateTime(2022, 1, 7, 9, 30);
    list.Append(std::move(pause));

    TAppTextsScope german;
    german.Texts().str_pause = QStringLiteral("Pause");
    EXPECT_EQ(list.TaskText(0), QStringLiteral("Pause:  09:00 - 09:30  (0:30)"));
}

TEST(RegionalScope, NestsAndGivesTheSettingsBeforeBack)
{
    const QString before = Regional().Locale().name();
    {
        const TRegionalScope finnish("fi_FI");
        EXPECT_EQ(Regional().DecimalSeparator, QChar(u','));
        {
            const TRegionalScope american("en_US");
            EXPECT_EQ(Regional().DecimalSeparator, QChar(u'.'));
        }
        EXPECT_EQ(Regional().Locale().name(), QStringLiteral("fi_FI"));
    }
    EXPECT_EQ(Regional().Locale().name(), before);
}

} // namespace
} // namespace ryv
