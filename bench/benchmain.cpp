// The entry point of the benchmarks that need a Qt application object: the
// engine's (timers, processes, temporary folders) a core one, those of
// widgets (RYV_BENCH_WIDGETS) a widget one on Qt's offscreen platform unless
// one is named, so they run without a display.
#ifdef RYV_BENCH_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <benchmark/benchmark.h>

int main(int argc, char** argv)
{
#ifdef RYV_BENCH_WIDGETS
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    ::benchmark::Initialize(&argc, argv);
    if (::benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    ::benchmark::RunSpecifiedBenchmarks();
    ::benchmark::Shutdown();
    return 0;
}
