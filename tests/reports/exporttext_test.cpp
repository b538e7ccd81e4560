#include "reports/exporttext.h"

#include "core/apptexts.h"
#include "core/regional.h"
#include "reporttesthelpers.h"

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Day = EncodeDate(2021, 12, 13);

TDateTime At(int hour, int minute)
{
    return Day + hour * OneHour + minute * OneMinute;
}

TEST(ExportText, ClipboardAndCsvLinesOfTasksOnly)
{
    const TRegionalScope uk("en_GB");
    const std::vector<TRyvItem> list {
        Task(At(9, 0), At(10, 30), u"Weekly report"_qs, {}, {}, ryvsDone),
        Break(At(10, 30), At(10, 45)),
        Task(At(10, 45), At(11, 5), u"Say \"hi\"; then go"_qs, u"https://x/?q=\"a\""_qs,
            u"line one\r\nline two"_qs),
    };
    EXPECT_EQ(ListClipboardText(list),
        u"\"state\"\tstart\tstop\tduration\t\"title\"\t\"url\"\t\"descr\"\r\n"
        "\"X\"\t09:00\t10:30\t1:30\t\"Weekly report\"\t\"\"\t\"\"\r\n"
        "\"\"\t10:45\t11:05\t0:20\t\"Say 'hi'; then go\"\t\"https://x/?q='a'\"\t"
        "\"line one\r\nline two\""_qs);
    EXPECT_EQ(ListCsvText(list),
        u"\"state\";start;stop;duration;\"title\";\"url\";\"descr\"\r\n"
        "\"X\";09:00;10:30;1:30;\"Weekly report\";\"\";\"\"\r\n"
        "\"\";10:45;11:05;0:20;\"Say 'hi'; then go\";\"https://x/?q='a'\";"
        "\"line one\r\nline two\""_qs);
    EXPECT_EQ(ReportCsvText(list),
        u"start;stop;duration;\"title\";\"url\";\"descr\"\r\n"
        "09:00;10:30;1:30;\"Weekly report\";\"\";\"\"\r\n"
        "10:45;11:05;0:20;\"Say 'hi'; then go\";\"https://x/?q='a'\";"
        "\"line one\r\nline two\""_qs);
}

TEST(ExportText, HeaderAloneWithoutTasks)
{
    const std::vector<std::vector<TRyvItem>> lists { {}, { Break(At(9, 0), At(10, 0)) } };
    for (const auto& list : lists) {
        SCOPED_TRACE(list.empty() ? "no entries" : "a break alone");
        EXPECT_EQ(ListClipboardText(list),
            u"\"state\"\tstart\tstop\tduration\t\"title\"\t\"url\"\t\"descr\""_qs);
        EXPECT_EQ(ReportCsvText(list), u"start;stop;duration;\"title\";\"url\";\"descr\""_qs);
    }
}

TEST(ExportText, TimesFollowTheLocaleAndDurationsWrapAtADay)
{
    const struct {
        const char* locale;
        TDateTime start, stop;
        QString times; // start;stop;duration
    } cases[] = {
        { "en_GB", At(9, 0), At(9, 0) + 1.0, u"09:00;09:00;0:00"_qs },
        { "en_GB", At(8, 0), At(8, 0) + 25.5 * OneHour, u"08:00;09:30;1:30"_qs },
        { "en_GB", At(9, 0), At(9, 0) + 59.9 * OneSecond, u"09:00;09:00;0:00"_qs },
        { "fi_FI", At(9, 0), At(17, 5), u"09.00;17.05;8.05"_qs },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.locale);
        const TRegionalScope scope(c.locale);
        const QString text = ReportCsvText({ Task(c.start, c.stop, u"T"_qs) });
        EXPECT_EQ(text.section(u"\r\n"_qs, 1), c.times + u";\"T\";\"\";\"\""_qs);
    }
}

TEST(ExportFilter, TypeOfTheExtensionFirst)
{
    const struct {
        QString ext;
        QString filter;
        QStringList qt;
    } cases[] = {
        { u"pdf"_qs,
            u"PDF files (*.pdf)|*.pdf|HTML files (*.html)|*.html|CSV files (*.csv)|*.csv|"
            "JSON files (*.json)|*.json"_qs,
            { u"PDF files (*.pdf)"_qs, u"HTML files (*.html)"_qs, u"CSV files (*.csv)"_qs,
                u"JSON files (*.json)"_qs } },
        { u"csv"_qs,
            u"CSV files (*.csv)|*.csv|HTML files (*.html)|*.html|PDF files (*.pdf)|*.pdf|"
            "JSON files (*.json)|*.json"_qs,
            { u"CSV files (*.csv)"_qs, u"HTML files (*.html)"_qs, u"PDF files (*.pdf)"_qs,
                u"JSON files (*.json)"_qs } },
        { u"json"_qs,
            u"JSON files (*.json)|*.json|HTML files (*.html)|*.html|PDF files (*.pdf)|*.pdf|"
            "CSV files (*.csv)|*.csv"_qs,
            { u"JSON files (*.json)"_qs, u"HTML files (*.html)"_qs, u"PDF files (*.pdf)"_qs,
                u"CSV files (*.csv)"_qs } },
        { u"html"_qs,
            u"HTML files (*.html)|*.html|PDF files (*.pdf)|*.pdf|CSV files (*.csv)|*.csv|"
            "JSON files (*.json)|*.json"_qs,
            { u"HTML files (*.html)"_qs, u"PDF files (*.pdf)"_qs, u"CSV files (*.csv)"_qs,
                u"JSON files (*.json)"_qs } },
        { u"txt"_qs,
            u"HTML files (*.html)|*.html|PDF files (*.pdf)|*.pdf|CSV files (*.csv)|*.csv|"
            "JSON files (*.json)|*.json"_qs,
            { u"HTML files (*.html)"_qs, u"PDF files (*.pdf)"_qs, u"CSV files (*.csv)"_qs,
                u"JSON files (*.json)"_qs } },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.ext.toStdString());
        EXPECT_EQ(ExportFilter(c.ext), c.filter);
        EXPECT_EQ(QtFileFilters(ExportFilter(c.ext)), c.qt);
    }
}

TEST(ExportFilter, TranslatedDescriptionGetsItsMask)
{
    EXPECT_EQ(QtFileFilters(u"HTML-Dateien|*.html;*.htm|PDF (*.pdf)|*.pdf"_qs),
        (QStringList { u"HTML-Dateien (*.html *.htm)"_qs, u"PDF (*.pdf)"_qs }));
}

TEST(ExportType, ChosenByTheFirstThreeLetters)
{
    const struct {
        QString path;
        QString ext;
        TExportType type;
    } cases[] = {
        { u"/r/Today.CSV"_qs, u"csv"_qs, TExportType::Csv },
        { u"/r/a.pdf"_qs, u"pdf"_qs, TExportType::Pdf },
        { u"/r/report.txt"_qs, u"txt"_qs, TExportType::Html },
        { u"/r/report.htm"_qs, u"htm"_qs, TExportType::Html },
        { u"/r/report.csvx"_qs, u"csvx"_qs, TExportType::Csv },
        { u"/r/Month.JSON"_qs, u"json"_qs, TExportType::Json },
        { u"/r.d/report"_qs, u"html"_qs, TExportType::Html },
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        EXPECT_EQ(ExtensionOfPath(c.path), c.ext);
        EXPECT_EQ(ExportTypeOf(ExtensionOfPath(c.path)), c.type);
    }
}

} // namespace
} // namespace ryv
