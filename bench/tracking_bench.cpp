// Speed of the tracking engine: the clock tick must cost the same on a short
// and on a very long log, and Start must stay quick on a long one.

#include "benchlog.h"
#include "core/clock.h"
#include "core/daylist.h"
#include "core/liststore.h"
#include "core/ports.h"
#include "core/ryvitemlist.h"
#include "core/ryvoptions.h"
#include "tracking/tracker.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace ryv {
namespace {

class TCancelDialog final : public ITaskDialog {
public:
    bool ExecuteTaskDialog(TRyvItem&, const QString&, bool, bool, const TRyvItem*, bool) override
    {
        return false;
    }
};

class TSilentMessages final : public IUserMessages {
public:
    bool ConfirmYesNo(const QString&) override { return true; }
    void Warning(const QString&) override { }
};

class TNullClipboard final : public IClipboard {
public:
    QString Text() const override { return {}; }
    void SetText(const QString&) override { }
};

class TNullShell final : public IShell {
public:
    bool ShellOpen(const QString&) override { return true; }
};

// Today's log of n entries (tasks and breaks) on one day, the last one
// running, with the engine around it.
class TEngine final {
public:
    explicit TEngine(int n)
    {
        const TDateTime day = EncodeDate(2022, 1, 7);
        clock.Set(day + 0.5);
        FillRunningLog(today, day, n);
        for (int i = 0; i < 10; ++i)
            favs.AddOrUpdate(QStringLiteral("Favourite %1").arg(i), {}, {});
        tracker.UpdateToday();
    }

    QTemporaryDir dir;
    TRyvOptions options { dir.path() };
    TManualClock clock;
    TDayList today { TDayListRole::Today, options, clock };
    TDayList history { TDayListRole::History, options, clock };
    TRyvItemList favs;
    TRyvItemList recent;
    TListStore store { today, history, favs, recent, options, clock };
    TCancelDialog dialog;
    TSilentMessages messages;
    TNullClipboard clipboard;
    TNullShell shell;
    TTracker tracker { options, favs, recent, today, history, store,
        TTrackerPorts { clock, dialog, messages, clipboard, shell } };
};

// One clock tick (tmrCheckTimer) with a running task.
void BM_ClockTick(benchmark::State& state)
{
    TEngine engine(static_cast<int>(state.range(0)));
    for (auto _ : state) {
        engine.clock.AdvanceSeconds(1);
        engine.tracker.tmrCheckTimer();
        benchmark::DoNotOptimize(engine.today.TotalText().size());
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
    const TUiState ui;
    for (auto _ : state) {
        engine.clock.AdvanceSeconds(61);
        engine.tracker.Execute(TCommand::acStart, ui);
        state.PauseTiming();
        while (engine.today.Count() > n)
            engine.today.Remove(engine.today.Count() - 1);
        engine.today.SetStop(engine.today.Count() - 1, engine.clock.Now());
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
