#include "reports/reportsummary.h"

#include "reports/groupmasks.h"

#include <QHash>

#include <utility>

namespace ryv {

namespace {

void CollectGroups(std::vector<TRyvItem>& entries, const QStringList& groupMasks,
                   const QString& othersText)
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

// Merging entry j into the earliest unmerged entry i < j that is the same
// task gives exactly what comparing every pair would give: an entry that was
// folded away never absorbs others, and whether i absorbs j depends only on
// the two entries' own (unchanged) fields. Hash lookups by title and by link
// find that i in constant time.
void MergeTasks(std::vector<TRyvItem>& entries, bool daily)
{
    using TKey = std::pair<int, QString>;
    QHash<TKey, int> byTitle;
    QHash<TKey, int> byUrl;
    const int n = static_cast<int>(entries.size());
    std::vector<int> owner(static_cast<size_t>(n), -1);
    std::vector<std::vector<int>> absorbed(static_cast<size_t>(n));
    byTitle.reserve(n);

    for (int j = 0; j < n; ++j) {
        const TRyvItem& e = entries[static_cast<size_t>(j)];
        const int day = daily ? DayOf(e.start) : 0;
        const TKey titleKey{day, e.title.toCaseFolded()};
        int into = byTitle.value(titleKey, -1);
        const TKey urlKey{day, e.url.toCaseFolded()};
        if (!e.url.isEmpty()) {
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

void ExchangeSort(std::vector<TRyvItem>& entries, bool daily)
{
    const size_t n = entries.size();
    for (size_t i = 0; i + 1 < n; ++i) {
        for (size_t j = i + 1; j < n; ++j) {
            if (entries[j].stop > entries[i].stop && (!daily || entries[j].start == entries[i].start))
                std::swap(entries[i], entries[j]);
        }
    }
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
