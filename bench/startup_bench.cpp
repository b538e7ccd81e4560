// The program's start-up, from the entry point to the first paint of the main
// window, against a bare Qt window (barewindow.h) measured the same way. Each
// run is a child process forked from this one before any Qt object exists,
// so it starts from the state of a fresh process (the shared libraries are
// already mapped, for both alike) and nothing of one run stays for the next.
// Runs on the display there is (DISPLAY), else on Qt's offscreen platform.
//
// BM_Startup/BareWindow          an empty window
// BM_Startup/BareWindowWithText  a window with one line of text: the floor of
//                                any window that shows text
// BM_Startup/FirstStart          the program without any files (a new user)
// BM_Startup/YearOfUse           a year of day files, today's log with a
//                                task running, favourites, two panes
// Counters: rss_MiB, the resident memory at the first paint; for the
// program, ratio and rss_ratio against the window with text and
// ratio_empty and rss_ratio_empty against the empty one, each run in turn
// with every run of the program (median of the pairs). The start-up is held
// to at most 1.1 (time) and 1.2 (memory) of the window with text.

#include "barewindow.h"
#include "startupdata.h"
#include "ui/windowprogram.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

namespace ryv::bench {
namespace {

struct TRunResult {
    double seconds = 0;
    double rssMiB = 0;
};

double ResidentMiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    }
    return 0;
}

enum class TProgram { BareEmpty, BareText, Window };

// Runs the program in a child process up to the first paint.
bool RunChild(TProgram program, const QString& folder, TRunResult& result)
{
    int fds[2];
    if (::pipe(fds) != 0)
        return false;
    const pid_t pid = ::fork();
    if (pid < 0)
        return false;
    if (pid == 0) {
        ::close(fds[0]);
        // Qt's notes (the offscreen platform has a few) stay out of the table.
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
        const auto start = std::chrono::steady_clock::now();
        auto painted = [&](QWidget&) {
            TRunResult r;
            r.seconds
                = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
            r.rssMiB = ResidentMiB();
            const bool written = ::write(fds[1], &r, sizeof r) == sizeof r;
            std::_Exit(written ? 0 : 1);
        };
        int argc = 1;
        char name[] = "RyvTracker";
        char* argv[] = { name, nullptr };
        if (program != TProgram::Window) {
            RunBareWindow(argc, argv,
                program == TProgram::BareText ? TBareWindow::WithText : TBareWindow::Empty,
                painted);
        } else {
            TWindowProgramHooks hooks;
            hooks.folderApp = folder;
            hooks.instanceName = QStringLiteral("RyvTrackerBench%1").arg(::getpid());
            hooks.firstPaint = painted;
            RunWindowProgram(argc, argv, hooks);
        }
        std::_Exit(2); // ended without a paint
    }
    ::close(fds[1]);
    const bool read = ::read(fds[0], &result, sizeof result) == sizeof result;
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return read && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

double Median(std::vector<double> v)
{
    if (v.empty())
        return 0;
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

// The environment every child shares: a display or the offscreen platform,
// and a runtime folder of its own for the single-instance files.
struct TBenchEnvironment {
    TBenchEnvironment()
    {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY")
            && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        qputenv("XDG_RUNTIME_DIR", runtime.path().toLocal8Bit());
        yearOk = WriteYearOfUse(year.path());
    }
    QString Platform() const
    {
        const QString p = qEnvironmentVariable("QT_QPA_PLATFORM");
        return p.isEmpty()
            ? QStringLiteral("default (DISPLAY ") + qEnvironmentVariable("DISPLAY") + u')'
            : p;
    }
    QTemporaryDir runtime;
    QTemporaryDir year;
    bool yearOk = false;
};

TBenchEnvironment& Environment()
{
    static TBenchEnvironment environment;
    return environment;
}

enum class TScenario { BareWindow, BareWindowWithText, FirstStart, YearOfUse };

TProgram ProgramOf(TScenario scenario)
{
    switch (scenario) {
    case TScenario::BareWindow:
        return TProgram::BareEmpty;
    case TScenario::BareWindowWithText:
        return TProgram::BareText;
    default:
        return TProgram::Window;
    }
}

void BM_Startup(benchmark::State& state, TScenario scenario)
{
    TBenchEnvironment& env = Environment();
    if (!env.yearOk) {
        state.SkipWithError("cannot write the year of files");
        return;
    }
    // Pairs against the floors: [0] the window with text, [1] the empty one.
    std::vector<double> ratios[2];
    std::vector<double> rssRatios[2];
    double rss = 0;
    for (auto _ : state) {
        // A new user's folders are empty on every run.
        QTemporaryDir fresh;
        const QString folder = scenario == TScenario::YearOfUse ? env.year.path() : fresh.path();
        TRunResult run;
        if (!RunChild(ProgramOf(scenario), folder, run)) {
            state.SkipWithError("the child ended without painting its window");
            return;
        }
        state.SetIterationTime(run.seconds);
        rss += run.rssMiB;
        if (ProgramOf(scenario) == TProgram::Window) {
            state.PauseTiming();
            const TProgram floors[] = { TProgram::BareText, TProgram::BareEmpty };
            for (int i = 0; i < 2; ++i) {
                TRunResult bare;
                if (RunChild(floors[i], QString(), bare) && bare.seconds > 0 && bare.rssMiB > 0) {
                    ratios[i].push_back(run.seconds / bare.seconds);
                    rssRatios[i].push_back(run.rssMiB / bare.rssMiB);
                }
            }
            state.ResumeTiming();
        }
    }
    state.counters["rss_MiB"] = rss / static_cast<double>(state.iterations());
    if (!ratios[0].empty()) {
        state.counters["ratio"] = Median(ratios[0]);
        state.counters["rss_ratio"] = Median(rssRatios[0]);
    }
    if (!ratios[1].empty()) {
        state.counters["ratio_empty"] = Median(ratios[1]);
        state.counters["rss_ratio_empty"] = Median(rssRatios[1]);
    }
    state.SetLabel(env.Platform().toStdString());
}

BENCHMARK_CAPTURE(BM_Startup, BareWindow, TScenario::BareWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(BM_Startup, BareWindowWithText, TScenario::BareWindowWithText)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(BM_Startup, FirstStart, TScenario::FirstStart)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);
BENCHMARK_CAPTURE(BM_Startup, YearOfUse, TScenario::YearOfUse)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(15);

} // namespace
} // namespace ryv::bench

BENCHMARK_MAIN();
