#include "reports/textdocumentpdfrenderer.h"

#include "core/apptexts.h"
#include "core/regional.h"
#include "reports/htmlexport.h"
#include "reports/pdfconverter.h"
#include "reports/reportcharts.h"
#include "reports/shellprogramrunner.h"
#include "reporttesthelpers.h"

#include <QColor>
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace ryv {
namespace {

const TDateTime Mon = EncodeDate(2021, 12, 13);

// The real converter and the real fallback, checked by the text a PDF reader
// finds in their output.
class PdfOutputTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(FDir.isValid());
        FHtml = ListHtmlText(
            { Task(Mon + 9 * OneHour, Mon + 10.5 * OneHour, u"Weekly report"_qs, {}, {}, ryvsDone),
                Break(Mon + 10.5 * OneHour, Mon + 11 * OneHour),
                Task(Mon + 11 * OneHour, Mon + 12 * OneHour, u"Fix <parser> & tests"_qs,
                    u"https://t/1"_qs) },
            u"Team A"_qs, true);
    }

    void ExpectReportText(const QString& pdf)
    {
        const QString text = PdfText(pdf);
        for (const QString& s : { u"Team A"_qs, u"Monday 13. December 2021"_qs, u"Weekly report"_qs,
                 u"Fix <parser> & tests"_qs, u"09:00 - 10:30"_qs, u"1:30"_qs, u"Break:"_qs,
                 u"Daily total:"_qs, u"2:30"_qs })
            EXPECT_TRUE(text.contains(s)) << s.toStdString() << "\n" << text.toStdString();
        // The converter's private folder is gone.
        EXPECT_TRUE(QDir(FDir.path()).entryList({ u"ryvtracker-*"_qs }, QDir::Dirs).isEmpty());
    }

    TRegionalScope FLocale { "en_GB" };
    QTemporaryDir FDir;
    QString FHtml;
    TShellProgramRunner FRunner;
    TTextDocumentPdfRenderer FRenderer;
};

TEST_F(PdfOutputTest, ThroughWkhtmltopdf)
{
    if (QStandardPaths::findExecutable(u"wkhtmltopdf"_qs).isEmpty())
        GTEST_SKIP() << "wkhtmltopdf is not installed";
    // Without a fallback, a result can only come from the converter.
    TPdfConverter converter(FDir.filePath(u"plugins/"_qs), FDir.path(), FRunner, nullptr);
    const QString pdf = FDir.filePath(u"list.pdf"_qs);
    QString error;
    ASSERT_TRUE(converter.Convert(FHtml, pdf, &error)) << error.toStdString();
    ExpectReportText(pdf);
}

TEST_F(PdfOutputTest, ThroughQtsOwnWriterWhenThereIsNoConverter)
{
    TPdfConverter converter(FDir.filePath(u"plugins/"_qs), FDir.path(), FRunner, &FRenderer);
    converter.SetSearchPath(false);
    ASSERT_TRUE(converter.FindConverter().isEmpty());
    const QString pdf = FDir.filePath(u"sub/list.pdf"_qs);
    QString error;
    ASSERT_TRUE(converter.Convert(FHtml, pdf, &error)) << error.toStdString();
    ExpectReportText(pdf);
    EXPECT_TRUE(PdfText(pdf).contains(QChar(0x2713))); // the done mark
}

// The pixels of the first page, as a PDF viewer shows them, that wear the
// colour of the bars, in the top third of the page (where the charts go).
int BarPixelsAtTheTop(const QString& pdf)
{
    const QString prefix = pdf + u".page"_qs;
    QProcess p;
    p.start(u"pdftoppm"_qs,
        { u"-r"_qs, u"50"_qs, u"-png"_qs, u"-f"_qs, u"1"_qs, u"-l"_qs, u"1"_qs, u"-singlefile"_qs,
            pdf, prefix });
    if (!p.waitForFinished(60000) || p.exitCode() != 0)
        return -1;
    const QImage page(prefix + u".png"_qs);
    if (page.isNull())
        return -1;
    const QColor bar(StyleSheetValue(u".group-title"_qs, u"color"_qs));
    int count = 0;
    for (int y = 0; y < page.height() / 3; ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor c = page.pixelColor(x, y);
            if (std::abs(c.red() - bar.red()) < 40 && std::abs(c.green() - bar.green()) < 40
                && std::abs(c.blue() - bar.blue()) < 40)
                ++count;
        }
    }
    return count;
}

