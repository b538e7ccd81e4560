#include "reports/reportperiods.h"

#include "core/regional.h"

#include <algorithm>
#include <string_view>

namespace ryv {

namespace {

TDateTime MondayOf(const QDate& date)
{
    return FromQDate(date.addDays(1 - date.dayOfWeek()));
}

TDateTime FirstOfMonth(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), 1);
}

TDateTime LastOfMonth(const QDate& date)
{
    return EncodeDate(date.year(), date.month(), date.daysInMonth());
}

QString WeekText(TDateTime first, TDateTime last)
{
    return FormatDateTime(QStringLiteral("dd/mm/"), first) + QStringLiteral(" - ")
        + FormatDateTime(QStringLiteral("dd/mm/ yyyy"), last);
}

// Each tag names one button, each name one period.
constexpr bool TagsAndNamesUnique()
{
    for (size_t i = 0; i < ReportPeriods.size(); ++i)
        for (size_t j = i + 1; j < ReportPeriods.size(); ++j)
            if (ReportPeriods[i].tag == ReportPeriods[j].tag
                || std::string_view(ReportPeriods[i].name) == ReportPeriods[j].name)
                return false;
    return true;
}
static_assert(TagsAndNamesUnique());

} // namespace

TReportPeriod ReportPeriod(int tag, TDateTime now)
{
    const auto def = std::find_if(ReportPeriods.begin(), ReportPeriods.end(),
        [tag](const TReportPeriodDef& d) { return d.tag == tag; });
    const TPeriodSpan span = def == ReportPeriods.end() ? TPeriodSpan::Day : def->span;
    const int back = def == ReportPeriods.end() ? 0 : def->back;
    const QDate today = ToQDate(now);
    TReportPeriod p;
    switch (span) {
    case TPeriodSpan::Week: {
        p.first = MondayOf(today.addDays(-7 * back));
        p.last = p.first + 6;
        p.daily = TPeriodDaily::FromCheckBox;
        p.periodText = WeekText(p.first, p.last);
        break;
    }
    case TPeriodSpan::Month: {
        // Going back a month keeps the day where it exists and otherwise
        // takes the month's last day; only the month matters here.
        const QDate inMonth = today.addMonths(-back);
        p.first = FirstOfMonth(inMonth);
        p.last = LastOfMonth(inMonth);
        p.daily = TPeriodDaily::FromCheckBox;
        p.periodText = FormatDateTime(QStringLiteral("mmmm yyyy"), p.first);
        break;
    }
    case TPeriodSpan::Year: {
        const int year = today.year() - back;
        p.first = EncodeDate(year, 1, 1);
        p.last = EncodeDate(year, 12, 31);
        p.daily = TPeriodDaily::Never;
        p.periodText = QString::number(year);
        break;
    }
    case TPeriodSpan::Day:
        p.first = MidnightOf(now - back);
        p.last = p.first;
        break;
    }
    return p;
}

bool PeriodIsDaily(const TReportPeriod& period, bool dailyChecked)
{
    switch (period.daily) {
    case TPeriodDaily::Always:
        return true;
    case TPeriodDaily::Never:
        return false;
    case TPeriodDaily::FromCheckBox:
        break;
    }
    return dailyChecked;
}

QString ReportTitle(const QString& reportsTitle, const QString& periodText)
{
    if (periodText.isEmpty())
        return reportsTitle;
    const qsizetype first = periodText.front().isHighSurrogate() ? 2 : 1;
    return reportsTitle + QStringLiteral("\r\n")
        + Regional().Locale().toUpper(periodText.left(first)) + periodText.mid(first);
}

} // namespace ryv
