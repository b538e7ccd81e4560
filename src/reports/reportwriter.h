#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"
#include "reports/exporttext.h"

#include <QString>

#include <vector>

namespace ryv {

class TClock;
class TPdfConverter;
class TRyvOptions;
struct TReportPeriod;

// How writing an export or a report ended. A report that cannot be loaded
// (an invalid group mask) writes nothing; a file that cannot be written
// leaves any older file of that name as it was.
enum class TWriteStatus { Ok, InvalidMask, WriteFailed };

// Writes day lists and reports as CSV (UTF-8 with byte-order mark), HTML and
// JSON (UTF-8) and PDF files, creating the file's folder first. Every file
// replaces its target in one step, once complete; a character device or a
// FIFO is written into instead (WriteOutputFile). On failure errorText holds
// the mask's error or the system's error text.
//
// The window's commands and the command line both go through WriteList and
// WriteReport (or the text forms of the same documents), so the same period
// and options give the same file byte for byte. The report title, whether
// stop times show and whether reports lead with charts come from the
// options.
class TReportWriter final {
public:
    TReportWriter(const TRyvOptions& options, const TClock& clock, TPdfConverter& pdf);

    bool WriteListCsv(
        const std::vector<TRyvItem>& list, const QString& fileName, QString* errorText);
    bool WriteListHtml(const std::vector<TRyvItem>& list, const QString& fileName,
        const QString& title, bool showStop, QString* errorText);
    bool WriteListPdf(const std::vector<TRyvItem>& list, const QString& fileName,
        const QString& title, bool showStop, QString* errorText);

    // Every task of the period in day order, without merging or totals.
    TWriteStatus WriteReportCsv(
        const QString& fileName, TDateTime first, TDateTime last, QString* errorText);
    // The summary of the period (SummarizeReport). showStop has no effect on a
    // summary; it is taken for symmetry with the day list writers.
    TWriteStatus WriteReportHtml(const QString& fileName, TDateTime first, TDateTime last,
        bool daily, bool byGroups, const QString& title, bool showStop, QString* errorText);
    TWriteStatus WriteReportPdf(const QString& fileName, TDateTime first, TDateTime last,
        bool daily, bool byGroups, const QString& title, bool showStop, QString* errorText);

    // The summary document of the period, as the HTML and PDF reports show it,
    // led by the charts when the options ask for them.
    bool ReportHtml(TDateTime first, TDateTime last, bool daily, bool byGroups,
        const QString& title, QString& html, QString* errorText) const;

    // A day list (the entries of day) in the file type.
    bool WriteList(TExportType type, const std::vector<TRyvItem>& list, TDateTime day,
        const QString& fileName, QString* errorText);
    // The report of a period; dailyChecked is the state of the " Daily" box,
    // which the period may override.
    TWriteStatus WriteReport(TExportType type, const QString& fileName, const TReportPeriod& period,
        bool dailyChecked, bool byGroups, QString* errorText);

    // The bytes WriteList puts in a file of a type other than PDF, byte-order
    // mark included.
    QByteArray ListBytes(TExportType type, const std::vector<TRyvItem>& list, TDateTime day) const;
    // The same for every type: a PDF is converted, which may fail (false with
    // the reason).
    bool ListBytes(TExportType type, const std::vector<TRyvItem>& list, TDateTime day,
        QByteArray& bytes, QString* errorText);
    // The bytes WriteReport puts in the file; WriteFailed when a PDF cannot be
    // made.
    TWriteStatus ReportBytes(TExportType type, const TReportPeriod& period, bool dailyChecked,
        bool byGroups, QByteArray& bytes, QString* errorText) const;

private:
    QString ListText(TExportType type, const std::vector<TRyvItem>& list, TDateTime day) const;
    bool ReportText(TExportType type, const TReportPeriod& period, bool dailyChecked, bool byGroups,
        QString& text, QString* errorText) const;
    TWriteStatus WriteReportDocument(bool pdf, const QString& fileName, TDateTime first,
        TDateTime last, bool daily, bool byGroups, const QString& title, QString* errorText);

    const TRyvOptions& FOptions;
    const TClock& FClock;
    TPdfConverter& FPdf;
};

} // namespace ryv
