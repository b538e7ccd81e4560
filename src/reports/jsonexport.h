#pragma once

#include "core/datetime.h"
#include "core/ryvitem.h"

#include <QString>

#include <vector>

namespace ryv {

// The machine-readable outputs: one JSON object, indented, keys in
// alphabetical order (QJsonObject's own order), UTF-8 without byte-order
// mark. Times are ISO 8601 local times with their UTC offset, so a script
// reads them without knowing the writer's time zone; durations and totals
// are whole seconds (milliseconds dropped), and totals are the sums of the
// durations listed, so they always add up.

// Every entry of a day list, breaks included, with the day total of its
// tasks. day is the list's day (midnight); title the report title from the
// options.
QString ListJsonText(const std::vector<TRyvItem>& list, TDateTime day, const QString& title);

// What a report object holds besides its entries.
struct TReportJsonHeader final {
    QString title; // the report title from the options, without the period
    QString periodText; // as the HTML caption shows it; empty for one day
    TDateTime first = 0; // midnight of the first and the last day
    TDateTime last = 0;
    bool daily = false; // the summary is per day
    bool byGroups = false;
};

// A report: entries are all the period's entries as loaded (breaks
// included, task titles renamed by the group masks); summary is what
// SummarizeReport made of its tasks, written as the rows of the report
// with the day of each row when daily. Totals: the whole period and each
// day that has tasks.
QString ReportJsonText(const TReportJsonHeader& header, const std::vector<TRyvItem>& entries,
    const std::vector<TRyvItem>& summary);

// t as "yyyy-MM-ddTHH:mm:ss+hh:mm" in local time with the offset in force
// then.
QString IsoLocalTime(TDateTime t);
// A duration in whole seconds, from milliseconds rounded as the duration
// texts round them.
qint64 DurationSeconds(TDateTime d);

} // namespace ryv
