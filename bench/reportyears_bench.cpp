// Reports over many years: the command line's "report A..B --daily" (HTML,
// JSON) and "--format csv" over 1, 3, 9 and 27 years of day files. Time and
// the heap's peak per year must stay about the same however many years there
// are (within 1.5 times from 1 to 27 years): reading, summing and writing
// follow the data. A range over the whole calendar (1900-01-01..9999-12-31)
// costs what the years that have files cost.
//
// The counters: s_per_year (seconds per year of data), peak_MB (the highest
// the heap grew above its level at the start of a report) and
// peak_MB_per_year. The heap is measured by this program's own malloc, which
// counts what the C library's hands out.

#include "reportdata.h"

#include "core/clock.h"
#include "core/listfiles.h"
#include "core/regional.h"
#include "core/ryvoptions.h"
#include "reports/exporttext.h"
#include "reports/pdfconverter.h"
#include "reports/reportperiods.h"
#include "reports/reportports.h"
#include "reports/reportwriter.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <atomic>
#include <cerrno>
#include <map>
#include <memory>

#include <malloc.h>

// The heap in use and its peak, counted by the allocation functions below.
namespace {

std::atomic<long long> HeapInUse { 0 };
std::atomic<long long> HeapPeak { 0 };

void Grew(long long bytes)
{
    const long long now = HeapInUse.fetch_add(bytes, std::memory_order_relaxed) + bytes;
    long long peak = HeapPeak.load(std::memory_order_relaxed);
    while (now > peak && !HeapPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) { }
}

void Shrank(long long bytes)
{
    HeapInUse.fetch_sub(bytes, std::memory_order_relaxed);
}

long long Usable(void* p)
{
    return p ? static_cast<long long>(malloc_usable_size(p)) : 0;
}

} // namespace

extern "C" {
void* __libc_malloc(size_t size);
void* __libc_calloc(size_t count, size_t size);
void* __libc_realloc(void* p, size_t size);
void* __libc_memalign(size_t alignment, size_t size);
void __libc_free(void* p);

void* malloc(size_t size)
{
    void* p = __libc_malloc(size);
    Grew(Usable(p));
    return p;
}

void* calloc(size_t count, size_t size)
{
    void* p = __libc_calloc(count, size);
    Grew(Usable(p));
    return p;
}

void* realloc(void* p, size_t size)
{
    const long long before = Usable(p);
    void* q = __libc_realloc(p, size);
    if (q) {
        Shrank(before);
        Grew(Usable(q));
    } else if (size == 0) {
        Shrank(before); // freed
    }
    return q;
}

void* memalign(size_t alignment, size_t size)
{
    void* p = __libc_memalign(alignment, size);
    Grew(Usable(p));
    return p;
}

void* aligned_alloc(size_t alignment, size_t size)
{
    return memalign(alignment, size);
}

int posix_memalign(void** out, size_t alignment, size_t size)
{
    void* p = memalign(alignment, size);
    if (!p)
        return ENOMEM;
    *out = p;
    return 0;
}

void free(void* p)
{
    Shrank(Usable(p));
    __libc_free(p);
}
}

namespace ryv {
namespace {

constexpr int EntriesPerDay = 20;
constexpr int DistinctTitles = 2000;
constexpr int FirstYear = 1995;

// Years of day files from FirstYear on, each day with EntriesPerDay entries
// whose titles come from one pool, as a user's tasks recur. Written plainly
// (the program's own writer syncs every file, which only slows the set-up).
class TYearsOfData final {
public:
    explicit TYearsOfData(int years)
        : FFirst(EncodeDate(FirstYear, 1, 1))
        , FLast(EncodeDate(FirstYear + years - 1, 12, 31))
    {
        QRandomGenerator rnd(static_cast<quint32>(years));
        for (TDateTime day = FFirst; day <= FLast; day += 1) {
            const QString path = DayFilePath(FOptions, day);
            QDir().mkpath(QFileInfo(path).absolutePath());
            QFile file(path);
            if (file.open(QIODevice::WriteOnly))
                file.write("\xEF\xBB\xBF"
                    + RandomDayFileText(rnd, day, EntriesPerDay, DistinctTitles).toUtf8());
        }
    }

    QTemporaryDir FDir;
    TRyvOptions FOptions { FDir.path() };
    // A while after the data: current.lst holds nothing of the range.
    TManualClock FClock { EncodeDateTime(2030, 6, 1, 12, 0) };
    const TDateTime FFirst;
    const TDateTime FLast;
};

TYearsOfData& YearsOfData(int years)
{
    static std::map<int, std::unique_ptr<TYearsOfData>> made;
    std::unique_ptr<TYearsOfData>& data = made[years];
    if (!data)
        data = std::make_unique<TYearsOfData>(years);
    return *data;
}

// state.range(0): the years of data; state.range(1): the whole calendar as
// the period (1) or the years of the data (0).
void RunReport(benchmark::State& state, TExportType format)
{
    const TRegionalScope locale("en_GB");
    const int years = static_cast<int>(state.range(0));
    TYearsOfData& data = YearsOfData(years);
    TNoRunner runner;
    TPdfConverter pdf(data.FOptions.FolderPlugins, data.FOptions.FolderData, runner, nullptr);
    TReportWriter writer(data.FOptions, data.FClock, pdf);
    TReportPeriod period;
    period.first = state.range(1) ? EncodeDate(1900, 1, 1) : data.FFirst;
    period.last = state.range(1) ? EncodeDate(9999, 12, 31) : data.FLast;
    period.daily = TPeriodDaily::FromCheckBox;
    long long peak = 0;
    qsizetype size = 0;
    for (auto _ : state) {
        const long long before = HeapInUse.load();
        HeapPeak.store(before);
        QByteArray bytes;
        if (writer.ReportBytes(format, period, true, false, bytes, nullptr) != TWriteStatus::Ok)
            state.SkipWithError("the report failed");
        size = bytes.size();
        peak = std::max(peak, HeapPeak.load() - before);
        benchmark::DoNotOptimize(bytes.data());
    }
    constexpr double MB = 1024.0 * 1024.0;
    state.counters["s_per_year"] = benchmark::Counter(
        years, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
    state.counters["peak_MB"] = static_cast<double>(peak) / MB;
    state.counters["peak_MB_per_year"] = static_cast<double>(peak) / MB / years;
    state.counters["output_MB_per_year"] = static_cast<double>(size) / MB / years;
}

void YearArgs(benchmark::internal::Benchmark* b)
{
    for (const int years : { 1, 3, 9, 27 })
        b->Args({ years, 0 });
    b->Args({ 27, 1 }); // the same data as a range over the whole calendar
    b->Unit(benchmark::kMillisecond)->Iterations(2);
}

void BM_ReportYearsDailyHtml(benchmark::State& state)
{
    RunReport(state, TExportType::Html);
}
BENCHMARK(BM_ReportYearsDailyHtml)->Apply(YearArgs);

void BM_ReportYearsDailyJson(benchmark::State& state)
{
    RunReport(state, TExportType::Json);
}
BENCHMARK(BM_ReportYearsDailyJson)->Apply(YearArgs);

void BM_ReportYearsCsv(benchmark::State& state)
{
    RunReport(state, TExportType::Csv);
}
BENCHMARK(BM_ReportYearsCsv)->Apply(YearArgs);

} // namespace
} // namespace ryv
