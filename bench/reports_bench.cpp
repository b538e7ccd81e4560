// Speed of a year report: the "This year" HTML report over 366 day files of
// 40 entries each (about 2,000 distinct titles) against just reading those
// files. The report may cost at most twice the reading: merging the entries
// of one task must not compare every pair.

#include "reportdata.h"

#include "core/clock.h"
#include "core/listfiles.h"
#include "core/ryvoptions.h"
#include "core/textfile.h"
#include "reports/htmlexport.h"
#include "reports/pdfconverter.h"
#include "reports/reportloader.h"
#include "reports/reportperiods.h"
#include "reports/reportports.h"
#include "reports/reportsummary.h"
#include "reports/reportwriter.h"

#include <QDir>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <ctime>

namespace ryv {
namespace {

constexpr int EntriesPerDay = 40;
constexpr int DistinctTitles = 2000;

// A leap year of day files; the last day is today and lives in current.lst.
class YearFixture final {
public:
    YearFixture()
    {
        QRandomGenerator rnd(42);
        const TDateTime first = EncodeDate(2024, 1, 1);
        const TDateTime last = EncodeDate(2024, 12, 31);
        for (TDateTime day = first; day <= last; day += 1) {
            const QString path = DayFilePath(FOptions, day == last ? 0 : day);
            QDir().mkpath(QFileInfo(path).absolutePath());
            WriteTextFile(RandomDayFileText(rnd, day, EntriesPerDay, DistinctTitles), path,
                TTextEncoding::Utf8, true);
            FPaths << path;
        }
    }

