#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <vector>

namespace ryv {

class TClock;
class TPdfConverter;
class TRyvOptions;

// How writing an export or a report ended. A report that cannot be loaded
// (an invalid group mask) writes nothing; a file that cannot be written
// leaves any older file of that name as it was.
enum class TWriteStatus { Ok, InvalidMask, WriteFailed };

// Writes day lists and reports as CSV (UTF-8 with byte-order mark), HTML
// (UTF-8) and PDF files, creating the file's folder first. Every file
// replaces its target in one step. On failure errorText holds the mask's
// error or the system's error text.
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

    // The summary document of the period, as the HTML and PDF reports show it.
    bool ReportHtml(TDateTime first, TDateTime last, bool daily, bool byGroups,
        const QString& title, QString& html, QString* errorText) const;

private:
    TWriteStatus WriteReportDocument(bool pdf, const QString& fileName, TDateTime first,
        TDateTime last, bool daily, bool byGroups, const QString& title, QString* errorText);

    const TRyvOptions& FOptions;
    const TClock& FClock;
    TPdfConverter& FPdf;
};

} // namespace ryv
