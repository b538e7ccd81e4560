#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <map>
#include <vector>

namespace ryv {

// The charts that can lead an HTML or PDF report: inline SVG, drawn from the
// report's own numbers, with nothing to run and nothing to fetch, so the
// document stays one self-contained file that prints as it shows.
//
// totals: the time per task or group over the whole period, largest first
// (a summary without the daily breakdown). The first twelve get a bar each;
// the rest, and with byGroups the tasks of no group, share one bar under
// othersText, drawn last. With the daily breakdown dayCount is the number of
// days from first to last and dayTimes the time of each day that has any,
// by its index (0 is first), drawn as columns; without it dayCount is 0. The
// days without time are not listed, so a range of centuries costs what its
// days with entries cost. Colours come from the report's style sheet, words
// from the application texts, every text is escaped.
QString ReportChartsHtml(const std::vector<TRyvItem>& totals, bool byGroups,
    const QString& othersText, TDateTime first, int dayCount,
    const std::map<int, TDateTime>& dayTimes);

// The value of a property in one rule of the report's style sheet
// (".group-title", "color" -> "#0066cc"); empty when there is none.
QString StyleSheetValue(const QString& selector, const QString& property);

} // namespace ryv
