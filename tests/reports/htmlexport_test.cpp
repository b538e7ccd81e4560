#include "reports/htmlexport.h"

#include "core/apptexts.h"
#include "core/regional.h"
#include "reporttesthelpers.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);

TDateTime At(TDateTime day, int hour, int minute = 0)
{
    return day + hour * OneHour + minute * OneMinute;
}

QString Frame(const QString& pageTitle, const QString& caption, const QString& body)
{
    return u"<!DOCTYPE html><html><head><title>"_qs + pageTitle
        + u"</title><meta charset=\"utf-8\"><meta name=\"viewport\" content=\"width=device-width, "
          "initial-scale=1, shrink-to-fit=no\"><style>"_qs
        + ReportStyleSheet()
        + u"</style></head><body><table class=\"tbl\" align=\"center\"><caption class=\"tbl-cap\">"_qs
        + caption + u"</caption>"_qs + body + u"</table></body></html>"_qs;
}

class HtmlExportTest : public ::testing::Test {
protected:
    TRegionalScope FLocale { "en_GB" };
};

TEST_F(HtmlExportTest, StyleSheetIsOneLineOfItsOwnLength)
{
    const QString& css = ReportStyleSheet();
    EXPECT_EQ(css.size(), 1355);
    EXPECT_TRUE(css.startsWith(u".group-title {font-family: Helvetica,Arial,sans-serif;"_qs));
    EXPECT_TRUE(css.endsWith(u".alc {text-align: center;}"_qs));
    EXPECT_FALSE(css.contains(u'\n'));
}

TEST_F(HtmlExportTest, DayListDocumentExactly)
{
    const std::vector<TRyvItem> list {
        Task(At(Mon, 9), At(Mon, 10, 30), u"Weekly report"_qs, {}, u"not shown"_qs, ryvsDone),
        Break(At(Mon, 10, 30), At(Mon, 10, 45)),
        Task(At(Mon, 10, 45), At(Mon, 12), u"Fix"_qs, u"https://t/1"_qs),
    };
    const QString rows
        = u"<colgroup><col class=\"alr\" /><col class=\"alr\" /><col class=\"all\" />"
          "<col class=\"alr plarge\" /></colgroup><tbody>"
          "<tr class=\"bb\"><td class=\"all group-title\" colspan=\"4\">Monday 13. December "
          "2021</td></tr>"
          "<tr><td class=\"alr bold check\">&check;</td><td class=\"alr\"><span class=\"pba "
          "start\">"
          "09:00 - 10:30</span></td><td class=\"all\"><span class=\"pba\">Weekly report</span></td>"
          "<td class=\"alr plarge\"><span class=\"pba bold\">1:30</span></td></tr>"
          "<tr><td class=\"alc gray\" colspan=\"4\"><small><i>Break:  10:30 - 10:45 &nbsp;(0:15)"
          "</i></small></td></tr>"
          "<tr><td class=\"alr bold check\">&nbsp;</td><td class=\"alr\"><span class=\"pba start\">"
          "10:45 - 12:00</span></td><td class=\"all\"><span class=\"pba\"><a "
          "href=\"https://t/1\">Fix</a>"
          "</span></td><td class=\"alr plarge\"><span class=\"pba bold\">1:15</span></td></tr>"
          "<tr class=\"bt\"><td class=\"alr gray pt2\" colspan=\"3\">Daily total:</td>"
          "<td class=\"alr plarge\"><span class=\"pba total\">2:45</span></td></tr>"
          "<tr class=\"nob\"><td class=\"nob\" colspan=\"4\">&nbsp;</td></tr>"
          "</tbody>"_qs;
    // No title: the day names the page, the caption stays empty.
    EXPECT_EQ(ListHtmlText(list, QString(), true),
        Frame(u"Monday 13. December 2021"_qs, QString(), rows));
    EXPECT_EQ(ListHtmlText(list, u"Team A"_qs, true), Frame(u"Team A"_qs, u"Team A"_qs, rows));
    QString noStop = rows;
    noStop.replace(u"09:00 - 10:30</span>"_qs, u"09:00</span>"_qs)
        .replace(u"10:45 - 12:00</span>"_qs, u"10:45</span>"_qs);
    EXPECT_EQ(ListHtmlText(list, u"Team A"_qs, false), Frame(u"Team A"_qs, u"Team A"_qs, noStop));
}

