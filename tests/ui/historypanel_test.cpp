#include "ui/historypanel.h"

#include "core/clock.h"
#include "core/daylist.h"
#include "core/ryvoptions.h"
#include "ui/daylistview.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace ryv {
namespace {

TDateTime Day(int day)
{
    return EncodeDateTime(2026, 12, day, 0, 0);
}

class HistoryPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        history.SetHistoryDate(Day(9));
        panel.resize(500, 600);
        panel.show();
        QApplication::setActiveWindow(&panel);
    }

    QTemporaryDir dir;
    TRyvOptions options { dir.path() + QLatin1Char('/') };
    TManualClock clock { EncodeDateTime(2026, 12, 10, 10, 0) };
    TDayList history { TDayListRole::History, options, clock };
    QAction exportAction { QStringLiteral("Export") };
    THistoryPanel panel { history, &exportAction, nullptr };
    QList<TDateTime> keyUps;
};

TEST_F(HistoryPanelTest, CalendarOpensOnTheDayOnShowAndReportsTheDayAKeyLeftOn)
{
    QObject::connect(
        &panel, &THistoryPanel::dayKeyUp, [this](TDateTime day) { keyUps.append(day); });
    panel.SetLatestDay(Day(9));
    panel.ToggleCalendar();
    QCalendarWidget* calendar = panel.Calendar();
    ASSERT_TRUE(calendar->isVisible());
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 9));
    EXPECT_EQ(calendar->maximumDate(), QDate(2026, 12, 9));

    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
    ASSERT_EQ(keyUps.size(), 1);
    EXPECT_DOUBLE_EQ(keyUps[0], Day(8));

    // A change of the list's day moves the calendar's mark along.
    history.SetHistoryDate(Day(3));
    EXPECT_EQ(calendar->selectedDate(), QDate(2026, 12, 3));
}

TEST_F(HistoryPanelTest, CalendarClosesWhenTheFocusLeavesIt)
{
    panel.ToggleCalendar();
    ASSERT_TRUE(panel.Calendar()->isVisible());
    panel.List()->setFocus();
    EXPECT_FALSE(panel.Calendar()->isVisible());
    EXPECT_FALSE(panel.CloseCalendar());

    panel.ToggleCalendar();
    EXPECT_TRUE(panel.CloseCalendar());
    EXPECT_FALSE(panel.Calendar()->isVisible());
}

TEST_F(HistoryPanelTest, ExportButtonFollowsTheExportCommand)
{
    auto* button = panel.findChild<QToolButton*>(QStringLiteral("sbExport2"));
    ASSERT_NE(button, nullptr);
    exportAction.setToolTip(QStringLiteral("Export the day"));
    exportAction.setEnabled(false);
    EXPECT_FALSE(button->isEnabled());
    EXPECT_EQ(button->toolTip(), QStringLiteral("Export the day"));
    exportAction.setEnabled(true);
    int clicks = 0;
    QObject::connect(&panel, &THistoryPanel::exportClicked, [&clicks] { ++clicks; });
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks, 1);
}

} // namespace
} // namespace ryv
