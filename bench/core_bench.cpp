// Speed of the time-log core: reading a large day file, and the clock tick's
// share of RefreshTotals, which must not grow with the length of the log.

#include "benchlog.h"
#include "core/clock.h"
#include "core/csvreader.h"
#include "core/daylist.h"
#include "core/listfiles.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace ryv {
namespace {

// A day file of about targetBytes: tasks and breaks with titles, links and
// two-line descriptions, as the program writes them.
QString GeneratedDayFile(qsizetype targetBytes)
{
    std::vector<std::unique_ptr<TRyvItem>> owned;
    std::vector<const TRyvItem*> entries;
    QString text;
    qsizetype size = 0;
    const TDateTime day = EncodeDate(2022, 1, 7);
    for (int i = 0; size < targetBytes; ++i) {
        auto e = std::make_unique<TRyvItem>();
        e->kind = i % 5 == 4 ? ryvkPause : ryvkTask;
        e->start = day + (i % 1400) * OneMinute;
        e->stop = e->start + OneMinute;
        if (e->IsTask()) {
            e->title = QStringLiteral("Task %1; customer \"Müller\" & Co").arg(i);
            e->url = QStringLiteral("https://tracker.example/issues/%1").arg(i);
            e->descr = QStringLiteral("First line of notes\r\nsecond line, number %1").arg(i);
        }
        size += DayFileLine(*e, true).toUtf8().size() + 2;
        entries.push_back(e.get());
        owned.push_back(std::move(e));
    }
    return DayFileText(entries);
}

class DayFileFixture final {
public:
    DayFileFixture()
    {
        FPath = FDir.filePath(QStringLiteral("2022-01-07.lst"));
        FText = GeneratedDayFile(5 * 1024 * 1024);
        WriteTextFile(FText, FPath, TTextEncoding::Utf8, true);
        FBytes = static_cast<int64_t>(FText.toUtf8().size()) + 3;
    }
    QTemporaryDir FDir;
    QString FPath;
    QString FText;
    int64_t FBytes = 0;
};

DayFileFixture& DayFile()
{
    static DayFileFixture fixture;
    return fixture;
}

void BM_ReadCsvFile(benchmark::State& state)
{
    DayFileFixture& f = DayFile();
    for (auto _ : state) {
        TCsvTable table;
        QString reason;
        benchmark::DoNotOptimize(
            ReadCsvFile(f.FPath, 1 << 30, QLatin1Char('"'), QLatin1Char(';'), table, &reason));
        benchmark::DoNotOptimize(table.size());
    }
    state.SetBytesProcessed(state.iterations() * f.FBytes);
}
BENCHMARK(BM_ReadCsvFile)->Unit(benchmark::kMillisecond);

// The parser alone, without reading and decoding the file.
void BM_ParseCsvText(benchmark::State& state)
{
    DayFileFixture& f = DayFile();
    for (auto _ : state) {
        TCsvTable table;
        benchmark::DoNotOptimize(ParseCsvText(f.FText, QLatin1Char('"'), QLatin1Char(';'), table));
        benchmark::DoNotOptimize(table.size());
    }
    state.SetBytesProcessed(state.iterations() * f.FBytes);
}
BENCHMARK(BM_ParseCsvText)->Unit(benchmark::kMillisecond);

// One clock tick on a log of state.range(0) entries with a running task: the
// cached sum of the finished entries keeps its cost flat.
void BM_RefreshTotalsTick(benchmark::State& state)
{
    TRyvOptions options(QStringLiteral("/nonexistent/ryv-bench/"));
    const TDateTime day = EncodeDate(2022, 1, 7);
    TManualClock clock(day + 0.5);
    TDayList today(TDayListRole::Today, options, clock);
    const int n = static_cast<int>(state.range(0));
    FillRunningLog(today, day, n);
    for (auto _ : state) {
        clock.AdvanceSeconds(1);
        today.RefreshTotals();
        benchmark::DoNotOptimize(today.TotalText().size());
    }
}
BENCHMARK(BM_RefreshTotalsTick)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace ryv

BENCHMARK_MAIN();
