// Speed of the tracking engine: the clock tick must cost the same on a short
// and on a very long log, and Start must stay quick on a long one.

#include "benchlog.h"
#include "core/listfiles.h"
#include "core/textfile.h"
#include "tracking/trackerworld.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <memory>

#include <benchmark/benchmark.h>

namespace ryv {
namespace {

// Today's log of n entries (tasks and breaks) on one day, the last one
// running, with the engine around it: the tests' object graph, whose task
// dialog answers Cancel.
class TEngine final {
public:
    explicit TEngine(int n)
    {
        const TDateTime day = EncodeDate(2022, 1, 7);
        world.clock.Set(day + 0.5);
        FillRunningLog(world.today, day, n);
        for (int i = 0; i < 10; ++i)
            world.favs.AddOrUpdate(QStringLiteral("Favourite %1").arg(i), {}, {});
        world.tracker.UpdateToday();
    }

    QTemporaryDir dir;
    TTrackerWorld world { dir.path() };
};

// One clock tick (tmrCheckTimer) with a running task.
void BM_ClockTick(benchmark::State& state)
{
    TEngine engine(static_cast<int>(state.range(0)));
    TTrackerWorld& w = engine.world;
    for (auto _ : state) {
        w.clock.AdvanceSeconds(1);
        w.tracker.tmrCheckTimer();
        benchmark::DoNotOptimize(w.today.TotalText().size());
    }
}
BENCHMARK(BM_ClockTick)->Arg(10)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Start (Ins) on a long log: ends the running task, appends the new one, sums
// the day once and rebuilds the favourites panel. The added entries are taken
// away again outside the timing so every round sees the same log.
void BM_Start(benchmark::State& state)
{
    const int n = static_cast<int>(state.range(0));
    TEngine engine(n);
    TTrackerWorld& w = engine.world;
    const TUiState ui;
    for (auto _ : state) {
        w.clock.AdvanceSeconds(61);
        w.tracker.Execute(TCommand::acStart, ui);
        state.PauseTiming();
        while (w.today.Count() > n)
            w.today.Remove(w.today.Count() - 1);
        w.today.SetStop(w.today.Count() - 1, w.clock.Now());
        w.dialog.calls.clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_Start)->Arg(10000)->Unit(benchmark::kMicrosecond);

// Start-up on a long current.lst: 1,000 earlier days of 40 entries each
// (the log of someone who never had the program moved days for years) are
// read, each day written to its own file merged with what it holds, and
// removed from today's log; today's few entries stay. Each round starts on
// a fresh data folder (outside the timing), so every round writes all the
// day files anew, with their syncs to the disk.
void BM_StartUpMovesEarlierDays(benchmark::State& state)
{
    const int days = static_cast<int>(state.range(0));
    const int perDay = static_cast<int>(state.range(1));
    const TDateTime today = EncodeDate(2022, 1, 7);
    QByteArray current;
    {
        TManualClock clock(today + 0.5);
        TRyvOptions options(QStringLiteral("/nonexistent/"));
        TDayList log(TDayListRole::Today, options, clock);
        for (int d = days; d >= 0; --d)
            FillDay(log, today - d, d == 0 ? 3 : perDay);
        std::vector<const TRyvItem*> entries;
        for (int i = 0; i < log.Count(); ++i)
            entries.push_back(log.Item(i));
        current = EncodeText(DayFileText(entries), TTextEncoding::Utf8, true);
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto dir = std::make_unique<QTemporaryDir>();
        auto world = std::make_unique<TTrackerWorld>(dir->path(), today + 0.5);
        QDir().mkpath(world->options.FolderData);
        QFile file(DayFilePath(world->options, 0));
        if (!file.open(QIODevice::WriteOnly) || file.write(current) != current.size()) {
            state.SkipWithError("cannot write current.lst");
            break;
        }
        file.close();
        state.ResumeTiming();

        world->tracker.StartUp();

        state.PauseTiming();
        if (world->today.Count() != 3 || !world->messages.warnings.isEmpty()) {
            state.SkipWithError("the earlier days were not moved");
            break;
        }
        world.reset();
        dir.reset();
        state.ResumeTiming();
    }
    state.counters["entries"] = days * perDay;
}
BENCHMARK(BM_StartUpMovesEarlierDays)
    ->Args({ 1000, 40 })
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

} // namespace
} // namespace ryv