TEST_F(HtmlExportTest, EmptyListAndEmptyPeriodGiveTheBareFrame)
{
    EXPECT_EQ(ListHtmlText({}, QString(), true), Frame(QString(), QString(), QString()));
    EXPECT_EQ(ReportHtmlText({}, false, u"\r\n2021"_qs),
        Frame(u"2021"_qs, u"<small><br />2021</small>"_qs, QString()));
}

TEST_F(HtmlExportTest, CaptionAndPageTitleFromTheTitle)
{
    const std::vector<TRyvItem> one { Task(Mon, Mon + OneHour, u"T"_qs) };
    const struct {
        QString title;
        QString pageTitle, caption;
    } cases[] = {
        { u"Team A\r\nDecember 2021"_qs, u"Team A: December 2021"_qs,
            u"Team A<small><br />December 2021</small>"_qs },
        // Without a report title the period alone, no separator before it.
        { u"\r\nDecember 2021"_qs, u"December 2021"_qs, u"<small><br />December 2021</small>"_qs },
        { u"A\r\nB\r\nC"_qs, u"A: B: C"_qs, u"A<small><br />B<br />C</small>"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pageTitle.toStdString());
        const QString html = ReportHtmlText(one, true, c.title);
        EXPECT_TRUE(html.contains(u"<title>"_qs + c.pageTitle + u"</title>"_qs));
        EXPECT_TRUE(html.contains(u"<caption class=\"tbl-cap\">"_qs + c.caption + u"</caption>"_qs))
            << c.caption.toStdString();
    }
}

TEST_F(HtmlExportTest, EveryInsertedTextIsEscaped)
{
    TAppTextsScope texts;
    texts.Texts().str_daily_total = u"Total <b>"_qs;
    const std::vector<TRyvItem> list { Task(Mon + OneHour, Mon + 2 * OneHour,
        u"<script>alert(\"x\")</script> & co"_qs, u"https://x/\"><script>"_qs) };
    const QString html = ListHtmlText(list, u"R&D <i>\r\n\"Q\""_qs, false);
    EXPECT_FALSE(html.contains(u"<script>"_qs));
    EXPECT_FALSE(html.contains(u"<b>"_qs));
    EXPECT_FALSE(html.contains(u"<i>\r"_qs));
    EXPECT_TRUE(html.contains(u"<a href=\"https://x/&quot;&gt;&lt;script&gt;\">"
                              "&lt;script&gt;alert(&quot;x&quot;)&lt;/script&gt; &amp; co</a>"_qs));
    EXPECT_TRUE(html.contains(u"<title>R&amp;D &lt;i&gt;: &quot;Q&quot;</title>"_qs));
    EXPECT_TRUE(html.contains(u"R&amp;D &lt;i&gt;<small><br />&quot;Q&quot;</small>"_qs));
    EXPECT_TRUE(html.contains(u"Total &lt;b&gt;"_qs));
}

TEST_F(HtmlExportTest, LongTitleCutAfter128CharactersInsideItsLink)
{
    const QString title = QString(120, u'a') + QString(80, u'b');
    const QString html
        = ListHtmlText({ Task(Mon, Mon + OneHour, title, u"https://t/9"_qs) }, QString(), false);
    EXPECT_TRUE(html.contains(
        u"<a href=\"https://t/9\">"_qs + QString(120, u'a') + QString(8, u'b') + u" ...</a>"_qs));
}

