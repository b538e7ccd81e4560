#include "reports/reportcharts.h"

#include "core/apptexts.h"
#include "core/clock.h"
#include "core/regional.h"
#include "core/ryvoptions.h"
#include "reportfakes.h"
#include "reports/pdfconverter.h"
#include "reports/reportperiods.h"
#include "reports/reportwriter.h"
#include "reporttesthelpers.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);

// The summary rows of a period: title and hours, largest first.
std::vector<TRyvItem> Totals(const std::vector<std::pair<QString, double>>& rows)
{
    std::vector<TRyvItem> totals;
    for (const auto& [title, hours] : rows)
        totals.push_back(Task(0, hours * OneHour, title));
    return totals;
}

// The texts of the chart, in document order; the chart must be well-formed
// XML, which also proves every text escaped.
QStringList SvgTexts(const QString& html)
{
    QStringList texts;
    const qsizetype start = html.indexOf(u"<svg"_qs);
    const qsizetype end = html.lastIndexOf(u"</svg>"_qs);
    EXPECT_GE(start, 0);
    QXmlStreamReader xml(
        u"<charts>"_qs + html.mid(start, end + 6 - start).remove(u"<br />"_qs) + u"</charts>"_qs);
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == u"text"_qs)
            texts << xml.readElementText();
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    return texts;
}

TEST(ReportCharts, BarsLargestFirstTheRestAsOthers)
{
    std::vector<std::pair<QString, double>> rows;
    for (int i = 0; i < 14; ++i)
        rows.push_back({ u"Task %1"_qs.arg(i + 1), 20.0 - i });
    rows[2].first = u"<script>alert('x')</script> & \x01more"_qs;
    const QString html = ReportChartsHtml(Totals(rows), false, u"Others"_qs, Mon, 0, {});

    const QStringList texts = SvgTexts(html);
    // The heading, then label and time of each of 12 bars and the rest.
    ASSERT_EQ(texts.size(), 1 + 2 * 13) << texts.join(u'|').toStdString();
    EXPECT_EQ(texts[0], u"Time per task"_qs);
    EXPECT_EQ(texts[1], u"Task 1"_qs);
    EXPECT_EQ(texts[2], u"20:00"_qs);
    EXPECT_EQ(texts[5], u"<script>alert('x')</script> &  more"_qs);
    EXPECT_EQ(texts[23], u"Task 12"_qs);
    EXPECT_EQ(texts[25], u"Others"_qs);
    EXPECT_EQ(texts[26], u"15:00"_qs); // 8 + 7 hours
    // Nothing to run, nothing to fetch.
    for (const QString& s : { u"<script"_qs, u"href"_qs, u"src="_qs, u"url("_qs })
        EXPECT_FALSE(html.contains(s)) << s.toStdString();
    // The bars wear the colour of the day headings.
    EXPECT_TRUE(html.contains(u"fill=\""_qs + StyleSheetValue(u".group-title"_qs, u"color"_qs)));
}

TEST(ReportCharts, GroupsAndDays)
{
    TAppTextsScope german;
    german.Texts().str_others = u"Übrige"_qs;
    german.Texts().str_chart_groups = u"Zeit je Gruppe"_qs;
    // The summary's own group of unmatched tasks joins the rest, drawn last.
    const QString html = ReportChartsHtml(Totals({ { u"Übrige"_qs, 5 }, { u"Meetings"_qs, 3 } }),
        true, u"Übrige"_qs, Mon, 7, { { 0, 2 * OneHour }, { 2, 6 * OneHour } });
    const QStringList texts = SvgTexts(html);
    ASSERT_GE(texts.size(), 5);
    EXPECT_EQ(texts.mid(0, 5),
        (QStringList {
            u"Zeit je Gruppe"_qs, u"Meetings"_qs, u"3:00"_qs, u"Übrige"_qs, u"5:00"_qs }));
    // Columns: a heading, the times of the days with time, a number per day.
    EXPECT_EQ(texts.mid(5),
        (QStringList { u"Time per day"_qs, u"2:00"_qs, u"13"_qs, u"14"_qs, u"6:00"_qs, u"15"_qs,
            u"16"_qs, u"17"_qs, u"18"_qs, u"19"_qs }));
    EXPECT_EQ(html.count(u"<svg "_qs), 2);
}

TEST(ReportCharts, StyleSheetValues)
{
    EXPECT_EQ(StyleSheetValue(u".group-title"_qs, u"color"_qs), u"#0066cc"_qs);
    EXPECT_EQ(StyleSheetValue(u".tbl th"_qs, u"background-color"_qs), u"#eee"_qs);
    EXPECT_EQ(StyleSheetValue(u".bt"_qs, u"border-top"_qs), u"1px solid #ccc"_qs);
    EXPECT_EQ(StyleSheetValue(u".gray"_qs, u"color"_qs), u"#999"_qs);
    EXPECT_EQ(StyleSheetValue(u".gray"_qs, u"font-size"_qs), QString());
    EXPECT_EQ(StyleSheetValue(u".nothing"_qs, u"color"_qs), QString());
}

// The charts come with the option only; without it the report is the very
// document it always was.
TEST(ReportCharts, OnlyWithTheOption)
{
    TRegionalScope locale("en_GB");
    QTemporaryDir dir;
    TRyvOptions options(dir.path());
    const QString path = options.FolderData + u"2021/2021-12-14.lst"_qs;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("kind;state;start;stop;\"title\";\"url\";\"descr\"\r\n"
            "0;0;2021-12-14 09:00:00;2021-12-14 10:00:00;\"A\";\"\";\"\"\r\n");
    f.close();
    TManualClock clock(Mon + 3);
    TFakeRunner runner;
    TPdfConverter pdf(options.FolderPlugins, QString(), runner, nullptr);
    TReportWriter writer(options, clock, pdf);
    const TReportPeriod week = ReportPeriod(1, clock.Now());

    QByteArray plain;
    ASSERT_EQ(
        writer.ReportBytes(TExportType::Html, week, true, false, plain, nullptr), TWriteStatus::Ok);
    EXPECT_FALSE(plain.contains("<svg"));
    EXPECT_TRUE(plain.contains("</style></head><body><table class=\"tbl\""));

    options.ReportCharts = true;
    QByteArray charts;
    ASSERT_EQ(writer.ReportBytes(TExportType::Html, week, true, false, charts, nullptr),
        TWriteStatus::Ok);
    EXPECT_TRUE(charts.contains("<body><div class=\"charts\""));
    EXPECT_EQ(charts.count("<svg "), 2); // daily: the columns as well
    // The rest of the document is unchanged.
    const qsizetype lead = charts.indexOf("</div>") + 6 - charts.indexOf("<div class=\"charts\"");
    EXPECT_EQ(charts.size() - lead, plain.size());
    ASSERT_EQ(writer.ReportBytes(TExportType::Html, week, false, false, charts, nullptr),
        TWriteStatus::Ok);
    EXPECT_EQ(charts.count("<svg "), 1);

    // CSV and JSON have no charts.
    QByteArray csv;
    ASSERT_EQ(
        writer.ReportBytes(TExportType::Csv, week, true, false, csv, nullptr), TWriteStatus::Ok);
    EXPECT_FALSE(csv.contains("svg"));
}

} // namespace
} // namespace ryv
