#include "suggest/historyplugin.h"

#include "core/csvreader.h"
#include "reports/reportports.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace ryv {

THistoryPlugin::THistoryPlugin(const QString& folderPlugins, const QString& folderData,
    IProgramRunner& runner, IBrowserHistory& fallback)
    : FFolderPlugins(folderPlugins)
    , FFolderData(folderData)
    , FRunner(runner)
    , FFallback(fallback)
{
}

QString THistoryPlugin::ProgramPath() const
{
    return FFolderPlugins + QStringLiteral("BrowsingHistoryView/BrowsingHistoryView");
}

QString THistoryPlugin::CsvPath() const
{
    return FFolderData + QStringLiteral("__bhv.csv");
}

QStringList THistoryPlugin::Arguments(const QString& csvPath)
{
    return { QStringLiteral("/scomma"), csvPath, QStringLiteral("/sort"),
        QStringLiteral("~Visit Time"), QStringLiteral("/HistorySource"), QStringLiteral("2"),
        QStringLiteral("/StopIECacheTask"), QStringLiteral("1"),
        QStringLiteral("/VisitTimeFilterType"), QStringLiteral("2"),
        QStringLiteral("/VisitTimeFilterValue"), QStringLiteral("1") };
}

bool THistoryPlugin::ReadCsv(const QString& csvPath, std::vector<TBrowserVisit>& visits)
{
    TCsvTable table;
    // The export covers the last minutes of browsing: some hundred lines.
    constexpr qint64 MaxCsvBytes = 16 * 1024 * 1024;
    if (!ReadCsvFile(csvPath, MaxCsvBytes, QLatin1Char('"'), QLatin1Char(','), table)
        || table.isEmpty())
        return false;
    const QStringList& header = table.first();
    auto column = [&header](const char* name) {
        for (qsizetype i = 0; i < header.size(); ++i)
            if (header.at(i).compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
                return static_cast<int>(i);
        return -1;
    };
    const int url = column("URL");
    const int title = column("Title");
    const int browser = column("Web Browser");
    const int time = column("Visit Time");
    if (url < 0 || title < 0 || browser < 0)
        return false;
    for (qsizetype r = 1; r < table.size(); ++r) {
        const QStringList& row = table.at(r);
        TBrowserVisit visit;
        visit.url = row.value(url);
        visit.title = row.value(title);
        visit.browser = row.value(browser);
        visit.hasVisitTime = time >= 0;
        if (visit.hasVisitTime)
            visit.visitTime = ParseDateTimeLenient(row.value(time), 0);
        visits.push_back(std::move(visit));
    }
    return true;
}

bool THistoryPlugin::Run(std::vector<TBrowserVisit>& visits)
{
    const QString program = ProgramPath();
    const QFileInfo info(program);
    if (!info.isFile() || !info.isExecutable())
        return false;
    const QString csv = CsvPath();
    QDir().mkpath(FFolderData);
    QFile::remove(csv);
    QString error;
    if (FRunner.RunAndWait(program, Arguments(csv), &error) < 0 || !QFileInfo(csv).isFile())
        return false;
    return ReadCsv(csv, visits);
}

std::vector<TBrowserVisit> THistoryPlugin::RecentVisits(TDateTime since)
{
    std::vector<TBrowserVisit> visits;
    if (Run(visits))
        return visits;
    return FFallback.RecentVisits(since);
}

} // namespace ryv