    QTemporaryDir FDir;
    TRyvOptions FOptions { FDir.path() };
    TManualClock FClock { EncodeDateTime(2024, 12, 31, 18, 0) };
    QStringList FPaths;
};

YearFixture& Year()
{
    static YearFixture fixture;
    return fixture;
}

void BM_ReadYearOfDayFiles(benchmark::State& state)
{
    YearFixture& y = Year();
    const TOpenStop openStop = [](const TRyvItem& e) { return EndOfDayOf(e.start); };
    for (auto _ : state) {
        TEntries entries;
        QString reason;
        for (const QString& path : y.FPaths)
            ReadDayFile(path, openStop, entries, &reason);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_ReadYearOfDayFiles)->Unit(benchmark::kMillisecond);

QStringList ThreeGroups()
{
    return { QStringLiteral("Small=*customer ?"), QStringLiteral("Mid=task 1[0-4]*"),
        QStringLiteral("Rest=*task*") };
}

void YearReport(benchmark::State& state, const QStringList& groupMasks, bool byGroups)
{
    YearFixture& y = Year();
    y.FOptions.GroupMasks = groupMasks;
    TNoRunner runner;
    TPdfConverter pdf(y.FOptions.FolderPlugins, QString(), runner, nullptr);
    TReportWriter writer(y.FOptions, y.FClock, pdf);
    const TReportPeriod period = ReportPeriod(4, y.FClock.Now());
    const QString out = y.FDir.filePath(QStringLiteral("year.html"));
    for (auto _ : state) {
        const TWriteStatus status = writer.WriteReportHtml(out, period.first, period.last, false,
            byGroups, ReportTitle(QString(), period.periodText), true, nullptr);
        if (status != TWriteStatus::Ok)
            state.SkipWithError("the report was not written");
    }
}

void BM_YearReportHtml(benchmark::State& state)
{
    YearReport(state, {}, false);
}
BENCHMARK(BM_YearReportHtml)->Unit(benchmark::kMillisecond);

// Three groups: every title is tested against the masks while loading.
void BM_YearReportHtmlByGroups(benchmark::State& state)
{
    YearReport(state, ThreeGroups(), true);
}
BENCHMARK(BM_YearReportHtmlByGroups)->Unit(benchmark::kMillisecond);

double ProcessCpuMs()
{
    timespec ts {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1e3 + static_cast<double>(ts.tv_nsec) / 1e6;
}

// The bound itself: reading the year and writing its report in turns, with
// the report's cost over the reading's as the counter "ratio" (at most 2).
void BM_YearReportToReadRatio(benchmark::State& state)
{
    YearFixture& y = Year();
    y.FOptions.GroupMasks = state.range(0) != 0 ? ThreeGroups() : QStringList();
    TNoRunner runner;
    TPdfConverter pdf(y.FOptions.FolderPlugins, QString(), runner, nullptr);
    TReportWriter writer(y.FOptions, y.FClock, pdf);
    const TReportPeriod period = ReportPeriod(4, y.FClock.Now());
    const QString out = y.FDir.filePath(QStringLiteral("ratio.html"));
    const TOpenStop openStop = [](const TRyvItem& e) { return EndOfDayOf(e.start); };
    double readMs = 0;
    double reportMs = 0;
    for (auto _ : state) {
        const double t0 = ProcessCpuMs();
        {
            TEntries entries;
            QString reason;
            for (const QString& path : y.FPaths)
                ReadDayFile(path, openStop, entries, &reason);
            benchmark::DoNotOptimize(entries.data());
        }
        const double t1 = ProcessCpuMs();
        writer.WriteReportHtml(out, period.first, period.last, false, state.range(0) != 0,
            ReportTitle(QString(), period.periodText), true, nullptr);
        reportMs += ProcessCpuMs() - t1;
        readMs += t1 - t0;
    }
    state.counters["read_ms"] = benchmark::Counter(readMs, benchmark::Counter::kAvgIterations);
    state.counters["report_ms"] = benchmark::Counter(reportMs, benchmark::Counter::kAvgIterations);
    state.counters["ratio"] = readMs > 0 ? reportMs / readMs : 0;
}
BENCHMARK(BM_YearReportToReadRatio)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// The shares of the report: loading (reading plus group masks) and the
// summary alone.
void BM_YearLoadOnly(benchmark::State& state)
{
    YearFixture& y = Year();
    y.FOptions.GroupMasks.clear();
    for (auto _ : state) {
        std::vector<TRyvItem> entries;
        LoadReportEntries(y.FOptions, y.FClock, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31),
            entries, nullptr);
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_YearLoadOnly)->Unit(benchmark::kMillisecond);

void BM_YearSummaryOnly(benchmark::State& state)
{
    YearFixture& y = Year();
    y.FOptions.GroupMasks.clear();
    std::vector<TRyvItem> loaded;
    LoadReportEntries(
        y.FOptions, y.FClock, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), loaded, nullptr);
    std::erase_if(loaded, [](const TRyvItem& e) { return e.IsPause(); });
    for (auto _ : state) {
        std::vector<TRyvItem> entries = loaded;
        SummarizeReport(entries, false, false, {}, QStringLiteral("Others"));
        benchmark::DoNotOptimize(entries.data());
    }
}
BENCHMARK(BM_YearSummaryOnly)->Unit(benchmark::kMillisecond);

void BM_YearHtmlTextAndWrite(benchmark::State& state)
{
    YearFixture& y = Year();
    y.FOptions.GroupMasks.clear();
    std::vector<TRyvItem> entries;
    LoadReportEntries(
        y.FOptions, y.FClock, EncodeDate(2024, 1, 1), EncodeDate(2024, 12, 31), entries, nullptr);
    std::erase_if(entries, [](const TRyvItem& e) { return e.IsPause(); });
    SummarizeReport(entries, false, false, {}, QStringLiteral("Others"));
    const QString out = y.FDir.filePath(QStringLiteral("year-only.html"));
    const bool write = state.range(0) != 0;
    for (auto _ : state) {
        const QString html = ReportHtmlText(entries, false, QStringLiteral("\r\n2024"));
        if (write)
            WriteTextFile(html, out, TTextEncoding::Utf8, false);
        benchmark::DoNotOptimize(html.size());
    }
}
BENCHMARK(BM_YearHtmlTextAndWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace ryv

BENCHMARK_MAIN();
