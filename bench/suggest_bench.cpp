// Speed of the task dialog's suggestions. Gathering happens once per dialog
// and must stay under 100 ms with a busy desktop: 50 real windows (with
// icons, on an X server the benchmark starts itself) and a 100 MB Firefox
// history of 100,000 visits, 200 of them in the last ten minutes, locked by a
// "running" Firefox with its last visits in the write-ahead log. Filtering
// runs on every keystroke and must stay well under one frame (16 ms) for 500
// suggestions.

#include "core/clock.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "suggest/browserhistory.h"
#include "suggest/desktopentries.h"
#include "suggest/desktopwindowsource.h"
#include "suggest/gathersuggestions.h"
#include "suggest/historydatabases.h"
#include "suggest/suggestlist.h"
#include "suggest/suggestsources.h"
#include "suggest/windowhelperprocess.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace ryv {
namespace {

constexpr int Windows = 50;
constexpr int Visits = 100000;
constexpr int RecentVisits = 200;

class TClipboard final : public IClipboard {
public:
    QString Text() const override { return QStringLiteral("https://example.com/copied"); }
    void SetText(const QString&) override { }
};

// Xvfb with openbox through the test suite's script, stopped at the end.
class TXServer final {
public:
    TXServer()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("Xvfb")).isEmpty() || !FState.isValid())
            return;
        QProcess::execute(QStringLiteral("bash"),
            { QStringLiteral(RYV_X11_SERVER_SCRIPT), QStringLiteral("start"), StateDir() });
        QFile file(StateDir() + QStringLiteral("/display"));
        if (file.open(QIODevice::ReadOnly))
            FDisplay = QString::fromLocal8Bit(file.readAll()).trimmed();
    }
    ~TXServer()
    {
        QProcess::execute(QStringLiteral("bash"),
            { QStringLiteral(RYV_X11_SERVER_SCRIPT), QStringLiteral("stop"), StateDir() });
    }
    QString Display() const { return FDisplay; }

private:
    QString StateDir() const { return FState.path() + QStringLiteral("/x11"); }
    QTemporaryDir FState;
    QString FDisplay;
};

class TDesktopFixture final {
public:
    TDesktopFixture()
    {
        const TDateTime now = FClock.Now();
        MakeHistory(now);
        for (int i = 0; i < 20; ++i)
            FFavs.AddOrUpdate(QStringLiteral("Favourite task %1").arg(i), QString(), QString());
        for (int i = 0; i < 10; ++i)
            FRecent.AddOrUpdate(QStringLiteral("Recent task %1").arg(i), QString(), QString());
#ifdef RYV_WINDOW_HELPER
        if (!FServer.Display().isEmpty()) {
            QStringList windows;
            for (int i = 0; i < Windows; ++i)
                windows << QStringLiteral("name=Document %1 - Editor|pid=self|class=editor,Editor|"
                                          "icon=16,32,48,128")
                               .arg(i);
            // Browser windows whose captions are pages of the history.
            windows << QStringLiteral("name=Page 99990 \u2014 Mozilla Firefox|pid=self|"
                                      "class=Navigator,firefox|icon=16,32");
            FWindowsReady
                = FHelper.Start(QStringLiteral(RYV_WINDOW_HELPER), FServer.Display(), windows);
        }
#endif
    }

    void MakeHistory(TDateTime now)
    {
        const QString profile = FHome.path() + QStringLiteral("/.mozilla/firefox/bench.default");
        QDir().mkpath(profile);
        QFile ini(FHome.path() + QStringLiteral("/.mozilla/firefox/profiles.ini"));
        if (ini.open(QIODevice::WriteOnly))
            ini.write("[Profile0]\nName=default\nIsRelative=1\nPath=bench.default\n");
        const QString path = profile + QStringLiteral("/places.sqlite");
        // Long addresses, as tracking parameters make them, give the file
        // its 100 MB.
        const QString padding = QString(900, QLatin1Char('p'));
        std::vector<test::THistoryRow> old;
        old.reserve(Visits - RecentVisits);
        QRandomGenerator rnd(7);
        for (int i = 0; i < Visits - RecentVisits; ++i) {
            const double daysAgo = 0.01 + rnd.bounded(730.0);
            old.push_back({ QStringLiteral("https://site%1.example/page/%2?ref=%3")
                                .arg(i % 500)
                                .arg(i)
                                .arg(padding),
                QStringLiteral("Page %1").arg(i), now - daysAgo });
        }
        std::vector<test::THistoryRow> recent;
        for (int i = 0; i < RecentVisits; ++i)
            recent.push_back({ QStringLiteral("https://recent.example/%1").arg(i),
                QStringLiteral("Recent page %1").arg(i % 150), now - (i * 2.9) * OneSecond });
        {
            test::TFirefoxDatabase bulk(path);
            bulk.Add(old);
        }
        // A running Firefox: its database locked, the last visits in the log.
        FRunning = std::make_unique<test::TSqlite>(path);
        FRunning->Exec("PRAGMA locking_mode=EXCLUSIVE; PRAGMA wal_autocheckpoint=0;");
        FRunning->InsertRows("INSERT INTO moz_places (id, url, title, last_visit_date) VALUES "
                             "(?4 + 2000000, ?1, ?2, ?3)",
            recent, 0);
        FRunning->InsertRows("INSERT INTO moz_historyvisits (place_id, visit_date, visit_type) "
                             "VALUES (?4 + 2000000, ?3, 1)",
            recent, 0);
        FDatabaseBytes = QFileInfo(path).size() + QFileInfo(path + QStringLiteral("-wal")).size();
    }

