#include "reports/textdocumentpdfrenderer.h"

#include "core/apptexts.h"
#include "core/regional.h"
#include "reports/htmlexport.h"
#include "reports/pdfconverter.h"
#include "reports/shellprogramrunner.h"
#include "reporttesthelpers.h"

#include <QDir>
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
        EXPECT_TRUE(QDir(FDir.filePath(u"data"_qs)).isEmpty());
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
    TPdfConverter converter(
        FDir.filePath(u"plugins/"_qs), FDir.filePath(u"data/"_qs), FRunner, nullptr);
    const QString pdf = FDir.filePath(u"list.pdf"_qs);
    QString error;
    ASSERT_TRUE(converter.Convert(FHtml, pdf, &error)) << error.toStdString();
    ExpectReportText(pdf);
}

TEST_F(PdfOutputTest, ThroughQtsOwnWriterWhenThereIsNoConverter)
{
    TPdfConverter converter(
        FDir.filePath(u"plugins/"_qs), FDir.filePath(u"data/"_qs), FRunner, &FRenderer);
    converter.SetSearchPath(false);
    ASSERT_TRUE(converter.FindConverter().isEmpty());
    const QString pdf = FDir.filePath(u"sub/list.pdf"_qs);
    QString error;
    ASSERT_TRUE(converter.Convert(FHtml, pdf, &error)) << error.toStdString();
    ExpectReportText(pdf);
    EXPECT_TRUE(PdfText(pdf).contains(QChar(0x2713))); // the done mark
}

} // namespace
} // namespace ryv
