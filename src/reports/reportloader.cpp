#include "reports/reportloader.h"

#include "core/clock.h"
#include "core/listfiles.h"
#include "core/ryvoptions.h"
#include "reports/groupmasks.h"

#include <QDir>

#include <algorithm>
#include <set>

namespace ryv {

namespace {

// The entries of a day, read from disk as the window would show them.
// current.lst is read once, on the first day that needs it. While the window
// runs it holds today's entries alone; after the window was closed on an
// earlier day it still holds that day's entries until the next start moves
// them to their day file. They are counted on their own day either way, so a
// report made before that start (from the command line, say) misses nothing.
class TDayReader final {
public:
    TDayReader(const TRyvOptions& options, const TClock& clock)
        : FOptions(options)
        , FNow(clock.Now())
        , FToday(DayOf(FNow))
    {
    }

    // The days from d1 to d2 that Read has anything for, in order: the days
    // of the day files there, found by listing the year folders that exist
    // (a range over centuries holds few of them; trying every day's name
    // would cost a look at the disk per day), and those of the entries of
    // current.lst up to today.
    std::vector<int> DaysToRead(int d1, int d2)
    {
        std::set<int> days;
        const int y1 = ToQDate(d1).year();
        const int y2 = ToQDate(d2).year();
        const QDir data(FOptions.FolderData);
        for (const QString& yearName : data.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
            bool isNumber = false;
            const int year = yearName.toInt(&isNumber);
            if (!isNumber || year < y1 || year > y2)
                continue;
            // Special files too: the reader refuses them as it refuses them
            // when asked for a day by name.
            const QDir folder(data.filePath(yearName));
            for (const QString& name :
                folder.entryList({ QStringLiteral("*.lst") }, QDir::Files | QDir::System)) {
                const QDate date = QDate::fromString(name.chopped(4), QStringLiteral("yyyy-MM-dd"));
                if (!date.isValid())
                    continue;
                const int day = DayOf(FromQDate(date));
                // Only the file a day's name leads to counts, as before.
                if (day >= d1 && day <= d2
                    && DayFilePath(FOptions, day)
                        == FOptions.FolderData + yearName + QLatin1Char('/') + name)
                    days.insert(day);
            }
        }
        if (d1 <= FToday) {
            LoadCurrent();
            for (const auto& e : FCurrent) {
                const int day = DayOf(e->start);
                if (day >= d1 && day <= d2 && day <= FToday)
                    days.insert(day);
            }
        }
        return { days.begin(), days.end() };
    }

    // Appends the entries of one day.
    void Read(int day, std::vector<TRyvItem>& out)
    {
        if (day > FToday)
            return ReadFile(DayFilePath(FOptions, day), out);
        LoadCurrent();
        const size_t fromFile = out.size();
        // Today has no day file of its own yet; a file of today's date is
        // left from an earlier run with another clock and is not read.
        if (day != FToday)
            ReadFile(DayFilePath(FOptions, day), out);
        const size_t fromCurrent = out.size();
        for (const auto& e : FCurrent) {
            if (DayOf(e->start) != day)
                continue;
            // The same entry may be in both files when a crash came between
            // moving a day and saving today's log: it counts once.
            const bool known = std::any_of(out.begin() + static_cast<qsizetype>(fromFile),
                out.begin() + static_cast<qsizetype>(fromCurrent),
                [&e](const TRyvItem& f) { return SameEntry(f, *e); });
            if (!known)
                out.push_back(*e);
        }
        if (fromCurrent > fromFile && out.size() > fromCurrent)
            std::stable_sort(out.begin() + static_cast<qsizetype>(fromFile), out.end(),
                [](const TRyvItem& a, const TRyvItem& b) { return a.start < b.start; });
    }

private:
    static bool SameEntry(const TRyvItem& a, const TRyvItem& b)
    {
        return a.kind == b.kind && DateTimeToText(a.start) == DateTimeToText(b.start)
            && a.title == b.title && a.url == b.url;
    }

    void ReadFile(const QString& path, std::vector<TRyvItem>& out) const
    {
        TEntries entries;
        // A day that cannot be read is reported by the window, not here: a
        // report shows what can be read, the lines before an unclosed quote
        // among it.
        ReadDayFile(path, OpenStop(), entries);
        for (auto& e : entries)
            out.push_back(std::move(*e));
    }

    void LoadCurrent()
    {
        if (FCurrentRead)
            return;
        FCurrentRead = true;
        ReadDayFile(DayFilePath(FOptions, 0), OpenStop(), FCurrent);
    }

    // A task stored without a stop counts until now when it started today,
    // otherwise until the end of its day.
    TOpenStop OpenStop() const
    {
        return [now = FNow, today = FToday](const TRyvItem& e) {
            return DayOf(e.start) == today ? now : EndOfDayOf(e.start);
        };
    }

    const TRyvOptions& FOptions;
    const TDateTime FNow;
    const int FToday;
    bool FCurrentRead = false;
    TEntries FCurrent;
};

} // namespace

std::vector<TRyvItem> LoadDayEntries(const TRyvOptions& options, const TClock& clock, TDateTime day)
{
    std::vector<TRyvItem> entries;
    TDayReader(options, clock).Read(DayOf(day), entries);
    return entries;
}

bool LoadReportEntries(const TRyvOptions& options, const TClock& clock, TDateTime first,
    TDateTime last, std::vector<TRyvItem>& entries, QString* errorText)
{
    entries.clear();
    const int d1 = DayOf(first);
    const int d2 = DayOf(last);
    const TGroupMasks groups(options.GroupMasks);
    TDayReader reader(options, clock);
    for (const int d : reader.DaysToRead(d1, d2)) {
        const size_t from = entries.size();
        reader.Read(d, entries);
        if (options.GroupMasks.isEmpty())
            continue;
        for (size_t i = from; i < entries.size(); ++i) {
            TRyvItem& e = entries[i];
            if (e.IsPause())
                continue;
            QString renamed;
            if (!groups.Apply(e.title, renamed, errorText)) {
                entries.resize(i);
                return false;
            }
            e.title = std::move(renamed);
        }
    }
    return true;
}

} // namespace ryv
