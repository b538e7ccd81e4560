#include "reports/reportwriter.h"

#include "core/apptexts.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "reports/exporttext.h"
#include "reports/htmlexport.h"
#include "reports/jsonexport.h"
#include "reports/pdfconverter.h"
#include "reports/reportcharts.h"
#include "reports/reportfiles.h"
#include "reports/reportloader.h"
#include "reports/reportperiods.h"
#include "reports/reportsummary.h"

#include <algorithm>
#include <map>

namespace ryv {

namespace {

bool WriteFile(const QString& text, const QString& fileName, bool withMark, QString* errorText)
{
    return WriteOutputFile(EncodeText(text, TTextEncoding::Utf8, withMark), fileName, errorText);
}

void RemoveBreaks(std::vector<TRyvItem>& entries)
{
    std::erase_if(entries, [](const TRyvItem& e) { return e.IsPause(); });
}

TWriteStatus WriteStatus(bool written)
{
    return written ? TWriteStatus::Ok : TWriteStatus::WriteFailed;
}

// Only the CSV files lead with a byte-order mark: spreadsheets read UTF-8
// by it. The browser and JSON readers want none.
bool WithMark(TExportType type)
{
    return type == TExportType::Csv;
}

// The time of each day from first to last that has tasks, by its index from
// first, for the column chart.
std::map<int, TDateTime> DayTimes(
    const std::vector<TRyvItem>& tasks, TDateTime first, TDateTime last)
{
    const int d1 = DayOf(first);
    const int count = DayOf(last) - d1 + 1;
    std::map<int, TDateTime> times;
    for (const TRyvItem& e : tasks) {
        const int i = DayOf(e.start) - d1;
        if (i >= 0 && i < count)
            times[i] += LoggedDuration(e);
    }
    return times;
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
    QString charts;
    if (FOptions.ReportCharts && daily) {
        // The bars show the whole period; the entries are summed per day below.
        std::vector<TRyvItem> totals = entries;
        SummarizeReport(totals, false, byGroups, FOptions.GroupMasks, AppTexts().str_others);
        charts = ReportChartsHtml(totals, byGroups, AppTexts().str_others, first,
            std::max(0, DayOf(last) - DayOf(first) + 1), DayTimes(entries, first, last));
    }
    SummarizeReport(entries, daily, byGroups, FOptions.GroupMasks, AppTexts().str_others);
    if (FOptions.ReportCharts && !daily) // the summary is the bars' own
        charts = ReportChartsHtml(entries, byGroups, AppTexts().str_others, first, 0, {});
    html = ReportHtmlText(entries, DayOf(first) == DayOf(last), title, charts);
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

QString TReportWriter::ListText(
    TExportType type, const std::vector<TRyvItem>& list, TDateTime day) const
{
    switch (type) {
    case TExportType::Csv:
        return ListCsvText(list);
    case TExportType::Json:
        return ListJsonText(list, day, FOptions.ReportsTitle);
    case TExportType::Html:
    case TExportType::Pdf:
        break;
    }
    return ListHtmlText(list, FOptions.ReportsTitle, FOptions.ListShowStop);
}

QByteArray TReportWriter::ListBytes(
    TExportType type, const std::vector<TRyvItem>& list, TDateTime day) const
{
    return EncodeText(ListText(type, list, day), TTextEncoding::Utf8, WithMark(type));
}

bool TReportWriter::ListBytes(TExportType type, const std::vector<TRyvItem>& list, TDateTime day,
    QByteArray& bytes, QString* errorText)
{
    if (type == TExportType::Pdf)
        return FPdf.ConvertToBytes(ListText(type, list, day), bytes, errorText);
    bytes = ListBytes(type, list, day);
    return true;
}

bool TReportWriter::WriteList(TExportType type, const std::vector<TRyvItem>& list, TDateTime day,
    const QString& fileName, QString* errorText)
{
    if (type == TExportType::Pdf)
        return FPdf.Convert(ListText(type, list, day), fileName, errorText);
    return WriteFile(ListText(type, list, day), fileName, WithMark(type), errorText);
}

bool TReportWriter::ReportText(TExportType type, const TReportPeriod& period, bool dailyChecked,
    bool byGroups, QString& text, QString* errorText) const
{
    const bool daily = PeriodIsDaily(period, dailyChecked);
    switch (type) {
    case TExportType::Html:
    case TExportType::Pdf:
        return ReportHtml(period.first, period.last, daily, byGroups,
            ReportTitle(FOptions.ReportsTitle, period.periodText), text, errorText);
    case TExportType::Csv:
    case TExportType::Json:
        break;
    }
    std::vector<TRyvItem> entries;
    if (!LoadReportEntries(FOptions, FClock, period.first, period.last, entries, errorText))
        return false;
    if (type == TExportType::Csv) {
        RemoveBreaks(entries);
        text = ReportCsvText(entries);
        return true;
    }
    std::vector<TRyvItem> summary = entries;
    RemoveBreaks(summary);
    SummarizeReport(summary, daily, byGroups, FOptions.GroupMasks, AppTexts().str_others);
    text = ReportJsonText(TReportJsonHeader { FOptions.ReportsTitle, period.periodText,
                              period.first, period.last, daily, byGroups },
        entries, summary);
    return true;
}

TWriteStatus TReportWriter::ReportBytes(TExportType type, const TReportPeriod& period,
    bool dailyChecked, bool byGroups, QByteArray& bytes, QString* errorText) const
{
    QString text;
    if (!ReportText(type, period, dailyChecked, byGroups, text, errorText))
        return TWriteStatus::InvalidMask;
    if (type == TExportType::Pdf)
        return WriteStatus(FPdf.ConvertToBytes(text, bytes, errorText));
    bytes = EncodeText(text, TTextEncoding::Utf8, WithMark(type));
    return TWriteStatus::Ok;
}

TWriteStatus TReportWriter::WriteReport(TExportType type, const QString& fileName,
    const TReportPeriod& period, bool dailyChecked, bool byGroups, QString* errorText)
{
    QString text;
    if (!ReportText(type, period, dailyChecked, byGroups, text, errorText))
        return TWriteStatus::InvalidMask;
    return WriteStatus(type == TExportType::Pdf
            ? FPdf.Convert(text, fileName, errorText)
            : WriteFile(text, fileName, WithMark(type), errorText));
}

} // namespace ryv
