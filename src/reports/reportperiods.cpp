#include "reports/reportperiods.h"

#include "core/regional.h"

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

} // namespace

TReportPeriod ReportPeriod(int tag, TDateTime now)
{
    const QDate today = ToQDate(now);
    TReportPeriod p;
    switch (tag) {
    case 1:
    case 6: {
        const QDate inWeek = tag == 1 ? today : today.addDays(-7);
        p.first = MondayOf(inWeek);
        p.last = p.first + 6;
        p.daily = TPeriodDaily::FromCheckBox;
        p.periodText = WeekText(p.first, p.last);
        break;
    }
    case 2:
    case 7: {
        // Going back a month keeps the day where it exists and otherwise
        // takes the month's last day; only the month matters here.
        const QDate inMonth = tag == 2 ? today : today.addMonths(-1);
        p.first = FirstOfMonth(inMonth);
        p.last = LastOfMonth(inMonth);
        p.daily = TPeriodDaily::FromCheckBox;
        p.periodText = FormatDateTime(QStringLiteral("mmmm yyyy"), p.first);
        break;
    }
    case 4:
    case 9: {
        const int year = tag == 4 ? today.year() : today.addMonths(-12).year();
        p.first = EncodeDate(year, 1, 1);
        p.last = EncodeDate(year, 12, 31);
        p.daily = TPeriodDaily::Never;
        p.periodText = QString::number(year);
        break;
    }
    case 5:
        p.first = MidnightOf(now - 1.0);
        p.last = p.first;
        break;
    default:
        p.first = MidnightOf(now);
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
