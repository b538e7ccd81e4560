#pragma once

#include "core/datetime.h"

#include <QString>

namespace ryv {

// Whether a period's summary is broken down by day.
enum class TPeriodDaily { Always, FromCheckBox, Never };

// The days one period button of the reports panel covers.
struct TReportPeriod final {
    TDateTime first = 0; // midnight of the first day
    TDateTime last = 0; // midnight of the last day
    TPeriodDaily daily = TPeriodDaily::Always;
    QString periodText; // empty for the single-day periods
};

// The period of the button with this tag, pressed at now. Tags: 0 today,
// 1 this week, 2 this month, 4 this year, 5 yesterday, 6 last week, 7 last
// month, 9 last year; any other tag is taken as 0. Weeks run from Monday.
TReportPeriod ReportPeriod(int tag, TDateTime now);

// Whether the summary of the period is per day, given the " Daily" box.
bool PeriodIsDaily(const TReportPeriod& period, bool dailyChecked);

// reportsTitle, then (when there is a period text) CR LF and the period text
// with its first letter made upper case, for languages that write month names
// in lower case. The HTML writers show the part after the line break as a
// subtitle.
QString ReportTitle(const QString& reportsTitle, const QString& periodText);

} // namespace ryv
