#pragma once

#include "core/ryvitem.h"

#include <QString>

#include <vector>

namespace ryv {

// The two HTML documents: a day list and the summary of a report period.
// Both are one self-contained page: an embedded style sheet and one centred
// table, laid out to print well (rows are not split across pages). Every text
// that comes from the user, the locale or a language file is HTML-escaped,
// so a task titled "<script>" shows as text instead of running in the
// browser; the frame and the row templates are written as they stand.

// The style sheet both documents embed.
const QString& ReportStyleSheet();

// "&", "<", ">" and the double quote as entities; safe in text and in
// attribute values.
QString HtmlEscape(const QString& text);

// Every entry of the day list, breaks included, under its day heading with
// the day total; a grand total only when the list spans more than one day
// and no title was given. title is the report title from the options, shown
// as the caption; showStop adds the stop time to each task.
QString ListHtmlText(const std::vector<TRyvItem>& list, const QString& title, bool showStop);

// The summary of a period (SummarizeReport's result); single is true when
// the period is one day, which leaves out the grand total. title is the
// report title; the part after its first CR LF shows as a subtitle. charts
// (ReportChartsHtml), when given, leads the page body.
QString ReportHtmlText(const std::vector<TRyvItem>& summary, bool single, const QString& title,
    const QString& charts = {});

} // namespace ryv
