#include "ui/textwidths.h"

#include "core/regional.h"
#include "ui/clicklabel.h"
#include "ui/daylistdelegate.h"
#include "ui/daylistmodel.h"
#include "ui/daylistview.h"
#include "ui/windowgeometry.h"
#include "windowtestworld.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPalette>

#include <gtest/gtest.h>

namespace ryv {
namespace {

using namespace windowtest;

// A desktop as people set it up: a bigger font than the default (as with
// qt6ct's "DejaVu Sans,11") and a dark palette.
class TextWidthsTest : public TWindowTest {
protected:
    void SetUp() override
    {
        TWindowTest::SetUp();
        FFont = QApplication::font();
        FPalette = QApplication::palette();
        QPalette dark;
        dark.setColor(QPalette::Window, QColor(0x2a, 0x2a, 0x2a));
        dark.setColor(QPalette::WindowText, QColor(0xee, 0xee, 0xee));
        dark.setColor(QPalette::Base, QColor(0x1e, 0x1e, 0x1e));
        dark.setColor(QPalette::Text, QColor(0xee, 0xee, 0xee));
        QApplication::setPalette(dark);
    }
    void TearDown() override
    {
        QApplication::setFont(FFont);
        QApplication::setPalette(FPalette);
    }

    QFont FFont;
    QPalette FPalette;
};

// Every long date of a year, as the headings show them.
int WidestDateOfTheYear(const QFont& font)
{
    const QFontMetrics metrics(font);
    int widest = 0;
    for (QDate d(2026, 1, 1); d.year() == 2026; d = d.addDays(1))
        widest = std::max(widest, metrics.horizontalAdvance(LongDateText(FromQDate(d))));
    return widest;
}

QFont Bold(QFont font)
{
    font.setBold(true);
    return font;
}

// The Time column holds a start and a stop, the Hours column a running
// task's time, both in the bold of the running row; the date headings hold
// the widest date of the language: all whole at the first start, at 9 to 13
// points, in English and in German, on a screen of 1600 x 1000 pixels.
TEST_F(TextWidthsTest, TimesAndDatesShowWholeAtTheFirstStart)
{
    const QRect workArea(0, 0, 1600, 1000);
    for (const char* locale : { "en_GB", "de_DE" }) {
        const TRegionalScope regional(locale);
        for (const int points : { 9, 11, 13 }) {
            SCOPED_TRACE(std::string(locale) + " " + std::to_string(points) + " pt");
            QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), points));
            TWorld world(folder);
            world.options.ListShowStop = true;
            TfrmRyvTracker& w = world.Open(workArea);

            // Today's list has the running task, bold with its seconds; the
            // history's tasks are finished.
            for (TDayListView* list : { w.lvList(), w.lvHistory() }) {
                const bool today = list == w.lvList();
                const QFont timeFont = today ? Bold(list->font()) : list->font();
                const QFont hours = TDayListDelegate::HoursFont(list->font());
                const QFont hoursFont = today ? Bold(hours) : hours;
                const QRect time = TDayListDelegate::TextRect(
                    QRect(0, 0, list->columnWidth(TDayListModel::colTime), 27),
                    TDayListModel::colTime);
                const QRect hoursRect = TDayListDelegate::TextRect(
                    QRect(0, 0, list->columnWidth(TDayListModel::colHours), 27),
                    TDayListModel::colHours);
                EXPECT_GE(
                    time.width(), QFontMetrics(timeFont).horizontalAdvance(u"23:59 - 23:59"_qs));
                EXPECT_GE(hoursRect.width(),
                    QFontMetrics(hoursFont).horizontalAdvance(
                        today ? u"999:59:59"_qs : u"999:59"_qs));
            }

            // The first width fits today's date heading, within the screen.
            auto* today = w.findChild<TClickLabel*>(u"lbToday"_qs);
            EXPECT_GE(today->contentsRect().width(), WidestDateOfTheYear(today->font()));
            EXPECT_EQ(today->text(), today->FullText());
            EXPECT_TRUE(workArea.contains(w.geometry()));

            // The history panel, opened from one pane, shows its date whole.
            w.ShowSecondaryPanel(TSecondaryPanel::History);
            auto* heading = w.findChild<TClickLabel*>(u"lbSecondary"_qs);
            EXPECT_TRUE(w.Modes().TwoPanes());
            EXPECT_GE(heading->contentsRect().width(), WidestDateOfTheYear(heading->font()));
            EXPECT_EQ(heading->text(), heading->FullText());
            EXPECT_GE(today->contentsRect().width(), WidestDateOfTheYear(today->font()));
            EXPECT_TRUE(workArea.contains(w.geometry()));

            // Narrowed by the user the heading is cut, with the whole date
            // as its tooltip.
            w.resize(w.width() - 200, w.height());
            if (w.Modes().TwoPanes() && heading->text() != heading->FullText()) {
                EXPECT_TRUE(heading->text().endsWith(QChar(0x2026)));
                EXPECT_EQ(heading->toolTip(), heading->FullText());
            }
        }
    }
}

// The columns follow a change of the list's font.
TEST_F(TextWidthsTest, ColumnsFollowTheListsFont)
{
    TWorld world(folder);
    TfrmRyvTracker& w = world.Open();
    TDayListView* list = w.lvList();
    const int time = list->columnWidth(TDayListModel::colTime);
    const int hours = list->columnWidth(TDayListModel::colHours);
    QFont bigger = list->font();
    bigger.setPointSizeF(bigger.pointSizeF() * 1.5);
    list->setFont(bigger);
    EXPECT_GT(list->columnWidth(TDayListModel::colTime), time);
    EXPECT_GT(list->columnWidth(TDayListModel::colHours), hours);
}

} // namespace
} // namespace ryv