    QTemporaryDir FHome;
    TManualClock FClock { FromQDateTime(QDateTime::currentDateTime()) };
    std::unique_ptr<test::TSqlite> FRunning;
    qint64 FDatabaseBytes = 0;
    TRyvOptions FOptions { FHome.path() + QStringLiteral("/app") };
    TRyvItemList FFavs;
    TRyvItemList FRecent;
    TClipboard FClipboard;
    TXServer FServer;
    test::TWindowHelper FHelper;
    bool FWindowsReady = false;
};

// Where the program copies the databases on a desktop: the per-user runtime
// folder, which lives in memory (/dev/shm stands in for it without a session).
QString CopyFolder()
{
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")
        || !QFileInfo(QStringLiteral("/dev/shm")).isDir())
        return TBrowserHistory::DefaultTempFolder();
    return QStringLiteral("/dev/shm");
}

TDesktopFixture& Desktop()
{
    static TDesktopFixture fixture;
    return fixture;
}

void BM_GatherAllSources(benchmark::State& state)
{
    TDesktopFixture& d = Desktop();
    if (!d.FWindowsReady) {
        state.SkipWithError("no X server for the windows (Xvfb missing?)");
        return;
    }
    TDesktopWindowSource windows(d.FServer.Display(), 16, QStringLiteral("en_US"),
        TDesktopEntries::ApplicationFolders(), QCoreApplication::applicationPid());
    TBrowserHistory history(d.FHome.path(), QString(), CopyFolder());
    const TSuggestSources sources { d.FOptions, d.FFavs, d.FRecent, d.FClock, windows, history,
        d.FClipboard };
    int count = 0;
    for (auto _ : state) {
        TSuggestList list;
        GatherSuggestions(list, nullptr, sources);
        count = list.Count();
    }
    state.counters["suggestions"] = count;
    state.counters["db_MB"] = static_cast<double>(d.FDatabaseBytes) / 1e6;
}
BENCHMARK(BM_GatherAllSources)->Unit(benchmark::kMillisecond)->MinTime(2.0);

// The two real sources on their own, to see where the time goes.
void BM_ReadWindows(benchmark::State& state)
{
    TDesktopFixture& d = Desktop();
    if (!d.FWindowsReady) {
        state.SkipWithError("no X server for the windows (Xvfb missing?)");
        return;
    }
    TDesktopWindowSource windows(d.FServer.Display(), 16, QStringLiteral("en_US"),
        TDesktopEntries::ApplicationFolders(), QCoreApplication::applicationPid());
    for (auto _ : state)
        benchmark::DoNotOptimize(windows.OpenWindows().size());
}
BENCHMARK(BM_ReadWindows)->Unit(benchmark::kMillisecond);

void BM_ReadBrowserHistory(benchmark::State& state)
{
    TDesktopFixture& d = Desktop();
    TBrowserHistory history(d.FHome.path(), QString(), CopyFolder());
    size_t rows = 0;
    for (auto _ : state)
        rows = history.RecentVisits(d.FClock.Now() - WindowPageAge).size();
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_ReadBrowserHistory)->Unit(benchmark::kMillisecond);

void BM_FilterOnKeystroke(benchmark::State& state)
{
    TSuggestList list;
    for (int i = 0; i < 500; ++i) {
        AddSuggestion(list,
            QStringLiteral("Suggested task number %1 about topic %2").arg(i).arg(i % 17),
            i % 3 == 0 ? QStringLiteral("https://tracker.example/issues/%1").arg(i) : QString(),
            i % 5 == 0 ? QStringLiteral("Some notes on item %1").arg(i) : QString(),
            QStringLiteral("Source %1").arg(i % 12), nullptr, 1, nullptr);
    }
    const QStringList excluded { QStringLiteral("Source 3"), QStringLiteral("Source 7") };
    // What the user types, one keystroke per filter.
    const QStringList typed { QStringLiteral("t"), QStringLiteral("to"), QStringLiteral("top"),
        QStringLiteral("topi"), QStringLiteral("topic"), QStringLiteral("topic 1"),
        QStringLiteral("topic 12"), QStringLiteral("zzz") };
    qsizetype k = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FilterSuggestions(list, typed.at(k), excluded).size());
        k = (k + 1) % typed.size();
    }
}
BENCHMARK(BM_FilterOnKeystroke)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ryv
