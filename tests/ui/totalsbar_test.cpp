#include "ui/totalsbar.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/ryvoptions.h"

#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <memory>

namespace ryv {
namespace {

TDateTime At(int hour, int minute)
{
    return EncodeDateTime(2026, 12, 10, hour, minute);
}

class TotalsBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [title, start, stop] : { std::tuple { "Alpha", At(8, 0), At(9, 0) },
                 std::tuple { "Beta", At(9, 0), At(9, 30) },
                 std::tuple { "Alpha", At(9, 30), At(9, 40) } }) {
            auto entry = std::make_unique<TRyvItem>();
            entry->title = QString::fromLatin1(title);
            entry->start = start;
            entry->stop = stop;
            list.Append(std::move(entry));
        }
        list.RefreshTotals();
        bar.SetButtons({ new QToolButton(&bar), new QToolButton(&bar) }, true);
        bar.SetFontSizes(18, 11);
        bar.ShowTotals();
        bar.show();
    }

    QLabel* Label(const char* name) const
    {
        return bar.findChild<QLabel*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    TRyvOptions options { dir.path() + QLatin1Char('/') };
    TManualClock clock { At(10, 0) };
    TDayList list { TDayListRole::Today, options, clock };
    TTotalsBar bar { list, QString(), nullptr };
};

TEST_F(TotalsBarTest, FollowsTheListsTotalsByItself)
{
    EXPECT_EQ(Label("lbTotal")->text(), QStringLiteral("1:40"));
    EXPECT_FALSE(Label("lbTotSelCap")->isVisible());
    EXPECT_FALSE(Label("lbTotTaskCap")->isVisible());

    list.SetSelection({ 0, 1 });
    EXPECT_TRUE(Label("lbTotSelCap")->isVisible());
    EXPECT_EQ(Label("lbTotalSel")->text(), QStringLiteral("1:30"));
    // One task done twice: its total.
    list.SetSelection({ 2 });
    EXPECT_FALSE(Label("lbTotSelCap")->isVisible());
    EXPECT_TRUE(Label("lbTotTaskCap")->isVisible());
    EXPECT_EQ(Label("lbTotalTask")->text(), QStringLiteral("1:10"));
}

TEST_F(TotalsBarTest, ButtonsGiveWayWhenTheTotalsNeedTheRoom)
{
    list.SetSelection({ 0, 1 });
    const int needed = bar.findChild<QWidget*>(QStringLiteral("pTotals"))->sizeHint().width();
    struct Case {
        const char* name;
        int width;
        bool buttonsShown;
    } cases[] = {
        { "wide", needed + 400, true },
        { "narrow", needed + 20, false },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        bar.resize(c.width, bar.height());
        const QList<QToolButton*> buttons = bar.findChildren<QToolButton*>();
        ASSERT_EQ(buttons.size(), 2);
        EXPECT_EQ(buttons[0]->x(), c.buttonsShown ? 4 : -40);
        EXPECT_EQ(buttons[1]->x(), c.buttonsShown ? 40 : -40);
    }
    // Without the selection's total the buttons fit again.
    list.SetSelection({});
    EXPECT_EQ(bar.findChildren<QToolButton*>()[0]->x(), 4);
}

TEST_F(TotalsBarTest, TaskTotalReportsClicksOnlyWhileClickable)
{
    list.SetSelection({ 2 });
    bar.resize(600, bar.height());
    ASSERT_TRUE(Label("lbTotalTask")->isVisible());
    int clicks = 0;
    QObject::connect(&bar, &TTotalsBar::taskTotalClicked, [&clicks] { ++clicks; });
    QTest::mouseClick(Label("lbTotalTask"), Qt::LeftButton);
    EXPECT_EQ(clicks, 0);
    bar.SetTaskTotalClickable(true);
    QTest::mouseClick(Label("lbTotalTask"), Qt::LeftButton);
    QTest::mouseClick(Label("lbTotTaskCap"), Qt::LeftButton);
    EXPECT_EQ(clicks, 2);
}

} // namespace
} // namespace ryv
