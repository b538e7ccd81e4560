#include "reports/reportsummary.h"

#include "reports/groupmasks.h"

#include <QHash>

#include <algorithm>
#include <utility>

namespace ryv {

namespace {

void CollectGroups(
    std::vector<TRyvItem>& entries, const QStringList& groupMasks, const QString& othersText)
{
    QStringList prefixes;
    QStringList names;
    for (const QString& entry : groupMasks) {
        const QString name = SplitGroupEntry(entry).name;
        names << name;
        prefixes << name + QStringLiteral(" - ");
    }
    for (TRyvItem& e : entries) {
        QString title = othersText;
        for (qsizetype g = 0; g < prefixes.size(); ++g) {
            if (e.title.left(prefixes[g].size()).compare(prefixes[g], Qt::CaseInsensitive) == 0) {
                title = names[g];
                break;
            }
        }
        e.title = title;
        e.url.clear();
    }
}

// Numbers the texts so that texts equal without regard to case get one
// number. A year holds each title many times; only the first sight of a
// spelling is case-folded.
class TTextClasses final {
public:
    explicit TTextClasses(qsizetype expected)
    {
        FBySpelling.reserve(expected);
        FByFolded.reserve(expected);
    }

    int ClassOf(const QString& text)
    {
        const auto known = FBySpelling.constFind(text);
        if (known != FBySpelling.constEnd())
            return *known;
        const QString folded = text.toCaseFolded();
        auto cls = FByFolded.constFind(folded);
        if (cls == FByFolded.constEnd())
            cls = FByFolded.insert(folded, static_cast<int>(FByFolded.size()));
        FBySpelling.insert(text, *cls);
        return *cls;
    }

private:
    QHash<QString, int> FBySpelling;
    QHash<QString, int> FByFolded;
};

quint64 DayClassKey(int day, int cls)
{
    return (static_cast<quint64>(static_cast<quint32>(day)) << 32) | static_cast<quint32>(cls);
}

// Merging entry j into the earliest unmerged entry i < j that is the same
// task gives exactly what comparing every pair would give: an entry that was
// folded away never absorbs others, and whether i absorbs j depends only on
// the two entries' own (unchanged) fields. Hash lookups by title and by link
// find that i in constant time.
void MergeTasks(std::vector<TRyvItem>& entries, bool daily)
{
    const int n = static_cast<int>(entries.size());
    TTextClasses texts(n / 4);
    QHash<quint64, int> byTitle;
    QHash<quint64, int> byUrl;
    byTitle.reserve(n / 4);
    std::vector<int> owner(static_cast<size_t>(n), -1);
    std::vector<std::vector<int>> absorbed(static_cast<size_t>(n));

    for (int j = 0; j < n; ++j) {
        const TRyvItem& e = entries[static_cast<size_t>(j)];
        const int day = daily ? DayOf(e.start) : 0;
        const quint64 titleKey = DayClassKey(day, texts.ClassOf(e.title));
        int into = byTitle.value(titleKey, -1);
        quint64 urlKey = 0;
        if (!e.url.isEmpty()) {
            urlKey = DayClassKey(day, texts.ClassOf(e.url));
            const int viaUrl = byUrl.value(urlKey, -1);
            if (viaUrl >= 0 && (into < 0 || viaUrl < into))
                into = viaUrl;
        }
        if (into >= 0) {
            owner[static_cast<size_t>(j)] = into;
            absorbed[static_cast<size_t>(into)].push_back(j);
            continue;
        }
        byTitle.insert(titleKey, j);
        // An entry without a link never takes others by link.
        if (!e.url.isEmpty() && !byUrl.contains(urlKey))
            byUrl.insert(urlKey, j);
    }

    std::vector<TRyvItem> merged;
    merged.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) {
        if (owner[static_cast<size_t>(i)] >= 0)
            continue;
        TRyvItem e = std::move(entries[static_cast<size_t>(i)]);
        // The sum runs in the order the pairwise loop adds: the entry's own
        // time, then the absorbed ones from the last to the first, so the
        // totals are equal to the last bit.
        TDateTime total = e.stop - e.start;
        const std::vector<int>& taken = absorbed[static_cast<size_t>(i)];
        for (auto it = taken.rbegin(); it != taken.rend(); ++it) {
            const TRyvItem& a = entries[static_cast<size_t>(*it)];
            total += a.stop - a.start;
        }
        e.start = daily ? MidnightOf(e.start) : 0;
        e.stop = e.start + total;
        merged.push_back(std::move(e));
    }
    entries = std::move(merged);
}

// The exchange sort, exactly: for each i, every later entry with a larger
// total (with daily: of the same day) is exchanged with entry i, in order.
// Entry i is the "hand" of the pass; it is kept in registers and the
// exchange is done without a branch: on real totals a large share of the
// comparisons exchange, in no pattern a branch predictor could follow.
// The keys sit in compact arrays, and the entries themselves are moved
// once at the end.
template <bool Daily>
void ExchangeSortKeys(
    std::vector<TDateTime>& stop, const std::vector<TDateTime>& start, std::vector<quint32>& index)
{
    const size_t n = stop.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        TDateTime handStop = stop[i];
        quint32 handIndex = index[i];
        // With daily the hand only ever takes entries of its own day.
        const TDateTime handStart = start[i];
        for (size_t j = i + 1; j < n; ++j) {
            const TDateTime s = stop[j];
            const bool take = s > handStop && (!Daily || start[j] == handStart);
            // All-ones when the hand takes entry j: the selections below then
            // compile to plain bit operations.
            const quint32 mask = 0u - static_cast<quint32>(take);
            const quint32 x = index[j];
            index[j] = (x & ~mask) | (handIndex & mask);
            handIndex = (handIndex & ~mask) | (x & mask);
            if constexpr (Daily) {
                stop[j] = take ? handStop : s;
                handStop = take ? s : handStop;
            } else {
                // Without the day condition taking means s > handStop, so
                // the hand keeps the larger total and leaves the smaller.
                stop[j] = std::min(s, handStop);
                handStop = std::max(s, handStop);
            }
        }
        stop[i] = handStop;
        index[i] = handIndex;
    }
}

void ExchangeSort(std::vector<TRyvItem>& entries, bool daily)
{
    const size_t n = entries.size();
    std::vector<TDateTime> stop(n);
    std::vector<TDateTime> start(n);
    std::vector<quint32> index(n);
    for (size_t i = 0; i < n; ++i) {
        stop[i] = entries[i].stop;
        start[i] = entries[i].start;
        index[i] = static_cast<quint32>(i);
    }
    // Exchanges with daily stay within one day, so start[] never moves.
    if (daily)
        ExchangeSortKeys<true>(stop, start, index);
    else
        ExchangeSortKeys<false>(stop, start, index);
    std::vector<TRyvItem> sorted;
    sorted.reserve(n);
    for (const quint32 k : index)
        sorted.push_back(std::move(entries[k]));
    entries = std::move(sorted);
}

} // namespace

void SummarizeReport(std::vector<TRyvItem>& entries, bool daily, bool byGroups,
    const QStringList& groupMasks, const QString& othersText)
{
    if (byGroups)
        CollectGroups(entries, groupMasks, othersText);
    MergeTasks(entries, daily);
    ExchangeSort(entries, daily);
}

} // namespace ryv
