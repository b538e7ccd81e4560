#pragma once

#include "core/datetime.h"

#include <QString>

#include <array>

namespace ryv {

// How far a period reaches and how many of it back from now.
enum class TPeriodSpan { Day, Week, Month, Year };

// One period button of the reports panel (sbRep<tag>). The tag names the
// button (the language files address it by that name) and chooses the
// period; the caption is the English text before translation; the name is
// the period's name on the command line.
struct TReportPeriodDef final {
    int tag;
    const char* caption;
    const char* name;
    TPeriodSpan span;
    int back; // 0: the one now, 1: the one before
};

// The period buttons in the order the panel shows them: two columns of four,
// this period and the one before.
inline constexpr std::array<TReportPeriodDef, 8> ReportPeriods { {
    { 0, "Today", "today", TPeriodSpan::Day, 0 },
    { 1, "This week", "this-week", TPeriodSpan::Week, 0 },
    { 2, "This month", "this-month", TPeriodSpan::Month, 0 },
    { 4, "This year", "this-year", TPeriodSpan::Year, 0 },
    { 5, "Yesterday", "yesterday", TPeriodSpan::Day, 1 },
    { 6, "Last week", "last-week", TPeriodSpan::Week, 1 },
    { 7, "Last month", "last-month", TPeriodSpan::Month, 1 },
    { 9, "Last year", "last-year", TPeriodSpan::Year, 1 },
} };

// Whether a period's summary is broken down by day.
enum class TPeriodDaily { Always, FromCheckBox, Never };

// The days one period button of the reports panel covers.
struct TReportPeriod final {
    TDateTime first = 0; // midnight of the first day
    TDateTime last = 0; // midnight of the last day
    TPeriodDaily daily = TPeriodDaily::Always;
    QString periodText; // empty for the single-day periods
};

// The period of the button with this tag (see ReportPeriods), pressed at now;
// any other tag is taken as 0, today. Weeks run from Monday.
TReportPeriod ReportPeriod(int tag, TDateTime now);

// Whether the summary of the period is per day, given the " Daily" box.
bool PeriodIsDaily(const TReportPeriod& period, bool dailyChecked);

// reportsTitle, then (when there is a period text) CR LF and the period text
// with its first letter made upper case, for languages that write month names
// in lower case. The HTML writers show the part after the line break as a
// subtitle.
QString ReportTitle(const QString& reportsTitle, const QString& periodText);

} // namespace ryv