// The charts are drawn in the PDF by the converter and by the built-in
// writer: with them the top of the page is full of bars, without them it
// holds a few coloured letters at most.
TEST_F(PdfOutputTest, ChartsAreDrawn)
{
    std::vector<TRyvItem> totals;
    for (int i = 0; i < 5; ++i)
        totals.push_back(Task(0, (8 - i) * OneHour, u"Task %1"_qs.arg(i)));
    const QString charts = ReportChartsHtml(totals, false, u"Others"_qs, Mon, 5,
        { { 0, 4 * OneHour }, { 1, 8 * OneHour }, { 3, 6 * OneHour }, { 4, 2 * OneHour } });
    const bool converter = !QStandardPaths::findExecutable(u"wkhtmltopdf"_qs).isEmpty();
    for (const bool builtIn : { false, true }) {
        if (!builtIn && !converter)
            continue;
        SCOPED_TRACE(builtIn ? "built-in writer" : "wkhtmltopdf");
        TPdfConverter pdf(
            FDir.filePath(u"plugins/"_qs), FDir.path(), FRunner, builtIn ? &FRenderer : nullptr);
        pdf.SetSearchPath(!builtIn);
        int pixels[2] = {};
        for (const bool withCharts : { false, true }) {
            const QString file
                = FDir.filePath(QStringLiteral("c%1%2.pdf").arg(int(builtIn)).arg(int(withCharts)));
            QString error;
            ASSERT_TRUE(pdf.Convert(
                ReportHtmlText(totals, false, u"Report"_qs, withCharts ? charts : QString()), file,
                &error))
                << error.toStdString();
            pixels[withCharts] = BarPixelsAtTheTop(file);
        }
        EXPECT_GT(pixels[1], 1500) << pixels[0];
        EXPECT_LT(pixels[0] * 5, pixels[1]);
    }
}

// The document's title as a PDF viewer shows it (pdfinfo's "Title:").
QString PdfTitle(const QString& pdf)
{
    QProcess p;
    p.start(u"pdfinfo"_qs, { pdf });
    if (!p.waitForFinished(60000))
        return u"(pdfinfo failed)"_qs;
    for (const QString& line : QString::fromUtf8(p.readAllStandardOutput()).split(u'\n')) {
        if (line.startsWith(u"Title:"_qs))
            return line.mid(6).trimmed();
    }
    return {};
}

// The built-in writer names the document as the page's title. (Debian's
// wkhtmltopdf, built on an unpatched Qt, writes no title at all, not even
// with its --title option.)
TEST_F(PdfOutputTest, DocumentTitleIsTheReportsTitle)
{
    const QString html
        = ReportHtmlText({ Task(0, 2 * OneHour, u"T"_qs) }, false, u"Team A\r\nDecember 2021"_qs);
    TPdfConverter pdf(FDir.filePath(u"plugins/"_qs), FDir.path(), FRunner, &FRenderer);
    pdf.SetSearchPath(false);
    const QString file = FDir.filePath(u"title.pdf"_qs);
    QString error;
    ASSERT_TRUE(pdf.Convert(html, file, &error)) << error.toStdString();
    EXPECT_EQ(PdfTitle(file), u"Team A: December 2021"_qs);
}

// The bars' labels end at the bars (text-anchor "end") and must not pass
// the chart's left edge in any font the charts are drawn with: long titles,
// titles in other scripts, many rows. Measured with the fonts themselves.
TEST(ChartLabels, FitInTheFontsTheyAreDrawnWith)
{
    const QString titles[] = {
        u"Documentation: Benutzerhandbuch überarbeiten und ergänzen"_qs,
        u"WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"_qs,
        u"Ревизия документации пользователя и исправление ошибок"_qs,
        u"用户文档修订和错误修复以及新功能的说明文字测试"_qs,
        u"Meeting 🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂🙂"_qs,
        u"Short"_qs,
    };
    std::vector<TRyvItem> totals;
    for (int i = 0; i < 20; ++i)
        totals.push_back(Task(0, (30 - i) * OneHour, titles[i % std::size(titles)]));
    const QString html = ReportChartsHtml(totals, false, u"Others"_qs, Mon, 0, {});
    // Each label: its x (where it ends), its size and its text.
    static const QRegularExpression label(QStringLiteral(
        "<text x=\"([0-9.]+)\" y=\"[0-9.]+\" text-anchor=\"end\" font-size=\"([0-9]+)\"[^>]*>"
        "([^<]*)</text>"));
    int labels = 0;
    bool cut = false;
    for (const char* family : { "DejaVu Sans", "Nimbus Sans", "Liberation Sans" }) {
        QFont font { QString::fromLatin1(family) };
        for (auto it = label.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            font.setPixelSize(m.captured(2).toInt());
            const QString text = m.captured(3)
                                     .replace(u"&lt;"_qs, u"<"_qs)
                                     .replace(u"&gt;"_qs, u">"_qs)
                                     .replace(u"&quot;"_qs, u"\""_qs)
                                     .replace(u"&amp;"_qs, u"&"_qs);
            SCOPED_TRACE(family + (u" "_qs + text).toStdString());
            EXPECT_LE(QFontMetricsF(font).horizontalAdvance(text), m.captured(1).toDouble());
            cut = cut || text.endsWith(QChar(0x2026));
            ++labels;
        }
    }
    EXPECT_EQ(labels, 3 * 13);
    EXPECT_TRUE(cut);
    // The whole title stays with a cut label, as its tooltip.
    EXPECT_TRUE(html.contains(u"<title>"_qs + titles[0] + u"</title>"_qs));
    EXPECT_TRUE(html.contains(u">Short</text>"_qs));
}

} // namespace
} // namespace ryv