TEST_F(HtmlExportTest, TitleCutKeepsCharactersWhole)
{
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80"); // two UTF-16 units
    const struct {
        const char* name;
        QString title;
        QString shown;
    } cases[] = {
        { "exactly 128 units", QString(128, u'a'), QString(128, u'a') },
        { "pair across the cut", QString(127, u'a') + smile + u"bc"_qs,
            QString(127, u'a') + u" ..."_qs },
        { "pair before the cut", QString(126, u'a') + smile + u"bc"_qs,
            QString(126, u'a') + smile + u" ..."_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString html = ReportHtmlText({ Task(0, OneHour, c.title) }, false, u"x"_qs);
        EXPECT_TRUE(html.contains(u"<span class=\"pba\">"_qs + c.shown + u"</span>"_qs));
        // The written file holds no half character.
        EXPECT_EQ(QString::fromUtf8(html.toUtf8()), html);
    }
}

TEST_F(HtmlExportTest, ListOverSeveralDaysWithoutTitleShowsAGrandTotal)
{
    const std::vector<TRyvItem> list { Task(At(Mon, 9), At(Mon, 10), u"A"_qs),
        Task(At(Mon + 1, 9), At(Mon + 1, 11), u"B"_qs) };
    const QString html = ListHtmlText(list, QString(), false);
    EXPECT_TRUE(html.contains(u"<title>13/12/2021 - 14/12/2021</title>"_qs));
    EXPECT_EQ(html.count(u"Daily total:"_qs), 2);
    EXPECT_TRUE(
        html.contains(u"TOTAL:</td><td class=\"alr plarge\"><span class=\"pba totalb\">3:00"_qs));
    // A title given by the user names the list; then there is no grand total.
    EXPECT_FALSE(ListHtmlText(list, u"Team A"_qs, false).contains(u"TOTAL:"_qs));
}

TEST_F(HtmlExportTest, ReportShapes)
{
    const TDateTime tue = Mon + 1;
    const std::vector<TRyvItem> daily { Task(Mon, Mon + 2 * OneHour, u"A"_qs),
        Task(Mon, Mon + OneHour, u"B"_qs), Task(tue, tue + 3 * OneHour, u"A"_qs) };
    const QString dayRow
        = u"<tr><td class=\"all\"><span class=\"pba\">A</span></td>"
          "<td class=\"alr plarge\"><span class=\"pba bold\">2:00</span></td></tr>"_qs;
    const QString dayTotal
        = u"<tr class=\"bt\"><td class=\"alr gray pt2\" colspan=\"1\">Daily total:</td>"
          "<td class=\"alr plarge\"><span class=\"pba total\">3:00</span></td></tr>"
          "<tr class=\"nob\"><td class=\"nob\" colspan=\"2\">&nbsp;</td></tr>"_qs;
    const QString total = u"<tr class=\"bt\"><td class=\"alr pt2 bold\" colspan=\"1\">TOTAL:</td>"
                          "<td class=\"alr plarge\"><span class=\"pba totalb\">"_qs;

    // One day: heading, rows, day total, never a grand total.
    const std::vector<TRyvItem> oneDay(daily.begin(), daily.begin() + 2);
    const QString today = ReportHtmlText(oneDay, true, QString());
    EXPECT_TRUE(today.contains(u"<title>Monday 13. December 2021</title>"_qs));
    EXPECT_TRUE(today.contains(
        u"<colgroup><col class=\"all\" /><col class=\"alr plarge\" /></colgroup>"_qs));
    EXPECT_TRUE(today.contains(u"colspan=\"2\">Monday 13. December 2021</td></tr>"_qs + dayRow));
    EXPECT_TRUE(today.contains(dayTotal + u"</tbody>"_qs));
    EXPECT_FALSE(today.contains(u"TOTAL:"_qs));

    // A week per day: a block per day, then the grand total.
    const QString week = ReportHtmlText(daily, false, u"\r\n13/12/ - 19/12/ 2021"_qs);
    EXPECT_EQ(week.count(u"group-title"_qs), 3); // the style sheet and two headings
    EXPECT_TRUE(week.contains(dayTotal + u"<tr class=\"bb\">"_qs));
    EXPECT_TRUE(week.contains(total + u"6:00</span></td></tr></tbody>"_qs));

    // A period without days: no headings, no day totals, sums over a day in hours.
    const std::vector<TRyvItem> year { Task(0, 30 * OneHour, u"A"_qs), Task(0, OneHour, u"B"_qs) };
    const QString y = ReportHtmlText(year, false, u"\r\n2021"_qs);
    EXPECT_FALSE(y.contains(u"Daily total:"_qs));
    EXPECT_EQ(y.count(u"group-title"_qs), 1);
    EXPECT_TRUE(y.contains(u"<span class=\"pba bold\">30:00</span>"_qs));
    EXPECT_TRUE(y.contains(total + u"31:00</span></td></tr></tbody>"_qs));
}

} // namespace
} // namespace ryv
