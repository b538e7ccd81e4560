#include "reports/reportwriter.h"

#include "core/apptexts.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "reports/exporttext.h"
#include "reports/htmlexport.h"
#include "reports/pdfconverter.h"
#include "reports/reportfiles.h"
#include "reports/reportloader.h"
#include "reports/reportsummary.h"

#include <algorithm>

namespace ryv {

namespace {

bool WriteFile(const QString& text, const QString& fileName, bool withMark, QString* errorText)
{
    return EnsureFolderOf(fileName, errorText)
        && WriteTextFile(text, fileName, TTextEncoding::Utf8, withMark, errorText);
}

void RemoveBreaks(std::vector<TRyvItem>& entries)
{
    std::erase_if(entries, [](const TRyvItem& e) { return e.IsPause(); });
}

TWriteStatus WriteStatus(bool written)
{
    return written ? TWriteStatus::Ok : TWriteStatus::WriteFailed;
}

} // namespace

TReportWriter::TReportWriter(const TRyvOptions& options, const TClock& clock, TPdfConverter& pdf)
    : FOptions(options)
    , FClock(clock)
    , FPdf(pdf)
{
}

bool TReportWriter::WriteListCsv(
    const std::vector<TRyvItem>& list, const QString& fileName, QString* errorText)
{
    return WriteFile(ListCsvText(list), fileName, true, errorText);
}

bool TReportWriter::WriteListHtml(const std::vector<TRyvItem>& list, const QString& fileName,
    const QString& title, bool showStop, QString* errorText)
{
    return WriteFile(ListHtmlText(list, title, showStop), fileName, false, errorText);
}

bool TReportWriter::WriteListPdf(const std::vector<TRyvItem>& list, const QString& fileName,
    const QString& title, bool showStop, QString* errorText)
{
    return FPdf.Convert(ListHtmlText(list, title, showStop), fileName, errorText);
}

TWriteStatus TReportWriter::WriteReportCsv(
    const QString& fileName, TDateTime first, TDateTime last, QString* errorText)
{
    std::vector<TRyvItem> entries;
    if (!LoadReportEntries(FOptions, FClock, first, last, entries, errorText))
        return TWriteStatus::InvalidMask;
    RemoveBreaks(entries);
    return WriteStatus(WriteFile(ReportCsvText(entries), fileName, true, errorText));
}

bool TReportWriter::ReportHtml(TDateTime first, TDateTime last, bool daily, bool byGroups,
    const QString& title, QString& html, QString* errorText) const
{
    std::vector<TRyvItem> entries;
    if (!LoadReportEntries(FOptions, FClock, first, last, entries, errorText))
        return false;
    RemoveBreaks(entries);
    SummarizeReport(entries, daily, byGroups, FOptions.GroupMasks, AppTexts().str_others);
    html = ReportHtmlText(entries, DayOf(first) == DayOf(last), title);
    return true;
}

TWriteStatus TReportWriter::WriteReportHtml(const QString& fileName, TDateTime first,
    TDateTime last, bool daily, bool byGroups, const QString& title, bool /*showStop*/,
    QString* errorText)
{
    return WriteReportDocument(false, fileName, first, last, daily, byGroups, title, errorText);
}

TWriteStatus TReportWriter::WriteReportPdf(const QString& fileName, TDateTime first, TDateTime last,
    bool daily, bool byGroups, const QString& title, bool /*showStop*/, QString* errorText)
{
    return WriteReportDocument(true, fileName, first, last, daily, byGroups, title, errorText);
}

TWriteStatus TReportWriter::WriteReportDocument(bool pdf, const QString& fileName, TDateTime first,
    TDateTime last, bool daily, bool byGroups, const QString& title, QString* errorText)
{
    QString html;
    if (!ReportHtml(first, last, daily, byGroups, title, html, errorText))
        return TWriteStatus::InvalidMask;
    return WriteStatus(pdf ? FPdf.Convert(html, fileName, errorText)
                           : WriteFile(html, fileName, false, errorText));
}

} // namespace ryv
