#pragma once

#include "core/ryvitem.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace ryv {

// The plain-text outputs of entries: one line per task, breaks left out,
// lines separated by CR LF with none after the last, the header first. Times
// as "hh:nn" and durations as "h:nn" (hours modulo 24) in the user's regional
// settings; texts quoted, with each double quote turned into a single quote.

// Tab-separated, for spreadsheets: "state", start, stop, duration, "title",
// "url", "descr".
QString ListClipboardText(const std::vector<TRyvItem>& list);
// The same fields separated by ";", for WriteListCsv.
QString ListCsvText(const std::vector<TRyvItem>& list);
// start;stop;duration;"title";"url";"descr", for WriteReportCsv.
QString ReportCsvText(const std::vector<TRyvItem>& entries);

// The save dialog's filter list as "description|mask" pairs joined by "|":
// HTML, PDF, CSV and JSON, with the type of ext (its first three letters)
// first.
QString ExportFilter(const QString& ext);
// The pairs turned into Qt's "description (mask)" form, in the same order.
QStringList QtFileFilters(const QString& filter);

// The first three letters of an extension choose the writer.
enum class TExportType { Html, Pdf, Csv, Json };
TExportType ExportTypeOf(const QString& ext);

// The extension of a chosen path, lower case without the dot; "html" when
// it has none.
QString ExtensionOfPath(const QString& path);

} // namespace ryv
