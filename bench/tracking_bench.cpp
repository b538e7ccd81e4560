// Speed of the tracking engine: the clock tick must cost the same on a short
// and on a very long log, and Start must stay quick on a long one.

#include "benchlog.h"
#include "tracking/trackerworld.h"

#include <QCoreApplication>
#include <QTemporaryDir>

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

} // namespace
} // namespace ryv

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv); // timers need it
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
