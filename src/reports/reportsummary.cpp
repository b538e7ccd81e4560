#include "reports/reportsummary.h"

#include "reports/groupmasks.h"

#include <QHash>

#include <algorithm>
#include <string_view>
#include <unordered_map>
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
// Numbers the texts so that texts equal without regard to case get one
// number. A year holds each title many times; only the first sight of a
// spelling is case-folded. The maps look at the texts' characters in place:
// the texts must outlive the object and stay unchanged.
class TTextClasses final {
public:
    explicit TTextClasses(size_t expected)
    {
        FBySpelling.reserve(expected);
        FByFolded.reserve(expected);
    }

    int ClassOf(const QString& text)
    {
        const auto known = FBySpelling.find(View(text));
        if (known != FBySpelling.end())
            return known->second;
        QString folded = text.toCaseFolded();
        const auto [cls, added]
            = FByFolded.try_emplace(View(folded), static_cast<int>(FByFolded.size()));
        if (added)
            FFolded.push_back(std::move(folded)); // the key's characters stay put
        FBySpelling.emplace(View(text), cls->second);
        return cls->second;
    }

private:
    static std::u16string_view View(const QString& s)
    {
        return { reinterpret_cast<const char16_t*>(s.utf16()), static_cast<size_t>(s.size()) };
    }

    std::unordered_map<std::u16string_view, int> FBySpelling;
    std::unordered_map<std::u16string_view, int> FByFolded;
    std::vector<QString> FFolded;
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
    TTextClasses texts(static_cast<size_t>(n) / 4);
    QHash<quint64, int> byTitle;
    QHash<quint64, int> byUrl;
    byTitle.reserve(n / 4);
    std::vector<int> owner(static_cast<size_t>(n), -1);

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
            continue;
        }
        byTitle.insert(titleKey, j);
        // An entry without a link never takes others by link.
        if (!e.url.isEmpty() && !byUrl.contains(urlKey))
            byUrl.insert(urlKey, j);
    }

    // The sums run in the order the pairwise loop adds: the entry's own time,
    // then the absorbed ones from the last to the first, so the totals are
    // equal to the last bit.
    std::vector<TDateTime> total(static_cast<size_t>(n));
    for (size_t i = 0; i < total.size(); ++i)
        total[i] = LoggedDuration(entries[i]);
    for (int j = n - 1; j >= 0; --j) {
        const int into = owner[static_cast<size_t>(j)];
        if (into >= 0)
            total[static_cast<size_t>(into)] += total[static_cast<size_t>(j)];
    }
    std::vector<TRyvItem> merged;
    merged.reserve(static_cast<size_t>(n));
    for (size_t i = 0; i < static_cast<size_t>(n); ++i) {
        if (owner[i] >= 0)
            continue;
        TRyvItem e = std::move(entries[i]);
        e.start = daily ? MidnightOf(e.start) : 0;
        e.stop = e.start + total[i];
        merged.push_back(std::move(e));
    }
    entries = std::move(merged);
}

// The exchange sort, exactly: for each i, every later entry with a larger
// total is exchanged with entry i, in order. Entry i is the "hand" of the
// pass; it is kept in registers and the exchange is done without a branch:
// on real totals a large share of the comparisons exchange, in no pattern a
// branch predictor could follow. The keys sit in compact arrays, and the
// entries themselves are moved once at the end.
void ExchangeSortKeys(std::vector<TDateTime>& stop, std::vector<quint32>& index)
{
    const size_t n = stop.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        TDateTime handStop = stop[i];
        quint32 handIndex = index[i];
        for (size_t j = i + 1; j < n; ++j) {
            const TDateTime s = stop[j];
            const bool take = s > handStop;
            // All-ones when the hand takes entry j: the selections below then
            // compile to plain bit operations.
            const quint32 mask = 0u - static_cast<quint32>(take);
            const quint32 x = index[j];
            index[j] = (x & ~mask) | (handIndex & mask);
            handIndex = (handIndex & ~mask) | (x & mask);
            // Taking means s > handStop, so the hand keeps the larger total
            // and leaves the smaller.
            stop[j] = std::min(s, handStop);
            handStop = std::max(s, handStop);
        }
        stop[i] = handStop;
        index[i] = handIndex;
    }
}

// With daily an entry is only ever exchanged with entries of its own day,
// and the places of each day's entries never change hands: the exchange
// sort over the whole list is the same as one over each day's places on
// their own. Sorting each day apart costs the square of a day's entries, not
// that of the whole period's (27 years of days were minutes of comparing).
void ExchangeSortByDay(
    std::vector<TDateTime>& stop, const std::vector<TDateTime>& start, std::vector<quint32>& index)
{
    std::unordered_map<TDateTime, std::vector<size_t>> placesOfDay;
    std::vector<std::vector<size_t>*> days; // in the order they first appear
    for (size_t i = 0; i < start.size(); ++i) {
        auto [at, added] = placesOfDay.try_emplace(start[i]);
        if (added)
            days.push_back(&at->second);
        at->second.push_back(i);
    }
    std::vector<TDateTime> dayStop;
    std::vector<quint32> dayIndex;
    for (const std::vector<size_t>* places : days) {
        if (places->size() < 2)
            continue;
        dayStop.clear();
        dayIndex.clear();
        for (const size_t p : *places) {
            dayStop.push_back(stop[p]);
            dayIndex.push_back(index[p]);
        }
        ExchangeSortKeys(dayStop, dayIndex);
        for (size_t k = 0; k < places->size(); ++k) {
            stop[(*places)[k]] = dayStop[k];
            index[(*places)[k]] = dayIndex[k];
        }
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
    if (daily)
        ExchangeSortByDay(stop, start, index);
    else
        ExchangeSortKeys(stop, index);
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
