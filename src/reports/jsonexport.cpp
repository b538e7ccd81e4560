#include "reports/jsonexport.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>
#include <map>

namespace ryv {

namespace {

QJsonObject EntryObject(const TRyvItem& e)
{
    QJsonObject o;
    o.insert(
        QStringLiteral("kind"), e.IsPause() ? QStringLiteral("break") : QStringLiteral("task"));
    o.insert(QStringLiteral("done"), e.state == ryvsDone);
    o.insert(QStringLiteral("start"), IsoLocalTime(e.start));
    o.insert(QStringLiteral("stop"), IsoLocalTime(e.stop));
    o.insert(QStringLiteral("duration"), DurationSeconds(LoggedDuration(e)));
    o.insert(QStringLiteral("title"), e.title);
    o.insert(QStringLiteral("link"), e.url);
    o.insert(QStringLiteral("description"), e.descr);
    return o;
}

QString Text(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Indented));
}

} // namespace

QString IsoLocalTime(TDateTime t)
{
    const QDateTime local = ToQDateTime(t);
    const int offset = local.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return local.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"))
        + (offset < 0 ? QLatin1Char('-') : QLatin1Char('+'))
        + QStringLiteral("%1:%2")
              .arg(minutes / 60, 2, 10, QLatin1Char('0'))
              .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

qint64 DurationSeconds(TDateTime d)
{
    return std::llround(d * MsPerDay) / 1000;
}

QString ListJsonText(const std::vector<TRyvItem>& list, TDateTime day, const QString& title)
{
    QJsonArray entries;
    qint64 total = 0;
    for (const TRyvItem& e : list) {
        entries.append(EntryObject(e));
        if (e.IsTask())
            total += DurationSeconds(LoggedDuration(e));
    }
    QJsonObject o;
    o.insert(QStringLiteral("title"), title);
    o.insert(QStringLiteral("date"), DateToText(day));
    o.insert(QStringLiteral("entries"), entries);
    o.insert(QStringLiteral("total"), total);
    return Text(o);
}

QString ReportJsonText(const TReportJsonHeader& header, const std::vector<TRyvItem>& entries,
    const std::vector<TRyvItem>& summary)
{
    QJsonArray entryArray;
    for (const TRyvItem& e : entries)
        entryArray.append(EntryObject(e));

    QJsonArray rows;
    qint64 total = 0;
    for (const TRyvItem& e : summary) {
        const qint64 seconds = DurationSeconds(e.Duration());
        QJsonObject row;
        if (header.daily)
            row.insert(QStringLiteral("date"), DateToText(e.start));
        row.insert(QStringLiteral("title"), e.title);
        row.insert(QStringLiteral("link"), e.url);
        row.insert(QStringLiteral("duration"), seconds);
        rows.append(row);
        total += seconds;
    }

    // Day totals from the entries themselves, so they exist with and
    // without the daily breakdown.
    std::map<int, qint64> perDay;
    for (const TRyvItem& e : entries) {
        if (e.IsTask())
            perDay[DayOf(e.start)] += DurationSeconds(LoggedDuration(e));
    }
    QJsonArray days;
    for (const auto& [day, seconds] : perDay)
        days.append(QJsonObject {
            { QStringLiteral("date"), DateToText(day) }, { QStringLiteral("total"), seconds } });

    QJsonObject o;
    o.insert(QStringLiteral("title"), header.title);
    o.insert(QStringLiteral("period"),
        QJsonObject { { QStringLiteral("first"), DateToText(header.first) },
            { QStringLiteral("last"), DateToText(header.last) },
            { QStringLiteral("text"), header.periodText } });
    o.insert(QStringLiteral("options"),
        QJsonObject { { QStringLiteral("daily"), header.daily },
            { QStringLiteral("groups"), header.byGroups } });
    o.insert(QStringLiteral("entries"), entryArray);
    o.insert(QStringLiteral("rows"), rows);
    o.insert(QStringLiteral("days"), days);
    o.insert(QStringLiteral("total"), total);
    return Text(o);
}

} // namespace ryv
